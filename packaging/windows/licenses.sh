#!/usr/bin/env bash
# Gathers the licences of what the Windows programs contain into one folder:
#   licenses.sh QT_PREFIX OUT_DIR
# QT_PREFIX is the Qt of scripts/build-qt-windows, which kept the Debian
# copyright files and licence texts of its sources and its build lines.
set -euo pipefail
qt=$1 out=$2
mkdir -p "$out"
crlf() { sed 's/\r*$/\r/'; }

for f in "$qt"/licenses/*; do
  crlf <"$f" >"$out/qt-$(basename "${f%.txt}").txt"
done
for p in mingw-w64-common gcc-mingw-w64-base; do
  crlf </usr/share/doc/$p/copyright >"$out/$p.copyright.txt"
done

crlf >"$out/README.txt" <<TEXT
Licences of Quintaro for Windows
================================

Quintaro itself (quintaro.exe, quintaro-cli.exe) is under the MIT licence:
see LICENSE.txt beside the programs.

Both programs contain the Qt libraries, linked statically, under the GNU
Lesser General Public License version 3 (qt-LGPL-3.0-only.txt, which builds
on qt-GPL-3.0-only.txt). Qt was built from these Debian source packages,
unchanged, with these CMake options (besides the MinGW-w64 toolchain):

$(sed 's/^/    /' "$qt/quintaro-build-info.txt")

The copyright and licence of every part of these sources, including the
libraries Qt carries inside it (PCRE2, zlib, libpng, libjpeg, HarfBuzz,
FreeType, double-conversion, md4c and others), are in qt-qt6-base.copyright.txt
and qt-qt6-svg.copyright.txt; the licence texts they name are the other
qt-*.txt files.

Relinking with another Qt: the LGPL lets you use a changed Qt. Quintaro's
complete source is free under the MIT licence, with the scripts that made
these programs: put your Qt into the folder named by QUINTARO_QT_WINDOWS
(built as scripts/build-qt-windows builds it) and run scripts/build-windows;
it links quintaro.exe and quintaro-cli.exe against that Qt. The Debian
source packages above are available from Debian's archive
(apt-get source qt6-base=VERSION).

The programs also contain the runtime of the MinGW-w64 compiler: the GCC
runtime libraries (libgcc, libstdc++; GPL version 3 with the GCC Runtime
Library Exception, which allows this) and the MinGW-w64 runtime and
winpthreads (permissive licences): gcc-mingw-w64-base.copyright.txt and
mingw-w64-common.copyright.txt.
TEXT

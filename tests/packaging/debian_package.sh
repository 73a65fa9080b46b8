#!/usr/bin/env bash
# debian_package.sh BUILD_DIR VERSION: builds the Debian package of the build
# with CPack and checks what apt would see: name, version, architecture,
# dependencies that are real Debian packages (the Qt libraries, Qt's platform
# plugins, the IPA fonts), the files under /usr and nothing else, no caches
# that belong to other packages, no paths into the build tree, and programs
# that run from the unpacked package.
set -u
source "$(dirname "$0")/lib.sh"
build=$1 version=$2

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >cpack.log 2>&1) ||
  { fail "cpack: $(tail -5 "$work/cpack.log")"; finish; }
deb=$(ls "$work"/out/quintaro_*.deb 2>/dev/null)
arch=$(dpkg --print-architecture)
expect_eq "$(basename "$deb")" "quintaro_${version}_$arch.deb" "package file name"
[ -f "$deb" ] || finish

fieldof() { dpkg-deb --field "$deb" "$1"; }
expect_eq "$(fieldof Package)" quintaro "Package"
expect_eq "$(fieldof Version)" "$version" "Version"
expect_eq "$(fieldof Architecture)" "$arch" "Architecture"
[ -n "$(fieldof Maintainer)" ] || fail "no Maintainer"
[ -n "$(fieldof Description)" ] || fail "no Description"

# Every dependency names a package dpkg knows here (the build machine has them
# all, as scripts/setup installs them), and the run-time needs are among them.
depends=$(fieldof Depends)
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/ //g' | sort -u)
for name in $names; do
  dpkg-query -W "$name" >/dev/null 2>&1 || fail "dependency $name is no Debian package here"
done
for needed in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins fonts-ipafont-gothic \
  fonts-ipafont-mincho; do
  grep -qx "$needed" <<<"$names" || fail "Depends lacks $needed: $depends"
done

contents=$(dpkg-deb --contents "$deb" | awk '{print $1, $2, $6}')
for file in usr/bin/quintaro usr/bin/quintaro-cli usr/share/applications/quintaro.desktop \
  usr/share/mime/packages/quintaro.xml usr/share/icons/hicolor/scalable/apps/quintaro.svg \
  usr/share/man/man1/quintaro.1.gz usr/share/man/man1/quintaro-cli.1.gz \
  usr/share/doc/quintaro/README.md; do
  grep -q " root/root \./$file\$" <<<"$contents" || fail "package lacks ./$file (owned by root)"
done
outside=$(awk '$3 !~ /^\.\/(usr(\/.*)?)?$/' <<<"$contents")
expect_eq "$outside" "" "files outside /usr"
caches=$(grep -E 'share/mime/(mime\.cache|globs2?|magic)$|mimeinfo\.cache|icon-theme\.cache' <<<"$contents")
expect_eq "$caches" "" "caches of other packages"

mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"
for program in quintaro quintaro-cli; do
  exe=$work/root/usr/bin/$program
  [ "$(stat -c %a "$exe")" = 755 ] || fail "$program is not mode 755"
  readelf -d "$exe" | grep -qE 'RPATH|RUNPATH' && fail "$program carries a library path"
  # A sanitized build names its generated sources (moc files in the build
  # folder) in the sanitizer's own records; only other builds must not.
  if ! readelf -d "$exe" | grep -q 'NEEDED.*libasan'; then
    grep -qaF "$build" "$exe" && fail "$program holds the build folder's path"
  fi
  expect_eq "$(env -u DISPLAY "$exe" --version)" "$program $version" "$program --version"
done
finish

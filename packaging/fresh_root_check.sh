#!/usr/bin/env bash
# fresh_root_check.sh DEB [ROOT]: proves the package on a fresh Debian 12 by
# hand (as root, with network access to the Debian mirrors): debootstrap a
# minimal bookworm into ROOT (unless it is there), apt install the package in
# it, run the installed quintaro-cli, check the file types and the desktop
# entry were registered, then purge it and check nothing of it is left.
set -euo pipefail
deb=$(realpath "$1")
root=${2:-/tmp/quintaro-fresh-root}
mirror=http://deb.debian.org/debian
if [ ! -x "$root/usr/bin/apt-get" ]; then
  debootstrap --variant=minbase bookworm "$root" "$mirror"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
trap 'umount "$root/proc"' EXIT
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 bash -ec "$1"; }

in_root "apt-get update -qq && apt-get install -y -qq ./tmp/$(basename "$deb") >/dev/null"
in_root 'cd /tmp && quintaro-cli --version && quintaro --version
  quintaro-cli demo -o /tmp/fresh.jww --overwrite && quintaro-cli info /tmp/fresh.jww
  grep -q "application/x-jww:\*\.jww" /usr/share/mime/globs2
  grep -q JwwData /usr/share/mime/magic
  grep -q "application/x-jww=quintaro.desktop" /usr/share/applications/mimeinfo.cache
  echo "installed: file types and desktop entry registered"'
in_root 'apt-get purge -y -qq quintaro >/dev/null
  left() { if "$@"; then echo "left after purge: $*" >&2; exit 1; fi; }
  left dpkg -s quintaro
  left ls /usr/bin/quintaro /usr/bin/quintaro-cli /usr/share/applications/quintaro.desktop \
    /usr/share/mime/packages/quintaro.xml /usr/share/doc/quintaro
  left grep -q jww /usr/share/mime/globs2
  echo "purged: nothing left"'

#!/usr/bin/env bash
# stage.sh BUILD_DIR STAGE: installs the build into STAGE (as `cmake --install
# --prefix` would on a user's machine), makes it read-only and records its
# listing in STAGE.list for the checks that run the installed programs.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
build=$1 stage=$2
if [ -e "$stage" ]; then
  chmod -R u+w "$stage"
  rm -rf "$stage"
fi
cmake --install "$build" --prefix "$stage" >/dev/null
chmod -R a-w "$stage"
listing "$stage" >"$stage.list"

#!/usr/bin/env bash
# Builds the Debian package of Korvalinx from the default build and prints
# its path (build/default/package/korvalinx_<version>_<arch>.deb).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default >/dev/null
if ! out=$(cpack --config build/default/CPackConfig.cmake 2>&1); then
  echo "$out" >&2
  exit 1
fi
sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' <<<"$out"

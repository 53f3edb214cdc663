#!/usr/bin/env bash
# Fails when a tracked C++ file does not follow .clang-format (Debian's
# clang-format 14, as installed by install-deps.sh). Lists the files.
set -euo pipefail
cd "$(dirname "$0")/.."

off=()
while IFS= read -r -d '' f; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || off+=("$f")
done < <(git ls-files -z -- '*.cpp' '*.h')

if [ ${#off[@]} -gt 0 ]; then
  echo "Not formatted with .clang-format (run clang-format -i on them):" >&2
  printf '  %s\n' "${off[@]}" >&2
  exit 1
fi
echo "format: all C++ files follow .clang-format"

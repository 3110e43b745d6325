#!/usr/bin/env bash
# Fails, listing them, when tracked C++ files differ from the format that
# .clang-format states. With --fix, rewrites them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
format=clang-format-19
mapfile -t files < <(git ls-files -- '*.h' '*.cpp')
if [[ ${1:-} == --fix ]]; then
  "$format" -i --style=file "${files[@]}"
  exit 0
fi
differing=()
for file in "${files[@]}"; do
  "$format" --style=file --dry-run -Werror "$file" >/dev/null 2>&1 || differing+=("$file")
done
if ((${#differing[@]})); then
  printf 'Not formatted as .clang-format states (fix with scripts/check-format.sh --fix):\n' >&2
  printf '  %s\n' "${differing[@]}" >&2
  exit 1
fi
echo "format: ${#files[@]} files as .clang-format states"

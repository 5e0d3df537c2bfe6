#!/usr/bin/env bash
# Fails on a C++ file that is not formatted as .clang-format says; with --fix, formats them.
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/checkformat.$$; then
  grep -E '^[^ ].*: (warning|error):' /tmp/checkformat.$$ | sed 's/:[0-9]*:[0-9]*: .*//' | sort -u | sed 's/^/not formatted: /'
  rm -f /tmp/checkformat.$$
  echo "Run scripts/checkformat.sh --fix" >&2
  exit 1
fi
rm -f /tmp/checkformat.$$

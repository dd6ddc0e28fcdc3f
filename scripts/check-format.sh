#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from the house style of
# .clang-format; prints the files. Fix with: clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."
unformatted=()
while IFS= read -r file; do
  [ -f "$file" ] || continue
  clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <( (git ls-files '*.cpp' '*.h'; git ls-files --others --exclude-standard '*.cpp' '*.h') | sort -u)
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not in the house style (.clang-format):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "format: every C++ file is in the house style"

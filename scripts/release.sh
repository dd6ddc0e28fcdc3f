#!/usr/bin/env bash
# Builds the release programs: dist/win32/ (the 32-bit program) and
# dist/win64/, each with orvanta.exe and its help file orv.hlp.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target orvanta orvanta_help
  mkdir -p "dist/$preset"
  cp "build/$preset/bin/orvanta.exe" "build/$preset/bin/orv.hlp" "dist/$preset/"
done
ls -l dist/win32 dist/win64

#!/usr/bin/env bash
# Makes the release packages dist/orvanta-<version>-win32.zip (the program
# users get) and dist/orvanta-<version>-win64.zip, each holding orvanta.exe
# without symbols, orv.hlp, orv.html and README.txt, and dist/SHA256SUMS.
# The version is the project's (CMakeLists.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${1:-}" = "--no-setup" ] || scripts/setup.sh
rm -rf dist
mkdir -p dist
for preset in win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target orvanta orvanta_help
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build/$preset/CMakeCache.txt")
  triple=$([ "$preset" = win32 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32)
  name="orvanta-$version-$preset"
  stage="build/$preset/package/$name"
  rm -rf "$stage"
  mkdir -p "$stage"
  "$triple-strip" -o "$stage/orvanta.exe" "build/$preset/bin/orvanta.exe"
  cp "build/$preset/bin/orv.hlp" "build/$preset/bin/orv.html" "$stage/"
  sed -e "s/@VERSION@/$version/" -e "s/@BUILD@/$([ "$preset" = win32 ] && echo 32-bit || echo 64-bit)/" \
      packaging/README.txt | sed 's/$/\r/' >"$stage/README.txt"
  (cd "build/$preset/package" && zip -q -X -r "$OLDPWD/dist/$name.zip" "$name")
done
(cd dist && sha256sum ./*.zip | sed 's| \./| |' >SHA256SUMS)
ls -l dist

#!/usr/bin/env bash
# Makes the release packages dist/orvanta-<version>-win32.zip (the program
# users get) and dist/orvanta-<version>-win64.zip, each holding orvanta.exe
# without symbols, orv.hlp, orv.html and README.txt, and dist/SHA256SUMS.
# The version is the project's (CMakeLists.txt).
# The packages are reproducible: two builds of one commit, in any folders,
# give the same bytes. Every zip entry carries one time, the commit's
# (SOURCE_DATE_EPOCH when set; else the commit time from git; else, for a
# source tree without git such as an unpacked `git archive`, whose files all
# carry the commit time, the time of CMakeLists.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${1:-}" = "--no-setup" ] || scripts/setup.sh
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  else
    SOURCE_DATE_EPOCH=$(stat -c %Y CMakeLists.txt)
  fi
fi
export SOURCE_DATE_EPOCH
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
  # Fixed modes and times whatever the umask and the clock; the zip's DOS
  # times are local times, so the zip runs in UTC; -X leaves out the owner
  # and the extra time fields; the entries go in in a sorted order.
  chmod 644 "$stage"/*
  chmod 755 "$stage" "$stage/orvanta.exe"
  touch -d "@$SOURCE_DATE_EPOCH" "$stage" "$stage"/*
  (cd "build/$preset/package" && find "$name" | LC_ALL=C sort |
    TZ=UTC zip -q -X -@ "$OLDPWD/dist/$name.zip")
done
(cd dist && sha256sum ./*.zip | sed 's| \./| |' >SHA256SUMS)
ls -l dist

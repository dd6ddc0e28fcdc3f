#!/usr/bin/env bash
# Makes the release packages and checks them as a user receives them: each
# zip holds exactly orvanta.exe, orv.hlp, orv.html and README.txt in one folder, the
# sums match, and each unpacked program goes through the whole-program
# session under Wine (tests/program).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/release.sh --no-setup >/dev/null
(cd dist && sha256sum -c --quiet SHA256SUMS)
status=0
for zip in dist/orvanta-*-win32.zip dist/orvanta-*-win64.zip; do
  preset=$(basename "$zip" .zip | sed 's/.*-//')
  folder=$(basename "$zip" .zip)
  listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort | tr '\n' ' ')
  expected="$folder/README.txt $folder/orv.hlp $folder/orv.html $folder/orvanta.exe "
  if [ "$listed" != "$expected" ]; then
    echo "FAIL $zip holds: $listed" >&2
    status=1
    continue
  fi
  unpacked=$(mktemp -d)
  unzip -q "$zip" -d "$unpacked"
  if tests/program/run-session.sh "build/$preset" "$unpacked/$folder/orvanta.exe"; then
    echo "ok   $zip: $(du -k "$unpacked/$folder/orvanta.exe" | cut -f1) KB program, whole session passed"
  else
    echo "FAIL $zip: the whole-program session failed" >&2
    status=1
  fi
  rm -rf "$unpacked"
done
exit $status

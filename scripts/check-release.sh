#!/usr/bin/env bash
# Makes the release packages and checks them as a user receives them: each
# zip holds exactly orvanta.exe, orv.hlp and README.txt in one folder, the
# sums match, and each unpacked program starts under Wine and opens its
# main window.
set -euo pipefail
cd "$(dirname "$0")/.."
# The path Wine's programs see for a path of this machine (drive Z: is /).
winepath_of() { echo "Z:${1//\//\\}"; }
scripts/release.sh --no-setup >/dev/null
(cd dist && sha256sum -c --quiet SHA256SUMS)
status=0
for zip in dist/orvanta-*-win32.zip dist/orvanta-*-win64.zip; do
  preset=$(basename "$zip" .zip | sed 's/.*-//')
  folder=$(basename "$zip" .zip)
  listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort | tr '\n' ' ')
  expected="$folder/README.txt $folder/orv.hlp $folder/orvanta.exe "
  if [ "$listed" != "$expected" ]; then
    echo "FAIL $zip holds: $listed" >&2
    status=1
    continue
  fi
  unpacked=$(mktemp -d)
  unzip -q "$zip" -d "$unpacked"
  # The program runs until its main window is found, then it is closed.
  if build/$preset/wine-run.sh build/$preset/bin/orvanta_start_check.exe "$(winepath_of "$unpacked/$folder/orvanta.exe")"; then
    echo "ok   $zip: $(du -k "$unpacked/$folder/orvanta.exe" | cut -f1) KB program, starts"
  else
    echo "FAIL $zip: the program did not open its main window" >&2
    status=1
  fi
  rm -rf "$unpacked"
done
exit $status

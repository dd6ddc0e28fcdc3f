#!/usr/bin/env bash
# Makes the pictures of docs/screenshots (all but print-all.png, a printed
# page drawn from PostScript): the 32-bit program, the one users get,
# under 32-bit Wine in a virtual display and a Wine prefix of its own
# (build/screenshots-wine) that holds Wine's caption-button font, driven by
# orvanta_screenshots (tests/program/screenshots.cpp). The passwords differ
# from run to run: the program seeds from the clock.
#   bash scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target orvanta orvanta_help orvanta_screenshots
source scripts/wine-fonts.sh
export WINEPREFIX="$root/build/screenshots-wine" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine
[ -x "$wine" ] || wine=$(command -v wine)
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

for n in $(seq 70 99); do [ -e "/tmp/.X$n-lock" ] || break; done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d) taken=$(mktemp -d)
trap '"$wineserver" -k 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work" "$taken"' EXIT
export DISPLAY=":$n"
sleep 1

if [ ! -f "$WINEPREFIX/.orvanta-ready" ]; then
  "$wine" wineboot -i >/dev/null 2>&1
  # Unmanaged windows: Wine draws every caption and frame itself, with no
  # window manager in the virtual display.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  "$wineserver" -w
  touch "$WINEPREFIX/.orvanta-ready"
fi
wine_fonts_into_prefix

winepath_of() { echo "Z:${1//\//\\}"; }
"$wine" "$root/build/win32/bin/orvanta_screenshots.exe" "$(winepath_of "$root/build/win32/bin/orvanta.exe")" \
  "$(winepath_of "$work")" "$(winepath_of "$taken")"
for name in main big-screen custom-seed database item-data help; do
  # No time in the file: the same picture gives the same bytes.
  convert "$taken/$name.bmp" -strip -define png:exclude-chunks=date,time "docs/screenshots/$name.png"
  echo "docs/screenshots/$name.png"
done

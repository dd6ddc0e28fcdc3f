#!/usr/bin/env bash
# Makes the pictures of docs/screenshots (all but print-all.png, a printed
# page drawn from PostScript): the 32-bit program, the one users get,
# under 32-bit Wine in a virtual display and a Wine prefix of its own
# (build/screenshots-wine) that holds Wine's caption-button font, driven by
# orvanta_screenshots (tests/program/screenshots.cpp). Then the main window
# once more at 150 % display scale (main-150.png), in a second prefix whose
# screen has 144 DPI (build/screenshots-wine-150). The passwords differ
# from run to run: the program seeds from the clock.
#   bash scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target orvanta orvanta_help orvanta_screenshots
source scripts/wine-fonts.sh
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
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

# A prefix of its own, its screen at DPI $1 (Wine reads LogPixels as a
# program starts).
prepare_prefix() {
  [ -f "$WINEPREFIX/.orvanta-ready" ] && return 0
  "$wine" wineboot -i >/dev/null 2>&1
  # Unmanaged windows: Wine draws every caption and frame itself, with no
  # window manager in the virtual display.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  if [ "$1" != 96 ]; then
    local key
    for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
      "$wine" reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    done
  fi
  "$wineserver" -w
  touch "$WINEPREFIX/.orvanta-ready"
}

winepath_of() { echo "Z:${1//\//\\}"; }
# The pictures of one prefix: every window, or with "main" the main window alone.
take() {
  "$wine" "$root/build/win32/bin/orvanta_screenshots.exe" "$(winepath_of "$root/build/win32/bin/orvanta.exe")" \
    "$(winepath_of "$work")" "$(winepath_of "$taken")" "$@"
  "$wineserver" -w
}
# No time in the files: the same picture gives the same bytes.
to_png() {
  convert "$taken/$1.bmp" -strip -define png:exclude-chunks=date,time "docs/screenshots/$2.png"
  echo "docs/screenshots/$2.png"
}

export WINEPREFIX="$root/build/screenshots-wine"
prepare_prefix 96
wine_fonts_into_prefix
take
for name in main big-screen custom-seed database item-data help; do to_png "$name" "$name"; done

export WINEPREFIX="$root/build/screenshots-wine-150"
prepare_prefix 144
wine_fonts_into_prefix
take main
to_png main main-150

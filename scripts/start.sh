#!/usr/bin/env bash
# Sets up the machine, builds the 32-bit Orvanta (the program users get) and
# starts it under 32-bit Wine, in a Wine prefix of its own; on a machine whose
# kernel runs no 32-bit programs, the 64-bit Orvanta under 64-bit Wine.
# With a display, the program opens there. Without one, it runs in a virtual
# display, a screenshot of its main window is saved, and the script says where.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
preset=win32 wine=/usr/lib/wine/wine
# Where 32-bit programs run only under the tests' emulation (emulate-32bit.sh),
# the 64-bit program starts too: it answers several times faster.
if ! scripts/runs-32bit.sh --natively; then
  echo "Starting the 64-bit Orvanta instead."
  preset=win64 wine=/usr/lib/wine/wine64
fi
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target orvanta orvanta_help
exe="$PWD/build/$preset/bin/orvanta.exe"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Never the user's default prefix: stopping Wine below stops only this one.
export WINEPREFIX="${ORVANTA_WINEPREFIX:-$PWD/build/start-wine-$preset}" WINEARCH=$preset
[ -x "$wine" ] || wine=$(command -v wine)
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
source scripts/wine-fonts.sh
# Made on first use, with the font of the caption buttons.
prepare_prefix() {
  if [ ! -d "$WINEPREFIX/drive_c" ]; then
    "$wine" wineboot -i >/dev/null 2>&1
    "$wineserver" -w
  fi
  wine_fonts_into_prefix
}
# The database file "mypsw.txt" lives in the folder the program starts in.
data="${ORVANTA_DATA:-$HOME/Orvanta}"
mkdir -p "$data"
cd "$data"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  prepare_prefix
  exec "$wine" "$exe"
fi
shot="$OLDPWD/build/orvanta-screenshot.png"
echo "No display: running Orvanta in a virtual display."
# A display without a window manager: Wine draws the title bars itself only
# for windows it does not leave to one, a setting kept in a prefix of its own.
export WINEPREFIX="$WINEPREFIX-virtual-display"
for n in $(seq 70 99); do [ -e "/tmp/.X$n-lock" ] || break; done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=":$n"
prepare_prefix
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
"$wine" "$exe" >/dev/null 2>&1 &
shown=""
for _ in $(seq 1 60); do
  sleep 1
  xwininfo -root -tree 2>/dev/null | grep -q '"Orvanta."' && shown=1 && break
done
if [ -z "$shown" ]; then
  "$wineserver" -k 2>/dev/null || true
  echo "Orvanta did not show its main window within 60 s" >&2
  exit 1
fi
sleep 2
import -window root "$shot"
"$wineserver" -k 2>/dev/null || true
echo "Orvanta started; a screenshot of its main window is at $shot"

#!/usr/bin/env bash
# Sets up the machine, builds every preset and runs every test: the house
# style of every C++ file, the portable suite natively and under
# AddressSanitizer/UBSan (with a bounded fuzz run),
# then the Windows program's own tests under Wine, on the 32-bit build (the
# one users get) and on the 64-bit build; last, the release packages, rebuilt
# in a second folder and compared, each program's hardening and imports
# checked, each unpacked and its program started. On a machine whose kernel
# runs no 32-bit programs, the 32-bit tests run under QEMU (emulate-32bit.sh).
# The 32-bit suite runs beside the other suites.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)
for preset in native native-sanitize win64 win32; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done
status=0
echo "== format"
scripts/check-format.sh || status=1
# A kernel without 32-bit emulation cannot start the 32-bit Wine: the
# tests then run under QEMU's emulation, and where that cannot be had
# either, the 32-bit build is made and checked, not run; the summary says which.
run_win32=yes
scale=1
if ! why=$(scripts/runs-32bit.sh --natively 2>&1); then
  if scripts/emulate-32bit.sh; then
    emulated="the 32-bit build's tests ran under QEMU's emulation of 32-bit programs ($why)"
    scale=3
  else
    run_win32=
    not_run="the 32-bit build's tests under Wine were NOT run on this machine ($why)"
  fi
fi
# The 32-bit suite, the longest (above all under emulation), runs beside the
# others: each Windows build has its own Wine prefixes (one at 96 DPI, one at
# 144), wineservers and virtual displays, set up here one after the other so
# that no two take the same one.
if [ -n "$run_win32" ]; then
  # Emulated, the 32-bit tests get three times their time limits.
  cmake --preset win32 -DORVANTA_WINE_TIMEOUT_SCALE=$scale >/dev/null
  for preset in win64 win32; do
    build/$preset/wine-run.sh --setup && ORVANTA_WINE_DPI=144 build/$preset/wine-run.sh --setup || status=1
  done
  ctest --preset win32 >build/win32/ctest.log 2>&1 &
  win32_tests=$!
fi
for preset in native native-sanitize win64; do
  echo "== test $preset"
  ctest --preset "$preset" || status=1
done
echo "== test win32"
if [ -n "$run_win32" ]; then
  wait "$win32_tests" || status=1
  cat build/win32/ctest.log
else
  echo "$not_run"
fi
echo "== release packages"
scripts/check-release.sh || status=1
for preset in win32 win64; do
  for root in wine wine-dpi144; do
    if [ -s "build/$preset/$root/restarts.log" ]; then
      echo "== Wine starts that printed nothing and were tried again ($preset, $root)"
      cat "build/$preset/$root/restarts.log"
    fi
  done
done
if [ -n "${emulated:-}" ]; then
  echo "== emulated"
  echo "$emulated"
fi
if [ -n "${not_run:-}" ]; then
  echo "== not tested here"
  echo "$not_run; run this script on a machine that runs 32-bit programs"
fi
exit $status

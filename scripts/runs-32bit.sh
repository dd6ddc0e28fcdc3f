#!/usr/bin/env bash
# Exits 0 when this machine's kernel runs 32-bit x86 programs, as the 32-bit
# Wine that tests the 32-bit build needs; exits 1, saying why, when the
# kernel refuses them (32-bit emulation built out or switched off, e.g.
# ia32_emulation=off: every exec of a 32-bit program fails with "Exec format
# error"). Anything else (the loader not installed, say) counts as running,
# so that the tests fail on it themselves.
#   runs-32bit.sh --natively   also exits 1 when they run only through the
#                              emulator that emulate-32bit.sh registered
loader=/lib/ld-linux.so.2
if [ "${1:-}" = --natively ] && grep -qx enabled /proc/sys/fs/binfmt_misc/orvanta-i386 2>/dev/null; then
  echo "this machine runs 32-bit programs only under QEMU's emulation (emulate-32bit.sh)" >&2
  exit 1
fi
[ -e "$loader" ] || exit 0
out=$("$loader" --version 2>&1)
[ $? -eq 126 ] && grep -q 'Exec format error' <<<"$out" || exit 0
echo "this machine's kernel runs no 32-bit programs: $loader gives \"Exec format error\"" >&2
exit 1

#!/usr/bin/env bash
# On a machine whose kernel runs no 32-bit programs (see runs-32bit.sh),
# lets it run them anyway under QEMU's user-mode emulation, so that the
# 32-bit build (the one users get) is still tested under the 32-bit Wine:
# binfmt_misc hands every 32-bit x86 program to qemu-i386. Exits 0 when
# 32-bit programs run afterwards, 1 (saying why) when they still do not.
# Needs root; changes nothing on a machine that runs them natively.
#
# QEMU 7.2, Debian 12's, cannot start the 32-bit Wine (its mappings take the
# addresses Wine reserves: "failed to map the shared user data"); QEMU 10
# from Debian 13 can, so its static qemu-i386 is taken from that release's
# qemu-user package, fetched by apt from the mirror the machine's own apt
# configuration takes Debian from (debian-mirror.sh) and checked against the
# machine's Debian keyring, and kept under build/qemu. Programs run three to
# six times slower than natively.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/runs-32bit.sh 2>/dev/null && exit 0
fail() { echo "32-bit programs cannot be emulated here: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "registering an emulator needs root"

misc=/proc/sys/fs/binfmt_misc
[ -e "$misc/register" ] || mount -t binfmt_misc binfmt_misc "$misc" 2>/dev/null ||
  fail "binfmt_misc cannot be mounted"

dir="$PWD/build/qemu"
qemu="$dir/qemu-i386"
if [ ! -x "$qemu" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/lists/partial" "$work/archives/partial" "$dir"
  read -r uri keyring < <(scripts/debian-mirror.sh) || fail "apt takes Debian from no mirror here"
  echo "deb [arch=amd64${keyring:+ signed-by=$keyring}] $uri trixie main" >"$work/sources.list"
  # Lists, package cache and download stay in $work: the machine's own apt
  # state is not touched.
  apt_options=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work"
    -o APT::Sandbox::User=root -o Acquire::Retries=3)
  apt-get "${apt_options[@]}" update >"$work/apt.log" 2>&1 &&
    (cd "$work" && apt-get "${apt_options[@]}" download qemu-user >>"$work/apt.log" 2>&1) ||
    { cat "$work/apt.log" >&2; fail "Debian 13's qemu-user could not be fetched from $uri"; }
  dpkg-deb -x "$work"/qemu-user_*.deb "$work/x" && cp "$work/x/usr/bin/qemu-i386" "$qemu" ||
    fail "the package holds no qemu-i386"
  dpkg-deb -f "$work"/qemu-user_*.deb Version >"$dir/version"
fi

# The ELF header of a 32-bit x86 executable or shared object. With flag F the
# kernel opens the emulator now, so it is found from any folder or namespace.
entry="$misc/orvanta-i386"
[ -e "$entry" ] && echo -1 >"$entry"
printf '%s' ':orvanta-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
  >"$misc/register" || fail "binfmt_misc refused the emulator"
scripts/runs-32bit.sh || fail "qemu-i386 $(cat "$dir/version" 2>/dev/null) is registered, yet 32-bit programs do not run"
echo "32-bit programs run here under QEMU's emulation (qemu-i386 $(cat "$dir/version"), three to six times slower)"

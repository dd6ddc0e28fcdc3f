#!/usr/bin/env bash
# Refreshes Debian's package lists. A mirror caught in the middle of a sync
# serves an index whose size does not match its Release file, and apt-get
# update fails; the sync usually ends within minutes, so the update is tried
# again. A mirror whose sync stopped half way keeps serving the previous
# 32-bit list beside the new Release file: that list is taken when it is no
# newer than the verified 64-bit list on every library that both
# architectures share (a version the 64-bit list does not reach means the list
# is not simply the previous one). apt-get install then still refuses any
# library it needs whose two versions differ. Any other failure stays a
# failure.
set -uo pipefail
export LC_ALL=C  # comm and sort must agree on the order
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/update.log
helper=/usr/lib/apt/apt-helper
eval "$(apt-config shell lists Dir::State::lists/d)"

update() {
  $sudo apt-get -o Acquire::Retries=3 update 2>&1 | tee "$log" && ! grep -q '^E: ' "$log"
}

# Libraries installed for both architectures, one "name version" per line.
shared_libraries() {
  awk '/^Package:/ {p = $2} /^Version:/ {v = $2} /^Multi-Arch: same/ {m = 1}
       /^$/ {if (m) print p, v; m = 0} END {if (m) print p, v}' "$1" | sort -u
}

# Takes the 32-bit list that the mirror serves for $1 when it is the previous
# state of the suite's 64-bit list.
take_previous_list() {
  local url=$1 name list64
  name=$(printf '%s' "${url#*://}" | sed 's|/|_|g; s|\.xz$||')
  list64=$(ls "$lists/${name/binary-i386/binary-amd64}"* 2>/dev/null | head -1)
  [ -n "$list64" ] || return 1
  $helper -o APT::Sandbox::User=root download-file "$url" "$work/Packages.xz" >/dev/null &&
    $helper cat-file "$work/Packages.xz" >"$work/i386" &&
    $helper cat-file "$list64" >"$work/amd64" || return 1
  shared_libraries "$work/i386" >"$work/i386.shared"
  shared_libraries "$work/amd64" >"$work/amd64.shared"
  # Every shared library of the 32-bit list is in the 64-bit list, at the
  # same version or an older one (a security update since).
  local older=0 p v v64
  while read -r p v; do
    v64=$(awk -v p="$p" '$1 == p {print $2}' "$work/amd64.shared" | sort -V | tail -1)
    [ -n "$v64" ] && dpkg --compare-versions "$v" le "$v64" || return 1
    [ "$v" = "$v64" ] || older=$((older + 1))
  done < <(comm -23 "$work/i386.shared" "$work/amd64.shared")
  $sudo rm -f "$lists/$name" "$lists/$name".*
  $sudo cp "$work/i386" "$lists/$name"
  echo "apt-get update: took the 32-bit list the mirror serves for $url ($older shared libraries older than in the 64-bit list)"
}

for wait in 0 30; do
  if [ "$wait" -gt 0 ]; then
    echo "apt-get update failed; trying again in $wait s"
    sleep "$wait"
  fi
  update && exit 0
done

failed=$(grep '^E: Failed to fetch ' "$log")
if [ -n "$failed" ] && ! grep -v 'Mirror sync in progress' <<<"$failed" | grep -q . &&
   ! awk '{print $5}' <<<"$failed" | grep -vq '/binary-i386/Packages\.xz$'; then
  ok=1
  for url in $(awk '{print $5}' <<<"$failed" | sort -u); do
    take_previous_list "$url" || ok=0
  done
  [ "$ok" = 1 ] && exit 0
fi
echo "apt-get update kept failing" >&2
exit 1

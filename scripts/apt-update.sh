#!/usr/bin/env bash
# Refreshes Debian's package lists. A mirror caught in the middle of a sync
# serves a list whose size or checksum does not match its signed Release
# file, and apt-get update refuses it; the sync usually ends within minutes,
# so the update is tried again. A list that still does not match ends the
# set-up, saying which: nothing is installed from a list whose signature did
# not check.
#
# ORVANTA_ALLOW_UNVERIFIED_I386_LIST=1 (for a CI machine stuck behind a mirror
# that stays stale; never set by the project) takes such a 32-bit list
# (binary-i386) anyway, as the mirror serves it, and says loudly that what apt
# installs from it is unverified.
set -uo pipefail
export LC_ALL=C  # apt's messages are matched in English
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
PATH=$PATH:/usr/lib/apt  # apt-helper
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/update.log
eval "$(apt-config shell lists Dir::State::lists/d)"

update() {
  $sudo apt-get -o Acquire::Retries=3 update 2>&1 | tee "$log" && ! grep -q '^E: ' "$log"
}

for wait in 0 30; do
  if [ "$wait" -gt 0 ]; then
    echo "apt-get update failed; trying again in $wait s"
    sleep "$wait"
  fi
  update && exit 0
done

# "E: Failed to fetch URL  REASON", one line per list apt refused.
failed=$(grep '^E: Failed to fetch ' "$log")
mismatched=$(grep -E ' (File has unexpected size|Hash Sum mismatch)' <<<"$failed" | awk '{print $5}')
if [ -z "$failed" ] || [ "$(wc -l <<<"$failed")" -ne "$(grep -c . <<<"$mismatched")" ]; then
  echo "apt-get update kept failing" >&2
  exit 1
fi

if [ "${ORVANTA_ALLOW_UNVERIFIED_I386_LIST:-}" != 1 ] || grep -vq '/binary-i386/Packages\.xz$' <<<"$mismatched"; then
  {
    echo "apt-get update: these lists from the mirror do not match its signed Release file:"
    sed 's/^/  /' <<<"$mismatched"
    echo "The mirror is out of step with its Release file (a sync in progress, or one that stopped half way)."
    echo "Nothing was installed. Try again later, or set apt to use another Debian mirror."
  } >&2
  exit 1
fi

for url in $(sort -u <<<"$mismatched"); do
  name=$(printf '%s' "${url#*://}" | sed 's|/|_|g; s|\.xz$||')
  apt-helper -o APT::Sandbox::User=root download-file "$url" "$work/Packages.xz" >/dev/null &&
    apt-helper cat-file "$work/Packages.xz" >"$work/Packages" || exit 1
  $sudo rm -f "$lists/$name" "$lists/$name".*
  $sudo cp "$work/Packages" "$lists/$name" || exit 1
  cat >&2 <<EOF
********************************************************************************
WARNING (ORVANTA_ALLOW_UNVERIFIED_I386_LIST=1): took the 32-bit list
  $url
although it does not match the mirror's signed Release file. It is UNVERIFIED:
whatever apt installs for i386 from it is checked only against this list.
********************************************************************************
EOF
done

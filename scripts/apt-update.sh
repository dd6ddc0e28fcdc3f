#!/usr/bin/env bash
# Refreshes Debian's package lists. A mirror caught in the middle of a sync
# serves an index whose size does not match its Release file, and apt-get
# update fails; the sync usually ends within minutes, so the update is tried
# again before giving up.
set -uo pipefail
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
log=$(mktemp)
for wait in 0 15 30 60 120 180; do
  if [ "$wait" -gt 0 ]; then
    echo "apt-get update failed; trying again in $wait s"
    sleep "$wait"
  fi
  # Any list that failed counts as a failure, so that a half-updated set (new
  # 64-bit packages beside old 32-bit ones) is never installed from.
  if $sudo apt-get -o Acquire::Retries=3 update 2>&1 | tee "$log" &&
     ! grep -q '^E: ' "$log"; then
    rm -f "$log"
    exit 0
  fi
done
rm -f "$log"
echo "apt-get update kept failing" >&2
exit 1

#!/usr/bin/env bash
# Times orvanta-batch making the largest batch (9,999 passwords of 34
# characters) against `pwgen -s 34 9999` in the same run, and prints the
# ratio of their best wall-clock times.
#   usage: bench/pwgen_ratio.sh [path/to/orvanta-batch] [repeats]
set -eu
[ -n "${EPOCHREALTIME:-}" ] || { echo "pwgen_ratio: needs bash 5 (EPOCHREALTIME)" >&2; exit 2; }

batch=${1:-build/native/bin/orvanta-batch}
repeats=${2:-15}
[ -x "$batch" ] || { echo "pwgen_ratio: no orvanta-batch at $batch (give its path)" >&2; exit 2; }
command -v pwgen >/dev/null || { echo "pwgen_ratio: pwgen is not installed" >&2; exit 2; }

# Best of $repeats runs of "$@", output discarded, in microseconds. The clock
# is read from the shell itself: forking `date` would add its own start-up to
# every measurement.
best_us() {
  local best= i start end t
  for ((i = 0; i < repeats; i++)); do
    start=${EPOCHREALTIME/[.,]/}
    "$@" >/dev/null
    end=${EPOCHREALTIME/[.,]/}
    t=$((10#$end - 10#$start))
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  echo "$best"
}

# Alternate the two so that both see the same machine load.
orv_best=
pw_best=
round=0
while [ "$round" -lt 3 ]; do
  o=$(best_us "$batch" --length 34 --count 9999)
  p=$(best_us pwgen -s 34 9999)
  if [ -z "$orv_best" ] || [ "$o" -lt "$orv_best" ]; then orv_best=$o; fi
  if [ -z "$pw_best" ] || [ "$p" -lt "$pw_best" ]; then pw_best=$p; fi
  round=$((round + 1))
done

awk -v o="$orv_best" -v p="$pw_best" 'BEGIN {
  printf "orvanta-batch --length 34 --count 9999: %8.3f ms (best)\n", o / 1e3
  printf "pwgen -s 34 9999:                       %8.3f ms (best)\n", p / 1e3
  printf "ratio pwgen / orvanta-batch:            %8.1fx (goal: at least 40x)\n", p / o
}'

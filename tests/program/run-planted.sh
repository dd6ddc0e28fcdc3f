#!/usr/bin/env bash
# The whole session with DLLs planted beside the program: stand-ins named
# like DLLs the program uses, and Wine told to look for them as Windows does
# (program folder first). Fails when a stand-in ran, or the session fails.
#   run-planted.sh BUILD_DIR PROGRAM.exe STAND_IN.dll
set -euo pipefail
build=$1 program=$2 standIn=$3
names=(riched32 riched20 comctl32)
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
home="$folder/Łódź-Ω-李 program"  # where run-session.sh puts the program
mkdir -p "$home"
for name in "${names[@]}"; do cp "$standIn" "$home/$name.dll"; done
status=0
ORVANTA_SESSION_FOLDER=$folder ORVANTA_WINEDLLOVERRIDES="$(IFS=,; echo "${names[*]}")=n,b" \
  "$(dirname "$0")/run-session.sh" "$build" "$program" || status=1
# Each stand-in that ran left "<its name as loaded>.ran"; Windows names are
# not case-sensitive, the folder's are.
ran=$(cd "$home" && find . -iname '*.ran' -printf '%f ')
if [ -n "$ran" ]; then
  echo "FAILED: DLLs beside the program ran inside it: $ran" >&2
  status=1
fi
[ $status -eq 0 ] && echo "no planted DLL ran: ${names[*]}"
exit $status

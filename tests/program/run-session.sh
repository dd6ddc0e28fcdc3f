#!/usr/bin/env bash
# Runs the session driver against PROGRAM.exe in a fresh empty folder.
#   run-session.sh BUILD_DIR PROGRAM.exe [--start-only | --without-rich-edit]
# The program, beside its help files, and the folder it starts in are named
# with letters that the system's code page cannot spell, as many users'
# folders are.
set -euo pipefail
build=$1 program=$2
# ORVANTA_SESSION_FOLDER: a folder of the caller's to run in (kept
# afterwards, e.g. to look at what was put beside the program).
if [ -n "${ORVANTA_SESSION_FOLDER:-}" ]; then
  folder=$ORVANTA_SESSION_FOLDER
else
  folder=$(mktemp -d)
  trap 'rm -rf "$folder"' EXIT
fi
home="$folder/Łódź-Ω-李 program" work="$folder/Łódź-Ω-李 work"
mkdir -p "$home" "$work"
cp "$program" "$(dirname "$program")/orv.hlp" "$(dirname "$program")/orv.html" "$home/"
# Without the rich edit library (Wine passes its DLL settings on to the
# programs a program starts), the program cannot make its main window.
[ "${3:-}" = --without-rich-edit ] && export ORVANTA_WINEDLLOVERRIDES="riched32="
# The paths Wine's programs see for this machine's paths (drive Z: is /).
winepath_of() { echo "Z:${1//\//\\}"; }
"$build/wine-run.sh" "$build/bin/orvanta_session.exe" ${3:-} "$(winepath_of "$home/$(basename "$program")")" \
  "$(winepath_of "$work")"
# Wine keeps file names as UTF-8 on disk: each saved file is there by its real name.
if [ -z "${3:-}" ]; then
  for name in mypsw.txt "batch-Łódź-Ω-李.txt" "export-Łódź-Ω-李.txt"; do
    [ -s "$work/$name" ] || { echo "not on disk by its name: $work/$name" >&2; exit 1; }
  done
fi

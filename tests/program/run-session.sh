#!/usr/bin/env bash
# Runs the session driver against PROGRAM.exe in a fresh empty folder.
#   run-session.sh BUILD_DIR PROGRAM.exe [--start-only]
set -euo pipefail
build=$1 program=$2
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
# The paths Wine's programs see for this machine's paths (drive Z: is /).
winepath_of() { echo "Z:${1//\//\\}"; }
"$build/wine-run.sh" "$build/bin/orvanta_session.exe" ${3:-} "$(winepath_of "$program")" "$(winepath_of "$folder")"

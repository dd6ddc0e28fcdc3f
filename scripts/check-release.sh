#!/usr/bin/env bash
# Makes the release packages and checks them as a user receives them:
# - each zip holds exactly orvanta.exe, orv.hlp, orv.html and README.txt in
#   one folder, and the sums match;
# - each program holds no path of the build machine, has ASLR (dynamic base
#   with its relocations kept; high entropy on 64-bit), DEP and the stack
#   protector, and imports at start only DLLs that Windows loads from its
#   own folder (KnownDLLs), so no DLL beside the program is loaded instead;
# - each program carries its application manifest (read back with icoutils'
#   wrestool): asInvoker, Windows 7 to 11, per-monitor DPI awareness,
#   Common Controls 6, long paths;
# - a second build of the committed source, in a folder of another name,
#   gives the same SHA256SUMS;
# - each unpacked program goes through the whole-program session under Wine
#   (tests/program).
# Every check prints ok or FAIL (or skip: the 32-bit program's session on a
# machine whose kernel runs no 32-bit programs) and the script goes on; it
# exits non-zero when any check failed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/release.sh --no-setup >/dev/null
status=0
ok() { echo "ok   $*"; }
fail() {
  echo "FAIL $*" >&2
  status=1
}

# KnownDLLs of Windows 10/11, and the DLLs that are always the system's own.
known_dlls=(advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 msctf msvcrt
  normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32 ws2_32
  gdi32full kernelbase ucrtbase ntdll)
is_known_dll() {
  local known
  for known in "${known_dlls[@]}"; do
    [ "$known" = "$1" ] && return 0
  done
  return 1
}

# The PE header and import table of PROGRAM, as objdump of TRIPLE reads them.
check_program() {
  local preset=$1 program=$2 triple=$3 unstripped=$4
  local pe
  pe=$("$triple-objdump" -p "$program")
  local dll_chars chars reloc_size
  dll_chars=$(awk '$1 == "DllCharacteristics" {print $2}' <<<"$pe")
  chars=$(awk '$1 == "Characteristics" {print $2}' <<<"$pe")
  reloc_size=$(awk '/Base Relocation Directory/ {print $4}' <<<"$pe")
  dll_chars=$((16#${dll_chars:-0})) chars=$((${chars:-0x1})) reloc_size=$((16#${reloc_size:-0}))
  local want=$((0x40 | 0x100)) wanted="DYNAMIC_BASE NX_COMPAT"
  if [ "$preset" = win64 ]; then
    want=$((want | 0x20)) wanted="$wanted HIGH_ENTROPY_VA"
  fi
  local summary
  summary=$(printf 'DllCharacteristics 0x%04x, Characteristics 0x%04x, relocations 0x%x bytes' \
    "$dll_chars" "$chars" "$reloc_size")
  if (( (dll_chars & want) == want && !(chars & 0x1) && reloc_size > 0 )); then
    ok "$preset ASLR and DEP: $wanted; $summary"
  else
    fail "$preset ASLR and DEP: want $wanted, relocations kept; $summary"
  fi

  # Only the import table: DLLs delay-loaded later are searched for safely
  # by the program itself.
  local imports unknown="" dll
  imports=$(awk '/^The Import Tables/ {on = 1; next} on && /^[^ \t]/ {on = 0} on && /DLL Name:/ {print $3}' <<<"$pe" | tr '\n' ' ')
  imports=${imports% }
  for dll in $imports; do
    dll=${dll%.*}
    is_known_dll "${dll,,}" || unknown="$unknown $dll"
  done
  if [ -z "$imports" ]; then
    fail "$preset imports at start: none read from objdump -p"
  elif [ -n "$unknown" ]; then
    fail "$preset imports at start a DLL that is not a known DLL:$unknown (all: $imports)"
  else
    ok "$preset imports at start only known DLLs: $imports"
  fi

  # The application manifest: resource type 24 (RT_MANIFEST), ID 1.
  local manifest setting missing=""
  manifest=$(wrestool -x --raw -t 24 -n 1 "$program" 2>/dev/null || true)
  local settings=('requestedExecutionLevel level="asInvoker"'
    '<supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>' '<supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/>'
    '<supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>' '<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>'
    'WindowsSettings">PerMonitorV2' 'WindowsSettings">true/pm</dpiAware>' 'WindowsSettings">true</longPathAware>'
    'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' 'processorArchitecture="*"')
  for setting in "${settings[@]}"; do
    grep -q -F -- "$setting" <<<"$manifest" || missing="$missing [$setting]"
  done
  if [ -z "$manifest" ]; then
    fail "$preset has no application manifest (RT_MANIFEST 1)"
  elif [ -n "$missing" ]; then
    fail "$preset manifest lacks:$missing"
  else
    ok "$preset manifest: asInvoker, Windows 7, 8, 8.1, 10/11, PerMonitorV2 (true/pm), Common Controls 6, long paths"
  fi

  local symbols
  symbols=$("$triple-nm" "$unstripped")
  if grep -q ' T _*__stack_chk_fail$' <<<"$symbols"; then
    ok "$preset stack protector linked in"
  else
    fail "$preset: no __stack_chk_fail in $unstripped: built without -fstack-protector-strong?"
  fi

  local folder found=""
  for folder in "$(pwd -P)" "$(pwd -P)/build/$preset"; do
    grep -q -a -F "$folder" "$program" && found="$found $folder"
  done
  if [ -z "$found" ]; then
    ok "$preset holds no build folder name"
  else
    fail "$preset holds the build folder name:$found"
  fi
}

if (cd dist && sha256sum -c --quiet SHA256SUMS); then
  ok "dist/SHA256SUMS matches the packages"
else
  fail "dist/SHA256SUMS does not match the packages"
fi
for zip in dist/orvanta-*-win32.zip dist/orvanta-*-win64.zip; do
  preset=$(basename "$zip" .zip | sed 's/.*-//')
  folder=$(basename "$zip" .zip)
  listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort | tr '\n' ' ')
  expected="$folder/README.txt $folder/orv.hlp $folder/orv.html $folder/orvanta.exe "
  if [ "$listed" != "$expected" ]; then
    fail "$zip holds: $listed"
    continue
  fi
  triple=$([ "$preset" = win32 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32)
  unpacked=$(mktemp -d)
  unzip -q "$zip" -d "$unpacked"
  check_program "$preset" "$unpacked/$folder/orvanta.exe" "$triple" "build/$preset/bin/orvanta.exe"
  rm -rf "$unpacked"
done

# The second build: the committed source (or, without git, this tree) copied
# to a folder of another name, built from scratch and packaged as above.
rebuild=$(mktemp -d "${TMPDIR:-/tmp}/orvanta-rebuild.XXXXXX")
trap 'rm -rf "$rebuild"' EXIT
mkdir "$rebuild/source"
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
  [ -z "$(git status --porcelain --untracked-files=no)" ] ||
    echo "note: uncommitted changes; the second build is of the commit $(git rev-parse --short HEAD)"
  git archive HEAD | tar -x -C "$rebuild/source"
else
  tar -c --exclude=./build --exclude=./dist . | tar -x -C "$rebuild/source"
fi
started=$SECONDS
if (cd "$rebuild/source" && scripts/release.sh --no-setup >"$rebuild/release.log" 2>&1); then
  if cmp -s dist/SHA256SUMS "$rebuild/source/dist/SHA256SUMS"; then
    ok "reproducible: a second build in $rebuild/source gives the same packages ($((SECONDS - started)) s)"
    sed 's/^/     /' dist/SHA256SUMS
  else
    fail "not reproducible: the second build in $rebuild/source gives other packages"
    diff dist/SHA256SUMS "$rebuild/source/dist/SHA256SUMS" >&2 || true
    for zip in dist/*.zip; do
      diff <(unzip -v "$zip" | sed 1d) <(unzip -v "$rebuild/source/$zip" | sed 1d) >&2 || true
    done
  fi
else
  fail "the second build in $rebuild/source failed:"
  tail -20 "$rebuild/release.log" >&2
fi

for zip in dist/orvanta-*-win32.zip dist/orvanta-*-win64.zip; do
  preset=$(basename "$zip" .zip | sed 's/.*-//')
  folder=$(basename "$zip" .zip)
  if [ "$preset" = win32 ] && ! why=$(scripts/runs-32bit.sh 2>&1); then
    echo "skip $zip: whole-program session not run ($why)"
    continue
  fi
  unpacked=$(mktemp -d)
  unzip -q "$zip" -d "$unpacked"
  if tests/program/run-session.sh "build/$preset" "$unpacked/$folder/orvanta.exe"; then
    ok "$zip: $(du -k "$unpacked/$folder/orvanta.exe" | cut -f1) KB program, whole session passed"
  else
    fail "$zip: the whole-program session failed"
  fi
  rm -rf "$unpacked"
done
exit $status

#!/usr/bin/env bash
# Prints the mirror this machine's apt takes Debian's own release from, as
# "URI KEYRING" (no KEYRING when apt's default trusted keys check it), so that
# the set-up fetches from whatever mirror the machine is set up to use and
# names none itself. The entry is the first, in apt's order (sources.list,
# then sources.list.d/*.list and *.sources), of type deb whose suites hold the
# release's codename and whose components hold main. Skipped: disabled
# entries, deb-src, the security and updates suites (their suites differ from
# the codename), CD-ROMs and entries signed by a keyring other than Debian's
# archive keyring (another origin). Exits 1, saying why, when there is none.
# Arguments, for the tests: apt's configuration folder, the codename.
set -uo pipefail
etc=${1:-/etc/apt}
codename=${2:-$(. /etc/os-release && echo "${VERSION_CODENAME:-}")}
[ -n "$codename" ] || { echo "the Debian release's codename is not known (/etc/os-release)" >&2; exit 1; }
shopt -s nullglob
files=()
[ -f "$etc/sources.list" ] && files+=("$etc/sources.list")
for f in "$etc"/sources.list.d/*; do
  case $f in *.list | *.sources) files+=("$f") ;; esac
done

[ ${#files[@]} -gt 0 ] && awk -v codename="$codename" '
function has(list, word,   n, w, k) {
  n = split(list, w, /[ \t]+/)
  for (k = 1; k <= n; k++) if (w[k] == word) return 1
  return 0
}
function consider(enabled, types, uri, suites, components, keyring) {
  if (tolower(enabled) != "no" && has(types, "deb") && has(suites, codename) && has(components, "main") &&
      uri != "" && uri !~ /^cdrom:/ && (keyring == "" || keyring ~ /^[^ \t]*\/debian-archive-[^\/ \t]*$/)) {
    print uri, keyring
    found = 1
    exit
  }
}
# A deb822 stanza ends at a blank line or at the end of its file.
function stanza_end() {
  split(field["uris"], u, /[ \t]+/)
  consider(field["enabled"], field["types"], u[1], field["suites"], field["components"], field["signed-by"])
  delete field
  name = ""
}
FNR == 1 { stanza_end() }
FILENAME ~ /\.sources$/ {
  if ($0 ~ /^#/) next
  if ($0 ~ /^[ \t]*$/) { stanza_end(); next }
  if ($0 ~ /^[ \t]/) { if (name != "") field[name] = field[name] $0; next }
  colon = index($0, ":")
  name = tolower(substr($0, 1, colon - 1))
  value = substr($0, colon + 1)
  gsub(/^[ \t]+|[ \t]+$/, "", value)
  field[name] = value
  next
}
{
  line = $0
  sub(/#.*/, "", line)
  options = ""
  if (match(line, /\[[^]]*\]/)) {
    options = substr(line, RSTART + 1, RLENGTH - 2)
    line = substr(line, 1, RSTART - 1) " " substr(line, RSTART + RLENGTH)
  }
  gsub(/^[ \t]+/, "", line)
  n = split(line, w, /[ \t]+/)
  components = ""
  for (k = 4; k <= n; k++) components = components " " w[k]
  keyring = ""
  if (match(options, /signed-by=[^ \t]*/)) keyring = substr(options, RSTART + 10, RLENGTH - 10)
  consider("yes", w[1], w[2], w[3], components, keyring)
}
END { if (!found) stanza_end(); if (!found) exit 1 }
' "${files[@]}" && exit 0
echo "no Debian mirror for \"$codename\" with component main is set up in $etc/sources.list or $etc/sources.list.d/" >&2
exit 1

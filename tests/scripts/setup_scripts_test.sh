#!/usr/bin/env bash
# The set-up scripts' decisions, without network or root:
#   setup_scripts_test.sh apt-update   a mirror that stays out of step with its
#                                      Release file: apt-update.sh refuses its
#                                      list, and takes it only when allowed
#   setup_scripts_test.sh mirror       debian-mirror.sh picks the machine's
#                                      Debian mirror from sample configurations
set -uo pipefail
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
check() {  # check DESCRIPTION COMMAND...
  "${@:2}" || { echo "FAIL: $1" >&2; failures=$((failures + 1)); }
}

apt_update() {
  # The fakes come first on PATH. apt-get fails the way apt 2.6 reports a
  # list whose size does not match the Release file; apt-helper serves that
  # list and leaves everything else to the real one.
  local list=mirror.example.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz
  mkdir -p "$tmp/bin" "$tmp/lists"
  printf 'Package: libc6\nArchitecture: i386\nVersion: 2.36-9+deb12u1\n' >"$tmp/Packages"
  xz -k "$tmp/Packages"
  cat >"$tmp/bin/apt-get" <<EOF
#!/bin/sh
echo update >>"$tmp/apt-get.calls"
echo "Get:1 http://$list [1234 kB]"
echo "E: Failed to fetch http://$list  File has unexpected size (1263820 != 1264508). Mirror sync in progress? [IP: 192.0.2.1 80]"
echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
exit 100
EOF
  cat >"$tmp/bin/apt-helper" <<EOF
#!/bin/sh
[ "\$3" = download-file ] && [ "\$4" = "http://$list" ] && exec cp "$tmp/Packages.xz" "\$5"
exec /usr/lib/apt/apt-helper "\$@"
EOF
  printf '#!/bin/sh\nexec "$@"\n' >"$tmp/bin/sudo"
  printf '#!/bin/sh\n' >"$tmp/bin/sleep"
  chmod +x "$tmp/bin"/*
  echo "Dir::State::lists \"$tmp/lists\";" >"$tmp/apt.conf"
  export PATH="$tmp/bin:$PATH" APT_CONFIG="$tmp/apt.conf"

  local out status
  out=$(ORVANTA_ALLOW_UNVERIFIED_I386_LIST='' "$scripts/apt-update.sh" 2>&1)
  status=$?
  check "refuses the list by default (exit $status)" test "$status" -ne 0
  check "tries the update twice" test "$(grep -c . "$tmp/apt-get.calls")" -eq 2
  check "names the list" grep -q "^  http://$list\$" <<<"$out"
  check "says the mirror is out of step" grep -q "out of step with its Release file" <<<"$out"
  check "takes nothing into apt's lists" test -z "$(ls -A "$tmp/lists")"
  [ "$failures" -eq 0 ] || echo "$out" >&2

  out=$(ORVANTA_ALLOW_UNVERIFIED_I386_LIST=1 "$scripts/apt-update.sh" 2>&1)
  status=$?
  check "takes the list when allowed (exit $status)" test "$status" -eq 0
  local name=${list//\//_}
  check "the list is in apt's lists, as apt names it" cmp -s "$tmp/Packages" "$tmp/lists/${name%.xz}"
  check "warns that the list is unverified" grep -q "UNVERIFIED" <<<"$out"
  [ "$failures" -eq 0 ] || echo "$out" >&2
}

mirror() {
  # Sources as machines have them: a security archive, a third party with a
  # keyring of its own and the same suite, deb-src, a disabled stanza and a
  # CD-ROM beside the Debian mirror. Each case gives the Debian entry's
  # address and keyring, or none.
  local etc=$tmp/etc got
  mkdir -p "$etc/sources.list.d"
  cat >"$etc/sources.list.d/debian.sources" <<'EOF'
Types: deb
URIs: http://old.example.org/debian
Suites: bookworm
Components: main
Enabled: no

Types: deb deb-src
# a comment inside a stanza
URIs: http://mirror.example.org/debian http://second.example.org/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://mirror.example.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  cat >"$etc/sources.list.d/a-vendor.sources" <<'EOF'
Types: deb
URIs: https://vendor.example.com/apt
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/vendor-keyring.gpg
EOF
  got=$("$scripts/debian-mirror.sh" "$etc" bookworm)
  check "deb822: the Debian stanza (got '$got')" \
    test "$got" = "http://mirror.example.org/debian /usr/share/keyrings/debian-archive-keyring.gpg"

  cat >"$etc/sources.list" <<'EOF'
deb cdrom:[Debian GNU/Linux 12.5.0 _Bookworm_ - Official amd64 DVD Binary-1]/ bookworm main
deb-src http://src.example.org/debian bookworm main
deb [signed-by=/usr/share/keyrings/vendor-keyring.gpg] https://vendor.example.com/apt bookworm main
deb http://mirror.example.net/debian-security bookworm-security main
deb http://mirror.example.net/debian/ bookworm contrib
deb [ arch=amd64 ] http://mirror.example.net/debian/ bookworm main non-free-firmware # the mirror
EOF
  got=$("$scripts/debian-mirror.sh" "$etc" bookworm)
  check "one-line sources.list, read first, with no keyring (got '$got')" \
    test "$got" = "http://mirror.example.net/debian/ "
  got=$("$scripts/debian-mirror.sh" "$etc" trixie 2>&1)
  check "no mirror for the release: fails" test $? -ne 0
  check "no mirror for the release: says so" grep -q "no Debian mirror for \"trixie\"" <<<"$got"
}

case ${1:-} in
  apt-update) apt_update ;;
  mirror) mirror ;;
  *) echo "usage: $0 apt-update|mirror" >&2; exit 2 ;;
esac
[ "$failures" -eq 0 ] && echo "all checks passed"

#!/usr/bin/env bash
# Installs what building and testing Orvanta needs on Debian 12: compilers
# (host, clang with its sanitizer and fuzzer runtimes, MinGW-w64 for 32- and
# 64-bit Windows), GoogleTest and Google Benchmark, Wine with a virtual X
# display, ImageMagick for screenshots, pwgen for the speed comparison.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 fonts-wine xvfb xauth x11-utils imagemagick fonts-dejavu-core fonts-liberation pwgen
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"

#!/usr/bin/env bash
# Installs what building and testing Orvanta needs on Debian 12: compilers
# (host, clang with its sanitizer and fuzzer runtimes, MinGW-w64 for 32- and
# 64-bit Windows), GoogleTest and Google Benchmark, the 32- and 64-bit Wine
# with a virtual X display, ImageMagick for screenshots, Ghostscript to read
# printed pages back, zip for the release packages, icoutils to read the
# programs' manifests back, clang-format for the house style, pwgen for the
# speed comparison.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 wine32:i386 fonts-wine xvfb xauth x11-utils imagemagick fonts-dejavu-core fonts-liberation pwgen
  ghostscript zip unzip icoutils clang-format
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
# The 32-bit Wine runs the 32-bit program, the one users get.
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
install_packages() {
  "$(dirname "$0")/apt-update.sh" &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o Acquire::Retries=3 install -y "${missing[@]}"
}
# A mirror in the middle of a sync may also serve a package that no longer
# matches its list: the lists are read again and the install tried once more.
install_packages || { sleep 60 && install_packages; }

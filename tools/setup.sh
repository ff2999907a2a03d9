#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine.
# Safe to run again: it only installs what is missing.
set -euo pipefail

PACKAGES=(
  cmake make g++ pkg-config python3
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  libgtest-dev libbenchmark-dev liblodepng-dev zlib1g-dev libz-mingw-w64-dev
  libfreetype-dev fonts-dejavu-core fonts-dejavu-extra
  fp-utils-3.2.2
  wine64 xvfb xdotool imagemagick x11-utils
  clang libclang-rt-14-dev
  zip dpkg-dev
  python3-yaml  # the test command parses the CI workflows
  debootstrap  # the chroot with Wine 10 for the 32-bit program (tools/wine32-chroot.sh)
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

need_src=0
src_list=/etc/apt/sources.list.d/debian-src.sources
[ -f "$src_list" ] || need_src=1

if [ "${#missing[@]}" -gt 0 ] || [ "$need_src" = 1 ]; then
  if [ "$need_src" = 1 ] && [ -f /etc/apt/sources.list.d/debian.sources ]; then
    # Source entries let the build fetch LodePNG's source for the Windows targets.
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$src_list"
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi
echo "setup: all packages present"

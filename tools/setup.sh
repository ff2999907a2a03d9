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

# The Windows builds take LodePNG's source from Debian's source package, so apt
# needs source entries. It keeps entries one a line in sources.list and *.list
# files, or as stanzas in *.sources files; one deb-src entry anywhere will do.
apt_dir=/etc/apt
has_entries() {  # $1: deb or deb-src
  local f
  for f in "$apt_dir/sources.list" "$apt_dir"/sources.list.d/*.list; do
    [ -f "$f" ] && grep -Eq "^[[:space:]]*$1[[:space:]]" "$f" && return 0
  done
  for f in "$apt_dir"/sources.list.d/*.sources; do
    [ -f "$f" ] && awk -v want="$1" 'BEGIN { RS = "" }
      { on = 1; types = ""
        n = split($0, line, "\n")
        for (i = 1; i <= n; i++) {
          if (line[i] ~ /^Types:/) types = " " substr(line[i], 7) " "
          if (tolower(line[i]) ~ /^enabled:[ \t]*no/) on = 0
        }
        gsub(/\t/, " ", types)
        if (on && index(types, " " want " ")) found = 1 }
      END { exit !found }' "$f" && return 0
  done
  return 1
}

need_update=0
if ! has_entries deb-src; then
  # Made from the entries the Debian installer writes, in either form.
  if grep -qx 'Types: deb' "$apt_dir/sources.list.d/debian.sources" 2>/dev/null; then
    sed 's/^Types: deb$/Types: deb-src/' "$apt_dir/sources.list.d/debian.sources" \
      > "$apt_dir/sources.list.d/debian-src.sources"
  elif grep -v cdrom: "$apt_dir/sources.list" 2>/dev/null | grep -Eq '^[[:space:]]*deb[[:space:]]'; then
    grep -v cdrom: "$apt_dir/sources.list" | sed -En 's/^[[:space:]]*deb[[:space:]]/deb-src /p' \
      > "$apt_dir/sources.list.d/debian-src.list"
  else
    echo "setup: apt has no Debian package sources (neither $apt_dir/sources.list nor" \
         "$apt_dir/sources.list.d/ names a mirror): add the Debian 12 mirror with deb and" \
         "deb-src entries, e.g. 'deb http://deb.debian.org/debian bookworm main' and the same" \
         "line with deb-src, then run this again" >&2
    exit 1
  fi
  echo "setup: added source entries for LodePNG's source package"
  need_update=1
fi
# Entries added by hand since apt last read its sources: it reads them once.
compgen -G '/var/lib/apt/lists/*_Sources*' >/dev/null || need_update=1

if [ "${#missing[@]}" -gt 0 ] || [ "$need_update" = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi
echo "setup: all packages present"

#!/usr/bin/env bash
# Builds the players' zip a second time from a copy of the source in another
# folder: later, in another time zone, with another umask and, when run as
# root, as another user (nobody). Every file in the zip, then the zip itself,
# must be the same bytes as the first build's; the first that is not is named.
# usage: bash tests/package/rebuild.sh PRESET   (after cmake --build --preset PRESET)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
preset=$1
zip=Tessary-$preset.zip
first=$root/build/$preset
[ -f "$first/$zip" ] || { echo "rebuild: no $first/$zip: build the $preset preset first" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tessary-rebuild.XXXXXX")
trap 'rm -rf "$work"' EXIT
copy=$work/elsewhere/Tessary-source
mkdir -p "$copy"
(cd "$root" && git ls-files -z -co --exclude-standard) | while IFS= read -r -d '' f; do
    [ -e "$root/$f" ] && cp --parents -t "$copy" -- "$f" <&-
done
cp -r "$root/.deps/lodepng" "$work/lodepng"  # the user below may not reach $root
as=()
if [ "$(id -u)" = 0 ]; then
    chown -R nobody: "$work"
    as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi

start=$SECONDS
if ! "${as[@]}" env -C "$copy" HOME="$work" TZ=Pacific/Kiritimati \
        SOURCE_DATE_EPOCH="$(cat "$first/source-date-epoch")" bash -c '
        umask 0027
        cmake --preset "$1" -DLODEPNG_CACHE="$2" && cmake --build --preset "$1" --target tessary_zip' \
        rebuild "$preset" "$work/lodepng" >"$work/build.log" 2>&1; then
    tail -20 "$work/build.log"
    echo "rebuild: the second build failed"
    exit 1
fi
echo "rebuild: the second build (in $copy, as $("${as[@]}" id -un)) took $((SECONDS - start)) s"

second=$copy/build/$preset
mkdir "$work/first" "$work/second"
(cd "$work/first" && cmake -E tar xf "$first/$zip")
(cd "$work/second" && cmake -E tar xf "$second/$zip")
for f in $( (cd "$work/first" && find . -type f; cd "$work/second" && find . -type f) | sort -u); do
    if ! cmp -s "$work/first/$f" "$work/second/$f"; then
        echo "rebuild: ${f#./} differs between the two builds"
        exit 1
    fi
done
if ! cmp -s "$first/$zip" "$second/$zip"; then
    echo "rebuild: $zip differs between the two builds, though every file in it is the same"
    exit 1
fi
echo "rebuild: $zip and every file in it are the same bytes from both builds"

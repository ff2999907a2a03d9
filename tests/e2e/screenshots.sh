#!/usr/bin/env bash
# Runs the end-to-end driver and takes a screenshot of the whole X screen
# (import -window root) at each of the driver's screenshot points: idle,
# dealt, mid-game, solved, time-up. Next to each NAME-screen.png the driver
# leaves NAME.bmp, the window as it captured it.
# Usage: screenshots.sh DRIVER.exe DIST_FOLDER OUT_FOLDER [--filter TEXT]
# With TESSARY_LOG_PIXELS=N the display has N DPI (see run.sh).
set -u
driver=$1
dist=$2
out=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/wine-env.sh"

mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(cd "$(dirname "$driver")" && pwd)
watcher=
trap '[ -n "$watcher" ] && kill "$watcher" 2>/dev/null; wine_env_stop remove' EXIT
trap 'exit 130' INT TERM
wine_env_use "$dist" || exit 1
[ "$WINE_ENV_CHROOT" = 1 ] || wine_env_prefix "$work/wine-cache" "$work/wine-shots-$$" || exit 1
wine_env_scale
wine_env_xvfb || exit 1

# The driver writes NAME.wait and waits until it is gone.
(
    while :; do
        for wait_file in "$out"/*.wait; do
            [ -e "$wait_file" ] || continue
            name=$(basename "$wait_file" .wait)
            import -window root -display "$DISPLAY" "$out/$name-screen.png"
            rm -f "$wait_file"
        done
        sleep 0.1
    done
) &
watcher=$!

TESSARY_E2E_SHOTS="Z:$(echo "$out" | tr / '\\')" \
    wine_env_run --bind "$work" --bind "$dist" --bind "$out" "$driver" "$dist" "$@"
rc=$?
ls "$out"
exit $rc

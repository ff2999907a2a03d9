#!/usr/bin/env bash
# Runs the end-to-end driver under Wine with one prepared prefix and one Xvfb
# for the whole run, and stops both afterwards. A 32-bit Tessary.exe runs under
# Wine 10 in a chroot (tools/wine32-chroot.sh), a 64-bit one under this
# machine's Wine; the driver may be either. The suite runs as a plain user the
# run makes and removes, where it can, and fails when a record of the player's
# own that it puts in the prefix does not survive it.
# Usage: run.sh DRIVER.exe DIST_FOLDER [--filter TEXT]
# With TESSARY_LOG_PIXELS=N the display has N DPI, on a screen as many times
# larger than 1024 x 768 (the same screen at that scale).
# Exit code 77: the 32-bit program's chroot cannot be had on this machine.
set -u
driver=$1
dist=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/wine-env.sh"

[ -f "$driver" ] || { echo "e2e: no driver $driver (build its preset first)"; exit 1; }
work=$(cd "$(dirname "$driver")" && pwd)
driver=$work/$(basename "$driver")
dist=$(cd "$dist" && pwd)
# Two copies of the program folder, without a record or a current picture, for
# the cases that run the game from installs it cannot write (TESSARY_E2E_READONLY).
readonly_copies=$work/readonly-$$
trap 'wine_env_stop remove; rm -rf "$readonly_copies"' EXIT
trap 'exit 130' INT TERM
rm -rf "$readonly_copies"
mkdir -p "$readonly_copies" || exit 1
for copy in a b; do
    cp -a "$dist" "$readonly_copies/$copy" || exit 1
    rm -f "$readonly_copies/$copy/stats.txt" "$readonly_copies/$copy/BmpImages/game_image00.bmp"
done
export TESSARY_E2E_READONLY="$readonly_copies/a;$readonly_copies/b"
wine_env_use "$dist" || exit 1
# As a plain user of the run's own, the copies (root's) are read-only to the game,
# and read-only files are refused as Windows refuses them; as root, a mount makes
# the copies read-only and the cases that need the refusals say they skip.
if ! wine_env_plain_user; then
    echo "e2e: no plain user can be made here; the suite runs as $(id -un)"
elif [ "$WINE_ENV_CHROOT" = 1 ]; then
    export TESSARY_PLAIN_USER="$WINE_ENV_USER:$(id -u "$WINE_ENV_USER"):$(id -g "$WINE_ENV_USER")"
fi
if [ "$WINE_ENV_CHROOT" = 1 ]; then
    where="Wine 10 in its chroot"
else
    wine_env_prefix "$work/wine-cache" "$work/wine-run-$$" || exit 1
    where="Wine prefix $WINEPREFIX"
fi
wine_env_scale
[ -z "${TESSARY_LOG_PIXELS:-}" ] || where="$where at $TESSARY_LOG_PIXELS DPI"
wine_env_xvfb || exit 1
echo "e2e: $where, display $DISPLAY, as ${WINE_ENV_USER:-$(id -un)}"
# A record of the player's own, which the suite must leave as it found it, with
# everything else in that folder: nothing added, nothing changed.
players=
contents() { (cd "$1" && find . | LC_ALL=C sort && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha1sum); }
if [ "$WINE_ENV_CHROOT" = 0 ]; then
    players=$WINEPREFIX/drive_c/users/${WINE_ENV_USER:-$(id -un)}/AppData/Local/Tessary
    mkdir -p "$players" && printf '7 07 707 ' >"$players/stats.txt" || exit 1
    [ -z "$WINE_ENV_USER" ] || chown -R "$WINE_ENV_USER:" "$WINEPREFIX/drive_c/users/$WINE_ENV_USER"
    before=$(contents "$players")
fi
if [ "$WINE_ENV_CHROOT" = 1 ]; then
    wine_env_run --bind "$work" --bind "$dist" --bind-ro "$readonly_copies" "$driver" "$dist" "$@"
elif [ -n "$WINE_ENV_USER" ]; then
    wine_env_run "$driver" "$dist" "$@"
else
    wine_env_readonly "$readonly_copies" "$WINE64" "$driver" "$dist" "$@"
fi
rc=$?
if [ -n "$players" ] && [ "$(contents "$players" 2>&1)" != "$before" ]; then
    echo "e2e: FAILED: the player's folder ${players#"$WINEPREFIX/"} is not as the suite found it (a record in it: 7 07 707)"
    rc=1
fi
exit $rc

#!/usr/bin/env bash
# Runs the end-to-end driver under Wine with one prepared prefix and one Xvfb
# for the whole run, and stops both afterwards. A 32-bit Tessary.exe runs under
# Wine 10 in a chroot (tools/wine32-chroot.sh), a 64-bit one under this
# machine's Wine; the driver may be either.
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
# A copy of the program folder, without a record or a current picture, for the
# cases that run the game from a folder it cannot write (TESSARY_E2E_READONLY).
readonly_copy=$work/readonly-$$
trap 'wine_env_stop remove; rm -rf "$readonly_copy"' EXIT
trap 'exit 130' INT TERM
rm -rf "$readonly_copy"
cp -a "$dist" "$readonly_copy" || exit 1
rm -f "$readonly_copy/stats.txt" "$readonly_copy/BmpImages/game_image00.bmp"
export TESSARY_E2E_READONLY=$readonly_copy
wine_env_use "$dist" || exit 1
if [ "$WINE_ENV_CHROOT" = 1 ]; then
    where="Wine 10 in its chroot"
else
    wine_env_prefix "$work/wine-cache" "$work/wine-run-$$" || exit 1
    where="Wine prefix $WINEPREFIX"
fi
wine_env_scale
[ -z "${TESSARY_LOG_PIXELS:-}" ] || where="$where at $TESSARY_LOG_PIXELS DPI"
wine_env_xvfb || exit 1
echo "e2e: $where, display $DISPLAY"
# The copy is read-only in the run's own mount namespace (see wine-env.sh).
if [ "$WINE_ENV_CHROOT" = 1 ]; then
    wine_env_run --bind "$work" --bind "$dist" --bind-ro "$readonly_copy" "$driver" "$dist" "$@"
else
    wine_env_readonly "$readonly_copy" "$WINE64" "$driver" "$dist" "$@"
fi

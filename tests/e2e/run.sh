#!/usr/bin/env bash
# Runs the end-to-end driver under Wine with one prepared prefix and one Xvfb
# for the whole run, and stops both afterwards. A 32-bit Tessary.exe runs under
# Wine 10 in a chroot (tools/wine32-chroot.sh), a 64-bit one under this
# machine's Wine; the driver may be either.
# Usage: run.sh DRIVER.exe DIST_FOLDER [--filter TEXT]
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
trap 'wine_env_stop remove' EXIT
trap 'exit 130' INT TERM
wine_env_use "$dist" || exit 1
if [ "$WINE_ENV_CHROOT" = 1 ]; then
    where="Wine 10 in its chroot"
else
    wine_env_prefix "$work/wine-cache" "$work/wine-run-$$" || exit 1
    where="Wine prefix $WINEPREFIX"
fi
wine_env_xvfb || exit 1
echo "e2e: $where, display $DISPLAY"
wine_env_run --bind "$work" --bind "$dist" "$driver" "$dist" "$@"

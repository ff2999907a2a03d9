#!/usr/bin/env bash
# Runs the end-to-end driver under Wine with one prepared prefix and one Xvfb
# for the whole run, and stops both afterwards.
# Usage: run.sh DRIVER.exe DIST_FOLDER [--filter TEXT]
set -u
driver=$1
dist=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/wine-env.sh"

work=$(cd "$(dirname "$driver")" && pwd)
trap 'wine_env_stop remove' EXIT
trap 'exit 130' INT TERM
wine_env_prefix "$work/wine-cache" "$work/wine-run-$$" || exit 1
wine_env_xvfb || exit 1
echo "e2e: Wine prefix $WINEPREFIX, display $DISPLAY"
"$WINE64" "$driver" "$dist" "$@"

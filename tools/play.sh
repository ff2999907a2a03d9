#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine, to play it here.
# Usage: tools/play.sh [--win32] [--no-build] [--dist FOLDER]
#   --win32        the shipping 32-bit program (build/win32), under Wine 10 in
#                  its chroot (tools/wine32-chroot.sh, made on first use);
#                  without it the 64-bit one (build/win64) under this machine's Wine
#   --no-build     skip setup and build; run what was built before
#   --dist FOLDER  run FOLDER/Tessary.exe instead of build/<preset>/dist/Tessary
# The 64-bit program's Wine prefix is kept in $TESSARY_WINEPREFIX (default
# ~/.local/share/tessary-wine) and made on first use. Without $DISPLAY an
# Xvfb is started; the script says where to look at it.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=1
preset=win64
dist=
while [ $# -gt 0 ]; do
    case $1 in
        --win32) preset=win32 ;;
        --no-build) build=0 ;;
        --dist) dist=$(cd "$2" && pwd); shift ;;
        *) echo "usage: $0 [--win32] [--no-build] [--dist FOLDER]" >&2; exit 2 ;;
    esac
    shift
done
dist=${dist:-$root/build/$preset/dist/Tessary}

if [ "$build" = 1 ]; then
    "$root/tools/setup.sh"
    (cd "$root" && cmake --preset $preset && cmake --build --preset $preset)
fi
[ -f "$dist/Tessary.exe" ] || { echo "play: no $dist/Tessary.exe" >&2; exit 1; }

. "$root/tools/wine-env.sh"
wine_env_use "$dist"
if [ "$WINE_ENV_CHROOT" = 0 ]; then
    prefix=${TESSARY_WINEPREFIX:-$HOME/.local/share/tessary-wine}
    if [ ! -f "$prefix/.tessary-ready" ]; then
        echo "play: preparing the Wine prefix $prefix (about 15 s, once)"
        wine_env_make_prefix "$prefix"
        touch "$prefix/.tessary-ready"
    fi
    export WINEPREFIX=$prefix
fi

if [ -z "${DISPLAY:-}" ]; then
    wine_env_xvfb
    # This Xvfb goes away at the end, so Wine's desktop process in our prefix must too.
    trap '[ "$WINE_ENV_CHROOT" = 1 ] || "$WINESERVER" -k >/dev/null 2>&1; wine_env_stop' EXIT
    echo "play: no DISPLAY; started Xvfb on $DISPLAY (1024 x 768)."
    echo "      Look at it with: import -window root -display $DISPLAY tessary.png"
    echo "      and click with:  DISPLAY=$DISPLAY xdotool mousemove X Y click 1 (the window is at 92, 194)"
fi

echo "play: starting $dist/Tessary.exe (close the game window to end)"
cd "$dist"
wine_env_run --bind "$dist" ./Tessary.exe

# Shared Wine helpers for scripts that run the Windows build here.
# Source this file, then call:
#   wine_env_prefix CACHE_DIR PREFIX   copy a prepared prefix (made once, kept in
#                                      CACHE_DIR) to PREFIX and export WINEPREFIX
#   wine_env_scale                     a display of $TESSARY_LOG_PIXELS DPI, when set
#   wine_env_xvfb                      start an Xvfb on a free display, export DISPLAY
#   wine_env_stop                      stop what the two calls above started
#   wine_env_use DIST                  pick the Wine for DIST/Tessary.exe: this
#                                      machine's wine64 for the 64-bit program, Wine 10
#                                      in a chroot (tools/wine32-chroot.sh) for the 32-bit one
#   wine_env_run [--bind DIR]... PROGRAM.exe [ARG]...
#                                      run PROGRAM under the picked Wine; in the chroot
#                                      only the DIRs (at their own paths) and /tmp/.X11-unix
#                                      are seen, and it brings its own prefix
#   wine_env_readonly DIR COMMAND...   run COMMAND (this machine's Wine) with DIR made
#                                      read-only, for the cases that TESSARY_E2E_READONLY serves
#   wine_env_plain_user                make a plain user of the run's own (root only); then
#                                      wine_env_prefix hands it the prefix, wine_env_run runs
#                                      as it, and wine_env_stop removes it
# Only processes started here are stopped: the Xvfb by its PID, Wine through
# `wineserver -k` on our own WINEPREFIX.

WINE64=${WINE64:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv=d"
# The same locale for every Wine here: C.UTF-8 gives the ANSI code page 1252 and
# shows Unix names written in UTF-8 under their Windows names (under plain C, or a
# locale the machine lacks, "Š" in a folder name comes out as other letters).
export LC_ALL=C.UTF-8

WINE_ENV_XVFB_PID=
WINE_ENV_USER=
WINE_ENV_PREFIX=
WINE_ENV_CHROOT=0
WINE_ENV_TOOLS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Makes a fresh prefix in $1 that needs no window manager: without Managed=N
# every hide or destroy of a top-level window waits about two seconds.
wine_env_make_prefix() {
    local dir=$1
    rm -rf "$dir"
    mkdir -p "$(dirname "$dir")"
    WINEPREFIX=$dir "$WINE64" wineboot -i >/dev/null 2>&1 || return 1
    WINEPREFIX=$dir "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' \
        /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || return 1
    WINEPREFIX=$dir "$WINESERVER" -w
}

# Copies a prepared prefix into $2, preparing it first in $1/prefix when
# missing. A lock keeps parallel runs from preparing the cache twice.
wine_env_prefix() {
    local cache=$1 dest=$2
    mkdir -p "$cache"
    (
        flock 9
        if [ ! -f "$cache/prefix/.tessary-ready" ]; then
            echo "wine-env: preparing a Wine prefix in $cache/prefix (about 15 s, once)" >&2
            wine_env_make_prefix "$cache/prefix" || exit 1
            touch "$cache/prefix/.tessary-ready"
        fi
    ) 9>"$cache/.lock" || { echo "wine-env: could not prepare a prefix" >&2; return 1; }
    rm -rf "$dest"
    mkdir -p "$(dirname "$dest")"
    cp -a "$cache/prefix" "$dest" || return 1
    export WINEPREFIX=$dest
    WINE_ENV_PREFIX=$dest
    [ -z "$WINE_ENV_USER" ] || wine_env_hand_prefix "$dest"
}

# Gives the prefix to our plain user: a profile like root's, with folders in
# place of the links into root's home (which it may not enter, and without
# which the file dialog cannot browse), and a server folder of its own.
wine_env_hand_prefix() {
    local profile=$1/drive_c/users/$WINE_ENV_USER link
    cp -a "$1/drive_c/users/root" "$profile" || return 1
    for link in "$profile"/*; do
        [ ! -L "$link" ] || { rm "$link" && mkdir "$link"; } || return 1
    done
    rm -f "$1/wineserver"
    chown -R "$WINE_ENV_USER:" "$1"
}

# With TESSARY_LOG_PIXELS=N in the environment: a display of N DPI, on a
# screen as many times larger than 1024 x 768 (the same screen at that scale).
# Call it after wine_env_prefix (or wine_env_use for the chroot, whose own
# prefix takes N from the environment) and before wine_env_xvfb. The DPI goes
# into the prefix (HKCU\Control Panel\Desktop, LogPixels) before any Wine
# process starts in it: Wine 10 fixes each monitor's DPI when a session starts.
wine_env_scale() {
    local dpi=${TESSARY_LOG_PIXELS:-}
    [ -n "$dpi" ] || return 0
    [ "$WINE_ENV_CHROOT" = 1 ] ||
        sed -i "/^.Control Panel..Desktop. /a $(printf '"LogPixels"=dword:%08x' "$dpi")" "$WINEPREFIX/user.reg"
    export WINE_ENV_SCREEN=$((1024 * dpi / 96))x$((768 * dpi / 96))x24
}

# Starts `Xvfb :N -screen 0 1024x768x24` (or $WINE_ENV_SCREEN) on the first
# display number from ${1:-90} whose socket and lock file are both absent, and
# exports DISPLAY.
wine_env_xvfb() {
    local n=${1:-90} tries
    for ((tries = 0; tries < 60; ++tries, ++n)); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 "${WINE_ENV_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
        WINE_ENV_XVFB_PID=$!
        local waited
        for ((waited = 0; waited < 50; ++waited)); do
            if [ -e "/tmp/.X11-unix/X$n" ]; then
                export DISPLAY=":$n"
                return 0
            fi
            kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        # Lost a race for this number, or the server did not come up: next one.
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null
        WINE_ENV_XVFB_PID=
    done
    echo "wine-env: no free X display found" >&2
    return 1
}

# Stops Wine in our own prefix and our own Xvfb, and removes our plain user;
# pass "remove" to delete the prefix.
wine_env_stop() {
    if [ -n "$WINE_ENV_PREFIX" ]; then
        local server
        server=$(cat "$WINE_ENV_PREFIX/wineserver" 2>/dev/null)
        WINEPREFIX=$WINE_ENV_PREFIX wine_env_as_user "$WINESERVER" -k >/dev/null 2>&1
        [ "${1:-}" = remove ] && rm -rf "$WINE_ENV_PREFIX"
        # The plain user's server folder, which nobody else would remove.
        [ -z "$WINE_ENV_USER" ] || [[ "$server" != wine-* ]] || rm -rf "/tmp/$server"
        WINE_ENV_PREFIX=
    fi
    if [ -n "$WINE_ENV_USER" ]; then
        userdel "$WINE_ENV_USER" >/dev/null 2>&1 || echo "wine-env: could not remove the user $WINE_ENV_USER" >&2
        WINE_ENV_USER=
    fi
    if [ -n "$WINE_ENV_XVFB_PID" ]; then
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null
        WINE_ENV_XVFB_PID=
    fi
    return 0
}

wine_env_use() {
    local pe machine
    # The PE header's offset is at 0x3c; its machine field follows the signature.
    pe=$(od -An -tu4 -j60 -N4 "$1/Tessary.exe") || return 1
    machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$1/Tessary.exe" | tr -d ' ')
    [ "$machine" = 014c ] && WINE_ENV_CHROOT=1 || WINE_ENV_CHROOT=0
}

wine_env_run() {
    if [ "$WINE_ENV_CHROOT" = 1 ]; then
        bash "$WINE_ENV_TOOLS/wine32-chroot.sh" wine "$@"
    else
        while [ "$1" = --bind ]; do shift 2; done
        wine_env_as_user "$WINE64" "$@"
    fi
}

# Root writes through the read-only attribute as it writes through file modes,
# and Windows refuses both: a plain user of the run's own sees what a player
# sees. Users left by a run that was killed (tessary-e2e-PID, PID gone) go first.
wine_env_plain_user() {
    [ "$(id -u)" = 0 ] && command -v useradd >/dev/null || return 1
    local name
    for name in $(awk -F: '/^tessary-e2e-[0-9]+:/ { print $1 }' /etc/passwd); do
        kill -0 "${name#tessary-e2e-}" 2>/dev/null && continue
        find /tmp -maxdepth 1 -name 'wine-*' -user "$name" -exec rm -rf {} + 2>/dev/null
        userdel "$name" >/dev/null 2>&1
    done
    name=tessary-e2e-$$
    useradd --system --user-group --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$name" ||
        return 1
    WINE_ENV_USER=$name
}

# COMMAND as our plain user when there is one, else as it is.
wine_env_as_user() {
    if [ -n "$WINE_ENV_USER" ]; then
        setpriv --reuid="$(id -u "$WINE_ENV_USER")" --regid="$(id -g "$WINE_ENV_USER")" --clear-groups \
            env USER="$WINE_ENV_USER" LOGNAME="$WINE_ENV_USER" HOME=/nonexistent "$@"
    else
        "$@"
    fi
}

# Root ignores file modes, so DIR is made read-only by a bind mount in a mount
# namespace of COMMAND's own, which ends with it: nothing stays mounted, also on
# failure. Without the right to mount, COMMAND runs with TESSARY_E2E_READONLY
# empty and the cases that need the folder skip.
wine_env_readonly() {
    local dir=$1
    shift
    if unshare --mount true 2>/dev/null; then
        unshare --mount sh -c 'mount --bind "$0" "$0" && mount -o remount,bind,ro "$0" ||
            unset TESSARY_E2E_READONLY; exec "$@"' "$dir" "$@"
    else
        TESSARY_E2E_READONLY= "$@"
    fi
}

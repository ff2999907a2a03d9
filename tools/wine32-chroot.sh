#!/usr/bin/env bash
# Runs the shipping 32-bit program here: Wine 10 from Debian trixie in a chroot
# kept in a cache folder, with qemu-i386 for Wine's 32-bit processes.
#
# This machine's kernel runs no 32-bit x86 code at all: a 32-bit ELF does not
# start, and a 64-bit process may not switch to the 32-bit code segment, which
# Wine's own WoW64 mode needs. So the chroot holds trixie's whole Wine, with its
# 32-bit loader, and a binfmt_misc entry that only the run's own user namespace
# sees hands every 32-bit ELF to qemu-i386. Everything else runs natively: Wine's
# 64-bit side and wineserver, a 64-bit test driver, /bin/sh and xdotool.
#
#   wine32-chroot.sh make
#       make the chroot unless it is ready
#   wine32-chroot.sh wine [--bind DIR | --bind-ro DIR]... PROGRAM.exe [ARG]...
#       run PROGRAM under the chroot's Wine, in a fresh copy of its prepared
#       prefix, on the host's $DISPLAY; each DIR appears at its own path inside
#       (read-only for --bind-ro, bound in the order given), and the current
#       folder stays the current folder when it is inside one
#
# With TESSARY_PLAIN_USER=NAME:UID:GID in the environment (a user the caller
# made), `wine` runs PROGRAM as that plain user instead of root.
#
# The chroot is $TESSARY_CACHE/wine32-chroot (default ~/.cache/tessary), made
# from the Debian mirror that /etc/apt/sources.list.d/debian.sources names; the
# host's apt sources stay as they are. Each run has mount and PID namespaces of
# its own: its mounts and processes end with it, also when it is killed.
# Exit code 77: the chroot cannot be made or entered here for a reason outside
# the project (no right to mount, an old kernel, no network, no trixie).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
cache=${TESSARY_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tessary}
root=$cache/wine32-chroot
# Bump when the making below changes: caches made by an older recipe are made again.
stamp="recipe 1"
prefix=/opt/tessary-prefix
wine_bin=/usr/lib/wine

say() { echo "wine32-chroot: $*" >&2; }

ready() { [ "$(cat "$1/.tessary-ready" 2>/dev/null)" = "$stamp" ]; }

# Removes a tree of the cache; never one with something mounted below it.
remove_tree() {
    [ -e "$1" ] || return 0
    if grep -q " $1[/ ]" /proc/mounts; then
        say "something is still mounted under $1; not removing it"
        return 1
    fi
    rm -rf --one-file-system "$1"
}

mirror() {
    local uri
    uri=$(awk '/^URIs:/ && $2 !~ /security/ { print $2; exit }' \
        /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
    echo "${uri:-http://deb.debian.org/debian}"
}

# Namespaces as root, for debootstrap and apt; and with a user namespace of
# their own, which brings a private binfmt_misc (Linux 6.7 and later).
as_root() { unshare --mount --pid --fork --kill-child "$@"; }
as_user() {
    if [ -z "${TESSARY_PLAIN_USER:-}" ]; then
        unshare --user --map-root-user --mount --pid --fork --kill-child "$@"
        return
    fi
    # Root and the plain user each mapped to themselves. unshare maps only one
    # user without newuidmap, so the maps are written from here, before the
    # command goes on.
    local ids=${TESSARY_PLAIN_USER#*:} go pid ours
    go=$(mktemp -u) && mkfifo -m 600 "$go" || return 1
    unshare --user --mount --pid --fork --kill-child sh -c 'read -r _ <"$0"; rm -f "$0"; exec "$@"' "$go" "$@" &
    pid=$!
    ours=$(readlink /proc/self/ns/user)
    while [ "$(readlink "/proc/$pid/ns/user" 2>/dev/null || echo "$ours")" = "$ours" ]; do
        kill -0 "$pid" 2>/dev/null || { rm -f "$go"; return 1; }
        sleep 0.01
    done
    # Each map in one write, as the kernel takes it.
    printf '0 0 1\n%s %s 1\n' "${ids%:*}" "${ids%:*}" | dd of="/proc/$pid/uid_map" bs=256 iflag=fullblock status=none &&
        printf '0 0 1\n%s %s 1\n' "${ids#*:}" "${ids#*:}" | dd of="/proc/$pid/gid_map" bs=256 iflag=fullblock status=none ||
        { kill "$pid"; rm -f "$go"; return 1; }
    echo go >"$go"
    wait "$pid"
}

# One line on what stands in the way, when it is outside the project.
outside_reason() {
    if ! as_root mount -t tmpfs none /mnt 2>/dev/null; then
        echo "no right to mount here"
    elif ! as_user mount -t binfmt_misc none /proc/sys/fs/binfmt_misc 2>/dev/null; then
        echo "this kernel gives no private binfmt_misc (Linux 6.7 or later needed)"
    elif ! wget -q -T 20 -t 2 -O /dev/null "$(mirror)/dists/trixie/InRelease"; then
        echo "no network, or $(mirror) does not serve trixie"
    fi
}

# Inside as_root: debootstrap, then trixie's Wine, qemu-user and xdotool.
build() {
    local new=$1
    debootstrap --variant=minbase trixie "$new" "$(mirror)"
    mount -t proc proc "$new/proc"
    mount --rbind /sys "$new/sys"
    mount --rbind /dev "$new/dev"
    chroot "$new" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
        DEBIAN_FRONTEND=noninteractive /bin/sh -euxc '
        # qemu-user brings every target: keep only the one that runs i386.
        printf "%s\n" "path-exclude=/usr/bin/qemu-*" "path-include=/usr/bin/qemu-i386" \
            "path-exclude=/usr/share/doc/*" "path-exclude=/usr/share/man/*" \
            >/etc/dpkg/dpkg.cfg.d/tessary
        dpkg --add-architecture i386
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends wine64 wine32:i386 qemu-user xdotool
        apt-get clean
        rm -rf /var/lib/apt/lists/*'
    # Debian ships Wine's PE DLLs with their debug info, 2.5 GB of it; the same
    # file alignment keeps them mappable as they are.
    find "$new/usr/lib/i386-linux-gnu/wine/i386-windows" -type f ! -name '*.a' -print0 |
        xargs -0 -n 1 -P 2 i686-w64-mingw32-objcopy --strip-debug --file-alignment 0x1000
    find "$new/usr/lib/x86_64-linux-gnu/wine/x86_64-windows" -type f ! -name '*.a' -print0 |
        xargs -0 -n 1 -P 2 x86_64-w64-mingw32-objcopy --strip-debug --file-alignment 0x1000
}

# Inside as_user: qemu-i386 for 32-bit ELF files, the mounts, and COMMAND in the
# chroot ROOT. Usage: enter ROOT [--bind DIR | --bind-ro DIR]... -- COMMAND...
enter() {
    local dir=$1 binds=()
    shift
    while [ "$1" = --bind ] || [ "$1" = --bind-ro ]; do binds+=("$1" "$2"); shift 2; done
    shift
    # A 32-bit x86 ELF program: ELF ident, e_type EXEC or DYN, e_machine 3.
    # binfmt_misc reads the \x escapes itself; F opens qemu-i386 here, outside the chroot.
    local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    echo ":qemu-i386:M::$magic:$mask:$dir/usr/bin/qemu-i386:F" >/proc/sys/fs/binfmt_misc/register
    mount -t proc proc "$dir/proc"
    mount --rbind /sys "$dir/sys"
    mount --rbind /dev "$dir/dev"
    mount -t tmpfs tmpfs "$dir/tmp"
    # The host's X server serves the chroot.
    mkdir "$dir/tmp/.X11-unix"
    mount --bind /tmp/.X11-unix "$dir/tmp/.X11-unix"
    # The plain user's name, for this run alone.
    if [ -n "${TESSARY_PLAIN_USER:-}" ]; then
        local name=${TESSARY_PLAIN_USER%%:*} ids=${TESSARY_PLAIN_USER#*:} f
        for f in passwd group; do cp "$dir/etc/$f" "$dir/tmp/.$f"; done
        echo "$name:x:$ids::/tmp:/bin/sh" >>"$dir/tmp/.passwd"
        echo "$name:x:${ids#*:}:" >>"$dir/tmp/.group"
        for f in passwd group; do mount --bind "$dir/tmp/.$f" "$dir/etc/$f"; done
    fi
    local i b
    for ((i = 0; i < ${#binds[@]}; i += 2)); do
        b=${binds[i + 1]}
        mkdir -p "$dir$b"
        mount --bind "$b" "$dir$b"
        [ "${binds[i]}" = --bind ] || mount -o remount,bind,ro "$dir$b"
    done
    local keep=() name
    for name in DISPLAY TERM $(compgen -e | grep '^TESSARY_' || true); do
        [ -n "${!name:-}" ] && keep+=("$name=${!name}")
    done
    # Wine counts a process's committed memory from its anonymous pages, which
    # under qemu include qemu's cache of translated code: left at its default size
    # it grows by megabytes while the program first runs each of its paths. An
    # 8 MB cache fills during start-up and costs no speed here.
    chroot "$dir" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
        WINEDEBUG="$WINEDEBUG" WINEDLLOVERRIDES="$WINEDLLOVERRIDES" LC_ALL="$LC_ALL" \
        WINEPREFIX=/tmp/wine-prefix QEMU_TB_SIZE=8 "${keep[@]}" "$@"
}

# Makes the chroot unless it is ready, and holds a shared lock on it while this
# script runs, so that no other run makes it again underneath.
make_chroot() {
    mkdir -p "$cache"
    exec 8>"$cache/wine32-chroot.lock"
    flock -s 8
    ready "$root" && return 0
    flock -x 8
    if ! ready "$root"; then
        local reason
        reason=$(outside_reason)
        if [ -n "$reason" ]; then
            say "cannot make the Wine 10 chroot: $reason"
            exit 77
        fi
        local new=$cache/wine32-chroot.new log=$cache/wine32-chroot.log started=$SECONDS
        say "making the Wine 10 chroot in $root (a few minutes and about 480 MB of downloads, once)"
        remove_tree "$new"
        if ! { as_root bash "$0" _build "$new" &&
               as_user bash "$0" _enter "$new" -- /usr/bin/env WINEPREFIX=$prefix /bin/sh -ec "
                   $wine_bin/wine64 wineboot -i
                   # Without a window manager every hide or destroy of a top-level window
                   # waits two seconds, unless Wine leaves the windows unmanaged.
                   $wine_bin/wine64 reg add 'HKCU\\Software\\Wine\\X11 Driver' /v Managed /t REG_SZ /d N /f
                   $wine_bin/wineserver -w"
             } >"$log" 2>&1 8>&-; then
            tail -n 20 "$log" >&2
            say "making the chroot failed; the whole log is $log"
            exit 1
        fi
        echo "$stamp" >"$new/.tessary-ready"
        remove_tree "$root"
        mv "$new" "$root"
        say "chroot ready in $((SECONDS - started)) s, $(du -sh --one-file-system "$root" | cut -f1)"
    fi
    flock -s 8
}

case ${1:-} in
    make)
        make_chroot ;;
    wine)
        shift
        [ -n "${DISPLAY:-}" ] || { say "no DISPLAY to show the program on"; exit 2; }
        binds=()
        while [ "${1:-}" = --bind ] || [ "${1:-}" = --bind-ro ]; do
            dir=$(cd "$2" && pwd)
            [ "$dir" != / ] || { say "will not bind / into the chroot"; exit 2; }
            binds+=("$1" "$dir")
            shift 2
        done
        [ $# -gt 0 ] || { say "wine: no program"; exit 2; }
        make_chroot
        # TESSARY_LOG_PIXELS: the display's DPI, set before the prefix's first
        # process (Wine 10 fixes each monitor's DPI when its session starts).
        pixels=
        [ -z "${TESSARY_LOG_PIXELS:-}" ] || pixels=$(printf '"LogPixels"=dword:%08x' "$TESSARY_LOG_PIXELS")
        # Killing unshare ends its namespaces and everything in them (--kill-child).
        as_user bash "$0" _enter "$root" "${binds[@]}" -- /bin/sh -c "
            cd \"\$0\" 2>/dev/null || cd /
            cp -a $prefix \"\$WINEPREFIX\" || exit 1
            [ -z \"\$1\" ] || sed -i \"/^.Control Panel..Desktop. /a \$1\" \"\$WINEPREFIX/user.reg\"
            shift
            as=
            if [ -n \"\${TESSARY_PLAIN_USER:-}\" ]; then
                # The prefix handed to the plain user: a profile like root's, with
                # folders for the links into root's home, and a server of its own.
                name=\${TESSARY_PLAIN_USER%%:*} ids=\${TESSARY_PLAIN_USER#*:}
                profile=\$WINEPREFIX/drive_c/users/\$name
                cp -a \$WINEPREFIX/drive_c/users/root \$profile || exit 1
                for link in \$profile/*; do [ ! -L \"\$link\" ] || { rm \"\$link\" && mkdir \"\$link\"; }; done
                rm -f \$WINEPREFIX/wineserver
                chown -R \$ids \$WINEPREFIX || exit 1
                as=\"setpriv --reuid=\${ids%:*} --regid=\${ids#*:} --clear-groups env USER=\$name LOGNAME=\$name HOME=/tmp\"
            fi
            \$as $wine_bin/wine64 \"\$@\"
            rc=\$?
            \$as $wine_bin/wineserver -k 2>/dev/null
            exit \$rc" "$PWD" "$pixels" "$@" 8>&- &
        child=$!
        trap 'kill -KILL $child 2>/dev/null; exit 130' INT TERM
        wait $child ;;
    _build) build "$2" ;;
    _enter) shift; enter "$@" ;;
    *)
        echo "usage: $0 make | wine [--bind DIR | --bind-ro DIR]... PROGRAM.exe [ARG]..." >&2
        exit 2 ;;
esac

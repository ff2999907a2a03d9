#!/usr/bin/env bash
# Runs the end-to-end suite under Wine as a Windows machine runs it: the
# players' zip and the driver's zip unpacked side by side on drive C: of a fresh
# prefix that has no drive Z: (so no way to a Linux file), and the driver
# started from cmd.exe with the README's command line and TESSARY_E2E_WINDOWS=1.
# A second unpacked program folder, read-only, serves the cases that need one.
# Screens the driver saved at failures are copied to WORK/failed-as-on-windows.
# Usage: run_as_windows.sh WORK Tessary-e2e-win64.zip Tessary-win64.zip [--filter TEXT]
set -u
work=$(cd "$1" && pwd)
driver_zip=$(realpath "$2")
program_zip=$(realpath "$3")
shift 3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/wine-env.sh"

trap 'wine_env_stop remove' EXIT
trap 'exit 130' INT TERM
wine_env_prefix "$work/wine-cache" "$work/wine-windows-$$" || exit 1
rm "$WINEPREFIX/dosdevices/z:" || exit 1
readonly_folder=$WINEPREFIX/drive_c/Tessary-readonly
mkdir "$readonly_folder" && cd "$readonly_folder" && cmake -E tar xf "$program_zip" || exit 1
mkdir "$WINEPREFIX/drive_c/Tessary-test" && cd "$WINEPREFIX/drive_c/Tessary-test" || exit 1
cmake -E tar xf "$program_zip" && cmake -E tar xf "$driver_zip" || exit 1
wine_env_xvfb || exit 1
echo "e2e: as on Windows, in C:\\Tessary-test of Wine prefix $WINEPREFIX (no drive Z:), display $DISPLAY"

# Wine puts the arguments into cmd.exe's command line, quoting those with spaces.
export TESSARY_E2E_WINDOWS=1 TESSARY_E2E_READONLY='C:\Tessary-readonly\Tessary'
wine_env_readonly "$readonly_folder/Tessary" "$WINE64" cmd /c 'Tessary-e2e\tessary_e2e.exe' Tessary "$@"
rc=$?

shopt -s nullglob
screens=("$WINEPREFIX"/drive_c/users/*/Temp/tessary-e2e-*/failed-*.bmp
         "$WINEPREFIX"/drive_c/users/*/AppData/Local/Temp/tessary-e2e-*/failed-*.bmp)
if [ "${#screens[@]}" -gt 0 ]; then
    rm -rf "$work/failed-as-on-windows"
    mkdir -p "$work/failed-as-on-windows"
    cp "${screens[@]}" "$work/failed-as-on-windows/"
    echo "e2e: screens at the failures kept in $work/failed-as-on-windows"
fi
exit $rc

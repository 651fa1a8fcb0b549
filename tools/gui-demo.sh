#!/usr/bin/env bash
# Opens the window program on the bundled sample drawing under Wine, on the
# display in $DISPLAY, as the host would start it: the program and the
# sample's exchange file together in one folder. Afterwards shows what the
# program handed back.
#
#   gui-demo.sh [crossrect.exe]    (default: build/mingw64/crossrect.exe)
#
# The demo folder and its Wine prefix live under the exe's build folder;
# the settings file there survives from one demo to the next.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-$repo/build/mingw64/crossrect.exe}
sample=$repo/samples/floorplan/JWC_TEMP.TXT

if [ -z "${DISPLAY:-}" ]; then
    echo "gui-demo: no display (DISPLAY is not set); the window needs one." >&2
    exit 1
fi
for needed in "$exe" "$sample"; do
    if [ ! -f "$needed" ]; then
        echo "gui-demo: $needed is missing (build the mingw64 preset first)" >&2
        exit 1
    fi
done

# shellcheck source=tools/wine_env.sh
source "$repo/tools/wine_env.sh"
build=$(cd "$(dirname "$exe")" && pwd)
folder=$build/gui-demo
export WINEPREFIX=$build/wine-demo
if [ ! -f "$WINEPREFIX/user.reg" ]; then
    echo "gui-demo: setting up a Wine prefix in $WINEPREFIX (once, about 20 s)"
    make_prefix "$WINEPREFIX" Y # a window manager draws the frame
fi

mkdir -p "$folder"
cp "$exe" "$folder/crossrect.exe"
cp "$sample" "$folder/JWC_TEMP.TXT"
echo "gui-demo: $folder/crossrect.exe on the sample drawing; choose and press OK or Cancel"
"$WINE" "$folder/crossrect.exe" || true

answer=$folder/JWC_TEMP.TXT
if [ ! -f "$answer" ]; then
    echo "gui-demo: the program left no exchange file"
elif [ "$(head -c 2 "$answer")" = hq ]; then
    echo "gui-demo: cancelled, the answer is \"hq\""
else
    records=$(grep -c '^[-0-9.eE]\+ [-0-9.eE]\+ [-0-9.eE]\+ [-0-9.eE]\+.$' "$answer" || true)
    echo "gui-demo: $((records / 4)) rectangles ($records line records) in $answer:"
    head -12 "$answer" | tr -d '\r'
fi

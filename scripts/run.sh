#!/usr/bin/env bash
# Opens the calculator: builds the Windows program (i686) with MinGW-w64 and
# starts it under Wine. Installs the cross compiler and Wine from Debian's
# packages first when they are missing. With no display (a server, CI) it
# starts a virtual one, photographs the window and ends the program.
set -euo pipefail
cd "$(dirname "$0")/.."

missing=0
for tool in i686-w64-mingw32-g++-posix i686-w64-mingw32-windres wine Xvfb cmake ninja; do
  command -v "$tool" >/dev/null 2>&1 || missing=1
done
if [ "$missing" = 1 ]; then scripts/install-deps.sh; fi

source scripts/wine-env.sh "$PWD/build/wineprefix-run"
# The 32-bit program runs on every Windows; on a machine whose kernel runs
# no 32-bit programs, Wine can start only the 64-bit one.
preset=mingw-i686
wine_env_runs_32bit || preset=mingw-x64
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j2 --target tarivox inspect_window
exe="$PWD/build/$preset/src/ui/tarivox.exe"
echo "tarivox.exe for Windows: $exe"

had_display="${DISPLAY:-}"
wine_env_start

if [ -n "$had_display" ]; then
  echo "Starting the calculator under Wine on $DISPLAY"
  wine "$exe"
  wineserver -w
  exit 0
fi

trap wine_env_stop EXIT
wine "$exe" &
app=$!
inspector=build/$preset/tests/e2e/inspect_window.exe
wine "$inspector" "Tarivox 2001 - v.1.0" wait 30 >/dev/null
sleep 1
read -r left top right bottom < <(wine "$inspector" "Tarivox 2001 - v.1.0" rect | tr -d '\r')
shot="$PWD/build/tarivox-screenshot.png"
import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$shot"
echo "No display was given: the calculator ran on a virtual display; its picture is $shot"
kill "$app" 2>/dev/null || true

#!/usr/bin/env bash
# End to end: the built tarivox.exe under Wine, typed into through the X
# server, read back with the inspector, photographed.
#
#   calculator_e2e.sh <tarivox.exe> <inspect_window.exe> <screenshot dir>
#
# Uses the DISPLAY and WINEPREFIX it is given (scripts/windows-tests.sh
# prepares both); without them it prepares its own.
set -euo pipefail
exe="$1"; inspector="$2"; shots="$3"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$shots"

own_env=0
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  source "$here/../../scripts/wine-env.sh" "$shots/../wineprefix"
  wine_env_start
  own_env=1
fi

caption="Tarivox 2001 - v.1.0"
failures=0
app=""

cleanup() {
  if [ -n "$app" ] && kill -0 "$app" 2>/dev/null; then kill "$app" 2>/dev/null || true; fi
  if [ "$own_env" = 1 ]; then wine_env_stop; fi
}
trap cleanup EXIT

inspect() { wine "$inspector" "$caption" "$@" | tr -d '\r'; }

expect_eq() {  # name expected actual
  if [ "$2" == "$3" ]; then echo "ok: $1 = \"$3\""; else echo "FAIL: $1: expected \"$2\", got \"$3\""; failures=$((failures + 1)); fi
}

# Clicks the middle of a control given by its id.
click_control() {
  local l t r b
  read -r l t r b < <(inspect rect "$1")
  xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
  sleep 0.3
}

screenshot_window() {  # file
  local l t r b
  read -r l t r b < <(inspect rect)
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$shots/$1"
}

wine "$exe" &
app=$!
inspect wait 30 || { echo "FAIL: the window \"$caption\" did not appear"; exit 1; }
sleep 1

read -r left top _ _ < <(inspect rect)
expect_eq "window position" "0 0" "$left $top"
expect_eq "fee at start" "0.00" "$(inspect text 1043)"

# Into the amount field: click, clear what is there, type, Enter.
click_control 1021
xdotool key End
for _ in 1 2 3 4 5 6 7 8; do xdotool key BackSpace; done
xdotool type --delay 60 "25,000"
sleep 0.3
xdotool key Return
sleep 0.8

expect_eq "fee" "157.50" "$(inspect text 1043)"
expect_eq "amount" "25,000.00" "$(inspect text 1021)"
screenshot_window calculator.png
import -window root "$shots/screen.png"

# Esc ends the program.
click_control 1021
xdotool key Escape
if inspect gone 10 >/dev/null 2>&1 && ! wine "$inspector" "$caption" visible >/dev/null 2>&1; then
  echo "ok: Esc ended the program"
else
  echo "FAIL: the window is still there after Esc"; failures=$((failures + 1))
fi
wait "$app" 2>/dev/null || true
app=""

echo "screenshots in $shots"
[ "$failures" -eq 0 ]

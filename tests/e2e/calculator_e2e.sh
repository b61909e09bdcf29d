#!/usr/bin/env bash
# End to end: the built tarivox.exe under Wine, driven through the X server
# as a user would (mouse and keyboard) and read back with the inspector.
# The window's behaviour in detail is the behaviour suite's; this is what
# only the real program on a real desktop shows: Enter in the amount field,
# the shell's tooltip, the menu under the mouse, hiding, ending.
#
#   calculator_e2e.sh <tarivox.exe> <inspect_window.exe> <work dir>
#
# Uses the DISPLAY it is given or starts a virtual one. Runs in a Wine
# prefix of its own whose windows stay "managed": in the unmanaged mode the
# unit tests use, a click on the tray activates the tray's window and
# closes the menu the click has just opened.
set -euo pipefail
trap 'echo "FAIL: the step at line $LINENO stopped the test"' ERR
exe="$1"; inspector="$2"; work="$3"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$work"

export TARIVOX_WINE_UNMANAGED=0
source "$here/../../scripts/wine-env.sh" "$work/wineprefix-e2e"
wine_env_start

caption="Tarivox 2001 - v.1.0"
tray="Wine System Tray"
failures=0
app=""

cleanup() {
  if [ -n "$app" ] && kill -0 "$app" 2>/dev/null; then kill "$app" 2>/dev/null || true; fi
  wine_env_stop
}
trap cleanup EXIT

inspect() { wine "$inspector" "$@" | tr -d '\r'; }
calculator() { inspect "$caption" "$@"; }

pass() { echo "ok: $1"; }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
expect_eq() {  # name expected actual
  if [ "$2" == "$3" ]; then pass "$1 = \"$3\""; else fail "$1: expected \"$2\", got \"$3\""; fi
}

click_at() { xdotool mousemove "$1" "$2" click "$3"; sleep 0.5; }

# The middle of a control of the calculator, in screen pixels.
click_control() {
  local l t r b
  read -r l t r b < <(calculator rect "$1")
  click_at $(((l + r) / 2)) $(((t + b) / 2)) 1
}

type_amount() {
  click_control 1021
  xdotool key End
  for _ in $(seq 1 24); do xdotool key BackSpace; done
  xdotool type --delay 40 "$1"
  sleep 0.2
  xdotool key Return
  sleep 0.8
}

# The tray icon: Wine's tray window starts under the calculator (both sit
# in the top-left corner), so it is moved aside first. Its icon is the
# first, near the left end of its client area.
icon_x=0; icon_y=0
place_tray() {
  local l t r b
  inspect "$tray" wait 20 >/dev/null || { fail "no tray window"; return; }
  if read -r l t r b < <(inspect "$tray" move 600 0); then
    icon_x=$((l + 11)); icon_y=$((b - 13))
  else
    fail "the tray window could not be moved"
  fi
}

hover_tip() {
  local tip=""
  xdotool mousemove $((icon_x - 3)) $((icon_y - 2)); sleep 0.3
  xdotool mousemove "$icon_x" "$icon_y"
  for _ in $(seq 1 8); do
    sleep 0.5
    tip=$(inspect - class-text tooltips_class32 || true)
    [ -n "$tip" ] && break
  done
  echo "$tip"
}

# The calculator's visibility once it is the expected one, or after 3 s.
visibility_becomes() {
  local now
  for _ in $(seq 1 15); do
    now=$(calculator visible)
    [ "$now" = "$1" ] && break
    sleep 0.2
  done
  echo "$now"
}

# The open popup menu's rectangle, waiting up to 3 s for it.
menu_rect() {
  for _ in $(seq 1 15); do
    inspect class:#32768 rect 2>/dev/null && return 0
    sleep 0.2
  done
  return 1
}

# Two clicks within the double-click time would reach the program as one
# double click, which does nothing: wait that out first.
click_icon() { sleep 0.7; click_at "$icon_x" "$icon_y" "$1"; }

wine "$exe" &
app=$!
calculator wait 30 || { echo "FAIL: the window \"$caption\" did not appear"; exit 1; }
sleep 1
place_tray

read -r left top _ _ < <(calculator rect) || true
expect_eq "window position" "0 0" "${left:-} ${top:-}"
expect_eq "fee at start" "0.00" "$(calculator text 1043)"
expect_eq "tooltip at start (empty tip shows none)" "" "$(hover_tip)"

type_amount "25,000"
expect_eq "fee" "157.50" "$(calculator text 1043)"
expect_eq "amount" "25,000.00" "$(calculator text 1021)"
expect_eq "tooltip after the computation" \
  "Para un monto de: US\$ 25,000.00  el pago es: US\$ 157.50" "$(hover_tip)"

# Right button: hide, then bring back.
click_icon 3
expect_eq "visible after a right click" "0" "$(visibility_becomes 0)"
click_icon 3
expect_eq "visible after a second right click" "1" "$(visibility_becomes 1)"

# "Salir" from the menu ends the program and takes the icon away.
click_icon 1
if read -r ml mt mr mb < <(menu_rect); then
  click_at $((ml + 20)) $((mb - 9)) 1
  if calculator gone 10; then pass "Salir ended the program"; else fail "Salir did not end the program"; fi
  wait "$app" 2>/dev/null || true
  app=""
  sleep 1
  expect_eq "the tray shown after the end" "0" "$(inspect "$tray" visible 2>/dev/null || echo 0)"
else
  fail "left click opened no menu"
fi

[ "$failures" -eq 0 ]

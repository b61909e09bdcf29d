#!/usr/bin/env bash
# Sourced by the scripts that run Windows programs under Wine: a private
# Wine prefix and, when there is no display, a virtual X display.
#
#   source scripts/wine-env.sh <prefix-dir>   then   wine_env_start / wine_env_stop
#
# TARIVOX_WINE_UNMANAGED=0 when the prefix is first made: windows stay
# managed (see below). TARIVOX_OWN_DISPLAY=1 starts a virtual display even
# when one is given, so that test windows stay off a desktop in use.
#
# The prefix gets Wine's own fonts (the Debian package leaves its Fonts
# folder empty) and metric-compatible replacements for the faces the
# dialogs ask for, so that dialog units measure as on Windows.

wine_env_prefix="${1:?wine-env.sh needs a prefix directory}"
wine_env_started_xvfb=""

# Whether this machine runs 32-bit x86 programs. A kernel built without
# IA-32 emulation (some virtual machines are) runs only 64-bit ones: Wine's
# 32-bit loader then fails with "Exec format error", and so would every
# 32-bit Windows program, whatever its code.
wine_env_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# On such a machine `wine` and the tools built on it (wineboot, msiexec)
# must go straight to the 64-bit loader, which runs 64-bit programs.
wine_env_use_64bit_loader() {
  local bin="$wine_env_prefix.bin"
  mkdir -p "$bin"
  printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$bin/wine"
  chmod +x "$bin/wine"
  ln -sf wine "$bin/wine-stable"
  export WINELOADER=/usr/lib/wine/wine64
  export PATH="$bin:$PATH"
}

wine_env_start() {
  export WINEPREFIX="$wine_env_prefix"
  if ! wine_env_runs_32bit; then
    echo "wine-env: this machine cannot run 32-bit programs; Wine runs 64-bit ones only" >&2
    wine_env_use_64bit_loader
  fi
  export WINEDEBUG=-all
  # No menu builder: a shortcut made in the prefix (the installer's) would
  # otherwise become a menu entry of this machine's own desktop.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ -z "${DISPLAY:-}" ] || [ "${TARIVOX_OWN_DISPLAY:-0}" = 1 ]; then
    # Xvfb picks a free display number and takes it in one step: a number
    # chosen here and started there could be taken by another run at the
    # same moment, whose Xvfb this run would then use, and lose when that
    # run ended.
    local number_file="$WINEPREFIX.display"
    mkdir -p "$(dirname "$WINEPREFIX")"
    rm -f "$number_file"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    wine_env_started_xvfb=$!
    for _ in $(seq 1 100); do [ -s "$number_file" ] && break; sleep 0.1; done
    if [ ! -s "$number_file" ]; then echo "wine-env: Xvfb did not start" >&2; return 1; fi
    export DISPLAY=":$(cat "$number_file")"
    echo "wine-env: no display given, started Xvfb on $DISPLAY" >&2
  fi
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/.tarivox-ready" ]; then
    wineboot -i </dev/null >/dev/null 2>&1 || true
    wineserver -w
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d "Liberation Sans" /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Comic Sans MS" /d "Comic Neue" /f >/dev/null 2>&1
    # Without a window manager, Wine draws the captions itself; hiding a
    # window then takes no detour through the missing manager (about 2 s
    # each). But then a click on any window activates it, the tray's own
    # window included, which closes a menu the click opens: a prefix for
    # driving the tray through the X server keeps the default.
    if [ "${TARIVOX_WINE_UNMANAGED:-1}" = 1 ]; then
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    fi
    wineserver -w
    touch "$WINEPREFIX/.tarivox-ready"
  fi
  # A persistent server and a booted prefix: the background services then
  # do not hold the test runner's output open.
  wineserver -p
  wineboot </dev/null >/dev/null 2>&1 || true
}

wine_env_stop() {
  wineserver -k 2>/dev/null || true
  if [ -n "$wine_env_started_xvfb" ]; then
    kill "$wine_env_started_xvfb" 2>/dev/null || true
    wait "$wine_env_started_xvfb" 2>/dev/null || true
  fi
}

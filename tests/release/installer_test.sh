#!/usr/bin/env bash
# The Windows Installer package as an IT department uses it, under Wine in
# a fresh prefix of its own: a silent install over a lower version, what is
# installed where, the installed programs at work, and a silent removal
# that leaves nothing behind.
#
#   installer_test.sh <mingw-i686 build dir> <tarivox.html> <native tarivox-cli> <work dir>
#
# `wine msiexec` installs in its own process and returns when it is done.
# The prefix's server is persistent (wine-env.sh), so `wineserver -w` would
# never return; every read below goes through that server and sees the
# install's result at once.
set -uo pipefail
build="$1"; page="$2"; native_cli="$3"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
rm -rf "$4"
mkdir -p "$4"
work="$(cd "$4" && pwd)"  # Wine takes only an absolute prefix

failures=0
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
check() {  # name expected actual
  if [ "$2" == "$3" ]; then echo "ok: $1"; else fail "$1: expected \"$2\", got \"$3\""; fi
}

# Packages of this version and of a lower one. Only the package is tried
# here, so the zip's 64-bit places take the 32-bit programs.
programs=("$build/src/ui/tarivox.exe" "$build/src/cli/tarivox-cli.exe")
package() {  # package <version or ""> <dir>: prints the package's path
  TARIVOX_VERSION="$1" TARIVOX_RELEASE_DIR="$2" \
    "$source_dir/scripts/release.sh" "${programs[@]}" "${programs[@]}" "$page" 2>/dev/null | tail -n 1
}
[ -n "$(package 0.9.0 "$work/old")" ] && [ -n "$(package "" "$work/new")" ] || { echo "FAIL: no packages"; exit 1; }
old_msi="$work/old/tarivox-0.9.0.msi"
new_msi="$(ls "$work"/new/*.msi)"
version="$(basename "$new_msi" .msi)"; version="${version#tarivox-}"

source "$source_dir/scripts/wine-env.sh" "$work/wineprefix"
wine_env_start
app=""
trap '[ -n "$app" ] && kill "$app" 2>/dev/null; wine_env_stop' EXIT
installed="$WINEPREFIX/drive_c/Program Files (x86)/Tarivox"

# Name|version|maker|comments of every installed-programs entry named
# Tarivox. An export is UTF-16, so the Spanish text comes back as stored.
# The package is a 32-bit one: its entry is in the registry's 32-bit view,
# which a 64-bit reg sees only when asked (/reg:32).
entries() {
  wine reg export 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' "$work/entries.reg" /y /reg:32 \
    >/dev/null 2>&1
  iconv -f UTF-16 -t UTF-8 "$work/entries.reg" | tr -d '\r' | awk -F '"="' '
    function flush() { if (v["DisplayName"] == "Tarivox") print v["DisplayName"] "|" v["DisplayVersion"] "|" v["Publisher"] "|" v["Comments"]; delete v }
    /^\[/ { flush() }
    NF == 2 { sub(/^"/, "", $1); sub(/"$/, "", $2); v[$1] = $2 }
    END { flush() }'
}
entry() { echo "Tarivox|$1|Equipo Tarivox|Cálculo exacto de aranceles registrales"; }

wine msiexec /i "$old_msi" /qn
check "silent install of $(basename "$old_msi")" "0 $(entry 0.9.0)" "$? $(entries)"
wine msiexec /i "$new_msi" /qn
check "silent upgrade to $version: one entry" "0 $(entry "$version")" "$? $(entries)"

check "installed files" $'README.md\ntarivox-cli.exe\ntarivox.exe\ntarivox.html' "$(ls "$installed")"
for pair in "tarivox.exe:${programs[0]}" "tarivox-cli.exe:${programs[1]}" "tarivox.html:$page" "README.md:$source_dir/README.md"; do
  cmp -s "$installed/${pair%%:*}" "${pair#*:}" && echo "ok: ${pair%%:*} as built" || fail "${pair%%:*} differs from ${pair#*:}"
done
# Wine's installer puts a per-machine shortcut into the user's Start menu
# (Windows: the one of all users); either is found.
check "Start-menu shortcut" 1 "$(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Tarivox.lnk' | wc -l)"

wine "$installed/tarivox.exe" &
app=$!
inspect() { wine "$build/tests/e2e/inspect_window.exe" "Tarivox 2001 - v.1.0" "$@" | tr -d '\r'; }
# A fresh prefix on a busy machine may take a while to start the program,
# and the dialog exists a moment before it is shown: both are waited for.
inspect wait 90 >/dev/null
shown=0
for _ in $(seq 60); do
  shown=$(inspect visible)
  [ "$shown" = 1 ] && break
  sleep 1
done
check "the installed calculator shows its window" 1 "$shown"
kill "$app"; wait "$app" 2>/dev/null; app=""

# Every office, service, transaction and social flag with amounts from
# zero to the largest, and positions outside the lists.
for o in 0 1; do for s in $(seq 0 5); do for t in $(seq 0 12); do for social in 0 1; do
  for amount in 0 1 9,000.01 25,000 123456.785 1E999 999,999,999,999,999.88 abc; do
    printf '%s\t%s\t%s\t%s\t%s\n' "$o" "$s" "$t" "$social" "$amount"
  done; done; done; done; done >"$work/batch.in"
"$native_cli" batch <"$work/batch.in" >"$work/native.out" 2>/dev/null; native_status=$?
wine "$installed/tarivox-cli.exe" batch <"$work/batch.in" >"$work/installed.out" 2>/dev/null
check "installed tarivox-cli batch: status" "$native_status" "$?"
cmp -s "$work/native.out" "$work/installed.out" && echo "ok: batch output as native ($(wc -l <"$work/batch.in") records)" ||
  fail "batch output differs from native: $(cmp "$work/native.out" "$work/installed.out")"

wine msiexec /x "$new_msi" /qn
check "silent removal" "0 " "$? $(entries)"
check "files and shortcut left" "" "$(find "$WINEPREFIX/drive_c" -iname '*tarivox*')"
for hive in HKLM HKCU; do
  wine reg export "$hive" "$work/$hive.reg" /y >/dev/null 2>&1
  check "$hive exported, its entries naming Tarivox left" "0 0" "$? $(iconv -f UTF-16 -t UTF-8 "$work/$hive.reg" | grep -ci tarivox)"
done

[ "$failures" -eq 0 ]

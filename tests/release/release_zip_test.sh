#!/usr/bin/env bash
# The release zip: its entries and their order, checksums that verify, the
# fixed timestamp, and the same bytes when packed twice from files with other
# timestamps, another time zone and another umask. Uses stand-in programs so
# that it needs no Windows build.
#   release_zip_test.sh <source dir> <scratch dir>
set -euo pipefail
source_dir="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

printf 'MZ stand-in for the 32-bit program\n' > "$work/i686.exe"
printf 'MZ stand-in for the 64-bit program\n' > "$work/x64.exe"

pack() {  # pack <output dir> <time zone> <umask>
  (umask "$3" && TZ="$2" SOURCE_DATE_EPOCH=1700000000 TARIVOX_RELEASE_DIR="$1" \
     "$source_dir/scripts/release.sh" "$work/i686.exe" "$work/x64.exe" 2>/dev/null)
}

first="$(pack "$work/first" UTC 022)"
touch -d '2001-02-03 04:05:06' "$work/i686.exe" "$work/x64.exe"
second="$(pack "$work/second" America/Santiago 077)"

[ "$(basename "$first")" = "tarivox-1.0-windows.zip" ] || fail "zip named '$(basename "$first")'"
cmp -s "$first" "$second" || fail "packing twice gave different bytes"

expected_entries=$'README.md\ni686/tarivox.exe\nx86_64/tarivox.exe\nSHA256SUMS'
[ "$(unzip -Z1 "$first")" = "$expected_entries" ] || fail "entries: $(unzip -Z1 "$first" | tr '\n' ' ')"

# 1700000000 is 2023-11-14 22:13:20 UTC.
times="$(unzip -Z -T "$first" | awk '/^-/ { print $(NF-1) }' | sort -u)"
[ "$times" = "20231114.221320" ] || fail "entry times: $times"

mkdir "$work/unpacked"
unzip -q "$first" -d "$work/unpacked"
(cd "$work/unpacked" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not verify"
cmp -s "$work/unpacked/i686/tarivox.exe" "$work/i686.exe" || fail "i686 program differs"
cmp -s "$work/unpacked/x86_64/tarivox.exe" "$work/x64.exe" || fail "x86_64 program differs"
cmp -s "$work/unpacked/README.md" "$source_dir/README.md" || fail "README differs"

if TARIVOX_RELEASE_DIR="$work/missing" "$source_dir/scripts/release.sh" \
     "$work/none.exe" "$work/x64.exe" >/dev/null 2>&1; then
  fail "a missing program was packed without complaint"
fi
[ ! -e "$work/missing/tarivox-1.0-windows.zip" ] || fail "a zip was left after a failure"

echo "release zip: reproducible, 4 entries, checksums verify"

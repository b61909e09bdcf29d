#!/usr/bin/env bash
# The release zip and package: the zip's entries and their order, checksums
# that verify, the fixed timestamp, and the same bytes for both when packed
# twice from files with other timestamps, another time zone and another
# umask. Uses stand-in programs and page, so that it needs no Windows build.
# (The package installs under Wine in scripts/windows-tests.sh.)
#   release_zip_test.sh <source dir> <scratch dir>
set -euo pipefail
source_dir="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Each entry with the stand-in packed as it.
declare -A stand_in=(
  [i686/tarivox.exe]=i686.exe [i686/tarivox-cli.exe]=i686-cli.exe
  [x86_64/tarivox.exe]=x64.exe [x86_64/tarivox-cli.exe]=x64-cli.exe
  [tarivox.html]=page.html)
files=()
for entry in i686/tarivox.exe i686/tarivox-cli.exe x86_64/tarivox.exe x86_64/tarivox-cli.exe tarivox.html; do
  printf 'stand-in for %s\n' "$entry" > "$work/${stand_in[$entry]}"
  files+=("$work/${stand_in[$entry]}")
done

pack() {  # pack <output dir> <time zone> <umask>
  (umask "$3" && TZ="$2" SOURCE_DATE_EPOCH=1700000000 TARIVOX_RELEASE_DIR="$1" \
     "$source_dir/scripts/release.sh" "${files[@]}" 2>/dev/null)
}

first=($(pack "$work/first" UTC 022))
touch -d '2001-02-03 04:05:06' "${files[@]}"
second=($(pack "$work/second" America/Santiago 077))

names="$(basename "${first[0]}") $(basename "${first[1]}")"
[ "$names" = "tarivox-1.0-windows.zip tarivox-1.0.0.msi" ] || fail "packed as '$names'"
cmp -s "${first[0]}" "${second[0]}" || fail "packing twice gave different zips"
cmp -s "${first[1]}" "${second[1]}" || fail "packing twice gave different packages"

expected_entries=$'README.md\ni686/tarivox.exe\ni686/tarivox-cli.exe\nx86_64/tarivox.exe\nx86_64/tarivox-cli.exe\ntarivox.html\nSHA256SUMS'
[ "$(unzip -Z1 "${first[0]}")" = "$expected_entries" ] || fail "entries: $(unzip -Z1 "${first[0]}" | tr '\n' ' ')"

# 1700000000 is 2023-11-14 22:13:20 UTC.
times="$(unzip -Z -T "${first[0]}" | awk '/^-/ { print $(NF-1) }' | sort -u)"
[ "$times" = "20231114.221320" ] || fail "entry times: $times"

mkdir "$work/unpacked"
unzip -q "${first[0]}" -d "$work/unpacked"
(cd "$work/unpacked" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not verify"
[ "$(wc -l < "$work/unpacked/SHA256SUMS")" = 6 ] || fail "SHA256SUMS does not cover the 6 files"
for entry in "${!stand_in[@]}"; do
  cmp -s "$work/unpacked/$entry" "$work/${stand_in[$entry]}" || fail "$entry differs from what was given"
done
cmp -s "$work/unpacked/README.md" "$source_dir/README.md" || fail "README differs"

if TARIVOX_RELEASE_DIR="$work/missing" "$source_dir/scripts/release.sh" \
     "$work/none.exe" "${files[@]:1}" >/dev/null 2>&1; then
  fail "a missing program was packed without complaint"
fi
[ -z "$(ls -A "$work/missing" 2>/dev/null)" ] || fail "files were left after a failure: $(ls "$work/missing")"

echo "release: zip (7 entries, checksums verify) and package reproducible"

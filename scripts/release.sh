#!/usr/bin/env bash
# Packs the release a Windows user takes away:
#
#   build/release/tarivox-<version>-windows.zip
#     i686/tarivox.exe      32-bit program (runs on every Windows)
#     x86_64/tarivox.exe    64-bit program
#     README.md
#     SHA256SUMS            sha256sum of the three files above
#
#   scripts/release.sh                      build both programs, then pack
#   scripts/release.sh <i686 exe> <x64 exe> pack the given programs
#
# The zip is reproducible: entries in a fixed order, no directory entries, no
# extra attributes, fixed permissions, and every timestamp set to
# SOURCE_DATE_EPOCH (default: the time of the last commit), read in UTC.
# Packing the same files twice gives the same bytes.
# TARIVOX_RELEASE_DIR chooses another output directory (default build/release).
set -euo pipefail
cd "$(dirname "$0")/.."

release_dir="${TARIVOX_RELEASE_DIR:-build/release}"
version="$(sed -n 's/^project(Tarivox VERSION \([0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt)"
if [ -z "$version" ]; then
  echo "release.sh: no version found in CMakeLists.txt" >&2
  exit 1
fi

# One moment for everything: the linker writes it into the programs' headers
# (instead of the time of linking) and it becomes the time of every entry.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH="$(git log -1 --format=%ct 2>/dev/null || echo 946684800)"
fi
# DOS timestamps in a zip begin in 1980.
if [ "$SOURCE_DATE_EPOCH" -lt 315532800 ]; then SOURCE_DATE_EPOCH=315532800; fi
export SOURCE_DATE_EPOCH
# A zip stores local time: read it in UTC so the bytes do not depend on the
# machine's time zone.
export TZ=UTC

# Builds one preset into a directory of the release's own, without tests,
# and prints the path of its tarivox.exe.
build_program() {
  local preset="$1" dir="$release_dir/$1"
  cmake --preset "$preset" -B "$dir" -DTARIVOX_BUILD_TESTS=OFF >&2
  # Link again even when up to date, so the header carries this moment.
  find "$dir" -name tarivox.exe -type f -delete
  cmake --build "$dir" --target tarivox -j2 >&2
  find "$dir" -name tarivox.exe -type f | head -n 1
}

if [ "$#" -eq 2 ]; then
  exe_i686="$1"
  exe_x64="$2"
elif [ "$#" -eq 0 ]; then
  exe_i686="$(build_program mingw-i686)"
  exe_x64="$(build_program mingw-x64)"
else
  echo "usage: scripts/release.sh [<i686 tarivox.exe> <x86_64 tarivox.exe>]" >&2
  exit 2
fi
for exe in "$exe_i686" "$exe_x64"; do
  if [ ! -f "$exe" ]; then
    echo "release.sh: program not found: '$exe'" >&2
    exit 1
  fi
done

zip_name="tarivox-$version-windows.zip"
stage="$release_dir/stage"
rm -rf "$stage"
mkdir -p "$stage/i686" "$stage/x86_64"
cp "$exe_i686" "$stage/i686/tarivox.exe"
cp "$exe_x64" "$stage/x86_64/tarivox.exe"
cp README.md "$stage/README.md"

entries=(README.md i686/tarivox.exe x86_64/tarivox.exe)
(cd "$stage" && sha256sum "${entries[@]}" > SHA256SUMS)
entries+=(SHA256SUMS)

chmod 0755 "$stage/i686" "$stage/x86_64"
(cd "$stage" && chmod 0644 "${entries[@]}" && touch -h -d "@$SOURCE_DATE_EPOCH" "${entries[@]}")

rm -f "$release_dir/$zip_name"
(cd "$stage" && zip -q -X -D -9 "../$zip_name" "${entries[@]}")
rm -rf "$stage"

echo "$release_dir/$zip_name"
sha256sum "$release_dir/$zip_name" | cut -d ' ' -f 1 >&2

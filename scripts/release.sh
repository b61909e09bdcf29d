#!/usr/bin/env bash
# Packs the release a Windows user or an office's IT department takes away:
#
#   build/release/tarivox-<major.minor>-windows.zip
#     README.md
#     i686/tarivox.exe, i686/tarivox-cli.exe      32-bit programs (run on every Windows)
#     x86_64/tarivox.exe, x86_64/tarivox-cli.exe  64-bit programs
#     tarivox.html                                the page, opened from disk
#     SHA256SUMS                                  sha256sum of every file above
#   build/release/tarivox-<version>.msi           installs the 32-bit programs,
#                                                 the page and the README
#
#   scripts/release.sh            build the programs and the page, then pack
#   scripts/release.sh <i686 tarivox.exe> <i686 tarivox-cli.exe> \
#       <x86_64 tarivox.exe> <x86_64 tarivox-cli.exe> <tarivox.html>
#                                 pack the given files
#
# Prints the paths of the zip and the package. Both are reproducible: the
# zip's entries come in a fixed order, without directory entries or extra
# attributes, with fixed permissions; in both, every timestamp is
# SOURCE_DATE_EPOCH (default: the time of the last commit), read in UTC.
# Packing the same files twice gives the same bytes.
# TARIVOX_RELEASE_DIR chooses another output directory (default build/release).
# TARIVOX_VERSION (major.minor.build) packs as another version than
# CMakeLists.txt's, e.g. a lower one to try an upgrade.
set -euo pipefail
cd "$(dirname "$0")/.."

release_dir="${TARIVOX_RELEASE_DIR:-build/release}"
version="${TARIVOX_VERSION:-$(sed -n 's/^project(Tarivox VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)}"
# Windows Installer compares major.minor.build; the zip is named as the
# program shows its version, major.minor.
if ! [[ "$version" =~ ^[0-9]{1,3}\.[0-9]{1,3}\.[0-9]{1,5}$ ]]; then
  echo "release.sh: version '$version' is not major.minor.build" >&2
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

# Builds both programs of one preset into a directory of the release's own,
# without tests, and prints the directory that holds ui/ and cli/.
build_programs() {
  local preset="$1" dir="$release_dir/$1"
  cmake --preset "$preset" -B "$dir" -DTARIVOX_BUILD_TESTS=OFF >&2
  # Link again even when up to date, so the headers carry this moment.
  rm -f "$dir/src/ui/tarivox.exe" "$dir/src/cli/tarivox-cli.exe"
  cmake --build "$dir" --target tarivox tarivox-cli -j2 >&2
  echo "$dir/src"
}

build_page() {
  cmake --preset wasm -B "$release_dir/wasm" >&2
  cmake --build "$release_dir/wasm" -j2 >&2
  echo "$release_dir/wasm/web/tarivox.html"
}

# A name-based (SHA-1) UUID, in capitals as Windows Installer writes them.
name_uuid() {
  python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' "$1" "$2"
}

# The package, from the staged 32-bit programs, page and README. Its
# product code is derived from the upgrade code and the version: one
# version always has one product code, and every version another.
build_msi() {
  local wxs="$PWD/res/installer/tarivox.wxs" msi="$release_dir/$msi_name"
  local upgrade_code product_code package_code
  upgrade_code="$(sed -n 's/.*UpgradeCode="\([0-9A-F-]*\)".*/\1/p' "$wxs")"
  product_code="$(name_uuid "$upgrade_code" "$version")"
  cp res/art/tarivox.ico "$stage/tarivox.ico"
  (cd "$stage" && wixl -a x86 -D "Version=$version" -D "ProductCode=$product_code" -o "../$msi_name" "$wxs")
  # wixl gives each package a random package code and the time of the
  # build, both in the summary information: the code as a GUID text, then
  # the times of creation and of saving as FILETIMEs. They become a code
  # derived from the package's inputs, and SOURCE_DATE_EPOCH.
  package_code="{$(name_uuid "$upgrade_code" "$version $(cat "$wxs" "$stage/SHA256SUMS" | sha256sum)")}"
  CODE="$package_code" FILETIME=$(((SOURCE_DATE_EPOCH + 11644473600) * 10000000)) perl -0777 -pi -e '
    my $time = pack("Q<", $ENV{FILETIME});
    s/\{[0-9A-F-]{36}\}(\0\0\x40\0\0\0).{8}(\x40\0\0\0).{8}/$ENV{CODE}$1$time$2$time/s
      or die "release.sh: no package code and times found in $ARGV\n";' "$msi"
}

# The files of the zip, in its order (SHA256SUMS follows them).
entries=(README.md i686/tarivox.exe i686/tarivox-cli.exe x86_64/tarivox.exe x86_64/tarivox-cli.exe tarivox.html)
if [ "$#" -eq 5 ]; then
  sources=(README.md "$@")
elif [ "$#" -eq 0 ]; then
  i686="$(build_programs mingw-i686)"
  x64="$(build_programs mingw-x64)"
  sources=(README.md "$i686/ui/tarivox.exe" "$i686/cli/tarivox-cli.exe"
           "$x64/ui/tarivox.exe" "$x64/cli/tarivox-cli.exe" "$(build_page)")
else
  echo "usage: scripts/release.sh [<i686 tarivox.exe> <i686 tarivox-cli.exe> <x86_64 tarivox.exe> <x86_64 tarivox-cli.exe> <tarivox.html>]" >&2
  exit 2
fi
for source in "${sources[@]}"; do
  if [ ! -f "$source" ]; then
    echo "release.sh: file not found: '$source'" >&2
    exit 1
  fi
done

zip_name="tarivox-${version%.*}-windows.zip"
msi_name="tarivox-$version.msi"
stage="$release_dir/stage"
rm -rf "$stage" "$release_dir/$zip_name" "$release_dir/$msi_name"
mkdir -p "$stage/i686" "$stage/x86_64"
for i in "${!entries[@]}"; do cp "${sources[$i]}" "$stage/${entries[$i]}"; done

(cd "$stage" && sha256sum "${entries[@]}" > SHA256SUMS)
entries+=(SHA256SUMS)

chmod 0755 "$stage/i686" "$stage/x86_64"
(cd "$stage" && chmod 0644 "${entries[@]}" && touch -h -d "@$SOURCE_DATE_EPOCH" "${entries[@]}")

(cd "$stage" && zip -q -X -D -9 "../$zip_name" "${entries[@]}")
build_msi
rm -rf "$stage"

echo "$release_dir/$zip_name"
echo "$release_dir/$msi_name"
sha256sum "$release_dir/$zip_name" "$release_dir/$msi_name" >&2

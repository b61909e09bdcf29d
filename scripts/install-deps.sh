#!/usr/bin/env bash
# Installs from Debian's packages everything the build and the tests need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive

# time: the command-line tests read a run's peak memory with /usr/bin/time.
# wspanish, wamerican: the message table's Spanish is checked for English
# words. libreoffice-calc-nogui: the CSV exports are opened in a spreadsheet,
# to see that the fees are numbers adding up to the total and that no cell
# becomes a formula. libssl-dev: SHA-256 for a quote's verification code,
# from OpenSSL's libcrypto. hunspell, hunspell-es: the names and texts a
# client reads are checked against the Spanish dictionary.
# libxlsxwriter-dev: the xlsx workbook natively (python3-openpyxl reads it
# back in the tests); dpkg-dev unpacks the source packages the other
# targets build it from, and libz-mingw-w64-dev is its zlib for Windows.
native_packages=(
  g++ clang libclang-rt-14-dev cmake ninja-build git
  googletest libgtest-dev libbenchmark-dev time
  wspanish wamerican libreoffice-calc-nogui libssl-dev hunspell hunspell-es
  libxlsxwriter-dev python3-openpyxl dpkg-dev
)
windows_packages=(
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64 libz-mingw-w64-dev
  wine wine64 xvfb xdotool imagemagick fonts-liberation fonts-comic-neue
  fonts-wine zip unzip wixl python3
)
# The page: the core for wasm32 with Debian's clang, and its tests in chromium
# and firefox-esr (PDFs read back by poppler's tools).
web_packages=(
  wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32 lld-14
  chromium firefox-esr poppler-utils
)

$SUDO apt-get update -qq
# With recommended packages: Wine's own fonts (fonts-wine) and the X and GL
# libraries it recommends are what the window tests were measured with.
$SUDO apt-get install -y -qq "${native_packages[@]}" "${windows_packages[@]}" "${web_packages[@]}"
# The page's tests run on Node with npm. A Node installed from elsewhere
# brings its own npm, which Debian's npm package would conflict with.
if ! command -v node >/dev/null; then
  $SUDO apt-get install -y -qq nodejs npm
fi

# 32-bit Wine runs the primary (i686) build of the program.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -qq
fi
$SUDO apt-get install -y -qq wine32:i386

# The Windows builds and the page compile libxlsxwriter (and the page zlib)
# from Debian's own source packages, unpacked with Debian's patches into
# /usr/local/src/debian-sources/NAME, where CMake finds them
# (TARIVOX_DEBIAN_SOURCES). That needs the archive's deb-src lines: a copy
# of its deb entries, added once.
if ! apt-get indextargets --format '$(CREATED_BY)' | grep -qx Sources; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      $SUDO tee /etc/apt/sources.list.d/tarivox-deb-src.sources >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      $SUDO tee /etc/apt/sources.list.d/tarivox-deb-src.list >/dev/null
  fi
  $SUDO apt-get update -qq
fi
sources=/usr/local/src/debian-sources
# The newest version that can be fetched: a mirror may lack a security
# update's source for a while, and then the release's own is taken.
fetch_source() {
  local name=$1 version work
  [ -f "$sources/$name/.debian-version" ] && return 0
  $SUDO mkdir -p "$sources"
  for version in "" $(apt-cache showsrc "$name" | sed -n 's/^Version: //p' | sort -u -r -V); do
    work=$($SUDO mktemp -d "$sources/.fetch-$name.XXXXXX")
    if (cd "$work" && $SUDO apt-get source -qq -o APT::Sandbox::User=root "$name${version:+=$version}" \
          >/dev/null 2>&1); then
      $SUDO rm -rf "$sources/$name"
      $SUDO mv "$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)" "$sources/$name"
      dpkg-parsechangelog -l "$sources/$name/debian/changelog" -S Version | $SUDO tee "$sources/$name/.debian-version" >/dev/null
      $SUDO rm -rf "$work"
      return 0
    fi
    $SUDO rm -rf "$work"
  done
  echo "install-deps: cannot fetch the Debian source package $name" >&2
  return 1
}
fetch_source libxlsxwriter
fetch_source zlib

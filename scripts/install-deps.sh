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
native_packages=(
  g++ clang libclang-rt-14-dev cmake ninja-build git
  googletest libgtest-dev libbenchmark-dev time
  wspanish wamerican libreoffice-calc-nogui libssl-dev hunspell hunspell-es
)
windows_packages=(
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
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

#!/usr/bin/env bash
# Builds the Windows program for i686 and x86_64 with MinGW-w64 and runs
# their tests under Wine: the window's behaviour suite against real USER32,
# the core tests, and (i686) the end-to-end test of tarivox.exe driven
# through a virtual X display; then the Windows Installer package, installed,
# upgraded and removed in a fresh prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/wine-env.sh "$PWD/build/wineprefix"
trap wine_env_stop EXIT
wine_env_start

# The 32-bit build is the primary one; a machine that cannot run 32-bit
# programs at all still builds it, and runs the same tests on the 64-bit one.
runs_32bit=1
wine_env_runs_32bit || runs_32bit=0
for preset in mingw-i686 mingw-x64; do
  echo "== Windows build $preset, tests under Wine"
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j2
  if [ "$preset" = mingw-i686 ] && [ "$runs_32bit" = 0 ]; then
    echo "NOTE: this machine's kernel runs no 32-bit programs: the i686 build is compiled, not run"
    continue
  fi
  # A hidden window for the whole run keeps Wine's desktop process up
  # instead of letting each test start it again.
  wine "build/$preset/tests/e2e/inspect_window.exe" - hold >/dev/null 2>&1 &
  # One Wine desktop for the whole run: tests share it serially.
  ctest --preset "$preset" -j1
done

echo "== the Windows Installer package under Wine"
# What it installs besides the programs, the page, and the native
# tarivox-cli that the installed one is compared with (scripts/test.sh has
# built both already, so this is usually up to date at once).
cmake --preset wasm
cmake --build --preset wasm
[ -f build/ci/build.ninja ] || cmake --preset ci
cmake --build --preset ci -j2 --target tarivox-cli
installer_build=build/mingw-i686
[ "$runs_32bit" = 1 ] || installer_build=build/mingw-x64
bash tests/release/installer_test.sh "$installer_build" build/wasm/web/tarivox.html \
  build/ci/src/cli/tarivox-cli build/installer-test

size=$(stat -c %s build/mingw-i686/src/ui/tarivox.exe)
echo "tarivox.exe (i686): $size bytes"
echo "package: $(stat -c %s build/installer-test/new/*.msi) bytes"

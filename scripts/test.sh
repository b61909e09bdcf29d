#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test suite:
# native (release with warnings as errors), sanitizers, a bounded fuzzing run,
# the page in chromium, and the Windows builds under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== native build and tests"
cmake --preset ci
cmake --build --preset ci -j2
ctest --preset ci -j2

echo "== AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan
cmake --build --preset asan -j2
ctest --preset asan -j2

echo "== fuzzing, bounded"
scripts/fuzz.sh "${TARIVOX_FUZZ_SECONDS:-60}"

echo "== the page (WebAssembly) in chromium"
scripts/web-tests.sh

echo "== Windows builds (MinGW-w64), tests under Wine"
scripts/windows-tests.sh

#!/usr/bin/env bash
# Runs the computation fuzzer for a bounded time (seconds, default 60) with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2
work=build/fuzz/corpus
mkdir -p "$work"
cp -n fuzz/corpus/* "$work"/ 2>/dev/null || true
build/fuzz/fuzz/fuzz_computation -max_total_time="$seconds" -max_len=600 -print_final_stats=1 "$work"

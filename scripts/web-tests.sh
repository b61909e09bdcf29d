#!/usr/bin/env bash
# The page's tests: build/wasm/web/tarivox.html opened from disk in Debian's
# chromium and firefox-esr, headless, every request refused, driven by
# puppeteer-core (pinned by tests/web's lock file, no browser download),
# every figure and export checked against the native tarivox-cli, a hurried
# clerk's cases and random sequences of what a person does checked against
# a model of the quote.
# Screenshots, the printed PDFs and their pictures go to build/web-tests/;
# the page's figures are printed last.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== the page (wasm preset)"
cmake --preset wasm
cmake --build --preset wasm

# The expected bytes come from the native tool; scripts/test.sh has built
# the ci preset already, so this is usually up to date at once.
[ -f build/ci/build.ninja ] || cmake --preset ci
cmake --build --preset ci -j2 --target tarivox-cli

echo "== the page's tests in chromium and firefox-esr"
# Every package is pinned with its checksum: npm's cache serves it offline.
(cd tests/web && npm ci --prefer-offline --no-audit --no-fund)
mkdir -p build/web-tests
# The model-based tests run a fixed seed and a few sequences here; the README
# gives the command for a longer run.
node --test tests/web/page.test.js tests/web/safety.test.js tests/web/model.test.js

echo "== the page's figures"
node bench/page_figures.js

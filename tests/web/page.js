"use strict";
// What the page's tests and figures share: Debian's chromium, headless, with
// the fresh temporary profile playwright gives each launch; the page opened
// from disk with every request but its own file refused and recorded; and
// the native tarivox-cli, whose bytes the page must reproduce.
const assert = require("node:assert/strict");
const { spawnSync } = require("node:child_process");
const path = require("node:path");
const { chromium } = require("playwright-core");

const root = path.resolve(__dirname, "../..");
const pagePath = path.join(root, "build/wasm/web/tarivox.html");
const pageUrl = "file://" + pagePath;
const output = (name) => path.join(root, "build/web-tests", name);

// The command's standard output; status 1 (some input refused) is an answer too.
function run(command, args, input) {
  const result = spawnSync(command, args, { input, maxBuffer: 1 << 26 });
  assert.ok(result.status === 0 || result.status === 1, `${command} ${args.join(" ")}: ${result.stderr}`);
  return result.stdout;
}
const cli = (args, input) => run(path.join(root, "build/ci/src/cli/tarivox-cli"), args, input);

async function openPage() {
  const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox", "--disable-gpu",
    "--disable-background-networking", "--disable-component-update", "--disable-sync", "--no-first-run"] });
  const context = await browser.newContext({ offline: true, acceptDownloads: true });
  const [requests, errors] = [[], []];
  context.on("request", (request) => requests.push(request.url()));
  await context.route("**/*", (route) => (route.request().url() === pageUrl ? route.continue() : route.abort()));
  const page = await context.newPage();
  page.setDefaultTimeout(5000);
  page.on("pageerror", (error) => errors.push(error.message));
  const load = (reload) => (reload ? page.reload() : page.goto(pageUrl)).then(() => page.evaluate(() => Tarivox.ready));
  await load(false);
  // The page asked for nothing but itself and raised no error.
  const checkQuiet = () => assert.deepEqual({ own: requests.includes(pageUrl), errors,
    others: requests.filter((url) => url !== pageUrl) }, { own: true, errors: [], others: [] });
  return { browser, page, load, checkQuiet };
}

module.exports = { openPage, cli, run, output, pagePath };

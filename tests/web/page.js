"use strict";
// What the page's tests and figures share: Debian's chromium and
// firefox-esr, headless, driven by puppeteer-core; each test in a fresh
// browser context (its own storage) with every request but the page's own
// file refused and recorded; and the native tarivox-cli, whose bytes the
// page must reproduce.
const assert = require("node:assert/strict");
const { spawnSync } = require("node:child_process");
const fs = require("node:fs");
const path = require("node:path");
const puppeteer = require("puppeteer-core");

const root = path.resolve(__dirname, "../..");
// TARIVOX_PAGE names another build of the page to try the tests on (an
// earlier one, to see a test fail where it should).
const pagePath = process.env.TARIVOX_PAGE ?? path.join(root, "build/wasm/web/tarivox.html");
const pageUrl = "file://" + pagePath;
const output = (name) => path.join(root, "build/web-tests", name);
// The tool the page is compared with runs without the user's own settings
// (who prepares quotes), which the page does not read.
process.env.XDG_CONFIG_HOME = output("no-settings");
const downloads = (engine) => output("downloads-" + engine);

// The command's standard output; status 1 (some input refused) is an answer too.
function run(command, args, input) {
  const result = spawnSync(command, args, { input, maxBuffer: 1 << 26 });
  assert.ok(result.status === 0 || result.status === 1, `${command} ${args.join(" ")}: ${result.stderr}`);
  return result.stdout;
}
const cli = (args, input) => run(path.join(root, "build/ci/src/cli/tarivox-cli"), args, input);

// The browsers run where most of the page's users are: in San Salvador,
// six hours behind UTC, so that a date taken in UTC is a day off each
// evening.
const env = { ...process.env, TZ: "America/El_Salvador" };
const ENGINES = {
  chromium: () => puppeteer.launch({ headless: true, env, executablePath: "/usr/bin/chromium", args: ["--no-sandbox",
    "--disable-gpu", "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--no-first-run"] }),
  firefox: () => puppeteer.launch({ headless: true, env, browser: "firefox", executablePath: "/usr/bin/firefox-esr",
    extraPrefsFirefox: { "browser.download.dir": downloads("firefox"), "browser.download.folderList": 2,
      "browser.download.useDownloadDir": true, "browser.download.always_ask_before_handling_new_types": false,
      "browser.helperApps.neverAsk.saveToDisk":
        "text/csv,application/json,application/vnd.openxmlformats-officedocument.spreadsheetml.sheet",
      "network.dns.disableIPv6": true } }),
};

// A fresh context: its own storage, downloads into the engine's folder.
async function newSession(browser, engine) {
  fs.mkdirSync(downloads(engine), { recursive: true });
  const context = engine === "chromium"
    ? await browser.createBrowserContext({ downloadBehavior: { policy: "allow", downloadPath: downloads(engine) } })
    : await browser.createBrowserContext();
  const [requests, errors] = [[], []];
  // A tab of the page, opened from disk; what it asked for is recorded.
  async function open(setUp = null) {
    const page = await context.newPage();
    page.setDefaultTimeout(20000);
    page.on("pageerror", (error) => errors.push(error.message));
    await page.setRequestInterception(true);
    page.on("request", (request) => {
      requests.push(request.url());
      // A data: URL (the browser's own, for its controls) is not a request that leaves the machine.
      if (request.url() === pageUrl || request.url().startsWith("data:")) request.continue();
      else request.abort();
    });
    await page.evaluateOnNewDocument(personClock);
    if (setUp) await page.evaluateOnNewDocument(setUp);
    await page.goto(pageUrl);
    await page.evaluate(() => Tarivox.ready.catch(() => null));
    return page;
  }
  // The page asked for nothing but itself and raised no error.
  const checkQuiet = () => assert.deepEqual({ errors, others: requests.filter((url) => url !== pageUrl &&
                                                                             !url.startsWith("data:")) },
                                            { errors: [], others: [] });
  return { context, open, checkQuiet, close: () => context.close() };
}

// The page's clock, which tells a repeated press from a new one, moved on
// by a person's pause between two presses (pause()), so that the tests
// need not wait for it.
function personClock() {
  const now = performance.now.bind(performance);
  let skew = 0;
  performance.now = () => now() + skew;
  window.tarivoxPause = (ms) => { skew += ms; };
}
const pause = (page, ms = 1000) => page.evaluate((by) => window.tarivoxPause(by), ms);

// Quotes kept as the page keeps them, [{ client, date, acts: [record or
// text] }], the first one open; then the page is loaded again.
async function keep(page, quotes) {
  await page.evaluate((all) => {
    localStorage.clear();
    sessionStorage.clear();
    all.forEach(({ client, date, acts }, q) => {
      const id = `0000keep${q}000`;
      localStorage.setItem("tarivox.quote/" + id, JSON.stringify({ client, date, created: `2026-01-0${q + 1}` }));
      acts.forEach((act, a) => localStorage.setItem(`tarivox.act/${id}/${String(a).padStart(12, "0")}`,
                                                    typeof act === "string" ? act : JSON.stringify(act)));
    });
    localStorage.setItem("tarivox.open", "0000keep0000");
  }, quotes);
  await page.reload();
  await page.evaluate(() => Tarivox.ready.catch(() => null));
}

// Controls found as a person finds them: by their label's text, by the
// text or accessible name of a button.
async function control(page, label) {
  const handle = await page.evaluateHandle((name) => {
    const label = [...document.querySelectorAll("label")].find((element) => element.textContent.trim() === name);
    return label?.control ?? null;
  }, label);
  assert.ok(handle.asElement(), `no control labelled ${label}`);
  return handle.asElement();
}

async function button(page, name) {
  const handle = await page.evaluateHandle((text) => [...document.querySelectorAll("button")].find((element) =>
    (element.getAttribute("aria-label") ?? element.textContent.trim()) === text) ?? null, name);
  assert.ok(handle.asElement(), `no button ${name}`);
  return handle.asElement();
}

// Chooses the option with that text (or at that position) in the list labelled so.
async function choose(page, label, option) {
  const list = await control(page, label);
  await list.evaluate((element, wanted) => {
    const index = typeof wanted === "number" ? wanted : [...element.options].findIndex((item) => item.text === wanted);
    if (index < 0 || index >= element.options.length) throw new Error("no option " + wanted);
    element.selectedIndex = index;
    element.dispatchEvent(new Event("change", { bubbles: true }));
  }, option);
}

async function type(page, label, text) {
  const field = await control(page, label);
  await field.click({ count: 3 });
  await page.keyboard.press("Backspace");
  await field.type(text);
  return field;
}

// The verification code on screen once the page has sealed the quote as it
// stands, which is when a printout carries it.
async function sealed(page) {
  const code = await page.waitForFunction(() => {
    const shown = /^Código de verificación: (\w{4}-\w{4}-\w{4})$/.exec(document.getElementById("quote-code").textContent);
    return shown?.[1];
  });
  return code.jsonValue();
}

module.exports = { ENGINES, newSession, control, button, choose, type, cli, run, output, downloads, pagePath, pause,
                   keep, sealed };

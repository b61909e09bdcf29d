"use strict";
// The page's figures in chromium: its size, the time from opening it to
// Tarivox.ready (median of 9 loads, measured in the page from the start of
// its navigation) and Tarivox.compute calls per second. Printed for the
// record by scripts/web-tests.sh; nothing here passes or fails.
const fs = require("node:fs");
const { openPage, pagePath } = require("../tests/web/page.js");

// Notes the moment ready resolves, before anything else the page runs then.
function noteReadyTime() {
  Object.defineProperty(window, "Tarivox", { configurable: true, set(tarivox) {
    Object.defineProperty(window, "Tarivox", { value: tarivox, writable: true, configurable: true });
    tarivox.ready.then(() => { window.readyAt = performance.now(); });
  } });
}

// Varied selections and amounts, as a clerk's day would bring them, for two seconds.
function computeCallsPerSecond() {
  const start = performance.now();
  let calls = 0;
  for (; performance.now() - start < 2000; calls++) {
    Tarivox.compute(calls % 2, 0, calls % 9, calls % 3 === 0, String(calls * 7.31));
  }
  return calls / ((performance.now() - start) / 1000);
}

(async () => {
  const { browser, page, load } = await openPage();
  await page.addInitScript(noteReadyTime);
  const times = [];
  for (let count = 0; count < 9; count++) {
    await load(true);
    times.push(await page.evaluate(() => window.readyAt));
  }
  times.sort((a, b) => a - b);
  const perSecond = await page.evaluate(computeCallsPerSecond);
  console.log(`page ${fs.statSync(pagePath).size} bytes; opening to Tarivox.ready ${times[4].toFixed(1)} ms (median ` +
              `of 9 loads, ${times[0].toFixed(1)} to ${times[8].toFixed(1)}); ${Math.round(perSecond)} Tarivox.compute calls/s`);
  await browser.close();
})();

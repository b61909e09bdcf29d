"use strict";
// The page's figures in chromium: its size, the time from opening it to
// Tarivox.ready (median of 9 loads, measured in the page from the start of
// its navigation) and the time of a Tarivox.compute call (the best of five
// rounds of 200,000). Printed for the record by scripts/web-tests.sh;
// nothing here passes or fails.
const fs = require("node:fs");
const { openPage, pagePath } = require("../tests/web/page.js");

// Notes the moment ready resolves, before anything else the page runs then.
function noteReadyTime() {
  Object.defineProperty(window, "Tarivox", { configurable: true, set(tarivox) {
    Object.defineProperty(window, "Tarivox", { value: tarivox, writable: true, configurable: true });
    tarivox.ready.then(() => { window.readyAt = performance.now(); });
  } });
}

// Varied selections and amounts, as a clerk's day would bring them; the
// first round warms the engine up.
function microsecondsPerCompute() {
  const typed = ["25,000", "1234.125", "9,500.01", "0.01", "150,000.00", "abc", "1e6", "857100.01"];
  let best = Infinity;
  for (let round = 0; round < 5; round++) {
    const start = performance.now();
    for (let call = 0; call < 200000; call++) Tarivox.compute(call % 2, 0, call % 9, call % 3 === 0, typed[call % 8]);
    best = Math.min(best, (performance.now() - start) * 1000 / 200000);
  }
  return best;
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
  const perCall = await page.evaluate(microsecondsPerCompute);
  console.log(`page ${fs.statSync(pagePath).size} bytes; opening to Tarivox.ready ${times[4].toFixed(1)} ms (median ` +
              `of 9 loads, ${times[0].toFixed(1)} to ${times[8].toFixed(1)}); Tarivox.compute ${perCall.toFixed(2)} µs a call`);
  await browser.close();
})();

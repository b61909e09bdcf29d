"use strict";
// The page's figures in chromium and firefox-esr: its size; the time from
// opening it to Tarivox.ready (median of 9 loads); the time of a
// Tarivox.compute call on distinct amounts with its texts read back (the
// best of five rounds of 200,000); and, for a
// quote of 10 and of 5,000 acts, the time to reopen it (from the start of
// the navigation to the quote on the page with its total and first rows,
// median of 5, and to every row built), to add an act and to remove the
// last act and the first (each from the press to the end of the layout it
// causes, median of 9), to seal it (its content from the module, every
// line digested by the browser's SHA-256, the code from the module; median
// of 5) and what a key typed into its reference costs before the seal
// (median of 9). Printed for the record by scripts/web-tests.sh; nothing here passes
// or fails.
const fs = require("node:fs");
const { ENGINES, newSession, pagePath } = require("../tests/web/page.js");

// Notes the moment ready resolves, before anything else the page runs then.
function noteReadyTime() {
  Object.defineProperty(window, "Tarivox", { configurable: true, set(tarivox) {
    Object.defineProperty(window, "Tarivox", { value: tarivox, writable: true, configurable: true });
    tarivox.ready.then(() => { window.readyAt = performance.now(); });
  } });
}

// Distinct amounts as people type them (grouped or not, with cents or
// without, now and then a third decimal, blanks or a word the window reads
// as 0.00), each computed once under a varied selection and its three texts
// read back, as a script re-pricing an archive does; the best of five
// rounds of 200,000, after a round that warms the engine up.
function microsecondsPerCompute() {
  const count = 200000;
  let seed = 20261207;
  const next = () => (seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648;
  const typed = [];
  for (let i = 0; i < count; i++) {
    const cents = Math.floor(next() * 10 ** (2 + Math.floor(next() * 9)));
    const whole = Math.floor(cents / 100);
    const grouped = next() < 0.5 ? whole.toLocaleString("en-US") : String(whole);
    const shape = next();
    typed.push(shape < 0.6 ? `${grouped}.${String(cents % 100).padStart(2, "0")}`
               : shape < 0.8 ? grouped
               : shape < 0.9 ? ` ${grouped}.${String(cents % 1000).padStart(3, "0")} `
               : shape < 0.97 ? `${whole}${"e"}${Math.floor(next() * 4)}` : `monto ${i}`);
  }
  let best = Infinity, read = 0;
  for (let round = 0; round < 6; round++) {
    const start = performance.now();
    for (let call = 0; call < count; call++) {
      const texts = Tarivox.compute(call % 2, call % 7 === 0 ? 1 : 0, call % 3, call % 5 === 0, typed[call]);
      read += texts.fee.length + texts.amount.length + texts.message.length;
    }
    if (round > 0) best = Math.min(best, (performance.now() - start) * 1000 / count);
  }
  if (read === 0) throw new Error("no text read back");
  return best;
}

// A kept quote of count acts of every kind, written as the page keeps them.
function keepQuote(count) {
  localStorage.clear();
  const acts = [[0, 0, 0, false, "150,000", "Compraventa"], [1, 0, 1, true, "9,500.01", "Hipoteca"],
                [0, 2, 0, false, "12", "Literal"], [0, 4, 0, false, null, ""], [1, 1, 2, false, "80,000", ""]];
  const quote = "0000bench0000q";
  localStorage.setItem("tarivox.quote/" + quote, JSON.stringify({ client: "Banco", date: "2026-12-06", created: "" }));
  for (let i = 0; i < count; i++) {
    const [office, service, transaction, social, typed, label] = acts[i % acts.length];
    localStorage.setItem(`tarivox.act/${quote}/${String(i).padStart(12, "0")}`,
                         JSON.stringify({ office, service, transaction, social, typed, label: label + " " + i }));
  }
  localStorage.setItem("tarivox.open", quote);
}


// Milliseconds from each press to the end of the layout it causes (the
// work of the page and of the browser's style and layout, without the
// wait for the screen), median of 9, with a pause between presses as a
// person makes them: adding the act in the calculator, removing the last
// act or the first.
async function pressTimes(what) {
  const times = [];
  for (let round = 0; round < 9; round++) {
    await new Promise((resolve) => setTimeout(resolve, 200));
    // Something typed between two presses: each press is another act.
    document.getElementById("act-label").dispatchEvent(new Event("input", { bubbles: true }));
    document.documentElement.getBoundingClientRect();
    const start = performance.now();
    if (what === "add") document.getElementById("add-act").click();
    else if (what === "first") document.querySelector("#act-rows [role=row] button").click();
    else [...document.querySelectorAll("#act-rows [role=row] button")].at(-1).click();
    document.documentElement.getBoundingClientRect();
    times.push(performance.now() - start);
  }
  return times.sort((a, b) => a - b)[4];
}

// Milliseconds to seal the open quote as it stands, median of 5.
async function sealTime() {
  const times = [];
  for (let round = 0; round < 5; round++) {
    performance.clearMeasures("tarivox-seal");
    Seal.stale();
    await Seal.fresh();
    times.push(performance.getEntriesByName("tarivox-seal")[0].duration);
  }
  return times.sort((a, b) => a - b)[2];
}

// Milliseconds a key typed into the client reference takes, the seal
// being left for when typing pauses; median of 9.
function keyTime() {
  const field = document.getElementById("client");
  const times = [];
  for (let key = 0; key < 9; key++) {
    field.value += "x";
    const start = performance.now();
    field.dispatchEvent(new Event("input", { bubbles: true }));
    document.documentElement.getBoundingClientRect();
    times.push(performance.now() - start);
  }
  return times.sort((a, b) => a - b)[4];
}

async function figures(engine) {
  const browser = await ENGINES[engine]();
  const session = await newSession(browser, engine);
  const page = await session.open(noteReadyTime);
  await page.setViewport({ width: 1280, height: 900 });
  const times = [];
  for (let count = 0; count < 9; count++) {
    await page.reload();
    await page.evaluate(() => Tarivox.ready);
    times.push(await page.evaluate(() => window.readyAt));
  }
  times.sort((a, b) => a - b);
  const perCall = await page.evaluate(microsecondsPerCompute);
  const quotes = [];
  for (const count of [10, 5000]) {
    // Reopened twice first: the first time, the browser is still writing
    // the records just made to its disk, which no user's reopening waits
    // for. Then the quote on the page (median of 5 reopenings), and every
    // row built.
    await page.evaluate(keepQuote, count);
    for (let load = 0; load < 2; load++) {
      await page.reload();
      await page.evaluate(() => Tarivox.ready);
    }
    const shown = [];
    let reopen = null;
    for (let load = 0; load < 5; load++) {
      await page.reload();
      await page.evaluate(() => Tarivox.ready);
      reopen = await page.evaluate(async (count) => {
        while (document.querySelectorAll("#act-rows [role=row]").length < count) {
          await new Promise((resolve) => setTimeout(resolve, 5));
        }
        return [performance.getEntriesByName("tarivox-quote-shown")[0].startTime, performance.now()];
      }, count);
      shown.push(reopen[0]);
    }
    reopen[0] = shown.sort((a, b) => a - b)[2];
    await page.evaluate(() => { document.getElementById("amount").value = "25,000"; });
    await page.evaluate(() => document.getElementById("amount").dispatchEvent(new Event("input", { bubbles: true })));
    const add = await page.evaluate(pressTimes, "add");
    const last = await page.evaluate(pressTimes, "last");
    const first = await page.evaluate(pressTimes, "first");
    const seal = await page.evaluate(sealTime);
    const key = await page.evaluate(keyTime);
    quotes.push(`${count.toLocaleString("en-US")} acts: reopened in ${reopen[0].toFixed(0)} ms (every row built at ` +
                `${reopen[1].toFixed(0)} ms), ` +
                `an act added in ${add.toFixed(1)} ms, the last removed in ${last.toFixed(1)} ms, the first removed in ` +
                `${first.toFixed(1)} ms (which renumbers every act after it, and here every note), sealed in ` +
                `${seal.toFixed(0)} ms, a key typed into the reference in ${key.toFixed(1)} ms`);
  }
  console.log(`${engine}: page ${fs.statSync(pagePath).size} bytes; opening to Tarivox.ready ${times[4].toFixed(1)} ms ` +
              `(median of 9 loads, ${times[0].toFixed(1)} to ${times[8].toFixed(1)}); Tarivox.compute ` +
              `${perCall.toFixed(2)} µs a call\n  ${quotes.join("\n  ")}`);
  await session.close();
  await browser.close();
}

(async () => {
  for (const engine of process.argv.slice(2).length ? process.argv.slice(2) : Object.keys(ENGINES)) await figures(engine);
})();

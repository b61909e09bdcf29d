"use strict";
// What a hurried clerk does that must not lose work or price the wrong
// amount, in chromium and in firefox-esr: each family of cases in a table
// whose failing row is named, every expected figure from tarivox-cli.
const { describe, test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const { spawnSync } = require("node:child_process");
const fs = require("node:fs");
const path = require("node:path");
const { ENGINES, newSession, control, button, choose, type, cli, run, output, downloads, pause, keep, sealed } =
  require("./page.js");

// A browser that hangs fails its test instead of the whole run (Debian 12's
// Node 18 has no --test-timeout).
const TEST_TIMEOUT_MS = 300000;
const act = (label, typed = "150,000", [office, service, transaction, social] = [0, 0, 0, false]) =>
  ({ office, service, transaction, social, typed, label });
const QUOTE = { client: "Ref A", date: "2026-12-06", acts: [act("A1"), act("A2", "9,500.01"), act("A3", "80,000")] };
const OTHERS = [{ client: "Ref B", date: "2026-12-05", acts: [act("B1")] },
                { client: "Ref C", date: "2026-12-04", acts: [act("C1")] }];

const text = (page, id) => page.$eval("#" + id, (element) => element.textContent);
const shown = (page, id) => page.$eval("#" + id, (element) => !element.hidden && element.getClientRects().length > 0);
// The quote as a person sees it: the labels of its rows, the kept quotes, the total.
const seen = (page) => page.evaluate(() => ({
  rows: [...document.querySelectorAll("#act-rows [role=row]")].map((row) =>
    row.querySelector(".act-label")?.textContent ?? ""),
  kept: [...document.getElementById("kept").options].map((option) => option.text.split(",")[0]),
  total: document.getElementById("quote-acts").hidden ? "" : document.getElementById("quote-total").textContent,
}));
// Why `tarivox-cli quote` refuses an act.
function refusal(act) {
  const result = spawnSync(path.join(__dirname, "../../build/ci/src/cli/tarivox-cli"), ["quote", "--act", act]);
  return /--act 1: (.*)/.exec(result.stderr.toString())[1];
}

// The fee `tarivox-cli batch` gives for an amount typed at the first
// transaction, and the amount it reads.
const batch = (typed) => cli(["batch"], `0\t0\t0\t0\t${typed}\n`).toString().trimEnd().split("\t").slice(0, 2);

// Twice in a hurry, as a person does it by mistake.
async function pressTwice(page, element, how) {
  if (how === "double click") {
    await element.click({ count: 2 });
    return;
  }
  await element.focus();
  const key = how === "Enter twice" ? "Enter" : " ";
  await page.keyboard.press(key);
  await page.keyboard.press(key);
}

// Where a test starts: the quotes kept and the page loaded again, then
// perhaps a computation or an act added in the calculator.
async function startAt(page, state, quotes = [QUOTE, ...OTHERS]) {
  await keep(page, quotes);
  if (state === "after a computation") {
    await type(page, "Monto $:", "1500");
    await page.keyboard.press("Enter");
  } else if (state === "after adding an act") {
    await type(page, "Monto $:", "1500");
    await type(page, "Etiqueta del acto (opcional):", "Nuevo");
    await (await button(page, "Agregar al presupuesto")).click();
  }
  await pause(page);
}

const STATES = ["after a reload", "after a computation", "after adding an act"];
const HOWS = ["double click", "Enter twice", "Space twice"];

for (const engine of Object.keys(ENGINES)) {
  describe(engine, () => {
    let browser;
    before(async () => { browser = await ENGINES[engine](); });
    after(() => browser?.close());
    const inFreshContext = (name, body) => test(name, { timeout: TEST_TIMEOUT_MS }, async () => {
      const session = await newSession(browser, engine);
      try {
        await body(session);
        session.checkQuiet();
      } finally {
        await session.close();
      }
    });

    inFreshContext("a press made twice in a hurry acts once, on every button, by every key, from every start",
                   async ({ open }) => {
      const page = await open();
      // Each button, what one press changes in what is seen, and what has to be done first.
      const BUTTONS = [
        ["Agregar al presupuesto", (a, b) => b.rows.length - a.rows.length, 1, async () => {
          await type(page, "Monto $:", "2500");
        }],
        ["Quitar el acto 1", (a, b) => b.rows.length - a.rows.length, -1, null],
        ["Eliminar este presupuesto", (a, b) => b.kept.length - a.kept.length, -1, null],
        ["Nuevo presupuesto", (a, b) => b.kept.length - a.kept.length, 1, null],
        ["Deshacer", (a, b) => b.rows.length - a.rows.length, 1, async () => {
          for (let i = 0; i < 2; i++) {
            await (await button(page, "Quitar el acto 1")).click();
            await pause(page);
          }
        }],
      ];
      const wrong = [];
      for (const [name, change, once, prepare] of BUTTONS) {
        for (const state of STATES) {
          for (const how of HOWS) {
            await startAt(page, state);
            if (prepare) await prepare();
            await pause(page);
            const before = await seen(page);
            await pressTwice(page, await button(page, name), how);
            const changed = change(before, await seen(page));
            if (changed !== once) wrong.push(`${name}, ${how}, ${state}: ${changed} instead of ${once}`);
          }
        }
      }
      // The last act removed, the focus lands on "Agregar": the second press adds nothing.
      for (const how of HOWS) {
        await startAt(page, "after a reload", [{ client: "Ref S", date: "2026-12-06", acts: [act("Solo")] }]);
        await type(page, "Monto $:", "2500");
        await pause(page);
        await pressTwice(page, await button(page, "Quitar el acto 1"), how);
        const left = (await seen(page)).rows;
        if (left.length !== 0) wrong.push(`the last act's Quitar, ${how}: ${JSON.stringify(left)} left`);
      }
      // Enter in the label field adds the act in the calculator, once for a double Enter.
      for (const state of STATES) {
        await startAt(page, state);
        await type(page, "Monto $:", "2500");
        const before = await seen(page);
        await pressTwice(page, await control(page, "Etiqueta del acto (opcional):"), "Enter twice");
        const added = (await seen(page)).rows.length - before.rows.length;
        if (added !== 1) wrong.push(`Enter in the label, ${state}: ${added} acts added`);
      }
      assert.deepEqual(wrong, []);
    });

    inFreshContext("Deshacer puts back every removal, deletion and new quote, the last first", async ({ open }) => {
      const page = await open();
      // What is done, one press at a time: each a button's name.
      const SEQUENCES = [
        ["Quitar el acto 1", "Quitar el acto 1", "Quitar el acto 1"],
        ["Quitar el acto 3", "Quitar el acto 1", "Quitar el acto 1"],
        ["Eliminar este presupuesto", "Eliminar este presupuesto"],
        ["Quitar el acto 2", "Eliminar este presupuesto", "Quitar el acto 1", "Nuevo presupuesto"],
        ["Nuevo presupuesto", "Eliminar este presupuesto", "Eliminar este presupuesto"],
      ];
      const wrong = [];
      for (const presses of SEQUENCES) {
        await startAt(page, "after a reload");
        const start = await seen(page);
        for (const name of presses) {
          await (await button(page, name)).click();
          await pause(page);
        }
        const undone = [];
        for (let i = presses.length; i > 0; i--) {
          await (await button(page, "Deshacer")).click();
          await pause(page);
          undone.push(await seen(page));
        }
        const end = undone.at(-1);
        // The quote that was open when it started is open again, as it was.
        if (JSON.stringify({ rows: end.rows, kept: [...end.kept].sort(), total: end.total }) !==
            JSON.stringify({ rows: start.rows, kept: [...start.kept].sort(), total: start.total })) {
          wrong.push(`${presses.join(", ")}: ${JSON.stringify(end)} instead of ${JSON.stringify(start)}`);
        }
        if (await shown(page, "undo")) wrong.push(`${presses.join(", ")}: Deshacer still offered`);
      }
      assert.deepEqual(wrong, []);
    });

    inFreshContext("the first key after any way into the amount field replaces the amount, from every start",
                   async ({ open }) => {
      const page = await open();
      const [read, fee] = batch("1500");
      // How the field is entered: nothing (the focus it has), a click at its left, middle or right, Tab from the
      // list before it, Shift+Tab from "Calcular pago".
      const WAYS = [
        ["as it is", async () => {}],
        ["a click left of the text", async (field) => field.click({ offset: { x: 4, y: 10 } })],
        ["a click in the middle", async (field) => {
          const box = await field.boundingBox();
          await field.click({ offset: { x: box.width / 2, y: 10 } });
        }],
        ["a click right of the text", async (field) => {
          const box = await field.boundingBox();
          await field.click({ offset: { x: box.width - 4, y: 10 } });
        }],
        ["a second click in the focused field", async (field) => {
          await field.click({ offset: { x: 4, y: 10 } });
          await pause(page);
          await field.click({ offset: { x: 30, y: 10 } });
        }],
        ["Tab from the transaction", async () => {
          await (await control(page, "Transacción:")).focus();
          await page.keyboard.press("Tab");
        }],
        ["Shift+Tab from Calcular pago", async () => {
          await (await button(page, "Calcular pago")).focus();
          await page.keyboard.down("Shift");
          await page.keyboard.press("Tab");
          await page.keyboard.up("Shift");
        }],
      ];
      const wrong = [];
      for (const state of ["at load", ...STATES]) {
        for (const [way, enter] of WAYS) {
          if (state === "at load") await keep(page, []);
          else await startAt(page, state);
          if (state === "at load" && way === "as it is") {
            // The page opens with the focus in the amount field.
          } else if (way === "as it is") {
            await (await control(page, "Monto $:")).focus();
          }
          await enter(await control(page, "Monto $:"));
          await page.keyboard.type("1500");
          await page.keyboard.press("Enter");
          const got = [await (await control(page, "Monto $:")).evaluate((field) => field.value), await text(page, "fee")];
          if (got.join(" ") !== `${read} ${fee}`) wrong.push(`${way}, ${state}: ${got.join(" ")}`);
        }
      }
      assert.deepEqual(wrong, []);
    });

    inFreshContext("an amount read otherwise than typed: Calcular pago says so each time until the amount changes; " +
                   "Comparar and Agregar refuse it and say why", async ({ open }) => {
      const page = await open();
      const wrong = [];
      for (const typed of ["25.000", "1.500", "1.500,00"]) {
        const [read] = batch(typed);
        // Pressed again by Enter, by a click and by Space, and after another selection and back.
        for (const again of ["Enter", "click", "Space", "another transaction"]) {
          await startAt(page, "after a reload");
          await type(page, "Monto $:", typed);
          await page.keyboard.press("Enter");
          await pause(page);
          if (again === "Enter") await page.keyboard.press("Enter");
          if (again === "click") await (await button(page, "Calcular pago")).click();
          if (again === "Space") {
            await (await button(page, "Calcular pago")).focus();
            await page.keyboard.press(" ");
          }
          if (again === "another transaction") {
            await choose(page, "Transacción:", 1);
            await choose(page, "Transacción:", 0);
          }
          const notice = (await shown(page, "amount-notice")) ? await text(page, "amount-notice") : "";
          if (!notice.includes(`US$ ${read},`)) wrong.push(`${typed}, Calcular pago then ${again}: «${notice}»`);
        }
        // Comparar and Agregar, by a click, Enter and Space, from each start.
        for (const [name, where] of [["Comparar", "comparison-text"], ["Agregar al presupuesto", "add-feedback"]]) {
          for (const [i, how] of ["click", "Enter", "Space"].entries()) {
            await startAt(page, STATES[i]);
            await type(page, "Monto $:", typed);
            const before = (await seen(page)).rows.length;
            const target = await button(page, name);
            if (how === "click") await target.click();
            else {
              await target.focus();
              await page.keyboard.press(how === "Enter" ? "Enter" : " ");
            }
            const said = (await shown(page, where)) ? await text(page, where) : "";
            const added = (await seen(page)).rows.length - before;
            if (!said.includes(`«${typed}»`) || added !== 0) wrong.push(`${typed}, ${name} by ${how}: «${said}», ${added}`);
          }
        }
      }
      assert.deepEqual(wrong, []);
    });

    inFreshContext("with the storage full, what could not be saved stays in every view, marked, and a deletion " +
                   "frees room at once", async ({ open }) => {
      const page = await open();
      await startAt(page, "after a reload");
      await page.evaluate(() => {
        for (let size = 1 << 22, i = 0; size >= 1; size >>= 1) {
          try {
            for (;;) localStorage.setItem("other." + i++, "x".repeat(size));
          } catch (error) { /* full at this size: try smaller */ }
        }
      });
      await type(page, "Monto $:", "1500");
      await type(page, "Etiqueta del acto (opcional):", "Sin sitio");
      await (await button(page, "Agregar al presupuesto")).click();
      const unsaved = () => page.$$eval("#act-rows .unsaved .act-label", (all) => all.map((label) => label.textContent));
      const wrong = [];
      const check = async (when, wanted) => {
        const got = { rows: (await seen(page)).rows, unsaved: await unsaved(), problem: await shown(page, "save-problem") };
        if (JSON.stringify(got) !== JSON.stringify(wanted)) wrong.push(`${when}: ${JSON.stringify(got)}`);
      };
      const withNew = { rows: ["A1", "A2", "A3", "Sin sitio"], unsaved: ["Sin sitio"], problem: true };
      await check("added", withNew);
      // Another quote and back, and a reload: the act is still there, still marked.
      const names = await page.$$eval("#kept option", (all) => all.map((option) => option.text));
      await choose(page, "Presupuestos guardados:", names.find((name) => name.startsWith("«Ref B»")));
      await choose(page, "Presupuestos guardados:", names.find((name) => name.startsWith("«Ref A»")));
      await check("after switching quotes", withNew);
      await page.reload();
      await page.evaluate(() => Tarivox.ready);
      await check("after a reload", withNew);
      // Deleting another quote, as the page advises, takes it away at once: a new tab does not show it.
      await choose(page, "Presupuestos guardados:", names.find((name) => name.startsWith("«Ref C»")));
      await (await button(page, "Eliminar este presupuesto")).click();
      const other = await open();
      const keptThere = (await seen(other)).kept;
      if (keptThere.includes("«Ref C»")) wrong.push(`a new tab still shows the deleted quote: ${keptThere}`);
      await other.close();
      // With room again (the deletion may have made enough), everything is saved and the marks go.
      await page.evaluate(() => Object.keys(localStorage).filter((key) => key.startsWith("other."))
        .forEach((key) => localStorage.removeItem(key)));
      await choose(page, "Presupuestos guardados:", (await page.$$eval("#kept option", (all) => all.map((option) =>
        option.text))).find((name) => name.startsWith("«Ref A»")));
      if (await shown(page, "save-problem")) await (await button(page, "Intentar de nuevo")).click();
      await check("with room again", { rows: withNew.rows, unsaved: [], problem: false });
      const again = await open();
      if (JSON.stringify((await seen(again)).rows) !== JSON.stringify(withNew.rows)) {
        wrong.push(`a new tab shows ${(await seen(again)).rows}`);
      }
      assert.deepEqual(wrong, []);
    });

    inFreshContext("a quote holding acts that could not be read is exported as incomplete, in the file and on " +
                   "screen", async ({ open }) => {
      const page = await open();
      await keep(page, [{ ...QUOTE, acts: [...QUOTE.acts, '{"office": "KLDA"'] }]);
      const file = path.join(downloads(engine), "presupuesto.json");
      const exported = async () => {
        fs.rmSync(file, { force: true });
        await (await button(page, "Exportar JSON")).click();
        for (let wait = 0; wait < 100 && !(fs.existsSync(file) && fs.statSync(file).size > 0); wait++) {
          await new Promise((resolve) => setTimeout(resolve, 100));
        }
        const { total } = JSON.parse(fs.readFileSync(file, "utf8"));
        return [total.complete, total.unreadable_acts, await text(page, "quote-status")];
      };
      const [complete, unreadable, said] = await exported();
      assert.deepEqual([complete, unreadable, /incompleto.*no se\s+pudieron leer \(1 acto\)/.test(said)],
                       [false, 1, true], said);
      await (await button(page, "Descartar estos actos")).click();
      await pause(page);
      const afterDiscard = await exported();
      assert.deepEqual(afterDiscard, [true, 0, "Presupuesto exportado como presupuesto.json."]);
    });

    inFreshContext("a new quote carries the date where the clerk is, also after 18:00 in San Salvador",
                   async ({ open }) => {
      // 19:30 of 6 December 2026 in San Salvador, 01:30 of the 7th in UTC.
      const page = await open(() => {
        const RealDate = Date;
        const fixed = RealDate.parse("2026-12-07T01:30:00Z");
        globalThis.Date = class extends RealDate {
          constructor(...args) { super(...(args.length ? args : [fixed])); }
          static now() { return fixed; }
        };
      });
      await keep(page, []);
      assert.equal(await (await control(page, "Fecha:")).evaluate((field) => field.value), "2026-12-06");
      await type(page, "Cliente o referencia:", "Ref A");
      await (await button(page, "Nuevo presupuesto")).click();
      assert.equal(await (await control(page, "Fecha:")).evaluate((field) => field.value), "2026-12-06");
    });

    inFreshContext("a tab keeps its own quote while another starts, opens or deletes one", async ({ open }) => {
      const [first, second] = [await open(), await open()];
      await keep(first, [QUOTE, ...OTHERS]);
      await second.reload();
      await second.evaluate(() => Tarivox.ready);
      const wrong = [];
      for (const [name, press] of [
        ["Nuevo presupuesto", async () => (await button(first, "Nuevo presupuesto")).click()],
        ["another quote opened", async () => choose(first, "Presupuestos guardados:", (await first.$$eval("#kept option",
          (all) => all.map((option) => option.text))).find((option) => option.startsWith("«Ref C»")))],
        ["Eliminar este presupuesto", async () => (await button(first, "Eliminar este presupuesto")).click()]]) {
        // The second tab is typing its client reference when the first acts.
        await second.bringToFront();
        const field = await control(second, "Cliente o referencia:");
        await field.click({ count: 3 });
        await second.keyboard.type("Ref ");
        await first.bringToFront();
        await press();
        await pause(first);
        await second.bringToFront();
        await field.focus();
        await second.keyboard.type("Z9");
        const there = await seen(second);
        const header = await second.evaluate(() => {
          const id = document.getElementById("kept").value;
          return JSON.parse(localStorage.getItem("tarivox.quote/" + id))?.client;
        });
        if (JSON.stringify([there.rows, header]) !== JSON.stringify([["A1", "A2", "A3"], "Ref Z9"])) {
          wrong.push(`${name}: ${JSON.stringify([there.rows, header])}`);
        }
      }
      assert.deepEqual(wrong, []);
    });

    inFreshContext("Tab and Shift+Tab go through the calculator in the order it is seen", async ({ open }) => {
      const page = await open();
      // At MVT every control of the calculator is offered: the office, the project kind, the service, the
      // transaction, the amount and "Calcular pago".
      await choose(page, "Oficina:", "MVT");
      const wanted = ["office", "normal-project", "service", "transaction", "amount", "calculate"];
      const order = await page.evaluate((ids) => ids.map((id) => {
        const box = document.getElementById(id).getBoundingClientRect();
        return [id, Math.round(box.top), Math.round(box.left)];
      }).sort((a, b) => (Math.abs(a[1] - b[1]) > 8 ? a[1] - b[1] : a[2] - b[2])).map(([id]) => id), wanted);
      assert.deepEqual(order, wanted, "the calculator's controls are not laid out as expected");
      await (await control(page, "Oficina:")).focus();
      const forward = ["office"];
      for (let i = 1; i < wanted.length; i++) {
        await page.keyboard.press("Tab");
        forward.push(await page.evaluate(() => document.activeElement.id));
      }
      const backward = [forward.at(-1)];
      for (let i = 1; i < wanted.length; i++) {
        await page.keyboard.down("Shift");
        await page.keyboard.press("Tab");
        await page.keyboard.up("Shift");
        backward.push(await page.evaluate(() => document.activeElement.id));
      }
      assert.deepEqual([forward, backward], [wanted, [...wanted].reverse()]);
    });

    inFreshContext("a quantity is told what to type: nothing typed, in digits but too many, not in digits",
                   async ({ open }) => {
      const page = await open();
      await choose(page, "Servicio:", "Certificación");
      await choose(page, "Transacción:", 0);
      const wrong = [];
      for (const typed of ["", "70368744177664", "0", "12 hojas"]) {
        await type(page, "Hojas:", typed);
        await (await button(page, "Agregar al presupuesto")).click();
        await pause(page);
        const feedback = await text(page, "add-feedback");
        const expected = refusal(`0:2:0=${typed}`);
        const told = typed === "" ? /escriba el número de hojas/ : /^\d+$/.test(typed) ? /fuera de ese intervalo$/
          : /escríbala solo con cifras$/;
        if (feedback !== `No se agregó el acto: ${expected}.` || !told.test(expected)) {
          wrong.push(`«${typed}»: ${feedback}`);
        }
      }
      assert.deepEqual(wrong, []);
    });

    inFreshContext("every printed page has the column headings and the client reference; no stored text and no " +
                   "word meant for the clerk is printed", async ({ open }) => {
      const page = await open();
      const acts = Array.from({ length: 60 }, (_, i) => act(`Acto ${i + 1}`, String(1000 + i)));
      await keep(page, [{ client: "Ref 2026/114 — Loma", date: "2026-12-06", acts: [...acts, '{"office": "KLDA"'] }]);
      await sealed(page);
      const pdf = output(`headings-${engine}.pdf`);
      await page.pdf({ path: pdf, format: "A4" });
      const pages = run("pdftotext", ["-layout", pdf, "-"]).toString().split("\f").filter((part) => part.trim());
      assert.ok(pages.length > 1, "the printout has one page");
      const missing = pages.map((part, i) => [i + 1, ["Cliente: Ref 2026/114 — Loma", "Acto", "Monto US$",
        "Pago US$", "Regla"].filter((words) => !part.replace(/\s+/g, " ").includes(words))])
        .filter(([, words]) => words.length > 0);
      assert.deepEqual(missing, []);
      const flat = pages.join(" ").replace(/\s+/g, " ");
      assert.deepEqual(['{"office"', "KLDA\"", "cópielos", "descártelos", "Descartar"].filter((part) => flat.includes(part)),
                       []);
      assert.ok(flat.includes("no se pudieron leer (1 acto)"), "the printout does not say it is incomplete");
    });
  });
}

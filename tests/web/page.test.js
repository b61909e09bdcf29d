"use strict";
// The page in chromium and in firefox-esr, each test in a fresh browser
// context (its own storage), as a notary preparing a quote uses it:
// controls found by their Spanish labels, every expected figure and text
// from the native tarivox-cli.
const { describe, test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const { ENGINES, newSession, control, button, choose, type, cli, run, output, downloads, sealed, pagePath } =
  require("./page.js");

// The amounts of the tariff's example tables, typed as a clerk might, and texts no clerk should type.
const EXAMPLES = ("0 0.01 100.00 1400 1,400.01 1800 1800.01 2300 2,300.01 3500 3500.01 4500 4500.01 5700 5700.01 " +
  "9000 9000.01 9,100.01 9500.01 10000 10,000.01 11700 11700.01 25,000 857100 857,100.01 1421000 1421000.01 " +
  "4155900 4155900.01 4158600 4158600.01 10000000000.01 1e12 1E14").split(" ");
const AWKWARD = ["", " ", "  1\v2,000 ", "-5", "+25,000", "-0", "1,234.125", "1.500,00", ",,,5", "1e3", "2.5E+3",
  "1E999", "1e-9", ".5", "5.", "0x10", "Infinity", "NaN", "25 000", "US$ 100", "ñ100", "１２３", "€5", "9,500.01€",
  "999999999999999.88", "999999999999999.995", "1" + ",".repeat(125) + "59", "9".repeat(126) + "5", "1".repeat(200),
  "é".repeat(130), "1" + "é".repeat(125) + "59"];
const range = (from, to) => Array.from({ length: to - from + 1 }, (_, step) => from + step);
// Every computed fee (inscriptions 0-8, cancellations 0-2) at each office and project kind; awkward texts at
// two rules; then every position from one before each list to one past it.
const COMPUTED = [...range(0, 8).map((transaction) => [0, transaction]), [1, 0], [1, 1], [1, 2]];
const ROWS = COMPUTED.flatMap(([service, transaction]) => [[0, 0], [0, 1], [1, 0], [1, 1]].flatMap(([office, social]) =>
  EXAMPLES.map((typed) => [office, service, transaction, social, typed])))
  .concat(AWKWARD.flatMap((typed) => [[0, 0, 0, 0, typed], [1, 0, 8, 1, typed]]), range(-1, 2).flatMap((office) =>
    range(-1, 6).flatMap((service) => range(-1, 13).map((position) => [office, service, position, 1, "25,000"]))));

// Typed into the amount field, one after the other without clearing it: the
// field must select itself, and whatever the window reads otherwise than
// written must be said beside it.
const READINGS = [["25,000", false], ["150000", false], ["+1,234.5", false], ["1.500,00", true], ["25.000", true],
                  ["$ 150 000", true], ["1234.125", true], ["2,5", true], ["1e3", true], ["9,500.01", false]];
// What a service and a transaction offer, as the window has it: amount field, "Calcular pago", office
// list, project kind (at MVT), the quantity's field and the fee display.
const OFFERS = [
  ["Inscripción", "Gravámenes", { amount: true, calculate: true, office: true, project: true, quantity: null, fee: "" }],
  ["Inscripción", "Particiones de inmuebles",
   { amount: false, calculate: false, office: true, project: true, quantity: "Lotes o parcelas:", fee: "" }],
  ["Certificación", "Carencia de bienes",
   { amount: false, calculate: false, office: true, project: true, quantity: "Titulares:", fee: "" }],
  ["Certificación", "Extractadas", { amount: false, calculate: false, office: true, project: true, quantity: null, fee: "" }],
  ["Informe", "Índice de propietarios",
   { amount: false, calculate: false, office: true, project: true, quantity: "Titulares:", fee: "" }],
  ["Presentación", "Nueva presentación",
   { amount: false, calculate: false, office: false, project: false, quantity: null, fee: "8.86" }],
  ["Sustitución", "Sustituciones de folios",
   { amount: false, calculate: false, office: false, project: false, quantity: "Hojas:", fee: "" }],
];
// Office, service, transaction (positions), social interest, value typed (amount or quantity), label.
const ACTS = [[0, 0, 0, false, "150,000", "Compraventa"], [1, 0, 1, true, "9,500.01", "=Hipoteca de interés social"],
              [1, 1, 2, false, "80,000", "Cancelación anterior"], [0, 2, 0, false, "12", "Certificación literal"],
              [1, 2, 2, true, "3", "", "9,000"], [0, 4, 0, false, null, "Presentación"], [0, 0, 12, false, "3", "Partición"]];
// A browser that hangs fails its test instead of the whole run.
const TEST_TIMEOUT_MS = 300000;
const [CLIENT, DATE] = ["Ref 2026/114 — Loma", "2026-12-06"];
// The workbook too is compared byte for byte: its bytes depend on the quote alone.
const EXPORTS = [["Exportar Excel", "xlsx", "presupuesto.xlsx"], ["Exportar CSV", "csv", "presupuesto.csv"],
  ["Exportar CSV para Excel con coma decimal", "csv-excel", "presupuesto-excel.csv"],
  ["Exportar JSON", "json", "presupuesto.json"]];
// A quote's heading as the page's fields take it, and as the tool's options.
const HEADING = { client: CLIENT, number: "2026/114", date: DATE, preparer: "Lic. Ana Pérez",
                  firm: "Notaría Pérez y Asociados", validDays: "45" };
const FIELDS = [["Cliente o referencia:", "client"], ["N.º del presupuesto:", "number"], ["Fecha:", "date"],
                ["Nombre:", "preparer"], ["Despacho u oficina:", "firm"], ["Días de validez:", "validDays"]];
const OPTIONS = { client: "--client", number: "--number", date: "--date", preparer: "--preparer", firm: "--firm",
                  validDays: "--valid-days", tariff: "--tariff" };

// The tool's quote of the acts: parsed JSON, or a format's bytes.
function toolQuote(acts, format = null, heading = { client: CLIENT, date: DATE }) {
  const args = acts.flatMap(([office, service, transaction, social, value, label, projectValue]) => ["--act",
    `${office}:${service}:${transaction}:${social ? "social" : "normal"}${value === null ? "" : "=" + value}` +
    `${projectValue ? "@" + projectValue : ""} | ${label}`]);
  const options = Object.entries(heading).filter(([, given]) => given).flatMap(([name, given]) => [OPTIONS[name], given]);
  const bytes = cli(["quote", ...options, ...args, "--format", format ?? "json"]);
  return format ? bytes : JSON.parse(bytes);
}

// A later edition of the tariff, as the tool's tests make one: the
// built-in edition exported, renamed, in force from 2030 with another rate.
function laterEdition(change = (edition) => edition) {
  const edition = JSON.parse(cli(["tariff", "export"]));
  Object.assign(edition, { name: "Decreto 2030", in_force_from: "2030-01-01", examples: [{ office: "KLDA",
    service: "Inscripción", transaction: "Transferencias y mod. de dominio", amount: "25,000.00", fee: "175.00" }] });
  for (const service of edition.services) {
    for (const { price } of service.transactions) if (price.per_hundred === "0.63") price.per_hundred = "0.70";
  }
  return JSON.stringify(change(edition));
}

const value = (element) => element.evaluate((field) => field.value);
const visible = (page, id) => page.$eval("#" + id, (element) => !element.hidden && element.getClientRects().length > 0);
const text = (page, id) => page.$eval("#" + id, (element) => element.textContent);
const rows = (page) => page.$$eval("#act-rows [role=row]", (all) => all.map((row) =>
  [...row.children].slice(0, 6).map((cell) => cell.textContent)));

// Adds an act through the calculator as a clerk does: service, office, transaction, project kind, value, label.
async function addAct(page, [office, service, transaction, social, typed, label, projectValue], how = "click") {
  await choose(page, "Servicio:", service);
  await choose(page, "Oficina:", office);
  await choose(page, "Transacción:", transaction);
  if (office === 1 && service < 4) await (await control(page, social ? "Interés social" : "Proyecto normal")).click();
  const quantity = await page.$eval("#quantity-label", (label) => (label.hidden ? null : label.textContent));
  if (typed !== null) await type(page, quantity ?? "Monto $:", typed);
  if (projectValue) await type(page, "Valor del proyecto US$:", projectValue);
  const labelField = await type(page, "Etiqueta del acto (opcional):", label);
  if (how === "enter") await labelField.press("Enter");
  else await (await button(page, "Agregar al presupuesto")).click({ count: how === "double" ? 2 : 1 });
  return text(page, "add-feedback");
}

// The module needs nothing from its host, libxlsxwriter's files included:
// it keeps them in its own memory.
test("the page's module imports nothing", () => {
  const module = new WebAssembly.Module(fs.readFileSync(path.join(path.dirname(pagePath), "tarivox.wasm")));
  assert.deepEqual(WebAssembly.Module.imports(module), []);
});

for (const engine of Object.keys(ENGINES)) {
  describe(engine, () => {
    let browser;
    let session;
    before(async () => { browser = await ENGINES[engine](); });
    after(() => browser?.close());
    // Each test: a fresh context, checked for requests and errors at its end.
    // A timeout of its own per test: Debian 12's Node 18 has no --test-timeout.
    const inFreshContext = (name, body) => test(name, { timeout: TEST_TIMEOUT_MS }, async () => {
      session = await newSession(browser, engine);
      try {
        await body(session);
        session.checkQuiet();
      } finally {
        await session.close();
      }
    });

    inFreshContext("Tarivox.compute gives batch's texts, and throws where batch refuses (RangeError for a position)",
                   async ({ open }) => {
      const page = await open();
      const fromPage = await page.evaluate((all) => all.map(([office, service, transaction, social, typed]) => {
        try {
          return Object.values(Tarivox.compute(office, service, transaction, social === 1, typed)).join("\t");
        } catch (error) {
          return error.name;
        }
      }), ROWS);
      const fromCli = cli(["batch"], ROWS.map((row) => row.join("\t") + "\n").join("")).toString().split("\n")
        .map((line) => line.replace(/^ERROR\t.*no se calcula sobre un monto.*/, "Error").replace(/^ERROR\t.*/, "RangeError"));
      const results = ROWS.map((row, i) => [row.join(" | "), fromPage[i], fromCli[i]]);
      assert.deepEqual(results.filter(([, shown, expected]) => shown !== expected), []);
    });

    inFreshContext("the amount field selects itself; what is read otherwise than typed is said; 0.00 and misread " +
                   "amounts never reach the quote", async ({ open }) => {
      const page = await open();
      const amount = await control(page, "Monto $:");
      for (const [index, [typed, misread]] of READINGS.entries()) {
        // On load, after Enter, after Tab and after a click the whole field is selected, so typing replaces it.
        if (index === 3) {
          await page.keyboard.press("Tab");
          await page.keyboard.down("Shift");
          await page.keyboard.press("Tab");
          await page.keyboard.up("Shift");
        }
        if (index === 6) {
          await (await control(page, "Servicio:")).focus();
          await amount.click();
        }
        await page.keyboard.type(typed);
        await page.keyboard.press("Enter");
        const [read, fee] = cli(["batch"], `0\t0\t0\t0\t${typed}\n`).toString().trimEnd().split("\t");
        const notice = (await visible(page, "amount-notice")) ? await text(page, "amount-notice") : "";
        assert.deepEqual([await value(amount), await text(page, "fee"), notice.includes(`US$ ${read},`), notice !== ""],
                         [read, fee, misread, misread], `typed ${typed}`);
      }
      // The field now says 9,500.01; "1.500,00" typed and calculated reads 1.50, which the quote must refuse.
      for (const [typed, reason] of [["0.00", "el monto «0.00» es 0.00"], ["1.500,00", "comas que no separan miles"]]) {
        await (await control(page, "Oficina:")).focus();
        await amount.click();
        await page.keyboard.type(typed);
        await page.keyboard.press("Enter");
        await (await button(page, "Agregar al presupuesto")).click();
        assert.match(await text(page, "add-feedback"), new RegExp("^No se agregó el acto: .*" + reason), typed);
      }
      assert.deepEqual(await rows(page), []);
    });

    inFreshContext("the typed texts of tests/typed/inputs.json: Calcular pago, Comparar and Agregar take or refuse " +
                   "each as the tool does, and say why", async ({ open }) => {
      const page = await open();
      const table = JSON.parse(fs.readFileSync(path.join(__dirname, "../typed/inputs.json"), "utf8"));
      // Each text typed into its field, then each button pressed; what the page says after each.
      const answers = await page.evaluate(async (amounts, quantities) => {
        const byId = (id) => document.getElementById(id);
        const fire = (element, kind) => element.dispatchEvent(new Event(kind, { bubbles: true }));
        const choose = (id, index) => { byId(id).selectedIndex = index; fire(byId(id), "change"); };
        const said = (id) => (byId(id).hidden ? "" : byId(id).textContent);
        const lastValue = () => [...document.querySelectorAll("#act-rows .act-value")].at(-1)?.textContent ?? "";
        const tryAll = (rows, field) => rows.map(([typed]) => {
          byId(field).value = typed;
          fire(byId(field), "input");
          const stated = said("stated-fee");
          if (field === "amount") byId("calculate").click();
          const notice = said("amount-notice");
          byId("compare").click();
          const comparison = said("comparison-text");
          const added = document.querySelectorAll("#act-rows [role=row]").length;
          byId("add-act").click();
          return { notice, stated, comparison, feedback: said("add-feedback"), value: lastValue(),
                   added: document.querySelectorAll("#act-rows [role=row]").length - added };
        });
        choose("service", 0);
        choose("office", 0);
        choose("transaction", 0);
        const byAmount = tryAll(amounts, "amount");
        choose("service", 2);
        choose("transaction", 0);
        return [byAmount, tryAll(quantities, "quantity")];
      }, table.amounts, table.quantities);
      const wrong = [];
      const judge = (rows, results, kind) => rows.forEach(([typed, answer], i) => {
        const got = results[i];
        const taken = answer.startsWith("=");
        const shown = kind === "amount" ? answer.slice(1) : `${Number(answer.slice(1)).toLocaleString("en-US")} hoja`;
        const right = taken
          ? got.added === 1 && got.value.startsWith(shown) && got.notice === "" && got.comparison.includes(shown)
          : got.added === 0 && got.feedback.includes(answer) && got.comparison.includes(answer) &&
            (kind === "quantity" || got.notice.includes(answer));
        if (!right) wrong.push(`${kind} «${typed}»: ${JSON.stringify(got)}`);
      });
      judge(table.amounts, answers[0], "amount");
      judge(table.quantities, answers[1], "quantity");
      assert.deepEqual(wrong, []);
    });

    inFreshContext("what each service offers comes from the module; a change of selection clears the fee, the " +
                   "sentence and the comparison, but keeps the amount typed", async ({ open }) => {
      const page = await open();
      await choose(page, "Oficina:", "MVT");
      for (const [service, transaction, wanted] of OFFERS) {
        await choose(page, "Servicio:", service);
        await choose(page, "Transacción:", transaction);
        const shown = await page.evaluate(() => {
          const byId = (id) => document.getElementById(id);
          return { amount: !byId("amount").disabled, calculate: !byId("calculate").disabled,
                   office: !byId("office").disabled, project: !byId("project").disabled,
                   quantity: byId("quantity-label").hidden ? null : byId("quantity-label").textContent,
                   fee: byId("fee").textContent };
        });
        assert.deepEqual(shown, wanted, `${service} — ${transaction}`);
      }
      await choose(page, "Servicio:", "Inscripción");
      await type(page, "Monto $:", "25,000");
      await page.keyboard.press("Enter");
      await (await button(page, "Comparar")).click();
      const cleared = { fee: "", sentence: "", comparison: false };
      for (const [label, option] of [["Transacción:", "Gravámenes"], ["Oficina:", "KLDA"], ["Servicio:", "Informe"]]) {
        await choose(page, label, option);
        assert.deepEqual({ fee: await text(page, "fee"), sentence: await text(page, "sentence"),
                           comparison: await visible(page, "comparison") }, cleared, `after choosing ${option}`);
        await (await button(page, "Comparar")).click();
      }
      await choose(page, "Servicio:", "Inscripción");
      assert.equal(await value(await control(page, "Monto $:")), "25,000.00", "the amount typed was lost");
      const explained = cli(["calc", "--explain", "--office", "KLDA", "--service", "Inscripción", "--transaction",
                             "Transferencias y mod. de dominio", "1"]).toString();
      assert.equal(await text(page, "tariff-text"), /^Texto del arancel: +(.*)$/m.exec(explained)[1]);
    });

    inFreshContext("acts added through the calculator make the tool's quote, every act in the total; the outcome " +
                   "is said next to the button; a double click adds once", async ({ open }) => {
      const page = await open();
      for (const [index, act] of ACTS.entries()) {
        const feedback = await addAct(page, act, index === ACTS.length - 1 ? "enter" : "click");
        assert.match(feedback, new RegExp(`^Acto ${index + 1} agregado al presupuesto`), `act ${index + 1}`);
      }
      // The act just added is in view and marked; the feedback sits by the button and is announced. Firefox
      // scrolls by whole pixels: a row laid out at a fraction of one may end that fraction past the bottom.
      await page.waitForFunction(() => {
        const row = [...document.querySelectorAll("#act-rows [role=row]")].at(-1).getBoundingClientRect();
        return row.top > -1 && row.bottom < innerHeight + 1;
      }, { timeout: 2000 }).catch(() => {});  // the check below says what is wrong
      const where = await page.evaluate(() => {
        const row = [...document.querySelectorAll("#act-rows [role=row]")].at(-1).getBoundingClientRect();
        const said = document.getElementById("add-feedback");
        const pressed = document.getElementById("add-act").getBoundingClientRect();
        return { inView: row.top > -1 && row.bottom < innerHeight + 1, marked: document.querySelector(".added") !== null,
                 near: Math.abs(said.getBoundingClientRect().top - pressed.bottom) < 80, live: said.ariaLive };
      });
      assert.deepEqual(where, { inView: true, marked: true, near: true, live: "polite" });
      await addAct(page, [0, 3, 0, false, "4", "Doble clic"], "double");
      const quote = toolQuote([...ACTS, [0, 3, 0, false, "4", "Doble clic"]], null, {});
      const wanted = quote.acts.map((act) => [String(act.act), act.amount ?? (act.quantity === null ? "—" : null),
                                              act.fee, act.rule, `[${act.note}]`]);
      const shown = (await rows(page)).map(([number, , amount, fee, rule, note]) => [number, amount, fee, rule, note]);
      // A quantity is shown as counted ("12 hojas"): its figure is checked through the rule.
      assert.deepEqual(shown.map((row, i) => (wanted[i][1] === null ? [row[0], null, ...row.slice(2)] : row)), wanted);
      const summary = toolQuote([...ACTS, [0, 3, 0, false, "4", "Doble clic"]], "text", {}).toString();
      for (const id of ["quote-count", "quote-total", "quote-words"]) {
        assert.ok(summary.includes(await text(page, id)), `${id} is not the tool's`);
      }
    });

    inFreshContext("exports are the tool's bytes, and an exported JSON opens again as the same quote",
                   async ({ open }) => {
      const page = await open();
      for (const act of ACTS) await addAct(page, act);
      for (const [label, name] of FIELDS) await type(page, label, HEADING[name]);
      // Pressed at once: the export waits for the code of the quote as it stands.
      for (const [name, format, file] of EXPORTS) {
        fs.rmSync(path.join(downloads(engine), file), { force: true });
        await (await button(page, name)).click();
        const saved = path.join(downloads(engine), file);
        for (let wait = 0; wait < 100 && !(fs.existsSync(saved) && fs.statSync(saved).size > 0); wait++) {
          await new Promise((resolve) => setTimeout(resolve, 100));
        }
        // Compared byte for byte, shown as text (latin1 maps each byte to one character).
        assert.equal(fs.readFileSync(saved, "latin1"), toolQuote(ACTS, format, HEADING).toString("latin1"), name);
      }
      fs.writeFileSync(output("tool-quote.json"), toolQuote(ACTS.slice(0, 3), "json", { client: "Otro cliente",
                                                                                           number: "7", date: DATE }));
      const before = await rows(page);
      await (await page.$("#open-file")).uploadFile(output("tool-quote.json"));
      await page.waitForFunction(() => document.querySelectorAll("#act-rows [role=row]").length === 3);
      assert.deepEqual(await Promise.all(["Cliente o referencia:", "N.º del presupuesto:"].map(async (label) =>
        value(await control(page, label)))), ["Otro cliente", "7"]);
      assert.match(await text(page, "check-summary"), /^El presupuesto concuerda: 3 actos/);
      assert.deepEqual(await rows(page), before.slice(0, 3));
      // The quote open before stays kept under its reference.
      await choose(page, "Presupuestos guardados:", (await page.$$eval("#kept option", (all) => all.map((option) =>
        option.text))).find((name) => name.includes(CLIENT)));
      assert.deepEqual(await rows(page), before);
    });

    // Days typed for the validity: those kept, and those refused with the module's sentence (the last kept stay).
    const DAYS = [["45", 45], ["0", 0], [" 3650 ", 3650], ["3651", null], ["-1", null], ["30 días", null], ["", null],
                  ["1e3", null]];

    inFreshContext("the heading's fields are kept; days out of range are refused and not kept; any change takes " +
                   "the code away at once", async ({ open }) => {
      const page = await open();
      await addAct(page, ACTS[0]);
      const wrong = [];
      let keptDays;
      for (const [typed, days] of DAYS) {
        // Pasted whole: typed a key at a time, each number on the way would be kept in turn.
        const [notice, stored] = await page.evaluate((days) => {
          const field = document.getElementById("valid-days");
          field.value = days;
          field.dispatchEvent(new Event("input", { bubbles: true }));
          const said = document.getElementById("valid-days-notice");
          return [said.hidden ? null : said.textContent,
                  JSON.parse(localStorage.getItem("tarivox.preparer") ?? "{}").valid_days];
        }, typed);
        keptDays = days ?? keptDays;
        const said = days === null ? `«${typed}» no es un número de días: un presupuesto vale de 0 a 3650 días. ` +
                                     "No se guardó." : null;
        if (notice !== said || stored !== keptDays) wrong.push(`«${typed}»: says ${notice}, keeps ${stored}`);
      }
      assert.deepEqual(wrong, []);
      await type(page, "N.º del presupuesto:", "A-1");
      const first = await sealed(page);
      // Typed and read back in the same task: the code is gone before any seal could be made.
      const shown = await page.evaluate(() => {
        const field = document.getElementById("number");
        field.value = "A-2";
        field.dispatchEvent(new Event("input", { bubbles: true }));
        return [document.getElementById("quote-code").textContent, document.getElementById("print-heading").textContent];
      });
      assert.deepEqual(shown, ["Código de verificación: se está calculando…", ""]);
      assert.notEqual(await sealed(page), first);
      await page.reload();
      await page.evaluate(() => Tarivox.ready);
      assert.deepEqual(await Promise.all(["N.º del presupuesto:", "Días de validez:"].map(async (label) =>
        value(await control(page, label)))), ["A-2", "3650"]);
    });

    // A quote the tool wrote, changed as someone might change it: what the check says before the quote is shown,
    // and the quote that opens, priced by the tariff from what the file states. A file that is no quote opens nothing.
    const CHANGES = [
      ["untouched", (quote) => quote, /^El presupuesto concuerda/, []],
      ["a cent more in the second act's fee", (quote) => ({ ...quote, acts: quote.acts.map((act, i) => (i !== 1 ? act
        : { ...act, fee: ((act.fee_cents + 1) / 100).toFixed(2), fee_cents: act.fee_cents + 1 })) }),
       /^El presupuesto no concuerda/, [/^acto 2: el pago dice/]],
      ["the second act taken out", (quote) => ({ ...quote, acts: quote.acts.filter((act, i) => i !== 1) }),
       /^El presupuesto no concuerda/, [/^acto 2: falta en el archivo/, /^total: el total dice/]],
      ["another date", (quote) => ({ ...quote, date: "2026-12-07" }), /^El presupuesto no concuerda/, [/^fecha: /]],
      ["not JSON", () => "Presupuesto 7", /^No se abrió «.*»: no es JSON válido/, null],
      ["JSON but no quote", () => ({ acts: 3 }), /^No se abrió «.*»: no es un presupuesto exportado por Tarivox/, null],
    ];

    inFreshContext("Abrir presupuesto… checks the file against the tariff and its code, says what differs, and " +
                   "opens what the file states priced by the tariff", async ({ open }) => {
      const page = await open();
      const issued = toolQuote(ACTS.slice(0, 4), "json", HEADING).toString();
      const kept = () => page.$$eval("#kept option", (all) => all.length);
      const wrong = [];
      for (const [i, [name, change, summary, differences]] of CHANGES.entries()) {
        const changed = change(JSON.parse(issued));
        const file = output(`checked-${i}.json`);
        fs.writeFileSync(file, typeof changed === "string" ? changed : JSON.stringify(changed, null, 2));
        const before = await kept();
        await (await page.$("#open-file")).uploadFile(file);
        await page.waitForFunction((base) => document.getElementById("quote-status").textContent.includes(base), {},
                                   path.basename(file));
        const said = differences === null ? await text(page, "quote-status") : await text(page, "check-summary");
        const listed = await page.$$eval("#check-differences li", (all) => all.map((item) => item.textContent));
        // What the file states, priced by the tool on the file's date.
        const stated = differences === null ? null : toolQuote(ACTS.slice(0, 4).filter((act, n) =>
          changed.acts.some((kept) => kept.act === n + 1)), null, { date: changed.date }).acts.map((act) => act.fee);
        const shown = (await rows(page)).map((row) => row[3]);
        const problems = [!summary.test(said) && `says «${said}»`,
          differences !== null && differences.some((wanted) => !listed.some((item) => wanted.test(item))) &&
            `lists ${JSON.stringify(listed)}`,
          differences?.length === 0 && listed.length > 0 && `lists ${JSON.stringify(listed)}`,
          (await kept()) !== before + (differences === null ? 0 : 1) && "opened the wrong number of quotes",
          stated !== null && JSON.stringify(shown) !== JSON.stringify(stated) && `shows fees ${shown}, not ${stated}`];
        if (problems.some(Boolean)) wrong.push(`${name}: ${problems.filter(Boolean).join("; ")}`);
      }
      assert.deepEqual(wrong, []);
    });

    inFreshContext("Abrir arancel… adds a later edition that prices quotes dated under it, kept after a reload; a " +
                   "wrong edition is refused naming each field", async ({ open }) => {
      const page = await open();
      fs.writeFileSync(output("decreto-2030.json"), laterEdition());
      // The tool's own wrong edition: a fixed fee in dollars, a rate not written in quotes.
      fs.writeFileSync(output("wrong-edition.json"), laterEdition((edition) => JSON.parse(JSON.stringify(edition)
        .replace('"fixed_fee":886', '"fixed_fee":8.86').replace('"0.38"', "0.38"))));
      const editions = () => page.$$eval("#tariff-list tr", (all) => all.map((row) => row.textContent));
      await (await page.$("#tariff-file")).uploadFile(output("decreto-2030.json"));
      await page.waitForFunction(() => document.querySelectorAll("#tariff-list tr").length === 2);
      assert.deepEqual(await editions(), ["incorporado al programa—", "Decreto 2030" + "2030-01-01"]);
      const act = [0, 0, 0, false, "25,000", "Compraventa"];
      await addAct(page, act);
      const fees = [];
      for (const date of ["2029-12-31", "2030-01-01"]) {
        await type(page, "Fecha:", date);
        fees.push([(await rows(page))[0][3], toolQuote([act], null, { date, tariff: output("decreto-2030.json") })
          .acts[0].fee]);
      }
      assert.deepEqual(fees, [["157.50", "157.50"], ["175.00", "175.00"]]);
      await page.reload();
      await page.evaluate(() => Tarivox.ready);
      assert.deepEqual([(await rows(page))[0][3], await editions()], ["175.00", ["incorporado al programa—",
                                                                                 "Decreto 2030" + "2030-01-01"]]);
      await (await page.$("#tariff-file")).uploadFile(output("wrong-edition.json"));
      await page.waitForFunction(() => !document.getElementById("tariff-problem").hidden);
      const reasons = await page.$$eval("#tariff-reasons li", (all) => all.map((item) => item.textContent));
      assert.deepEqual(["offices[0].fixed_fee: «8.86» no es un número entero de centavos",
                        "services[0].transactions[1].price.per_hundred: no es del tipo que este campo lleva"]
        .filter((reason) => !reasons.some((given) => given.startsWith(reason))), [], JSON.stringify(reasons));
      assert.deepEqual([await editions(), await page.evaluate(() => JSON.parse(localStorage.getItem("tarivox.tariffs"))
        .length)], [["incorporado al programa—", "Decreto 2030" + "2030-01-01"], 1]);
    });

    inFreshContext("a kept quote is read act by act: an act this version cannot read is listed with its reason " +
                   "and kept as it was until discarded", async ({ open }) => {
      let page = await open();
      // The single quote an earlier version kept: a certification kept without its quantity, and a damaged act.
      const earlier = { client: "Ref 9", date: "2026-01-05", acts: [
        { office: 0, service: 0, transaction: 0, social: false, typed: "150,000", label: "Compraventa" },
        { office: 0, service: 2, transaction: 0, social: false, typed: null, label: "Literal" },
        { office: "KLDA", label: 7 },
        { office: 1, service: 1, transaction: 2, social: true, typed: "9,100", label: "" }] };
      await page.evaluate((quote) => localStorage.setItem("tarivox.quote", JSON.stringify(quote)), earlier);
      await page.reload();
      await page.evaluate(() => Tarivox.ready);
      const quote = toolQuote([[0, 0, 0, false, "150,000", "Compraventa"], [1, 1, 2, true, "9,100", ""]]);
      assert.deepEqual((await rows(page)).map((row) => row[3]), quote.acts.map((act) => act.fee));
      assert.equal(await text(page, "quote-total"), `Total a pagar US$: ${quote.total.fee}`);
      const listed = await page.$$eval("#unreadable li", (all) => all.map((item) => item.textContent));
      assert.deepEqual(listed.map((item) => [item.includes("Literal"), /falta la cantidad|no es un acto/.test(item)]),
                       [[true, true], [false, true]]);
      const kept = () => page.evaluate(() => Object.keys(localStorage).filter((key) => key.startsWith("tarivox.act/"))
        .map((key) => localStorage.getItem(key)).sort());
      assert.deepEqual(await kept(), earlier.acts.map((act) => JSON.stringify(act)).sort());
      await (await button(page, "Descartar estos actos")).click();
      assert.equal((await kept()).length, 2);
      page = await open();
      assert.equal(await visible(page, "unreadable"), false);
    });

    inFreshContext("a failed save stays on screen until a save succeeds, and nothing is lost", async ({ open }) => {
      const page = await open();
      // The browser's storage filled up by something else.
      await page.evaluate(() => {
        for (let size = 1 << 22, i = 0; size >= 16; size >>= 1) {
          try {
            for (;;) localStorage.setItem("other." + i++, "x".repeat(size));
          } catch (error) { /* full at this size: try smaller */ }
        }
      });
      await addAct(page, ACTS[0]);
      await addAct(page, ACTS[3]);
      assert.ok(await visible(page, "save-problem"), "the failed save is not shown");
      assert.match(await text(page, "save-problem-text"), /almacenamiento del navegador está lleno/);
      await page.evaluate(() => Object.keys(localStorage).filter((key) => key.startsWith("other."))
        .forEach((key) => localStorage.removeItem(key)));
      await (await button(page, "Intentar de nuevo")).click();
      assert.equal(await visible(page, "save-problem"), false);
      assert.equal(await text(page, "quote-status"), "El presupuesto ya está guardado en este navegador.");
      const again = await open();
      assert.deepEqual(await rows(again), await rows(page));
    });

    inFreshContext("two tabs of the page stay in step", async ({ open }) => {
      // A tab in the background gets no input: each is brought to the front before it is used.
      const [first, second] = [await open(), await open()];
      await first.bringToFront();
      await addAct(first, ACTS[0]);
      await addAct(first, ACTS[3]);
      await second.bringToFront();
      await second.waitForFunction(() => document.querySelectorAll("#act-rows [role=row]").length === 2);
      await (await button(second, "Quitar el acto 1")).click();
      await type(second, "Cliente o referencia:", CLIENT);
      await first.waitForFunction((client) => document.getElementById("client").value === client, {}, CLIENT);
      assert.deepEqual(await rows(first), await rows(second));
      assert.equal((await rows(first)).length, 1);
    });

    inFreshContext("quotes are kept by client reference; a new quote and a deletion can be undone",
                   async ({ open }) => {
      const page = await open();
      await type(page, "Cliente o referencia:", "Ref A");
      await addAct(page, ACTS[0]);
      const first = await rows(page);
      await (await button(page, "Nuevo presupuesto")).click();
      assert.match(await text(page, "quote-status"), /«Ref A».*sigue en «Presupuestos guardados»/);
      await type(page, "Cliente o referencia:", "Ref B");
      await addAct(page, ACTS[2]);
      const names = await page.$$eval("#kept option", (all) => all.map((option) => option.text));
      assert.deepEqual(names.map((name) => name.split(",")[0]).sort(), ["«Ref A»", "«Ref B»"]);
      await choose(page, "Presupuestos guardados:", names.find((name) => name.startsWith("«Ref A»")));
      assert.deepEqual(await rows(page), first);
      await (await button(page, "Eliminar este presupuesto")).click();
      assert.equal(await value(await control(page, "Cliente o referencia:")), "Ref B");
      await (await button(page, "Deshacer")).click();
      assert.deepEqual([await value(await control(page, "Cliente o referencia:")), await rows(page)], ["Ref A", first]);
      await (await button(page, "Nuevo presupuesto")).click();
      await (await button(page, "Deshacer")).click();
      assert.equal((await page.$$("#kept option")).length, 2, "the undone new quote is still kept");
      assert.deepEqual(await rows(await open()), first);
    });

    inFreshContext("the printout is a document: the tool's heading with its code on every page, acts, the total " +
                   "once after the last act, page numbers, a closing line, figures inside the page", async ({ open }) => {
      const page = await open();
      for (const [label, name] of FIELDS) await type(page, label, HEADING[name]);
      const long = [0, 0, 0, false, "1,234,567,890.12", "Z".repeat(100)];
      const acts = [long, ...Array.from({ length: 6 }, () => ACTS).flat()];
      // Added through the module as the page adds them, to keep the test short.
      await page.evaluate(async (all) => {
        for (const [office, service, transaction, social, typed, label, projectValue] of all) {
          Object.assign(document.getElementById("act-label"), { value: label })
            .dispatchEvent(new Event("input", { bubbles: true }));
          Object.assign(document.getElementById("service"), { selectedIndex: service }).dispatchEvent(new Event("change", { bubbles: true }));
          Object.assign(document.getElementById("office"), { selectedIndex: office }).dispatchEvent(new Event("change", { bubbles: true }));
          Object.assign(document.getElementById("transaction"), { selectedIndex: transaction })
            .dispatchEvent(new Event("change", { bubbles: true }));
          document.getElementById(social ? "social-interest" : "normal-project").checked = true;
          document.getElementById("project").dispatchEvent(new Event("change", { bubbles: true }));
          const field = document.getElementById(document.getElementById("quantity").hidden ? "amount" : "quantity");
          if (typed !== null) Object.assign(field, { value: typed }).dispatchEvent(new Event("input", { bubbles: true }));
          if (projectValue) {
            Object.assign(document.getElementById("project-value"), { value: projectValue })
              .dispatchEvent(new Event("input", { bubbles: true }));
          }
          document.getElementById("add-act").click();
          await new Promise((resolve) => setTimeout(resolve, 0));
        }
      }, acts);
      assert.equal((await rows(page)).length, acts.length);
      const code = await sealed(page);
      await page.pdf({ path: output(`printed-${engine}.pdf`), format: "A4" });
      run("pdftoppm", ["-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile", output(`printed-${engine}.pdf`),
                       output(`printed-${engine}`)]);
      const printed = run("pdftotext", ["-layout", output(`printed-${engine}.pdf`), "-"]).toString();
      const flat = printed.replace(/\s+/g, " ");
      const quote = toolQuote(acts, null, HEADING);
      // The tool's heading: the lines of its text report before the first blank line.
      const heading = toolQuote(acts, "text", HEADING).toString().split("\n\n")[0].split("\n");
      const pages = printed.split("\f").filter((part) => part.trim());
      const wanted = [...heading, `Total a pagar US$: ${quote.total.fee}`, quote.total.in_words, quote.closing,
                      ...(engine === "chromium" ? ["Página 1 de " + pages.length,
                                                   `Página ${pages.length} de ${pages.length}`] : [])];
      assert.deepEqual(wanted.filter((part) => !flat.includes(part)), [], "missing from the printout");
      assert.equal(quote.verification.code, code);
      // On every page: the title, the number, the date and the code.
      const everyPage = heading.filter((line) => /^(Presupuesto|Fecha|Código de verificación)/.test(line));
      assert.equal(everyPage.length, 4);
      assert.deepEqual(pages.map((part, i) => [i + 1, everyPage.filter((line) => !part.replace(/\s+/g, " ")
        .includes(line))]).filter(([, missing]) => missing.length > 0), []);
      assert.equal(flat.split("Total a pagar").length, 2, "the total is printed more than once");
      assert.ok(pages.length > 1 && flat.lastIndexOf(quote.acts.at(-1).rule) < flat.indexOf("Total a pagar"));
      assert.deepEqual(["Agregar al presupuesto", "Quitar", "Exportar"].filter((part) => flat.includes(part)), []);
      // Every word lies inside the A4 page (595 points wide) and its side margins.
      const boxes = run("pdftotext", ["-bbox", output(`printed-${engine}.pdf`), "-"]).toString();
      const right = Math.max(...[...boxes.matchAll(/xMax="([\d.]+)"/g)].map((match) => Number(match[1])));
      assert.ok(right <= 595 - 30, `a word reaches ${right} pt`);
      assert.ok(boxes.includes("1,234,567,890.12"), "the long act's amount is not printed whole");
    });

    inFreshContext("on a phone the quote reads without sideways scrolling; no request leaves the page",
                   async ({ open }) => {
      const page = await open();
      await addAct(page, [0, 0, 0, false, "1,234,567,890.12", "Z".repeat(100)]);
      await addAct(page, ACTS[3]);
      await (await button(page, "Comparar")).click();
      for (const width of [640, 375, 320]) {
        await page.setViewport({ width, height: 800 });
        const overflow = await page.evaluate(() => {
          const cells = [...document.querySelectorAll("#act-rows [role=cell], #quote-total")];
          return [document.documentElement.scrollWidth - innerWidth,
                  Math.max(...cells.map((cell) => cell.getBoundingClientRect().right)) - innerWidth];
        });
        assert.ok(overflow.every((excess) => excess <= 0), `${width} px wide: ${overflow} px too wide`);
      }
      await page.screenshot({ path: output(`phone-${engine}.png`), fullPage: true });
      // The page's own policy refuses a request before it is made.
      assert.equal(await page.evaluate(() => new Promise((resolve) => {
        document.addEventListener("securitypolicyviolation", (event) => resolve(event.effectiveDirective));
        fetch("https://example.org/").catch(() => setTimeout(() => resolve("none: the request was let through"), 1000));
      })), "connect-src");
    });

    inFreshContext("without WebAssembly the page says so in Spanish and offers nothing to press", async ({ open }) => {
      const page = await open(() => { delete window.WebAssembly; });
      assert.ok(await visible(page, "no-module"));
      assert.match((await text(page, "no-module")).replace(/\s+/g, " "), /no se pudo iniciar WebAssembly/);
      assert.deepEqual(await page.$$eval("input, select, button", (all) => all.filter((element) => !element.disabled)
        .map((element) => element.id)), []);
    });
  });
}

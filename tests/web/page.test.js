"use strict";
// The page in chromium, one session from first to last test: the script
// interface, the calculator and the quote as a clerk uses them (found only
// by their Spanish labels and roles), printing, exports and layout. Every
// expected figure and text comes from the native tarivox-cli.
const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const { openPage, cli, run, output } = require("./page.js");

// The amounts of the tariff's example tables, typed as a clerk might, and texts no clerk should type.
const EXAMPLES = ("0 0.01 100.00 1400 1,400.01 1800 1800.01 2300 2,300.01 3500 3500.01 4500 4500.01 5700 5700.01 " +
  "9000 9000.01 9,100.01 9500.01 10000 10,000.01 11700 11700.01 25,000 857100 857,100.01 1421000 1421000.01 " +
  "4155900 4155900.01 4158600 4158600.01 10000000000.01 1e12 1E14").split(" ");
const AWKWARD = ["", " ", "  1\t2,000 ", "-5", "+25,000", "-0", "1,234.125", "1.500,00", ",,,5", "1e3", "2.5E+3",
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
// Office, service, transaction: with "Interes Social" checked, the tariff text is the tool's for that selection.
const [INSCRIPTION, TRANSFERS] = ["Inscripción", "Transferencias y mod. de dominio"];
const CANCELLATION = "Cancelación total o parcial";
const TARIFF_TEXTS = [["MVT", INSCRIPTION, TRANSFERS], ["KLDA", INSCRIPTION, TRANSFERS],
  ["MVT", INSCRIPTION, "Anotaciones y declaratorias"], ["MVT", CANCELLATION, "Anotación Preventiva"],
  ["MVT", CANCELLATION, "Otras Cancelaciones"]];
// Office, service, transaction (positions), social interest, amount typed, label; client and date.
const ACTS = [[0, 0, 0, false, "150,000", "Compraventa"], [1, 0, 1, true, "9,500.01", "=Hipoteca de interés social"],
              [1, 1, 2, false, "80,000", "Cancelación anterior"]];
const [CLIENT, DATE] = ["Ref 2026/114 — Loma", "2026-12-06"];
const EXPORTS = [["Exportar CSV", "csv"], ["Exportar CSV para Excel", "csv-excel"], ["Exportar JSON", "json"]];
const BUTTONS = ["Agregar al presupuesto", "Imprimir", "Calcular pago", "Quitar", "Exportar", "Nuevo presupuesto"];

let session, page;
before(async () => ({ page } = session = await openPage()));
after(() => session?.browser.close());
const field = (label) => page.getByLabel(label, { exact: true });
const button = (name) => page.getByRole("button", { name, exact: true });
// The acts as a quote file, as the page writes them, and the tool's quote of it: parsed, or a format's bytes.
function toolQuote(acts, format = null) {
  const lines = acts.map(([office, service, transaction, social, typed, label]) =>
    `${office}:${service}:${transaction}:${social ? "social" : "normal"}=${typed} | ${label}`);
  fs.writeFileSync(output("quote.txt"), [`client: ${CLIENT}`, `date: ${DATE}`, ...lines, ""].join("\n"));
  const bytes = cli(["quote", "--format", format ?? "json", "--file", output("quote.txt")]);
  return format ? bytes : JSON.parse(bytes);
}
// Chooses as a clerk does, the service first; null leaves a list as it is.
async function choose(service, office, transaction) {
  for (const [label, option] of [["Servicio:", service], ["Oficina:", office], ["Transacción:", transaction]]) {
    if (option !== null) await field(label).selectOption(option);
  }
}
const fees = (quote) => quote.acts.map((act) => act.fee).concat(quote.total.fee);
const shownFees = () => page.locator("#quote-acts td:nth-child(4), #quote-total").allTextContents();

test("Tarivox.compute gives batch's texts, and throws where batch refuses (RangeError for a position)", async () => {
  const fromPage = await page.evaluate((rows) => rows.map(([office, service, transaction, social, typed]) => {
    try {
      return Object.values(Tarivox.compute(office, service, transaction, social === 1, typed)).join("\t");
    } catch (error) {
      return error.name;
    }
  }), ROWS);
  const fromCli = cli(["batch"], ROWS.map((row) => row.join("\t") + "\n").join("")).toString().split("\n")
    .map((line) => line.replace(/^ERROR\t.*text only.*/, "Error").replace(/^ERROR\t.*/, "RangeError"));
  const results = ROWS.map((row, i) => [row.join(" | "), fromPage[i], fromCli[i]]);
  assert.deepEqual(results.filter(([, shown, expected]) => shown !== expected), []);
});

test("a social-interest amount at MVT, typed and entered; Tab walks the window's order from the amount", async () => {
  await field("Oficina:").selectOption("MVT");
  await field("Interes Social").check();
  await field("Monto $:").fill("9,000");
  await field("Monto $:").press("Enter");
  const [amount, fee, message] = cli(["batch"], "1\t0\t0\t1\t9,000\n").toString().trimEnd().split("\t");
  assert.deepEqual([await field("Monto $:").inputValue(), await field("Pago $").textContent()], [amount, fee]);
  assert.ok((await page.getByRole("status").allTextContents()).includes(message), "the sentence is not announced");
  await page.getByRole("region", { name: "Calculadora" }).screenshot({ path: output("calculator.png") });
  await field("Monto $:").focus();
  for (const control of [field("Oficina:"), button("Calcular pago"), field("Servicio:"), field("Transacción:"),
                         field("Interes Social")]) {
    await page.keyboard.press("Tab");
    assert.ok(await control.evaluate((element) => element === document.activeElement), `Tab to ${control}`);
  }
});

test("the note only where the window shows it; per-lot acts and Presentación not calculated", async () => {
  for (const [office, service, transaction] of TARIFF_TEXTS) {
    await choose(service, office, transaction);
    const social = office === "MVT" ? ["--social"] : [];
    const explained = cli(["calc", "--explain", "--office", office, "--service", service, "--transaction", transaction,
                           ...social, "1"]);
    assert.equal(await field("Texto del arancel").textContent(), /^Tariff text: +(.*)$/m.exec(explained)[1],
                 `${office} ${transaction}`);
    assert.equal(await field("Interes Social").isEnabled(), office === "MVT", `${office}: project kind`);
  }
  await choose(INSCRIPTION, null, "Desmembración o modificación");
  assert.deepEqual([await button("Calcular pago").isDisabled(), await field("Monto $:").isDisabled()], [true, true]);
  await choose("Presentación", null, null);
  assert.deepEqual([await button("Calcular pago").isDisabled(), await field("Pago $").textContent()], [true, "8.86"]);
});

test("three acts with client and date make the tool's quote, and export its bytes", async () => {
  for (const [office, service, transaction, social, typed, label] of ACTS) {
    await choose({ index: service }, { index: office }, { index: transaction });
    if (office === 1) await field(social ? "Interes Social" : "Proyecto normal").check();
    await field("Monto $:").fill(typed);
    await field("Etiqueta del acto (opcional):").fill(label);
    await button("Agregar al presupuesto").click();
  }
  await field("Cliente o referencia:").fill(CLIENT);
  await field("Fecha:").fill(DATE);
  await field("Fecha:").press("Tab");
  const quote = toolQuote(ACTS);
  assert.deepEqual(await page.evaluate((text) => Tarivox.quote(text), fs.readFileSync(output("quote.txt"), "utf8")),
                   quote);
  assert.deepEqual(await shownFees(), fees(quote));
  await page.getByRole("region", { name: "Presupuesto" }).screenshot({ path: output("quote.png") });
  for (const [name, format] of EXPORTS) {
    const [download] = await Promise.all([page.waitForEvent("download"), button(name).click()]);
    // Compared byte for byte, shown as text (latin1 maps each byte to one character).
    assert.equal(fs.readFileSync(await download.path(), "latin1"), toolQuote(ACTS, format).toString("latin1"), name);
  }
});

test("the printed quote has the fees, total, notes, client and date, and no buttons", async () => {
  await page.emulateMedia({ media: "print" });
  await page.pdf({ path: output("printed.pdf"), format: "A4" });
  await page.emulateMedia({ media: "screen" });
  run("pdftoppm", ["-png", "-r", "70", "-singlefile", output("printed.pdf"), output("printed")]);
  const printed = run("pdftotext", ["-layout", output("printed.pdf"), "-"]).toString().replace(/\s+/g, " ");
  const quote = toolQuote(ACTS);
  const wanted = [CLIENT, DATE, ...fees(quote), `Total ${quote.total.fee}`, ...quote.notes.map((note) => note.text)];
  assert.deepEqual(wanted.filter((text) => !printed.includes(text)), [], "missing from the printout");
  assert.deepEqual(BUTTONS.filter((text) => printed.includes(text)), [], "buttons in the printout");
});

test("the page never scrolls sideways at 200 % zoom or on a phone", async () => {
  await button("Comparar").click();
  for (const width of [640, 360]) {
    await page.setViewportSize({ width, height: 800 });
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
    assert.ok(overflow <= 0, `${width} px wide: ${overflow} px too wide`);
  }
  await page.screenshot({ path: output("phone.png"), fullPage: true });
});

test("an act removed, the quote reloaded, then cleared; no request ever left the page", async () => {
  await page.getByRole("button", { name: "Quitar el acto 2" }).click();
  const rest = fees(toolQuote([ACTS[0], ACTS[2]]));
  assert.deepEqual(await shownFees(), rest);
  await session.load(true);
  assert.deepEqual([await shownFees(), await field("Cliente o referencia:").inputValue()], [rest, CLIENT]);
  await button("Nuevo presupuesto").click();
  await session.load(true);
  assert.ok(await page.getByText("El presupuesto no tiene actos.").isVisible(), "the quote was not cleared");
  assert.ok(await page.getByRole("table").isHidden(), "the cleared quote still lists acts");
  // The page's own policy refuses a request before it is made.
  assert.equal(await page.evaluate(() => new Promise((resolve) => {
    document.addEventListener("securitypolicyviolation", (event) => resolve(event.effectiveDirective));
    fetch("https://example.org/").catch(() => setTimeout(() => resolve("none: the request was let through"), 1000));
  })), "connect-src");
  session.checkQuiet();
});

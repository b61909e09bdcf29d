"use strict";
// Random sequences of what a person does with the page, in chromium and in
// firefox-esr, each checked after every step against a plain model of the
// calculator and the quotes: the amount priced is the amount typed, or the
// act is refused with a reason on screen; no act and no quote disappears
// but by an action that can be undone; the total is the one `tarivox-cli
// quote` gives for the same acts; no fee on screen belongs to an earlier
// selection or amount; what is shown is stored, or marked as not saved.
//
// CI runs a fixed seed and a few sequences. A longer run:
//   TARIVOX_MODEL_RUNS=300 TARIVOX_MODEL_SEED=$RANDOM node --test tests/web/model.test.js
// A failing sequence is shrunk and printed as numbered steps to repeat by hand.
const { describe, test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const { spawnSync } = require("node:child_process");
const path = require("node:path");
const fc = require("fast-check");
const { ENGINES, newSession, control, button, choose, pause } = require("./page.js");

const RUNS = Number(process.env.TARIVOX_MODEL_RUNS ?? 20);
const SEED = Number(process.env.TARIVOX_MODEL_SEED ?? 20261206);
const STEPS = Number(process.env.TARIVOX_MODEL_STEPS ?? 25);
const TEST_TIMEOUT_MS = Math.max(600000, RUNS * 120000);
const CLI = path.join(__dirname, "../../build/ci/src/cli/tarivox-cli");

// What the tool says, asked once for each question.
const asked = new Map();
function tool(args, input = "") {
  const key = JSON.stringify([args, input]);
  if (!asked.has(key)) {
    const result = spawnSync(CLI, args, { input, maxBuffer: 1 << 26 });
    asked.set(key, { status: result.status, out: result.stdout.toString(), err: result.stderr.toString() });
  }
  return asked.get(key);
}
const actArgument = (act) => `${act.office}:${act.service}:${act.transaction}:${act.social ? "social" : "normal"}` +
  (act.typed === null ? "" : "=" + act.typed);
// Why the tool refuses an act, or null.
function refusal(act) {
  const { status, err } = tool(["quote", "--act", actArgument(act)]);
  return status === 0 ? null : /--act 1: (.*)/.exec(err)[1];
}
// The window's amount and fee after "Calcular pago".
const calculated = (act) => {
  const [amount, fee] = tool(["batch"], [act.office, act.service, act.transaction, act.social ? 1 : 0, act.typed]
    .join("\t") + "\n").out.trimEnd().split("\t");
  return { amount, fee };
};
const quoteOf = (acts) => JSON.parse(tool(["quote", ...acts.flatMap((act) => ["--act", actArgument(act)]),
                                           "--format", "json"]).out);

// Amounts a clerk types, well and badly, and digits at random.
const AMOUNTS = fc.oneof(fc.constantFrom("1500", "25.000", "1.500", "1,500.00", "0", "25,000", "9500.01", "abc", "1e3",
                                         "70368744177664", "1234.125", "857,100.01", "-5"),
                         fc.stringMatching(/^[0-9][0-9,.]{0,7}$/));
const HOWS = ["click", "Enter", "Space", "double click", "Enter twice"];

// The page as the test sees it after a step.
function look(page) {
  return page.evaluate(() => {
    const byId = (id) => document.getElementById(id);
    const said = (id) => (byId(id).hidden ? "" : byId(id).textContent);
    return {
      focus: document.activeElement?.id ?? "",
      amount: byId("amount").value,
      fee: byId("fee").textContent,
      notice: said("amount-notice"),
      comparison: byId("comparison").hidden ? null : byId("comparison-text").textContent,
      feedback: byId("add-feedback").textContent,
      quote: byId("kept").value,
      kept: [...byId("kept").options].map((option) => [option.value, option.text]),
      rows: [...document.querySelectorAll("#act-rows [role=row]")].map((row) => ({
        aid: row.dataset.aid, cells: [...row.children].slice(0, 4).map((cell) => cell.textContent),
        unsaved: row.classList.contains("unsaved"),
        stored: localStorage.getItem(`tarivox.act/${byId("kept").value}/${row.dataset.aid}`) !== null })),
      total: byId("quote-acts").hidden ? "" : byId("quote-total").textContent,
      unreadable: document.querySelectorAll("#unreadable-list li").length,
      undo: !byId("undo").hidden,
    };
  });
}

// The model: the calculator's selection and amount field, and the quotes.
function newModel(catalogue) {
  return { catalogue, office: 0, service: 0, transaction: 0, social: false,
           field: { value: "0.00", caret: 4, replacing: true }, typed: "0.00", focus: "amount",
           computed: null, notice: false, compared: null, added: null,
           quotes: new Map(), open: null, undos: [], full: false, second: null };
}
const entry = (m) => m.catalogue.lists[m.service][m.office];
const valueKind = (m) => entry(m).transactions[m.transaction].value;
const amountOn = (m) => m.catalogue.services[m.service].amount && valueKind(m) === "amount";
const canCalculate = (m) => m.catalogue.services[m.service].calculate && valueKind(m) === "amount";
const effectiveSocial = (m) => m.social && entry(m).project;
const pendingAct = (m) => ({ office: m.office, service: m.service, transaction: m.transaction, social: effectiveSocial(m),
  typed: valueKind(m) === "amount" ? m.typed : valueKind(m) === "quantity" ? "" : null, label: "" });
const openActs = (m) => m.quotes.get(m.open).acts;
// Any change in the calculator takes its result away; a change of the amount, what was said about it too.
function cleared(m, amountChanged) {
  m.computed = null;
  m.compared = null;
  if (amountChanged) m.notice = false;
}

// Every check, after every step.
async function checkAll(m, page) {
  const seen = await look(page);
  const where = JSON.stringify(seen).slice(0, 1500);
  // The quotes kept are the model's, none lost; the open one is the model's.
  assert.deepEqual(seen.kept.map(([id]) => id).sort(), [...m.quotes.keys()].sort(), "kept quotes: " + where);
  assert.equal(seen.quote, m.open, "the open quote");
  // Its acts are the model's, priced as the tool prices them, every one in the total.
  const acts = openActs(m).filter((act) => !act.corrupted);
  assert.deepEqual(seen.rows.map((row) => row.aid), acts.map((act) => act.aid), "the acts shown: " + where);
  if (acts.length > 0) {
    const quote = quoteOf(acts.map((one) => one.act));
    assert.deepEqual(seen.rows.map((row) => row.cells[3]), quote.acts.map((act) => act.fee), "fees");
    assert.equal(seen.total, `Total a pagar US$: ${quote.total.fee}`, "the total");
  }
  assert.equal(seen.unreadable, openActs(m).length - acts.length, "acts that could not be read");
  // What is shown is stored, or marked as not saved.
  for (const row of seen.rows) assert.ok(row.stored || row.unsaved, `act ${row.cells[0]} is neither stored nor marked`);
  if (!m.full) assert.deepEqual(seen.rows.filter((row) => row.unsaved), [], "marked as not saved with room to save");
  // The calculator: the field holds what the model says; a fee only for the selection and amount it is for.
  assert.equal(seen.amount, m.field.value, "the amount field");
  const standing = m.catalogue.services[m.service].shown_fee;
  assert.equal(seen.fee, m.computed ? m.computed.fee : standing, "the fee shown");
  assert.equal(seen.notice !== "", m.notice && amountOn(m), "the notice about the amount: " + seen.notice);
  if (m.compared === null) assert.equal(seen.comparison, null, "a comparison of an earlier selection or amount");
  else if (m.compared.refused) assert.ok(seen.comparison.includes(m.compared.refused), "the refusal to compare");
  else assert.ok(!seen.comparison.startsWith("No se puede comparar"), "a comparison refused: " + seen.comparison);
  if (m.added) assert.equal(seen.feedback, m.added, "what Agregar said");
  assert.equal(seen.undo, m.undos.length > 0, "Deshacer offered");
  return seen;
}

// Where the focus went: into the amount field from elsewhere (or by a
// click in it), the next key replaces its content.
function focusMoved(m, seen, clicked = false) {
  if (seen.focus === "amount" && (m.focus !== "amount" || clicked)) m.field.replacing = true;
  m.focus = seen.focus;
}

// A press of a button in one of the ways a person presses it.
async function press(page, element, how) {
  if (how === "click") return element.click();
  if (how === "double click") return element.click({ count: 2 });
  await element.focus();
  const key = how === "Space" ? " " : "Enter";
  await page.keyboard.press(key);
  if (how === "Enter twice") await page.keyboard.press(key);
}

// The steps. Each says what a person does, does it, and updates the model.
class Step {
  constructor(words) { this.words = words; }
  check(m) { return this.can ? this.can(m) : true; }
  toString() { return this.words; }
  async run(m, r) {
    if (process.env.TARIVOX_MODEL_LOG) console.log(`  ${this.words}   [focus ${m.focus}]`);
    await pause(r.page);
    await this.act(m, r);
    focusMoved(m, await look(r.page), this.clicked);
    await checkAll(m, r.page);
  }
}

// Into the amount field first, by a click where the step says, unless the
// focus is there.
async function intoAmount(m, page, at) {
  if (m.focus === "amount") return;
  const field = await control(page, "Monto $:");
  const box = await field.boundingBox();
  await field.click({ offset: { x: Math.max(2, Math.min(box.width - 2, box.width * at)), y: box.height / 2 } });
  m.focus = "amount";
  m.field.replacing = true;
}
async function pasteText(page, text) {
  try {
    await page.keyboard.sendCharacter(text);
  } catch (error) {
    for (const character of text) await page.keyboard.sendCharacter(character);
  }
}
const where = (at) => `${Math.round(at * 100)}% of its width`;

class TypeAmount extends Step {
  constructor(text, paste, at) {
    super(`${paste ? "paste" : "type"} «${text}» in Monto $: (first a click at ${where(at)} if the focus is elsewhere)`);
    Object.assign(this, { text, paste, at });
  }
  can(m) { return amountOn(m); }
  async act(m, { page }) {
    await intoAmount(m, page, this.at);
    // A paste puts the text in without a key for each character (at once
    // where the driver can: firefox's takes one character at a time).
    if (this.paste) await pasteText(page, this.text);
    else await page.keyboard.type(this.text);
    const f = m.field;
    f.value = f.replacing ? this.text : f.value.slice(0, f.caret) + this.text + f.value.slice(f.caret);
    f.caret = f.replacing ? this.text.length : f.caret + this.text.length;
    f.replacing = false;
    m.typed = f.value;
    cleared(m, true);
  }
}

class CaretKey extends Step {
  constructor(key, at) { super(`press ${key} in Monto $: (first a click at ${where(at)} if the focus is elsewhere)`); Object.assign(this, { key, at }); }
  can(m) { return amountOn(m); }
  async act(m, { page }) {
    await intoAmount(m, page, this.at);
    await page.keyboard.press(this.key);
    const f = m.field;
    const toStart = this.key === "Home" || (f.replacing && this.key === "ArrowLeft");
    const toEnd = this.key === "End" || (f.replacing && this.key === "ArrowRight");
    f.caret = toStart ? 0 : toEnd ? f.value.length
      : Math.max(0, Math.min(f.value.length, f.caret + (this.key === "ArrowLeft" ? -1 : 1)));
    f.replacing = false;
  }
}

class Backspace extends Step {
  constructor(at) { super(`press Backspace in Monto $: (first a click at ${where(at)} if the focus is elsewhere)`); this.at = at; }
  can(m) { return amountOn(m); }
  async act(m, { page }) {
    await intoAmount(m, page, this.at);
    await page.keyboard.press("Backspace");
    const f = m.field;
    if (!f.replacing && f.caret === 0) return;
    f.value = f.replacing ? "" : f.value.slice(0, f.caret - 1) + f.value.slice(f.caret);
    f.caret = f.replacing ? 0 : f.caret - 1;
    f.replacing = false;
    m.typed = f.value;
    cleared(m, true);
  }
}

class ClickAmount extends Step {
  constructor(at) { super(`click in Monto $: at ${where(at)}`); this.at = at; this.clicked = true; }
  can(m) { return amountOn(m); }
  async act(m, { page }) {
    m.focus = "";
    await intoAmount(m, page, this.at);
  }
}

class TabKey extends Step {
  constructor(back) { super(back ? "press Shift+Tab" : "press Tab"); this.back = back; }
  async act(m, { page }) {
    if (this.back) await page.keyboard.down("Shift");
    await page.keyboard.press("Tab");
    if (this.back) await page.keyboard.up("Shift");
  }
}

// "Calcular pago": the amount as the window reads it, the fee, and a word
// when it was not read as typed.
function calculate(m) {
  const act = pendingAct(m);
  m.computed = calculated(act);
  m.field = { value: m.computed.amount, caret: m.computed.amount.length, replacing: true };
  m.notice = refusal(act) !== null;
}

class Calculate extends Step {
  constructor(how) { super(`press Calcular pago by ${how}`); this.how = how; }
  can(m) { return canCalculate(m) && (this.how === "Enter" || this.how === "Enter twice" ? m.focus === "amount" : true); }
  async act(m, { page }) {
    if (this.how.startsWith("Enter")) {
      await page.keyboard.press("Enter");
      if (this.how === "Enter twice") await page.keyboard.press("Enter");
    } else {
      await press(page, await button(page, "Calcular pago"), this.how);
    }
    calculate(m);
  }
}

class Compare extends Step {
  constructor(how) { super(`press Comparar by ${how}`); this.how = how; }
  async act(m, { page }) {
    await press(page, await button(page, "Comparar"), this.how);
    const act = pendingAct(m);
    m.compared = { refused: act.typed === null ? null : refusal(act) };
  }
}

// "Agregar al presupuesto": the act as typed, or refused with the reason.
async function added(m, page) {
  const act = pendingAct(m);
  const reason = refusal(act);
  if (reason !== null) {
    m.added = `No se agregó el acto: ${reason}.`;
    return;
  }
  const aids = new Set(openActs(m).map((one) => one.aid));
  const aid = (await look(page)).rows.map((row) => row.aid).find((one) => !aids.has(one));
  assert.ok(aid, "no act was added for " + actArgument(act));
  const acts = openActs(m);
  acts.push({ aid, act });
  acts.sort((a, b) => (a.aid < b.aid ? -1 : 1));
  const index = acts.filter((one) => !one.corrupted).findIndex((one) => one.aid === aid);
  m.added = `Acto ${index + 1} agregado al presupuesto: pago US$ ${quoteOf([act]).acts[0].fee}.`;
}

class Add extends Step {
  constructor(how) { super(how === "Enter in the label" ? "press Enter in Etiqueta del acto" : `press Agregar al presupuesto by ${how}`); this.how = how; }
  async act(m, { page }) {
    if (this.how === "Enter in the label") {
      await (await control(page, "Etiqueta del acto (opcional):")).focus();
      await page.keyboard.press("Enter");
    } else {
      await press(page, await button(page, "Agregar al presupuesto"), this.how);
    }
    await added(m, page);
  }
}

class Remove extends Step {
  constructor(at, how) { super(`press Quitar on the act ${at + 1} by ${how}`); Object.assign(this, { at, how }); }
  can(m) { return openActs(m).filter((act) => !act.corrupted).length > this.at; }
  async act(m, { page }) {
    const shown = openActs(m).filter((act) => !act.corrupted);
    await press(page, await button(page, `Quitar el acto ${this.at + 1}`), this.how);
    const gone = shown[this.at];
    m.quotes.get(m.open).acts = openActs(m).filter((act) => act !== gone);
    m.undos.push({ kind: "remove", quoteId: m.open, gone });
  }
}

// Each undo puts back what its action took, the last first, and opens
// the quote it concerns.
class Undo extends Step {
  constructor(how) { super(`press Deshacer by ${how}`); this.how = how; }
  can(m) { return m.undos.length > 0; }
  async act(m, { page }) {
    await press(page, await button(page, "Deshacer"), this.how);
    const undo = m.undos.pop();
    if (undo.kind === "remove") {
      const acts = m.quotes.get(undo.quoteId).acts;
      acts.push(undo.gone);
      acts.sort((a, b) => (a.aid < b.aid ? -1 : 1));
      m.open = undo.quoteId;
    } else if (undo.kind === "delete") {
      m.quotes.set(undo.quoteId, undo.quote);
      m.open = undo.quoteId;
    } else {
      if (m.open === undo.created && m.quotes.get(undo.created).acts.length === 0) m.quotes.delete(undo.created);
      if (m.quotes.has(undo.previous)) m.open = undo.previous;
    }
    m.added = null;
  }
}

// The id of a quote the page has just made: one the model does not know.
async function newQuoteId(m, page) {
  const ids = (await look(page)).kept.map(([id]) => id).filter((id) => !m.quotes.has(id));
  assert.equal(ids.length, 1, "one new quote: " + ids);
  m.quotes.set(ids[0], { acts: [] });
  return ids[0];
}

class NewQuote extends Step {
  constructor(how) { super(`press Nuevo presupuesto by ${how}`); this.how = how; }
  async act(m, { page }) {
    const empty = openActs(m).length === 0;
    await press(page, await button(page, "Nuevo presupuesto"), this.how);
    if (empty) return;
    const created = await newQuoteId(m, page);
    m.undos.push({ kind: "new", created, previous: m.open });
    m.open = created;
    m.added = null;
  }
}

class DeleteQuote extends Step {
  constructor(how) { super(`press Eliminar este presupuesto by ${how}`); this.how = how; }
  async act(m, { page }) {
    await press(page, await button(page, "Eliminar este presupuesto"), this.how);
    m.undos.push({ kind: "delete", quoteId: m.open, quote: m.quotes.get(m.open) });
    m.quotes.delete(m.open);
    // The newest quote left opens, or a new one when none is left.
    m.open = m.quotes.size === 0 ? await newQuoteId(m, page) : (await look(page)).quote;
    assert.ok(m.quotes.has(m.open), "the quote opened after a deletion");
    m.added = null;
  }
}

class SwitchQuote extends Step {
  constructor(k) { super(`choose the quote ${k + 1} of Presupuestos guardados`); this.k = k; }
  can(m) { return m.quotes.size > 1; }
  async act(m, { page }) {
    await choose(page, "Presupuestos guardados:", this.k % m.quotes.size);
    m.open = (await look(page)).quote;
    assert.ok(m.quotes.has(m.open), "the quote chosen");
    m.added = null;
  }
}

class Choose extends Step {
  constructor(what, index) { super(`choose ${what} ${index + 1}`); Object.assign(this, { what, index }); }
  can(m) {
    if (this.what === "Proyecto") return entry(m).project;
    if (this.what === "Oficina") return m.catalogue.services[m.service].office;
    return true;
  }
  async act(m, { page }) {
    const lists = m.catalogue.lists;
    if (this.what === "Proyecto") {
      await (await control(page, this.index % 2 ? "Interés social" : "Proyecto normal")).click();
      if (m.social === Boolean(this.index % 2)) return;
      m.social = Boolean(this.index % 2);
    } else if (this.what === "Oficina") {
      const office = this.index % m.catalogue.offices.length;
      await choose(page, "Oficina:", office);
      const names = (o) => lists[m.service][o].transactions.map((item) => item.name).join("\n");
      if (names(office) !== names(m.office)) m.transaction = 0;
      m.office = office;
    } else if (this.what === "Servicio") {
      m.service = this.index % m.catalogue.services.length;
      await choose(page, "Servicio:", m.service);
      m.transaction = 0;
    } else {
      m.transaction = this.index % entry(m).transactions.length;
      await choose(page, "Transacción:", m.transaction);
    }
    cleared(m, false);
  }
}

class Reload extends Step {
  constructor() { super("reload the page"); }
  async act(m, r) {
    await r.page.reload();
    await r.page.evaluate(() => Tarivox.ready);
    Object.assign(m, { office: 0, service: 0, transaction: 0, social: false, typed: "0.00", focus: "",
                       field: { value: "0.00", caret: 4, replacing: true }, computed: null, notice: false,
                       compared: null, added: null, undos: [] });
  }
}

class FillStorage extends Step {
  constructor(full) {
    super(full ? "the browser's storage fills up" : "room is made in the browser's storage (then Intentar de nuevo)");
    this.full = full;
  }
  can(m) { return m.full !== this.full; }
  async act(m, { page }) {
    await page.evaluate((full) => {
      if (!full) {
        Object.keys(localStorage).filter((key) => key.startsWith("other.")).forEach((key) => localStorage.removeItem(key));
        return;
      }
      for (let size = 1 << 22, i = 0; size >= 1; size >>= 1) {
        try {
          for (;;) localStorage.setItem("other." + i++, "x".repeat(size));
        } catch (error) { /* full at this size: try smaller */ }
      }
    }, this.full);
    m.full = this.full;
    // Room made, the person presses "Intentar de nuevo" where the page offers it.
    if (!this.full && await page.$eval("#save-problem", (element) => !element.hidden)) {
      await (await button(page, "Intentar de nuevo")).click();
    }
  }
}

class Corrupt extends Step {
  constructor(at) { super(`the record of act ${at + 1} is damaged in storage, and the page reopened`); this.at = at; }
  can(m) { return !m.full && openActs(m).filter((act) => !act.corrupted).length > this.at; }
  async act(m, r) {
    const victim = openActs(m).filter((act) => !act.corrupted)[this.at];
    await r.page.evaluate((key) => localStorage.setItem(key, '{"office": "KLDA"'), `tarivox.act/${m.open}/${victim.aid}`);
    victim.corrupted = true;
    await new Reload().act(m, r);
  }
}

// The second tab: adds an act to the quote it shows, or removes its first.
class SecondTab extends Step {
  constructor(what) { super(`in a second tab, ${what === "add" ? "add an act of 2,500" : "remove the first act"}`); this.what = what; }
  can(m) {
    const quote = m.second === null ? m.quotes.get(m.open) : m.quotes.get(m.second);
    return !m.full && quote !== undefined && (this.what === "add" || quote.acts.some((act) => !act.corrupted));
  }
  async act(m, r) {
    const tab = await r.secondTab(m);
    await pause(tab);
    const acts = m.quotes.get(m.second).acts;
    if (this.what === "add") {
      const aid = await tab.evaluate(() => {
        const before = new Set([...document.querySelectorAll("#act-rows [role=row]")].map((row) => row.dataset.aid));
        const field = document.getElementById("amount");
        field.value = "2,500";
        field.dispatchEvent(new Event("input", { bubbles: true }));
        document.getElementById("add-act").click();
        return [...document.querySelectorAll("#act-rows [role=row]")].map((row) => row.dataset.aid)
          .find((one) => !before.has(one));
      });
      acts.push({ aid, act: { office: 0, service: 0, transaction: 0, social: false, typed: "2,500", label: "" } });
      acts.sort((a, b) => (a.aid < b.aid ? -1 : 1));
    } else {
      await tab.evaluate(() => document.querySelector("#act-rows [role=row] button").click());
      const gone = acts.find((act) => !act.corrupted);
      m.quotes.get(m.second).acts = acts.filter((act) => act !== gone);
    }
    // Back in the first tab, whose focus comes back as if entered anew;
    // there the change shows once the browser has told it.
    await r.page.bringToFront();
    m.focus = "another tab";
    if (m.open === m.second) {
      const wanted = openActs(m).filter((act) => !act.corrupted).map((act) => act.aid);
      await r.page.waitForFunction((aids) => [...document.querySelectorAll("#act-rows [role=row]")]
        .map((row) => row.dataset.aid).join() === aids.join(), { timeout: 5000 }, wanted).catch(() => {});
    }
  }
}

// The page the steps act on, and a second tab of it opened when first needed.
function makeReal(page, open) {
  let second = null;
  return {
    page,
    async secondTab(m) {
      if (second === null) {
        second = await open();
        m.second = await second.evaluate(() => document.getElementById("kept").value);
      }
      await second.bringToFront();
      return second;
    },
  };
}

const AT = fc.double({ min: 0, max: 1, noNaN: true });
const STEP = fc.oneof(
  { weight: 6, arbitrary: fc.tuple(AMOUNTS, fc.boolean(), AT).map(([text, paste, at]) => new TypeAmount(text, paste, at)) },
  { weight: 2, arbitrary: fc.tuple(fc.constantFrom("ArrowLeft", "ArrowRight", "Home", "End"), AT)
    .map(([key, at]) => new CaretKey(key, at)) },
  { weight: 1, arbitrary: AT.map((at) => new Backspace(at)) },
  { weight: 3, arbitrary: AT.map((at) => new ClickAmount(at)) },
  { weight: 2, arbitrary: fc.boolean().map((back) => new TabKey(back)) },
  { weight: 4, arbitrary: fc.constantFrom(...HOWS).map((how) => new Calculate(how)) },
  { weight: 2, arbitrary: fc.constantFrom(...HOWS).map((how) => new Compare(how)) },
  { weight: 5, arbitrary: fc.constantFrom(...HOWS, "Enter in the label").map((how) => new Add(how)) },
  { weight: 3, arbitrary: fc.tuple(fc.nat(4), fc.constantFrom(...HOWS)).map(([at, how]) => new Remove(at, how)) },
  { weight: 3, arbitrary: fc.constantFrom(...HOWS).map((how) => new Undo(how)) },
  { weight: 2, arbitrary: fc.constantFrom(...HOWS).map((how) => new NewQuote(how)) },
  { weight: 1, arbitrary: fc.constantFrom(...HOWS).map((how) => new DeleteQuote(how)) },
  { weight: 2, arbitrary: fc.nat(5).map((k) => new SwitchQuote(k)) },
  { weight: 4, arbitrary: fc.tuple(fc.constantFrom("Oficina", "Servicio", "Transacción", "Proyecto"), fc.nat(12))
    .map(([what, index]) => new Choose(what, index)) },
  { weight: 1, arbitrary: fc.constant(null).map(() => new Reload()) },
  { weight: 1, arbitrary: fc.boolean().map((full) => new FillStorage(full)) },
  { weight: 1, arbitrary: fc.nat(3).map((at) => new Corrupt(at)) },
  { weight: 2, arbitrary: fc.constantFrom("add", "remove").map((what) => new SecondTab(what)) },
);

for (const engine of Object.keys(ENGINES)) {
  describe(engine, () => {
    let browser;
    before(async () => { browser = await ENGINES[engine](); });
    after(() => browser?.close());

    test(`random sequences of what a person does keep the page true to its quotes (${RUNS} sequences, seed ${SEED})`,
         { timeout: TEST_TIMEOUT_MS }, async () => {
      let catalogue = null;
      const property = fc.asyncProperty(fc.commands([STEP], { maxCommands: STEPS, size: "max" }), async (steps) => {
        if (process.env.TARIVOX_MODEL_LOG) console.log("a sequence");
        const session = await newSession(browser, engine);
        try {
          const page = await session.open();
          await page.setViewport({ width: 1280, height: 900 });
          catalogue ??= await page.evaluate(() => Core.catalogue());
          const m = newModel(catalogue);
          const real = makeReal(page, session.open);
          const first = await look(page);
          m.quotes.set(first.quote, { acts: [] });
          m.open = first.quote;
          m.focus = first.focus;
          await checkAll(m, page);
          await fc.asyncModelRun(() => ({ model: m, real }), steps);
          session.checkQuiet();
        } finally {
          await session.close();
        }
      });
      const result = await fc.check(property, { numRuns: RUNS, seed: SEED, verbose: 0 });
      if (result.failed) {
        // The steps that ran, each as a person would repeat it.
        const steps = [...(result.counterexample?.[0] ?? [])].filter((step) => step.hasRan).map(String);
        assert.fail(`a sequence fails in ${engine} (seed ${SEED}, path ${result.counterexamplePath}); after a fresh ` +
                    "page, shrunk to these steps:\n" + steps.map((step, i) => `  ${i + 1}. ${step}`).join("\n") +
                    `\n${result.errorInstance?.stack ?? result.errorInstance}`);
      }
    });
  });
}

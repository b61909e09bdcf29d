"use strict";
// The quote ("Presupuesto"): the acts added from the calculator, written as
// a quote file and handed whole to the report library, which computes,
// totals and numbers the notes exactly as `tarivox-cli quote` does. The
// page keeps only what was asked for, in this browser's own storage, so a
// reload finds the quote as it was and nothing leaves the machine.

const STORAGE_KEY = "tarivox.quote";
const EXPORTS = [
  { button: "export-csv", format: "csv", file: "presupuesto.csv", type: "text/csv" },
  { button: "export-excel", format: "csv-excel", file: "presupuesto-excel.csv", type: "text/csv" },
  { button: "export-json", format: "json", file: "presupuesto.json", type: "application/json" },
];

const quoteView = {
  client: document.getElementById("client"),
  date: document.getElementById("date"),
  heading: document.getElementById("quote-heading"),
  empty: document.getElementById("quote-empty"),
  table: document.getElementById("quote-acts"),
  total: document.getElementById("quote-total"),
  leftOut: document.getElementById("quote-left-out"),
  notesTitle: document.getElementById("notes-title"),
  notes: document.getElementById("quote-notes"),
  status: document.getElementById("quote-status"),
  label: document.getElementById("act-label"),
};
// What was asked for: { client, date, acts: [{ office, service,
// transaction, social, typed, label }] }.
let quoteRequest = null;

function oneLine(text) {
  return String(text).replace(/[\r\n\t]+/g, " ").trim();
}

function today() {
  return new Date().toLocaleDateString("es", { day: "numeric", month: "long", year: "numeric" });
}

// The request as a quote file: headers, then one act a line, by position.
function quoteFileText(request) {
  const lines = [];
  if (request.client) lines.push("client: " + request.client);
  if (request.date) lines.push("date: " + request.date);
  for (const act of request.acts) {
    let line = [act.office, act.service, act.transaction, act.social ? "social" : "normal"].join(":");
    if (act.typed !== null) line += "=" + act.typed;
    if (act.label) line += " | " + act.label;
    lines.push(line);
  }
  return lines.join("\n") + "\n";
}

function saveQuote() {
  try {
    localStorage.setItem(STORAGE_KEY, JSON.stringify(quoteRequest));
  } catch (error) {
    say("El presupuesto no se pudo guardar en este navegador: " + error.message);
  }
}

function isStoredAct(act) {
  return act && [act.office, act.service, act.transaction].every(Number.isInteger) &&
         typeof act.social === "boolean" && (act.typed === null || typeof act.typed === "string") &&
         typeof act.label === "string";
}

function loadQuote() {
  quoteRequest = { client: "", date: today(), acts: [] };
  let stored = null;
  try {
    stored = JSON.parse(localStorage.getItem(STORAGE_KEY));
  } catch (error) {
    say("El presupuesto guardado no se pudo leer; se empieza uno nuevo.");
  }
  if (stored && typeof stored.client === "string" && typeof stored.date === "string" &&
      Array.isArray(stored.acts) && stored.acts.every(isStoredAct)) {
    quoteRequest = stored;
  }
}

function say(text) {
  quoteView.status.textContent = text;
}

function cell(row, text, className) {
  const td = row.insertCell();
  td.textContent = text;
  if (className) td.className = className;
  return td;
}

function actName(act) {
  const name = act.service + " — " + act.transaction + " (" + act.office +
               (act.social_interest ? ", interés social" : "") + ")";
  return act.label ? act.label + ": " + name : name;
}

function removeButton(index) {
  const button = document.createElement("button");
  button.type = "button";
  button.textContent = "Quitar";
  button.setAttribute("aria-label", "Quitar el acto " + (index + 1));
  button.addEventListener("click", () => removeAct(index));
  return button;
}

function renderActs(quote) {
  const body = quoteView.table.tBodies[0];
  body.replaceChildren();
  quote.acts.forEach((act, index) => {
    const row = body.insertRow();
    cell(row, String(act.act));
    cell(row, actName(act));
    cell(row, act.computed ? act.amount : "—", "figure");
    cell(row, act.computed ? act.fee : act.shown_fee ? act.shown_fee + " (fijo)" : "—", "figure");
    cell(row, act.rule);
    cell(row, "[" + act.note + "]");
    cell(row, "", "no-print").append(removeButton(index));
  });
}

function renderNotes(quote) {
  quoteView.notes.replaceChildren(...quote.notes.map((note) => {
    const item = document.createElement("li");
    const heading = document.createElement("strong");
    heading.textContent = note.heading + ". ";
    item.append(heading, note.text);
    return item;
  }));
}

function renderQuote() {
  quoteView.client.value = quoteRequest.client;
  quoteView.date.value = quoteRequest.date;
  quoteView.heading.textContent = [quoteRequest.client && "Cliente: " + quoteRequest.client,
                                   quoteRequest.date && "Fecha: " + quoteRequest.date].filter(Boolean).join(" · ");
  const hasActs = quoteRequest.acts.length > 0;
  quoteView.empty.hidden = hasActs;
  quoteView.table.hidden = !hasActs;
  quoteView.notesTitle.hidden = !hasActs;
  if (!hasActs) {
    quoteView.notes.replaceChildren();
    quoteView.leftOut.textContent = "";
    return;
  }
  const quote = Tarivox.quote(quoteFileText(quoteRequest));
  renderActs(quote);
  renderNotes(quote);
  quoteView.total.textContent = quote.total.fee;
  const leftOut = quote.total.not_computed_acts;
  quoteView.leftOut.textContent = leftOut === 0 ? "" : leftOut === 1
    ? "1 acto sin pago calculado queda fuera del total."
    : leftOut + " actos sin pago calculado quedan fuera del total.";
}

// The act in the calculator, with the amount field as it stands.
function onAddAct() {
  const selection = currentSelection();
  const act = { ...selection, typed: isComputed(selection) ? form.amount.value.trim() : null,
                label: oneLine(quoteView.label.value) };
  if (act.typed !== null && /[|\r\n]/.test(act.typed)) {
    say("El monto «" + act.typed + "» no es un número.");
    return;
  }
  const candidate = { ...quoteRequest, acts: [...quoteRequest.acts, act] };
  try {
    Tarivox.quote(quoteFileText(candidate));
  } catch (error) {
    say("No se agregó el acto: " + error.message.replace(/^line \d+: /, ""));
    return;
  }
  quoteRequest = candidate;
  quoteView.label.value = "";
  saveQuote();
  renderQuote();
  say("Acto " + quoteRequest.acts.length + " agregado al presupuesto.");
}

function removeAct(index) {
  quoteRequest.acts.splice(index, 1);
  saveQuote();
  renderQuote();
  say("Acto " + (index + 1) + " quitado del presupuesto.");
  document.getElementById("add-act").focus();
}

function onHeaderChange() {
  quoteRequest.client = oneLine(quoteView.client.value);
  quoteRequest.date = oneLine(quoteView.date.value);
  saveQuote();
  renderQuote();
}

function onNewQuote() {
  quoteRequest = { client: "", date: today(), acts: [] };
  saveQuote();
  renderQuote();
  say("Presupuesto nuevo.");
}

function download(bytes, file, type) {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([bytes], { type }));
  link.download = file;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

function onExport(entry) {
  if (quoteRequest.acts.length === 0) {
    say("El presupuesto no tiene actos que exportar.");
    return;
  }
  download(Tarivox.exportQuote(quoteFileText(quoteRequest), entry.format), entry.file, entry.type);
  say("Presupuesto exportado como " + entry.file + ".");
}

function onCompare() {
  const selection = currentSelection();
  const section = document.getElementById("comparison");
  const text = document.getElementById("comparison-text");
  try {
    text.textContent = Tarivox.compare(selection.office, selection.service, selection.transaction, selection.social,
                                       form.amount.value.trim(), "text");
  } catch (error) {
    text.textContent = "No se puede comparar: " + error.message;
  }
  section.hidden = false;
}

function startQuote() {
  loadQuote();
  try {
    renderQuote();
  } catch (error) {
    onNewQuote();
    say("El presupuesto guardado no se pudo leer (" + error.message + "); se empieza uno nuevo.");
  }
  document.getElementById("add-act").addEventListener("click", onAddAct);
  document.getElementById("compare").addEventListener("click", onCompare);
  document.getElementById("new-quote").addEventListener("click", onNewQuote);
  document.getElementById("print").addEventListener("click", () => window.print());
  quoteView.client.addEventListener("change", onHeaderChange);
  quoteView.date.addEventListener("change", onHeaderChange);
  for (const entry of EXPORTS) {
    document.getElementById(entry.button).addEventListener("click", () => onExport(entry));
  }
}

Tarivox.ready.then(() => {
  startCalculator();
  startQuote();
}, (error) => {
  document.getElementById("sentence").textContent = "Tarivox no pudo cargarse: " + error.message;
});

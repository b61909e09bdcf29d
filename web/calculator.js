"use strict";
// The calculator as the window has it: the three lists, the project kind,
// the amount, "Calcular pago", the fee and the tariff text, with the same
// rules for what is enabled and what each change of selection shows.

const SERVICE_CERTIFICATION = 2;
const SERVICE_PRESENTATION = 4;
const SERVICE_INSCRIPTION = 0;
// Shown for "Presentación", which has a fixed fee and no calculation.
const PRESENTATION_FEE = "8.86";

// What each service enables, by position: the amount, the fee display,
// "Calcular pago", the office list, and whether the project kind may be
// chosen at all (at MVT only, in any case).
const SERVICE_CONTROLS = [
  { amount: true, fee: true, calculate: true, office: true, project: true },     // Inscripción
  { amount: true, fee: true, calculate: true, office: true, project: true },     // Cancelación
  { amount: false, fee: false, calculate: false, office: true, project: true },  // Certificación
  { amount: false, fee: false, calculate: false, office: true, project: true },  // Informe
  { amount: false, fee: true, calculate: false, office: false, project: false }, // Presentación
  { amount: false, fee: false, calculate: false, office: false, project: false },// Sustitución
];

const form = {
  office: document.getElementById("office"),
  service: document.getElementById("service"),
  transaction: document.getElementById("transaction"),
  project: document.getElementById("project"),
  social: document.getElementById("social-interest"),
  amount: document.getElementById("amount"),
  calculate: document.getElementById("calculate"),
  fee: document.getElementById("fee"),
  sentence: document.getElementById("sentence"),
  tariffText: document.getElementById("tariff-text"),
  explanation: document.getElementById("explanation"),
  explanationText: document.getElementById("explanation-text"),
};
let catalogue = null;

// The selection as the calculator reads it from its controls. A project kind
// left checked at MVT counts only where it can be chosen: at KLDA the quote
// and the comparison refuse a social-interest act.
function currentSelection() {
  return {
    office: form.office.selectedIndex,
    service: form.service.selectedIndex,
    transaction: form.transaction.selectedIndex,
    social: form.social.checked && !form.project.disabled,
  };
}

function isComputed(selection) {
  const list = catalogue.transactions[selection.service][selection.office];
  return list[selection.transaction].computed;
}

function fillList(list, names) {
  list.replaceChildren(...names.map((name) => new Option(name)));
  list.selectedIndex = 0;
}

function loadTransactions() {
  const selection = currentSelection();
  fillList(form.transaction, catalogue.transactions[selection.service][selection.office].map((item) => item.name));
}

function showAmounts(amount, fee) {
  form.amount.value = amount;
  form.fee.value = fee;
}

// A result belongs to the selection it was computed for.
function clearResult() {
  form.sentence.textContent = "";
  form.explanation.hidden = true;
  form.explanationText.textContent = "";
}

// An output element cannot be disabled; it is shown and announced as such.
function setFeeEnabled(enabled) {
  form.fee.classList.toggle("disabled", !enabled);
  form.fee.setAttribute("aria-disabled", String(!enabled));
}

function setCalculationEnabled(enabled) {
  form.amount.disabled = !enabled;
  setFeeEnabled(enabled);
  form.calculate.disabled = !enabled;
}

// The project kind is chosen at MVT only, and only for the services that have it.
function updateProjectEnabled() {
  form.project.disabled = form.office.selectedIndex === 0 || !SERVICE_CONTROLS[form.service.selectedIndex].project;
}

function applyServiceControls() {
  const controls = SERVICE_CONTROLS[form.service.selectedIndex];
  form.amount.disabled = !controls.amount;
  setFeeEnabled(controls.fee);
  form.calculate.disabled = !controls.calculate;
  form.office.disabled = !controls.office;
  updateProjectEnabled();
}

function updateDescription() {
  const selection = currentSelection();
  if (selection.service === SERVICE_INSCRIPTION) {
    // Per-lot tariffs are explained, not computed.
    const computed = isComputed(selection);
    setCalculationEnabled(computed);
    if (!computed) showAmounts("0.00", "0.00");
  }
  form.tariffText.textContent = Tarivox.describe(selection.office, selection.service, selection.transaction,
                                                 selection.social);
  clearResult();
}

function onOfficeChange() {
  // "Literales" is offered at KLDA only, so the list changes length.
  if (form.service.selectedIndex === SERVICE_CERTIFICATION) loadTransactions();
  updateProjectEnabled();
  updateDescription();
}

function onServiceChange() {
  loadTransactions();
  applyServiceControls();
  showAmounts("0.00", form.service.selectedIndex === SERVICE_PRESENTATION ? PRESENTATION_FEE : "0.00");
  updateDescription();
}

function onCalculate(event) {
  event.preventDefault();
  if (form.calculate.disabled) return;
  const selection = currentSelection();
  const typed = form.amount.value;
  const texts = Tarivox.compute(selection.office, selection.service, selection.transaction, selection.social, typed);
  showAmounts(texts.amount, texts.fee);
  form.sentence.textContent = texts.message;
  form.explanationText.textContent = Tarivox.explain(selection.office, selection.service, selection.transaction,
                                                     selection.social, typed);
  form.explanation.hidden = false;
}

// Enter presses "Calcular pago" from any control of the calculator, as the
// window's default button; a browser submits only from a text field.
function onCalculatorKey(event) {
  if (event.key !== "Enter" || event.target.tagName === "INPUT" || event.target.tagName === "BUTTON") return;
  event.preventDefault();
  event.currentTarget.requestSubmit();
}

function startCalculator() {
  catalogue = Tarivox.catalogue();
  fillList(form.office, catalogue.offices);
  fillList(form.service, catalogue.services);
  loadTransactions();
  applyServiceControls();
  updateDescription();
  form.office.addEventListener("change", onOfficeChange);
  form.service.addEventListener("change", onServiceChange);
  form.transaction.addEventListener("change", updateDescription);
  form.project.addEventListener("change", updateDescription);
  const calculatorForm = document.getElementById("calculator-form");
  calculatorForm.addEventListener("submit", onCalculate);
  calculatorForm.addEventListener("keydown", onCalculatorKey);
  form.amount.focus();
}

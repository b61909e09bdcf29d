"use strict";
// The calculator as the window has it: the three lists, the project kind,
// the amount, "Calcular pago", the fee and the tariff text, with the
// module's rules for what is enabled. Where the window lets a figure stand
// for something else, the page does not: a result belongs to the selection
// and the amount it was computed for, an amount read otherwise than typed
// is said so until the amount changes, "Calcular pago", "Comparar" and the
// quote take what was typed, never the rewritten field, and a new amount
// replaces the old one instead of being typed into it.

const Calculator = (() => {
  const form = {
    element: document.getElementById("calculator-form"),
    office: document.getElementById("office"),
    service: document.getElementById("service"),
    transaction: document.getElementById("transaction"),
    project: document.getElementById("project"),
    social: document.getElementById("social-interest"),
    amount: document.getElementById("amount"),
    quantity: document.getElementById("quantity"),
    quantityLabel: document.getElementById("quantity-label"),
    projectValue: document.getElementById("project-value"),
    projectValueLabel: document.getElementById("project-value-label"),
    calculate: document.getElementById("calculate"),
    fee: document.getElementById("fee"),
    notice: document.getElementById("amount-notice"),
    sentence: document.getElementById("sentence"),
    stated: document.getElementById("stated-fee"),
    tariffText: document.getElementById("tariff-text"),
    explanation: document.getElementById("explanation"),
    explanationText: document.getElementById("explanation-text"),
    label: document.getElementById("act-label"),
    comparison: document.getElementById("comparison"),
    comparisonText: document.getElementById("comparison-text"),
  };
  let catalogue = null;
  // The amount as the user typed it: "Calcular pago" rewrites the field as
  // the window does, but every computation and every act takes what was
  // typed, so pressing it again computes the same and says the same.
  let typed = form.amount.value;
  // Whether the next thing typed or pasted replaces the whole amount: so it
  // is after any way into the field (opening the page, a click anywhere in
  // it, Tab, a computation), until the caret is moved on purpose. A caret
  // left where a click landed would put 1500 inside "0.00" or "25,000.00".
  let replacing = false;

  function selection() {
    return {
      office: form.office.selectedIndex,
      service: form.service.selectedIndex,
      transaction: form.transaction.selectedIndex,
      // A project kind left checked counts only where it can be chosen.
      social: form.social.checked && !form.project.disabled,
    };
  }

  function listFor(current) {
    return catalogue.lists[current.service][current.office];
  }

  function item(current = selection()) {
    return listFor(current).transactions[current.transaction];
  }

  // Everything the module says depends on the selection.
  const ask = (action, more = {}) => Core.call({ action, selection: selection(), ...more });

  // The act in the calculator, with the value the transaction takes.
  function pendingAct() {
    const current = selection();
    const value = item(current).value;
    const act = { ...current, typed: null, label: form.label.value };
    if (value === "amount") act.typed = typed;
    if (value === "quantity") act.typed = form.quantity.value;
    if (!form.projectValue.hidden) act.value = form.projectValue.value;
    return act;
  }

  function fillList(list, names, keep = 0) {
    list.replaceChildren(...names.map((name) => new Option(name)));
    list.selectedIndex = keep < names.length ? keep : 0;
  }

  function loadTransactions() {
    fillList(form.transaction, listFor(selection()).transactions.map((entry) => entry.name));
  }

  // An output element cannot be disabled; it is shown and announced as such.
  function setFeeEnabled(enabled) {
    form.fee.classList.toggle("disabled", !enabled);
    form.fee.setAttribute("aria-disabled", String(!enabled));
  }

  function applyControls() {
    const current = selection();
    const service = catalogue.services[current.service];
    const entry = item(current);
    form.office.disabled = !service.office;
    form.project.disabled = !listFor(current).project;
    form.amount.disabled = !(service.amount && entry.value === "amount");
    showNotice(form.notice.textContent);
    form.calculate.disabled = !(service.calculate && entry.value === "amount");
    setFeeEnabled(service.fee && entry.value !== "quantity");
    const counted = entry.value === "quantity";
    form.quantity.hidden = form.quantityLabel.hidden = !counted;
    if (counted) form.quantityLabel.textContent = Core.text("page.quantity", entry.unit);
    // A fee by the piece that a social-interest project reduces by its value.
    form.projectValue.hidden = form.projectValueLabel.hidden = !(entry.project_value && current.social);
  }

  // What the fee of an act priced from its tariff text comes to, as the
  // quote would price it; nothing until a quantity is typed.
  function showStatedFee() {
    const act = pendingAct();
    const value = item().value;
    form.stated.textContent = "";
    if (value === "amount" || (value === "quantity" && act.typed.trim() === "")) return;
    try {
      const priced = Core.call({ action: "price", act }).act;
      form.stated.textContent = Core.text("page.stated", priced.fee, priced.rule);
    } catch (error) {
      form.stated.textContent = error.message;
    }
  }

  // A result belongs to the selection and the amount it was computed for:
  // any change takes it away, the comparison included.
  function clearResult() {
    form.fee.value = catalogue.services[selection().service].shown_fee;
    form.sentence.textContent = "";
    form.explanation.hidden = true;
    form.explanationText.textContent = "";
    form.comparison.hidden = true;
    form.comparisonText.textContent = "";
    showStatedFee();
  }

  function onSelectionChange() {
    applyControls();
    form.tariffText.textContent = ask("select").tariff_text;
    clearResult();
  }

  function onOfficeChange() {
    // A list may differ from one office to the other ("Literales" is offered
    // at KLDA only): then it is loaded again, as the window does.
    const names = listFor(selection()).transactions.map((entry) => entry.name);
    const shown = Array.from(form.transaction.options, (option) => option.text);
    if (names.join("\n") !== shown.join("\n")) loadTransactions();
    onSelectionChange();
  }

  function onServiceChange() {
    loadTransactions();
    onSelectionChange();
  }

  // The whole amount selected, so that what is seen is what the next key does.
  function enterAmount() {
    replacing = true;
    form.amount.select();
  }

  function selectAmount() {
    form.amount.focus();
    enterAmount();
  }

  // What was said about the amount stays until the amount changes, shown
  // while the transaction takes an amount.
  function showNotice(notice) {
    form.notice.textContent = notice;
    form.notice.hidden = notice === "" || form.amount.disabled;
  }

  function onCalculate() {
    if (form.calculate.disabled) return;
    const answer = ask("calculate", { typed });
    form.explanationText.textContent = answer.explanation;
    form.amount.value = answer.amount;
    form.fee.value = answer.fee;
    form.sentence.textContent = answer.message;
    showNotice(answer.notice);
    form.explanation.hidden = false;
    // The next amount replaces this one instead of being typed into it.
    selectAmount();
  }

  function onAmountInput() {
    replacing = false;
    typed = form.amount.value;
    // What was said about the amount belonged to the one before.
    showNotice("");
    clearResult();
  }

  // Anything typed, pasted, dropped or deleted while the field is being
  // entered replaces its whole content, wherever the caret or the selection
  // happens to be.
  function onAmountBeforeInput(event) {
    // Enter comes as a line break, which a field of one line does not take.
    if (!replacing || !event.cancelable || /LineBreak|Paragraph/.test(event.inputType)) return;
    const inserted = event.inputType.startsWith("insert");
    if (!inserted && !event.inputType.startsWith("delete")) return;
    event.preventDefault();
    const text = inserted ? (event.data ?? event.dataTransfer?.getData("text/plain") ?? "") : "";
    form.amount.value = text.replace(/[\r\n]+/g, " ");
    form.amount.setSelectionRange(form.amount.value.length, form.amount.value.length);
    onAmountInput();
  }

  // Moving the caret is editing the amount, not replacing it; a text that
  // is being composed (a dead key, an input method) starts on a selected field.
  const CARET_KEYS = new Set(["ArrowLeft", "ArrowRight", "ArrowUp", "ArrowDown", "Home", "End", "PageUp", "PageDown"]);
  function onAmountKey(event) {
    if (CARET_KEYS.has(event.key)) replacing = false;
  }

  // Enter presses "Calcular pago" from any control of the calculator, as the
  // window's default button; a browser submits only from a text field.
  function onCalculatorKey(event) {
    if (event.key !== "Enter" || event.target.tagName === "INPUT" || event.target.tagName === "BUTTON") return;
    event.preventDefault();
    form.element.requestSubmit();
  }

  function onCompare() {
    const act = pendingAct();
    try {
      form.comparisonText.textContent = ask("compare", { typed: act.typed }).text;
    } catch (error) {
      if (error instanceof RangeError) throw error;
      form.comparisonText.textContent = Core.text("page.cannot_compare", error.message);
    }
    form.comparison.hidden = false;
  }

  function start(loaded) {
    catalogue = loaded;
    fillList(form.office, catalogue.offices);
    fillList(form.service, catalogue.services.map((service) => service.name));
    loadTransactions();
    onSelectionChange();
    form.office.addEventListener("change", onOfficeChange);
    form.service.addEventListener("change", onServiceChange);
    form.transaction.addEventListener("change", onSelectionChange);
    form.project.addEventListener("change", onSelectionChange);
    form.amount.addEventListener("input", onAmountInput);
    form.amount.addEventListener("beforeinput", onAmountBeforeInput);
    form.amount.addEventListener("keydown", onAmountKey);
    form.amount.addEventListener("compositionstart", () => { if (replacing) form.amount.select(); });
    form.quantity.addEventListener("input", clearResult);
    form.projectValue.addEventListener("input", clearResult);
    // Every way into the amount field: the focus (Tab, a label, the page
    // itself), and a click anywhere in it, focused or not; the selection is
    // made again once the click has placed its caret.
    form.amount.addEventListener("focus", enterAmount);
    form.amount.addEventListener("pointerdown", () => { replacing = true; });
    form.amount.addEventListener("click", () => {
      if (!replacing) return;
      form.amount.select();
      // Chromium places the caret of a click in a focused field after this.
      setTimeout(() => { if (replacing && document.activeElement === form.amount) form.amount.select(); }, 0);
    });
    form.quantity.addEventListener("keydown", (event) => {
      if (event.key === "Enter") event.preventDefault();
    });
    Presses.onSubmit(form.element, "calculate", onCalculate);
    form.element.addEventListener("keydown", onCalculatorKey);
    Presses.onClick(document.getElementById("compare"), "compare", onCompare);
    selectAmount();
  }

  return { start, pendingAct, clearLabel: () => { form.label.value = ""; } };
})();

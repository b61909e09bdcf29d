"use strict";
// The quote on the page: one row per act, in the same columns on screen and
// on paper (one block per act on a narrow screen), then the total once,
// the tariff texts as notes, and what the page says about the quote.
// Rows are made once per act and touched again only when what they show
// changes: adding or removing an act redraws that act, the numbers after
// it and the total, never the whole quote.

const QuoteView = (() => {
  const view = {
    empty: document.getElementById("quote-empty"),
    table: document.getElementById("quote-acts"),
    rows: document.getElementById("act-rows"),
    summary: document.getElementById("quote-summary"),
    count: document.getElementById("quote-count"),
    total: document.getElementById("quote-total"),
    words: document.getElementById("quote-words"),
    notesTitle: document.getElementById("notes-title"),
    notes: document.getElementById("quote-notes"),
    unreadable: document.getElementById("unreadable"),
    unreadableList: document.getElementById("unreadable-list"),
    client: document.getElementById("client"),
    date: document.getElementById("date"),
    preparerName: document.getElementById("preparer-name"),
    preparerOffice: document.getElementById("preparer-office"),
    printPreparer: document.getElementById("print-preparer"),
    printClient: document.getElementById("print-client"),
    printDate: document.getElementById("print-date"),
    kept: document.getElementById("kept"),
    status: document.getElementById("quote-status"),
    undo: document.getElementById("undo"),
    addFeedback: document.getElementById("add-feedback"),
    saveProblem: document.getElementById("save-problem"),
    saveProblemText: document.getElementById("save-problem-text"),
  };
  // The row of each act, in the order of the acts.
  let rows = [];
  const template = document.createElement("div");
  template.setAttribute("role", "row");
  template.className = "act";
  for (const name of ["act-number", "act-what", "figure act-value", "figure act-fee", "act-rule", "act-note",
                      "act-remove no-print"]) {
    const cell = document.createElement("span");
    cell.setAttribute("role", "cell");
    cell.className = name;
    template.append(cell);
  }
  template.lastChild.append(document.createElement("button"));
  template.lastChild.firstChild.type = "button";

  // The words that CSS shows: the figures' names in the blocks of a narrow
  // screen and the page numbers of a printout.
  function cssString(text) {
    return '"' + text.replace(/["\\]/g, "\\$&").replace(/\n/g, "\\a ") + '"';
  }

  function addStyleWords() {
    const style = document.createElement("style");
    const [before, between, after] = Core.text("page.print.page_number", "\u0001", "\u0002").split(/[\u0001\u0002]/);
    style.textContent =
      `@media (max-width: 36rem) {
        .act .act-value::before { content: ${cssString(Core.text("page.column.value"))} ": "; }
        .act .act-fee::before { content: ${cssString(Core.text("column.fee"))} ": "; }
        .act .act-rule::before { content: ${cssString(Core.text("column.rule"))} ": "; }
        .act .act-note::before { content: ${cssString(Core.text("column.note"))} " "; }
      }
      @page { @bottom-center { content: ${cssString(before)} counter(page) ${cssString(between)} counter(pages)
                                        ${cssString(after)}; font: 9pt Arial, "Liberation Sans", sans-serif; } }`;
    document.head.append(style);
  }

  function setRemoveLabel(row, number) {
    row.firstChild.textContent = String(number);
    row.lastChild.firstChild.setAttribute("aria-label", Core.text("page.remove_act", number));
  }

  function fillRow(row, act, number, noteNumber) {
    const [, what, value, fee, rule, note, remove] = row.children;
    row.dataset.aid = act.aid;
    setRemoveLabel(row, number);
    what.replaceChildren();
    if (act.label) {
      const label = document.createElement("strong");
      label.className = "act-label";
      label.textContent = act.label;
      what.append(label, " ");
    }
    what.append(act.name);
    if (act.caveat) {
      const caveat = document.createElement("span");
      caveat.className = "act-caveat";
      caveat.textContent = Core.text("caveat.line", act.caveat);
      what.append(caveat);
    }
    value.textContent = act.engine ? act.amount : act.quantity || "—";
    fee.textContent = act.fee;
    rule.textContent = act.rule;
    note.textContent = Core.text("page.note_mark", noteNumber);
    remove.firstChild.textContent = Core.text("page.remove");
  }

  function makeRow(act, number, noteNumber) {
    const row = template.cloneNode(true);
    fillRow(row, act, number, noteNumber);
    return row;
  }

  function showEmpty(quote) {
    const hasActs = quote.acts.length > 0;
    view.empty.hidden = hasActs;
    view.table.hidden = view.summary.hidden = view.notesTitle.hidden = !hasActs;
  }

  // Every act anew: when a quote is opened.
  function showActs(quote) {
    rows = quote.acts.map((act, index) => makeRow(act, index + 1, quote.noteNumbers.get(act.noteId)));
    view.rows.replaceChildren(...rows);
    showEmpty(quote);
  }

  function insertAct(quote, index) {
    const act = quote.acts[index];
    const row = makeRow(act, index + 1, quote.noteNumbers.get(act.noteId));
    view.rows.insertBefore(row, rows[index] ?? null);
    rows.splice(index, 0, row);
    renumberFrom(index + 1);
    showEmpty(quote);
    return row;
  }

  function removeAct(quote, index) {
    rows[index].remove();
    rows.splice(index, 1);
    renumberFrom(index);
    showEmpty(quote);
  }

  function renumberFrom(index) {
    for (let i = index; i < rows.length; i++) setRemoveLabel(rows[i], i + 1);
  }

  // The note marks of the acts whose note got another number.
  function renumberNotes(quote, renumbered) {
    if (renumbered.size === 0) return;
    quote.acts.forEach((act, index) => {
      if (renumbered.has(act.noteId)) rows[index].children[5].textContent = Core.text("page.note_mark",
                                                                                      quote.noteNumbers.get(act.noteId));
    });
  }

  const noteTexts = new Map();
  function showNotes(quote) {
    view.notes.replaceChildren(...quote.notes.map((noteId) => {
      if (!noteTexts.has(noteId)) noteTexts.set(noteId, Core.note(noteId));
      const note = noteTexts.get(noteId);
      const item = document.createElement("li");
      const heading = document.createElement("strong");
      heading.textContent = note.heading + ". ";
      item.append(heading, note.text);
      return item;
    }));
  }

  function showSummary(quote) {
    if (quote.acts.length === 0) return;
    const summary = QuoteModel.summary(quote);
    view.count.textContent = summary.count;
    view.total.textContent = summary.total;
    view.words.textContent = summary.words;
  }

  // The acts kept that could not be read, each as it is kept, with why.
  function showUnreadable(quote) {
    view.unreadable.hidden = quote.unreadable.length === 0;
    view.unreadableList.replaceChildren(...quote.unreadable.map((entry) => {
      const item = document.createElement("li");
      item.textContent = Core.text("page.unreadable.item", entry.text, entry.reason);
      return item;
    }));
  }

  function showHeader(quote, preparer) {
    if (document.activeElement !== view.client) view.client.value = quote.client;
    if (document.activeElement !== view.date) view.date.value = quote.date;
    if (document.activeElement !== view.preparerName) view.preparerName.value = preparer.name;
    if (document.activeElement !== view.preparerOffice) view.preparerOffice.value = preparer.office;
    const by = [preparer.name, preparer.office].filter(Boolean);
    view.printPreparer.textContent = by.length === 0 ? ""
      : Core.text("page.print.prepared_by", by.length === 2 ? Core.text("page.print.prepared_at", ...by) : by[0]);
    view.printClient.textContent = quote.client ? Core.text("quote.client", quote.client) : "";
    view.printDate.textContent = quote.date ? Core.text("quote.date", quote.date) : "";
  }

  function keptName(entry) {
    return Core.text("page.kept_item", entry.client || Core.text("page.no_reference"), entry.date,
                     entry.count === 1 ? Core.text("quote.acts.one", 1)
                                       : Core.text("quote.acts.many", entry.count.toLocaleString("en-US")));
  }

  // The kept quotes, the newest first, the open one chosen.
  function showKept(kept, openId) {
    const entries = [...kept].sort(([, a], [, b]) => (a.created < b.created ? 1 : a.created > b.created ? -1 : 0));
    view.kept.replaceChildren(...entries.map(([quoteId, entry]) => {
      const option = new Option(keptName(entry), quoteId);
      option.selected = quoteId === openId;
      return option;
    }));
  }

  // An act just added: in view, and marked for a moment.
  function mark(index) {
    const row = rows[index];
    // Laid out now, so that it is scrolled into view at its real height and
    // not at the height a row out of sight is given.
    row.style.contentVisibility = "visible";
    row.scrollIntoView({ block: "nearest" });
    row.classList.remove("added");
    void row.offsetWidth;
    row.classList.add("added");
    setTimeout(() => row.classList.remove("added"), 2500);
  }

  // The outcome of "Agregar al presupuesto", next to the button.
  function sayAdd(text, refused) {
    view.addFeedback.textContent = text;
    view.addFeedback.classList.toggle("refused", refused);
  }

  // What happened to the quote; with an undo when it can be undone.
  function say(text, undo = null) {
    view.status.textContent = text;
    view.undo.hidden = undo === null;
    view.undo.onclick = undo;
  }

  function showSaveProblem(text) {
    view.saveProblem.hidden = text === null;
    view.saveProblemText.textContent = text ?? "";
  }

  function focusRow(index) {
    const row = rows[Math.min(index, rows.length - 1)];
    (row?.lastChild.firstChild ?? document.getElementById("add-act")).focus();
  }

  return { addStyleWords, showActs, insertAct, removeAct, renumberNotes, showNotes, showSummary, showUnreadable,
           showHeader, showKept, keptName, mark, sayAdd, say, showSaveProblem, focusRow };
})();

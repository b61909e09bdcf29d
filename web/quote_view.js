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
    number: document.getElementById("number"),
    date: document.getElementById("date"),
    dateNotice: document.getElementById("date-notice"),
    preparerName: document.getElementById("preparer-name"),
    preparerOffice: document.getElementById("preparer-office"),
    validDays: document.getElementById("valid-days"),
    validDaysNotice: document.getElementById("valid-days-notice"),
    printHeading: document.getElementById("print-heading"),
    printUnsealed: document.getElementById("print-unsealed"),
    closing: document.getElementById("closing"),
    code: document.getElementById("quote-code"),
    printUnreadable: document.getElementById("print-unreadable"),
    check: document.getElementById("check"),
    checkTitle: document.getElementById("check-title"),
    checkDifferences: document.getElementById("check-differences"),
    checkSummary: document.getElementById("check-summary"),
    tariffList: document.getElementById("tariff-list"),
    tariffProblem: document.getElementById("tariff-problem"),
    tariffProblemTitle: document.getElementById("tariff-problem-title"),
    tariffReasons: document.getElementById("tariff-reasons"),
    kept: document.getElementById("kept"),
    status: document.getElementById("quote-status"),
    undo: document.getElementById("undo"),
    addFeedback: document.getElementById("add-feedback"),
    saveProblem: document.getElementById("save-problem"),
    saveProblemText: document.getElementById("save-problem-text"),
  };
  // The row of each act, in the order of the acts. Rows sit in blocks of
  // at most BLOCK rows: the browser lays out and draws only the blocks in
  // sight, and a change touches one block, whatever the number of acts.
  const BLOCK = 100;
  let rows = [];
  const scratch = document.createElement("template");

  const escape = (text) => (!/[&<>"]/.test(text) ? text : String(text).replace(/[&<>"]/g, (character) =>
    ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;" })[character]));
  let removeWord = null;
  let unsavedWord = null;
  // Whether an act's record still waits to be saved: (aid) => boolean.
  let isUnsaved = () => false;

  // A message split around its one argument, once.
  const around = new Map();
  function fill(key, argument) {
    if (!around.has(key)) around.set(key, Core.text(key, "\u0001").split("\u0001"));
    const [before, after] = around.get(key);
    return before + argument + after;
  }

  // A row as markup: many rows are parsed at once far faster than they are
  // built element by element.
  function rowMarkup(act, number, unsaved) {
    removeWord ??= escape(Core.text("page.remove"));
    unsavedWord ??= escape(Core.text("page.unsaved"));
    const shown = act.shown;
    const label = (unsaved ? `<span class="act-unsaved">${unsavedWord}</span>` : "") +
      (shown.label ? `<strong class="act-label">${escape(shown.label)}</strong> ` : "");
    return `<div role="row" class="act${unsaved ? " unsaved" : ""}" data-aid="${escape(act.aid)}">` +
      `<span role="cell" class="act-number">${number}</span>` +
      `<span role="cell" class="act-what">${label}${escape(shown.name)}</span>` +
      `<span role="cell" class="figure act-value">${escape(shown.value_text || "—")}</span>` +
      `<span role="cell" class="figure act-fee">${escape(shown.fee)}</span>` +
      `<span role="cell" class="act-rule">${escape(shown.rule)}</span>` +
      `<span role="cell" class="act-note">${escape(fill("page.note_mark", shown.note))}</span>` +
      `<span role="cell" class="act-remove no-print"><button type="button" aria-label="` +
      `${escape(fill("page.remove_act", number))}">${removeWord}</button></span></div>`;
  }

  function newBlock() {
    const block = document.createElement("div");
    block.className = "act-block";
    block.setAttribute("role", "none");
    return block;
  }

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

  // A row's number, the name of its "Quitar" ("Quitar el acto {1}" around
  // its number, split once) and its note mark: after a change, the rows
  // after it are brought up to date with three texts each, nothing
  // formatted, and only where one differs.
  function setRow(quote, i) {
    const row = rows[i];
    const number = String(i + 1);
    if (row.firstChild.firstChild.data !== number) {
      row.firstChild.firstChild.data = number;
      row.lastChild.firstChild.setAttribute("aria-label", fill("page.remove_act", number));
    }
    const note = fill("page.note_mark", quote.acts[i].shown.note);
    const cell = row.children[5];
    if (cell.textContent !== note) cell.textContent = note;
  }

  function showEmpty(quote) {
    const hasActs = quote.acts.length > 0;
    view.empty.hidden = hasActs;
    view.table.hidden = view.summary.hidden = view.notesTitle.hidden = !hasActs;
  }

  // Every act anew, when a quote is opened: the first blocks at once, so
  // that the quote is on screen at any size, the others block by block in
  // the tasks that follow. Anything that changes the rows, and printing,
  // first builds what is left.
  const FIRST_BLOCKS = 1;
  const BLOCKS_PER_TASK = 4;
  let building = null;

  function buildRows(quote, from, to) {
    QuoteModel.records(quote, from, to);
    const blocks = [];
    for (let start = from; start < to; start += BLOCK) {
      const markup = [];
      for (let i = start; i < Math.min(start + BLOCK, to); i++) {
        markup.push(rowMarkup(quote.acts[i], i + 1, isUnsaved(quote.acts[i].aid)));
      }
      blocks.push(`<div class="act-block" role="none">${markup.join("")}</div>`);
    }
    const before = view.rows.childElementCount;
    view.rows.insertAdjacentHTML("beforeend", blocks.join(""));
    for (const block of [...view.rows.children].slice(before)) rows.push(...block.children);
  }

  function finishRows() {
    if (building === null) return;
    clearTimeout(building.timer);
    const { quote } = building;
    building = null;
    buildRows(quote, rows.length, quote.acts.length);
  }

  function buildMore() {
    const { quote } = building;
    buildRows(quote, rows.length, Math.min(quote.acts.length, rows.length + BLOCKS_PER_TASK * BLOCK));
    if (rows.length < quote.acts.length) building.timer = setTimeout(buildMore, 0);
    else building = null;
  }

  function showActs(quote) {
    if (building !== null) clearTimeout(building.timer);
    building = null;
    refreshing = { quote: null, from: -1 };
    view.rows.replaceChildren();
    rows = [];
    buildRows(quote, 0, Math.min(quote.acts.length, FIRST_BLOCKS * BLOCK));
    if (rows.length < quote.acts.length) building = { quote, timer: setTimeout(buildMore, 0) };
    showEmpty(quote);
  }

  // An act put in its place: into the block of the row it goes before, or
  // at the end into the last block while it has room. Rows not yet made
  // are left to be made in their turn, with the act among them.
  function insertAct(quote, index) {
    if (building !== null && index >= rows.length) return;
    QuoteModel.records(quote, index, index + 1);
    scratch.innerHTML = rowMarkup(quote.acts[index], index + 1, isUnsaved(quote.acts[index].aid));
    const row = scratch.content.firstChild;
    if (index < rows.length) {
      rows[index].before(row);
    } else {
      let block = view.rows.lastElementChild;
      if (block === null || block.childElementCount >= BLOCK) view.rows.append(block = newBlock());
      block.append(row);
    }
    rows.splice(index, 0, row);
    refreshFrom(quote, index + 1);
    showEmpty(quote);
  }

  function removeAct(quote, index) {
    if (index < rows.length) {
      const block = rows[index].parentNode;
      rows[index].remove();
      if (block.childElementCount === 0) block.remove();
      rows.splice(index, 1);
    }
    refreshFrom(quote, index);
    showEmpty(quote);
  }

  // The rows from a change on get their numbers and note marks: as many as
  // a screen can show at once (a row is at least a line high), the others
  // once the change is on the screen, a thousand at a time (anything that
  // changes the rows again, and printing, first finishes them). A change
  // renumbers notes only from where it is: the notes are numbered in the
  // order the acts cite them.
  const ROW_AT_LEAST_PX = 24;
  const REFRESH_PER_TASK = 1000;
  // The rows still to refresh, from `from` on; a later change or a
  // finish makes the task scheduled before it do nothing.
  let refreshing = { quote: null, from: -1 };

  function refreshRows(quote, from, to) {
    QuoteModel.records(quote, from, to);
    for (let i = from; i < to; i++) setRow(quote, i);
  }

  function finishRefresh() {
    const { quote, from } = refreshing;
    refreshing = { quote: null, from: -1 };
    if (from >= 0) refreshRows(quote, from, rows.length);
  }

  // The next few rows once the screen shows the change.
  function refreshLater(state) {
    requestAnimationFrame(() => setTimeout(() => {
      if (refreshing !== state) return;
      const to = Math.min(rows.length, state.from + REFRESH_PER_TASK);
      refreshRows(state.quote, state.from, to);
      refreshing = { quote: state.quote, from: to < rows.length ? to : -1 };
      if (to < rows.length) refreshLater(refreshing);
    }, 0));
  }

  function refreshFrom(quote, index) {
    const from = refreshing.from < 0 ? index : Math.min(index, refreshing.from);
    const now = Math.min(rows.length, index + Math.ceil(innerHeight / ROW_AT_LEAST_PX));
    refreshRows(quote, index, now);
    refreshing = { quote, from: from < index ? from : now };
    if (refreshing.from < rows.length) refreshLater(refreshing);
    else refreshing = { quote: null, from: -1 };
  }

  // Whether the act at index is marked as not saved.
  function markUnsaved(quote, index, unsaved) {
    const row = rows[index];
    if (row === undefined || row.classList.contains("unsaved") === unsaved) return;
    row.classList.toggle("unsaved", unsaved);
    const what = row.children[1];
    if (unsaved) {
      const mark = document.createElement("span");
      mark.className = "act-unsaved";
      mark.textContent = Core.text("page.unsaved");
      what.prepend(mark);
    } else {
      what.querySelector(".act-unsaved")?.remove();
    }
  }

  function showNotes(quote) {
    view.notes.replaceChildren(...quote.notes.map((note) => {
      const item = document.createElement("li");
      const heading = document.createElement("strong");
      heading.textContent = note.heading + ". ";
      item.append(heading, note.text);
      return item;
    }));
  }

  function showSummary(quote) {
    if (quote.acts.length === 0) return;
    view.count.textContent = quote.total.count_text;
    view.total.textContent = quote.total.total_text;
    view.words.textContent = quote.total.words_text;
  }

  // The acts kept that could not be read, each as it is kept, with why;
  // on paper only that the quote lacks them.
  function showUnreadable(quote) {
    const count = quote.unreadable.length;
    view.unreadable.hidden = view.printUnreadable.hidden = count === 0;
    view.printUnreadable.textContent = count === 0 ? "" : Core.text("page.print.unreadable", actCount(count));
    view.unreadableList.replaceChildren(...quote.unreadable.map((entry) => {
      const item = document.createElement("li");
      item.textContent = Core.text("page.unreadable.item", entry.text, entry.reason);
      return item;
    }));
  }

  const actCount = (count) => (count === 1 ? Core.text("quote.acts.one", 1)
                                           : Core.text("quote.acts.many", count.toLocaleString("en-US")));

  // The heading's fields as kept (a field being typed in is left alone),
  // and what the module made of a date it could not read.
  function showHeader(quote, preparer) {
    const fields = [[view.client, quote.client], [view.number, quote.number], [view.date, quote.date],
                    [view.preparerName, preparer.name], [view.preparerOffice, preparer.office],
                    [view.validDays, String(preparer.validDays)]];
    for (const [field, kept] of fields) if (document.activeElement !== field) field.value = kept;
    const undated = quote.date.trim() !== "" && !quote.dated;
    view.dateNotice.hidden = !undated;
    view.dateNotice.textContent = undated ? Core.text("page.date_today", quote.date) : "";
  }

  // Why the days typed were not kept, or null.
  function showValidDaysProblem(text) {
    view.validDaysNotice.hidden = text === null;
    view.validDaysNotice.textContent = text ?? "";
  }

  // The module's code, heading and closing of the quote as it stands, or
  // (null) none while a change waits for its seal: what a printout carries
  // then says it has no code.
  function showSeal(sealed) {
    view.code.textContent = sealed === null ? Core.text("page.sealing") : Core.text("quote.verification", sealed.code);
    view.printHeading.replaceChildren(...(sealed?.heading ?? []).map((line) => {
      const part = document.createElement("span");
      part.textContent = line;
      return part;
    }));
    view.closing.textContent = sealed?.closing ?? "";
    view.printUnsealed.hidden = sealed !== null;
  }

  // What the check of a quote opened from a file found, or (null) nothing
  // shown.
  function showCheck(check) {
    view.check.hidden = check === null;
    if (check === null) return;
    view.checkTitle.textContent = Core.text("page.check_title", check.file);
    view.checkDifferences.replaceChildren(...check.differences.map((difference) => {
      const item = document.createElement("li");
      item.textContent = difference;
      return item;
    }));
    view.checkSummary.textContent = check.summary;
    view.check.classList.toggle("agrees", check.agrees);
  }

  // The editions the module knows, by the day they take effect.
  function showTariffs(tariffs) {
    view.tariffList.replaceChildren(...tariffs.map(({ name, in_force_from: from }) => {
      const row = document.createElement("tr");
      for (const text of [name, from ?? "—"]) row.insertCell().textContent = text;
      return row;
    }));
  }

  // Why an edition was refused, every reason; or (null) nothing to say.
  function showTariffProblem(title, reasons = []) {
    view.tariffProblem.hidden = title === null;
    view.tariffProblemTitle.textContent = title ?? "";
    view.tariffReasons.replaceChildren(...reasons.map((reason) => {
      const item = document.createElement("li");
      item.textContent = reason;
      return item;
    }));
  }

  function keptName(entry) {
    const name = Core.text("page.kept_item", entry.client || Core.text("page.no_reference"), entry.date,
                           actCount(entry.count));
    return entry.unsaved ? Core.text("page.kept_unsaved", name) : name;
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
    finishRows();
    const row = rows[index];
    // Its block laid out now, so that the row is scrolled into view where it
    // is and not where a block out of sight is assumed to end.
    row.parentNode.style.contentVisibility = "visible";
    row.scrollIntoView({ block: "nearest" });
    // Blocks above it may take their real height only at the next layout,
    // which would move the row again: look once more when it is done.
    requestAnimationFrame(() => row.scrollIntoView({ block: "nearest" }));
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

  // What happened to the quote; "Deshacer" shown while there is something
  // to undo.
  function say(text, canUndo) {
    view.status.textContent = text;
    view.undo.hidden = !canUndo;
  }

  function showSaveProblem(text) {
    view.saveProblem.hidden = text === null;
    view.saveProblemText.textContent = text ?? "";
  }

  function focusRow(index) {
    const row = rows[Math.min(index, rows.length - 1)];
    (row?.lastChild.firstChild ?? document.getElementById("add-act")).focus();
  }

  window.addEventListener("beforeprint", () => {
    finishRows();
    finishRefresh();
  });

  return { addStyleWords, finishRows, showActs, insertAct, removeAct, markUnsaved, showNotes, showSummary,
           showUnreadable, showHeader, showValidDaysProblem, showSeal, showCheck, showTariffs, showTariffProblem, showKept, keptName, actCount, mark, sayAdd, say, showSaveProblem, focusRow,
           watchUnsaved: (test) => { isUnsaved = test; }, FIRST_ROWS: FIRST_BLOCKS * BLOCK };
})();

"use strict";
// The page's controller: the calculator and the quote wired to what the
// user does and to what another tab of the page does. Each change is made
// in the quote's data, written to the browser's storage and shown, one act
// at a time; no change is lost silently: a refused act says why next to
// the button, a failed write stays on screen until a later one succeeds,
// and whatever replaces or deletes a quote can be undone.

const Page = (() => {
  const EXPORTS = [
    { button: "export-xlsx", format: "xlsx", file: "page.file.xlsx",
      type: "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet" },
    { button: "export-csv", format: "csv", file: "page.file.csv", type: "text/csv" },
    { button: "export-excel", format: "csv-excel", file: "page.file.excel", type: "text/csv" },
    { button: "export-json", format: "json", file: "page.file.json", type: "application/json" },
  ];
  // A second press of "Agregar" within this time, with nothing changed in
  // the calculator, is the same press (a double click, a bouncing key).
  const REPEAT_MS = 600;

  let quote = null;
  let kept = new Map();
  let preparer = { name: "", office: "" };
  let addLockedUntil = 0;
  let savingFailed = false;

  const byId = (id) => document.getElementById(id);
  const today = () => Core.localDate();

  function fillTexts() {
    for (const element of document.querySelectorAll("[data-text]")) element.textContent = Core.text(element.dataset.text);
    document.title = Core.text("page.title");
  }

  // After every write: the problem shown while there is one, and said once
  // when it is over.
  function checkSaved() {
    const problem = QuoteStore.problem();
    if (problem === null) {
      QuoteView.showSaveProblem(null);
      if (savingFailed) QuoteView.say(Core.text("page.saved_again"));
    } else {
      QuoteView.showSaveProblem(Core.text("page.save_failed",
                                          Core.text(problem === "full" ? "page.storage_full" : "page.storage_off")));
    }
    savingFailed = problem !== null;
  }

  // The open quote as its entry among the kept ones: its acts as it shows
  // them (those it could not read are listed apart).
  function keptEntry() {
    return { client: quote.client, date: quote.date, created: kept.get(quote.id)?.created ?? "",
             count: quote.acts.length };
  }

  function showKept() {
    kept.set(quote.id, keptEntry());
    QuoteView.showKept(kept, quote.id);
  }

  function showAll() {
    QuoteView.showHeader(quote, preparer);
    QuoteView.showActs(quote);
    QuoteView.showNotes(quote);
    QuoteView.showSummary(quote);
    QuoteView.showUnreadable(quote);
    showKept();
  }

  function newQuote() {
    const quoteId = QuoteStore.newId();
    const header = { client: "", date: today(), created: new Date().toISOString() };
    QuoteStore.setHeader(quoteId, header);
    kept.set(quoteId, { ...header, count: 0 });
    return quoteId;
  }

  // Reads a kept quote act by act: what can be read is priced and shown,
  // what cannot is listed with its reason and left in storage as it is.
  function openQuote(quoteId) {
    quote = QuoteModel.create(quoteId, QuoteStore.header(quoteId) ?? {});
    const entries = QuoteStore.records(quoteId).map((entry) => ({ ...entry, record: QuoteStore.parsed(entry.text) }));
    QuoteModel.open(quote, entries);
    if (QuoteStore.open() !== quoteId) QuoteStore.setOpen(quoteId);
    showAll();
    checkSaved();
  }

  function showChange(renumbered) {
    QuoteView.renumberNotes(quote, renumbered);
    QuoteView.showNotes(quote);
    QuoteView.showSummary(quote);
    showKept();
  }

  // Throws the module's refusal.
  function insertAct(aid, record) {
    const { index, renumbered } = QuoteModel.add(quote, aid, record);
    QuoteView.insertAct(quote, index);
    showChange(renumbered);
    return index;
  }

  function removeAct(index) {
    const { act, renumbered } = QuoteModel.remove(quote, index);
    QuoteView.removeAct(quote, index);
    showChange(renumbered);
    return act;
  }

  function onAdd(event) {
    if (event.detail > 1 || performance.now() < addLockedUntil) return;
    addLockedUntil = performance.now() + REPEAT_MS;
    const aid = QuoteStore.newId();
    const record = Calculator.pendingAct();
    let index = 0;
    try {
      index = insertAct(aid, record);
    } catch (error) {
      if (error instanceof RangeError) throw error;
      QuoteView.sayAdd(Core.text("page.not_added", error.message), true);
      return;
    }
    QuoteStore.setAct(quote.id, aid, JSON.stringify(QuoteModel.recordOf(record)));
    Calculator.clearLabel();
    QuoteView.sayAdd(Core.text("page.added", index + 1, quote.acts[index].shown.fee), false);
    QuoteView.mark(index);
    checkSaved();
  }

  function onRemove(event) {
    const button = event.target.closest("button");
    if (!button) return;
    const index = QuoteModel.find(quote, button.closest("[role=row]").dataset.aid);
    if (index < 0) return;
    const act = removeAct(index);
    QuoteStore.removeAct(quote.id, act.aid);
    const quoteId = quote.id;
    QuoteView.say(Core.text("page.removed", index + 1), () => {
      if (quote.id !== quoteId || QuoteModel.find(quote, act.aid) >= 0) return;
      QuoteStore.setAct(quoteId, act.aid, JSON.stringify(act.record));
      const back = insertAct(act.aid, act.record);
      QuoteView.mark(back);
      QuoteView.say(Core.text("page.restored", back + 1));
      checkSaved();
    });
    QuoteView.focusRow(index);
    checkSaved();
  }

  function onHeaderInput() {
    const before = quote.date;
    quote.client = byId("client").value.replace(/\s+/g, " ").trim();
    quote.date = byId("date").value.replace(/\s+/g, " ").trim();
    QuoteStore.setHeader(quote.id, { client: quote.client, date: quote.date, created: kept.get(quote.id)?.created ?? "" });
    // The date decides the edition every act is priced under.
    if (quote.date !== before) {
      openQuote(quote.id);
      return;
    }
    QuoteView.showHeader(quote, preparer);
    showKept();
    checkSaved();
  }

  function onPreparerInput() {
    preparer = { name: byId("preparer-name").value.trim(), office: byId("preparer-office").value.trim() };
    QuoteStore.setPreparer(preparer);
    QuoteView.showHeader(quote, preparer);
    checkSaved();
  }

  const isEmpty = (which) => which.acts.length === 0 && which.unreadable.length === 0 && which.client === "";

  function deleteKept(quoteId) {
    for (const { actId } of QuoteStore.records(quoteId)) QuoteStore.removeAct(quoteId, actId);
    QuoteStore.removeHeader(quoteId);
    kept.delete(quoteId);
  }

  // A new quote leaves the open one among the kept quotes, so it needs no
  // confirmation; it can be undone all the same.
  function onNew() {
    if (isEmpty(quote)) {
      QuoteView.say(Core.text("page.empty"));
      return;
    }
    const previous = quote.id;
    const name = QuoteView.keptName(keptEntry());
    openQuote(newQuote());
    const created = quote.id;
    QuoteView.say(Core.text("page.new_done", name), () => {
      if (quote.id === created && isEmpty(quote)) deleteKept(created);
      openQuote(previous);
      QuoteView.say(Core.text("page.undone", name));
    });
  }

  // Deleting takes every record of the quote away; until the next action,
  // "Deshacer" writes them back as they were.
  function onDelete() {
    const victim = quote.id;
    const header = QuoteStore.header(victim) ?? { client: quote.client, date: quote.date };
    const records = QuoteStore.records(victim);
    const name = QuoteView.keptName(keptEntry());
    deleteKept(victim);
    const newest = [...kept].sort(([, a], [, b]) => (a.created < b.created ? 1 : -1))[0];
    openQuote(newest ? newest[0] : newQuote());
    QuoteView.say(Core.text("page.deleted", name), () => {
      QuoteStore.setHeader(victim, header);
      for (const { actId, text } of records) QuoteStore.setAct(victim, actId, text);
      kept.set(victim, { ...header, count: records.length });
      openQuote(victim);
      QuoteView.say(Core.text("page.undone", name));
    });
  }

  function onKeptChange(event) {
    openQuote(event.target.value);
    QuoteView.say(Core.text("page.switched", QuoteView.keptName(keptEntry())));
  }

  function onDiscard() {
    const count = quote.unreadable.length;
    for (const { actId } of quote.unreadable) QuoteStore.removeAct(quote.id, actId);
    quote.unreadable = [];
    QuoteView.showUnreadable(quote);
    showKept();
    QuoteView.say(Core.text("page.discarded", count === 1 ? Core.text("quote.acts.one", 1)
                                                          : Core.text("quote.acts.many", count.toLocaleString("en-US"))));
    checkSaved();
  }

  // An act of a JSON quote, exported by the page or by `tarivox-cli quote
  // --format json`, as a kept record.
  function recordFromExport(act) {
    const quantity = act?.quantity;
    return { office: act?.office_position, service: act?.service_position, transaction: act?.transaction_position,
             social: act?.social_interest, typed: act?.amount_typed ?? (Number.isInteger(quantity) ? String(quantity) : null),
             label: act?.label ?? "" };
  }

  // Opens a JSON quote as a new kept quote; the open one stays kept.
  async function onOpenFile(event) {
    const file = event.target.files[0];
    event.target.value = "";
    if (!file) return;
    const data = QuoteStore.parsed(await file.text());
    if (data === null || typeof data !== "object" || !Array.isArray(data.acts)) {
      QuoteView.say(Core.text("page.not_a_quote", file.name));
      return;
    }
    const quoteId = QuoteStore.newId();
    const header = { client: typeof data.client === "string" ? data.client : "",
                     date: typeof data.date === "string" ? data.date : "", created: new Date().toISOString() };
    QuoteStore.setHeader(quoteId, header);
    for (const act of data.acts) QuoteStore.setAct(quoteId, QuoteStore.newId(), JSON.stringify(recordFromExport(act)));
    kept.set(quoteId, { ...header, count: data.acts.length });
    openQuote(quoteId);
    const count = data.acts.length;
    QuoteView.say(Core.text("page.opened", file.name, count === 1 ? Core.text("quote.acts.one", 1)
                                                                   : Core.text("quote.acts.many",
                                                                               count.toLocaleString("en-US"))));
  }

  function download(bytes, file, type) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([bytes], { type }));
    link.download = file;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 0);
  }

  function onExport(entry) {
    if (quote.acts.length === 0) {
      QuoteView.say(Core.text("page.nothing_to_export"));
      return;
    }
    const file = Core.text(entry.file);
    let bytes = null;
    try {
      bytes = QuoteModel.exported(quote, entry.format);
    } catch (error) {
      if (error instanceof RangeError) throw error;
      QuoteView.say(Core.text("page.not_exported", error.message));
      return;
    }
    download(bytes, file, entry.type);
    QuoteView.say(Core.text("page.exported", file));
  }

  // What another tab of the page changed.
  function onStorage(key) {
    const what = QuoteStore.parseKey(key);
    if (key === null || what.kind === "open") {
      kept = QuoteStore.kept();
      const open = QuoteStore.open();
      openQuote(open && kept.has(open) ? open : quote.id);
    } else if (what.kind === "preparer") {
      preparer = QuoteStore.preparer();
      QuoteView.showHeader(quote, preparer);
    } else if (what.kind === "quote" && what.quoteId === quote.id) {
      const header = QuoteStore.header(quote.id);
      if (header === null) return;
      quote.client = String(header.client ?? "");
      quote.date = String(header.date ?? "");
      QuoteView.showHeader(quote, preparer);
      showKept();
    } else if (what.kind === "act" && what.quoteId === quote.id) {
      onOtherTabAct(what.actId);
    } else if (what.kind !== "other") {
      kept = QuoteStore.kept();
      showKept();
    }
  }

  // An act another tab added, removed or changed, put in step.
  function onOtherTabAct(actId) {
    const text = QuoteStore.act(quote.id, actId);
    const unreadable = quote.unreadable.findIndex((entry) => entry.actId === actId);
    const index = QuoteModel.find(quote, actId);
    if (unreadable >= 0 || (index >= 0 && text !== null)) {
      openQuote(quote.id);
      return;
    }
    if (index >= 0) removeAct(index);
    if (text !== null) {
      try {
        insertAct(actId, QuoteStore.parsed(text));
      } catch (error) {
        openQuote(quote.id);
        return;
      }
    }
    showKept();
  }

  function start() {
    fillTexts();
    QuoteView.addStyleWords();
    Calculator.start(Core.catalogue());
    preparer = QuoteStore.preparer();
    kept = QuoteStore.kept();
    const open = QuoteStore.open();
    openQuote(open && kept.has(open) ? open : newQuote());
    // For the page's figures: when the kept quote is on the page.
    performance.mark("tarivox-quote-shown");

    byId("add-act").addEventListener("click", onAdd);
    byId("act-label").addEventListener("keydown", (event) => {
      if (event.key !== "Enter" || event.repeat) return;
      event.preventDefault();
      onAdd(event);
    });
    // A change in the calculator makes the next press another act.
    for (const id of ["calculator-form", "act-label"]) {
      byId(id).addEventListener("input", () => { addLockedUntil = 0; });
      byId(id).addEventListener("change", () => { addLockedUntil = 0; });
    }
    byId("act-rows").addEventListener("click", onRemove);
    byId("client").addEventListener("input", onHeaderInput);
    byId("date").addEventListener("input", onHeaderInput);
    byId("preparer-name").addEventListener("input", onPreparerInput);
    byId("preparer-office").addEventListener("input", onPreparerInput);
    byId("kept").addEventListener("change", onKeptChange);
    byId("new-quote").addEventListener("click", onNew);
    byId("delete-quote").addEventListener("click", onDelete);
    byId("discard").addEventListener("click", onDiscard);
    byId("open-quote").addEventListener("click", () => byId("open-file").click());
    byId("open-file").addEventListener("change", onOpenFile);
    byId("retry-save").addEventListener("click", () => {
      QuoteStore.flush();
      checkSaved();
    });
    byId("print").addEventListener("click", () => window.print());
    for (const entry of EXPORTS) byId(entry.button).addEventListener("click", () => onExport(entry));
    QuoteStore.listen(onStorage);
  }

  // Without the module the page can do nothing: it says so and offers
  // nothing to press.
  function fail() {
    byId("no-module").hidden = false;
    for (const control of document.querySelectorAll("input, select, button, output")) {
      control.disabled = true;
      control.setAttribute("aria-disabled", "true");
    }
  }

  return { start, fail };
})();

Tarivox.ready.then(Page.start, Page.fail);

"use strict";
// The page's controller: the calculator and the quote wired to what the
// user does and to what another tab of the page does. Each change is made
// in the quote's data, written to the browser's storage and shown, one act
// at a time; no change is lost silently: a refused act says why next to
// the button, what could not be saved is marked so in every view until it
// is, and every removal, deletion or new quote can be undone, one after
// the other, in the reverse order they were made. Every press goes through
// Presses, which takes a repeated press once. What is printed or exported
// carries the module's heading and the verification code of the quote as
// it stands (Seal); a quote opened from a file is checked against the
// tariff before it is shown.

const Page = (() => {
  const EXPORTS = [
    { button: "export-xlsx", format: "xlsx", file: "page.file.xlsx",
      type: "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet" },
    { button: "export-csv", format: "csv", file: "page.file.csv", type: "text/csv" },
    { button: "export-excel", format: "csv-excel", file: "page.file.excel", type: "text/csv" },
    { button: "export-json", format: "json", file: "page.file.json", type: "application/json" },
  ];

  let quote = null;
  let kept = new Map();
  // Who prepares quotes, and the days a quote holds (days: null for the
  // module's own number, defaultDays).
  let preparer = { name: "", office: "", days: null, validDays: 0 };
  let defaultDays = 0;
  // The check of the quote last opened from a file: { quoteId, file,
  // differences, summary, agrees }, shown while that quote is.
  let checked = null;
  let savingFailed = false;
  // What "Deshacer" undoes, the last first: each a function that puts back
  // what one action took away and says so.
  const undos = [];
  // The acts of the open quote marked as not saved.
  let unsavedShown = new Set();

  const byId = (id) => document.getElementById(id);
  const today = () => Core.localDate();

  function fillTexts() {
    for (const element of document.querySelectorAll("[data-text]")) element.textContent = Core.text(element.dataset.text);
    document.title = Core.text("page.title");
  }

  function say(text) {
    QuoteView.say(text, undos.length > 0);
  }

  function sayUndoable(text, undo) {
    undos.push(undo);
    say(text);
  }

  // After every write: the problem shown while there is one, and said once
  // when it is over; each act and kept quote marked as not saved while its
  // record waits.
  function checkSaved() {
    const problem = QuoteStore.problem();
    if (problem === null) {
      QuoteView.showSaveProblem(null);
      if (savingFailed) say(Core.text("page.saved_again"));
    } else {
      QuoteView.showSaveProblem(Core.text("page.save_failed",
                                          Core.text(problem === "full" ? "page.storage_full" : "page.storage_off")));
    }
    savingFailed = problem !== null;
    const unsaved = QuoteStore.unsavedActs(quote.id);
    for (const aid of new Set([...unsavedShown, ...unsaved])) {
      const index = QuoteModel.find(quote, aid);
      if (index >= 0) QuoteView.markUnsaved(quote, index, unsaved.has(aid));
    }
    unsavedShown = unsaved;
    showKept();
  }

  // The open quote as its entry among the kept ones: its acts as it shows
  // them (those it could not read are listed apart).
  function keptEntry() {
    return { client: quote.client, date: quote.date, created: kept.get(quote.id)?.created ?? "",
             count: quote.acts.length };
  }

  function showKept() {
    kept.set(quote.id, keptEntry());
    const unsaved = QuoteStore.unsavedQuotes();
    for (const [quoteId, entry] of kept) entry.unsaved = unsaved.has(quoteId);
    QuoteView.showKept(kept, quote.id);
  }

  function showAll() {
    QuoteView.showHeader(quote, preparer);
    QuoteView.showCheck(checked?.quoteId === quote.id ? checked : null);
    QuoteView.showActs(quote);
    QuoteView.showNotes(quote);
    QuoteView.showSummary(quote);
    QuoteView.showUnreadable(quote);
    showKept();
  }

  function newQuote() {
    const quoteId = QuoteStore.newId();
    const header = { client: "", number: "", date: today(), created: new Date().toISOString() };
    QuoteStore.setHeader(quoteId, header);
    kept.set(quoteId, { ...header, count: 0 });
    return quoteId;
  }

  const headerOf = (which) => ({ client: which.client, number: which.number, date: which.date,
                                  created: kept.get(which.id)?.created ?? "" });

  // The heading the module seals with the quote.
  const heading = () => ({ client: quote.client, number: quote.number, preparer: preparer.name,
                           firm: preparer.office, valid_days: preparer.validDays });

  // Who prepares quotes as kept: days the module does not take are its own
  // number's.
  function preparerOf(kept) {
    let days = null;
    if (Number.isInteger(kept?.valid_days)) {
      try {
        days = Core.call({ action: "valid_days", text: String(kept.valid_days) }).days;
      } catch (error) {
        if (error instanceof RangeError) throw error;
      }
    }
    return { name: String(kept?.name ?? ""), office: String(kept?.office ?? ""), days, validDays: days ?? defaultDays };
  }

  function keepPreparer() {
    const kept = { name: preparer.name, office: preparer.office };
    if (preparer.days !== null) kept.valid_days = preparer.days;
    QuoteStore.setPreparer(kept);
  }

  // Reads a kept quote act by act: what can be read is priced and shown,
  // what cannot is listed with its reason and left in storage as it is.
  const withRecords = (records) => records.map((entry) => ({ ...entry, record: QuoteStore.parsed(entry.text) }));

  // The quote opened here is the one a new tab opens, unless it is only
  // read again for what another tab changed in it.
  function openQuote(quoteId, entries = withRecords(QuoteStore.records(quoteId)), remember = true) {
    quote = QuoteModel.create(quoteId, QuoteStore.header(quoteId) ?? {});
    QuoteModel.open(quote, entries, QuoteView.FIRST_ROWS);
    if (remember) QuoteStore.setOpen(quoteId);
    unsavedShown = QuoteStore.unsavedActs(quoteId);
    showAll();
    checkSaved();
  }

  function showChange() {
    QuoteView.showNotes(quote);
    QuoteView.showSummary(quote);
    showKept();
  }

  // Throws the module's refusal.
  function insertAct(aid, record) {
    const { index } = QuoteModel.add(quote, aid, record);
    QuoteView.insertAct(quote, index);
    showChange();
    return index;
  }

  function removeAct(index) {
    const { act } = QuoteModel.remove(quote, index);
    QuoteView.removeAct(quote, index);
    showChange();
    return act;
  }

  // A quote another tab deleted while this one shows it is kept again as
  // soon as it changes here.
  function keepHeader() {
    if (QuoteStore.header(quote.id) === null) QuoteStore.setHeader(quote.id, headerOf(quote));
  }

  function onAdd() {
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
    keepHeader();
    QuoteStore.setAct(quote.id, aid, JSON.stringify(QuoteModel.recordOf(record)));
    Calculator.clearLabel();
    QuoteView.sayAdd(Core.text("page.added", index + 1, quote.acts[index].shown.fee), false);
    QuoteView.mark(index);
    checkSaved();
  }

  // A removed act goes back into its quote, which opens if it is not the
  // one shown.
  function restoreAct(quoteId, act, header) {
    if (QuoteStore.header(quoteId) === null) QuoteStore.setHeader(quoteId, header);
    QuoteStore.setAct(quoteId, act.aid, JSON.stringify(act.record));
    if (quote.id !== quoteId) {
      kept = QuoteStore.kept();
      openQuote(quoteId);
    } else if (QuoteModel.find(quote, act.aid) < 0) {
      insertAct(act.aid, act.record);
    }
    const back = QuoteModel.find(quote, act.aid);
    if (back >= 0) QuoteView.mark(back);
    say(Core.text("page.restored", back + 1));
    checkSaved();
  }

  function onRemove(event) {
    const button = event.target.closest("button");
    if (!button) return;
    const index = QuoteModel.find(quote, button.closest("[role=row]").dataset.aid);
    if (index < 0) return;
    const quoteId = quote.id;
    const header = headerOf(quote);
    const act = removeAct(index);
    QuoteStore.removeAct(quoteId, act.aid);
    sayUndoable(Core.text("page.removed", index + 1), () => restoreAct(quoteId, act, header));
    QuoteView.focusRow(index);
    checkSaved();
  }

  function onHeaderInput() {
    const before = quote.date;
    quote.client = byId("client").value.replace(/\s+/g, " ").trim();
    quote.number = byId("number").value.replace(/\s+/g, " ").trim();
    quote.date = byId("date").value.replace(/\s+/g, " ").trim();
    QuoteStore.setHeader(quote.id, headerOf(quote));
    // The date decides the edition every act is priced under.
    if (quote.date !== before) {
      openQuote(quote.id);
      return;
    }
    Seal.stale();
    QuoteView.showHeader(quote, preparer);
    checkSaved();
  }

  function onPreparerInput() {
    preparer = { ...preparer, name: byId("preparer-name").value.trim(), office: byId("preparer-office").value.trim() };
    keepPreparer();
    Seal.stale();
    QuoteView.showHeader(quote, preparer);
    checkSaved();
  }

  // Days the module does not take are said so and not kept: the quote
  // holds for the days kept before.
  function onValidDaysInput() {
    let days = 0;
    try {
      days = Core.call({ action: "valid_days", text: byId("valid-days").value }).days;
    } catch (error) {
      if (error instanceof RangeError) throw error;
      QuoteView.showValidDaysProblem(error.message);
      return;
    }
    QuoteView.showValidDaysProblem(null);
    if (days === preparer.validDays && preparer.days !== null) return;
    preparer = { ...preparer, days, validDays: days };
    keepPreparer();
    Seal.stale();
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
      say(Core.text("page.empty"));
      return;
    }
    const previous = quote.id;
    const name = QuoteView.keptName(keptEntry());
    openQuote(newQuote());
    const created = quote.id;
    sayUndoable(Core.text("page.new_done", name), () => {
      if (quote.id === created && isEmpty(quote)) deleteKept(created);
      kept = QuoteStore.kept();
      openQuote(kept.has(previous) ? previous : quote.id);
      say(Core.text("page.undone", name));
    });
  }

  function newestKept() {
    const newest = [...kept].sort(([, a], [, b]) => (a.created < b.created ? 1 : -1))[0];
    return newest ? newest[0] : newQuote();
  }

  // Deleting takes every record of the quote away; "Deshacer" writes them
  // back as they were.
  function onDelete() {
    const victim = quote.id;
    const header = QuoteStore.header(victim) ?? headerOf(quote);
    const records = QuoteStore.records(victim);
    const name = QuoteView.keptName(keptEntry());
    deleteKept(victim);
    openQuote(newestKept());
    sayUndoable(Core.text("page.deleted", name), () => {
      QuoteStore.setHeader(victim, header);
      for (const { actId, text } of records) QuoteStore.setAct(victim, actId, text);
      kept = QuoteStore.kept();
      openQuote(victim);
      say(Core.text("page.undone", name));
    });
  }

  function onKeptChange(event) {
    checked = null;
    openQuote(event.target.value);
    say(Core.text("page.switched", QuoteView.keptName(keptEntry())));
  }

  // The module counts the acts it could not read: the quote is opened
  // again, so that an export after this says it is complete.
  function onDiscard() {
    const quoteId = quote.id;
    const discarded = quote.unreadable;
    for (const { actId } of discarded) QuoteStore.removeAct(quoteId, actId);
    openQuote(quoteId);
    const count = QuoteView.actCount(discarded.length);
    sayUndoable(Core.text("page.discarded", count), () => {
      for (const { actId, text } of discarded) QuoteStore.setAct(quoteId, actId, text);
      kept = QuoteStore.kept();
      openQuote(quoteId);
      say(Core.text("page.undiscarded", count));
    });
  }

  function onUndo() {
    const undo = undos.pop();
    if (undo) undo();
    else say("");
  }

  // A quote exported as JSON (by the page or by `tarivox-cli quote`)
  // checked by the module against the tariff and its verification code:
  // what differs, or why it is no quote. The module holds one check at a
  // time between its two calls, so checks are made one after the other.
  let checking = Promise.resolve();
  function check(text) {
    const done = checking.then(async () => {
      const { content, lines } = Core.call({ action: "check_quote", document: text });
      const [whole, ...each] = await Promise.all([content, ...lines].map(Seal.digest));
      return Core.call({ action: "check_seal", content: whole, lines: each });
    });
    checking = done.catch(() => {});
    return done;
  }

  // Opens a JSON quote as a new kept quote, with the acts it states as the
  // tariff prices them, after saying what the check found; the open one
  // stays kept. A file that is no quote opens nothing.
  async function onOpenFile(event) {
    const file = event.target.files[0];
    event.target.value = "";
    if (!file) return;
    let found = null;
    try {
      found = await check(await file.text());
    } catch (error) {
      if (error instanceof RangeError) throw error;
      say(Core.text("page.not_opened", file.name, error.message));
      return;
    }
    const quoteId = QuoteStore.newId();
    const header = { client: found.client, number: found.number, date: found.date, created: new Date().toISOString() };
    QuoteStore.setHeader(quoteId, header);
    for (const record of found.records) QuoteStore.setAct(quoteId, QuoteStore.newId(), JSON.stringify(record));
    kept.set(quoteId, { ...header, count: found.records.length });
    checked = { quoteId, file: file.name, differences: found.differences, summary: found.summary,
                agrees: found.agrees };
    openQuote(quoteId);
    say(Core.text("page.opened", file.name, QuoteView.actCount(found.records.length)));
  }

  // An edition opened from a file (as `tarivox-cli tariff export` writes
  // one): kept and used from now on, the open quote priced again under the
  // edition of its date; or every reason it is refused.
  async function onTariffFile(event) {
    const file = event.target.files[0];
    event.target.value = "";
    if (!file) return;
    const text = await file.text();
    const known = new Set(Core.tariffs().map((tariff) => tariff.name));
    let tariffs = null;
    try {
      tariffs = Core.addTariff(text);
    } catch (error) {
      if (error instanceof RangeError) throw error;
      QuoteView.showTariffProblem(Core.text("page.tariff_refused", file.name), error.message.split("\n"));
      return;
    }
    QuoteStore.setTariffs(Core.keptTariffs());
    QuoteView.showTariffProblem(null);
    QuoteView.showTariffs(tariffs);
    readAgain();
    const added = tariffs.find((tariff) => !known.has(tariff.name));
    if (added) say(Core.text("page.tariff_added", added.name, added.in_force_from ?? "—"));
  }

  // Editions another tab kept, used here too.
  function onOtherTabTariffs() {
    for (const text of QuoteStore.tariffs()) {
      if (Core.keptTariffs().includes(text)) continue;
      try {
        Core.addTariff(text);
      } catch (error) {
        if (error instanceof RangeError) throw error;
      }
    }
    QuoteView.showTariffs(Core.tariffs());
    readAgain();
  }

  function download(bytes, file, type) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([bytes], { type }));
    link.download = file;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 0);
  }

  // A quote that holds acts it could not read is exported without them:
  // the file says it is not complete, and so does the page. An export
  // carries the code of what it holds: it waits for the seal.
  async function onExport(entry) {
    if (quote.acts.length === 0) {
      say(Core.text("page.nothing_to_export"));
      return;
    }
    const file = Core.text(entry.file);
    let bytes = null;
    try {
      await Seal.fresh();
      bytes = QuoteModel.exported(entry.format);
    } catch (error) {
      if (error instanceof RangeError) throw error;
      say(Core.text("page.not_exported", file, error.message));
      return;
    }
    download(bytes, file, entry.type);
    const missing = quote.unreadable.length;
    say(missing === 0 ? Core.text("page.exported", file)
                      : Core.text("page.exported_incomplete", file, QuoteView.actCount(missing)));

  }

  // What another tab changed. Which quote a tab shows is its own: another
  // tab opening or starting one changes only the list of kept quotes here.
  // A printout carries the code of what it shows: it waits for the seal.
  async function onPrint() {
    try {
      await Seal.fresh();
    } catch (error) {
      if (error instanceof RangeError) throw error;
      say(Core.text("page.not_printed", error.message));
      return;
    }
    window.print();
  }

  function onStorage(key) {
    const what = QuoteStore.parseKey(key);
    // Another tab may have made room for what this one could not save.
    if (QuoteStore.problem() !== null && QuoteStore.flush()) checkSaved();
    if (key === null) {
      kept = QuoteStore.kept();
      readAgain();
    } else if (what.kind === "preparer") {
      preparer = preparerOf(QuoteStore.preparer());
      Seal.stale();
      QuoteView.showHeader(quote, preparer);
    } else if (what.kind === "tariffs") {
      onOtherTabTariffs();
    } else if (what.kind === "quote" && what.quoteId === quote.id) {
      const header = QuoteStore.header(quote.id);
      kept = QuoteStore.kept();
      if (header !== null && String(header.date ?? "") !== quote.date) {
        readAgain();
      } else if (header !== null) {
        quote.client = String(header.client ?? "");
        quote.number = String(header.number ?? "");
        Seal.stale();
        QuoteView.showHeader(quote, preparer);
      }
      showKept();
    } else if (what.kind === "act" && what.quoteId === quote.id) {
      onOtherTabAct(what.actId);
    } else if (what.kind === "quote" || what.kind === "act") {
      kept = QuoteStore.kept();
      showKept();
    }
  }

  const readAgain = () => openQuote(quote.id, withRecords(QuoteStore.records(quote.id)), false);

  // An act another tab added, removed or changed, put in step.
  function onOtherTabAct(actId) {
    const text = QuoteStore.act(quote.id, actId);
    const unreadable = quote.unreadable.findIndex((entry) => entry.actId === actId);
    const index = QuoteModel.find(quote, actId);
    if (unreadable >= 0 || (index >= 0 && text !== null)) {
      readAgain();
      return;
    }
    if (index >= 0) removeAct(index);
    if (text !== null) {
      try {
        insertAct(actId, QuoteStore.parsed(text));
      } catch (error) {
        readAgain();
        return;
      }
    }
    showKept();
  }

  // What is kept, read while the module compiles: the kept quotes and the
  // records of the quote last opened. What this tab could not save before
  // it was reloaded is tried first.
  function read() {
    QuoteStore.flush();
    // Before the module starts, which it does once it is compiled.
    Core.keepTariffs(QuoteStore.tariffs());
    const open = QuoteStore.open();
    const { kept: all, records } = QuoteStore.scan(open);
    return { open, kept: all, entries: withRecords(records) };
  }

  function start(stored) {
    fillTexts();
    QuoteView.addStyleWords();
    QuoteView.watchUnsaved((aid) => unsavedShown.has(aid));
    Calculator.start(Core.catalogue());
    defaultDays = Core.call({ action: "valid_days" }).days;
    preparer = preparerOf(QuoteStore.preparer());
    QuoteView.showTariffs(Core.tariffs());
    if (Core.refusedTariffs().length > 0) {
      QuoteView.showTariffProblem(Core.text("page.tariff_kept_refused"), Core.refusedTariffs());
    }
    Seal.start(heading, QuoteView.showSeal);
    // A fresh module after a trap holds no quote: the one shown is opened
    // in it again before anything is sealed, exported or changed; once,
    // if opening it is what traps.
    let reopening = false;
    Core.onRestart(() => {
      if (reopening) return;
      reopening = true;
      readAgain();
      reopening = false;
    });
    kept = stored.kept;
    if (kept.has(stored.open)) openQuote(stored.open, stored.entries);
    else openQuote(newQuote());
    // For the page's figures: when the kept quote is on the page.
    performance.mark("tarivox-quote-shown");

    Presses.onClick(byId("add-act"), "add", onAdd);
    Presses.onEnter(byId("act-label"), "add", onAdd);
    Presses.onClick(byId("act-rows"), "remove", onRemove, "button");
    Presses.onClick(byId("new-quote"), "new", onNew);
    Presses.onClick(byId("delete-quote"), "delete", onDelete);
    Presses.onClick(byId("discard"), "discard", onDiscard);
    Presses.onClick(byId("undo"), "undo", onUndo);
    Presses.onClick(byId("open-quote"), "open", () => byId("open-file").click());
    Presses.onClick(byId("retry-save"), "retry", () => {
      QuoteStore.flush();
      checkSaved();
    });
    Presses.onClick(byId("print"), "print", onPrint);
    Presses.onClick(byId("open-tariff"), "open-tariff", () => byId("tariff-file").click());
    Presses.onClick(byId("close-check"), "close-check", () => {
      checked = null;
      QuoteView.showCheck(null);
    });
    for (const entry of EXPORTS) Presses.onClick(byId(entry.button), entry.button, () => onExport(entry));
    byId("client").addEventListener("input", onHeaderInput);
    byId("number").addEventListener("input", onHeaderInput);
    byId("date").addEventListener("input", onHeaderInput);
    byId("valid-days").addEventListener("input", onValidDaysInput);
    byId("preparer-name").addEventListener("input", onPreparerInput);
    byId("preparer-office").addEventListener("input", onPreparerInput);
    byId("kept").addEventListener("change", onKeptChange);
    byId("open-file").addEventListener("change", onOpenFile);
    byId("tariff-file").addEventListener("change", onTariffFile);
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

  return { read, start, fail };
})();

const stored = Page.read();
Tarivox.ready.then(() => Page.start(stored), Page.fail);

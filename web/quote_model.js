"use strict";
// The quote ("Presupuesto") as the page holds it. The module prices the
// open quote's acts, numbers its tariff texts as notes and keeps its total;
// here are its acts in order, each with its id (its key in the browser's
// storage, growing with time), the record it is kept as and the module's
// record of it, and the module's last word on the total and the notes.
// Nothing here touches the page or the storage; each change is one call.

const QuoteModel = (() => {
  // An act as it is kept: the calculator's fields, nothing computed.
  function recordOf(record) {
    const kept = { office: record.office, service: record.service, transaction: record.transaction,
                   social: record.social, typed: record.typed, label: record.label };
    if (record.value !== undefined) kept.value = record.value;
    return kept;
  }

  function create(id, header = {}) {
    return { id, client: String(header.client ?? ""), number: String(header.number ?? ""),
             date: String(header.date ?? ""), dated: false, acts: [], unreadable: [], total: null, notes: [] };
  }

  // What the module says after a change: the notes that got another
  // number (old to new: every act citing one cites it under the new), the
  // total, the notes. An act whose record is not yet asked for gets its
  // note's number with it.
  function apply(quote, answer) {
    const renumbered = new Map(answer.renumbered ?? []);
    if (renumbered.size > 0) {
      for (const { shown } of quote.acts) {
        if (shown !== null && renumbered.has(shown.note)) shown.note = renumbered.get(shown.note);
      }
    }
    quote.total = answer.total;
    quote.notes = answer.notes;
  }

  // The kept records [{ actId, text, record }] priced in one call; those
  // the module cannot read are listed apart, with why. The module writes
  // the records of the first `shown` acts; the others are asked for when
  // their rows are made (records()).
  function open(quote, entries, shown) {
    // Priced under the edition in force on the quote's date when the module
    // reads it as a date, else on today's (quote.dated says which).
    const request = { action: "open_quote", acts: entries.map((entry) => entry.record), shown };
    let answer = null;
    try {
      answer = Core.call({ ...request, date: quote.date });
      quote.dated = true;
    } catch (error) {
      if (error instanceof RangeError) throw error;
      answer = Core.call(request);
    }
    const unreadable = new Map(answer.unreadable);
    entries.forEach(({ actId, text, record }, i) => {
      if (unreadable.has(i)) quote.unreadable.push({ actId, text, reason: unreadable.get(i) });
      else quote.acts.push({ aid: actId, record: recordOf(record), shown: answer.acts[quote.acts.length] ?? null });
    });
    apply(quote, answer);
  }

  // The module's records of the acts from `from` up to `to`, asked for
  // once for those that have none yet.
  function records(quote, from, to) {
    let first = from;
    while (first < to && quote.acts[first].shown !== null) first++;
    if (first === to) return;
    Core.call({ action: "acts", from: first, to }).acts.forEach((shown, i) => {
      quote.acts[first + i].shown ??= shown;
    });
  }

  // Acts are kept in the order of their ids.
  function indexOf(quote, aid) {
    let low = 0;
    let high = quote.acts.length;
    while (low < high) {
      const middle = (low + high) >> 1;
      if (quote.acts[middle].aid < aid) low = middle + 1;
      else high = middle;
    }
    return low;
  }

  function find(quote, aid) {
    const index = indexOf(quote, aid);
    return index < quote.acts.length && quote.acts[index].aid === aid ? index : -1;
  }

  // A record priced and put in its place: { index }. Throws the module's
  // refusal.
  function add(quote, aid, record) {
    const at = indexOf(quote, aid);
    const answer = Core.call({ action: "add_act", act: recordOf(record), at });
    quote.acts.splice(answer.index, 0, { aid, record: recordOf(record), shown: answer.act });
    apply(quote, answer);
    return { index: answer.index };
  }

  function remove(quote, index) {
    const answer = Core.call({ action: "remove_act", index });
    const [act] = quote.acts.splice(index, 1);
    apply(quote, answer);
    return { act };
  }

  // The bytes of an export in one of the report formats, with the heading
  // and the code of its last seal.
  function exported(format) {
    return Core.bytes({ action: "export", format });
  }

  return { recordOf, create, open, records, find, add, remove, exported };
})();

"use strict";
// The quote ("Presupuesto") as data: its acts in the order they were added,
// each priced by the module once, when it is added or read back; the total
// kept in whole cents as acts come and go; the tariff texts numbered as the
// report library numbers its notes (in the order the acts first cite them).
// Nothing here touches the page or the browser's storage, and no change
// prices or visits the acts it does not concern.

const QuoteModel = (() => {
  // An act as it is kept: the calculator's fields, nothing computed.
  function isRecord(record) {
    return record !== null && typeof record === "object" &&
           [record.office, record.service, record.transaction].every(Number.isInteger) &&
           typeof record.social === "boolean" && (record.typed === null || typeof record.typed === "string") &&
           typeof record.label === "string";
  }

  function recordOf(act) {
    return { office: act.office, service: act.service, transaction: act.transaction, social: act.social,
             typed: act.typed, label: act.label };
  }

  function create(id, header = {}) {
    return { id, client: header.client ?? "", date: header.date ?? "", acts: [], unreadable: [], totalCents: 0n,
             byEngine: 0, notes: [], noteNumbers: new Map(), noteUses: new Map() };
  }

  // An act priced from its record: { act } or, when it cannot be read,
  // { reason }. Strict for what was just typed (see Core.act).
  function price(aid, record, strict) {
    if (!isRecord(record)) return { reason: Core.text("page.not_an_act") };
    try {
      const priced = Core.act(record, strict);
      return { act: { aid, ...recordOf(record), ...priced } };
    } catch (error) {
      if (error instanceof RangeError) return { reason: Core.text("page.not_an_act") };
      return { reason: error.message };
    }
  }

  // Many records at once, as a kept quote is read: for each { actId,
  // record }, { act } or { reason }.
  function priceAll(entries) {
    const readable = entries.filter((entry) => isRecord(entry.record));
    const priced = Core.acts(readable.map((entry) => entry.record));
    const byEntry = new Map(readable.map((entry, i) => [entry, priced[i]]));
    return entries.map((entry) => {
      const result = byEntry.get(entry);
      if (result === undefined) return { reason: Core.text("page.not_an_act") };
      if (result.reason !== undefined) return result;
      return { act: { aid: entry.actId, ...recordOf(entry.record), ...result } };
    });
  }

  // Acts are kept in the order of their ids, which grow with time.
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

  // The notes in the order the acts first cite them; the ids whose number
  // changed. It stops as soon as every cited note has been met.
  function renumberNotes(quote) {
    const order = [];
    const seen = new Set();
    for (const act of quote.acts) {
      if (seen.has(act.noteId)) continue;
      seen.add(act.noteId);
      order.push(act.noteId);
      if (order.length === quote.noteUses.size) break;
    }
    const changed = new Set();
    order.forEach((noteId, index) => {
      if (quote.noteNumbers.get(noteId) !== index + 1) changed.add(noteId);
    });
    quote.notes = order;
    quote.noteNumbers = new Map(order.map((noteId, index) => [noteId, index + 1]));
    return changed;
  }

  function count(quote, act, step) {
    quote.totalCents += step > 0 ? act.feeCents : -act.feeCents;
    if (act.engine) quote.byEngine += step;
    const uses = (quote.noteUses.get(act.noteId) ?? 0) + step;
    if (uses === 0) quote.noteUses.delete(act.noteId);
    else quote.noteUses.set(act.noteId, uses);
  }

  // Puts a priced act in its place: { index, renumbered } with the notes
  // whose number changed. An act added last renumbers nothing.
  function insert(quote, act) {
    const existing = find(quote, act.aid);
    if (existing >= 0) remove(quote, existing);
    const index = indexOf(quote, act.aid);
    quote.acts.splice(index, 0, act);
    count(quote, act, 1);
    if (index === quote.acts.length - 1) {
      if (!quote.noteNumbers.has(act.noteId)) {
        quote.notes.push(act.noteId);
        quote.noteNumbers.set(act.noteId, quote.notes.length);
        return { index, renumbered: new Set([act.noteId]) };
      }
      return { index, renumbered: new Set() };
    }
    return { index, renumbered: renumberNotes(quote) };
  }

  function remove(quote, index) {
    const [act] = quote.acts.splice(index, 1);
    count(quote, act, -1);
    // The scan stops once every cited note is met: near the start of any
    // quote but one whose last acts alone cite a text.
    return { act, renumbered: renumberNotes(quote) };
  }

  // What the quote says after its last act.
  function summary(quote) {
    return Core.total(quote.totalCents, quote.acts.length, quote.byEngine);
  }

  return { isRecord, recordOf, create, price, priceAll, insert, remove, find, summary };
})();

"use strict";
// Where quotes are kept: the browser's storage for this page (for a page
// opened from disk, the storage that every page opened from the same disk
// shares). Each act is a record of its own, so that adding or removing one
// writes one record whatever the size of the quote, a record that a later
// version cannot read costs only that act, and another tab of the page
// learns of each change from the storage event.
//
//   tarivox.open                  the id of the quote the page shows
//   tarivox.preparer              { name, office } of who prepares quotes
//   tarivox.quote/QUOTE           { client, date, created } of a kept quote
//   tarivox.act/QUOTE/ACT         one act: { office, service, transaction,
//                                 social, typed, label }
//   tarivox.quote                 the one quote an earlier version kept,
//                                 moved into the layout above when found
//
// Ids grow with time, so acts sort in the order they were added. A write
// that fails is kept and tried again with every later write, until it
// succeeds.

const QuoteStore = (() => {
  const OPEN = "tarivox.open";
  const PREPARER = "tarivox.preparer";
  const LEGACY = "tarivox.quote";
  const QUOTE_PREFIX = "tarivox.quote/";
  const ACT_PREFIX = "tarivox.act/";

  let storage = null;
  try {
    storage = window.localStorage;
    storage.getItem(OPEN);
  } catch (error) {
    storage = null;
  }
  // Writes not yet made: key to text, or to null for a removal.
  const pending = new Map();
  let problem = storage === null ? "off" : null;

  // This tab's part of each id, so that two tabs adding at the same moment
  // never write the same key.
  const tab = Math.floor(Math.random() * 36 ** 4).toString(36).padStart(4, "0");
  let sequence = 0;
  function newId() {
    sequence = (sequence + 1) % 36 ** 4;
    return Date.now().toString(36).padStart(9, "0") + sequence.toString(36).padStart(4, "0") + tab;
  }

  const quoteKey = (quoteId) => QUOTE_PREFIX + quoteId;
  const actKey = (quoteId, actId) => ACT_PREFIX + quoteId + "/" + actId;

  // What a key is: { kind: "quote", quoteId }, { kind: "act", quoteId,
  // actId }, { kind: "open" }, { kind: "preparer" } or { kind: "other" }.
  function parseKey(key) {
    if (key === OPEN) return { kind: "open" };
    if (key === PREPARER) return { kind: "preparer" };
    if (key?.startsWith(QUOTE_PREFIX)) return { kind: "quote", quoteId: key.slice(QUOTE_PREFIX.length) };
    if (key?.startsWith(ACT_PREFIX)) {
      const [quoteId, actId] = key.slice(ACT_PREFIX.length).split("/");
      return { kind: "act", quoteId, actId };
    }
    return { kind: "other" };
  }

  function flush() {
    if (storage === null) return false;
    for (const [key, value] of pending) {
      try {
        if (value === null) storage.removeItem(key);
        else storage.setItem(key, value);
      } catch (error) {
        problem = error?.name === "QuotaExceededError" || error?.code === 22 ? "full" : "off";
        return false;
      }
      pending.delete(key);
    }
    problem = null;
    return true;
  }

  function put(key, value) {
    pending.delete(key);
    pending.set(key, value);
    return flush();
  }

  function get(key) {
    if (pending.has(key)) return pending.get(key);
    try {
      return storage?.getItem(key) ?? null;
    } catch (error) {
      return null;
    }
  }

  function parsed(text) {
    try {
      return JSON.parse(text);
    } catch (error) {
      return null;
    }
  }

  function allKeys() {
    try {
      return storage === null ? [] : Object.keys(storage);
    } catch (error) {
      return [];
    }
  }

  // The single quote of an earlier version becomes a kept quote, each act a
  // record as it was (one this version cannot read is still kept and
  // listed). Its key goes only once everything is written.
  function moveLegacy() {
    const text = get(LEGACY);
    if (text === null) return;
    const old = parsed(text);
    const quoteId = newId();
    const header = { client: typeof old?.client === "string" ? old.client : "",
                     date: typeof old?.date === "string" ? old.date : "", created: new Date().toISOString() };
    const acts = Array.isArray(old?.acts) ? old.acts : [text];
    let written = put(quoteKey(quoteId), JSON.stringify(header));
    for (const act of acts) written = put(actKey(quoteId, newId()), JSON.stringify(act)) && written;
    if (written) put(LEGACY, null);
    // It was the work in progress: it is what the page shows.
    put(OPEN, quoteId);
  }

  // Every kept quote: id to { client, date, created, count }.
  function kept() {
    moveLegacy();
    const quotes = new Map();
    const counts = new Map();
    for (const key of allKeys()) {
      const what = parseKey(key);
      if (what.kind === "quote") {
        const header = parsed(get(key));
        quotes.set(what.quoteId, { client: String(header?.client ?? ""), date: String(header?.date ?? ""),
                                   created: String(header?.created ?? ""), count: 0 });
      }
      if (what.kind === "act") counts.set(what.quoteId, (counts.get(what.quoteId) ?? 0) + 1);
    }
    for (const [quoteId, quote] of quotes) quote.count = counts.get(quoteId) ?? 0;
    return quotes;
  }

  // The act records of a quote, in the order they were added: [{ actId,
  // text }].
  function records(quoteId) {
    const prefix = ACT_PREFIX + quoteId + "/";
    const found = [];
    for (const key of allKeys()) {
      if (key.startsWith(prefix)) found.push({ actId: key.slice(prefix.length), text: get(key) });
    }
    return found.sort((a, b) => (a.actId < b.actId ? -1 : a.actId > b.actId ? 1 : 0));
  }

  return {
    newId,
    parseKey,
    kept,
    records,
    parsed,
    // "full", "off" (no storage, or it refused) or null once every write is made.
    problem: () => problem,
    flush,
    open: () => get(OPEN),
    setOpen: (quoteId) => put(OPEN, quoteId),
    preparer: () => parsed(get(PREPARER)) ?? { name: "", office: "" },
    setPreparer: (preparer) => put(PREPARER, JSON.stringify(preparer)),
    header: (quoteId) => parsed(get(quoteKey(quoteId))),
    setHeader: (quoteId, header) => put(quoteKey(quoteId), JSON.stringify(header)),
    removeHeader: (quoteId) => put(quoteKey(quoteId), null),
    act: (quoteId, actId) => get(actKey(quoteId, actId)),
    setAct: (quoteId, actId, text) => put(actKey(quoteId, actId), text),
    removeAct: (quoteId, actId) => put(actKey(quoteId, actId), null),
    // Calls listener(key) for each change another tab makes.
    listen(listener) {
      window.addEventListener("storage", (event) => {
        if (event.storageArea === storage) listener(event.key);
      });
    },
  };
})();

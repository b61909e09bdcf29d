"use strict";
// Where quotes are kept: the browser's storage for this page (for a page
// opened from disk, the storage that every page opened from the same disk
// shares). Each act is a record of its own, so that adding or removing one
// writes one record whatever the size of the quote, a record that a later
// version cannot read costs only that act, and another tab of the page
// learns of each change from the storage event.
//
//   tarivox.open                  the id of the quote the page shows
//   tarivox.preparer              { name, office, valid_days } of who
//                                 prepares quotes, and how many days they
//                                 hold (the module's default when absent)
//   tarivox.tariffs               [the JSON text of each tariff edition
//                                 opened on the page]
//   tarivox.quote/QUOTE           { client, number, date, created } of a
//                                 kept quote
//   tarivox.act/QUOTE/ACT         one act: { office, service, transaction,
//                                 social, typed, label }
//   tarivox.quote                 the one quote an earlier version kept,
//                                 moved into the layout above when found
//
// Ids grow with time, so acts sort in the order they were added.
//
// A write the browser refuses (storage full or disabled) is kept in this
// tab and read back in place of what is stored, so that every view of the
// page (another quote and back, the list of kept quotes) shows it, marked
// as not saved. It holds back no other write: each is made on its own, a
// removal at once (it is what frees room), and whenever one succeeds those
// still waiting are tried again, in any order that succeeds. They are also
// kept for this tab in its session storage, which has room of its own, so
// that reloading the page does not lose them.

const QuoteStore = (() => {
  const OPEN = "tarivox.open";
  const PREPARER = "tarivox.preparer";
  const TARIFFS = "tarivox.tariffs";
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
  const PENDING = "tarivox.pending";
  let session = null;
  try {
    session = window.sessionStorage;
  } catch (error) {
    session = null;
  }
  // Writes not yet made: key to text, or to null for a removal.
  const pending = new Map(restorePending());
  let problem = storage === null ? "off" : null;

  function restorePending() {
    try {
      const entries = JSON.parse(session?.getItem(PENDING) ?? "[]");
      return Array.isArray(entries)
        ? entries.filter((entry) => Array.isArray(entry) && typeof entry[0] === "string") : [];
    } catch (error) {
      return [];
    }
  }

  // Once per task at most, however many writes wait.
  let journalDue = false;
  function journal() {
    if (journalDue) return;
    journalDue = true;
    queueMicrotask(() => {
      journalDue = false;
      try {
        if (pending.size === 0) session?.removeItem(PENDING);
        else session?.setItem(PENDING, JSON.stringify([...pending]));
      } catch (error) {
        // No room there either: what is shown stays marked as not saved.
      }
    });
  }

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
  // actId }, { kind: "open" }, { kind: "preparer" }, { kind: "tariffs" } or
  // { kind: "other" }.
  function parseKey(key) {
    if (key === OPEN) return { kind: "open" };
    if (key === PREPARER) return { kind: "preparer" };
    if (key === TARIFFS) return { kind: "tariffs" };
    if (key?.startsWith(QUOTE_PREFIX)) return { kind: "quote", quoteId: key.slice(QUOTE_PREFIX.length) };
    if (key?.startsWith(ACT_PREFIX)) {
      const [quoteId, actId] = key.slice(ACT_PREFIX.length).split("/");
      return { kind: "act", quoteId, actId };
    }
    return { kind: "other" };
  }

  const failure = (error) => (error?.name === "QuotaExceededError" || error?.code === 22 ? "full" : "off");

  // One write; whether it was made.
  function write(key, value) {
    try {
      if (value === null) storage.removeItem(key);
      else storage.setItem(key, value);
    } catch (error) {
      problem = failure(error);
      return false;
    }
    pending.delete(key);
    return true;
  }

  // Every write still waiting, tried again while any succeeds.
  function retry() {
    for (let progress = true; progress && pending.size > 0;) {
      progress = false;
      for (const [key, value] of [...pending]) progress = write(key, value) || progress;
    }
  }

  function settle() {
    if (pending.size === 0) problem = null;
    journal();
    return pending.size === 0;
  }

  function flush() {
    if (storage === null) return false;
    retry();
    return settle();
  }

  function put(key, value) {
    pending.delete(key);
    pending.set(key, value);
    if (storage !== null && write(key, value)) retry();
    return settle();
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

  // The keys kept, as this tab sees them: with the writes still waiting.
  function allKeys() {
    let keys = [];
    try {
      keys = storage === null ? [] : Object.keys(storage);
    } catch (error) {
      keys = [];
    }
    if (pending.size === 0) return keys;
    const seen = new Set(keys);
    for (const [key, value] of pending) {
      if (value === null) seen.delete(key);
      else seen.add(key);
    }
    return [...seen];
  }

  // The quote a new tab opens: the last one opened. Only a hint, so a
  // refused write of it is not a loss to report.
  function setOpen(quoteId) {
    try {
      storage?.setItem(OPEN, quoteId);
    } catch (error) {
      // A new tab opens another quote; nothing is lost.
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
    setOpen(quoteId);
  }

  // One pass over what is kept: every kept quote, id to { client, date,
  // created, count }, and the act records of one of them, in the order
  // they were added: [{ actId, text }].
  function scan(quoteId = null) {
    moveLegacy();
    const quotes = new Map();
    const counts = new Map();
    const found = [];
    for (const key of allKeys()) {
      if (key.startsWith(ACT_PREFIX)) {
        const slash = key.indexOf("/", ACT_PREFIX.length);
        const owner = key.slice(ACT_PREFIX.length, slash);
        counts.set(owner, (counts.get(owner) ?? 0) + 1);
        if (owner === quoteId) found.push({ actId: key.slice(slash + 1), text: get(key) });
      } else if (key.startsWith(QUOTE_PREFIX)) {
        const header = parsed(get(key));
        quotes.set(key.slice(QUOTE_PREFIX.length), { client: String(header?.client ?? ""),
          date: String(header?.date ?? ""), created: String(header?.created ?? ""), count: 0 });
      }
    }
    for (const [id, quote] of quotes) quote.count = counts.get(id) ?? 0;
    found.sort((a, b) => (a.actId < b.actId ? -1 : a.actId > b.actId ? 1 : 0));
    return { kept: quotes, records: found };
  }

  const kept = () => scan().kept;
  const records = (quoteId) => scan(quoteId).records;

  return {
    newId,
    parseKey,
    scan,
    kept,
    records,
    parsed,
    // "full", "off" (no storage, or it refused) or null once every write is made.
    problem: () => problem,
    flush,
    // The acts of a quote whose records still wait to be saved: a Set of ids.
    unsavedActs(quoteId) {
      const prefix = ACT_PREFIX + quoteId + "/";
      const found = new Set();
      for (const [key, value] of pending) if (value !== null && key.startsWith(prefix)) found.add(key.slice(prefix.length));
      return found;
    },
    // The quotes with a header or an act still waiting to be saved.
    unsavedQuotes() {
      const found = new Set();
      for (const [key, value] of pending) {
        const what = parseKey(key);
        if (value !== null && (what.kind === "quote" || what.kind === "act")) found.add(what.quoteId);
      }
      return found;
    },
    // The single quote of an earlier version, once moved, is the one.
    open() {
      moveLegacy();
      return get(OPEN);
    },
    setOpen,
    preparer: () => parsed(get(PREPARER)) ?? { name: "", office: "" },
    setPreparer: (preparer) => put(PREPARER, JSON.stringify(preparer)),
    tariffs() {
      const texts = parsed(get(TARIFFS));
      return Array.isArray(texts) ? texts.filter((text) => typeof text === "string") : [];
    },
    setTariffs: (texts) => put(TARIFFS, JSON.stringify(texts)),
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

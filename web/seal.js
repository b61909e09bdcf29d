"use strict";
// The open quote's verification code, and the heading and closing of its
// printout, kept in step with the quote. The module cannot take a digest:
// it gives the quote's canonical content and each of its lines, the
// browser's own SHA-256 (crypto.subtle, which a page opened from disk has)
// digests them, and the module makes the code from the digests.
//
// Any change to the quote or its heading takes the code away at once, so
// that nothing shows or prints a code that is not the quote's; a new one is
// made once the changes pause, so that typing a reference is never held up
// by the digests of a long quote. Printing and exporting wait for the code
// of the quote as it stands (fresh()).

const Seal = (() => {
  const QUIET_MS = 300;
  const encoder = new TextEncoder();
  // The heading the page keeps for the quote: { client, number, preparer,
  // firm, valid_days }.
  let heading = () => ({});
  // Told of each new seal ({ code, heading, closing }), and of each change
  // that took the last one away (null).
  let show = () => {};
  // Changes to the quote or its heading so far, and the seal of the quote
  // as it was after the last of them, or null.
  let changes = 0;
  let sealed = null;
  let timer = null;
  let running = null;

  const hex = (buffer) => Array.from(new Uint8Array(buffer), (byte) => byte.toString(16).padStart(2, "0")).join("");

  async function digest(text) {
    return hex(await crypto.subtle.digest("SHA-256", encoder.encode(text)));
  }

  // The module's content and lines for the quote as it is now, digested
  // all at once; the code only if nothing changed meanwhile, since the
  // module seals the quote it holds when the digests come back.
  async function sealOnce() {
    const at = changes;
    const start = performance.now();
    const { content, lines } = Core.call({ action: "seal_content", ...heading() });
    const [whole, ...each] = await Promise.all([content, ...lines].map(digest));
    if (at !== changes) return;
    const answer = Core.call({ action: "seal", content: whole, lines: each });
    sealed = { at, code: answer.code, heading: answer.heading, closing: answer.closing };
    performance.measure("tarivox-seal", { start });
    show(sealed);
  }

  // The seal of the quote as it stands, made now if it is not there yet.
  async function fresh() {
    clearTimeout(timer);
    timer = null;
    while (sealed === null || sealed.at !== changes) {
      running ??= sealOnce().finally(() => { running = null; });
      await running;
    }
    return sealed;
  }

  // The quote or its heading changed.
  function stale() {
    changes++;
    if (sealed !== null) {
      sealed = null;
      show(null);
    }
    clearTimeout(timer);
    // A seal that fails here is tried again by whatever needs it, and says why then.
    timer = setTimeout(() => fresh().catch(() => {}), QUIET_MS);
  }

  function start(headingOf, shower) {
    heading = headingOf;
    show = shower;
    Core.onQuoteChange(stale);
    show(null);
    stale();
  }

  return { start, stale, fresh, digest };
})();

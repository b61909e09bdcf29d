"use strict";
// The calculator's core and the report library, compiled to WebAssembly and
// carried inside the page.
//
// window.Tarivox is the script interface (a browser's console, automation):
//   Tarivox.ready                 resolves when the module is loaded
//   Tarivox.compute(office, service, transaction, social, typed)
//                                 { amount, fee, message }: the window's three
//                                 texts after "Calcular pago"
//   Tarivox.quote(text)           the object `tarivox-cli quote --format json`
//                                 writes for that quote file text
// A refused input throws an Error that says why; list positions outside the
// catalogue throw a RangeError.
//
// Core is what the page itself asks of the module: one call for each thing
// a person does, the request and the answer in JSON, the answer written by
// the report library (its records in the shapes a user exports). Every
// rule, figure and word comes from there; the page keeps none of them.

const Core = (() => {
  const MODULE_BASE64 = "@MODULE_BASE64@";
  const STATUS_REFUSED = 1;
  const STATUS_NOT_UNDERSTOOD = 2;

  const utf8Encoder = new TextEncoder();
  // Keeps a byte-order mark: the csv-excel export starts with one.
  const utf8Decoder = new TextDecoder("utf-8", { ignoreBOM: true });

  let compiledModule = null;
  let core = null;
  // The tariff editions the page keeps (their JSON texts), given to the
  // module whenever it starts; and what it answered about them.
  let keptTariffs = [];
  let started = null;
  // Told of every request that changes the open quote, before it is made;
  // and, once the call that trapped has said so, that a fresh module took
  // over without the open quote.
  let onQuoteChange = () => {};
  let onRestart = () => {};
  const CHANGES_QUOTE = new Set(["open_quote", "add_act", "remove_act"]);
  // key -> { text, arity }: the report library's message table.
  let messages = null;
  let catalogue = null;
  // Where inputs are written: a view of the module's input buffer, kept
  // between calls and made again only when an input needs more room or the
  // module's memory has grown (which detaches every view of it).
  let input = { view: null, capacity: 0 };
  // A view of the whole memory, for reading outputs without copying them.
  let memoryBytes = null;

  // The module imports nothing: it computes and writes into its own memory.
  // A fresh one after a trap is started again with the page's date and the
  // editions it keeps, so that it prices as the one before did; its open
  // quote is gone, and the page is told so, to open it again.
  function instantiateCore() {
    core = new WebAssembly.Instance(compiledModule, {}).exports;
    core._initialize();
    input = { view: null, capacity: 0 };
    memoryBytes = null;
    if (started !== null) {
      onQuoteChange();
      started = call({ action: "start", today: localDate(), tariffs: keptTariffs });
      setTimeout(() => onRestart(), 0);
    }
  }

  // The text into the input buffer; its length in bytes. A UTF-16 code unit
  // takes at most three bytes of UTF-8.
  function writeInput(text) {
    const needed = text.length * 3;
    if (input.view === null || needed > input.capacity || input.view.buffer !== core.memory.buffer) {
      const capacity = Math.max(needed, input.capacity, 4096);
      const at = core.tarivox_input(capacity);
      input = { view: new Uint8Array(core.memory.buffer, at, capacity), capacity };
    }
    // Amounts are short and ASCII: copied as they are, which is quicker than
    // the encoder's call for a few bytes.
    if (text.length <= 64) {
      const view = input.view;
      let i = 0;
      for (; i < text.length; i++) {
        const code = text.charCodeAt(i);
        if (code >= 0x80) break;
        view[i] = code;
      }
      if (i === text.length) return i;
    }
    return utf8Encoder.encodeInto(text, input.view).written;
  }

  // The output of the last call, as a view that the next call overwrites.
  function outputBytes() {
    if (memoryBytes === null || memoryBytes.buffer !== core.memory.buffer) memoryBytes = new Uint8Array(core.memory.buffer);
    const at = core.tarivox_output();
    return memoryBytes.subarray(at, at + core.tarivox_output_length());
  }

  // The message with each {N} replaced by the N-th argument, as the report
  // library fills its own; a call with the wrong number of arguments is a
  // fault of the page, said at once.
  function text(key, ...args) {
    const message = messages.get(key);
    if (message === undefined) throw new Error("Tarivox: no message " + key);
    if (args.length !== message.arity) throw new Error(`Tarivox: ${key} takes ${message.arity} arguments`);
    return message.text.replace(/\{([1-9])\}/g, (mark, n) => String(args[n - 1]));
  }

  // One exported function; its status. A trap leaves the module's buffers
  // half written, so a fresh module takes over (and the open quote with it:
  // the page opens it again).
  function invoke(name, ...numbers) {
    if (core === null) throw new Error("Tarivox aún se está cargando: espere a Tarivox.ready.");
    try {
      return core[name](...numbers);
    } catch (error) {
      instantiateCore();
      throw new Error(messages === null ? String(error) : text("page.trap"));
    }
  }

  // A refusal says why; a request outside the catalogue is a RangeError.
  function check(status) {
    if (status === STATUS_REFUSED || status === STATUS_NOT_UNDERSTOOD) {
      const reason = JSON.parse(utf8Decoder.decode(outputBytes())).refused.trim();
      throw status === STATUS_REFUSED ? new Error(reason) : new RangeError(reason);
    }
  }

  // One request; the answer's bytes, valid until the next call.
  function request(body) {
    if (CHANGES_QUOTE.has(body.action)) onQuoteChange();
    const status = invoke("tarivox_call", writeInput(JSON.stringify(body)));
    check(status);
    return outputBytes();
  }

  // One request; its answer, parsed.
  function call(body) {
    return JSON.parse(utf8Decoder.decode(request(body)));
  }

  function decode(base64) {
    if (Uint8Array.fromBase64) return Uint8Array.fromBase64(base64);
    const text = atob(base64);
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
    return bytes;
  }

  // The module compiles while the page goes on (reading its storage, and
  // with it the editions the module starts with: keepTariffs() is called
  // while this waits for the compilation).
  async function load() {
    // Said before the table of words exists, so it cannot come from it.
    if (typeof WebAssembly !== "object") throw new Error("WebAssembly no está disponible en este navegador.");
    compiledModule = await WebAssembly.compile(decode(MODULE_BASE64));
    instantiateCore();
    started = call({ action: "start", today: localDate(), tariffs: keptTariffs });
    messages = new Map(started.messages.map(([key, pattern, arity]) => [key, { text: pattern, arity }]));
    catalogue = started.catalogue;
  }

  // An edition the page opened: the editions known with it, or an Error
  // whose message is every reason it is refused, one a line.
  function addTariff(tariff) {
    const answer = call({ action: "add_tariff", tariff });
    keptTariffs = [...keptTariffs, tariff];
    started.tariffs = answer.tariffs;
    return answer.tariffs;
  }

  // Today as the user's clock has it, not the UTC date (after 18:00 in San
  // Salvador the UTC date is already tomorrow).
  function localDate(now = new Date()) {
    const two = (number) => String(number).padStart(2, "0");
    return `${now.getFullYear()}-${two(now.getMonth() + 1)}-${two(now.getDate())}`;
  }

  function checkPosition(value, what) {
    if (!Number.isInteger(value)) throw new TypeError(text("page.not_a_position", what));
    return value;
  }

  return {
    load,
    text,
    call,
    localDate,
    // { offices: [name], services: [{ name, amount, fee, calculate, office,
    //   shown_fee }], lists[service][office]: { project, transactions:
    //   [{ name, value, unit }] } }: every list as the window loads it, what
    //   each service enables, where the project kind may be chosen, what
    //   each transaction takes ("amount", "quantity" or "none") and the name
    //   of its quantity's field.
    catalogue: () => catalogue,
    // The editions to start with, before Tarivox.ready.
    keepTariffs: (texts) => { keptTariffs = [...texts]; },
    keptTariffs: () => keptTariffs,
    addTariff,
    // [{ name, in_force_from }]: the editions known, by the day they take
    // effect; and why any of those kept could not be used.
    tariffs: () => started.tariffs,
    refusedTariffs: () => started.refused_tariffs,
    onQuoteChange: (listener) => { onQuoteChange = listener; },
    onRestart: (listener) => { onRestart = listener; },

    // An export's bytes, or a quote file's document: a copy the page keeps.
    bytes: (body) => request(body).slice(),

    // The hot path of scripts that compute many amounts: no request to
    // build, one small answer to read.
    compute(office, service, transaction, social, typed) {
      checkPosition(office, "office");
      checkPosition(service, "service");
      checkPosition(transaction, "transaction");
      const length = writeInput(String(typed));
      check(invoke("tarivox_compute", office, service, transaction, social ? 1 : 0, length));
      // Three ASCII lines: amount, fee, sentence.
      const bytes = outputBytes();
      const answer = String.fromCharCode.apply(null, bytes);
      const first = answer.indexOf("\n");
      const second = answer.indexOf("\n", first + 1);
      return { amount: answer.slice(0, first), fee: answer.slice(first + 1, second), message: answer.slice(second + 1) };
    },
  };
})();

const Tarivox = {
  ready: Core.load(),

  compute(office, service, transaction, social, typed) {
    return Core.compute(office, service, transaction, social, typed);
  },

  quote(text) {
    return JSON.parse(new TextDecoder().decode(Core.bytes({ action: "quote_text", text: String(text), format: "json" })));
  },
};
window.Tarivox = Tarivox;

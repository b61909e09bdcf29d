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
// Core is what the page itself asks of the module: its words, its rules and
// every figure. The page keeps none of them.

const Core = (() => {
  const MODULE_BASE64 = "@MODULE_BASE64@";
  const REPORT_FORMATS = ["text", "csv", "csv-excel", "json"];
  const STATUS_REFUSED = 1;
  const STATUS_OUT_OF_RANGE = 2;

  const utf8Encoder = new TextEncoder();
  // Keeps a byte-order mark: the csv-excel export starts with one.
  const utf8Decoder = new TextDecoder("utf-8", { ignoreBOM: true });

  let compiledModule = null;
  let core = null;
  let messages = null;
  // Where inputs are written: a view of the module's input buffer, kept
  // between calls and made again only when an input needs more room or the
  // module's memory has grown (which detaches every view of it).
  let input = { view: null, capacity: 0 };
  // A view of the whole memory, for reading outputs without copying them.
  let memoryBytes = null;

  // The module imports nothing: it computes and writes into its own memory.
  function instantiateCore() {
    core = new WebAssembly.Instance(compiledModule, {}).exports;
    core._initialize();
    input = { view: null, capacity: 0 };
    memoryBytes = null;
  }

  // Writes the texts one after the other into the input buffer; the length
  // in bytes of the first, and of the second in secondLength. A UTF-16 code
  // unit takes at most three bytes of UTF-8.
  let secondLength = 0;
  function writeInput(first, second = "") {
    const needed = (first.length + second.length) * 3;
    if (input.view === null || needed > input.capacity || input.view.buffer !== core.memory.buffer) {
      const capacity = Math.max(needed, input.capacity, 4096);
      const at = core.tarivox_input(capacity);
      input = { view: new Uint8Array(core.memory.buffer, at, capacity), capacity };
    }
    const firstLength = utf8Encoder.encodeInto(first, input.view).written;
    secondLength = second === "" ? 0 : utf8Encoder.encodeInto(second, input.view.subarray(firstLength)).written;
    return firstLength;
  }

  // The output of the last call, as a view that the next call overwrites.
  function outputBytes() {
    if (memoryBytes === null || memoryBytes.buffer !== core.memory.buffer) memoryBytes = new Uint8Array(core.memory.buffer);
    const at = core.tarivox_output();
    return memoryBytes.subarray(at, at + core.tarivox_output_length());
  }

  function outputText() {
    return utf8Decoder.decode(outputBytes());
  }

  // The message with each {N} replaced by the N-th argument, as the report
  // library fills its own.
  function text(key, ...args) {
    const pattern = messages.get(key);
    if (pattern === undefined) throw new Error("Tarivox: no message " + key);
    return pattern.replace(/\{([1-9])\}/g, (mark, n) => (n <= args.length ? String(args[n - 1]) : mark));
  }

  async function load() {
    // Said before the table of words exists, so it cannot come from it.
    if (typeof WebAssembly !== "object") throw new Error("WebAssembly no está disponible en este navegador.");
    const bytes = Uint8Array.from(atob(MODULE_BASE64), (character) => character.charCodeAt(0));
    compiledModule = await WebAssembly.compile(bytes);
    instantiateCore();
    core.tarivox_messages();
    const fields = outputText().split("\0");
    messages = new Map();
    for (let i = 0; i + 1 < fields.length; i += 2) messages.set(fields[i], fields[i + 1]);
  }

  function checkStatus(status) {
    if (status === STATUS_OUT_OF_RANGE) throw new RangeError(text("page.out_of_range"));
    if (status === STATUS_REFUSED) throw new Error(outputText().trim());
    return status;
  }

  // A trap leaves the module's buffers half written, so a fresh module
  // takes over.
  function restart() {
    instantiateCore();
    return new Error(text("page.trap"));
  }

  // Calls one exported function; its status.
  function call(name, numbers) {
    if (core === null) throw new Error("Tarivox aún se está cargando: espere a Tarivox.ready.");
    let status;
    try {
      status = core[name](...numbers);
    } catch (error) {
      throw restart();
    }
    return checkStatus(status);
  }

  function callText(name, numbers) {
    call(name, numbers);
    return outputText();
  }

  function checkPosition(value, what) {
    if (!Number.isInteger(value)) throw new TypeError(text("page.not_a_position", what));
    return value;
  }

  function selectionNumbers(office, service, transaction, social) {
    return [checkPosition(office, "office"), checkPosition(service, "service"),
            checkPosition(transaction, "transaction"), social ? 1 : 0];
  }

  function formatNumber(format) {
    const number = REPORT_FORMATS.indexOf(format);
    if (number < 0) throw new RangeError(text("page.unknown_format", REPORT_FORMATS.join(", ")));
    return number;
  }

  function actNumbers(act) {
    const hasValue = act.typed !== null && act.typed !== undefined;
    const valueLength = writeInput(hasValue ? String(act.typed) : "", String(act.label ?? ""));
    const labelLength = secondLength;
    return { numbers: selectionNumbers(act.office, act.service, act.transaction, act.social), hasValue, valueLength,
             labelLength };
  }

  const flag = (field) => field === "1";

  return {
    REPORT_FORMATS,
    load,
    text,

    // { offices: [name], services: [{ name, amount, fee, calculate, office }],
    //   lists[service][office]: { project, transactions: [{ name, value,
    //   unit, shown }] } }: every list as the window loads it, what each
    //   service enables, where the project kind may be chosen, and for each
    //   transaction what it takes ("amount", "quantity" or "none"), the name
    //   of its quantity's field and the fee the display shows for it.
    catalogue() {
      const catalogue = { offices: [], services: [], lists: [] };
      let list = null;
      for (const line of callText("tarivox_catalogue", []).split("\n")) {
        const fields = line.split("\t");
        if (fields[0] === "O") catalogue.offices.push(fields[1]);
        if (fields[0] === "S") {
          catalogue.services.push({ name: fields[1], amount: flag(fields[2]), fee: flag(fields[3]),
                                    calculate: flag(fields[4]), office: flag(fields[5]) });
        }
        if (fields[0] === "L") {
          list = { project: flag(fields[3]), transactions: [] };
          (catalogue.lists[Number(fields[1])] ??= [])[Number(fields[2])] = list;
        }
        if (fields[0] === "T") list.transactions.push({ value: fields[1], unit: fields[2], shown: fields[3], name: fields[4] });
      }
      return catalogue;
    },

    // The hot path of scripts that compute many amounts: no array, no copy
    // of the input, one decoding of the output.
    compute(office, service, transaction, social, typed) {
      if (core === null) throw new Error("Tarivox aún se está cargando: espere a Tarivox.ready.");
      checkPosition(office, "office");
      checkPosition(service, "service");
      checkPosition(transaction, "transaction");
      const length = writeInput(String(typed));
      let status;
      try {
        status = core.tarivox_compute(office, service, transaction, social ? 1 : 0, length);
      } catch (error) {
        throw restart();
      }
      checkStatus(status);
      const texts = outputText().split("\0");
      return { amount: texts[0], fee: texts[1], message: texts[2] };
    },

    // What was read and how to write the amount, or "" when the amount was
    // read as it is written.
    amountNotice(selection, typed) {
      const length = writeInput(String(typed));
      try {
        callText("tarivox_amount_notice", [...selectionNumbers(selection.office, selection.service,
                                                                 selection.transaction, selection.social), length]);
        return "";
      } catch (error) {
        if (error instanceof RangeError) throw error;
        return error.message;
      }
    },

    describe(selection) {
      return callText("tarivox_describe", selectionNumbers(selection.office, selection.service, selection.transaction,
                                                           selection.social));
    },

    explain(selection, typed) {
      const length = writeInput(String(typed));
      return callText("tarivox_explain", [...selectionNumbers(selection.office, selection.service,
                                                              selection.transaction, selection.social), length]);
    },

    // One act { office, service, transaction, social, typed (null when it
    // takes nothing), label }, priced: strict for what was just typed. Throws
    // an Error with the reason when the act is refused.
    act(act, strict) {
      const { numbers, hasValue, valueLength, labelLength } = actNumbers(act);
      const f = callText("tarivox_act", [...numbers, hasValue ? 1 : 0, strict ? 1 : 0, valueLength, labelLength])
        .split("\0");
      return { name: f[0], engine: f[1] === "engine", amount: f[2], quantity: f[3], fee: f[4], feeCents: BigInt(f[5]),
               rule: f[6], caveat: f[7], noteId: Number(f[8]), typed: hasValue ? f[9] : null, label: f[10] };
    },

    // Many kept acts at once, priced as act prices what is not strict: for
    // each, the priced act or { reason }. One call for a whole quote.
    acts(list) {
      // NUL ends each field; a NUL in a text is a control character that the
      // module would make a blank anyway.
      const clean = (text) => String(text).replace(/\0/g, " ");
      const fields = [];
      for (const act of list) {
        const hasValue = act.typed !== null && act.typed !== undefined;
        fields.push(act.office, act.service, act.transaction, act.social ? 1 : 0, hasValue ? 1 : 0,
                    clean(hasValue ? act.typed : ""), clean(act.label ?? ""));
      }
      const length = writeInput(fields.join("\0") + "\0");
      const f = callText("tarivox_acts", [list.length, length]).split("\0");
      const results = [];
      for (let i = 0; results.length < list.length;) {
        if (f[i++] !== "1") {
          results.push({ reason: f[i++] });
          continue;
        }
        results.push({ name: f[i], engine: f[i + 1] === "engine", amount: f[i + 2], quantity: f[i + 3], fee: f[i + 4],
                       feeCents: BigInt(f[i + 5]), rule: f[i + 6], caveat: f[i + 7], noteId: Number(f[i + 8]),
                       typed: list[results.length].typed ?? null, label: f[i + 10] });
        i += 11;
      }
      return results;
    },

    // { heading, text } of a tariff text's note.
    note(noteId) {
      const [heading, body] = callText("tarivox_note", [noteId]).split("\0");
      return { heading, text: body };
    },

    // { count, total, words }: what a quote says after its last act.
    total(cents, count, byEngine) {
      const [countText, total, words] = callText("tarivox_total", [cents, BigInt(count), BigInt(byEngine)]).split("\0");
      return { count: countText, total, words };
    },

    // The bytes `tarivox-cli quote --client C --date D --act ... --format F`
    // writes for these acts.
    exportQuote(client, date, acts, format) {
      const formatIndex = formatNumber(format);
      const clientLength = writeInput(String(client), String(date));
      call("tarivox_export_begin", [clientLength, secondLength]);
      for (const act of acts) {
        const { numbers, hasValue, valueLength, labelLength } = actNumbers(act);
        call("tarivox_export_act", [...numbers, hasValue ? 1 : 0, valueLength, labelLength]);
      }
      call("tarivox_export_write", [formatIndex]);
      return outputBytes().slice();
    },

    compare(selection, typed, format) {
      const length = writeInput(String(typed ?? ""));
      return callText("tarivox_compare", [...selectionNumbers(selection.office, selection.service,
                                                              selection.transaction, selection.social),
                                          formatNumber(format), length]);
    },

    quote(quoteText, format) {
      const length = writeInput(String(quoteText));
      call("tarivox_quote", [formatNumber(format), length]);
      return outputBytes().slice();
    },
  };
})();

const Tarivox = {
  ready: Core.load(),

  compute(office, service, transaction, social, typed) {
    return Core.compute(office, service, transaction, social, typed);
  },

  quote(text) {
    return JSON.parse(new TextDecoder().decode(Core.quote(text, "json")));
  },
};
window.Tarivox = Tarivox;

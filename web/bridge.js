"use strict";
// The calculator's core, compiled to WebAssembly and carried inside the
// page, and the page's script interface, window.Tarivox:
//   Tarivox.ready                 resolves when the module is loaded
//   Tarivox.compute(office, service, transaction, social, typed)
//                                 { amount, fee, message }: the window's three
//                                 texts after "Calcular pago"
//   Tarivox.quote(text)           the object `tarivox-cli quote --format json`
//                                 writes for that quote file text
// A refused input throws an Error that says why; list positions outside the
// catalogue throw a RangeError.

const MODULE_BASE64 = "@MODULE_BASE64@";
const REPORT_FORMATS = ["text", "csv", "csv-excel", "json"];
const STATUS_REFUSED = 1;
const STATUS_OUT_OF_RANGE = 2;

const utf8Encoder = new TextEncoder();
// Keeps a byte-order mark: the csv-excel export starts with one.
const utf8Decoder = new TextDecoder("utf-8", { ignoreBOM: true });

let compiledModule = null;
let core = null;
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

// Writes text into the input buffer and returns its length in bytes. A
// UTF-16 code unit takes at most three bytes of UTF-8.
function writeInput(text) {
  const needed = text.length * 3;
  if (input.view === null || needed > input.capacity || input.view.buffer !== core.memory.buffer) {
    const capacity = Math.max(needed, input.capacity, 4096);
    const at = core.tarivox_input(capacity);
    input = { view: new Uint8Array(core.memory.buffer, at, capacity), capacity };
  }
  return utf8Encoder.encodeInto(text, input.view).written;
}

// The output of the last call, as a view that the next call overwrites.
function outputBytes() {
  if (memoryBytes === null || memoryBytes.buffer !== core.memory.buffer) memoryBytes = new Uint8Array(core.memory.buffer);
  const at = core.tarivox_output();
  return memoryBytes.subarray(at, at + core.tarivox_output_length());
}

async function loadCore() {
  const bytes = Uint8Array.from(atob(MODULE_BASE64), (character) => character.charCodeAt(0));
  compiledModule = await WebAssembly.compile(bytes);
  instantiateCore();
}

// Calls one exported function with text as its input; the output's bytes.
function callCore(name, text, numbers) {
  if (core === null) throw new Error("Tarivox is still loading: wait for Tarivox.ready");
  let status;
  try {
    status = core[name](...numbers, writeInput(text));
  } catch (error) {
    // A trap leaves the module's buffers half written: start a fresh one.
    instantiateCore();
    throw new Error("Tarivox could not complete the computation: " + error.message);
  }
  const output = outputBytes();
  if (status === STATUS_OUT_OF_RANGE) throw new RangeError("a list position or format outside the catalogue");
  if (status === STATUS_REFUSED) throw new Error(utf8Decoder.decode(output).trim());
  return output;
}

function callCoreText(name, text, numbers) {
  return utf8Decoder.decode(callCore(name, text, numbers));
}

function checkPosition(value, what) {
  if (!Number.isInteger(value)) throw new TypeError(what + " must be a list position (an integer)");
  return value;
}

function selectionNumbers(office, service, transaction, social) {
  return [checkPosition(office, "office"), checkPosition(service, "service"),
          checkPosition(transaction, "transaction"), social ? 1 : 0];
}

function formatNumber(format) {
  const number = REPORT_FORMATS.indexOf(format);
  if (number < 0) throw new RangeError("format must be one of " + REPORT_FORMATS.join(", "));
  return number;
}

const Tarivox = {
  ready: loadCore(),

  compute(office, service, transaction, social, typed) {
    const texts = callCoreText("tarivox_compute", String(typed),
                               selectionNumbers(office, service, transaction, social)).split("\0");
    return { amount: texts[0], fee: texts[1], message: texts[2] };
  },

  quote(text) {
    return JSON.parse(callCoreText("tarivox_quote", String(text), [formatNumber("json")]));
  },

  // The rest serves the page itself.

  // { offices: [names], services: [names], transactions[service][office]:
  // [{ name, computed }] } with every list as the window loads it.
  catalogue() {
    const catalogue = { offices: [], services: [], transactions: [] };
    for (const line of callCoreText("tarivox_catalogue", "", []).split("\n")) {
      const fields = line.split("\t");
      if (fields[0] === "O") catalogue.offices.push(fields[1]);
      if (fields[0] === "S") catalogue.services.push(fields[1]);
      if (fields[0] !== "T") continue;
      const [service, office] = [Number(fields[1]), Number(fields[2])];
      catalogue.transactions[service] ??= [];
      catalogue.transactions[service][office] ??= [];
      catalogue.transactions[service][office].push({ name: fields[4], computed: fields[3] === "1" });
    }
    return catalogue;
  },

  describe(office, service, transaction, social) {
    return callCoreText("tarivox_describe", "", selectionNumbers(office, service, transaction, social));
  },

  explain(office, service, transaction, social, typed) {
    return callCoreText("tarivox_explain", String(typed), selectionNumbers(office, service, transaction, social));
  },

  // The bytes `tarivox-cli quote --format FORMAT` writes for the quote text.
  exportQuote(text, format) {
    return callCore("tarivox_quote", String(text), [formatNumber(format)]).slice();
  },

  compare(office, service, transaction, social, typed, format) {
    return callCoreText("tarivox_compare", String(typed),
                        [...selectionNumbers(office, service, transaction, social), formatNumber(format)]);
  },
};
window.Tarivox = Tarivox;

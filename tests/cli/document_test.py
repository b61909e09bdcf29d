#!/usr/bin/env python3
"""A quote as a document, through tarivox-cli: its heading (dates, validity,
the later edition that changes its figures, who prepared it), the check of
an exported quote (`verify`) against every kind of change, and the help of
every command.

  document_test.py GROUP COMMAND...     COMMAND runs tarivox-cli ("wine x.exe")
"""
import copy
import json
import os
import subprocess
import sys
import tempfile

group, cli = sys.argv[1], sys.argv[2:]
native = not cli[-1].endswith(".exe")
here = os.path.dirname(os.path.abspath(__file__))
acts_file = os.path.join(here, "golden", "quote-acts.txt")
work = tempfile.mkdtemp()
failures = []
# The user's own settings stay out of every run but those that write them.
environment = dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config"))


def run(args, stdin=b""):
    result = subprocess.run(cli + args, input=stdin, capture_output=True, env=environment)
    # Now and then Wine ends a program it never started with status 1 and no
    # word; the tool never ends with 1 without saying why.
    if result.returncode == 1 and not result.stdout and not result.stderr:
        result = subprocess.run(cli + args, input=stdin, capture_output=True, env=environment)
    return result.returncode, result.stdout.decode("utf-8"), result.stderr.decode("utf-8")


def fail(row, why):
    failures.append(f"[{row}] {why}")


def expect(row, args, status, *texts, absent=()):
    got, out, err = run(args)
    if got != status:
        fail(row, f"exit status {got}, expected {status}: {err[:400]}")
    # A sentence may be wrapped on the way.
    flowing = " ".join((out + err).split())
    for text in texts:
        if text not in out + err and text not in flowing:
            fail(row, f"lacks «{text}»: {(out + err)[:600]}")
    for text in absent:
        if text in out + err:
            fail(row, f"has «{text}»")
    return out


def write(name, data):
    path = os.path.join(work, name)
    with open(path, "w", encoding="utf-8") as file:
        file.write(data if isinstance(data, str) else json.dumps(data, ensure_ascii=False))
    return path


def later_edition():
    """The built-in edition, renamed and in force from 2030-01-01, its rate
    0.63 raised to 0.70."""
    status, out, err = run(["tariff", "export"])
    edition = json.loads(out)
    edition.update(name="Decreto 2030", in_force_from="2030-01-01")
    for service in edition["services"]:
        for transaction in service["transactions"]:
            if transaction["price"].get("per_hundred") == "0.63":
                transaction["price"]["per_hundred"] = "0.70"
    edition["examples"] = []
    return write("later.json", edition)


def heading():
    later = later_edition()
    # The validity: 30 days by default, any count from 0 to 3650, nothing else.
    for days, until in ((None, "5 de enero de 2027"), ("0", "6 de diciembre de 2026"),
                        ("1", "7 de diciembre de 2026"), ("3650", "3 de diciembre de 2036")):
        extra = [] if days is None else ["--valid-days", days]
        expect(f"valid {days}", ["quote", "--date", "2026-12-06", "--act", "KLDA:0:0=5"] + extra, 0,
               f"Válido hasta: {until}")
    for days in ("3651", "-1", "treinta", "", "1.5", "30 "):
        expect(f"valid days «{days}» refused" if days != "30 " else "valid days with a blank",
               ["quote", "--valid-days", days, "--act", "KLDA:0:0=5"], 2 if days != "30 " else 0,
               "no es un número de días" if days != "30 " else "Válido hasta")
    # A later edition taking effect within the validity, on its last day,
    # or after it.
    for date, said in (("2029-12-15", True), ("2029-12-02", True), ("2029-12-01", False)):
        out = expect(f"later edition from {date}", ["quote", "--tariff", later, "--date", date, "--act", "KLDA:0:0=5"],
                     0, "Arancel: incorporado al programa")
        if ("Desde el 1 de enero de 2030 rige el arancel «Decreto 2030»" in out) != said:
            fail(f"later edition from {date}", f"said {not said}: {out[:500]}")
    out = expect("later edition in JSON", ["quote", "--format", "json", "--tariff", later, "--date", "2029-12-15",
                                           "--act", "KLDA:0:0=5"], 0)
    document = json.loads(out)
    if (document["figures_change_from"], document["figures_change_tariff"]) != ("2030-01-01", "Decreto 2030"):
        fail("later edition in JSON", str(document)[:300])
    # The number: an option, a file's heading line, or both (the option wins).
    numbered = write("numbered.txt", "número: 77/B\nKLDA:0:0=5\n")
    expect("number option", ["quote", "--number", "12", "--act", "KLDA:0:0=5"], 0, "Presupuesto N.º 12")
    expect("number line", ["quote", "--file", numbered], 0, "Presupuesto N.º 77/B")
    expect("number option first", ["quote", "--file", numbered, "--number", "9"], 0, "Presupuesto N.º 9",
           absent=["77/B"])
    expect("number twice", ["quote", "--file", write("twice.txt", "número: 1\nnumber: 2\nKLDA:0:0=5\n")], 1,
           "el número del presupuesto aparece dos veces")
    expect("a date that does not exist", ["quote", "--date", "2026-13-45", "--act", "KLDA:0:0=5"], 2,
           "«2026-13-45» no es una fecha")
    expect("the closing line", ["quote", "--act", "KLDA:0:0=5"], 0, "no incluyen honorarios, impuestos ni otros gastos")
    expect("one act in the singular", ["quote", "--act", "KLDA:0:0=5"], 0,
           "1 acto, con el pago calculado sobre su monto.")
    if native:
        settings()


def settings():
    """The settings file, where a Linux user keeps who prepares quotes."""
    folder = os.path.join(work, "config", "tarivox")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "ajustes")
    rows = (
        ("from the file", "# despacho\npreparado por: Ana Peña\ndespacho: Notaría Peña\ndías de validez: 15\n", [], 0,
         ["Preparado por: Ana Peña, Notaría Peña", "Válido hasta: 21 de diciembre de 2026"]),
        ("options first", "preparado por: Ana Peña\n", ["--preparer", "Luis", "--valid-days", "2"], 0,
         ["Preparado por: Luis", "Válido hasta: 8 de diciembre de 2026"]),
        ("English names, CR LF", "Prepared by: Ann\r\nFirm: Lex\r\n", [], 0, ["Preparado por: Ann, Lex"]),
        ("a firm alone", "despacho: Notaría Peña\n", [], 0, ["Preparado por: Notaría Peña"]),
        ("not a setting", "preparado por: Ana\ncolor: azul\n", [], 2, [f"{path}, línea 2: «color: azul» no es un ajuste"]),
        ("days refused", "días de validez: mucho\n", [], 2, [f"{path}, línea 1: «mucho» no es un número de días"]),
    )
    for row, text, extra, status, said in rows:
        write(path, text)
        expect(f"settings {row}", ["quote", "--date", "2026-12-06", "--act", "KLDA:0:0=5"] + extra, status, *said)
    os.remove(path)
    os.makedirs(path)
    expect("settings unreadable", ["quote", "--act", "KLDA:0:0=5"], 3, path)
    os.rmdir(path)


def exported(extra=()):
    status, out, err = run(["quote", "--format", "json", "--file", acts_file, "--preparer", "Ana",
                            "--firm", "Notaría"] + list(extra))
    if status != 0:
        sys.exit(f"quote --format json: {status} {err}")
    return json.loads(out)


def verify():
    original = exported()
    acts = original["acts"]
    last = len(acts)

    def act(number, **changes):
        def change(document):
            document["acts"][number - 1].update(changes)
        return change

    def drop(number):
        return lambda document: document["acts"].pop(number - 1)

    def top(**changes):
        return lambda document: document.update(changes)

    def total(**changes):
        return lambda document: document["total"].update(changes)

    def code(document):
        document["verification"]["code"] = "0000-0000-0000"

    # What changes, and the start of each difference it must name.
    rows = [("untouched", lambda document: None, [])]
    rows += [(f"fee of act {n} a cent more", act(n, fee_cents=acts[n - 1]["fee_cents"] + 1), [f"acto {n}: el pago en centavos"])
             for n in range(1, last + 1)]
    rows += [
        ("fee text of act 2 a cent less", act(2, fee="455.99"), ["acto 2: el pago dice 455.99"]),
        ("the first act removed", drop(1), ["acto 1: falta"]),
        ("a middle act removed", drop(5), ["acto 5: falta", "total: el total dice"]),
        ("the last act removed", drop(last), [f"acto {last}: falta", "total: el total dice"]),
        ("an act's amount retyped", act(1, amount_typed="26,000"), ["acto 1: el monto dice 25,000.00, y según el arancel es 26,000.00"]),
        ("an act's label", act(3, label="otra"), ["acto 3: no es lo que se emitió"]),
        ("an act that is no act", act(2, office_position=9), ["acto 2: no es un acto del arancel"]),
        ("an office past any list", act(2, office_position=2**32), ["acto 2: no es un acto del arancel"]),
        ("an act numbered again", act(3, act=2), ["acto 2: su número no sigue al del acto anterior"]),
        ("an act numbered far ahead", act(3, act=100), ["acto 100: su número no sigue al del acto anterior"]),
        ("the date", top(date="2026-12-07"), ["fecha: no es lo que se emitió"]),
        ("the validity", top(valid_until="2027-12-31"), ["válido hasta: no es lo que se emitió"]),
        ("the client", top(client="Otro"), ["cliente: no es lo que se emitió"]),
        ("the number", top(number="1"), ["número: no es lo que se emitió"]),
        ("who prepared it", top(preparer="Otra"), ["preparado por: no es lo que se emitió"]),
        ("the edition's name", top(tariff={"name": "Decreto 1999", "in_force_from": None}),
         ["arancel: el 2026-12-06 regía el arancel «incorporado al programa», y el presupuesto dice «Decreto 1999»"]),
        ("the total", total(fee="1.00"), ["total: el total dice 1.00"]),
        ("the words", total(in_words="cero dólares"), ["total: el total en letras dice cero dólares"]),
        ("the code", code, ["código de verificación: el presupuesto dice 0000-0000-0000"]),
    ]
    for row, change, named in rows:
        document = copy.deepcopy(original)
        change(document)
        status, out, err = run(["verify", write("changed.json", document)])
        if status != (0 if not named else 1):
            fail(f"verify {row}", f"exit status {status}: {out[-300:]} {err[:300]}")
        lines = out.splitlines()
        for start in named:
            if not any(line.startswith(start) for line in lines):
                fail(f"verify {row}", f"names no «{start}»: {out[:600]}")
        if not named and not lines[-1].startswith("El presupuesto concuerda: 34 actos"):
            fail(f"verify {row}", out[-300:])
    # Without its code nothing says which line changed: only the code is
    # named missing, beside the figures that differ.
    document = copy.deepcopy(original)
    del document["verification"]
    expect("the code taken out", ["verify", write("nocode.json", document)], 1,
           "código de verificación: el presupuesto no lo tiene", "1 diferencia", absent=("no es lo que se emitió",))
    del document["acts"][0]
    expect("the code and the first act taken out", ["verify", write("nocode-act.json", document)], 1,
           "acto 1: falta en el archivo", "código de verificación: el presupuesto no lo tiene",
           absent=("no es lo que se emitió",))
    # A date under a later edition, with the edition the file names.
    later = later_edition()
    document = exported(["--tariff", later, "--date", "2030-01-01"])
    expect("a later edition's quote", ["verify", "--tariff", later, write("later-quote.json", document)], 0, "concuerda")
    document["date"] = "2029-12-31"
    expect("the date moved before the edition", ["verify", "--tariff", later, write("moved.json", document)], 1,
           "arancel: el 2029-12-31 regía el arancel «incorporado al programa», y el presupuesto dice «Decreto 2030»",
           "el pago dice 175.00, y según el arancel es 157.50")
    # Files that are no quote.
    expect("not JSON", ["verify", write("not.json", "acto 1")], 1, "no es JSON válido")
    expect("JSON but no quote", ["verify", write("array.json", "[]")], 1, "no es un presupuesto exportado")
    expect("no acts", ["verify", write("noacts.json", {"date": "2026-12-06", "total": {}})], 1, "le falta «acts»")
    expect("no such file", ["verify", os.path.join(work, "missing.json")], 3, "missing.json")
    expect("no file named", ["verify"], 2, "falta el archivo JSON")
    expect("in English", ["verify", "--lang", "en", write("en.json", dict(original, client="Other"))], 1,
           "client: not what was issued", "The quote does not agree: 2 differences.")


def helps():
    status, usage, err = run(["--help"])
    commands = [line.split()[0] for line in usage.split("Comandos:\n")[1].split("\n\n")[0].splitlines()]
    for command in commands:
        for language in ("es", "en"):
            shown = {how: run(args + ["--lang", language]) for how, args in
                     (("help", ["help", command]), ("--help", [command, "--help"]), ("-h", [command, "-h"]))}
            if command == "help":
                shown = {"help": shown["help"]}
            text = shown["help"][1]
            for how, (status, out, err) in shown.items():
                if status != 0 or out != text:
                    fail(f"{command} {how} {language}", f"status {status}, {'same' if out == text else 'other'} text")
            status_heading = "Estado de salida" if language == "es" else "Exit status"
            if text.count(status_heading) != 1:
                fail(f"{command} {language}", f"«{status_heading}» {text.count(status_heading)} times")
            if f"tarivox-cli {command}" not in text and command != "help":
                fail(f"{command} {language}", "does not name its verb")
            if "`" in text:
                fail(f"{command} {language}", "has Markdown back-quotes")
            if language == "es":
                for word in ("ventana", "como la ventana"):
                    if word in text:
                        fail(f"{command} es", f"says «{word}»")
                for line in text.splitlines():
                    if '"' in line and not line.lstrip().startswith("--act"):
                        fail(f"{command} es", f"quotes with \" rather than «»: {line}")
                if "hojas" in text and "parcelas" not in text:
                    fail(f"{command} es", "names hojas and lotes but not parcelas")
            if max(len(line) for line in text.splitlines()) > 80:
                fail(f"{command} {language}", "a line longer than 80 characters")
    expect("help for no command", ["help", "nada"], 2, "no hay ningún comando «nada»")


groups = {"heading": heading, "verify": verify, "help": helps}
groups[group]()
for failure in failures:
    print(f"FAIL {group} {failure}")
sys.exit(1 if failures else 0)

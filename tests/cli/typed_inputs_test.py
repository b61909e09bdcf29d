#!/usr/bin/env python3
"""The same typed texts through every command of tarivox-cli, against the
answers of tests/typed/inputs.json: an --act of quote, a line of a quote
file and the operand of compare take or refuse each amount and quantity
alike, with the same reason; calc reads quantities by the same rule and
amounts as the window does (batch too), which for every amount the rule
takes is the amount as written.

  typed_inputs_test.py INPUTS.json COMMAND...     COMMAND runs tarivox-cli
"""
import json
import os
import subprocess
import sys
import tempfile

inputs, cli = sys.argv[1], sys.argv[2:]
table = json.load(open(inputs, encoding="utf-8"))
failures = []


def run(args, stdin=b""):
    result = subprocess.run(cli + args, input=stdin, capture_output=True)
    # Now and then Wine ends a program it never started with status 1 and no
    # word; the tool never ends with 1 without saying why.
    if result.returncode == 1 and not result.stdout and not result.stderr:
        result = subprocess.run(cli + args, input=stdin, capture_output=True)
    return result.returncode, result.stdout.decode("utf-8"), result.stderr.decode("utf-8")


def fail(row, how, why):
    failures.append(f"[{how} «{row[0]}»] {why}")


def refusals(err):
    """tarivox-cli quote's refusals on standard error: act number -> reason."""
    found = {}
    for line in err.splitlines():
        head, _, reason = line.partition(": ")
        for mark in ("--act ", "línea "):
            at = reason.find(mark)
            if at == 0:
                number, _, why = reason[len(mark):].partition(": ")
                found[int(number)] = why
    return found


def check_quote(rows, act, value_of, how, by_file):
    """All rows as one quote: the refused ones alone, then the taken ones."""
    for refused in (True, False):
        chosen = [row for row in rows if row[1].startswith("=") != refused]
        texts = [act(row[0]) for row in chosen]
        if by_file:
            with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False, encoding="utf-8") as file:
                file.write("".join(text + "\n" for text in texts))
            status, out, err = run(["quote", "--format", "json", "--file", file.name])
            os.unlink(file.name)
        else:
            status, out, err = run(["quote", "--format", "json"] + [arg for text in texts for arg in ("--act", text)])
        if refused:
            reasons = refusals(err)
            for number, row in enumerate(chosen, 1):
                if status != 1 or row[1] not in reasons.get(number, ""):
                    fail(row, how, f"status {status}, reason «{reasons.get(number)}»")
            continue
        if status != 0:
            for number, why in refusals(err).items():
                fail(chosen[number - 1], how, f"refused: {why}")
            continue
        for row, got in zip(chosen, json.loads(out)["acts"]):
            if value_of(got) != row[1][1:]:
                fail(row, how, f"taken as {value_of(got)}")


def check_compare(rows, selection, value_of):
    for row in rows:
        status, out, err = run(["compare", "--format", "json"] + selection + ["--", row[0]])
        if row[1].startswith("="):
            got = value_of(json.loads(out)["variants"][0]) if status == 0 else None
            if got != row[1][1:]:
                fail(row, "compare", f"status {status}, {got}: {err[:200]}")
        elif status != 1 or row[1] not in err or out:
            fail(row, "compare", f"status {status}: {err[:200]}")


def check_amounts_as_the_window_reads(rows):
    # Batch's fields are separated by tabs: after an amount, one starts the
    # record's date, so an amount with a tab is no batch amount.
    rows = [row for row in rows if "\t" not in row[0]]
    records = "".join(f"0\t0\t0\t0\t{row[0]}\n" for row in rows).encode("utf-8")
    status, out, err = run(["batch"], records)
    lines = out.split("\n")
    for row, line in zip(rows, lines):
        if row[1].startswith("=") and line.split("\t")[0] != row[1][1:]:
            fail(row, "batch", f"the window reads «{line[:60]}»")
        if line.startswith("ERROR"):
            fail(row, "batch", f"the window reads every text, but: {line}")
    if status != 0 or len(lines) != len(rows) + 1:
        failures.append(f"[batch] status {status}, {len(lines) - 1} lines: {err[:200]}")


def check_calc_quantities(rows):
    for row in rows:
        status, out, err = run(["calc", "--service", "2", "--transaction", "0", "--", row[0]])
        if row[1].startswith("="):
            count = int(row[1][1:])
            counted = f"+ {count:,} hoja{'' if count == 1 else 's'} ×"
            if status != 0 or counted not in out:
                fail(row, "calc", f"status {status}, «{out.strip()[-60:]}» lacks «{counted}»: {err[:200]}")
        elif status != 1 or row[1] not in err:
            fail(row, "calc", f"status {status}: {err[:200]}")


amount = lambda record: record["amount"]
quantity = lambda record: str(record["quantity"])
check_quote(table["amounts"], lambda typed: f"KLDA:0:0={typed}", amount, "quote --act", False)
check_quote(table["amounts"], lambda typed: f"KLDA:0:0={typed}", amount, "quote file", True)
check_compare(table["amounts"], [], amount)
check_amounts_as_the_window_reads(table["amounts"])
check_quote(table["quantities"], lambda typed: f"KLDA:2:0={typed}", quantity, "quote --act", False)
check_quote(table["quantities"], lambda typed: f"KLDA:2:0={typed}", quantity, "quote file", True)
check_compare(table["quantities"], ["--service", "2", "--transaction", "0"], quantity)
check_calc_quantities(table["quantities"])

for failure in failures:
    print("FAIL", failure)
sys.exit(1 if failures else 0)

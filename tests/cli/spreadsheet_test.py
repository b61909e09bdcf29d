#!/usr/bin/env python3
"""A quote's spreadsheet exports opened in real spreadsheet programs.

CSV, in LibreOffice Calc as an office opens it: csv-excel with the Spanish
regional setting (";", the decimal comma), csv with the English one. Every
fee must arrive as a number, and the fees of the acts must add up to the
total.

xlsx, in LibreOffice Calc set to each regional setting our users have, with
a decimal point or a decimal comma (es-SV, es-ES, es-EC, en-US), and in
Debian's openpyxl: every figure a number shown with two decimals, grouped
as the setting groups them, the fees adding up to the total; and texts that
a spreadsheet would gladly read as something else ("0012", "1/2", "1e3",
"(100)", "50%", "TRUE"), given as a label and as the client, stay the text
they are.

    spreadsheet_test.py TARIVOX-CLI QUOTE-FILE
"""
import json
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

TABLE = "urn:oasis:names:tc:opendocument:xmlns:table:1.0"
OFFICE = "urn:oasis:names:tc:opendocument:xmlns:office:1.0"

# format, import filter (separator, quote, UTF-8, first line, language), fee heading, total record
CSV_CASES = [
    ("csv-excel", "CSV:59,34,76,1,,3082", "Pago US$", "total"),
    ("csv", "CSV:44,34,76,1,,1033", "fee", "total"),
]

# LibreOffice's locale, its Windows language id, and how a sheet set to it
# shows 18,072.18: the separators are the setting's own (LibreOffice 7.4
# writes Ecuador's figures with a decimal point, as El Salvador's).
LOCALES = [
    ("es-SV", 17418, "18,072.18"),
    ("es-ES", 3082, "18.072,18"),
    ("es-EC", 12298, "18,072.18"),
    ("en-US", 1033, "18,072.18"),
]

# What must stay text in a text cell, whatever the setting.
TEXTS = ["0012", "1/2", "1e3", "(100)", "50%", "TRUE", "=1+1", "-5", "1,5", "12/31/2026"]

FEE, TOTAL, CLIENT = "Pago US$", "Total a pagar", "Cliente"


def rows_of(path):
    """The sheet's rows as lists of (value type, value, text)."""
    rows = []
    for row in ET.parse(path).iter(f"{{{TABLE}}}table-row"):
        cells = []
        for cell in row.findall(f"{{{TABLE}}}table-cell"):
            repeat = min(int(cell.get(f"{{{TABLE}}}number-columns-repeated", "1")), 64)
            text = "".join(cell.itertext()).strip()
            cells += [(cell.get(f"{{{OFFICE}}}value-type"), cell.get(f"{{{OFFICE}}}value"), text)] * repeat
        rows.append(cells)
    return rows


def tool(cli, args, path):
    with open(path, "wb") as out:
        subprocess.run([cli, "quote", *args], stdout=out, check=True)


def check_csv(cli, quote_file, work, case):
    fmt, infilter, fee_heading, total_record = case
    source = os.path.join(work, f"quote-{fmt}.csv")
    tool(cli, ["--file", quote_file, "--format", fmt], source)
    subprocess.run(["soffice", f"-env:UserInstallation=file://{work}/profile", "--headless",
                    f"--infilter={infilter}", "--convert-to", "fods", "--outdir", work, source],
                   check=True, capture_output=True)
    rows = [r for r in rows_of(source[:-3] + "fods") if any(text for _, _, text in r)]
    heading = [text for _, _, text in rows[0]]
    fee = heading.index(fee_heading)
    problems = []
    cents = 0
    for number, row in enumerate(rows[1:-1], start=2):
        kind, value, text = row[fee]
        if kind != "float":
            problems.append(f"{fmt} row {number}: fee «{text}» is {kind}, not a number")
        else:
            cents += round(float(value) * 100)
    last = rows[-1]
    if last[0][2] != total_record or last[fee][0] != "float":
        problems.append(f"{fmt}: the last row is no total: {last[:1] + last[fee:fee + 1]}")
    elif round(float(last[fee][1]) * 100) != cents:
        problems.append(f"{fmt}: the fees add up to {cents} cents, the total says {last[fee][1]}")
    return problems


def profile(work, locale):
    """A LibreOffice user profile set to the locale, as a user sets it in Tools > Options."""
    folder = os.path.join(work, f"profile-{locale}")
    os.makedirs(os.path.join(folder, "user"), exist_ok=True)
    with open(os.path.join(folder, "user", "registrymodifications.xcu"), "w", encoding="utf-8") as config:
        config.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                     '<oor:items xmlns:oor="http://openoffice.org/2001/registry" '
                     'xmlns:xs="http://www.w3.org/2001/XMLSchema" '
                     'xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">\n'
                     '<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" '
                     f'oor:op="fuse"><value>{locale}</value></prop></item>\n</oor:items>\n')
    return folder


def acts_table(rows, where):
    """The table's heading row, its act rows and its total row; a problem when it has none."""
    headings = [i for i, row in enumerate(rows) if any(cell[2] == FEE for cell in row)]
    if not headings:
        return None, [], None, [f"{where}: no column «{FEE}»"]
    first = headings[0]
    table = [row for row in rows[first + 1:] if any(cell[2] for cell in row)]
    return rows[first], table[:-1], table[-1], []


def check_sheet(rows, where, acts, total_shown=None):
    """rows: (kind, value, text) per cell, kind "number" or "text". The fees are
    numbers that add up to the total; total_shown, how the total must read."""
    heading, body, total, problems = acts_table(rows, where)
    if problems:
        return problems
    names = [cell[2] for cell in heading]
    fee, label = names.index(FEE), names.index("Etiqueta")
    if len(body) != acts:
        problems.append(f"{where}: {len(body)} act rows, the quote has {acts} acts")
    cents = 0
    for number, row in enumerate(body, start=1):
        kind, value, text = row[fee]
        if kind != "number":
            problems.append(f"{where} act {number}: fee «{text}» is {kind}, not a number")
        else:
            cents += round(float(value) * 100)
    kind, value, text = total[fee]
    if total[label][2] != TOTAL or kind != "number":
        problems.append(f"{where}: the last row is no total: {total[label]} {total[fee]}")
    elif round(float(value) * 100) != cents:
        problems.append(f"{where}: the fees add up to {cents} cents, the total says {value}")
    elif total_shown is not None and text != total_shown:
        problems.append(f"{where}: the total reads «{text}», not «{total_shown}»")
    return problems


def check_texts(rows, where, text):
    """The label and the client are text cells holding the text itself."""
    problems = []
    heading, body, _, missing = acts_table(rows, where)
    if missing:
        return missing
    label = [cell[2] for cell in heading].index("Etiqueta")
    client = [row for row in rows if row and row[0][2] == CLIENT]
    for name, cell in (("label", body[0][label] if body else None), ("client", client[0][1] if client else None)):
        if cell is None:
            problems.append(f"{where} «{text}»: no {name}")
        elif cell[0] != "text" or cell[2] != text:
            problems.append(f"{where} «{text}» as the {name}: a {cell[0]} cell «{cell[2]}»")
    return problems


def office_rows(path):
    """A LibreOffice sheet as (kind, value, shown text) per cell."""
    kinds = {"float": "number", "string": "text"}
    return [[(kinds.get(kind, kind), value, text) for kind, value, text in row] for row in rows_of(path)]


def openpyxl_rows(path):
    """An xlsx read by openpyxl as (kind, value, number format) per cell; the
    figures are checked to carry the two-decimal format."""
    import openpyxl
    sheet = openpyxl.load_workbook(path).active
    rows = []
    for row in sheet.iter_rows():
        cells = []
        for cell in row:
            kind = {"n": "number", "s": "text"}.get(cell.data_type, cell.data_type)
            value = "" if cell.value is None else str(cell.value)
            cells.append((kind if cell.value is not None else None, value,
                          value if kind == "text" else cell.number_format))
        rows.append(cells)
    return rows


def check_xlsx(cli, quote_file, work):
    problems = []
    acts = len(json.loads(subprocess.run([cli, "quote", "--file", quote_file, "--format", "json"],
                                         capture_output=True, check=True).stdout)["acts"])
    quote = os.path.join(work, "quote.xlsx")
    tool(cli, ["--file", quote_file, "--format", "xlsx"], quote)
    texts = []
    for number, text in enumerate(TEXTS):
        path = os.path.join(work, f"text-{number}.xlsx")
        tool(cli, ["--client", text, "--act", f"KLDA:0:0=25,000 | {text}", "--format", "xlsx"], path)
        texts.append((text, path))

    for locale, language, total_shown in LOCALES:
        out = os.path.join(work, f"out-{locale}")
        subprocess.run(["soffice", f"-env:UserInstallation=file://{profile(work, locale)}", "--headless",
                        "--convert-to", "fods", "--outdir", out, quote, *(path for _, path in texts)],
                       check=True, capture_output=True)
        where = f"LibreOffice {locale} ({language})"
        fods = lambda path: os.path.join(out, os.path.basename(path)[:-4] + "fods")
        problems += check_sheet(office_rows(fods(quote)), where, acts, total_shown)
        for text, path in texts:
            problems += check_texts(office_rows(fods(path)), where, text)

    where = "openpyxl"
    rows = openpyxl_rows(quote)
    problems += check_sheet(rows, where, acts)
    heading, body, total, _ = acts_table(rows, where)
    figures = [i for i, cell in enumerate(heading) if cell[2].endswith("US$")]
    for number, row in enumerate(body + [total], start=1):
        for column in figures:
            kind, _, number_format = row[column] if column < len(row) else (None, "", "")
            if kind is not None and (kind != "number" or number_format != "#,##0.00"):
                problems.append(f"{where} row {number} «{heading[column][2]}»: {kind} as «{number_format}»")
    for text, path in texts:
        problems += check_texts(openpyxl_rows(path), where, text)
    return problems


def main():
    cli, quote_file = sys.argv[1], sys.argv[2]
    problems = []
    with tempfile.TemporaryDirectory() as work:
        for case in CSV_CASES:
            problems += check_csv(cli, quote_file, work, case)
        problems += check_xlsx(cli, quote_file, work)
    for problem in problems:
        print("FAIL", problem)
    print(f"spreadsheet: {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""A quote's CSV exports opened in a real spreadsheet, LibreOffice Calc, as
an office opens them: csv-excel with the Spanish regional setting (";", the
decimal comma), csv with the English one. Every fee must arrive as a number,
and the fees of the acts must add up to the total.

    spreadsheet_test.py TARIVOX-CLI QUOTE-FILE
"""
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

TABLE = "urn:oasis:names:tc:opendocument:xmlns:table:1.0"
OFFICE = "urn:oasis:names:tc:opendocument:xmlns:office:1.0"

# format, import filter (separator, quote, UTF-8, first line, language), fee heading, total record
CASES = [
    ("csv-excel", "CSV:59,34,76,1,,3082", "Pago US$", "total"),
    ("csv", "CSV:44,34,76,1,,1033", "fee", "total"),
]


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


def check(cli, quote_file, work, case):
    fmt, infilter, fee_heading, total_record = case
    source = os.path.join(work, f"quote-{fmt}.csv")
    with open(source, "wb") as out:
        subprocess.run([cli, "quote", "--file", quote_file, "--format", fmt], stdout=out, check=True)
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


def main():
    cli, quote_file = sys.argv[1], sys.argv[2]
    problems = []
    with tempfile.TemporaryDirectory() as work:
        for case in CASES:
            problems += check(cli, quote_file, work, case)
    for problem in problems:
        print("FAIL", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

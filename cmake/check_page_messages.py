#!/usr/bin/env python3
"""Checks, when the page is built, every message the page asks for by key.

  check_page_messages.py MESSAGE_TABLE PAGE_HTML SCRIPT... STAMP

The page fills its words from the report library's message table through
the module, by key: a key that is not in the table, or a call with another
number of arguments than the message takes, would fail only when a person
reaches that line. Here each text("key", ...) and fill("key", ...) call of
the scripts is held against the table's key and arity, and so is every
data-text of the page and every other string in the scripts that names a
message (a key kept in a table for later). Writes STAMP when all is well.
"""
import re
import sys

table_path, page_path, scripts, stamp = sys.argv[1], sys.argv[2], sys.argv[3:-1], sys.argv[-1]
table = open(table_path, encoding="utf-8").read()
arity = {}
for key, kinds in re.findall(r'TARIVOX_MESSAGE\(\s*\w+\s*,\s*"([^"]+)"\s*,\s*\(([^)]*)\)', table):
    arity[key] = len([kind for kind in kinds.split(",") if kind.strip()])
namespaces = {key.split(".")[0] for key in arity}
problems = []


def arguments_after(source, at):
    """The number of arguments from source[at] (just after the key's closing
    quote) to the call's closing parenthesis, or None when one is spread."""
    depth, count, spread, quote = 0, 0, False, None
    i = at
    while i < len(source):
        c = source[i]
        if quote:
            if c == "\\":
                i += 2
                continue
            if c == quote:
                quote = None
        elif c in "\"'`":
            quote = c
        elif c in "([{":
            depth += 1
        elif c in ")]}":
            if depth == 0:
                return None if spread else count
            depth -= 1
        elif c == "," and depth == 0:
            count += 1
            spread = spread or source[i + 1:].lstrip().startswith("...")
        i += 1
    return None


for path in scripts:
    source = open(path, encoding="utf-8").read()
    for match in re.finditer(r'\b(text|fill)\(\s*"([^"]+)"', source):
        name, key = match.groups()
        line = source.count("\n", 0, match.start()) + 1
        if key not in arity:
            problems.append(f"{path}:{line}: no message «{key}»")
            continue
        given = 1 if name == "fill" else arguments_after(source, match.end())
        if given is not None and given != arity[key]:
            problems.append(f"{path}:{line}: «{key}» takes {arity[key]} arguments, not {given}")
    for match in re.finditer(r'"([a-z_]+(?:\.[a-z_0-9]+)+)"', source):
        key = match.group(1)
        if key.split(".")[0] in namespaces and key not in arity:
            line = source.count("\n", 0, match.start()) + 1
            problems.append(f"{path}:{line}: no message «{key}»")

page = open(page_path, encoding="utf-8").read()
for key in re.findall(r'data-text="([^"]+)"', page):
    if key not in arity:
        problems.append(f"{page_path}: data-text «{key}» is no message")
    elif arity[key] != 0:
        problems.append(f"{page_path}: data-text «{key}» takes arguments")

if problems:
    sys.exit("\n".join(problems))
open(stamp, "w").write("checked\n")

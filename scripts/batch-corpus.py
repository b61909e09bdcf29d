#!/usr/bin/env python3
"""Writes a reproducible batch input of varied records to standard output.

  batch-corpus.py RECORDS [SEED] [--dates]

Half the records carry amounts as clerks type them ("25,000", "9500.01",
"150,000.00"); the other half hard ones of 50 to 140 characters: leading
zeros, long fractions, exponents that undo leading zeros, 20 and more
significant digits, halves between cents, junk after the number, stray
commas, blanks, signs and letters. Some selections are outside the lists or
text only, so that refusals are part of the run. The same arguments always
give the same bytes: a corpus to compare the output of two builds of
tarivox-cli batch with.

With --dates most records carry a sixth field, a date from 2029-12-01 to
2030-01-31 (around a change of edition on 2030-01-01); some carry none or
an empty one, some a day that does not exist, another shape or a long text.
The first five fields are those of the same run without dates.
"""
import random
import sys


def selection(rng):
    if rng.random() < 0.02:  # refused: outside the lists, text only, bad flag
        return rng.choice(["2\t0\t0\t0", "0\t9\t0\t0", "0\t0\t12\t0", "0\t2\t0\t0", "0\t0\t0\t7", "x\t0\t0\t0"])
    service = rng.choice([0, 0, 0, 1])
    transaction = rng.randrange(9 if service == 0 else 3)
    return f"{rng.randrange(2)}\t{service}\t{transaction}\t{rng.randrange(2)}"


def grouped(whole):
    return f"{whole:,}"


def typical(rng):
    whole = rng.choice([rng.randrange(100), rng.randrange(20000), rng.randrange(2000000), rng.randrange(10**11)])
    form = rng.randrange(6)
    if form == 0:
        return grouped(whole)
    if form == 1:
        return str(whole)
    if form == 2:
        return f"{whole}.{rng.randrange(100):02d}"
    if form == 3:
        return f"{grouped(whole)}.{rng.randrange(100):02d}"
    if form == 4:
        return f"{whole}.{rng.randrange(10)}"
    return rng.choice(["", "0", "0.00", "1000", "10000", "9000.01", "857100.01", "1421000"])


def digits(rng, count):
    return "".join(rng.choice("0123456789") for _ in range(count))


def hard(rng):
    length = rng.randrange(50, 141)
    kind = rng.randrange(9)
    if kind == 0:  # leading zeros before a plain amount
        tail = typical(rng) or "5"
        text = "0" * max(0, length - len(tail)) + tail
    elif kind == 1:  # a long fraction
        text = digits(rng, rng.randrange(1, 8)) + "." + digits(rng, length)
    elif kind == 2:  # an exponent that undoes leading zeros
        zeros = length - 12
        text = "0." + "0" * zeros + digits(rng, 6) + rng.choice("EeDd") + "+" + str(zeros + rng.randrange(1, 9))
    elif kind == 3:  # 20 and more significant digits
        text = digits(rng, rng.randrange(1, 16)) + "." + digits(rng, rng.randrange(5, 60))
    elif kind == 4:  # halves between cents, far down
        text = f"{rng.randrange(10**9)}.{rng.randrange(100):02d}5" + "0" * rng.randrange(0, 90) + rng.choice(["", "1"])
    elif kind == 5:  # junk after the number
        text = typical(rng) + rng.choice([" ", "x", "$", "-", "+1", "e", "E+", "d-", "..", " 000"]) + "x" * 40
    elif kind == 6:  # stray commas and blanks
        text = "".join(c + ("," * rng.randrange(3) if rng.random() < 0.3 else "") for c in digits(rng, 30))
        text = " " * rng.randrange(4) + text
    elif kind == 7:  # signs, letters, huge and tiny exponents
        text = rng.choice(["-", "+", "", " ", "\t"]) + digits(rng, rng.randrange(1, 25)) + rng.choice(
            ["E999", "e-999", "D15", "d-3", "E14", "e2", "INF", "NAN", "0x1A", ""]) + "z" * 30
    else:  # many digits that round near a whole cent
        text = digits(rng, rng.randrange(1, 13)) + "." + rng.choice(["99499999", "00500000", "995", "004999"]) + \
            digits(rng, rng.randrange(20, 80))
    return text


def date(rng):
    kind = rng.random()
    if kind < 0.08:  # none
        return None
    if kind < 0.12:
        return ""
    if kind < 0.18:  # not real, or another shape
        return rng.choice(["2029-02-29", "2030-13-01", "2030-00-10", "2029-12-32", "2030-1-1", "20300101",
                           "2030-01-01 ", " 2030-01-01", "2030-01-0x", "x" * rng.randrange(11, 90), "2030-01-01\t1"])
    if rng.random() < 0.5:
        return f"2029-12-{rng.randrange(1, 32):02d}"
    return f"2030-01-{rng.randrange(1, 32):02d}"


def main():
    arguments = [argument for argument in sys.argv[1:] if argument != "--dates"]
    dated = len(arguments) < len(sys.argv) - 1
    records = int(arguments[0])
    seed = int(arguments[1]) if len(arguments) > 1 else 20261207
    rng = random.Random(seed)
    days = random.Random(seed + 1)
    out = sys.stdout
    for number in range(records):
        amount = typical(rng) if number % 2 == 0 else hard(rng)
        record = selection(rng) + "\t" + amount
        if dated:
            day = date(days)
            if day is not None:
                record += "\t" + day
        out.write(record + "\n")


if __name__ == "__main__":
    main()

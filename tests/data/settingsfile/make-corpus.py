#!/usr/bin/env python3
"""Writes the corpus of malformed settings files next to this script.

Every file starts from one well-formed file whose 22 values all differ from
the factory defaults, and spoils it in one way. expected.txt says, for each
file, what loading it must report and how many fields it must apply first.
Run again after changing this script, then review the differences.
"""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus")

# The 22 values of the well-formed file, in file order, as written on disk.
VALUES = ['"3"', '"150"', '"004"', '21', '"/"', '1',
          '"0400"', '"0300"', '"200"', '"150"', '"100"', '"080"', '"060"',
          '"0090"', '138', '"030"', '"QTEST1"', '"AB1CD-7"', '"WIDE2-1"',
          '"Hardening corpus"', '"AB1CD"', '"Soak test"']
LINES = [range(0, 6)] + [range(i, i + 1) for i in range(6, 13)] + [range(13, 22)]


def assemble(values, eol=b"\r\n"):
    return b"".join(b",".join(values[i].encode("latin-1") for i in line) + eol for line in LINES)


def with_value(index, text):
    values = list(VALUES)
    values[index] = text
    return assemble(values)


files = {}
good = assemble(VALUES)
files["well-formed.cfg"] = good
files["empty.cfg"] = b""

# Cut inside each value in turn (inside its quotes, for a text value).
offset = 0
for number, value in enumerate(VALUES, start=1):
    start = good.index(value.encode("latin-1"), offset)
    cut = start + max(1, len(value) // 2)
    files["cut-in-value-%02d.cfg" % number] = good[:cut]
    offset = start + len(value)
# Cut right after a group's last value, with and without its line end.
files["only-line-1.cfg"] = good[: good.index(b"\r\n") + 2]
files["cut-after-speed-table.cfg"] = good[: good.index(b'"060"') + 5]

# Wrong forms in number positions.
files["a4-word.cfg"] = with_value(3, "abc")
files["a4-quoted-number.cfg"] = with_value(3, '"21"')
files["a4-empty.cfg"] = with_value(3, "")
files["a4-fraction-half.cfg"] = with_value(3, "2.5")
files["a4-exponent.cfg"] = with_value(3, "1e1")
files["a4-trailing-letters.cfg"] = with_value(3, "21x")
files["a6-word.cfg"] = with_value(5, "yes")
files["c2-word.cfg"] = with_value(14, "abc")
files["c2-leading-number.cfg"] = with_value(14, "12abc")
files["c2-negative.cfg"] = with_value(14, "-1")
# Out-of-range numbers.
files["a4-beyond-16-bit.cfg"] = with_value(3, "99999")
files["a4-no-such-entry.cfg"] = with_value(3, "8")
files["a4-no-entry-selected.cfg"] = with_value(3, "-1")
files["a6-state-3.cfg"] = with_value(5, "3")
files["a6-beyond-16-bit.cfg"] = with_value(5, "70000")
files["c2-beyond-32-bit.cfg"] = with_value(14, "3000000000")
# Texts their fields refuse.
files["edcomm-two-digits.cfg"] = with_value(0, '"12"')
files["edsymbol-two-characters.cfg"] = with_value(4, '"ab"')
files["speed-table-letters.cfg"] = with_value(8, '"2x0"')
files["edmycall-too-long.cfg"] = with_value(17, '"AB1CDEFGH-15"')
# Quoting.
files["unterminated-quote-line-1.cfg"] = good.replace(b'"150"', b'"150', 1)
files["unterminated-quote-at-end.cfg"] = good[:-3]
files["bytes-after-closing-quote.cfg"] = good.replace(b'"150"', b'"150"xy', 1)
files["quote-inside-text.cfg"] = with_value(19, '"Harden"ing corpus"')
files["doubled-quote-and-comma-in-text.cfg"] = with_value(19, '"Harden"", ing corpus"')
files["undoubled-quote-ending-text.cfg"] = with_value(19, '"Hardening "corpus""')
# Stray bytes.
files["utf8-bom.cfg"] = b"\xef\xbb\xbf" + good
files["nul-bytes-in-text.cfg"] = with_value(19, '"Hard\x00ening"')
files["high-bytes-in-text.cfg"] = with_value(19, '"\xe8\xff\x80 corpus"')
files["two-commas-in-a-row.cfg"] = good.replace(b'"3",', b'"3",,', 1)
files["blank-lines.cfg"] = good.replace(b"\r\n", b"\r\n\r\n")
files["spaces-before-values.cfg"] = good.replace(b",", b",  ")
files["tabs-before-values.cfg"] = good.replace(b'"3",', b'"3",\t', 1)
# Line ends.
files["lf-only.cfg"] = assemble(VALUES, b"\n")
files["cr-only.cfg"] = assemble(VALUES, b"\r")
files["no-line-ends.cfg"] = b",".join(v.encode("latin-1") for v in VALUES)
files["extra-values-after-22.cfg"] = good + b'"more","values"\r\n'
# Binary junk.
random.seed(6)
files["binary-junk.cfg"] = bytes(random.randrange(256) for _ in range(4096))
files["binary-junk-quoted.cfg"] = b'"' + bytes(random.randrange(256) for _ in range(512)) + b'"'
files["all-commas.cfg"] = b"," * 64
files["all-quotes.cfg"] = b'"' * 63

os.makedirs(OUT, exist_ok=True)
for name in os.listdir(OUT):
    os.remove(os.path.join(OUT, name))
for name, data in sorted(files.items()):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
print("%d files in %s" % (len(files), OUT))

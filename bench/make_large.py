#!/usr/bin/env python3
"""Writes one PO file and one XLIFF 1.2 file of about SIZE megabytes each (for the peak memory figures of
bench/run.sh), by repeating the entries of the catalogs in PO_FOLDER and the trans-units of the files in
XLIFF_FOLDER, each repetition with a context or an ID of its own.
Usage: make_large.py PO_FOLDER XLIFF_FOLDER OUT_FOLDER SIZE_MB
"""
import pathlib
import re
import sys


def po_entries(folder):
    for path in sorted(pathlib.Path(folder).rglob("*.po")):
        text = path.read_text(encoding="utf-8", errors="replace")
        if "charset=UTF-8" not in text:
            continue
        for entry in text.split("\n\n")[1:]:  # the first is the header
            if "\nmsgid " in "\n" + entry and "msgctxt" not in entry and not entry.startswith("#~"):
                yield entry.strip("\n")


def xliff_units(folder):
    for path in sorted(p for p in pathlib.Path(folder).rglob("*") if p.suffix in (".xlf", ".xliff")):
        yield from re.findall(r"<trans-unit .*?</trans-unit>", path.read_text(encoding="utf-8"), re.S)


def write(path, head, items, tail, size, mark):
    items = list(items)
    if not items:
        sys.exit(f"make_large: nothing to repeat for {path}")
    with open(path, "w", encoding="utf-8") as out:
        out.write(head)
        written, round = len(head), 0
        while written < size:
            for item in items:
                text = mark(item, round) + "\n"
                out.write(text)
                written += len(text)
            round += 1
        out.write(tail)


def main():
    po, xliff, out, size = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3]), int(sys.argv[4]) << 20
    out.mkdir(parents=True, exist_ok=True)
    header = 'msgid ""\nmsgstr ""\n"Content-Type: text/plain; charset=UTF-8\\n"\n\n'
    write(out / "large.po", header, po_entries(po), "", size,
          lambda entry, n: re.sub(r"^msgid ", f'msgctxt "{n}"\nmsgid ', entry, count=1, flags=re.M) + "\n")
    head = '<?xml version="1.0" encoding="UTF-8"?>\n<xliff version="1.2" ' \
           'xmlns="urn:oasis:names:tc:xliff:document:1.2"><file original="large" source-language="en" ' \
           'datatype="po"><body>\n'
    write(out / "large.xlf", head, xliff_units(xliff), "</body></file></xliff>\n", size,
          lambda unit, n: unit.replace('<trans-unit id="', f'<trans-unit id="{n}.', 1))


if __name__ == "__main__":
    main()

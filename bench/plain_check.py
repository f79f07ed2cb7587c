#!/usr/bin/env python3
"""The check a user would script without inline-patterns: read the PO and XLIFF files in Python, search
each translation pair with the regular expressions of a rule file in `re`, and compare the matches the way
the module does (same count, each source match in the translation, same order).
Usage: plain_check.py RULES_INI PATH...   prints "units N violations N"
"""
import configparser
import os
import re
import sys
import xml.etree.ElementTree as ET

COUNT, TEXT, ORDER = 2, 4, 8
ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "\\": "\\", '"': '"'}


def load_rules(path):
    ini = configparser.RawConfigParser()
    ini.read(path, encoding="utf-8-sig")
    rules = []
    for section in ini.values():
        if section.get("Active") == "1" and section.get("RegEx") == "1" and section.get("CheckMethod") == "1":
            flags = 0 if section.get("Case") == "1" else re.IGNORECASE
            rules.append((re.compile(section["Pattern"], flags), int(section["CheckFlags"]), flags != 0))
    return rules


def unquote(text):
    text = text.strip()[1:-1]
    return re.sub(r"\\(.)", lambda m: ESCAPES.get(m.group(1), m.group(1)), text)


def po_pairs(path):
    """(source, translation) of every translated form of every entry that is neither fuzzy nor obsolete."""
    entry, key, fuzzy = {}, None, False

    def finish():
        msgid = entry.get("msgid", "")
        if msgid and not fuzzy:
            for name, text in entry.items():
                if name.startswith("msgstr") and text:
                    yield (entry.get("msgid_plural", msgid) if name not in ("msgstr", "msgstr[0]") else msgid), text

    with open(path, encoding="utf-8", errors="replace") as lines:
        for line in lines:
            line = line.strip()
            if line.startswith("#,") and "fuzzy" in line:
                yield from finish()
                entry, key, fuzzy = {}, None, True
            elif not line or line.startswith("#"):
                continue
            elif line.startswith('"') and key:
                entry[key] += unquote(line)
            else:
                name, _, rest = line.partition(" ")
                if name in ("msgid", "msgctxt") and any(k.startswith("msgstr") for k in entry):
                    yield from finish()
                    entry, fuzzy = {}, False
                key = name
                entry[key] = unquote(rest)
        yield from finish()


def xliff_pairs(path):
    """(source, translation) of every trans-unit that has a non-blank target, inline tags left out."""
    for _, element in ET.iterparse(path):
        if not element.tag.endswith("trans-unit"):
            continue
        texts = {child.tag.rsplit("}", 1)[-1]: "".join(child.itertext()) for child in element}
        if texts.get("target", "").strip():
            yield texts.get("source", ""), texts["target"]
        element.clear()


def same(a, b, caseless):
    return a.lower() == b.lower() if caseless else a == b


def violations(rule, source, translation):
    pattern, flags, caseless = rule
    found = [m.group(0) for m in pattern.finditer(source) if m.group(0)]
    wanted = [m.group(0) for m in pattern.finditer(translation) if m.group(0)]
    if len(found) != len(wanted):
        return 1
    if not flags & TEXT:
        return 0
    left = list(wanted)
    missing = 0
    for match in found:
        partner = next((i for i, other in enumerate(left) if same(match, other, caseless)), None)
        if partner is None:
            missing += 1
        else:
            left.pop(partner)
    if missing or not flags & ORDER:
        return missing
    return 0 if all(same(a, b, caseless) for a, b in zip(found, wanted)) else 1


def files(paths):
    for path in paths:
        if os.path.isfile(path):
            yield path
        for folder, _, names in os.walk(path):
            yield from (os.path.join(folder, name) for name in sorted(names))


def main():
    rules = load_rules(sys.argv[1])
    units = found = 0
    for path in files(sys.argv[2:]):
        reader = po_pairs if path.endswith(".po") else xliff_pairs if path.endswith((".xlf", ".xliff")) else None
        for source, translation in reader(path) if reader else ():
            units += 1
            found += sum(violations(rule, source, translation) for rule in rules)
    print(f"units {units} violations {found}")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes a UTF-8 rule file as the module writes rule files: UTF-16 LE with its byte order mark, CR LF.
Usage: rules-utf16.py IN OUT"""
import sys

with open(sys.argv[1], encoding="utf-8-sig", newline="") as source:
    text = source.read().replace("\r\n", "\n").replace("\n", "\r\n")
with open(sys.argv[2], "wb") as target:
    target.write(b"\xff\xfe" + text.encode("utf-16-le"))

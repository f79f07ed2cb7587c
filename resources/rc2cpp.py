#!/usr/bin/env python3
"""Turns a resource script (.rc) into a C++ file of constant KResourceTable data, for builds whose window
system has no native resources. It reads the subset of the resource language the module's scripts use:
#define/#include of a header of ids, STRINGTABLE, DIALOG/DIALOGEX with their control statements and style
expressions (| and NOT), MENU with POPUP/MENUITEM/SEPARATOR, and BITMAP/CURSOR file references. Style names
become their Win32 numbers here, so the tables hold exactly the bits Windows would read."""

import argparse
import os
import re
import sys

# Win32 values of the names a script may use in styles, flags and ids.
WIN32_CONSTANTS = {
    # Window styles
    "WS_OVERLAPPED": 0x00000000, "WS_POPUP": 0x80000000, "WS_CHILD": 0x40000000, "WS_MINIMIZE": 0x20000000,
    "WS_VISIBLE": 0x10000000, "WS_DISABLED": 0x08000000, "WS_CLIPSIBLINGS": 0x04000000,
    "WS_CLIPCHILDREN": 0x02000000, "WS_MAXIMIZE": 0x01000000, "WS_CAPTION": 0x00C00000,
    "WS_BORDER": 0x00800000, "WS_DLGFRAME": 0x00400000, "WS_VSCROLL": 0x00200000, "WS_HSCROLL": 0x00100000,
    "WS_SYSMENU": 0x00080000, "WS_THICKFRAME": 0x00040000, "WS_SIZEBOX": 0x00040000, "WS_GROUP": 0x00020000,
    "WS_TABSTOP": 0x00010000, "WS_MINIMIZEBOX": 0x00020000, "WS_MAXIMIZEBOX": 0x00010000,
    "WS_OVERLAPPEDWINDOW": 0x00CF0000, "WS_POPUPWINDOW": 0x80880000,
    # Extended window styles
    "WS_EX_DLGMODALFRAME": 0x1, "WS_EX_NOPARENTNOTIFY": 0x4, "WS_EX_TOPMOST": 0x8, "WS_EX_ACCEPTFILES": 0x10,
    "WS_EX_TRANSPARENT": 0x20, "WS_EX_TOOLWINDOW": 0x80, "WS_EX_WINDOWEDGE": 0x100, "WS_EX_CLIENTEDGE": 0x200,
    "WS_EX_CONTEXTHELP": 0x400, "WS_EX_RIGHT": 0x1000, "WS_EX_RTLREADING": 0x2000,
    "WS_EX_LEFTSCROLLBAR": 0x4000, "WS_EX_CONTROLPARENT": 0x10000, "WS_EX_STATICEDGE": 0x20000,
    "WS_EX_APPWINDOW": 0x40000,
    # Dialog styles
    "DS_ABSALIGN": 0x1, "DS_SYSMODAL": 0x2, "DS_3DLOOK": 0x4, "DS_FIXEDSYS": 0x8, "DS_NOFAILCREATE": 0x10,
    "DS_LOCALEDIT": 0x20, "DS_SETFONT": 0x40, "DS_MODALFRAME": 0x80, "DS_NOIDLEMSG": 0x100,
    "DS_SETFOREGROUND": 0x200, "DS_CONTROL": 0x400, "DS_CENTER": 0x800, "DS_CENTERMOUSE": 0x1000,
    "DS_CONTEXTHELP": 0x2000, "DS_SHELLFONT": 0x48,
    # Edit styles
    "ES_LEFT": 0x0, "ES_CENTER": 0x1, "ES_RIGHT": 0x2, "ES_MULTILINE": 0x4, "ES_UPPERCASE": 0x8,
    "ES_LOWERCASE": 0x10, "ES_PASSWORD": 0x20, "ES_AUTOVSCROLL": 0x40, "ES_AUTOHSCROLL": 0x80,
    "ES_NOHIDESEL": 0x100, "ES_OEMCONVERT": 0x400, "ES_READONLY": 0x800, "ES_WANTRETURN": 0x1000,
    "ES_NUMBER": 0x2000,
    # Button styles
    "BS_PUSHBUTTON": 0x0, "BS_DEFPUSHBUTTON": 0x1, "BS_CHECKBOX": 0x2, "BS_AUTOCHECKBOX": 0x3,
    "BS_RADIOBUTTON": 0x4, "BS_3STATE": 0x5, "BS_AUTO3STATE": 0x6, "BS_GROUPBOX": 0x7, "BS_USERBUTTON": 0x8,
    "BS_AUTORADIOBUTTON": 0x9, "BS_PUSHBOX": 0xA, "BS_OWNERDRAW": 0xB, "BS_LEFTTEXT": 0x20,
    "BS_RIGHTBUTTON": 0x20, "BS_TEXT": 0x0, "BS_ICON": 0x40, "BS_BITMAP": 0x80, "BS_LEFT": 0x100,
    "BS_RIGHT": 0x200, "BS_CENTER": 0x300, "BS_TOP": 0x400, "BS_BOTTOM": 0x800, "BS_VCENTER": 0xC00,
    "BS_PUSHLIKE": 0x1000, "BS_MULTILINE": 0x2000, "BS_NOTIFY": 0x4000, "BS_FLAT": 0x8000,
    # Static styles
    "SS_LEFT": 0x0, "SS_CENTER": 0x1, "SS_RIGHT": 0x2, "SS_ICON": 0x3, "SS_BLACKRECT": 0x4,
    "SS_GRAYRECT": 0x5, "SS_WHITERECT": 0x6, "SS_BLACKFRAME": 0x7, "SS_GRAYFRAME": 0x8,
    "SS_WHITEFRAME": 0x9, "SS_USERITEM": 0xA, "SS_SIMPLE": 0xB, "SS_LEFTNOWORDWRAP": 0xC,
    "SS_OWNERDRAW": 0xD, "SS_BITMAP": 0xE, "SS_ENHMETAFILE": 0xF, "SS_ETCHEDHORZ": 0x10,
    "SS_ETCHEDVERT": 0x11, "SS_ETCHEDFRAME": 0x12, "SS_NOPREFIX": 0x80, "SS_NOTIFY": 0x100,
    "SS_CENTERIMAGE": 0x200, "SS_RIGHTJUST": 0x400, "SS_SUNKEN": 0x1000, "SS_ENDELLIPSIS": 0x4000,
    "SS_PATHELLIPSIS": 0x8000, "SS_WORDELLIPSIS": 0xC000,
    # List box styles
    "LBS_NOTIFY": 0x1, "LBS_SORT": 0x2, "LBS_NOREDRAW": 0x4, "LBS_MULTIPLESEL": 0x8,
    "LBS_OWNERDRAWFIXED": 0x10, "LBS_OWNERDRAWVARIABLE": 0x20, "LBS_HASSTRINGS": 0x40,
    "LBS_USETABSTOPS": 0x80, "LBS_NOINTEGRALHEIGHT": 0x100, "LBS_MULTICOLUMN": 0x200,
    "LBS_WANTKEYBOARDINPUT": 0x400, "LBS_EXTENDEDSEL": 0x800, "LBS_DISABLENOSCROLL": 0x1000,
    "LBS_NODATA": 0x2000, "LBS_NOSEL": 0x4000, "LBS_STANDARD": 0x00A00003,
    # Combo box styles
    "CBS_SIMPLE": 0x1, "CBS_DROPDOWN": 0x2, "CBS_DROPDOWNLIST": 0x3, "CBS_OWNERDRAWFIXED": 0x10,
    "CBS_OWNERDRAWVARIABLE": 0x20, "CBS_AUTOHSCROLL": 0x40, "CBS_OEMCONVERT": 0x80, "CBS_SORT": 0x100,
    "CBS_HASSTRINGS": 0x200, "CBS_NOINTEGRALHEIGHT": 0x400, "CBS_DISABLENOSCROLL": 0x800,
    "CBS_UPPERCASE": 0x2000, "CBS_LOWERCASE": 0x4000,
    # Scroll bar styles
    "SBS_HORZ": 0x0, "SBS_VERT": 0x1,
    # Tree view styles
    "TVS_HASBUTTONS": 0x1, "TVS_HASLINES": 0x2, "TVS_LINESATROOT": 0x4, "TVS_EDITLABELS": 0x8,
    "TVS_DISABLEDRAGDROP": 0x10, "TVS_SHOWSELALWAYS": 0x20, "TVS_RTLREADING": 0x40, "TVS_NOTOOLTIPS": 0x80,
    "TVS_CHECKBOXES": 0x100, "TVS_TRACKSELECT": 0x200, "TVS_SINGLEEXPAND": 0x400, "TVS_INFOTIP": 0x800,
    "TVS_FULLROWSELECT": 0x1000, "TVS_NOSCROLL": 0x2000, "TVS_NONEVENHEIGHT": 0x4000,
    "TVS_NOHSCROLL": 0x8000,
    # Languages (the tables hold one language, so LANGUAGE statements are read and not kept)
    "LANG_NEUTRAL": 0x00, "LANG_GERMAN": 0x07, "LANG_ENGLISH": 0x09, "LANG_SPANISH": 0x0A,
    "LANG_FRENCH": 0x0C, "LANG_ITALIAN": 0x10, "LANG_JAPANESE": 0x11, "LANG_DUTCH": 0x13,
    "LANG_POLISH": 0x15, "LANG_PORTUGUESE": 0x16, "LANG_RUSSIAN": 0x19, "LANG_CHINESE": 0x04,
    "SUBLANG_NEUTRAL": 0x00, "SUBLANG_DEFAULT": 0x01, "SUBLANG_SYS_DEFAULT": 0x02, "SUBLANG_ENGLISH_US": 0x01,
    "SUBLANG_ENGLISH_UK": 0x02, "SUBLANG_GERMAN": 0x01, "SUBLANG_FRENCH": 0x01,
    # Dialog command ids
    "IDOK": 1, "IDCANCEL": 2, "IDABORT": 3, "IDRETRY": 4, "IDIGNORE": 5, "IDYES": 6, "IDNO": 7,
    "IDCLOSE": 8, "IDHELP": 9,
}

# Menu item options and their MF_ bits.
MENU_OPTIONS = {"GRAYED": 0x1, "INACTIVE": 0x2, "CHECKED": 0x8, "MENUBARBREAK": 0x20, "MENUBREAK": 0x40,
                "HELP": 0x4000}
MF_POPUP = 0x10
MF_SEPARATOR = 0x800

WS_CHILD_VISIBLE = 0x50000000
WS_GROUP = 0x00020000
WS_TABSTOP = 0x00010000
WS_BORDER = 0x00800000
WS_CAPTION = 0x00C00000
DS_SETFONT = 0x40
DEFAULT_DIALOG_STYLE = 0x80880000  # WS_POPUP | WS_BORDER | WS_SYSMENU

# Control statements: class, the style bits always set (besides WS_CHILD | WS_VISIBLE), and the bits set only
# when the statement gives no style of its own (windres, which builds the shipped DLL, reads them so).
TEXT_CONTROLS = {
    "LTEXT": ("Static", 0x0, WS_GROUP), "CTEXT": ("Static", 0x1, WS_GROUP), "RTEXT": ("Static", 0x2, WS_GROUP),
    "PUSHBUTTON": ("Button", 0x0 | WS_TABSTOP, 0), "DEFPUSHBUTTON": ("Button", 0x1 | WS_TABSTOP, 0),
    "CHECKBOX": ("Button", 0x2 | WS_TABSTOP, 0), "AUTOCHECKBOX": ("Button", 0x3 | WS_TABSTOP, 0),
    "RADIOBUTTON": ("Button", 0x4, WS_TABSTOP), "STATE3": ("Button", 0x5, WS_TABSTOP),
    "AUTO3STATE": ("Button", 0x6, WS_TABSTOP), "GROUPBOX": ("Button", 0x7, 0),
    "AUTORADIOBUTTON": ("Button", 0x9, WS_TABSTOP),
}
PLAIN_CONTROLS = {
    "EDITTEXT": ("Edit", WS_BORDER | WS_TABSTOP, 0), "LISTBOX": ("ListBox", 0x1 | WS_BORDER, 0),
    "COMBOBOX": ("ComboBox", 0x0, 0x1 | WS_TABSTOP), "SCROLLBAR": ("ScrollBar", 0x0, 0),
}
# Class keywords a CONTROL statement may name instead of a string.
CLASS_KEYWORDS = {"BUTTON": "Button", "EDIT": "Edit", "STATIC": "Static", "LISTBOX": "ListBox",
                  "SCROLLBAR": "ScrollBar", "COMBOBOX": "ComboBox"}
# Memory options of old scripts, accepted and ignored.
MEMORY_OPTIONS = {"DISCARDABLE", "MOVEABLE", "FIXED", "PURE", "IMPURE", "PRELOAD", "LOADONCALL", "SHARED",
                  "NONSHARED"}

TOKEN_RE = re.compile(r"""
    (?P<space>\s+|//[^\n]*|/\*.*?\*/)
  | (?P<string>L?"(?:[^"\\\n]|\\.|"")*")
  | (?P<number>0[xX][0-9a-fA-F]+[lLuU]*|\d+[lLuU]*)
  | (?P<name>[A-Za-z_][A-Za-z0-9_]*)
  | (?P<punct>[,|{}()+\-~&])
""", re.VERBOSE | re.DOTALL)

SIMPLE_ESCAPES = {"a": "\a", "b": "\b", "f": "\f", "n": "\n", "r": "\r", "t": "\t", "v": "\v",
                  "\\": "\\", '"': '"', "'": "'", "?": "?"}


class RcError(Exception):
    pass


class Token:
    def __init__(self, kind, value, line):
        self.kind, self.value, self.line = kind, value, line


def decode_string(literal):
    """The text of a string literal: C escapes, and "" standing for one quotation mark."""
    body = literal[2:-1] if literal.startswith("L") else literal[1:-1]
    out, i = [], 0
    while i < len(body):
        c = body[i]
        if c == '"':  # the lexer only lets a quotation mark through doubled
            out.append('"')
            i += 2
        elif c != "\\":
            out.append(c)
            i += 1
        elif body[i + 1] in SIMPLE_ESCAPES:
            out.append(SIMPLE_ESCAPES[body[i + 1]])
            i += 2
        elif body[i + 1] in "xX":
            digits = re.match(r"[0-9a-fA-F]{1,4}", body[i + 2:])
            if not digits:
                raise RcError("\\x without hex digits in " + literal)
            out.append(chr(int(digits.group(0), 16)))
            i += 2 + len(digits.group(0))
        elif body[i + 1] in "01234567":
            digits = re.match(r"[0-7]{1,3}", body[i + 1:]).group(0)
            out.append(chr(int(digits, 8)))
            i += 1 + len(digits)
        else:
            raise RcError("unknown escape \\%s in %s" % (body[i + 1], literal))
    return "".join(out)


class Script:
    """A script and the headers it includes: its tokens after preprocessing, and its #defines."""

    def __init__(self, path, include_dirs):
        self.include_dirs = [os.path.dirname(os.path.abspath(path))] + include_dirs
        self.defines = {}
        self.files = []  # every file read, for the build's dependency list
        self.tokens = []
        self._read(path, self.tokens)

    def find(self, name):
        for folder in self.include_dirs:
            candidate = os.path.join(folder, name)
            if os.path.exists(candidate):
                return candidate
        return None

    def _read(self, path, tokens):
        self.files.append(path)
        with open(path, encoding="utf-8-sig") as f:
            text = f.read()
        text = re.sub(r"\\\n", "", text)
        # Block comments may span lines: blank them first (keeping the line count), leaving strings alone.
        text = re.sub(r'"(?:[^"\\\n]|\\.|"")*"|/\*.*?\*/',
                      lambda m: m.group(0) if m.group(0).startswith('"') else "\n" * m.group(0).count("\n"),
                      text, flags=re.DOTALL)
        lines = text.split("\n")
        skipping = []  # the #if stack: True where the branch is skipped
        for number, line in enumerate(lines, 1):
            stripped = line.strip()
            if stripped.startswith("#"):
                self._directive(stripped[1:].strip(), skipping, tokens, path, number)
            elif not any(skipping):
                self.tokenize(line, number, tokens, path)

    def _directive(self, directive, skipping, tokens, path, number):
        word, _, rest = directive.partition(" ")
        rest = rest.strip()
        if word in ("ifdef", "ifndef"):
            skipping.append(any(skipping) or (rest in self.defines) != (word == "ifdef"))
        elif word == "if" and any(skipping):
            skipping.append(True)  # a nested condition inside a skipped branch stays skipped
        elif word == "endif":
            skipping.pop()
        elif word == "else":
            skipping[-1] = not skipping[-1] or any(skipping[:-1])
        elif any(skipping) or word in ("pragma", ""):
            return
        elif word == "define":
            match = re.match(r"([A-Za-z_]\w*)\s*(.*)", rest)
            self.defines[match.group(1)] = re.sub(r"//.*|/\*.*?\*/", "", match.group(2)).strip()
        elif word == "undef":
            self.defines.pop(rest, None)
        elif word == "include":
            self._include(rest, tokens, path, number)
        elif word == "error":
            raise RcError("%s:%d: #error %s" % (path, number, rest))
        else:
            raise RcError("%s:%d: unsupported directive #%s" % (path, number, word))

    def _include(self, rest, tokens, path, number):
        if rest.startswith("<"):
            return  # system headers: their constants are built into this generator
        found = self.find(rest.strip('"'))
        if not found:
            raise RcError("%s:%d: cannot find %s" % (path, number, rest))
        self._read(found, tokens)

    def tokenize(self, line, number, tokens, path):
        pos = 0
        while pos < len(line):
            match = TOKEN_RE.match(line, pos)
            if not match:
                raise RcError("%s:%d: unexpected character %r" % (path, number, line[pos]))
            pos = match.end()
            if match.lastgroup != "space":
                tokens.append(Token(match.lastgroup, match.group(0), "%s:%d" % (path, number)))


class Parser:
    def __init__(self, script, tokens):
        self.script = script
        self.tokens = tokens
        self.pos = 0
        self.strings, self.dialogs, self.menus, self.bitmaps, self.cursors = {}, {}, {}, {}, {}

    # Token access
    def peek(self):
        return self.tokens[self.pos] if self.pos < len(self.tokens) else None

    def next(self):
        token = self.peek()
        if token is None:
            raise RcError("unexpected end of script")
        self.pos += 1
        return token

    def error(self, message):
        token = self.peek() or self.tokens[-1]
        return RcError("%s: %s (at %r)" % (token.line, message, token.value))

    def at(self, *values):
        token = self.peek()
        return token is not None and token.value.upper() in values and token.kind in ("name", "punct")

    def accept(self, *values):
        if self.at(*values):
            return self.next()
        return None

    def expect(self, *values):
        if not self.at(*values):
            raise self.error("expected " + " or ".join(values))
        return self.next()

    def comma(self):
        self.accept(",")

    def string(self):
        token = self.next()
        if token.kind != "string":
            self.pos -= 1
            raise self.error("expected a string")
        return decode_string(token.value)

    def begin(self):
        self.expect("BEGIN", "{")

    def at_end(self):
        return self.accept("END", "}") is not None

    # Expressions
    def name_value(self, name):
        seen = set()
        while name in self.script.defines:
            if name in seen:
                raise self.error("recursive #define " + name)
            seen.add(name)
            value = self.script.defines[name].strip()
            if not re.fullmatch(r"[A-Za-z_]\w*", value):
                return self.evaluate_text(value)
            name = value
        if name in WIN32_CONSTANTS:
            return WIN32_CONSTANTS[name]
        raise self.error("unknown name " + name)

    def evaluate_text(self, text):
        tokens = []
        self.script.tokenize(text, 0, tokens, "#define")
        sub = Parser(self.script, tokens)
        value = sub.number()
        if sub.peek() is not None:
            raise self.error("cannot evaluate " + text)
        return value

    def primary(self):
        if self.accept("("):
            value = self.number()
            self.expect(")")
            return value
        if self.accept("-"):
            return -self.primary()
        if self.accept("~"):
            return ~self.primary() & 0xFFFFFFFF
        token = self.next()
        if token.kind == "number":
            return int(token.value.rstrip("lLuU"), 0)
        if token.kind == "name":
            return self.name_value(token.value)
        self.pos -= 1
        raise self.error("expected a number")

    def number(self):
        value = self.primary()
        while self.at("|", "+", "-", "&"):
            op = self.next().value
            right = self.primary()
            value = {"|": value | right, "+": value + right, "-": value - right, "&": value & right}[op]
        return value

    def style(self, default):
        """A style expression applied left to right to the default: terms set bits, NOT terms clear them."""
        value = default
        while True:
            if self.accept("NOT"):
                value &= ~self.primary()
            else:
                value |= self.primary()
            if not self.accept("|"):
                return value & 0xFFFFFFFF

    def has_argument(self):
        """True when a comma introduces one more argument of the current statement."""
        if not self.at(","):
            return False
        self.next()
        return True

    # Resources
    def parse(self):
        while self.peek() is not None:
            if self.accept("LANGUAGE"):
                self.number()
                self.comma()
                self.number()
            elif self.accept("STRINGTABLE"):
                self.string_table()
            else:
                self.named_resource()
        return self

    def string_table(self):
        while self.peek().value.upper() in MEMORY_OPTIONS:
            self.next()
        self.begin()
        while not self.at_end():
            string_id = self.number()
            self.comma()
            self.put(self.strings, string_id, self.string(), "string")

    def named_resource(self):
        resource_id = self.number()
        kind = self.next().value.upper()
        while self.peek() is not None and self.peek().value.upper() in MEMORY_OPTIONS:
            self.next()
        if kind in ("DIALOG", "DIALOGEX"):
            self.put(self.dialogs, resource_id, self.dialog(kind == "DIALOGEX"), "dialog")
        elif kind == "MENU":
            self.put(self.menus, resource_id, self.menu_items(), "menu")
        elif kind in ("BITMAP", "CURSOR"):
            table = self.bitmaps if kind == "BITMAP" else self.cursors
            self.put(table, resource_id, self.file_bytes(), kind.lower())
        else:
            self.pos -= 1
            raise self.error("unsupported resource type")

    def put(self, table, resource_id, value, what):
        if resource_id in table:
            raise self.error("duplicate %s %d" % (what, resource_id))
        table[resource_id] = value

    def file_bytes(self):
        name = self.string()
        path = self.script.find(name)
        if not path:
            raise self.error("cannot find file " + name)
        self.script.files.append(path)
        with open(path, "rb") as f:
            data = f.read()
        if not data:
            raise self.error("empty file " + name)
        return data

    def dialog(self, extended):
        rect = self.rectangle()
        if extended and self.has_argument():
            self.number()  # help id
        dialog = {"style": DEFAULT_DIALOG_STYLE, "exstyle": 0, "rect": rect, "caption": "", "font": ("", 0),
                  "controls": []}
        explicit_style = None
        has_caption = False
        while not self.at("BEGIN", "{"):
            option = self.next().value.upper()
            if option == "STYLE":
                explicit_style = self.style(0)
            elif option == "EXSTYLE":
                dialog["exstyle"] = self.style(0)
            elif option == "CAPTION":
                dialog["caption"] = self.string()
                has_caption = True
            elif option == "FONT":
                dialog["font"] = self.font(extended)
            elif option == "LANGUAGE":
                self.number()
                self.comma()
                self.number()
            else:
                self.pos -= 1
                raise self.error("unsupported dialog option")
        style = DEFAULT_DIALOG_STYLE if explicit_style is None else explicit_style
        if has_caption:
            style |= WS_CAPTION
        if dialog["font"][0]:
            style |= DS_SETFONT
        dialog["style"] = style
        self.begin()
        while not self.at_end():
            dialog["controls"].append(self.control())
        return dialog

    def rectangle(self):
        values = [self.number()]
        for _ in range(3):
            self.comma()
            values.append(self.number())
        return values

    def font(self, extended):
        size = self.number()
        self.comma()
        name = self.string()
        if extended:
            for _ in range(3):  # weight, italic, character set
                if self.has_argument():
                    self.number()
        return (name, size)

    def control(self):
        statement = self.next().value.upper()
        if statement == "CONTROL":
            return self.generic_control()
        if statement in TEXT_CONTROLS:
            class_name, kept, unstyled = TEXT_CONTROLS[statement]
            text = self.string()
            self.comma()
        elif statement in PLAIN_CONTROLS:
            class_name, kept, unstyled = PLAIN_CONTROLS[statement]
            text = ""
        else:
            self.pos -= 1
            raise self.error("unsupported control statement")
        control_id = self.number()
        self.comma()
        rect = self.rectangle()
        base = WS_CHILD_VISIBLE | kept
        style = self.style(base) if self.has_argument() else base | unstyled
        exstyle = self.style(0) if self.has_argument() else 0
        return {"id": control_id, "class": class_name, "text": text, "style": style, "exstyle": exstyle,
                "rect": rect}

    def generic_control(self):
        text = self.string()
        self.comma()
        control_id = self.number()
        self.comma()
        token = self.next()
        if token.kind == "string":
            class_name = decode_string(token.value)
        elif token.value.upper() in CLASS_KEYWORDS:
            class_name = CLASS_KEYWORDS[token.value.upper()]
        else:
            self.pos -= 1
            raise self.error("expected a window class")
        self.comma()
        style = self.style(WS_CHILD_VISIBLE)
        self.comma()
        rect = self.rectangle()
        exstyle = self.style(0) if self.has_argument() else 0
        return {"id": control_id, "class": class_name, "text": text, "style": style, "exstyle": exstyle,
                "rect": rect}

    def menu_items(self):
        self.begin()
        items = []
        while not self.at_end():
            items.append(self.menu_item())
        return items

    def menu_item(self):
        if self.accept("POPUP"):
            text = self.string()
            flags = self.menu_options() | MF_POPUP
            return {"text": text, "command": 0, "flags": flags, "children": self.menu_items()}
        self.expect("MENUITEM")
        if self.accept("SEPARATOR"):
            return {"text": "", "command": 0, "flags": MF_SEPARATOR, "children": []}
        text = self.string()
        self.comma()
        command = self.number()
        return {"text": text, "command": command, "flags": self.menu_options(), "children": []}

    def menu_options(self):
        flags = 0
        while True:
            self.comma()
            token = self.peek()
            if token is None or token.value.upper() not in MENU_OPTIONS:
                return flags
            flags |= MENU_OPTIONS[self.next().value.upper()]


# Output

def cpp_string(text):
    out = ['u"']
    for c in text:
        code = ord(c)
        if c in '"\\':
            out.append("\\" + c)
        elif 0x20 <= code < 0x7F:
            out.append(c)
        elif code < 0x80:
            out.append("\\%03o" % code)
        elif code <= 0xFFFF:
            out.append("\\u%04x" % code)
        else:
            out.append("\\U%08x" % code)
    out.append('"')
    return "".join(out)


def span(name, count):
    return "{%s, %d}" % (name, count) if count else "{}"


class Writer:
    def __init__(self, parser, function, export):
        self.parser, self.function, self.export = parser, function, export
        self.lines = []
        self.counter = 0

    def emit(self, line=""):
        self.lines.append(line)

    def fresh(self, prefix):
        self.counter += 1
        return "%s%d" % (prefix, self.counter)

    def write(self):
        p = self.parser
        self.emit("// Generated from a resource script by resources/rc2cpp.py; do not edit.")
        self.emit('#include "support/KResourceTable.h"')
        self.emit()
        self.emit("namespace {")
        strings = self.array("KResourceString", "kStrings",
                             ["{%d, %s}" % (i, cpp_string(t)) for i, t in sorted(p.strings.items())])
        dialogs = self.array("KDialogTemplate", "kDialogs",
                             [self.dialog(i, d) for i, d in sorted(p.dialogs.items())])
        menus = self.array("KMenuTemplate", "kMenus",
                           ["{%d, %s}" % (i, self.menu(m)) for i, m in sorted(p.menus.items())])
        bitmaps = self.array("KBinaryResource", "kBitmaps",
                             [self.binary(i, b) for i, b in sorted(p.bitmaps.items())])
        cursors = self.array("KBinaryResource", "kCursors",
                             [self.binary(i, b) for i, b in sorted(p.cursors.items())])
        self.emit("const KResourceTable kTable = {%s};" % ", ".join([strings, dialogs, menus, bitmaps, cursors]))
        self.emit("}  // namespace")
        self.emit()
        if self.export:
            self.emit('extern "C" __attribute__((visibility("default"))) const KResourceTable* %s();'
                      % self.function)
            self.emit('extern "C" const KResourceTable* %s() { return &kTable; }' % self.function)
        else:
            self.emit("const KResourceTable* %s();" % self.function)
            self.emit("const KResourceTable* %s() { return &kTable; }" % self.function)
        return "\n".join(self.lines) + "\n"

    def array(self, type_name, prefix, entries):
        """Emits a constant array of the entries and returns the span initializer naming it."""
        if not entries:
            return "{}"
        name = self.fresh(prefix)
        self.emit("const %s %s[] = {" % (type_name, name))
        for entry in entries:
            self.emit("    %s," % entry)
        self.emit("};")
        return span(name, len(entries))

    def dialog(self, dialog_id, d):
        controls = self.array("KDialogControl", "kControls", [
            "{%d, %s, %s, 0x%08xu, 0x%08xu, %d, %d, %d, %d}" % (
                to_int32(c["id"]), cpp_string(c["class"]), cpp_string(c["text"]), c["style"] & 0xFFFFFFFF,
                c["exstyle"] & 0xFFFFFFFF, *c["rect"])
            for c in d["controls"]])
        return "{%d, 0x%08xu, 0x%08xu, %d, %d, %d, %d, %s, %s, %d, %s}" % (
            dialog_id, d["style"] & 0xFFFFFFFF, d["exstyle"] & 0xFFFFFFFF, *d["rect"], cpp_string(d["caption"]),
            cpp_string(d["font"][0]), d["font"][1], controls)

    def menu(self, items):
        """Emits the children before their parents and returns the span initializer of the items."""
        entries = []
        for item in items:
            children = self.menu(item["children"]) if item["children"] else "{}"
            pointer, count = ("nullptr", 0) if children == "{}" else children[1:-1].split(", ")
            entries.append("{%s, %du, 0x%04xu, %s, %su}" % (cpp_string(item["text"]), item["command"],
                                                           item["flags"], pointer, count))
        return self.array("KMenuItem", "kMenuItems", entries)

    def binary(self, resource_id, data):
        name = self.fresh("kBytes")
        self.emit("const unsigned char %s[] = {" % name)
        for start in range(0, len(data), 20):
            self.emit("    " + ", ".join("%d" % b for b in data[start:start + 20]) + ",")
        self.emit("};")
        return "{%d, %s}" % (resource_id, span(name, len(data)))


def to_int32(value):
    value &= 0xFFFFFFFF
    return value - 0x100000000 if value & 0x80000000 else value


def main():
    arguments = argparse.ArgumentParser(description=__doc__)
    arguments.add_argument("script", help="the .rc file")
    arguments.add_argument("output", help="the C++ file to write")
    arguments.add_argument("--function", default="ZAKResourceTable", help="name of the function returning the table")
    arguments.add_argument("--export", action="store_true", help='make the function extern "C" and visible')
    arguments.add_argument("--depfile", help="write the files read as a make dependency file")
    arguments.add_argument("-I", dest="include_dirs", action="append", default=[], help="include folder")
    options = arguments.parse_args()
    try:
        script = Script(options.script, options.include_dirs)
        code = Writer(Parser(script, script.tokens).parse(), options.function, options.export).write()
    except (RcError, OSError) as error:
        print("rc2cpp: %s: %s" % (options.script, error), file=sys.stderr)
        return 1
    with open(options.output, "w", encoding="utf-8") as f:
        f.write(code)
    if options.depfile:
        with open(options.depfile, "w", encoding="utf-8") as f:
            deps = " ".join(os.path.abspath(p).replace(" ", "\\ ") for p in script.files)
            f.write("%s: %s\n" % (options.output, deps))
    return 0


if __name__ == "__main__":
    sys.exit(main())

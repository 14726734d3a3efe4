#!/usr/bin/env python3
"""Writes the page's modules that hold what the program defines elsewhere:

  menu_resource.js  the window's menu, read from the resource script
                    (resources/pinball.rc, its ids from resource.h), with
                    the page's own items (those under #ifdef PINBALL_PAGE),
                    and the accelerator table
  page_bridge.js    the input event kinds of page_bridge.h, and the keys the
                    window answers (kKey... of the headers)

  make_page_modules.py --rc RC --ids RESOURCE_H --headers H... --out DIR

The end-to-end tests read the menu with read_menu(), as Windows shows it.
"""

import argparse
import json
import os
import re

# --- The resource script ---

TOKEN = re.compile(r'"((?:[^"]|"")*)"|(\w+)|(\S)')


def read_defines(path):
    """The #define NAME NUMBER lines of a header."""
    with open(path, encoding="utf-8") as f:
        return {m[1]: int(m[2], 0) for m in re.finditer(r"^\s*#define\s+(\w+)\s+(\w+)", f.read(), re.M)
                if re.fullmatch(r"\d+|0x[0-9a-fA-F]+", m[2])}


def preprocess(text, defined):
    """The lines the resource compiler reads: comments out, #ifdef and #ifndef
    blocks kept or dropped as NAME is in `defined` (#if 0 dropped), other
    directives dropped."""
    text = re.sub(r'"(?:[^"]|"")*"|/\*.*?\*/|//[^\n]*',
                  lambda m: m[0] if m[0].startswith('"') else "\n" * m[0].count("\n") or " ", text, flags=re.S)
    kept, stack = [], []
    for line in text.split("\n"):
        directive = re.match(r"\s*#\s*(\w+)\s*(\w*)", line)
        if directive:
            word, name = directive[1], directive[2]
            if word in ("ifdef", "ifndef"):
                stack.append((name in defined) == (word == "ifdef"))
            elif word == "if":
                stack.append(name != "0")
            elif word == "else":
                stack[-1] = not stack[-1]
            elif word == "endif":
                stack.pop()
            continue
        if all(stack):
            kept.append(line)
    return "\n".join(kept)


def rc_words(rc_path, page):
    """The resource script's words; a quoted text keeps its opening quote, so
    that no text is taken for a keyword."""
    with open(rc_path, encoding="utf-8") as f:
        text = preprocess(f.read(), {"PINBALL_PAGE"} if page else set())
    return ['"' + m[1] if m[1] is not None else m[2] or m[3] for m in TOKEN.finditer(text)]


def resource_body(words, ids, name, kind):
    """The index of the BEGIN (or "{") of resource `name` of type `kind`, or None."""
    for k in range(len(words) - 1):
        if words[k] in (name, str(ids.get(name))) and words[k + 1] == kind:
            return next(j for j in range(k, len(words)) if words[j] in ("BEGIN", "{"))
    return None


def item_text(quoted):
    """A menu text as shown: "&" marks the access key ("&&" is an "&"), a
    tab puts the rest (the shortcut) at the right."""
    text = quoted[1:].replace('""', '"').replace("\\t", "\t").replace("\\a", "\t").replace("\\\\", "\\")
    text = re.sub(r"&(.)", r"\1", text)
    label, _, shortcut = text.partition("\t")
    return label, shortcut


def read_menu(rc_path, ids_path, page=False, menu_name="IDR_MENU"):
    """The menu resource `menu_name` as a tree: {"text", "items"} for a
    popup, {"separator": True}, and {"text", "id", "checked", "greyed"}
    (with "shortcut" when it has one) for a command. With `page`, the
    page's own items are in it too."""
    ids = read_defines(ids_path)
    words = rc_words(rc_path, page)
    at = resource_body(words, ids, menu_name, "MENU")
    if at is None:
        raise ValueError("%s: no MENU resource %s" % (rc_path, menu_name))

    def value(word):
        if word in ids:
            return ids[word]
        if re.fullmatch(r"\d+", word):
            return int(word)
        raise ValueError("%s: unknown id %s" % (rc_path, word))

    def block(at):
        """Reads the items after BEGIN at `at`: (items, the index after END)."""
        items, k = [], at + 1
        while words[k] not in ("END", "}"):
            kind = words[k]
            if kind == "POPUP":
                label, _ = item_text(words[k + 1])
                k += 2
                while words[k] not in ("BEGIN", "{"):
                    k += 1
                sub, k = block(k)
                items.append({"text": label, "items": sub})
            elif kind == "MENUITEM" and words[k + 1] == "SEPARATOR":
                items.append({"separator": True})
                k += 2
            elif kind == "MENUITEM":
                label, shortcut = item_text(words[k + 1])
                k += 3 if words[k + 2] == "," else 2
                item = {"text": label, "id": value(words[k])}
                k += 1
                flags = set()
                while k < len(words) and (words[k] == "," or words[k] in
                                          ("CHECKED", "GRAYED", "INACTIVE", "HELP", "MENUBREAK", "MENUBARBREAK")):
                    flags.add(words[k])
                    k += 1
                item["checked"] = "CHECKED" in flags
                item["greyed"] = "GRAYED" in flags or "INACTIVE" in flags
                if shortcut:
                    item["shortcut"] = shortcut
                items.append(item)
            else:
                raise ValueError("%s: unexpected %r in the menu" % (rc_path, kind))
        return items, k + 1

    return block(at)[0]


def read_accelerators(rc_path, ids_path, name="IDR_ACCELERATORS"):
    """The accelerator table `name`, or None when the script has none: a
    list of {"key" (a virtual-key code), "id", "control", "shift", "alt"}."""
    ids = read_defines(ids_path)
    words = rc_words(rc_path, True)
    k = resource_body(words, ids, name, "ACCELERATORS")
    if k is None:
        return None
    end = next(j for j in range(k, len(words)) if words[j] in ("END", "}"))
    options = {"VIRTKEY", "ASCII", "CONTROL", "SHIFT", "ALT", "NOINVERT"}
    entries, rest = [], [w for w in words[k + 1:end] if w != ","]
    while rest:
        key, command, rest = rest[0], rest[1], rest[2:]
        flags = set()
        while rest and rest[0] in options:
            flags.add(rest.pop(0))
        if key.startswith('"^'):  # "^O": the letter with Ctrl
            code, flags = ord(key[2].upper()), flags | {"CONTROL"}
        else:
            code = ord(key[1].upper()) if key.startswith('"') else int(key, 0)
        entries.append({"key": code, "id": ids[command] if command in ids else int(command),
                        "control": "CONTROL" in flags, "shift": "SHIFT" in flags, "alt": "ALT" in flags})
    return entries


# --- The bridge's enums ---

def read_enums(paths):
    """The named enums of the headers: {enum: {enumerator: value}}. A value
    is a number, a character or an enumerator read before."""
    enums, values = {}, {}
    for path in paths:
        with open(path, encoding="utf-8") as f:
            text = re.sub(r"//[^\n]*", "", f.read())
        for enum, body in re.findall(r"\benum\s+(\w*)[^{;]*\{([^}]*)\}", text):
            members = enums.setdefault(enum, {})
            for name, v in re.findall(r"(\w+)\s*=\s*('.'|\w+)", body):
                if v.startswith("'"):
                    values[name] = ord(v[1])
                elif v in values:
                    values[name] = values[v]
                elif re.fullmatch(r"\d+|0x[0-9a-fA-F]+", v):
                    values[name] = int(v, 0)
                else:
                    raise ValueError("%s: %s = %s: not a number, a character or an enumerator of %s"
                                     % (path, name, v, " ".join(paths)))
                members[name] = values[name]
    return enums


def unprefixed(members, prefix):
    """The enumerators under their names without `prefix`: kPageKeyDelete is Delete."""
    assert all(name.startswith(prefix) for name in members), (prefix, members)
    return {name[len(prefix):]: v for name, v in members.items()}


def write(path, comment, exports):
    lines = ["// " + comment, "// Written by app/web/make_page_modules.py at build time: do not edit.", ""]
    for name, value in exports:
        lines.append("export const %s = Object.freeze(%s);" % (name, json.dumps(value, indent=2)))
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rc", required=True)
    parser.add_argument("--ids", required=True)
    parser.add_argument("--headers", nargs="+", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    write(os.path.join(args.out, "menu_resource.js"),
          "The window's menu, with the page's own items, and its accelerators, from the resource script.",
          [("MENU", read_menu(args.rc, args.ids, page=True)),
           ("ACCELERATORS", read_accelerators(args.rc, args.ids) or [])])
    enums = read_enums(args.headers)
    write(os.path.join(args.out, "page_bridge.js"),
          "The program's input event kinds and the keys it answers, from its headers.",
          [("EventKind", unprefixed(enums["PageEventKind"], "kPage")),
           ("ANSWERED_KEYS", [v for members in enums.values() for name, v in members.items()
                              if name.startswith("kKey")])])


if __name__ == "__main__":
    main()

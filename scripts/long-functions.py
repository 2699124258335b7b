#!/usr/bin/env python3
"""Lists the functions whose bodies run over a number of lines (100 unless told).

    scripts/long-functions.py [--max-lines N] [FOLDER...]

Reads the C++ sources (.cpp, .h) below each folder (by default app, model, platform, server and
proppages of this checkout) and prints one line per function body longer than N lines, counted
as clang-tidy's readability-function-size counts them: from the line of the opening brace to the
line of the closing one. Exits 1 when a function is too long.
"""

import argparse
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
DEFAULT_FOLDERS = ["app", "model", "platform", "server", "proppages"]
DEFAULT_MAX_LINES = 100


def blank_out(text):
    """The text with comments, literals and preprocessor lines replaced by spaces, so that only
    code braces and parentheses remain; line breaks stay where they were."""
    out = []
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c == "#":
            end = i
            while end < n and (text[end] != "\n" or text[end - 1] == "\\"):
                end += 1
            out.append(re.sub(r"[^\n]", " ", text[i:end]))
            i = end
            continue
        if c == "\n":
            line_start = True
            out.append(c)
            i += 1
            continue
        if not c.isspace():
            line_start = False
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
        elif c == 'R' and text.startswith('"', i + 1) and not (i and (text[i - 1].isalnum() or text[i - 1] == "_")):
            delimiter = text[i + 2:text.find("(", i + 2)]
            end = text.find(")" + delimiter + '"', i)
            end = n if end < 0 else end + len(delimiter) + 2
        elif c in "\"'" and not (c == "'" and i and text[i - 1].isalnum()):
            end = i + 1
            while end < n and text[end] != c and text[end] != "\n":
                end += 2 if text[end] == "\\" else 1
            end += 1
        else:
            out.append(c)
            i += 1
            continue
        out.append(re.sub(r"[^\n]", " ", text[i:end]))
        i = end
    return "".join(out)


def matching_brace(code, start):
    depth = 0
    for i in range(start, len(code)):
        if code[i] == "{":
            depth += 1
        elif code[i] == "}":
            depth -= 1
            if depth == 0:
                return i
    return len(code) - 1


SCOPE = re.compile(r"\b(namespace|extern)\b")
TYPE = re.compile(r"\b(class|struct|union)\b")
ENUM = re.compile(r"\benum\b")
CONSTRUCTOR_INIT = re.compile(r"\)\s*(noexcept\s*)?:(?!:)")


def function_name(head):
    depth = 0
    for i, c in enumerate(head):
        if c == "(" and depth == 0:
            name = re.search(r"([\w:~]+(?:<[^()]*>)?\s*(?:operator\s*\S+?)?)\s*$", head[:i])
            return name.group(1).strip() if name else "?"
        depth += c == "<"
        depth -= c == ">" and depth > 0
    return "?"


def long_functions(code, max_lines):
    """(line, name, lines) for each function defined at namespace or class scope whose body
    runs over max_lines lines."""
    found = []

    def scan(begin, end):
        head_start = begin
        i = begin
        while i < end:
            c = code[i]
            if c in ";}":
                head_start = i + 1
            elif c == "{":
                head = code[head_start:i]
                close = matching_brace(code, i)
                before = head.rstrip()[-1:] if head.strip() else ""
                if SCOPE.search(head) and "(" not in head:
                    scan(i + 1, close)
                elif ENUM.search(head):
                    pass
                elif TYPE.search(head) and "(" not in head and "=" not in head:
                    scan(i + 1, close)
                elif ")" in head and "=" not in head.split("(")[0]:
                    if CONSTRUCTOR_INIT.search(head) and (before.isalnum() or before in "_>"):
                        i = close + 1  # a member's brace initialiser: the body comes later
                        continue
                    lines = code.count("\n", i, close)
                    if lines > max_lines:
                        found.append((code.count("\n", 0, i) + 1, function_name(head), lines))
                i = close
                head_start = close + 1
            i += 1

    scan(0, len(code))
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--max-lines", type=int, default=DEFAULT_MAX_LINES)
    parser.add_argument("folders", nargs="*")
    args = parser.parse_args()
    folders = [pathlib.Path(f) for f in args.folders] or [ROOT / f for f in DEFAULT_FOLDERS]
    failed = False
    for folder in folders:
        for path in sorted(p for p in folder.rglob("*") if p.suffix in (".cpp", ".h")):
            shown = path.resolve().relative_to(ROOT) if path.resolve().is_relative_to(ROOT) else path
            code = blank_out(path.read_text(encoding="utf-8", errors="replace"))
            for line, name, lines in long_functions(code, args.max_lines):
                failed = True
                print(f"{shown}:{line}: {name} runs {lines} lines (at most {args.max_lines})")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())

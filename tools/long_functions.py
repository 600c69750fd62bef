#!/usr/bin/env python3
"""Lists the C++ functions whose bodies are longer than a limit (80 lines unless --limit says).

    tools/long_functions.py [--limit N] [DIR_OR_FILE...]

Without arguments it reads the program's sources: kb/, engine/, diagnostics/, cli/, ui/ and app/,
tests and their support files left out. A body is a brace block that follows a parameter list
(and const, override, noexcept, a trailing return type or a constructor's initializers) and is not
nested in another body; lambdas count with the function around them. Comments and string and
character literals are blanked first, so braces inside them do not count. Prints FILE:LINE: NAME
LENGTH for each and exits 1 when there is any.
"""
import argparse
import pathlib
import re
import sys

DEFAULT_DIRS = ["kb", "engine", "diagnostics", "cli", "ui", "app"]
CONTROL = {"if", "for", "while", "switch", "catch", "return"}


def blank(src):
    """The source with comments and literals replaced by spaces (line breaks kept)."""
    def spaces(m):
        return re.sub(r"[^\n]", " ", m.group())
    pattern = re.compile(
        r'//[^\n]*|/\*.*?\*/'                                   # comments
        r'|(?:u8|[uUL])?R"(?P<d>[^(\s]*)\(.*?\)(?P=d)"'         # raw strings
        r'|(?:u8|[uUL])?"(?:\\.|[^"\\\n])*"'                    # strings
        r"|(?<![0-9])(?:u8|[uUL])?'(?:\\.|[^'\\\n])+'",          # characters, not 1'000
        re.S)
    return pattern.sub(spaces, src)


def function_name(before):
    """The name before the parameter list that ends `before`, or None when it is no function."""
    if not re.search(r"\)\s*(?:const|override|noexcept|final|mutable|->\s*[\w:<>,\s*&]+|\s)*$"
                     r"|\)\s*:\s*[^;{}]*\)\s*$", before[-400:]):
        return None
    while True:
        depth, k = 0, len(before) - 1
        while k >= 0:  # back to the "(" of the last parameter list or member initializer
            if before[k] == ")":
                depth += 1
            elif before[k] == "(":
                depth -= 1
                if depth == 0:
                    break
            k -= 1
        m = re.search(r"([\w:~<>]+)\s*$", before[:k])
        if m is None or m.group(1) in CONTROL:
            return None
        rest = before[:m.start()].rstrip()
        # A member initializer: the constructor's own parameter list comes before it.
        if rest.endswith(",") or (rest.endswith(":") and not rest.endswith("::")):
            before = rest[:-1].rstrip()
            continue
        return m.group(1)


def long_functions(path, limit):
    src = blank(path.read_text(encoding="utf-8", errors="replace"))
    stack, found = [], []
    for m in re.finditer(r"[{}]", src):
        if m.group() == "{":
            name = None if any(s[1] for s in stack) else function_name(src[:m.start()].rstrip())
            stack.append((src.count("\n", 0, m.start()) + 1, name))
        elif stack:
            line, name = stack.pop()
            length = src.count("\n", 0, m.start()) - line
            if name is not None and length > limit:
                found.append((line, name, length))
    return found


def sources(args):
    for arg in args or DEFAULT_DIRS:
        p = pathlib.Path(arg)
        files = [p] if p.is_file() else sorted(list(p.glob("*.cpp")) + list(p.glob("*.h")))
        for f in files:
            if not re.search(r"_test\.cpp$|test_support|_test_|test_file_store", f.name):
                yield f


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--limit", type=int, default=80)
    parser.add_argument("paths", nargs="*")
    args = parser.parse_args()
    any_found = False
    for f in sources(args.paths):
        for line, name, length in long_functions(f, args.limit):
            print(f"{f}:{line}: {name} {length} lines")
            any_found = True
    return 1 if any_found else 0


if __name__ == "__main__":
    sys.exit(main())

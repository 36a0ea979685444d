#!/usr/bin/env python3
"""Checks the allocation rule of docs/architecture.md in the library's folders, line by line.

Library code never throws: no throw, try or catch, and no std::thread (its constructor throws;
the platform's JoinableThread and startThread fail with a result instead). Every array new
takes (std::nothrow), since arrays are where a file or an application decides the size.
Comments and string literals are not looked at.

Usage: check-allocations.py [REPOSITORY_ROOT]; exits with 1 when it lists anything.
"""
import os
import re
import sys

LIBRARY = ["core", "dsp", "platform", "xml", "io", "decoders", "engine", "drivers", "api"]
SOURCE_SUFFIXES = (".h", ".hpp", ".c", ".cpp")

RULES = [
    (re.compile(r"\b(throw|try|catch)\b"), "throws or catches"),
    (re.compile(r"\bstd::thread\b"), "uses std::thread, whose constructor throws"),
    (re.compile(r"\bnew\s+(?!\(\s*std::nothrow\s*\))[A-Za-z_][\w:<>, ]*\["),
     "allocates an array without (std::nothrow)"),
]

CODE_PARTS = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)


def blank(match):
    """Comments and literals become spaces, keeping the line breaks."""
    text = match.group(0)
    if text.startswith('"') or text.startswith("'"):
        return text[0] + " " * (len(text) - 2) + text[-1]
    return re.sub(r"[^\n]", " ", text)


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), os.pardir))
    problems = []
    for folder in LIBRARY:
        for directory, subdirectories, files in os.walk(os.path.join(root, folder)):
            subdirectories.sort()
            for name in sorted(files):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.join(directory, name)
                with open(path, encoding="utf-8", errors="replace") as source:
                    code = CODE_PARTS.sub(blank, source.read())
                for number, line in enumerate(code.splitlines(), 1):
                    for pattern, what in RULES:
                        if pattern.search(line):
                            problems.append(f"{os.path.relpath(path, root)}:{number}: {what}")
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} allocation rule problem(s)")
        return 1
    print("the allocation rule holds")
    return 0


if __name__ == "__main__":
    sys.exit(main())

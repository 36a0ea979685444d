#!/usr/bin/env python3
"""Lists every include that breaks the layering of the library, with its file and line.

The layers, bottom to top, are the table of docs/architecture.md (rank, folder, library). A file
of a layer may include the public headers (include/dravon/), its own layer and the layers of a
lower rank; never a layer of its own rank or above. Includes are resolved as the compiler does
(a quoted include first beside the including file, then from the repository root and include/),
so a relative "../engine/X.h" is caught too. The programs that show how an application uses
the library (tools/, examples/, plugins/) may include only the public headers and files of their
own folder. The CMake layers (dravon_add_layer in the CMakeLists.txt files) must be the table's,
each using only layers of a lower rank.

Usage: check-layers.py [REPOSITORY_ROOT]; exits with 1 when it lists anything.
"""
import os
import re
import sys

SOURCE_SUFFIXES = (".h", ".hpp", ".c", ".cpp")
# Folders of the repository that belong to no layer: tests and tools of the project itself.
OUTSIDE_LAYERS = {"tests", "bench", "fuzz", "scripts", "docs", "cmake"}
# Programs that use the library as an application does.
CLIENTS = {"tools", "examples", "plugins"}
PUBLIC = "include"
DOCUMENT = os.path.join("docs", "architecture.md")

TABLE_ROW = re.compile(r"^\|\s*(\d+)\s*\|\s*`([\w/]+?)/?`\s*\|\s*`(\w+)`\s*\|")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
LAYER_CALL = re.compile(r"dravon_add_layer\(([^)]*)\)", re.S)


def read_layers(root, problems):
    """The table of the document: {folder: (rank, library)}."""
    layers = {}
    path = os.path.join(root, DOCUMENT)
    try:
        with open(path, encoding="utf-8") as document:
            for line in document:
                match = TABLE_ROW.match(line)
                if match:
                    layers[match.group(2)] = (int(match.group(1)), match.group(3))
    except OSError as error:
        problems.append(f"{DOCUMENT}: cannot be read ({error.strerror})")
    if not layers and os.path.exists(path):
        problems.append(f"{DOCUMENT}: no table of layers (| rank | `folder/` | `library` | ...)")
    return layers


def layer_of(relative, layers):
    """The folder of the layer that holds the file `relative`, or None."""
    folder = os.path.dirname(relative).replace(os.sep, "/")
    while folder:
        if folder in layers:
            return folder
        folder = os.path.dirname(folder)
    return None


def resolve(root, including, quoted, name):
    """The file an include reaches, relative to the root, or None when it is not ours."""
    candidates = [os.path.join(os.path.dirname(including), name)] if quoted else []
    candidates += [os.path.join(root, name), os.path.join(root, PUBLIC, name)]
    for candidate in candidates:
        if os.path.isfile(candidate):
            return os.path.relpath(os.path.realpath(candidate), os.path.realpath(root))
    return None


def source_files(root):
    for top in sorted(os.listdir(root)):
        if top.startswith(".") or top.startswith("build") or top in OUTSIDE_LAYERS:
            continue
        if not os.path.isdir(os.path.join(root, top)):
            continue
        for directory, subdirectories, files in os.walk(os.path.join(root, top)):
            subdirectories.sort()
            for name in sorted(files):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.relpath(os.path.join(directory, name), root)


def check_includes(root, layers, problems):
    for relative in source_files(root):
        top = relative.split(os.sep)[0]
        own = None if top in CLIENTS or top == PUBLIC else layer_of(relative, layers)
        if top not in CLIENTS and top != PUBLIC and own is None:
            problems.append(f"{relative}: lies in no layer of {DOCUMENT}")
            continue
        path = os.path.join(root, relative)
        with open(path, encoding="utf-8", errors="replace") as source:
            for number, line in enumerate(source, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                quoted, name = match.group(1) == '"', match.group(2)
                target = resolve(root, path, quoted, name)
                if target is None:
                    if quoted:
                        problems.append(f"{relative}:{number}: \"{name}\" is no file of ours")
                    continue
                where = f"{relative}:{number}: includes {target}"
                if target.startswith(PUBLIC + os.sep):
                    continue
                if own is None:
                    # A client, or a public header: only the public headers and its own folder.
                    if os.path.dirname(target) != os.path.dirname(relative):
                        problems.append(f"{where}, which is not a public header")
                    continue
                theirs = layer_of(target, layers)
                if theirs is None:
                    problems.append(f"{where}, which lies in no layer")
                elif theirs != own and layers[theirs][0] >= layers[own][0]:
                    problems.append(f"{where} of layer {layers[theirs][0]} ({theirs}/) from "
                                    f"layer {layers[own][0]} ({own}/)")


def check_cmake(root, layers, problems):
    folders = {library: folder for folder, (_, library) in layers.items()}
    declared = {}
    for directory, subdirectories, files in os.walk(root):
        at_top = directory == root
        subdirectories[:] = sorted(
            d for d in subdirectories if not d.startswith(".") and not d.startswith("build") and
            not (at_top and d in OUTSIDE_LAYERS))
        if "CMakeLists.txt" not in files:
            continue
        path = os.path.join(directory, "CMakeLists.txt")
        with open(path, encoding="utf-8") as lists:
            text = re.sub(r"#[^\n]*", "", lists.read())
        for call in LAYER_CALL.finditer(text):
            words = call.group(1).split()
            library, folder = words[0], words[1].rstrip("/")
            where = os.path.relpath(path, root)
            if folders.get(library) != folder:
                problems.append(f"{where}: layer {library} of {folder}/ is not in the table of "
                                f"{DOCUMENT}")
                continue
            declared[library] = True
            uses = words[words.index("USES") + 1:] if "USES" in words else []
            uses = uses[:next((i for i, w in enumerate(uses) if w == "SOURCES"), len(uses))]
            for used in uses:
                if used not in folders:
                    problems.append(f"{where}: {library} uses {used}, which is no layer")
                elif layers[folders[used]][0] >= layers[folder][0]:
                    problems.append(f"{where}: {library} (layer {layers[folder][0]}) uses "
                                    f"{used} (layer {layers[folders[used]][0]})")
    for library, folder in sorted(folders.items()):
        if library not in declared:
            problems.append(f"{DOCUMENT}: {folder}/ has no dravon_add_layer({library} {folder})")


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), os.pardir))
    problems = []
    layers = read_layers(root, problems)
    if layers:
        check_includes(root, layers, problems)
        check_cmake(root, layers, problems)
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} layering problem(s)")
        return 1
    print(f"{len(layers)} layers hold")
    return 0


if __name__ == "__main__":
    sys.exit(main())

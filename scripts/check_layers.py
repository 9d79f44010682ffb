#!/usr/bin/env python3
"""Checks that the code keeps to its layers.

1. Every `#include "folder/..."` of a library's sources names a header of that
   library or of one it links (directly or through others), as the CMake link
   lines say (add_library with target_link_libraries, or tarvik_add_qt_library).
2. No library outside a `qt/` folder includes a Qt header.
3. Every text constant a header declares (`inline constexpr const char* k...`
   and std::array lists of them) stands in the one catalog ui/texts.h; a
   source file may keep its private formats and tables.
4. The library graph drawn in ARCHITECTURE.md (the mermaid block) has exactly
   the edges of the CMake link lines; a node is the library's folder
   with "_" for "/" (`views_qt` for views/qt).

Usage: scripts/check_layers.py [--graph] [source root]   (exit 0 when all hold)
  --graph  print the edges of the CMake link lines, as the mermaid block wants them
"""
import os
import re
import sys

ARGS = [a for a in sys.argv[1:] if a != "--graph"]
ROOT = os.path.abspath(ARGS[0] if ARGS else os.path.join(os.path.dirname(__file__), ".."))
SKIP_DIRS = {"tests", "bench", "fuzz", "tools", "testdata", "examples", "scripts"}
TEXT_CONSTANT = re.compile(r'^\s*inline constexpr (?:const char\*|std::array<const char\*,[^>]*>) '
                           r'k\w+[\s={]*"', re.M)
EXTERNAL = re.compile(r"^(Qt6::|Threads::|PRIVATE$|PUBLIC$|INTERFACE$|benchmark::|GTest::)")


def cmake_files():
    for top in sorted(os.listdir(ROOT)):
        path = os.path.join(ROOT, top, "CMakeLists.txt")
        if top not in SKIP_DIRS and os.path.isfile(path):
            yield top, path


def strip_comments(text):
    return "\n".join(line.split("#", 1)[0] for line in text.splitlines())


def read_libraries():
    """name -> (home folder, [direct deps]) for every library of the tree."""
    libs = {}
    for top, path in cmake_files():
        text = strip_comments(open(path, encoding="utf-8").read())
        for m in re.finditer(r"add_library\(\s*(\S+)\s+STATIC\s+([^)]*)\)", text):
            name, sources = m.group(1), m.group(2).split()
            qt = sources and all(s.startswith("qt/") for s in sources)
            libs[name] = [top + "/qt" if qt else top, []]
        # tarvik_add_qt_library(name SOURCES qt/... LIBS lib ... [COMPONENTS ...])
        for m in re.finditer(r"tarvik_add_qt_library\(\s*(\S+)\s+SOURCES\s+([^)]*?)\s+LIBS\s+"
                             r"([^)]*?)\s*(?:COMPONENTS\s+[^)]*)?\)", text):
            libs[m.group(1)] = [top + "/qt", m.group(3).split()]
        for m in re.finditer(r"target_link_libraries\(\s*(\S+)\s+([^)]*)\)", text):
            name = m.group(1)
            if name in libs:
                libs[name][1] += [d for d in m.group(2).split() if not EXTERNAL.match(d)]
    return {k: (v[0], sorted(set(v[1]))) for k, v in libs.items()}


def closure(libs, name, seen=None):
    seen = set() if seen is None else seen
    for dep in libs.get(name, ("", []))[1]:
        if dep not in seen:
            seen.add(dep)
            closure(libs, dep, seen)
    return seen


def source_files(home):
    folder = os.path.join(ROOT, home)
    for dirpath, dirnames, filenames in os.walk(folder):
        rel = os.path.relpath(dirpath, ROOT)
        dirnames[:] = [d for d in dirnames
                       if d not in SKIP_DIRS and (home.endswith("/qt") or d != "qt")]
        for f in filenames:
            if f.endswith((".cpp", ".h")):
                yield os.path.join(rel, f)


def owner_of(header, homes):
    """The library whose home holds the included header (longest match)."""
    best = None
    for name, home in homes.items():
        if header.startswith(home + "/") and "/" not in header[len(home) + 1:]:
            if best is None or len(home) > len(homes[best]):
                best = name
    return best


def diagram_edges():
    path = os.path.join(ROOT, "ARCHITECTURE.md")
    if not os.path.isfile(path):
        return None
    text = open(path, encoding="utf-8").read()
    m = re.search(r"```mermaid\n(.*?)```", text, re.S)
    if not m:
        return None
    return {(a, b) for a, b in re.findall(r"^\s*(\S+)\s*-->\s*(\S+)\s*$", m.group(1), re.M)}


def main():
    libs = read_libraries()
    homes = {name: home for name, (home, _) in libs.items()}
    problems = []

    for name, (home, _) in sorted(libs.items()):
        allowed = closure(libs, name) | {name}
        for src in source_files(home):
            text = open(os.path.join(ROOT, src), encoding="utf-8").read()
            for inc in re.findall(r'^\s*#\s*include\s+"([^"]+)"', text, re.M):
                lib = owner_of(inc, homes)
                if lib is not None and lib not in allowed:
                    problems.append(f"{src}: includes {inc} of {lib}, which {name} does not link")
            if (src.endswith(".h") and src != os.path.join("ui", "texts.h")
                    and TEXT_CONSTANT.search(text)):
                problems.append(f"{src}: a text constant outside ui/texts.h")
            if not home.endswith("/qt") and re.search(r"^\s*#\s*include\s+<Q", text, re.M):
                problems.append(f"{src}: includes Qt outside a qt/ folder")

    ids = {n: h.replace("/", "_") for n, h in homes.items()}
    linked = {(ids[a], ids[b]) for a, (_, deps) in libs.items() for b in deps if b in homes}
    if "--graph" in sys.argv[1:]:
        for a, b in sorted(linked):
            print(f"  {a} --> {b}")
        return 0
    drawn = diagram_edges()
    if drawn is None:
        problems.append("ARCHITECTURE.md: no mermaid block with the library graph")
    else:
        for a, b in sorted(linked - drawn):
            problems.append(f"ARCHITECTURE.md: the graph lacks {a} --> {b}")
        for a, b in sorted(drawn - linked):
            problems.append(f"ARCHITECTURE.md: the graph shows {a} --> {b}, which CMake does not link")

    for p in problems:
        print(p)
    print(f"layers: {len(libs)} libraries, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

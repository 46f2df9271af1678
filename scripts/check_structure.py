#!/usr/bin/env python3
"""Keeps the program's structure as it is meant to be, from the #include lines alone.

Each folder is two parts: its portable core and its Win32 glue (files whose names end in _win). The
parts stand in layers, drawn in the README: a part includes only its own folder's parts and parts of
lower layers, so that includes run one way. Glue sits on the whole core; the core never includes glue or
a Win32 header. Inside the engine, its folders stand in layers of their own (engine/DESIGN.md). The
check also fails on a program file over 600 lines.
With --graph it prints which part includes which.
"""
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PROGRAM = ["app", "assessment", "cli", "editing", "engine", "exchange", "model", "options", "report", "resources", "shell",
           "text", "ui", "view"]
WIN32_HEADERS = {"windows.h", "windowsx.h", "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h", "process.h"}
# Top to bottom; a part may include the parts of the layers below its own.
CORE_LAYERS = [["cli", "shell"], ["app"], ["report"], ["assessment"], ["editing"], ["view"], ["options", "exchange"],
               ["engine"], ["model"], ["text"], ["resources"]]
GLUE_LAYERS = [["shell"], ["view"], ["editing", "options", "engine", "report"], ["ui"], ["model"]]
# The engine's own folders, top to bottom, drawn in engine/DESIGN.md; its core includes run one way
# between them as between the program's parts.
ENGINE_LAYERS = [["construction"], ["checks"], ["clipper", "index", "run"], ["geometry"]]
MOST_LINES = 600
INCLUDE = re.compile(r'#\s*include\s*([<"])([^>"]+)[>"]')


def part_of(path):
    return f"{path.parts[0]}/{'glue' if path.stem.endswith('_win') else 'core'}"


def read_program():
    files = {}
    for folder in PROGRAM:
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix in (".h", ".cpp"):
                files[path.relative_to(ROOT)] = path.read_text(errors="replace").splitlines()
    return files


def layer(part):
    """The layer of a part, counted from the top, or None when no layer holds it."""
    folder, kind = part.split("/")
    for depth, folders in enumerate(CORE_LAYERS if kind == "core" else GLUE_LAYERS):
        if folder in folders:
            return depth
    return None


def include_fault(here, there):
    """Why a file of part here may not include one of part there, or None."""
    if here.split("/")[0] == there.split("/")[0]:
        return None
    if here.endswith("/glue") and there.endswith("/core"):
        return None if layer(there) is not None else f"{there} stands in no layer"
    if here.endswith("/core") and there.endswith("/glue"):
        return None  # told as portable code including Win32
    mine, theirs = layer(here), layer(there)
    if mine is None or theirs is None:
        return f"{here if mine is None else there} stands in no layer; add it to the layers"
    if theirs <= mine:
        return f"{there} is not below {here}"
    return None


def engine_fault(path, name):
    """Why an engine core file may not include the engine header name, or None."""
    def depth(parts):
        if len(parts) < 3:
            return None
        return next((d for d, folders in enumerate(ENGINE_LAYERS) if parts[1] in folders), None)

    mine, theirs = depth(path.parts), depth(Path(name).parts)
    if mine is None or theirs is None:
        return f"{path if mine is None else name} stands in no engine folder; put it in one of engine/DESIGN.md's layers"
    if path.parts[1] != Path(name).parts[1] and theirs <= mine:
        return f"engine/{Path(name).parts[1]} is not below engine/{path.parts[1]}"
    return None


def main():
    faults, graph = [], {}
    for path, lines in read_program().items():
        here = part_of(path)
        if len(lines) > MOST_LINES:
            faults.append(f"{path}: {len(lines)} lines; split it (at most {MOST_LINES} a file)")
        for number, line in enumerate(lines, 1):
            match = INCLUDE.match(line.strip())
            if not match:
                continue
            quoted, name = match.group(1) == '"', match.group(2)
            where = f"{path}:{number}"
            if here.endswith("/core") and (name in WIN32_HEADERS or Path(name).stem.endswith("_win")):
                faults.append(f"{where}: portable code includes {name}; move the Win32 part into a _win file")
            if quoted and "/" in name:
                there = part_of(Path(name))
                fault = include_fault(here, there)
                if not fault and here == "engine/core" and there == "engine/core":
                    fault = engine_fault(path, name)
                if fault:
                    faults.append(f"{where}: {here} includes {name}; {fault}")
                if there != here:
                    graph.setdefault(here, set()).add(there)
    if "--graph" in sys.argv:
        for part in sorted(graph):
            print(f"{part} -> {' '.join(sorted(graph[part]))}")
    for fault in faults:
        print(f"structure: {fault}", file=sys.stderr)
    if not faults:
        print(f"structure: {len(graph)} parts include others, each only the layers below; no file over {MOST_LINES} lines")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

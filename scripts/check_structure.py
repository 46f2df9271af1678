#!/usr/bin/env python3
"""Keeps the program's structure as it is meant to be, from the #include lines alone.

Each folder is two parts: its portable core and its Win32 glue (files whose names end in _win). The
check fails on a cycle between parts, on a core file that includes glue or a Win32 header, on any part
that includes the shell's glue (it sits on top), and on a program file over 600 lines.
With --graph it prints which part includes which.
"""
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PROGRAM = ["app", "assessment", "cli", "editing", "engine", "exchange", "model", "options", "report", "resources", "shell",
           "text", "ui", "view"]
WIN32_HEADERS = {"windows.h", "windowsx.h", "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h", "process.h"}
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


def find_cycle(graph):
    """A list of parts that include each other in a circle, or None."""
    state, trail = {}, []

    def visit(node):
        state[node] = "open"
        trail.append(node)
        for nxt in sorted(graph.get(node, ())):
            if state.get(nxt) == "open":
                return trail[trail.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt)
                if found:
                    return found
        state[node] = "done"
        trail.pop()
        return None

    for node in sorted(graph):
        if node not in state:
            found = visit(node)
            if found:
                return found
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
                if there == "shell/glue" and here != there:
                    faults.append(f"{where}: {here} includes {name}; nothing may include the shell's glue")
                if there != here:
                    graph.setdefault(here, set()).add(there)
    cycle = find_cycle(graph)
    if cycle:
        faults.append("parts include each other in a circle: " + " -> ".join(cycle))
    if "--graph" in sys.argv:
        for part in sorted(graph):
            print(f"{part} -> {' '.join(sorted(graph[part]))}")
    for fault in faults:
        print(f"structure: {fault}", file=sys.stderr)
    if not faults:
        print(f"structure: {len(graph)} parts include others, in one direction; no file over {MOST_LINES} lines")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

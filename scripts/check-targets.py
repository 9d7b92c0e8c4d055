#!/usr/bin/env python3
"""Checks the dependency graph of the project's targets (a CMake --graphviz file).

- no cycle;
- no arrow from a host library to a plug-in folder or program;
- among the plug-in's page folders only the shared code tree is used by import and export, and compare by
  the batch download; the write road (Edit) sits below every page and uses none; the workspace sits above
  the pages and the plug-in above the workspace;
- the rooms that programs without a display use (model, link, driveserver, database, device, files) reach
  no view library, and neither does servo-cli, nor any plug-in folder.
With --libdir DIR, also checks with ldd that those rooms' shared libraries, and servo-cli beside them in
DIR/../bin, do not load Qt Widgets.
Prints what is wrong and exits 1; exits 0 when the graph keeps to the rules."""
import re
import subprocess
import sys

HOST = {"Logger", "Setting", "Database", "DriveModel", "DriveLink", "DriveServer", "Device", "Files",
        "ViewBase", "Services", "ViewComposite", "Detail", "BatchReadWrite", "ServoResources",
        "ServoTranslations"}
PAGES = {"Tables", "Records", "CodeTree", "Import", "Export", "Compare", "BatchDownload", "Faults"}
EDIT = "Edit"
PLUGIN = PAGES | {EDIT, "Workspace", "pluginFuncode_Servo"}
ALLOWED_PAGE_EDGES = {("Import", "CodeTree"), ("Export", "CodeTree"), ("BatchDownload", "Compare")}
HEADLESS = {"DriveModel", "DriveLink", "DriveServer", "Database", "Device", "Files"}
VIEWS = {"ViewBase", "ViewComposite", "Services", "Detail", "BatchReadWrite"}
HEADLESS_PROGRAMS = {"servo-cli"}


def read_graph(path):
    names, edges = {}, set()
    for line in open(path, encoding="utf-8"):
        node = re.match(r'\s*"(node\d+)" \[ label = "([^"]+)"', line)
        if node:
            names[node.group(1)] = node.group(2)
        edge = re.match(r'\s*"(node\d+)" -> "(node\d+)"', line)
        if edge:
            edges.add((edge.group(1), edge.group(2)))
    graph = {}
    for a, b in edges:
        graph.setdefault(names[a], set()).add(names[b])
    return graph


def find_cycle(graph):
    state, stack = {}, []

    def visit(node):
        state[node] = 1
        stack.append(node)
        for succ in sorted(graph.get(node, ())):
            if state.get(succ) == 1:
                return stack[stack.index(succ):] + [succ]
            if succ not in state:
                cycle = visit(succ)
                if cycle:
                    return cycle
        stack.pop()
        state[node] = 2
        return None

    for node in sorted(graph):
        if node not in state:
            cycle = visit(node)
            if cycle:
                return cycle
    return None


def reach(graph, start):
    seen, todo = set(), [start]
    while todo:
        for succ in graph.get(todo.pop(), ()):
            if succ not in seen:
                seen.add(succ)
                todo.append(succ)
    return seen


def problems(graph):
    found = []
    cycle = find_cycle(graph)
    if cycle:
        found.append("cycle: " + " -> ".join(cycle))
    for a, succs in sorted(graph.items()):
        for b in sorted(succs):
            if a in HOST and b not in HOST:
                found.append(f"host library {a} uses {b}")
            if a in PAGES and b in PAGES and (a, b) not in ALLOWED_PAGE_EDGES:
                found.append(f"plug-in folder {a} uses plug-in folder {b}")
            if a == EDIT and b in PLUGIN:
                found.append(f"the write road {a} uses plug-in folder {b}")
    for lib in sorted(HEADLESS):
        views = reach(graph, lib) & VIEWS
        if views:
            found.append(f"{lib} reaches view libraries {sorted(views)}")
    for program in sorted(HEADLESS_PROGRAMS & set(graph)):
        views = reach(graph, program) & (VIEWS | PLUGIN)
        if views:
            found.append(f"{program} reaches view libraries or plug-in folders {sorted(views)}")
    return found


def widget_problems(libdir):
    found = []
    for lib in sorted(HEADLESS):
        out = subprocess.run(["ldd", f"{libdir}/lib{lib}.so"], capture_output=True, text=True).stdout
        if "libQt5Widgets" in out:
            found.append(f"lib{lib}.so loads Qt Widgets")
    for program in sorted(HEADLESS_PROGRAMS):
        path = f"{libdir}/../bin/{program}"
        out = subprocess.run(["ldd", path], capture_output=True, text=True).stdout
        if "libQt5Widgets" in out:
            found.append(f"{program} loads Qt Widgets")
    return found


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    found = problems(read_graph(argv[1]))
    if len(argv) == 4 and argv[2] == "--libdir":
        found += widget_problems(argv[3])
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

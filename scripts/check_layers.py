#!/usr/bin/env python3
"""Fails on any include that runs against the layers of src/layers.txt.

A folder of the program includes only its own headers and those of the
layers listed before it; folders of one layer do not include each other.
Only the Win32 layer (platform/win and files named *_win.*) includes
<windows.h> and its kin or a Win32 header of the program. The stand-in in
hostsim/ implements the host layer and includes nothing else of src/, and
the program includes nothing of it.

    scripts/check_layers.py [REPOSITORY]

Prints one line per wrong include and exits with 1 when there is any.
"""
import pathlib
import re
import sys

WINDOWS_HEADERS = {"windows.h", "commctrl.h", "commdlg.h", "prsht.h", "shellapi.h",
                   "shlobj.h", "shlwapi.h", "winuser.h", "winbase.h", "objbase.h"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def read_layers(src):
    """Maps each folder (relative to src/, with '/') to its layer's index."""
    levels = {}
    lines = (src / "layers.txt").read_text(encoding="utf-8").splitlines()
    for level, line in enumerate(l for l in lines if l.strip() and not l.startswith("#")):
        for folder in line.split():
            levels[folder] = level
    return levels


def folder_of(path, levels):
    """The longest layer folder that `path` (relative to src/) lies in."""
    best = None
    for folder in levels:
        if path.startswith(folder + "/") and (best is None or len(folder) > len(best)):
            best = folder
    return best


def is_win32(path):
    return path.startswith("platform/win/") or re.search(r"_win\.(h|cpp)$", path) is not None


def check_program(src, levels):
    problems = []
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        path = file.relative_to(src).as_posix()
        mine = folder_of(path, levels)
        for number, line in enumerate(file.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            kind, target = match.groups()
            where = f"src/{path}:{number}"
            if kind == "<":
                if target.lower() in WINDOWS_HEADERS and not is_win32(path):
                    problems.append(f"{where}: <{target}> outside the Win32 layer")
                continue
            theirs = folder_of(target, levels)
            if theirs is None:
                problems.append(f"{where}: \"{target}\" is not a header of a layer in src/")
            elif mine is None:
                problems.append(f"{where}: the file lies in no layer of src/layers.txt")
            elif is_win32(target) and not is_win32(path):
                problems.append(f"{where}: \"{target}\" is Win32 code, {path} is not")
            elif theirs != mine and levels[theirs] >= levels[mine]:
                relation = "the same layer" if levels[theirs] == levels[mine] else "a higher layer"
                problems.append(f"{where}: {mine} includes \"{target}\" of {relation} ({theirs})")
    return problems


def check_stand_in(root, levels):
    problems = []
    for file in sorted((root / "hostsim").rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        for number, line in enumerate(file.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if match and match.group(1) == '"':
                target = match.group(2)
                folder = folder_of(target, levels)
                if folder is not None and folder != "host":
                    where = f"{file.relative_to(root).as_posix()}:{number}"
                    problems.append(f"{where}: the stand-in includes program code \"{target}\"")
    for file in sorted((root / "src").rglob("*")):
        if file.suffix in (".h", ".cpp") and "hostsim/" in file.read_text(encoding="utf-8"):
            problems.append(f"{file.relative_to(root).as_posix()}: the program reaches into hostsim/")
    return problems


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else
                        pathlib.Path(__file__).resolve().parent.parent)
    src = root / "src"
    levels = read_layers(src)
    problems = check_program(src, levels) + check_stand_in(root, levels)
    for problem in problems:
        print(problem)
    print(f"layers: {len(problems)} wrong include(s) in {len(levels)} folders")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

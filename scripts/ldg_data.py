#!/usr/bin/env python3
"""The data files the scripts read and write.

- Edition files beside each program: <prefix>_GaiKmk.dat (item
  definitions, "itemNo/side/classes/name/key;") and <prefix>_DefKmk.dat
  (default mapping, "itemNo/source,source,"). Shift_JIS, CR LF, the body
  between the lines "[共通様式]" and "[終了]".
- Saved conditions, QB16_G_<user>_<first>_<second>.env: Shift_JIS, LF
  only; "[P1]", "endMonth/taxInclusive/0/path", "[終了]", "[P2/P3]", one
  "itemNo/accountId[END]" line per mapping entry, "[終了]".
- The host stand-in's state file (JSON, UTF-8).

As a command, it prepares the files of a run for the scripts:

  ldg_data.py state SOURCE OUT --dataset NO --folder WINFOLDER
      a copy of the host state SOURCE that opens dataset NO, with the
      output folder WINFOLDER\\ and the conditions folder
      WINFOLDER\\conditions\\ (Windows paths, as the program sees them)
  ldg_data.py conditions STATE FOLDER --entries N [--outside ITEM] [--output PATH]
      the saved conditions of STATE's user and open dataset in FOLDER,
      mapping N entries for the select edition: main accounts to the items
      whose classes they carry, in turn; with --outside the first entry
      maps item ITEM to an account outside its classes, so that the
      item's account dialog lists every account
"""

import argparse
import collections
import json
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EDITIONS_DIR = os.path.join(ROOT, "editions")
SAMPLE_STATE = os.path.join(ROOT, "samples", "sample-company.json")

EDITIONS = ("LdgSel18ToQb16_G", "LdgAdv18ToQb16_G", "LdgBas18ToQb16_G")
SELECT_EDITION = EDITIONS[0]
HEADER = "[共通様式]".encode("cp932")
TERMINATOR = "[終了]".encode("cp932")

# Figure keyword -> class code of the host row that gives the figure.
FIGURE_KEYWORDS = {
    "URIAGEDAKA": 0x40888000, "URIAGEGENKA": 0x40884000, "URIAGESOURIEKI": 0x40880008,
    "EIGYOUSONEKI": 0x40880000, "ZEIBIKIMAE": 0x40200080, "SOREIGAI": 0x80800000,
    "SISAN": 0x80800000, "SONOTAFUSAI": 0x80400000, "FUSAI": 0x80400000, "SIHON": 0x80200000,
}
# Items shown as labels or not shown at all: they take a figure, never an
# account chosen in the dialog.
LABEL_ITEMS = frozenset({1, 3, 11, 17, 19})
NO_CONTROL_ITEMS = frozenset({20, 30, 35})
ITEMS_WITHOUT_DIALOG = LABEL_ITEMS | NO_CONTROL_ITEMS

Item = collections.namedtuple("Item", "no side classes name key")


# ---------------------------------------------------------------------------
# Edition files
# ---------------------------------------------------------------------------
def edition_file(prefix, kind, folder=EDITIONS_DIR):
    """kind: "GaiKmk" (item definitions) or "DefKmk" (default mapping)."""
    return os.path.join(folder, "%s_%s.dat" % (prefix, kind))


def find_frame(data):
    """(header, terminator) offsets in the file's bytes, -1 when missing;
    the terminator is the first one after the header."""
    h = data.find(HEADER)
    t = data.find(TERMINATOR, h) if h >= 0 else -1
    return h, t


def frame_body(data, h, t):
    """The bytes between the header's line end and the terminator."""
    return data[h + len(HEADER) + 2:t]


def body_lines(data):
    """The body's lines (bytes, without CR LF); ValueError without a frame."""
    h, t = find_frame(data)
    if h < 0 or t < 0:
        raise ValueError("no [共通様式] ... [終了] frame")
    return frame_body(data, h, t).split(b"\r\n")[:-1]


def split_item_line(line):
    """(no, side, classes, name, key, tail) as bytes, or None when the line
    lacks its four "/" and the ";" after them."""
    parts = line.split(b"/", 4)
    if len(parts) != 5 or b";" not in parts[4]:
        return None
    key, tail = parts[4].split(b";", 1)
    return parts[0], parts[1], parts[2], parts[3], key, tail


def read_items(prefix, folder=EDITIONS_DIR):
    """The edition's items, in file order."""
    with open(edition_file(prefix, "GaiKmk", folder), "rb") as f:
        data = f.read()
    items = []
    for line in body_lines(data):
        fields = split_item_line(line)
        if fields is None:
            raise ValueError("%s: item line %r" % (prefix, line))
        no, side, classes, name, key, _tail = fields
        items.append(Item(int(no), int(side), [int(c, 16) for c in classes.split(b"+")],
                          name.decode("cp932"), key.decode("ascii")))
    return items


def split_mapping_line(line):
    """(item number, [source, ...]) as bytes, or None when the line is not
    "itemNo/source,...," (a source counts only with its comma)."""
    if b"/" not in line or not line.endswith(b","):
        return None
    no, rest = line.split(b"/", 1)
    return no, rest.split(b",")[:-1]


def full_code(code):
    """A main account's short code (1110) names the account 11100000."""
    return code * 10000 if code < 10000 else code


def read_default_mapping(prefix, folder=EDITIONS_DIR):
    """itemNo -> sources: full account codes (int) and figure keywords (str)."""
    with open(edition_file(prefix, "DefKmk", folder), "rb") as f:
        data = f.read()
    mapping = {}
    for line in body_lines(data):
        fields = split_mapping_line(line)
        if fields is None:
            raise ValueError("%s: mapping line %r" % (prefix, line))
        no, sources = fields
        mapping[int(no)] = [full_code(int(s)) if s.isdigit() else s.decode("cp932")
                            for s in sources]
    return mapping


# ---------------------------------------------------------------------------
# Saved conditions
# ---------------------------------------------------------------------------
def saved_conditions_name(user, first, second):
    return "QB16_G_%s_%d_%d.env" % (user, first, second)


def saved_conditions_bytes(end_month, tax_inclusive, output_path, entries):
    """entries: (itemNo, account id text or keyword) in list order."""
    lines = ["[P1]", "%d/%d/0/%s" % (end_month, tax_inclusive, output_path), "[終了]", "[P2/P3]"]
    lines += ["%d/%s[END]" % (no, source) for no, source in entries]
    lines.append("[終了]")
    return ("\n".join(lines) + "\n").encode("cp932")


# ---------------------------------------------------------------------------
# Host state
# ---------------------------------------------------------------------------
def load_state(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def save_state(state, path):
    with open(path, "w", encoding="utf-8") as f:
        json.dump(state, f, ensure_ascii=False)


def parse_class(value):
    """A class is a number or a "0x..." string."""
    return int(value, 16) if isinstance(value, str) else int(value)


def selection(state):
    return state.get("user", {}).get("selection", [1, 1])


def open_dataset(state):
    """The dataset the stand-in opens: its no is the second selection number."""
    no = selection(state)[1]
    return next((ds for ds in state.get("datasets", []) if ds["no"] == no), None)


def account_id_text(account):
    """The account's identifier as the program writes it in a mapping."""
    return "0x" + account["id"].lower()


def is_listed(account):
    """A main account without the host's flag bytes: the dialog lists it."""
    return (account["code"] % 10000 == 0 and not account.get("flag110", 0)
            and not account.get("flag112", 0))


# ---------------------------------------------------------------------------
# Run preparation (the command)
# ---------------------------------------------------------------------------
def state_for_run(state, no, folder):
    """A copy of `state` opening dataset `no`, its folders under `folder`."""
    state = dict(state)
    if "package" not in state:
        state["package"] = load_state(SAMPLE_STATE)["package"]
    state["user"] = {"id": state.get("user", {}).get("id", "admin"), "selection": [1, no]}
    state["folders"] = {"output": folder + "\\", "conditions": folder + "\\conditions\\"}
    return state


def mapping_entries(items, dataset, count, outside_item=None):
    """`count` entries: main accounts to the items offering their class, item
    after item; with `outside_item`, first that item with an account of
    another class."""
    listed = [a for a in dataset["accounts"] if is_listed(a)]
    by_class = collections.defaultdict(list)
    for a in listed:
        by_class[parse_class(a["class"])].append(a)
    entries = []
    if outside_item is not None and count > 0:
        classes = next(i.classes for i in items if i.no == outside_item)
        other = next(a for a in listed if parse_class(a["class"]) not in classes)
        entries.append((outside_item, account_id_text(other)))
    queues = [(i.no, collections.deque(a for c in i.classes for a in by_class[c]))
              for i in items if i.no not in ITEMS_WITHOUT_DIALOG and i.key != "-"]
    queues = [q for q in queues if q[1]]
    while len(entries) < count and queues:
        for no, queue in queues:
            if len(entries) < count and queue:
                entries.append((no, account_id_text(queue.popleft())))
        queues = [q for q in queues if q[1]]
    if len(entries) < count:
        raise SystemExit("only %d accounts to map, %d entries asked" % (len(entries), count))
    return entries


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    sub = ap.add_subparsers(dest="command", required=True)
    p = sub.add_parser("state", help="a host state for one run")
    p.add_argument("source")
    p.add_argument("out")
    p.add_argument("--dataset", type=int, required=True)
    p.add_argument("--folder", required=True, help="the run's folder as a Windows path")
    p = sub.add_parser("conditions", help="saved conditions mapping N entries")
    p.add_argument("state")
    p.add_argument("folder")
    p.add_argument("--entries", type=int, required=True)
    p.add_argument("--outside", type=int, default=None, metavar="ITEM")
    p.add_argument("--output", default="", help="the output path it holds")
    args = ap.parse_args(argv)
    if args.command == "state":
        save_state(state_for_run(load_state(args.source), args.dataset, args.folder), args.out)
        return 0
    state = load_state(args.state)
    dataset = open_dataset(state)
    if dataset is None:
        raise SystemExit("%s opens no dataset" % args.state)
    entries = mapping_entries(read_items(SELECT_EDITION), dataset, args.entries, args.outside)
    first, second = selection(state)
    name = saved_conditions_name(state.get("user", {}).get("id", "admin"), first, second)
    os.makedirs(args.folder, exist_ok=True)
    with open(os.path.join(args.folder, name), "wb") as f:
        # The whole year: up to the month the period ends in.
        f.write(saved_conditions_bytes(dataset["periodEnd"] // 100 % 100, 0, args.output, entries))
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Checks the edition data files and the sample host state files.

  scripts/check_edition_data.py [--editions DIR] [--samples DIR]

Edition files (<prefix>_GaiKmk.dat, <prefix>_DefKmk.dat for each edition):
Shift_JIS, CR LF on every line, lines of at most 255 bytes, the section
frame "[共通様式]" ... "[終了]", item lines with five fields, names of at
most 30 bytes, keys of at most 50 bytes, items 1 to 43 once each in order,
default sources that are figure keywords or main accounts (code a multiple
of 10000, flag bytes 0) of every sample dataset, whose class the item offers.

Sample files (samples/*.json): the totals of every dataset balance (debits
equal credits in every slot, both tax views, over the main accounts), a
main account's totals are the sums of its sub-accounts', and the host's
classification rows equal the sums of the accounts they classify.

Prints one line per problem and a summary; exits 1 when there is a problem.
"""

import argparse
import glob
import json
import os
import re
import sys

from ldg_data import (EDITIONS, FIGURE_KEYWORDS as KEYWORDS, HEADER, ITEMS_WITHOUT_DIALOG,
                      LABEL_ITEMS, NO_CONTROL_ITEMS, edition_file, find_frame, frame_body,
                      full_code, is_listed, parse_class, selection, split_item_line,
                      split_mapping_line)

FIGURE_CODES = set(KEYWORDS.values())
INT64 = (-(1 << 63), (1 << 63) - 1)


def membership(code):
    """Which account classes a host classification row sums (by its code)."""
    table = {
        0x40888000: lambda c: (c >> 12) == 0x40888,
        0x40884000: lambda c: (c >> 12) == 0x40884,
        0x40880008: lambda c: (c >> 12) in (0x40888, 0x40884),
        0x40882000: lambda c: (c >> 12) == 0x40882,
        0x40880000: lambda c: (c >> 16) == 0x4088,
        0x40200080: lambda c: (c >> 20) in (0x408, 0x404),
        0x80810000: lambda c: (c >> 16) == 0x8081,
        0x80800000: lambda c: (c >> 20) == 0x808,
        0x80400000: lambda c: (c >> 20) == 0x804,
        0x80200000: lambda c: (c >> 20) == 0x802 or (c >> 28) == 0x4,
    }
    return table.get(code)


class Report:
    def __init__(self):
        self.problems = 0
        self.checks = 0

    def ok(self, cond, where, msg):
        self.checks += 1
        if not cond:
            self.problems += 1
            print("%s: %s" % (where, msg))
        return cond


def split_lines(data, where, rep):
    """The file's lines (bytes, without CR LF); reports bad line ends."""
    rep.ok(data.endswith(b"\r\n"), where, "the last line does not end in CR LF")
    lines = data.split(b"\r\n")
    if lines and lines[-1] == b"":
        lines.pop()
    for n, line in enumerate(lines, 1):
        rep.ok(b"\r" not in line and b"\n" not in line, "%s:%d" % (where, n), "bare CR or LF")
        rep.ok(len(line) + 2 <= 255, "%s:%d" % (where, n),
               "line of %d bytes with CR LF (at most 255)" % (len(line) + 2))
    try:
        data.decode("cp932")
    except UnicodeDecodeError as e:
        rep.ok(False, where, "not Shift_JIS: %s" % e)
    return lines


def body_lines(path, rep):
    where = os.path.relpath(path)
    if not rep.ok(os.path.isfile(path), where, "missing"):
        return []
    data = open(path, "rb").read()
    split_lines(data, where, rep)
    h, t = find_frame(data)
    if not rep.ok(h >= 0, where, "no header [共通様式]"):
        return []
    if not rep.ok(t >= 0, where, "no terminator [終了] after the header"):
        return []
    body = frame_body(data, h, t)
    rep.ok(data[h + len(HEADER):h + len(HEADER) + 2] == b"\r\n", where, "header not followed by CR LF")
    rep.ok(t - h < 32768, where, "section of 32768 bytes or more")
    rep.ok(body.endswith(b"\r\n") or body == b"", where, "last body line without its line end")
    return [(n, line) for n, line in enumerate(body.split(b"\r\n")[:-1], 1)]


def check_items(prefix, folder, rep):
    path = edition_file(prefix, "GaiKmk", folder)
    items = {}
    keys = {}
    numbers = []
    for n, line in body_lines(path, rep):
        where = "%s body line %d" % (os.path.relpath(path), n)
        fields = split_item_line(line)
        if not rep.ok(fields is not None, where, "not itemNo/side/classes/name/key;"):
            continue
        no_t, side_t, cls_t, name_b, key_b, tail = fields
        rep.ok(tail == b"", where, "text after ';'")
        if not rep.ok(re.fullmatch(rb"[0-9]+", no_t) is not None, where, "item number not decimal"):
            continue
        no = int(no_t)
        numbers.append(no)
        rep.ok(1 <= no <= 43, where, "item number %d outside 1 to 43" % no)
        rep.ok(re.fullmatch(rb"[0-9]+", side_t) is not None, where, "side not decimal")
        codes_t = cls_t.split(b"+")
        rep.ok(len(codes_t) <= 10, where, "more than ten class codes")
        codes = []
        for c in codes_t:
            if rep.ok(re.fullmatch(rb"[0-9A-Fa-f]{1,8}", c) is not None, where,
                      "class code %r not hexadecimal" % c):
                codes.append(int(c, 16))
        name = name_b.decode("cp932", "replace")
        key = key_b.decode("ascii", "replace")
        rep.ok(0 < len(name_b) <= 30, where, "name of %d bytes (1 to 30)" % len(name_b))
        rep.ok(0 < len(key_b) <= 50, where, "key of %d bytes (1 to 50)" % len(key_b))
        unused = name == "-"
        if unused:
            rep.ok(key == "-" and codes == [0] and no >= 36, where,
                   "an unused slot is a monthly item with class 0 and key '-'")
        else:
            rep.ok(re.fullmatch(r"[A-Z][A-Z0-9_]*", key) is not None, where,
                   "key %r is not an upper-case element name" % key)
            rep.ok(int(side_t) in (1, 2), where, "side %s is neither 1 (debit) nor 2 (credit)" % side_t)
            rep.ok(0 not in codes, where, "class code 0 in a used item")
            rep.ok(key not in keys, where, "key %s also used by item %s" % (key, keys.get(key)))
            keys[key] = no
        rep.ok(no not in items, where, "item %d defined twice" % no)
        items[no] = {"side": int(side_t), "codes": codes, "name": name, "key": key, "unused": unused}
    rep.ok(numbers == list(range(1, 44)), os.path.relpath(path),
           "items are not 1 to 43 in order: %s" % numbers)
    return items


def check_defaults(prefix, folder, items, datasets, rep):
    path = edition_file(prefix, "DefKmk", folder)
    seen = set()
    for n, line in body_lines(path, rep):
        where = "%s body line %d" % (os.path.relpath(path), n)
        fields = split_mapping_line(line)
        if not rep.ok(fields is not None, where, "not itemNo/source,source,...,"):
            continue
        no_t, sources = fields
        if not rep.ok(re.fullmatch(rb"[0-9]+", no_t) is not None, where, "item number not decimal"):
            continue
        no = int(no_t)
        item = items.get(no)
        if not rep.ok(item is not None and not item["unused"], where,
                      "item %d is not a used item of the definition file" % no):
            continue
        rep.ok(no not in seen, where, "item %d has a second line" % no)
        seen.add(no)
        for src_b in sources:
            src = src_b.decode("cp932", "replace")
            rep.ok(0 < len(src_b) <= 34, where, "source %r empty or longer than 34 bytes" % src)
            if re.fullmatch(r"[0-9]+", src):
                full = full_code(int(src))
                rep.ok(no not in ITEMS_WITHOUT_DIALOG, where,
                       "item %d has no account dialog: it takes a figure keyword" % no)
                for ds_where, ds in datasets:
                    acc = ds["byCode"].get(full)
                    if not rep.ok(acc is not None, where,
                                  "account %s not in %s" % (src, ds_where)):
                        continue
                    rep.ok(full % 10000 == 0, where, "account %s is a sub-account" % src)
                    rep.ok(acc.get("flag110", 0) == 0 and acc.get("flag112", 0) == 0, where,
                           "account %s of %s has a non-zero flag byte" % (src, ds_where))
                    rep.ok(parse_class(acc["class"]) in item["codes"], where,
                           "account %s (%s, class %s) is not among item %d's classes"
                           % (src, acc["name"], acc["class"], no))
            else:
                if rep.ok(src in KEYWORDS, where, "source %r is neither a code nor a keyword" % src):
                    rep.ok(item["codes"][:1] == [KEYWORDS[src]], where,
                           "keyword %s feeds item %d whose class is not the figure's" % (src, no))
    # every item with a dialog offers at least one account of each sample chart
    for no, item in sorted(items.items()):
        if item["unused"] or no in ITEMS_WITHOUT_DIALOG:
            continue
        for ds_where, ds in datasets:
            listed = [a for a in ds["accounts"] if a["code"] and is_listed(a)
                      and parse_class(a["class"]) in item["codes"]]
            rep.ok(listed, "%s item %d" % (prefix, no),
                   "its classes select no account of %s" % ds_where)
        for code in item["codes"]:
            rep.ok(code not in FIGURE_CODES, "%s item %d" % (prefix, no),
                   "an item with a dialog offers the host's figure class 0x%08X" % code)
    for no in sorted(LABEL_ITEMS | NO_CONTROL_ITEMS):
        if no in items and not items[no]["unused"]:
            rep.ok(no in seen, "%s_DefKmk.dat" % prefix, "item %d has no default source" % no)


def check_dataset(where, ds, rep):
    accounts = ds.get("accounts", [])
    by_code, by_id = {}, {}
    for a in accounts:
        w = "%s account %s" % (where, a.get("code"))
        rep.ok(re.fullmatch(r"[0-9a-fA-F]{32}", a["id"]) is not None, w, "id not 32 hex digits")
        rep.ok(a["id"] not in by_id, w, "id used twice")
        rep.ok(a["code"] not in by_code, w, "code used twice")
        rep.ok(0 < a["code"] < 2 ** 31, w, "code outside int32")
        rep.ok(len(a["name"].encode("cp932")) <= 87, w, "name longer than 87 bytes")
        by_code[a["code"]] = a
        by_id[a["id"]] = a
        if a["code"] % 10000:
            rep.ok(a["code"] // 10000 * 10000 in by_code, w, "sub-account without its main account")
    ds["byCode"] = by_code
    rows = ds.get("totals", [])
    acc_rows, class_rows = {}, []
    for n, t in enumerate(rows):
        w = "%s totals row %d" % (where, n)
        for k in ("debitExTax", "debitInTax", "creditExTax", "creditInTax"):
            t.setdefault(k, [0] * 15)
            rep.ok(len(t[k]) == 15 and all(isinstance(v, int) and INT64[0] <= v <= INT64[1]
                                           for v in t[k]), w, "%s is not 15 int64" % k)
        if "id" in t:
            rep.ok(not class_rows, w, "an account row after the classification rows")
            a = by_id.get(t["id"])
            if rep.ok(a is not None, w, "id of no account"):
                rep.ok(parse_class(t["class"]) == parse_class(a["class"]), w, "class differs from the account's")
                rep.ok(t["id"] not in acc_rows, w, "second row for account %s" % a["code"])
                acc_rows[t["id"]] = (a, t)
            rep.ok(parse_class(t["class"]) != 0x40200080, w,
                   "an account row with the code 0x40200080 would replace the profit-before-tax figure")
            rep.ok(t.get("figureSource", 0) == 0, w, "an account row with figureSource 1")
        else:
            class_rows.append((w, t))
    # every main account has a row; sub-accounts sum to their main account
    views = (("debitExTax", "creditExTax"), ("debitInTax", "creditInTax"))
    for a in accounts:
        rep.ok(a["id"] in acc_rows, "%s account %s" % (where, a["code"]), "no totals row")
    mains = [(a, t) for a, t in acc_rows.values() if a["code"] % 10000 == 0]
    for a, t in mains:
        subs = [st for sa, st in acc_rows.values()
                if sa["code"] // 10000 == a["code"] // 10000 and sa["code"] % 10000]
        if subs:
            for k in ("debitExTax", "debitInTax", "creditExTax", "creditInTax"):
                rep.ok(t[k] == [sum(s[k][i] for s in subs) for i in range(15)],
                       "%s account %s" % (where, a["code"]), "%s is not the sum of its sub-accounts" % k)
    for dk, ck in views:
        for i in range(15):
            d = sum(t[dk][i] for _a, t in mains)
            c = sum(t[ck][i] for _a, t in mains)
            rep.ok(d == c, where, "slot %d does not balance (%s %d, %s %d)" % (i, dk, d, ck, c))
    # slots that the dataset's settings leave empty
    for a, t in mains:
        w = "%s account %s" % (where, a["code"])
        if not ds.get("interimSettlement", 0):
            rep.ok(all(t[k][14] == 0 for k in t if k.endswith("Tax")), w,
                   "slot 14 used without an interim adjustment period")
        intro = ds.get("introMonth", 1)
        if 1 < intro < 99:
            rep.ok(all(t[k][i] == 0 for k in t if k.endswith("Tax") for i in range(1, intro)), w,
                   "months before the introduction month hold amounts")
    # classification rows
    seen_codes = []
    for w, t in class_rows:
        code = parse_class(t["class"])
        rep.ok(t.get("figureSource", 0) == 1 and t.get("figureBlocked", 0) == 0, w,
               "a classification row without figureSource 1")
        member = membership(code)
        if not rep.ok(member is not None, w, "unknown classification code 0x%08X" % code):
            continue
        seen_codes.append(code)
        side = 1 if code in (0x40884000, 0x40882000, 0x80810000, 0x80800000) else 2
        rep.ok(t["side"] == side, w, "side %s, expected %d" % (t["side"], side))
        for k in ("debitExTax", "debitInTax", "creditExTax", "creditInTax"):
            expect = [sum(at[k][i] for aa, at in mains if member(parse_class(aa["class"])))
                      for i in range(15)]
            rep.ok(t[k] == expect, w, "0x%08X %s is not the sum of its accounts" % (code, k))
    for code in sorted(FIGURE_CODES):
        rep.ok(seen_codes.count(code) == 1, where,
               "classification row 0x%08X present %d times" % (code, seen_codes.count(code)))
    # the balance sheet closes: assets = liabilities + net assets (incl. the year's profit)
    fig = {}
    for w, t in class_rows:
        code = parse_class(t["class"])
        d = sum(t["debitExTax"])
        c = sum(t["creditExTax"])
        fig[code] = d - c if t["side"] == 1 else c - d
    if all(c in fig for c in (0x80800000, 0x80400000, 0x80200000)):
        rep.ok(fig[0x80800000] == fig[0x80400000] + fig[0x80200000], where,
               "assets are not liabilities plus net assets")


def load_samples(folder, rep):
    out = []
    for path in sorted(glob.glob(os.path.join(folder, "*.json"))):
        where = os.path.relpath(path)
        try:
            state = json.load(open(path, encoding="utf-8"))
        except ValueError as e:
            rep.ok(False, where, "not JSON: %s" % e)
            continue
        datasets = state.get("datasets", [])
        sel = selection(state)
        rep.ok(any(ds["no"] == sel[1] for ds in datasets), where,
               "user.selection names no dataset")
        for ds in datasets:
            w = "%s dataset %s" % (where, ds["no"])
            check_dataset(w, ds, rep)
            out.append((w, ds, path))
    return out


def main(argv=None):
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--editions", default=os.path.join(here, "editions"))
    ap.add_argument("--samples", default=os.path.join(here, "samples"))
    args = ap.parse_args(argv)
    rep = Report()
    samples = load_samples(args.samples, rep)
    chart = [(w, ds) for w, ds, path in samples if os.path.basename(path) == "sample-company.json"]
    rep.ok(chart, args.samples, "no sample-company.json with datasets")
    scenarios = {
        "April to March": lambda ds: ds["periodStart"] % 10000 == 401 and ds["periodEnd"] % 10000 == 331,
        "January to December": lambda ds: ds["periodStart"] % 10000 == 101 and ds["periodEnd"] % 10000 == 1231,
        "closing day 20": lambda ds: ds.get("cutoffDay", 0) == 20 and ds["periodEnd"] % 100 == 20,
        "interim adjustment period": lambda ds: ds.get("interimSettlement", 0) == 1,
        "introduction part-way": lambda ds: 1 < ds.get("introMonth", 1) < 99,
        "past-results data": lambda ds: ds.get("introMonth", 1) == 99,
    }
    for name, test in scenarios.items():
        rep.ok(any(test(ds) for _w, ds in chart), "sample-company.json", "no dataset with " + name)
    for prefix in EDITIONS:
        items = check_items(prefix, args.editions, rep)
        check_defaults(prefix, args.editions, items, chart, rep)
    print("%d checks, %d problems (%d datasets, %d editions)"
          % (rep.checks, rep.problems, len(samples), len(EDITIONS)))
    return 1 if rep.problems else 0


if __name__ == "__main__":
    sys.exit(main())

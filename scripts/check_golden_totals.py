#!/usr/bin/env python3
"""Recomputes the figures of the golden reports from the sample datasets.

For each tests/e2e/golden/<prefix>_<no>.xml (or the files given), works out
from samples/sample-company.json and the edition's default mapping file
what a fresh run over the whole fiscal year must write -- every main item,
every monthly item, the month headings and the period -- and compares that
with the document. Prints each difference and ends with 1 when there is one.

The rules, as the program applies them to a fresh run (no saved
conditions): the months run from the first to the last month of the fiscal
year, so positions 1 to 12 and the year-end adjustment (slot 13) count and
the interim adjustment (slot 14) does not; the opening balance (slot 0)
counts when the introduction month is not after the last month; the tax
view is the dataset's default; an account's balance is taken in its own
direction and added to an item of its side, subtracted from an item of the
other side; keyword sources take the balance of the host's classification
row of their code; an amount is written in whole yen, truncated toward
zero, and empty when that is zero.
"""
import pathlib
import re
import sys

from ldg_data import (FIGURE_KEYWORDS, ROOT, SAMPLE_STATE, load_state, parse_class,
                      read_default_mapping, read_items)

YEAR_END = 13


def fiscal_start_month(dataset):
    """The accounting month the period's first day belongs to."""
    start = dataset["periodStart"]
    month, day = start // 100 % 100, start % 100
    cutoff = dataset.get("cutoffDay", 0)
    if 0 < cutoff < day:
        month = month % 12 + 1
    return month


def expected(dataset, prefix):
    """element name -> expected text for one edition's report on `dataset`."""
    tax = "InTax" if dataset.get("taxInclusiveDefault", 0) == 1 else "ExTax"
    intro = dataset.get("introMonth", 1)
    end = 12
    period = range(1, YEAR_END + 1)  # positions 1-12 and the year-end adjustment

    def debit_credit(row):
        return row["debit" + tax], row["credit" + tax]

    def balance(row):
        debit, credit = debit_credit(row)
        sign = 1 if row["side"] == 1 else -1
        total = sum(debit[i] - credit[i] for i in period)
        if intro <= end:
            total += debit[0] - credit[0]
        return sign * total

    code_of = {a["id"]: a["code"] for a in dataset["accounts"]}
    rows = {code_of[r["id"]]: r for r in dataset["totals"] if "id" in r and r["id"] in code_of}
    figures = {}
    for r in dataset["totals"]:
        code = parse_class(r["class"])
        if "id" not in r and r.get("figureSource") == 1 and not r.get("figureBlocked"):
            figures[code] = balance(r)

    items = {i.no: (i.side, i.key) for i in read_items(prefix)}
    sources = read_default_mapping(prefix)
    amounts = {no: [0] * 13 for no in items}
    for no, srcs in sources.items():
        side = items[no][0]
        for src in srcs:
            if isinstance(src, str):
                if no < 36:
                    amounts[no][0] = figures[FIGURE_KEYWORDS[src]]
                continue
            row = rows.get(src)
            if row is None:
                continue
            sign = 1 if row["side"] == side else -1
            if no < 36:
                amounts[no][0] += sign * balance(row)
                continue
            debit, credit = debit_credit(row)
            own = 1 if row["side"] == 1 else -1
            for i in range(0, YEAR_END + 1):
                if i == 0 and intro > end:
                    continue
                month = (intro if intro > 0 else 1) if i == 0 else end if i >= YEAR_END else i
                amounts[no][month] += sign * own * (debit[i] - credit[i])

    def text(amount):
        whole = abs(amount) // 10000 * (1 if amount >= 0 else -1)
        return "" if whole == 0 or whole > 999999999999 or whole < -99999999999 else str(whole)

    out = {"JIGYOUNENDOFROM": str(dataset["periodStart"]), "JIGYOUNENDOTO": str(dataset["periodEnd"])}
    first = fiscal_start_month(dataset)
    for n in range(1, 13):
        out[f"TUKIBETU_{n:02d}"] = str((first + n - 2) % 12 + 1)
    for no, (_side, key) in items.items():
        if "-" in key:
            continue
        if no < 36:
            out[key] = text(amounts[no][0])
        else:
            for n in range(1, 13):
                out[f"{key}{n:02d}"] = text(amounts[no][n])
    return out


def check(path, datasets):
    match = re.fullmatch(r"(.+)_(\d+)\.xml", path.name)
    prefix, no = match.group(1), int(match.group(2))
    document = path.read_bytes().decode("cp932")
    written = {}
    for name, value in re.findall(r"<(\w+)>([^<]*)</\1>", document):
        if name in written:
            return [f"{path.name}: {name} written twice"]
        written[name] = value
    problems = []
    want = expected(datasets[no], prefix)
    for name, value in want.items():
        if written.get(name) != value:
            problems.append(f"{path.name}: {name} is {written.get(name)!r}, expected {value!r}")
    for name in written.keys() - want.keys():
        if re.fullmatch(r"TUKI\w+\d\d", name) or name.isupper() and name not in (
                "GYOUMUPREFIX", "VERSION", "FUNCTIONID", "CONNECTEDPROGRAMVER", "PROGRAMNAME",
                "PROGRAMVER", "KOMONSAKINAME"):
            problems.append(f"{path.name}: unexpected element {name}")
    return problems


def main(argv):
    datasets = {d["no"]: d for d in load_state(SAMPLE_STATE)["datasets"]}
    golden = pathlib.Path(ROOT) / "tests" / "e2e" / "golden"
    paths = [pathlib.Path(a) for a in argv] or sorted(golden.glob("*.xml"))
    problems = [p for path in paths for p in check(path, datasets)]
    for p in problems:
        print(p)
    print(f"{len(paths)} documents checked, {len(problems)} differences")
    return 1 if problems or not paths else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

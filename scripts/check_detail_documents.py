#!/usr/bin/env python3
"""Checks each aggregation detail against the XML beside it.

For each <name>.xml in FOLDER (default build/win32/e2e-output) the detail
<name>_集計明細.html must be there, be UTF-8 and parse as HTML with every
element closed in order; it must show every item element of the XML's
statement with the same name and amount (data-key, data-amount) and no
other; an item whose amount no host figure set must be the sum of its
counted sources (data-amount, exact yen); every amount's thousands
(data-thousands) must be its written yen divided by 1,000, truncated toward
zero; each monthly item's total (data-total) must be the sum of its months;
and for a document of a sample dataset (<prefix>_<no>.xml) each account
source must carry the sample chart's name of its code, and the only finding
that needs checking must be the withholding account 2190 that item 40
leaves out, so that the months tie with the main items. Prints each problem,
then `N documents checked, N problems`; exits with 1 when there is one.

    scripts/check_detail_documents.py [FOLDER]
"""
import html.parser
import pathlib
import re
import sys
import xml.etree.ElementTree as ET
from decimal import Decimal

from ldg_data import ROOT, SAMPLE_STATE, load_state

SUFFIX = "_集計明細.html"
VOID = {"meta", "br", "col", "img", "hr", "input", "link"}
SAMPLE_CHECKS = [("unused-accounts", "40", "2190")]
MAX_YEN, MIN_YEN = 999999999999, -99999999999


class Detail(html.parser.HTMLParser):
    """The rows a tool reads: items, sources and findings, by their data- attributes."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open = []
        self.problems = []
        self.items, self.sources, self.findings, self.totals = [], [], [], []
        self.name_of = None  # the source row whose name cell is being read

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        classes = (a.get("class") or "").split()
        if tag not in VOID:
            self.open.append(tag)
        if "item" in classes and "data-item" in a:
            self.items.append(a)
        elif "source" in classes:
            a["name"] = ""
            self.sources.append(a)
        elif "finding" in classes:
            self.findings.append(a)
        elif "data-total" in a:
            self.totals.append(a)
        if tag == "td" and "name" in classes and self.sources:
            self.name_of = self.sources[-1]

    def handle_endtag(self, tag):
        if tag in VOID:
            return
        if not self.open or self.open[-1] != tag:
            self.problems.append("</%s> closes <%s>" % (tag, self.open[-1] if self.open else ""))
            return
        self.open.pop()
        if tag == "td":
            self.name_of = None

    def handle_data(self, data):
        if self.name_of is not None:
            self.name_of["name"] += data


def amount_text(exact):
    """The XML's text of an exact yen amount: truncated, empty when 0 or out of range."""
    yen = int(exact)  # toward zero
    return "" if yen == 0 or yen > MAX_YEN or yen < MIN_YEN else str(yen)


def thousands_text(written):
    """The form's thousands of a written yen text: truncated toward zero, empty when it is."""
    return "" if written == "" else str(int(int(written) / 1000))


def statement_elements(xml_path):
    """element name -> text of every item element of the statement."""
    text = xml_path.read_bytes().decode("cp932")
    root = ET.fromstring(text.split("?>", 1)[1])
    elements = {}
    for group in ("SYUYOUKAMOKU", "TUKIBETUURIAGEDAKA"):
        for element in root.iter(group):
            for child in element:
                if not child.tag.startswith("TUKIBETU_"):
                    elements[child.tag] = child.text or ""
    return elements


def sample_names(stem):
    """displayed code -> name of the sample dataset a golden document was made from."""
    match = re.fullmatch(r"Ldg\w+_(\d+)", stem)
    if not match:
        return None
    state = load_state(SAMPLE_STATE)
    dataset = next((d for d in state["datasets"] if d["no"] == int(match.group(1))), None)
    if dataset is None:
        return None
    return {str(a["code"] // 10000): a["name"] for a in dataset["accounts"]
            if a["code"] % 10000 == 0}


def check(xml_path):
    problems = []
    detail_path = xml_path.with_name(xml_path.stem + SUFFIX)
    if not detail_path.exists():
        return ["no detail beside it"]
    try:
        text = detail_path.read_bytes().decode("utf-8")
    except UnicodeDecodeError as error:
        return ["not UTF-8: %s" % error]
    detail = Detail()
    detail.feed(text)
    detail.close()
    problems += detail.problems
    if detail.open:
        problems.append("left open: %s" % " ".join(detail.open))

    elements = statement_elements(xml_path)
    shown = {a["data-key"]: a for a in detail.items}
    for key in sorted(set(elements) | set(shown)):
        if key not in shown:
            problems.append("%s: in the XML, not in the detail" % key)
        elif key not in elements:
            problems.append("%s: in the detail, not in the XML" % key)
        elif shown[key]["data-amount"] != elements[key]:
            problems.append("%s: detail %r, XML %r" % (key, shown[key]["data-amount"], elements[key]))

    sums = {}
    for s in detail.sources:
        if s.get("data-counted") != "0":
            group = (s["data-item"], s.get("data-month", ""))
            sums[group] = sums.get(group, Decimal(0)) + Decimal(s["data-amount"])
    for a in detail.items:
        exact = Decimal(a["data-exact"])
        if amount_text(exact) != a["data-amount"]:
            problems.append("%s: exact %s, written %r" % (a["data-key"], exact, a["data-amount"]))
        group = (a["data-item"], a.get("data-month", ""))
        if a["data-fed"] == "accounts" and sums.get(group, Decimal(0)) != exact:
            problems.append("%s: sources add up to %s, not %s" % (a["data-key"], sums.get(group), exact))
        if a.get("data-thousands") != thousands_text(a["data-amount"]):
            problems.append("%s: thousands %r of %r" % (a["data-key"], a.get("data-thousands"), a["data-amount"]))

    months = {}
    for a in detail.items:
        if "data-month" in a:
            months[a["data-item"]] = months.get(a["data-item"], Decimal(0)) + Decimal(a["data-exact"])
    for t in detail.totals:
        if Decimal(t["data-total"]) != months.get(t["data-item"], Decimal(0)):
            problems.append("item %s: total %s, months %s" % (t["data-item"], t["data-total"], months.get(t["data-item"])))

    names = sample_names(xml_path.stem)
    if names is not None:
        for s in detail.sources:
            code = s.get("data-code", "")
            if code.isdigit() and names.get(code) != s["name"]:
                problems.append("account %s: named %r, the chart says %r" % (code, s["name"], names.get(code)))
        checks = [(f["data-kind"], f["data-items"], f["data-codes"])
                  for f in detail.findings if f["data-level"] == "check"]
        if checks != SAMPLE_CHECKS:
            problems.append("findings to check: %s" % checks)
    return problems


def main(argv):
    folder = pathlib.Path(argv[1] if len(argv) > 1 else pathlib.Path(ROOT, "build", "win32", "e2e-output"))
    documents = sorted(folder.glob("*.xml"))
    problems = 0 if documents else 1
    if not documents:
        print("%s: no XML documents" % folder)
    for xml_path in documents:
        for problem in check(xml_path):
            print("%s: %s" % (xml_path.name, problem))
            problems += 1
    print("%d documents checked, %d problems" % (len(documents), problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

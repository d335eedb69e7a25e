#!/usr/bin/env python3
"""Host state files for demos, tests and benchmarks.

Two modes:

  generate_dataset.py samples [--out FILE]
      Writes the sample companies (six datasets, see samples/README.md) to
      FILE, by default samples/sample-company.json next to this script.
      The output is deterministic.

  generate_dataset.py synthetic --accounts N [--sub-accounts K] [--seed S]
                      [--no 1] [--out FILE]
      Writes one synthetic dataset with N main accounts (and K sub-accounts
      under some of them) spread over every account class, with balanced
      random totals, for benchmarks. Without --out the JSON goes to
      standard output.

Amounts are int64 ten-thousandths of a yen (10000 = 1 yen). Standard
library only.
"""

import argparse
import json
import os
import random
import sys

YEN = 10000
SLOTS = 15          # 0 opening, 1-12 months, 13 year-end adjustment, 14 interim adjustment
YEAR_END = 13
INTERIM = 14
DEBIT, CREDIT = 1, 2

# ---------------------------------------------------------------------------
# Account classes (32-bit). See samples/README.md for the scheme.
# ---------------------------------------------------------------------------
C_CASH = 0x80818000        # cash and deposits
C_NOTES_RCV = 0x80814100   # notes receivable
C_AR = 0x80814200          # accounts receivable
C_INVENTORY = 0x80812000   # merchandise, products, materials, work in process, supplies
C_ST_LOANS = 0x80811100    # short-term loans receivable
C_CUR_OTHER = 0x80811200   # other current assets
C_ALLOWANCE = 0x80811300   # allowance for doubtful accounts (credit side)
C_BUILDINGS = 0x80821000   # buildings and their fixtures
C_STRUCTURES = 0x80822000
C_MACHINERY = 0x80823000
C_VEHICLES = 0x80824000    # vehicles and vessels
C_TOOLS = 0x80825000
C_LAND = 0x80826000
C_CONSTRUCTION = 0x80827000
C_INVEST_OTHER = 0x80831000  # investments and other assets
C_LT_LOANS = 0x80832000    # long-term loans receivable
C_INTANGIBLE = 0x80841000
C_NOTES_PAY = 0x80418100
C_AP = 0x80418200
C_ST_BORROW = 0x80414100   # short-term borrowings from banks
C_ST_BORROW_IND = 0x80414200  # short-term borrowings from individuals
C_CUR_LIAB_OTHER = 0x80412100
C_WITHHELD = 0x80412200    # deposits received (withholding taxes)
C_LT_BORROW = 0x80424100
C_LT_BORROW_IND = 0x80424200
C_LT_LIAB_OTHER = 0x80422000
C_CAPITAL = 0x80218000
C_CAP_SURPLUS = 0x80214000
C_RET_EARNINGS = 0x80212000
C_SALES = 0x40888100
C_SALES_SIDE = 0x40888200  # side-business sales
C_OPEN_INV = 0x40884100
C_MATERIALS = 0x40884200
C_PURCHASES = 0x40884300
C_OUTSOURCING = 0x40884400
C_LABOUR = 0x40884500
C_MFG_DEPR = 0x40884600
C_CLOSE_INV = 0x40884700   # credit side
C_MFG_OTHER = 0x40884800
C_DIRECTORS = 0x40882100
C_SALARIES = 0x40882200
C_ENTERTAIN = 0x40882300
C_SGA_DEPR = 0x40882400
C_RENT = 0x40882500
C_WELFARE = 0x40882600
C_SGA_OTHER = 0x40882700
C_NONOP_INC = 0x40848100
C_NONOP_EXP = 0x40844100
C_EXTRA_GAIN = 0x40408100
C_EXTRA_LOSS = 0x40404100
C_TAXES = 0x40108100
C_NONE = 0x00000000

# The host's classification rows: code, side, name, membership test on an
# account's class. Rows with figureSource 1, no account id, appended after
# the account rows; their amounts are the sums of the member main accounts.
CLASSIFICATION_ROWS = [
    (0x40888000, CREDIT, "売上高合計", lambda c: c & 0xFFFFF000 == 0x40888000),
    (0x40884000, DEBIT, "売上原価合計", lambda c: c & 0xFFFFF000 == 0x40884000),
    (0x40880008, CREDIT, "売上総利益", lambda c: c & 0xFFFFF000 in (0x40888000, 0x40884000)),
    (0x40882000, DEBIT, "販売費及び一般管理費合計", lambda c: c & 0xFFFFF000 == 0x40882000),
    (0x40880000, CREDIT, "営業損益", lambda c: c & 0xFFFF0000 == 0x40880000),
    (0x40200080, CREDIT, "税引前当期純損益", lambda c: c & 0xFFF00000 in (0x40800000, 0x40400000)),
    (0x80810000, DEBIT, "流動資産合計", lambda c: c & 0xFFFF0000 == 0x80810000),
    (0x80800000, DEBIT, "資産の部合計", lambda c: c & 0xFFF00000 == 0x80800000),
    (0x80400000, CREDIT, "負債の部合計", lambda c: c & 0xFFF00000 == 0x80400000),
    (0x80200000, CREDIT, "純資産の部合計",
     lambda c: c & 0xFFF00000 == 0x80200000 or c & 0xF0000000 == 0x40000000),
]

# ---------------------------------------------------------------------------
# The chart of accounts shared by the sample companies: displayed code, name,
# class, side, flag110, flag112. Sub-accounts are added per company.
# ---------------------------------------------------------------------------
CHART = [
    (1110, "現金", C_CASH, DEBIT),
    (1120, "小口現金", C_CASH, DEBIT),
    (1130, "当座預金", C_CASH, DEBIT),
    (1140, "普通預金", C_CASH, DEBIT),
    (1150, "定期預金", C_CASH, DEBIT),
    (1160, "定期積金", C_CASH, DEBIT),
    (1210, "受取手形", C_NOTES_RCV, DEBIT),
    (1230, "売掛金", C_AR, DEBIT),
    (1310, "有価証券", C_CUR_OTHER, DEBIT),
    (1410, "商品", C_INVENTORY, DEBIT),
    (1420, "製品", C_INVENTORY, DEBIT),
    (1430, "原材料", C_INVENTORY, DEBIT),
    (1440, "仕掛品", C_INVENTORY, DEBIT),
    (1450, "貯蔵品", C_INVENTORY, DEBIT),
    (1510, "前渡金", C_CUR_OTHER, DEBIT),
    (1520, "短期貸付金", C_ST_LOANS, DEBIT),
    (1530, "前払費用", C_CUR_OTHER, DEBIT),
    (1540, "未収入金", C_CUR_OTHER, DEBIT),
    (1550, "立替金", C_CUR_OTHER, DEBIT),
    (1560, "仮払金", C_CUR_OTHER, DEBIT),
    (1570, "仮払消費税等", C_CUR_OTHER, DEBIT),
    (1590, "貸倒引当金", C_ALLOWANCE, CREDIT),
    (1610, "建物", C_BUILDINGS, DEBIT),
    (1620, "建物附属設備", C_BUILDINGS, DEBIT),
    (1630, "構築物", C_STRUCTURES, DEBIT),
    (1640, "機械装置", C_MACHINERY, DEBIT),
    (1650, "車両運搬具", C_VEHICLES, DEBIT),
    (1660, "工具器具備品", C_TOOLS, DEBIT),
    (1670, "土地", C_LAND, DEBIT),
    (1680, "建設仮勘定", C_CONSTRUCTION, DEBIT),
    (1710, "ソフトウェア", C_INTANGIBLE, DEBIT),
    (1720, "電話加入権", C_INTANGIBLE, DEBIT),
    (1810, "投資有価証券", C_INVEST_OTHER, DEBIT),
    (1820, "出資金", C_INVEST_OTHER, DEBIT),
    (1830, "長期貸付金", C_LT_LOANS, DEBIT),
    (1840, "差入保証金", C_INVEST_OTHER, DEBIT),
    (1850, "長期前払費用", C_INVEST_OTHER, DEBIT),
    (1860, "保険積立金", C_INVEST_OTHER, DEBIT),
    (2110, "支払手形", C_NOTES_PAY, CREDIT),
    (2120, "買掛金", C_AP, CREDIT),
    (2130, "短期借入金", C_ST_BORROW, CREDIT),
    (2135, "役員短期借入金", C_ST_BORROW_IND, CREDIT),
    (2140, "未払金", C_CUR_LIAB_OTHER, CREDIT),
    (2150, "未払費用", C_CUR_LIAB_OTHER, CREDIT),
    (2160, "未払法人税等", C_CUR_LIAB_OTHER, CREDIT),
    (2170, "未払消費税等", C_CUR_LIAB_OTHER, CREDIT),
    (2180, "前受金", C_CUR_LIAB_OTHER, CREDIT),
    (2190, "預り金", C_WITHHELD, CREDIT),
    (2200, "仮受金", C_CUR_LIAB_OTHER, CREDIT),
    (2210, "仮受消費税等", C_CUR_LIAB_OTHER, CREDIT),
    (2220, "賞与引当金", C_CUR_LIAB_OTHER, CREDIT),
    (2510, "長期借入金", C_LT_BORROW, CREDIT),
    (2520, "役員借入金", C_LT_BORROW_IND, CREDIT),
    (2530, "長期未払金", C_LT_LIAB_OTHER, CREDIT),
    (2540, "退職給付引当金", C_LT_LIAB_OTHER, CREDIT),
    (3110, "資本金", C_CAPITAL, CREDIT),
    (3210, "資本準備金", C_CAP_SURPLUS, CREDIT),
    (3310, "利益準備金", C_RET_EARNINGS, CREDIT),
    (3320, "繰越利益剰余金", C_RET_EARNINGS, CREDIT),
    (4110, "売上高", C_SALES, CREDIT),
    (4120, "兼業売上高", C_SALES_SIDE, CREDIT),
    (4130, "売上値引戻り高", C_SALES, CREDIT),
    (5110, "期首商品棚卸高", C_OPEN_INV, DEBIT),
    (5120, "期首製品棚卸高", C_OPEN_INV, DEBIT),
    (5210, "商品仕入高", C_PURCHASES, DEBIT),
    (5220, "材料仕入高", C_MATERIALS, DEBIT),
    (5230, "仕入値引戻し高", C_PURCHASES, DEBIT),
    (5310, "外注加工費", C_OUTSOURCING, DEBIT),
    (5410, "賃金手当", C_LABOUR, DEBIT),
    (5420, "製造法定福利費", C_LABOUR, DEBIT),
    (5510, "製造減価償却費", C_MFG_DEPR, DEBIT),
    (5610, "電力費", C_MFG_OTHER, DEBIT),
    (5620, "製造修繕費", C_MFG_OTHER, DEBIT),
    (5630, "製造消耗品費", C_MFG_OTHER, DEBIT),
    (5710, "期末商品棚卸高", C_CLOSE_INV, CREDIT),
    (5720, "期末製品棚卸高", C_CLOSE_INV, CREDIT),
    (6110, "役員報酬", C_DIRECTORS, DEBIT),
    (6120, "給料手当", C_SALARIES, DEBIT),
    (6130, "賞与", C_SALARIES, DEBIT),
    (6140, "雑給", C_SALARIES, DEBIT),
    (6150, "法定福利費", C_WELFARE, DEBIT),
    (6160, "福利厚生費", C_WELFARE, DEBIT),
    (6210, "荷造運賃", C_SGA_OTHER, DEBIT),
    (6220, "広告宣伝費", C_SGA_OTHER, DEBIT),
    (6230, "交際費", C_ENTERTAIN, DEBIT),
    (6240, "会議費", C_SGA_OTHER, DEBIT),
    (6250, "旅費交通費", C_SGA_OTHER, DEBIT),
    (6260, "通信費", C_SGA_OTHER, DEBIT),
    (6270, "販売手数料", C_SGA_OTHER, DEBIT),
    (6310, "消耗品費", C_SGA_OTHER, DEBIT),
    (6320, "事務用品費", C_SGA_OTHER, DEBIT),
    (6330, "修繕費", C_SGA_OTHER, DEBIT),
    (6340, "水道光熱費", C_SGA_OTHER, DEBIT),
    (6350, "新聞図書費", C_SGA_OTHER, DEBIT),
    (6360, "諸会費", C_SGA_OTHER, DEBIT),
    (6370, "支払手数料", C_SGA_OTHER, DEBIT),
    (6380, "車両費", C_SGA_OTHER, DEBIT),
    (6410, "地代家賃", C_RENT, DEBIT),
    (6420, "賃借料", C_SGA_OTHER, DEBIT),
    (6430, "保険料", C_SGA_OTHER, DEBIT),
    (6440, "租税公課", C_SGA_OTHER, DEBIT),
    (6510, "減価償却費", C_SGA_DEPR, DEBIT),
    (6520, "貸倒引当金繰入額", C_SGA_OTHER, DEBIT),
    (6610, "雑費", C_SGA_OTHER, DEBIT),
    (7110, "受取利息", C_NONOP_INC, CREDIT),
    (7120, "受取配当金", C_NONOP_INC, CREDIT),
    (7130, "雑収入", C_NONOP_INC, CREDIT),
    (7210, "支払利息", C_NONOP_EXP, DEBIT),
    (7220, "雑損失", C_NONOP_EXP, DEBIT),
    (8110, "固定資産売却益", C_EXTRA_GAIN, CREDIT),
    (8120, "貸倒引当金戻入額", C_EXTRA_GAIN, CREDIT),
    (8210, "固定資産売却損", C_EXTRA_LOSS, DEBIT),
    (8220, "固定資産除却損", C_EXTRA_LOSS, DEBIT),
    (9110, "法人税、住民税及び事業税", C_TAXES, DEBIT),
]

# Accounts the host keeps for itself: listed nowhere in the account dialog.
FLAGGED = [
    (9910, "諸口", C_NONE, DEBIT, 1, 0),
    (9920, "損益振替", C_NONE, CREDIT, 0, 1),
    (9930, "旧売掛金（移行用）", C_AR, DEBIT, 1, 1),
]


class Company:
    """One dataset: chart, sub-accounts, postings per slot."""

    def __init__(self, no, ds_id, name, start, end, subs, **settings):
        self.no = no
        self.ds_id = ds_id
        self.name = name
        self.start = start
        self.end = end
        self.settings = settings
        self.main = {}          # code -> dict
        self.order = []         # codes in table order (main, then its subs)
        self.subs = {}          # display code -> its sub-accounts' codes, in table order
        for code, aname, cls, side in CHART:
            self._add(code * 10000, aname, cls, side, 0, 0)
            for i, sname in enumerate(subs.get(code, []), start=1):
                self._add(code * 10000 + i, aname + " " + sname, cls, side, 0, 0)
        for code, aname, cls, side, f110, f112 in FLAGGED:
            self._add(code * 10000, aname, cls, side, f110, f112)
        # amounts[code][view][dc][slot], view 0 ex tax, 1 in tax; dc 0 debit, 1 credit
        self.amounts = {c: [[[0] * SLOTS for _ in range(2)] for _ in range(2)] for c in self.order}

    def _add(self, code, name, cls, side, f110, f112):
        seq = len(self.order) + 1
        self.main[code] = {
            "id": "%04x%04x%08x%016x" % (0xA5D0, self.no, code, seq),
            "code": code, "name": name, "class": cls, "side": side,
            "flag110": f110, "flag112": f112,
        }
        self.order.append(code)
        if code % 10000:
            self.subs.setdefault(code // 10000, []).append(code)

    def subs_of(self, display):
        return self.subs.get(display, [])

    def post(self, slot, lines):
        """lines: (display code or full code, 'D'/'C', ex-tax yen, in-tax yen).

        A display code with sub-accounts needs the full code of the sub."""
        totals = [[0, 0], [0, 0]]
        for code, dc, ex, inc in lines:
            full = code if code >= 10000 else code * 10000
            if full not in self.main:
                raise KeyError(full)
            if full % 10000 == 0 and self.subs_of(full // 10000):
                raise ValueError("post to a sub-account of %d" % (full // 10000))
            k = 0 if dc == "D" else 1
            for view, amount in ((0, ex), (1, inc)):
                self.amounts[full][view][k][slot] += amount * YEN
                totals[view][k] += amount
        if totals[0][0] != totals[0][1] or totals[1][0] != totals[1][1]:
            raise ValueError("unbalanced entry in slot %d: %r %r" % (slot, totals, lines))

    def roll_up(self):
        """A main account's totals are the sums of its sub-accounts' totals."""
        for code in self.order:
            if code % 10000 == 0:
                subs = self.subs_of(code // 10000)
                if subs:
                    for view in range(2):
                        for k in range(2):
                            for s in range(SLOTS):
                                self.amounts[code][view][k][s] = sum(
                                    self.amounts[sc][view][k][s] for sc in subs)

    def fold_before_intro(self, intro):
        """Introduction part-way: slot 0 holds the balances at the start of
        position `intro`, months before it hold nothing."""
        for code in self.order:
            a = self.amounts[code]
            for view in range(2):
                net = sum(a[view][0][s] - a[view][1][s] for s in range(intro))
                for s in range(intro):
                    a[view][0][s] = a[view][1][s] = 0
                if net >= 0:
                    a[view][0][0] = net
                else:
                    a[view][1][0] = -net

    def to_json(self):
        accounts, totals = [], []
        for code in self.order:
            acc = self.main[code]
            entry = {"id": acc["id"], "code": code, "name": acc["name"],
                     "class": "0x%08X" % acc["class"]}
            if acc["flag110"]:
                entry["flag110"] = acc["flag110"]
            if acc["flag112"]:
                entry["flag112"] = acc["flag112"]
            accounts.append(entry)
            a = self.amounts[code]
            totals.append({"id": acc["id"], "class": "0x%08X" % acc["class"], "side": acc["side"],
                           "debitExTax": a[0][0], "debitInTax": a[1][0],
                           "creditExTax": a[0][1], "creditInTax": a[1][1]})
        for cls, side, _name, member in CLASSIFICATION_ROWS:
            sums = [[[0] * SLOTS for _ in range(2)] for _ in range(2)]
            for code in self.order:
                acc = self.main[code]
                if code % 10000 or not member(acc["class"]):
                    continue
                for view in range(2):
                    for k in range(2):
                        for s in range(SLOTS):
                            sums[view][k][s] += self.amounts[code][view][k][s]
            totals.append({"class": "0x%08X" % cls, "side": side, "figureSource": 1,
                           "debitExTax": sums[0][0], "debitInTax": sums[1][0],
                           "creditExTax": sums[0][1], "creditInTax": sums[1][1]})
        ds = {"id": self.ds_id, "no": self.no, "company": self.name,
              "periodStart": self.start, "periodEnd": self.end}
        ds.update(self.settings)
        ds["accounts"] = accounts
        ds["totals"] = totals
        return ds


def tax(amount):
    return amount // 10


class Books:
    """Typical monthly business of a small company, posted to a Company."""

    def __init__(self, co, rng, scale, manufacturing=False, side_business=False,
                 interim=False):
        self.co = co
        self.rng = rng
        self.scale = scale
        self.mfg = manufacturing
        self.side = side_business
        self.interim = interim

    def r(self, base, spread=0.15):
        v = base * self.scale * (1 + self.rng.uniform(-spread, spread))
        return int(v) // 100 * 100 if v >= 10000 else int(v)

    def sub(self, display, i):
        return self.co.subs_of(display)[i]

    def opening(self, inv_goods, inv_products, fixed):
        """Balances brought forward (slot 0), assets = liabilities + equity."""
        s = self.scale
        deb = [
            (1110, 350000 * s), (1120, 50000 * s), (self.sub(1130, 0), 1800000 * s),
            (self.sub(1140, 0), 6200000 * s), (self.sub(1140, 1), 2400000 * s),
            (1150, 3000000 * s), (1210, 1200000 * s),
            (self.sub(1230, 0), 2600000 * s), (self.sub(1230, 1), 1900000 * s),
            (self.sub(1230, 2), 800000 * s), (1410, inv_goods), (1420, inv_products),
            (1450, 120000 * s), (1520, 300000 * s), (1530, 240000 * s),
            (1610, fixed[0]), (1620, fixed[1]), (1640, fixed[2]), (1650, fixed[3]),
            (1660, fixed[4]), (1670, fixed[5]), (1710, 480000 * s), (1720, 74800),
            (1810, 1000000 * s), (1830, 600000 * s), (1840, 900000 * s),
            (1860, 1500000 * s),
        ]
        cred = [
            (1590, 45000 * s), (2110, 900000 * s),
            (self.sub(2120, 0), 1700000 * s), (self.sub(2120, 1), 1100000 * s),
            (self.sub(2130, 0), 3000000 * s), (2140, 420000 * s), (2150, 180000 * s),
            (2160, 700000 * s), (2170, 520000 * s),
            (self.sub(2190, 0), 98000 * s), (self.sub(2190, 1), 64000 * s),
            (self.sub(2190, 2), 150000 * s),
            (self.sub(2510, 0), 8000000 * s), (self.sub(2510, 1), 4000000 * s),
            (2520, 2000000 * s), (3110, 10000000), (3310, 500000),
        ]
        deb = [(c, int(v)) for c, v in deb]
        cred = [(c, int(v)) for c, v in cred]
        gap = sum(v for _, v in deb) - sum(v for _, v in cred)
        cred.append((3320, gap))   # retained earnings close the balance sheet
        self.co.post(0, [(c, "D", v, v) for c, v in deb] + [(c, "C", v, v) for c, v in cred])
        self.inventory = {1410: inv_goods, 1420: inv_products}

    def month(self, slot, bonus=False):
        co, r = self.co, self.r
        lines = []
        # sales on credit, per customer, and cash sales
        billed = []
        for i in range(3):
            s = r([4200000, 3100000, 1500000][i] * (1.5 if self.mfg else 1))
            billed.append(s + tax(s))
            lines = [(self.sub(1230, i), "D", s + tax(s), s + tax(s)),
                     (self.sub(4110, 0), "C", s, s + tax(s)),
                     (2210, "C", tax(s), 0)]
            co.post(slot, lines)
        s = r(900000)
        co.post(slot, [(1110, "D", s + tax(s), s + tax(s)), (self.sub(4110, 1), "C", s, s + tax(s)),
                       (2210, "C", tax(s), 0)])
        if self.rng.random() < 0.5:
            d = r(40000, 0.5)
            co.post(slot, [(4130, "D", d, d + tax(d)), (2210, "D", tax(d), 0),
                           (self.sub(1230, 1), "C", d + tax(d), d + tax(d))])
        if self.side:
            s = r(350000, 0.02)
            co.post(slot, [(self.sub(1140, 1), "D", s + tax(s), s + tax(s)),
                           (4120, "C", s, s + tax(s)), (2210, "C", tax(s), 0)])
        # collections: one customer pays by note, the others by transfer
        for i, acct in enumerate((1210, self.sub(1140, 0), self.sub(1140, 0))):
            c = int(billed[i] * self.rng.uniform(0.95, 1.03)) // 100 * 100
            co.post(slot, [(acct, "D", c, c), (self.sub(1230, i), "C", c, c)])
        n = int(billed[0] * self.rng.uniform(0.93, 1.0)) // 100 * 100
        co.post(slot, [(self.sub(1130, 0), "D", n, n), (1210, "C", n, n)])
        # purchases
        if self.mfg:
            p = r(2600000)
            co.post(slot, [(5220, "D", p, p + tax(p)), (1570, "D", tax(p), 0),
                           (self.sub(2120, 0), "C", p + tax(p), p + tax(p))])
            o = r(900000)
            co.post(slot, [(5310, "D", o, o + tax(o)), (1570, "D", tax(o), 0),
                           (self.sub(2120, 1), "C", o + tax(o), o + tax(o))])
            w = r(1300000, 0.05)
            wl = r(190000, 0.05)
            co.post(slot, [(5410, "D", w, w), (5420, "D", wl, wl),
                           (self.sub(2190, 0), "C", w // 25, w // 25),
                           (self.sub(2190, 2), "C", wl, wl),
                           (self.sub(1140, 0), "C", w - w // 25, w - w // 25)])
            e = r(160000)
            co.post(slot, [(5610, "D", e, e + tax(e)), (1570, "D", tax(e), 0),
                           (self.sub(1140, 0), "C", e + tax(e), e + tax(e))])
            if self.rng.random() < 0.4:
                m = r(120000, 0.5)
                co.post(slot, [(5620, "D", m, m + tax(m)), (1570, "D", tax(m), 0),
                               (2140, "C", m + tax(m), m + tax(m))])
        p = r(4300000 if not self.mfg else 1200000)
        for i, share in enumerate((0.6, 0.4)):
            q = int(p * share)
            co.post(slot, [(5210, "D", q, q + tax(q)), (1570, "D", tax(q), 0),
                           (self.sub(2120, i), "C", q + tax(q), q + tax(q))])
        if self.rng.random() < 0.3:
            d = r(30000, 0.5)
            co.post(slot, [(self.sub(2120, 0), "D", d + tax(d), d + tax(d)),
                           (5230, "C", d, d + tax(d)), (1570, "C", tax(d), 0)])
        # payments to suppliers: part by note, the rest by transfer
        pay = r(3900000 if not self.mfg else 4300000, 0.05)
        note = r(800000, 0.05)
        co.post(slot, [(self.sub(2120, 0), "D", note, note), (2110, "C", note, note)])
        co.post(slot, [(self.sub(2120, 0), "D", pay // 2, pay // 2),
                       (self.sub(2120, 1), "D", pay - pay // 2, pay - pay // 2),
                       (self.sub(1130, 0), "C", pay, pay)])
        settle = r(780000, 0.05)
        co.post(slot, [(2110, "D", settle, settle), (self.sub(1130, 0), "C", settle, settle)])
        # pay-roll: gross pay, withholdings, social insurance
        dirs = int(800000 * self.scale ** 0.5) // 1000 * 1000
        sal = r(1900000, 0.03)
        part = r(260000, 0.2)
        gross = dirs + sal + part
        wt = gross // 22
        rt = gross // 30
        si = gross // 7
        net = gross - wt - rt - si
        co.post(slot, [(6110, "D", dirs, dirs), (6120, "D", sal, sal), (6140, "D", part, part),
                       (self.sub(2190, 0), "C", wt, wt), (self.sub(2190, 1), "C", rt, rt),
                       (self.sub(2190, 2), "C", si, si), (self.sub(1140, 0), "C", net, net)])
        if bonus:
            b = r(2400000, 0.05)
            bw = b // 25
            co.post(slot, [(6130, "D", b, b), (self.sub(2190, 0), "C", bw, bw),
                           (self.sub(1140, 0), "C", b - bw, b - bw)])
        # last month's withholdings and social insurance are paid
        for i, base in enumerate((98000, 64000, 150000)):
            v = r(base, 0.05)
            co.post(slot, [(self.sub(2190, i), "D", v, v), (self.sub(1140, 0), "C", v, v)])
        er = si
        co.post(slot, [(6150, "D", er, er), (self.sub(1140, 0), "C", er, er)])
        # rent, utilities, everyday expenses
        rent = int(550000 * self.scale ** 0.5) // 1000 * 1000
        co.post(slot, [(6410, "D", rent, rent + tax(rent)), (1570, "D", tax(rent), 0),
                       (self.sub(1140, 0), "C", rent + tax(rent), rent + tax(rent))])
        for code, base, paid_by in ((6340, 82000, self.sub(1140, 0)), (6260, 64000, self.sub(1140, 0)),
                                    (6210, 210000, self.sub(1140, 0)), (6230, 120000, 1110),
                                    (6250, 95000, 1110), (6310, 48000, 1110), (6320, 18000, 1120),
                                    (6240, 26000, 1120), (6380, 52000, 1110),
                                    (6370, 15000, self.sub(1140, 0)), (6420, 36000, self.sub(1140, 0)),
                                    (6610, 12000, 1120)):
            x = r(base, 0.3)
            co.post(slot, [(code, "D", x, x + tax(x)), (1570, "D", tax(x), 0),
                           (paid_by, "C", x + tax(x), x + tax(x))])
        if slot % 3 == 1:
            x = r(180000, 0.2)
            co.post(slot, [(6220, "D", x, x + tax(x)), (1570, "D", tax(x), 0),
                           (2140, "C", x + tax(x), x + tax(x))])
            co.post(slot, [(2140, "D", x + tax(x), x + tax(x)),
                           (self.sub(1140, 0), "C", x + tax(x), x + tax(x))])
            f = r(24000, 0.1)
            co.post(slot, [(6360, "D", f, f), (1110, "C", f, f)])
            g = r(9000, 0.1)
            co.post(slot, [(6350, "D", g, g + tax(g)), (1570, "D", tax(g), 0),
                           (1120, "C", g + tax(g), g + tax(g))])
        if slot == 2:
            ins = r(360000, 0.05)
            co.post(slot, [(6430, "D", ins, ins), (self.sub(1140, 0), "C", ins, ins)])
            t = r(70000, 0.1)
            co.post(slot, [(6440, "D", t, t), (1110, "C", t, t)])
        # petty cash top-up and cash to the bank
        top = int(72000 * self.scale) // 1000 * 1000
        co.post(slot, [(1120, "D", top, top), (1110, "C", top, top)])
        dep = r(520000, 0.1)
        co.post(slot, [(self.sub(1140, 0), "D", dep, dep), (1110, "C", dep, dep)])
        sweep = r(380000, 0.3)
        co.post(slot, [(self.sub(1130, 0), "D", sweep, sweep),
                       (self.sub(1140, 0), "C", sweep, sweep)])
        # loans: repayment with interest, small interest income
        for i, (principal, interest) in enumerate(((110000, 9000), (60000, 5200))):
            pr = int(principal * self.scale)
            it = int(interest * self.scale)
            co.post(slot, [(self.sub(2510, i), "D", pr, pr), (7210, "D", it, it),
                           (self.sub(1140, 0), "C", pr + it, pr + it)])
        co.post(slot, [(self.sub(1140, 0), "D", 3, 3), (7110, "C", 3, 3)])
        co.post(slot, [(self.sub(1140, 0), "D", 25000, 25000), (1520, "C", 25000, 25000)])
        dep_save = int(50000 * self.scale)
        co.post(slot, [(1160, "D", dep_save, dep_save), (self.sub(1140, 1), "C", dep_save, dep_save)])

    def events(self):
        """Things that happen once a year."""
        co, s = self.co, self.scale
        # a new office machine
        x = int(380000 * s)
        co.post(3, [(1660, "D", x, x + tax(x)), (1570, "D", tax(x), 0),
                    (self.sub(1140, 0), "C", x + tax(x), x + tax(x))])
        # a used vehicle is sold with a gain, an old one scrapped with a loss
        book, price = int(420000 * s), int(600000 * s)
        co.post(5, [(self.sub(1140, 0), "D", price + tax(price), price + tax(price)),
                    (1650, "C", book, book), (8110, "C", price - book, price - book + tax(price)),
                    (2210, "C", tax(price), 0)])
        scrap = int(85000 * s)
        co.post(8, [(8220, "D", scrap, scrap), (1660, "C", scrap, scrap)])
        # a replacement vehicle
        v = int(2200000 * s)
        co.post(5, [(1650, "D", v, v + tax(v)), (1570, "D", tax(v), 0),
                    (2140, "C", v + tax(v), v + tax(v))])
        co.post(6, [(2140, "D", v + tax(v), v + tax(v)), (self.sub(1140, 0), "C", v + tax(v), v + tax(v))])
        # short-term bank loan drawn and partly repaid; a loan to an employee
        loan = int(2000000 * s)
        co.post(7, [(self.sub(1140, 0), "D", loan, loan), (self.sub(2130, 0), "C", loan, loan)])
        co.post(11, [(self.sub(2130, 0), "D", loan // 2, loan // 2),
                     (self.sub(1140, 0), "C", loan // 2, loan // 2)])
        co.post(4, [(1520, "D", 300000, 300000), (self.sub(1140, 0), "C", 300000, 300000)])
        # the director lends the company money for a while
        d = int(1000000 * s)
        co.post(9, [(self.sub(1140, 0), "D", d, d), (2135, "C", d, d)])
        co.post(12, [(2135, "D", d // 2, d // 2), (self.sub(1140, 0), "C", d // 2, d // 2)])
        # dividends received, last year's corporate and consumption taxes paid
        dv = int(30000 * s)
        co.post(6, [(self.sub(1140, 0), "D", dv, dv), (7120, "C", dv, dv)])
        co.post(2, [(2160, "D", int(700000 * s), int(700000 * s)),
                    (self.sub(1140, 0), "C", int(700000 * s), int(700000 * s))])
        co.post(2, [(2170, "D", int(520000 * s), int(520000 * s)),
                    (self.sub(1140, 0), "C", int(520000 * s), int(520000 * s))])

    def depreciation(self, slot, fraction):
        co, s = self.co, self.scale
        items = [(1610, 640000), (1620, 180000), (1640, 900000 if self.mfg else 0),
                 (1650, 520000), (1660, 260000), (1710, 160000)]
        for code, base in items:
            amount = int(base * s * fraction)
            if not amount:
                continue
            target = 5510 if self.mfg and code in (1640, 1610) else 6510
            co.post(slot, [(target, "D", amount, amount), (code, "C", amount, amount)])

    def year_end(self, closing_goods, closing_products):
        co, s = self.co, self.scale
        slot = YEAR_END
        self.depreciation(slot, 0.5 if self.interim else 1.0)
        # inventory: three-part method
        for inv_code, open_code, close_code, closing in ((1410, 5110, 5710, closing_goods),
                                                         (1420, 5120, 5720, closing_products)):
            opening = self.inventory[inv_code]
            if opening:
                co.post(slot, [(open_code, "D", opening, opening), (inv_code, "C", opening, opening)])
            if closing:
                co.post(slot, [(inv_code, "D", closing, closing), (close_code, "C", closing, closing)])
        # allowance for doubtful accounts: reverse last year's, set this year's
        co.post(slot, [(1590, "D", int(45000 * s), int(45000 * s)),
                       (8120, "C", int(45000 * s), int(45000 * s))])
        co.post(slot, [(6520, "D", int(52000 * s), int(52000 * s)),
                       (1590, "C", int(52000 * s), int(52000 * s))])
        # accrued interest and prepaid insurance
        co.post(slot, [(7210, "D", int(8000 * s), int(8000 * s)), (2150, "C", int(8000 * s), int(8000 * s))])
        # consumption tax settlement: net of the suspense accounts, or (in-tax view) a tax expense
        out_tax = sum(self.co.amounts[2210 * 10000][0][1][i] - self.co.amounts[2210 * 10000][0][0][i]
                      for i in range(1, SLOTS)) // YEN
        in_tax = sum(self.co.amounts[1570 * 10000][0][0][i] - self.co.amounts[1570 * 10000][0][1][i]
                     for i in range(1, SLOTS)) // YEN
        due = out_tax - in_tax
        co.post(slot, [(2210, "D", out_tax, 0), (1570, "C", in_tax, 0),
                       (6440, "D", 0, due), (2170, "C", due, due)])
        # corporate taxes for the year
        pretax = 0
        for code in co.order:
            cls = co.main[code]["class"]
            if code % 10000 == 0 and cls & 0xFFF00000 in (0x40800000, 0x40400000):
                a = co.amounts[code][0]
                pretax += sum(a[1]) - sum(a[0])
        pretax //= YEN
        ct = max(70000, int(pretax * 0.3)) // 100 * 100
        co.post(slot, [(9110, "D", ct, ct), (2160, "C", ct, ct)])

    def interim_adjustment(self):
        self.depreciation(INTERIM, 0.5)
        b = int(1200000 * self.scale)
        self.co.post(INTERIM, [(6130, "D", b, b), (2220, "C", b, b)])
        self.co.post(YEAR_END, [(2220, "D", b, b), (6130, "C", b, b)])


SUBS_TRADE = {
    1130: ["見本銀行 本店"],
    1140: ["見本銀行 本店", "架空信用金庫 駅前支店"],
    1230: ["株式会社東西物産", "南北商店株式会社", "有限会社中央マート"],
    2120: ["見本食品株式会社", "株式会社架空製菓"],
    2130: ["見本銀行"],
    2190: ["源泉所得税", "住民税", "社会保険料"],
    2510: ["見本銀行", "日本架空政策金庫"],
    4110: ["卸売", "小売"],
}

SUBS_MFG = {
    1130: ["見本銀行 工業団地支店"],
    1140: ["見本銀行 工業団地支店", "架空信用組合 本店"],
    1230: ["株式会社見本精機", "架空電機株式会社", "株式会社東西物産"],
    2120: ["見本鋼材株式会社", "株式会社架空化成"],
    2130: ["見本銀行"],
    2190: ["源泉所得税", "住民税", "社会保険料"],
    2510: ["見本銀行", "日本架空政策金庫"],
    4110: ["製品売上", "加工売上"],
}


def build_company(no, ds_id, name, start, end, subs, seed, scale=1.0, manufacturing=False,
                  side_business=False, interim=False, intro=1, **settings):
    settings.setdefault("interimSettlement", 1 if interim else 0)
    settings.setdefault("introMonth", intro)
    settings.setdefault("netAssetsStyle", 1)
    settings.setdefault("cutoffDay", 0)
    settings.setdefault("taxInclusiveDefault", 0)
    co = Company(no, ds_id, name, start, end, subs, **settings)
    books = Books(co, random.Random(seed), scale, manufacturing, side_business, interim)
    fixed = [int(v * scale) for v in (12000000, 2400000, 6800000 if manufacturing else 0,
                                      1600000, 900000, 18000000)]
    goods = int(3200000 * scale) if not manufacturing else int(600000 * scale)
    products = int(4100000 * scale) if manufacturing else 0
    books.opening(goods, products, fixed)
    for slot in range(1, 13):
        books.month(slot, bonus=slot in (3, 9))
    books.events()
    if interim:
        books.interim_adjustment()
    books.year_end(int(goods * 1.08), int(products * 0.95))
    if 1 < intro < 99:
        co.fold_before_intro(intro)
    co.roll_up()
    return co


def sample_state():
    datasets = [
        build_company(12, "DS0012", "株式会社見本商事", 20250401, 20260331, SUBS_TRADE, 12,
                      side_business=True),
        build_company(13, "DS0013", "見本工業株式会社", 20250101, 20251231, SUBS_MFG, 13,
                      scale=1.3, manufacturing=True),
        build_company(14, "DS0014", "株式会社架空物産", 20250421, 20260420, SUBS_TRADE, 14,
                      scale=0.7, cutoffDay=20),
        build_company(15, "DS0015", "見本建材株式会社", 20241001, 20250930, SUBS_TRADE, 15,
                      scale=1.6, interim=True, netAssetsStyle=0, taxInclusiveDefault=1),
        build_company(16, "DS0016", "合同会社見本企画", 20250401, 20260331, SUBS_TRADE, 16,
                      scale=0.4, intro=7),
        build_company(11, "DS0011", "株式会社見本商事", 20240401, 20250331, SUBS_TRADE, 11,
                      side_business=True, intro=99),
    ]
    return {
        "package": {"name": "帳簿丸１８ SELECT"},
        "user": {"id": "admin", "selection": [1, 12]},
        "folders": {"output": "C:\\users\\Public\\Documents\\",
                    "conditions": "C:\\users\\Public\\LdgConditions\\"},
        "datasets": [co.to_json() for co in datasets],
    }


# ---------------------------------------------------------------------------
# Synthetic datasets for benchmarks
# ---------------------------------------------------------------------------
SYNTHETIC_CLASSES = sorted({(cls, side) for _c, _n, cls, side in CHART})


def synthetic_state(accounts, sub_accounts, seed, no):
    rng = random.Random(seed)
    co = Company(no, "DS%04d" % no, "株式会社見本データ%d" % accounts, 20250401, 20260331, {},
                 interimSettlement=0, introMonth=1, netAssetsStyle=1, cutoffDay=0,
                 taxInclusiveDefault=0)
    # Company() added the standard chart; replace it by a generated one.
    co.main, co.order, co.subs = {}, [], {}
    mains = []
    for i in range(accounts):
        cls, side = SYNTHETIC_CLASSES[i % len(SYNTHETIC_CLASSES)]
        display = 1000 + i if accounts <= 9000 else None
        code = display * 10000 if display else (10000 + i) * 10000
        co._add(code, "科目%05d" % (i + 1), cls, side, 0, 0)
        mains.append(code)
    subs_per = {}
    for j in range(sub_accounts):
        parent = mains[j % len(mains)]
        k = subs_per.get(parent, 0) + 1
        if k > 9999:
            raise SystemExit("too many sub-accounts per account")
        subs_per[parent] = k
        co._add(parent + k, co.main[parent]["name"] + " 補助%04d" % k,
                co.main[parent]["class"], co.main[parent]["side"], 0, 0)
    co.order.sort()
    co.amounts = {c: [[[0] * SLOTS for _ in range(2)] for _ in range(2)] for c in co.order}
    leaves = [c for c in co.order if not (c % 10000 == 0 and subs_per.get(c))]
    for slot in list(range(0, 14)):
        for _ in range(max(4, len(leaves) // 2)):
            a, b = rng.sample(leaves, 2) if len(leaves) > 1 else (leaves[0], leaves[0])
            v = rng.randrange(1, 5000000) * 100
            co.post(slot, [(a, "D", v, v + v // 10), (b, "C", v, v + v // 10)])
    co.roll_up()
    return {"user": {"id": "admin", "selection": [1, no]}, "datasets": [co.to_json()]}


def render(state):
    """JSON text with one account or one amount array per line, in pieces:
    a 50,000-account dataset is written without holding its whole text."""
    def j(value):
        return json.dumps(value, ensure_ascii=False)

    yield "{\n"
    for k in state:
        if k != "datasets":
            yield "  %s: %s,\n" % (j(k), j(state[k]))
    yield '  "datasets": [\n'
    for n, ds in enumerate(state["datasets"]):
        yield "    {\n"
        for k, v in ds.items():
            if k not in ("accounts", "totals"):
                yield "      %s: %s,\n" % (j(k), j(v))
        yield '      "accounts": [\n'
        for i, a in enumerate(ds["accounts"]):
            yield ("        " if i == 0 else ",\n        ") + j(a)
        yield '\n      ],\n      "totals": [\n'
        for i, t in enumerate(ds["totals"]):
            lines = ["        {" + ", ".join("%s: %s" % (j(k), j(v)) for k, v in t.items()
                                            if not isinstance(v, list))]
            for k, v in t.items():
                if isinstance(v, list):
                    lines.append("          %s: %s" % (j(k), j(v)))
            yield ("" if i == 0 else ",\n") + ",\n".join(lines) + " }"
        yield "\n      ]\n"
        yield "    }" + ("," if n + 1 < len(state["datasets"]) else "") + "\n"
    yield "  ]\n}\n"


def dump(state, out):
    if out in (None, "-"):
        sys.stdout.writelines(render(state))
    else:
        with open(out, "w", encoding="utf-8", newline="\n") as f:
            f.writelines(render(state))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    sub = parser.add_subparsers(dest="mode", required=True)
    p = sub.add_parser("samples", help="write the sample companies")
    p.add_argument("--out", default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                  "sample-company.json"))
    p = sub.add_parser("synthetic", help="write one large synthetic dataset")
    p.add_argument("--accounts", type=int, required=True, help="number of main accounts")
    p.add_argument("--sub-accounts", type=int, default=0, help="number of sub-accounts")
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--no", type=int, default=1, help="dataset number (selected by user.selection)")
    p.add_argument("--out", default=None, help="output file (default: standard output)")
    args = parser.parse_args(argv)
    if args.mode == "samples":
        dump(sample_state(), args.out)
    else:
        if not 2 <= args.accounts <= 200000:
            parser.error("--accounts must be between 2 and 200000")
        dump(synthetic_state(args.accounts, args.sub_accounts, args.seed, args.no), args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())

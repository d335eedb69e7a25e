// A small host state for tests of the run and of the host calls: the JSON
// text inside the top-level braces.
#pragma once

// One dataset with two accounts and two totals rows, opened by selection 12.
inline const char kSampleState[] =
    u8R"(
  "package": {"name": "帳簿丸１８ SELECT"},
  "user": {"id": "tanaka", "selection": [3, 12]},
  "folders": {"output": "C:\\out\\", "conditions": "C:\\cond\\"},
  "datasets": [
    {"id": "DS0001", "no": 1, "periodStart": 20240401, "periodEnd": 20250331},
    {"id": "DS0012", "no": 12, "company": "株式会社見本商事",
     "periodStart": 20250401, "periodEnd": 20260331, "cutoffDay": 20,
     "interimSettlement": 1, "introMonth": 3, "netAssetsStyle": 1, "taxInclusiveDefault": 1,
     "accounts": [
       {"id": "00112233445566778899aabbccddeeff", "code": 11100000, "name": "現金",
        "class": "0x80818000"},
       {"id": "ffeeddccbbaa99887766554433221100", "code": 41100000, "name": "売上高",
        "class": 1082687488, "flag110": 1, "flag112": 2}
     ],
     "totals": [
       {"id": "00112233445566778899aabbccddeeff", "class": "0x80818000", "side": 1,
        "debitExTax": [1,2,3,4,5,6,7,8,9,10,11,12,13,14,-15]},
       {"class": "0x40888000", "side": 2, "figureSource": 1, "figureBlocked": 0, "unmapped": 1,
        "creditInTax": [0,0,0,0,0,0,0,0,0,0,0,0,0,0,9223372036854775807]}
     ]}
  ])";

// The pieces the aggregation detail's HTML is made of: escaped texts, yen
// amounts, dates, account codes and the style sheet. Texts are code page
// 932 like every text of the program; the document is converted as a whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/aggregation_detail.h"
#include "model/statement_item.h"

// The page is laid out for A4 portrait: 190 mm of text width, tables that
// never grow wider than it, headings kept with what follows them.
extern const char kDetailStyle[];

// A text as HTML text or attribute value: the characters HTML reserves
// escaped, and bytes that start no character (control bytes, a lead byte
// without its second byte) shown as "?", so that the document converts
// character for character.
std::string Html(std::string_view text);

std::string Number(std::int64_t value);

// The exact yen of an amount in ten-thousandths: "-1234.5"; with `grouped`
// the whole part in groups of three ("-1,234.5").
std::string Yen(std::int64_t count, bool grouped = true);

// Eight upper-case hexadecimal digits.
std::string Hex(std::uint32_t code);

std::string TwoDigits(int n);

// "2024年4月1日" from yyyymmdd.
std::string DateText(std::int32_t yyyymmdd);

// "借方", "貸方", or "－" when the side is not known.
std::string SideText(std::uint8_t side);

// The code as the account dialog shows it; an id no account has is shown
// as the id.
std::string CodeText(const DetailAccount& account);

// "<number> <name>" of the item with that number, the number alone when
// no item has it.
std::string ItemLabel(const std::vector<const StatementItem*>& items, int itemNo);

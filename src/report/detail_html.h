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

// What an account's balance over the period is: "期間残高" for a
// balance-sheet account, "当期発生額" for a profit-and-loss one, "－" when
// its class is not known.
std::string BalanceKindText(const DetailAccount& account);

// An amount as the XML writes it (whole yen, truncated toward zero), in
// groups of three; a muted "－" where the XML element is empty.
std::string WrittenYen(std::int64_t count);

// The thousands of yen the form is filled in: the XML's whole yen divided
// by 1,000, truncated toward zero, in groups of three; "" where the XML
// element is empty. `grouped` false gives the bare number for attributes.
std::string Thousands(std::int64_t count, bool grouped = true);

// The code as the account dialog shows it; an id no account has is shown
// as the id.
std::string CodeText(const DetailAccount& account);

// The account's chart name, or a muted note that the dataset has none.
std::string AccountNameText(const DetailAccount& account);

// Why a source changed nothing, in parentheses; "" for kNone.
std::string WhyText(DetailSource::Why why);

// What a source that changed nothing names and is: a figure of the host,
// an account, or an identifier no account has.
std::string IdleCodeText(const DetailSource& source);
std::string IdleNameText(const DetailSource& source);

// A source row's data- attributes: its item, code and amount as applied
// (exact yen), and data-counted="0" when a figure replaced it.
std::string SourceData(const StatementItem& item, const std::string& code, std::int64_t amount,
                       bool counted);

// "<number> <name>" of the item with that number, the number alone when
// no item has it.
std::string ItemLabel(const std::vector<const StatementItem*>& items, int itemNo);

// An account class as the user knows it: the name of the item whose class
// it is, then the code.
std::string ClassText(const std::vector<const StatementItem*>& items, std::uint32_t classCode);

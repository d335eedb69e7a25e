// The host state reader as it was, on the nlohmann DOM: the reference the
// fuzz target compares the stand-in's reader with.
#include "tests/fuzz/host_state_dom.h"

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>

#include "hostsim/shift_jis.h"

namespace hostsim {

namespace {

using Json = nlohmann::json;

struct FormatError {
    StateParseResult result;
    std::string field;
    std::string reason;
};

[[noreturn]] void Fail(const std::string& field, const std::string& reason,
                       StateParseResult result = kStateMalformed) {
    throw FormatError{result, field, reason};
}

std::string Join(const std::string& parent, const char* key) {
    return parent.empty() ? key : parent + "." + key;
}

std::string Index(const std::string& parent, std::size_t i) {
    return parent + "[" + std::to_string(i) + "]";
}

const Json* Member(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

const Json& Required(const Json& object, const std::string& path, const char* key) {
    const Json* value = Member(object, key);
    if (value == nullptr) Fail(Join(path, key), "required field missing");
    return *value;
}

void ExpectObject(const Json& value, const std::string& field) {
    if (!value.is_object()) Fail(field, "not an object");
}

void ExpectArray(const Json& value, const std::string& field) {
    if (!value.is_array()) Fail(field, "not an array");
}

std::int64_t ReadInteger(const Json& value, const std::string& field, std::int64_t min,
                         std::int64_t max) {
    std::int64_t number = 0;
    if (value.is_number_unsigned()) {
        const auto u = value.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(max)) Fail(field, "out of range");
        number = static_cast<std::int64_t>(u);
    } else if (value.is_number_integer()) {
        number = value.get<std::int64_t>();
    } else {
        Fail(field, "not an integer");
    }
    if (number < min || number > max) {
        Fail(field, "out of range (" + std::to_string(min) + " to " + std::to_string(max) + ")");
    }
    return number;
}

std::int32_t ReadInt32(const Json& value, const std::string& field) {
    return static_cast<std::int32_t>(ReadInteger(value, field,
                                                 std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

std::uint8_t ReadByte(const Json& value, const std::string& field) {
    return static_cast<std::uint8_t>(ReadInteger(value, field, 0, 255));
}

std::string ReadUtf8(const Json& value, const std::string& field) {
    if (!value.is_string()) Fail(field, "not a string");
    const auto& text = value.get_ref<const std::string&>();
    if (text.find('\0') != std::string::npos) Fail(field, "contains a NUL character");
    return text;
}

// A text as the program receives it: Shift_JIS, at most maxBytes long.
std::string ReadText(const Json& value, const std::string& field, std::size_t maxBytes) {
    std::string sjis;
    if (!Utf8ToShiftJis(ReadUtf8(value, field), sjis)) {
        Fail(field, "has a character that Shift_JIS cannot hold", kStateTextNotConvertible);
    }
    if (sjis.size() > maxBytes) {
        Fail(field, "longer than " + std::to_string(maxBytes) + " bytes in Shift_JIS");
    }
    return sjis;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// An unsigned 32-bit class code: a number, or a string "0x" and 1 to 8
// hexadecimal digits.
std::uint32_t ReadClassCode(const Json& value, const std::string& field) {
    if (value.is_string()) {
        const auto& text = value.get_ref<const std::string&>();
        if (text.size() < 3 || text.size() > 10 || text[0] != '0' ||
            (text[1] != 'x' && text[1] != 'X')) {
            Fail(field, "not \"0x\" followed by 1 to 8 hexadecimal digits");
        }
        std::uint32_t code = 0;
        for (std::size_t i = 2; i < text.size(); ++i) {
            const int digit = HexDigit(text[i]);
            if (digit < 0) Fail(field, "not \"0x\" followed by 1 to 8 hexadecimal digits");
            code = (code << 4) | static_cast<std::uint32_t>(digit);
        }
        return code;
    }
    return static_cast<std::uint32_t>(ReadInteger(value, field, 0, 0xFFFFFFFFLL));
}

void ReadIdBytes(const Json& value, const std::string& field,
                 std::uint8_t (&id)[AccountRecord::kIdWidth]) {
    if (!value.is_string()) Fail(field, "not a string");
    const auto& text = value.get_ref<const std::string&>();
    if (text.size() != 2 * AccountRecord::kIdWidth) Fail(field, "not 32 hexadecimal digits");
    for (std::size_t i = 0; i < AccountRecord::kIdWidth; ++i) {
        const int high = HexDigit(text[2 * i]);
        const int low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) Fail(field, "not 32 hexadecimal digits");
        id[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
}

std::int32_t ReadDate(const Json& value, const std::string& field) {
    const std::int32_t date = ReadInt32(value, field);
    const std::int32_t month = date / 100 % 100;
    const std::int32_t day = date % 100;
    if (date < 10000101 || date > 99991231 || month < 1 || month > 12 || day < 1 || day > 31) {
        Fail(field, "not a date yyyymmdd");
    }
    return date;
}

void ReadPackage(const Json& object, const std::string& path, HostState& state) {
    ExpectObject(object, path);
    if (const Json* name = Member(object, "name")) {
        state.packageName = ReadText(*name, Join(path, "name"), 259);
    }
}

void ReadUser(const Json& object, const std::string& path, HostState& state) {
    ExpectObject(object, path);
    if (const Json* id = Member(object, "id")) state.userId = ReadText(*id, Join(path, "id"), 64);
    if (const Json* selection = Member(object, "selection")) {
        const std::string field = Join(path, "selection");
        ExpectArray(*selection, field);
        if (selection->size() != 2) Fail(field, "not two numbers");
        state.selectionFirst = ReadInt32((*selection)[0], Index(field, 0));
        state.selectionSecond = ReadInt32((*selection)[1], Index(field, 1));
    }
}

void ReadFolders(const Json& object, const std::string& path, HostState& state) {
    ExpectObject(object, path);
    if (const Json* output = Member(object, "output")) {
        state.outputFolder = ReadText(*output, Join(path, "output"), 4096);
    }
    if (const Json* conditions = Member(object, "conditions")) {
        state.conditionsFolder = ReadText(*conditions, Join(path, "conditions"), 4096);
    }
}

void ReadResults(const Json& object, const std::string& path, HostResults& results) {
    ExpectObject(object, path);
    const std::pair<const char*, std::int32_t*> fields[] = {
        {"connect", &results.connect},           {"joinHostSession", &results.joinHostSession},
        {"readSettings", &results.readSettings}, {"getRowCount", &results.getRowCount},
        {"seekRow", &results.seekRow},
    };
    for (const auto& [key, target] : fields) {
        if (const Json* value = Member(object, key)) *target = ReadInt32(*value, Join(path, key));
    }
    if (const Json* failAt = Member(object, "nextRowFailAt")) {
        results.nextRowFailAt = static_cast<std::int32_t>(ReadInteger(
            *failAt, Join(path, "nextRowFailAt"), -1, std::numeric_limits<std::int32_t>::max()));
    }
    if (const Json* failCode = Member(object, "nextRowFailCode")) {
        const std::string field = Join(path, "nextRowFailCode");
        results.nextRowFailCode = ReadInt32(*failCode, field);
        if (results.nextRowFailCode == 0 || results.nextRowFailCode == 5000) {
            Fail(field, "must not be 0 or 5000");
        }
    }
}

AccountEntry ReadAccount(const Json& object, const std::string& path) {
    ExpectObject(object, path);
    AccountEntry account;
    std::uint8_t id[AccountRecord::kIdWidth] = {};
    ReadIdBytes(Required(object, path, "id"), Join(path, "id"), id);
    account.record.SetIdBytes(id);
    if (const Json* code = Member(object, "code")) {
        account.record.SetCode(ReadInt32(*code, Join(path, "code")));
    }
    if (const Json* name = Member(object, "name")) {
        account.record.SetName(ReadText(*name, Join(path, "name"), AccountRecord::kNameWidth - 1));
    }
    if (const Json* classCode = Member(object, "class")) {
        account.classCode = ReadClassCode(*classCode, Join(path, "class"));
    }
    if (const Json* flag = Member(object, "flag110")) {
        account.record.SetFlag110(ReadByte(*flag, Join(path, "flag110")));
    }
    if (const Json* flag = Member(object, "flag112")) {
        account.record.SetFlag112(ReadByte(*flag, Join(path, "flag112")));
    }
    return account;
}

void ReadAmountColumn(const Json& object, const std::string& path, const char* key,
                      AccountTotalsRecord::Column column, AccountTotalsRecord& row) {
    const Json* amounts = Member(object, key);
    if (amounts == nullptr) return;
    const std::string field = Join(path, key);
    ExpectArray(*amounts, field);
    if (amounts->size() != AccountTotalsRecord::kSlotCount) Fail(field, "not 15 integers");
    for (std::size_t slot = 0; slot < AccountTotalsRecord::kSlotCount; ++slot) {
        row.SetAmount(column, slot,
                      ReadInteger((*amounts)[slot], Index(field, slot),
                                  std::numeric_limits<std::int64_t>::min(),
                                  std::numeric_limits<std::int64_t>::max()));
    }
}

AccountTotalsRecord ReadTotalsRow(const Json& object, const std::string& path) {
    ExpectObject(object, path);
    AccountTotalsRecord row;
    if (const Json* idValue = Member(object, "id")) {
        std::uint8_t id[AccountTotalsRecord::kIdWidth] = {};
        ReadIdBytes(*idValue, Join(path, "id"), id);
        row.SetIdBytes(id);
    }
    if (const Json* classCode = Member(object, "class")) {
        row.SetClassCode(ReadClassCode(*classCode, Join(path, "class")));
    }
    if (const Json* v = Member(object, "side")) row.SetSide(ReadByte(*v, Join(path, "side")));
    if (const Json* v = Member(object, "figureSource")) {
        row.SetFigureSource(ReadByte(*v, Join(path, "figureSource")));
    }
    if (const Json* v = Member(object, "figureBlocked")) {
        row.SetFigureBlocked(ReadByte(*v, Join(path, "figureBlocked")));
    }
    if (const Json* v = Member(object, "unmapped")) {
        row.SetUnmapped(ReadByte(*v, Join(path, "unmapped")));
    }
    using Column = AccountTotalsRecord::Column;
    ReadAmountColumn(object, path, "debitExTax", Column::kDebitExTax, row);
    ReadAmountColumn(object, path, "debitInTax", Column::kDebitInTax, row);
    ReadAmountColumn(object, path, "creditExTax", Column::kCreditExTax, row);
    ReadAmountColumn(object, path, "creditInTax", Column::kCreditInTax, row);
    return row;
}

DatasetEntry ReadDataset(const Json& object, const std::string& path) {
    ExpectObject(object, path);
    DatasetEntry dataset;
    DatasetRecord& record = dataset.record;
    record.SetDatasetId(ReadText(Required(object, path, "id"), Join(path, "id"),
                                 DatasetRecord::kDatasetIdWidth - 1));
    record.SetDatasetNo(ReadInt32(Required(object, path, "no"), Join(path, "no")));
    if (const Json* company = Member(object, "company")) {
        record.SetCompanyName(
            ReadText(*company, Join(path, "company"), DatasetRecord::kCompanyNameWidth - 1));
    }
    record.SetPeriodStart(
        ReadDate(Required(object, path, "periodStart"), Join(path, "periodStart")));
    record.SetPeriodEnd(ReadDate(Required(object, path, "periodEnd"), Join(path, "periodEnd")));
    if (const Json* v = Member(object, "interimSettlement")) {
        record.SetInterimSettlement(ReadInt32(*v, Join(path, "interimSettlement")));
    }
    record.SetIntroMonth(1);
    if (const Json* v = Member(object, "introMonth")) {
        record.SetIntroMonth(
            static_cast<std::int16_t>(ReadInteger(*v, Join(path, "introMonth"), -32768, 32767)));
    }
    if (const Json* v = Member(object, "netAssetsStyle")) {
        record.SetNetAssetsStyle(ReadByte(*v, Join(path, "netAssetsStyle")));
    }
    if (const Json* v = Member(object, "cutoffDay")) {
        dataset.cutoffDay =
            static_cast<std::int32_t>(ReadInteger(*v, Join(path, "cutoffDay"), 0, 31));
    }
    if (const Json* v = Member(object, "taxInclusiveDefault")) {
        dataset.taxInclusiveDefault = ReadInt32(*v, Join(path, "taxInclusiveDefault")) != 0;
    }
    if (const Json* accounts = Member(object, "accounts")) {
        const std::string field = Join(path, "accounts");
        ExpectArray(*accounts, field);
        for (std::size_t i = 0; i < accounts->size(); ++i) {
            dataset.accounts.push_back(ReadAccount((*accounts)[i], Index(field, i)));
        }
    }
    if (const Json* totals = Member(object, "totals")) {
        const std::string field = Join(path, "totals");
        ExpectArray(*totals, field);
        for (std::size_t i = 0; i < totals->size(); ++i) {
            dataset.totals.push_back(ReadTotalsRow((*totals)[i], Index(field, i)));
        }
    }
    return dataset;
}

HostState ReadState(const Json& root) {
    ExpectObject(root, "(top level)");
    HostState state;
    if (const Json* v = Member(root, "package")) ReadPackage(*v, "package", state);
    if (const Json* v = Member(root, "user")) ReadUser(*v, "user", state);
    if (const Json* v = Member(root, "folders")) ReadFolders(*v, "folders", state);
    if (const Json* v = Member(root, "results")) ReadResults(*v, "results", state.results);
    if (const Json* v = Member(root, "journal")) state.journalPath = ReadUtf8(*v, "journal");
    if (const Json* datasets = Member(root, "datasets")) {
        ExpectArray(*datasets, "datasets");
        for (std::size_t i = 0; i < datasets->size(); ++i) {
            state.datasets.push_back(ReadDataset((*datasets)[i], Index("datasets", i)));
        }
    }
    return state;
}

}  // namespace

StateParseResult ParseHostStateDom(const std::string& json, HostState& state,
                                   StateParseError& error) {
    Json root;
    try {
        root = Json::parse(json);
    } catch (const Json::exception& e) {
        error = {"(file)", std::string("not JSON: ") + e.what()};
        return kStateMalformed;
    }
    try {
        state = ReadState(root);
    } catch (const FormatError& e) {
        error = {e.field, e.reason};
        return e.result;
    }
    return kStateOk;
}

}  // namespace hostsim

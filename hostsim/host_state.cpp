#include "hostsim/host_state.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hostsim/json_document.h"
#include "hostsim/shift_jis.h"

namespace hostsim {

HostState::HostState() : packageName("帳簿丸１８") {}

const DatasetEntry* HostState::OpenDataset() const {
    for (const DatasetEntry& dataset : datasets) {
        if (dataset.record.DatasetNo() == selectionSecond) return &dataset;
    }
    return nullptr;
}

namespace {

struct FormatError {
    StateParseResult result;
    std::string field;
    std::string reason;
};

// Where a value sits, as a chain of frames on the reader's stack: the
// field's name is built only when a message needs it.
struct Field {
    const Field* parent;
    const char* key;  // a member, or null for an element
    std::size_t index;

    Field operator[](std::size_t i) const { return {this, nullptr, i}; }
    Field Key(const char* name) const { return {this, name, 0}; }
    std::string Name() const {
        if (parent == nullptr) return key != nullptr ? key : "";
        std::string name = parent->Name();
        if (key == nullptr) return name + "[" + std::to_string(index) + "]";
        return name.empty() ? key : name + "." + key;
    }
};

const Field kTopLevel{nullptr, nullptr, 0};

[[noreturn]] void Fail(const Field& field, const std::string& reason,
                       StateParseResult result = kStateMalformed) {
    throw FormatError{result, field.Name(), reason};
}

// A member of an object the reader has checked, with its field.
struct Member {
    JsonValue value;
    Field field;
    explicit operator bool() const { return static_cast<bool>(value); }
};

Member Find(JsonValue object, const Field& path, const char* key) {
    return {object.Member(key), path.Key(key)};
}

Member Required(JsonValue object, const Field& path, const char* key) {
    Member member = Find(object, path, key);
    if (!member) Fail(member.field, "required field missing");
    return member;
}

void ExpectObject(JsonValue value, const Field& field) {
    if (!value.IsObject()) Fail(field, "not an object");
}

void ExpectArray(JsonValue value, const Field& field) {
    if (!value.IsArray()) Fail(field, "not an array");
}

std::int64_t ReadInteger(JsonValue value, const Field& field, std::int64_t min, std::int64_t max) {
    std::uint64_t magnitude = 0;
    bool negative = false;
    if (!value.Integer(magnitude, negative)) Fail(field, "not an integer");
    std::int64_t number = 0;
    if (!negative) {
        if (magnitude > static_cast<std::uint64_t>(max)) Fail(field, "out of range");
        number = static_cast<std::int64_t>(magnitude);
    } else if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        number = std::numeric_limits<std::int64_t>::min();
    } else {
        number = -static_cast<std::int64_t>(magnitude);
    }
    if (number < min || number > max) {
        Fail(field, "out of range (" + std::to_string(min) + " to " + std::to_string(max) + ")");
    }
    return number;
}

std::int32_t ReadInt32(const Member& member) {
    return static_cast<std::int32_t>(ReadInteger(member.value, member.field,
                                                 std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

std::uint8_t ReadByte(const Member& member) {
    return static_cast<std::uint8_t>(ReadInteger(member.value, member.field, 0, 255));
}

std::string_view ReadUtf8(JsonValue value, const Field& field, std::string& scratch) {
    if (!value.IsString()) Fail(field, "not a string");
    const std::string_view text = value.Text(scratch);
    if (text.find('\0') != std::string_view::npos) Fail(field, "contains a NUL character");
    return text;
}

// A text as the program receives it: Shift_JIS, at most maxBytes long.
std::string ReadText(const Member& member, std::size_t maxBytes) {
    std::string scratch;
    std::string sjis;
    if (!Utf8ToShiftJis(ReadUtf8(member.value, member.field, scratch), sjis)) {
        Fail(member.field, "has a character that Shift_JIS cannot hold", kStateTextNotConvertible);
    }
    if (sjis.size() > maxBytes) {
        Fail(member.field, "longer than " + std::to_string(maxBytes) + " bytes in Shift_JIS");
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
std::uint32_t ReadClassCode(const Member& member) {
    if (member.value.IsString()) {
        std::string scratch;
        const std::string_view text = member.value.Text(scratch);
        if (text.size() < 3 || text.size() > 10 || text[0] != '0' ||
            (text[1] != 'x' && text[1] != 'X')) {
            Fail(member.field, "not \"0x\" followed by 1 to 8 hexadecimal digits");
        }
        std::uint32_t code = 0;
        for (std::size_t i = 2; i < text.size(); ++i) {
            const int digit = HexDigit(text[i]);
            if (digit < 0) Fail(member.field, "not \"0x\" followed by 1 to 8 hexadecimal digits");
            code = (code << 4) | static_cast<std::uint32_t>(digit);
        }
        return code;
    }
    return static_cast<std::uint32_t>(ReadInteger(member.value, member.field, 0, 0xFFFFFFFFLL));
}

void ReadIdBytes(const Member& member, std::uint8_t (&id)[AccountRecord::kIdWidth]) {
    if (!member.value.IsString()) Fail(member.field, "not a string");
    std::string scratch;
    const std::string_view text = member.value.Text(scratch);
    if (text.size() != 2 * AccountRecord::kIdWidth) Fail(member.field, "not 32 hexadecimal digits");
    for (std::size_t i = 0; i < AccountRecord::kIdWidth; ++i) {
        const int high = HexDigit(text[2 * i]);
        const int low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) Fail(member.field, "not 32 hexadecimal digits");
        id[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
}

std::int32_t ReadDate(const Member& member) {
    const std::int32_t date = ReadInt32(member);
    const std::int32_t month = date / 100 % 100;
    const std::int32_t day = date % 100;
    if (date < 10000101 || date > 99991231 || month < 1 || month > 12 || day < 1 || day > 31) {
        Fail(member.field, "not a date yyyymmdd");
    }
    return date;
}

void ReadPackage(const Member& package, HostState& state) {
    ExpectObject(package.value, package.field);
    if (const Member name = Find(package.value, package.field, "name")) {
        state.packageName = ReadText(name, 259);
    }
}

void ReadUser(const Member& user, HostState& state) {
    ExpectObject(user.value, user.field);
    if (const Member id = Find(user.value, user.field, "id")) state.userId = ReadText(id, 64);
    if (const Member selection = Find(user.value, user.field, "selection")) {
        ExpectArray(selection.value, selection.field);
        if (selection.value.Size() != 2) Fail(selection.field, "not two numbers");
        const JsonValue first = selection.value.First();
        state.selectionFirst = ReadInt32({first, selection.field[0]});
        state.selectionSecond = ReadInt32({first.Next(), selection.field[1]});
    }
}

void ReadFolders(const Member& folders, HostState& state) {
    ExpectObject(folders.value, folders.field);
    if (const Member output = Find(folders.value, folders.field, "output")) {
        state.outputFolder = ReadText(output, 4096);
    }
    if (const Member conditions = Find(folders.value, folders.field, "conditions")) {
        state.conditionsFolder = ReadText(conditions, 4096);
    }
}

void ReadResults(const Member& object, HostResults& results) {
    ExpectObject(object.value, object.field);
    const std::pair<const char*, std::int32_t*> fields[] = {
        {"connect", &results.connect},
        {"joinHostSession", &results.joinHostSession},
        {"readSettings", &results.readSettings},
        {"getRowCount", &results.getRowCount},
        {"seekRow", &results.seekRow},
        {"firstQueryGetRowCount", &results.firstQueryGetRowCount},
    };
    for (const auto& [key, target] : fields) {
        if (const Member value = Find(object.value, object.field, key)) *target = ReadInt32(value);
    }
    if (const Member failAt = Find(object.value, object.field, "nextRowFailAt")) {
        results.nextRowFailAt = static_cast<std::int32_t>(
            ReadInteger(failAt.value, failAt.field, -1, std::numeric_limits<std::int32_t>::max()));
    }
    if (const Member crashAt = Find(object.value, object.field, "nextRowCrashAt")) {
        results.nextRowCrashAt = static_cast<std::int32_t>(ReadInteger(
            crashAt.value, crashAt.field, -1, std::numeric_limits<std::int32_t>::max()));
    }
    if (const Member failCode = Find(object.value, object.field, "nextRowFailCode")) {
        results.nextRowFailCode = ReadInt32(failCode);
        if (results.nextRowFailCode == 0 || results.nextRowFailCode == 5000) {
            Fail(failCode.field, "must not be 0 or 5000");
        }
    }
}

void ReadAccount(JsonValue object, const Field& path, AccountEntry& account) {
    ExpectObject(object, path);
    std::uint8_t id[AccountRecord::kIdWidth] = {};
    ReadIdBytes(Required(object, path, "id"), id);
    account.record.SetIdBytes(id);
    if (const Member code = Find(object, path, "code")) account.record.SetCode(ReadInt32(code));
    if (const Member name = Find(object, path, "name")) {
        account.record.SetName(ReadText(name, AccountRecord::kNameWidth - 1));
    }
    if (const Member classCode = Find(object, path, "class")) {
        account.classCode = ReadClassCode(classCode);
    }
    if (const Member flag = Find(object, path, "flag110"))
        account.record.SetFlag110(ReadByte(flag));
    if (const Member flag = Find(object, path, "flag112"))
        account.record.SetFlag112(ReadByte(flag));
}

void ReadAmountColumn(JsonValue object, const Field& path, const char* key,
                      AccountTotalsRecord::Column column, AccountTotalsRecord& row) {
    const Member amounts = Find(object, path, key);
    if (!amounts) return;
    ExpectArray(amounts.value, amounts.field);
    if (amounts.value.Size() != AccountTotalsRecord::kSlotCount) {
        Fail(amounts.field, "not 15 integers");
    }
    std::int64_t values[AccountTotalsRecord::kSlotCount];
    if (amounts.value.Int64Elements(values, AccountTotalsRecord::kSlotCount)) {
        for (std::size_t slot = 0; slot < AccountTotalsRecord::kSlotCount; ++slot) {
            row.SetAmount(column, slot, values[slot]);
        }
        return;
    }
    // Element by element, to name the first one that is no 64-bit integer.
    JsonValue amount = amounts.value.First();
    for (std::size_t slot = 0; slot < AccountTotalsRecord::kSlotCount; ++slot) {
        row.SetAmount(
            column, slot,
            ReadInteger(amount, amounts.field[slot], std::numeric_limits<std::int64_t>::min(),
                        std::numeric_limits<std::int64_t>::max()));
        if (slot + 1 < AccountTotalsRecord::kSlotCount) amount = amount.Next();
    }
}

void ReadTotalsRow(JsonValue object, const Field& path, AccountTotalsRecord& row) {
    ExpectObject(object, path);
    if (const Member idValue = Find(object, path, "id")) {
        std::uint8_t id[AccountTotalsRecord::kIdWidth] = {};
        ReadIdBytes(idValue, id);
        row.SetIdBytes(id);
    }
    if (const Member classCode = Find(object, path, "class")) {
        row.SetClassCode(ReadClassCode(classCode));
    }
    if (const Member v = Find(object, path, "side")) row.SetSide(ReadByte(v));
    if (const Member v = Find(object, path, "figureSource")) row.SetFigureSource(ReadByte(v));
    if (const Member v = Find(object, path, "figureBlocked")) row.SetFigureBlocked(ReadByte(v));
    if (const Member v = Find(object, path, "unmapped")) row.SetUnmapped(ReadByte(v));
    using Column = AccountTotalsRecord::Column;
    ReadAmountColumn(object, path, "debitExTax", Column::kDebitExTax, row);
    ReadAmountColumn(object, path, "debitInTax", Column::kDebitInTax, row);
    ReadAmountColumn(object, path, "creditExTax", Column::kCreditExTax, row);
    ReadAmountColumn(object, path, "creditInTax", Column::kCreditInTax, row);
}

// Calls read(element, field, entry) for every element of an array member,
// appending one entry each.
template <typename Entry, typename Read>
void ReadList(JsonValue object, const Field& path, const char* key, std::vector<Entry>& entries,
              Read read) {
    const Member list = Find(object, path, key);
    if (!list) return;
    ExpectArray(list.value, list.field);
    const std::size_t size = list.value.Size();
    entries.reserve(size);
    JsonValue element = list.value.First();
    for (std::size_t i = 0; i < size; ++i) {
        if (i > 0) element = element.Next();
        read(element, list.field[i], entries.emplace_back());
    }
}

void ReadDataset(JsonValue object, const Field& path, DatasetEntry& dataset) {
    ExpectObject(object, path);
    DatasetRecord& record = dataset.record;
    record.SetDatasetId(ReadText(Required(object, path, "id"), DatasetRecord::kDatasetIdWidth - 1));
    record.SetDatasetNo(ReadInt32(Required(object, path, "no")));
    if (const Member company = Find(object, path, "company")) {
        record.SetCompanyName(ReadText(company, DatasetRecord::kCompanyNameWidth - 1));
    }
    record.SetPeriodStart(ReadDate(Required(object, path, "periodStart")));
    record.SetPeriodEnd(ReadDate(Required(object, path, "periodEnd")));
    if (const Member v = Find(object, path, "interimSettlement")) {
        record.SetInterimSettlement(ReadInt32(v));
    }
    record.SetIntroMonth(1);
    if (const Member v = Find(object, path, "introMonth")) {
        record.SetIntroMonth(
            static_cast<std::int16_t>(ReadInteger(v.value, v.field, -32768, 32767)));
    }
    if (const Member v = Find(object, path, "netAssetsStyle")) {
        record.SetNetAssetsStyle(ReadByte(v));
    }
    // The calendar takes the closing day from the end date; a bad value is still refused.
    if (const Member v = Find(object, path, "cutoffDay")) ReadInteger(v.value, v.field, 0, 31);
    if (const Member v = Find(object, path, "taxInclusiveDefault")) {
        dataset.taxInclusiveDefault = ReadInt32(v) != 0;
    }
    ReadList(object, path, "accounts", dataset.accounts, ReadAccount);
    ReadList(object, path, "totals", dataset.totals, ReadTotalsRow);
}

HostState ReadState(JsonValue root) {
    if (!root.IsObject()) Fail({nullptr, "(top level)", 0}, "not an object");
    HostState state;
    if (const Member v = Find(root, kTopLevel, "package")) ReadPackage(v, state);
    if (const Member v = Find(root, kTopLevel, "user")) ReadUser(v, state);
    if (const Member v = Find(root, kTopLevel, "folders")) ReadFolders(v, state);
    if (const Member v = Find(root, kTopLevel, "results")) ReadResults(v, state.results);
    if (const Member v = Find(root, kTopLevel, "journal")) {
        std::string scratch;
        state.journalPath = std::string(ReadUtf8(v.value, v.field, scratch));
    }
    ReadList(root, kTopLevel, "datasets", state.datasets, ReadDataset);
    return state;
}

}  // namespace

StateParseResult ParseHostState(std::string_view json, HostState& state, StateParseError& error) {
    JsonDocument document;
    JsonDocument::Failure failure;
    if (!document.Read(json, failure)) {
        error = {failure.field, failure.reason};
        return kStateMalformed;
    }
    try {
        state = ReadState(document.Root());
    } catch (const FormatError& e) {
        error = {e.field, e.reason};
        return e.result;
    }
    return kStateOk;
}

}  // namespace hostsim

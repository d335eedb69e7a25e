#include "hostsim/host_state.h"

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hostsim/shift_jis.h"
#include "hostsim/strict_json.h"

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

// What a missing member reads as: a null nothing takes.
const JsonValue kMissing;

// A member of an object the reader has checked, with its field.
struct Member {
    const JsonValue& value;
    Field field;
    explicit operator bool() const { return &value != &kMissing; }
};

Member Find(const JsonValue& object, const Field& path, const char* key) {
    if (!object.IsObject()) return {kMissing, path.Key(key)};
    const auto member = object.FindMember(key);
    return {member != object.MemberEnd() ? member->value : kMissing, path.Key(key)};
}

Member Required(const JsonValue& object, const Field& path, const char* key) {
    Member member = Find(object, path, key);
    if (!member) Fail(member.field, "required field missing");
    return member;
}

void ExpectObject(const JsonValue& value, const Field& field) {
    if (!value.IsObject()) Fail(field, "not an object");
}

void ExpectArray(const JsonValue& value, const Field& field) {
    if (!value.IsArray()) Fail(field, "not an array");
}

[[noreturn]] void FailInteger(const JsonValue& value, const Field& field, std::int64_t min,
                              std::int64_t max) {
    if (!value.IsInt64()) {
        if (value.IsUint64()) Fail(field, "out of range");
        Fail(field, "not an integer");
    }
    if (value.GetInt64() > max) Fail(field, "out of range");
    Fail(field, "out of range (" + std::to_string(min) + " to " + std::to_string(max) + ")");
}

// Integers are those a 64-bit integer holds, from -2^63 to 2^64-1; a
// number with a fraction or an exponent is none. (Millions of amounts come
// here: the faults are out of the way.)
inline std::int64_t ReadInteger(const JsonValue& value, const Field& field, std::int64_t min,
                                std::int64_t max) {
    if (!value.IsInt64() || value.GetInt64() < min || value.GetInt64() > max) {
        FailInteger(value, field, min, max);
    }
    return value.GetInt64();
}

std::int32_t ReadInt32(const Member& member) {
    return static_cast<std::int32_t>(ReadInteger(member.value, member.field,
                                                 std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

std::uint8_t ReadByte(const Member& member) {
    return static_cast<std::uint8_t>(ReadInteger(member.value, member.field, 0, 255));
}

std::string_view Text(const JsonValue& value) {
    return {value.GetString(), value.GetStringLength()};
}

std::string_view ReadUtf8(const JsonValue& value, const Field& field) {
    if (!value.IsString()) Fail(field, "not a string");
    const std::string_view text = Text(value);
    if (text.find('\0') != std::string_view::npos) Fail(field, "contains a NUL character");
    return text;
}

// A text as the program receives it: Shift_JIS, at most maxBytes long.
std::string ReadText(const Member& member, std::size_t maxBytes) {
    std::string sjis;
    if (!Utf8ToShiftJis(ReadUtf8(member.value, member.field), sjis)) {
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
        const std::string_view text = Text(member.value);
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
    const std::string_view text = Text(member.value);
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
        state.selectionFirst = ReadInt32({selection.value[0u], selection.field[0]});
        state.selectionSecond = ReadInt32({selection.value[1u], selection.field[1]});
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
        {"signOutCrash", &results.signOutCrash},
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
    if (const Member delay = Find(object.value, object.field, "nextRowDelayMs")) {
        results.nextRowDelayMs =
            static_cast<std::int32_t>(ReadInteger(delay.value, delay.field, 0, 60000));
    }
    if (const Member to = Find(object.value, object.field, "switchDatasetAtTotals")) {
        results.switchDatasetAtTotals = ReadInt32(to);
    }
    if (const Member failCode = Find(object.value, object.field, "nextRowFailCode")) {
        results.nextRowFailCode = ReadInt32(failCode);
        if (results.nextRowFailCode == 0 || results.nextRowFailCode == 5000) {
            Fail(failCode.field, "must not be 0 or 5000");
        }
    }
}

void ReadAccount(const JsonValue& object, const Field& path, AccountEntry& account) {
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

void ReadAmountColumn(const JsonValue& object, const Field& path, const char* key,
                      AccountTotalsRecord::Column column, AccountTotalsRecord& row) {
    const Member amounts = Find(object, path, key);
    if (!amounts) return;
    ExpectArray(amounts.value, amounts.field);
    if (amounts.value.Size() != AccountTotalsRecord::kSlotCount) {
        Fail(amounts.field, "not 15 integers");
    }
    for (rapidjson::SizeType slot = 0; slot < AccountTotalsRecord::kSlotCount; ++slot) {
        row.SetAmount(column, slot,
                      ReadInteger(amounts.value[slot], amounts.field[slot],
                                  std::numeric_limits<std::int64_t>::min(),
                                  std::numeric_limits<std::int64_t>::max()));
    }
}

void ReadTotalsRow(const JsonValue& object, const Field& path, AccountTotalsRecord& row) {
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

// A list whose elements were read as the text was: its entries, and the
// first element's fault. Its length is known only at its end, so the
// entries are kept in blocks, each of its own fixed room, and copied once
// into a list of the exact length: a list that grows by copying itself
// takes twice as long to read.
template <typename Entry>
struct TakenList {
    static constexpr std::size_t kBlock = 4096;

    bool taken = false;
    std::vector<std::vector<Entry>> blocks;
    std::optional<FormatError> fault;

    Entry& Next() {
        if (blocks.empty() || blocks.back().size() == kBlock) blocks.emplace_back().reserve(kBlock);
        return blocks.back().emplace_back();
    }
    void MoveInto(std::vector<Entry>& entries) {
        if (blocks.size() == 1) {
            entries = std::move(blocks.front());
            return;
        }
        entries.reserve(blocks.size() * kBlock);
        for (const std::vector<Entry>& block : blocks)
            entries.insert(entries.end(), block.begin(), block.end());
        blocks.clear();
    }
};

// Calls read(element, field, entry) for every element of an array member,
// appending one entry each; a list taken while the text was read gives its
// entries, or its fault.
template <typename Entry, typename Read>
void ReadList(const JsonValue& object, const Field& path, const char* key,
              std::vector<Entry>& entries, Read read, TakenList<Entry>* taken = nullptr) {
    const Member list = Find(object, path, key);
    if (!list) return;
    ExpectArray(list.value, list.field);
    if (taken != nullptr && taken->taken) {
        if (taken->fault) throw *taken->fault;
        taken->MoveInto(entries);
        return;
    }
    const rapidjson::SizeType size = list.value.Size();
    entries.reserve(size);
    for (rapidjson::SizeType i = 0; i < size; ++i) {
        read(list.value[i], list.field[i], entries.emplace_back());
    }
}

// The accounts and the totals rows of each dataset, the bulk of a large
// state, read element by element as the text is read.
class DatasetLists : public JsonElementReader {
  public:
    struct Lists {
        TakenList<AccountEntry> accounts;
        TakenList<AccountTotalsRecord> totals;
    };

    // The arrays lie in a dataset, in the top-level object's array.
    DatasetLists() : JsonElementReader(4) {}

    Lists& Of(std::size_t dataset) { return datasets_[dataset]; }

    bool Takes(const std::vector<JsonStep>& path) override {
        if (path.size() != 3 || !path[0].member || path[0].key != "datasets" || path[1].member ||
            !path[2].member || (path[2].key != "accounts" && path[2].key != "totals")) {
            return false;
        }
        dataset_ = path[1].index;
        accounts_ = path[2].key == "accounts";
        Lists& lists = datasets_[dataset_];
        // A list given twice is refused as a key given twice.
        lists.accounts.taken |= accounts_;
        lists.totals.taken |= !accounts_;
        index_ = 0;
        return true;
    }

    void Take(const JsonValue& element) override {
        const Field datasets = kTopLevel.Key("datasets");
        const Field dataset = datasets[dataset_];
        Lists& lists = datasets_[dataset_];
        if (accounts_) {
            TakeInto(element, dataset.Key("accounts")[index_++], lists.accounts, ReadAccount);
        } else {
            TakeInto(element, dataset.Key("totals")[index_++], lists.totals, ReadTotalsRow);
        }
    }

  private:
    template <typename Entry, typename Read>
    static void TakeInto(const JsonValue& element, const Field& field, TakenList<Entry>& list,
                         Read read) {
        if (list.fault) return;  // the first fault is the one reported
        try {
            read(element, field, list.Next());
        } catch (const FormatError& e) {
            list.fault = e;
        }
    }

    std::map<std::size_t, Lists> datasets_;
    std::size_t dataset_ = 0;
    bool accounts_ = false;
    std::size_t index_ = 0;
};

void ReadDataset(const JsonValue& object, const Field& path, DatasetEntry& dataset,
                 DatasetLists& lists) {
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
    DatasetLists::Lists& taken = lists.Of(path.index);
    ReadList(object, path, "accounts", dataset.accounts, ReadAccount, &taken.accounts);
    ReadList(object, path, "totals", dataset.totals, ReadTotalsRow, &taken.totals);
}

HostState ReadState(const JsonValue& root, DatasetLists& lists) {
    if (!root.IsObject()) Fail({nullptr, "(top level)", 0}, "not an object");
    HostState state;
    if (const Member v = Find(root, kTopLevel, "package")) ReadPackage(v, state);
    if (const Member v = Find(root, kTopLevel, "user")) ReadUser(v, state);
    if (const Member v = Find(root, kTopLevel, "folders")) ReadFolders(v, state);
    if (const Member v = Find(root, kTopLevel, "results")) ReadResults(v, state.results);
    if (const Member v = Find(root, kTopLevel, "journal")) {
        state.journalPath = std::string(ReadUtf8(v.value, v.field));
    }
    ReadList(root, kTopLevel, "datasets", state.datasets,
             [&lists](const JsonValue& object, const Field& path, DatasetEntry& dataset) {
                 ReadDataset(object, path, dataset, lists);
             });
    return state;
}

}  // namespace

StateParseResult ParseHostState(std::string_view json, HostState& state, StateParseError& error) {
    JsonDocument document;
    JsonFailure failure;
    DatasetLists lists;
    if (!ReadStrictJson(json, document, failure, &lists)) {
        error = {failure.field, failure.reason};
        return kStateMalformed;
    }
    try {
        state = ReadState(document, lists);
    } catch (const FormatError& e) {
        error = {e.field, e.reason};
        return e.result;
    }
    return kStateOk;
}

}  // namespace hostsim

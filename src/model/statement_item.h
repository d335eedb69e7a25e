// One numbered item of the business overview statement: its name, key,
// account classes and the amounts the aggregation fills in.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// Item numbers 1 to 35 are the main items, 36 to 43 the monthly items.
constexpr int kFirstMainItemNo = 1;
constexpr int kLastMainItemNo = 35;
constexpr int kFirstMonthlyItemNo = 36;
constexpr int kLastMonthlyItemNo = 43;

inline bool IsMainItemNo(int itemNo) {
    return itemNo >= kFirstMainItemNo && itemNo <= kLastMainItemNo;
}
inline bool IsMonthlyItemNo(int itemNo) {
    return itemNo >= kFirstMonthlyItemNo && itemNo <= kLastMonthlyItemNo;
}

// Texts are kept to what the item's fixed-size record fields can hold.
constexpr std::size_t kItemNameBytes = 30;
constexpr std::size_t kItemKeyBytes = 50;
constexpr std::size_t kClassCodeSlots = 10;
// Index 0: a main item's period figure; 1 to 12: a monthly item's months in
// fiscal order.
constexpr std::size_t kAmountSlots = 13;

// The fixed-size fields are public (their types keep the bounds); the two
// texts go through setters that cut them to their bounds.
class StatementItem {
  public:
    std::int16_t itemNo = 0;
    // Compared with a totals row's side: equal adds, different subtracts.
    std::int16_t side = 0;
    // Unused slots are 0; a 0 in the first slot offers all accounts.
    std::array<std::uint32_t, kClassCodeSlots> classCodes{};
    // Ten-thousandths of a yen.
    std::array<std::int64_t, kAmountSlots> amounts{};

    const std::string& name() const { return name_; }
    const std::string& key() const { return key_; }

    // Shift_JIS text; stored up to its first NUL and cut to the bound at a
    // character boundary.
    void SetName(const std::string& name);
    void SetKey(const std::string& key);

    // The name "-" (exactly) marks a slot this edition does not use.
    bool IsUnusedSlot() const { return name_ == "-"; }
    // A "-" anywhere in the key keeps the item out of the XML.
    bool IsWrittenToXml() const;
    // The item has an element in the XML: it is written and its key names
    // the element.
    bool HasXmlElement() const { return IsWrittenToXml() && !key_.empty(); }

  private:
    std::string name_;
    std::string key_;
};

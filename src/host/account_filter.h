// The condition runs that select accounts or months in the host's tables
// and totals query: conditions of 34 bytes, evaluated left to right.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "host/byte_record.h"

enum FilterField : std::int32_t {
    kFieldAccountCode = 2,
    kFieldAccountClass = 16,
    kFieldAccountingMonth = 17,
};

enum FilterOperator : std::int16_t {
    kOperatorEqual = 1,
    kOperatorNotEqual = 2,
    kOperatorAtLeast = 4,
    kOperatorAtMost = 6,
};

enum FilterValueType : std::int16_t {
    kValueInt16 = 2,
    kValueInt32 = 3,
    kValueUint32 = 19,
};

enum FilterLink : std::int16_t {
    kLinkNone = 0,
    kLinkAnd = 1,
    kLinkOr = 2,
};

class FilterCondition : public ByteRecord<34> {
  public:
    static constexpr std::size_t kFieldOffset = 0;
    static constexpr std::size_t kOperatorOffset = 6;
    static constexpr std::size_t kValueTypeOffset = 10;
    static constexpr std::size_t kValueOffset = 18;
    static constexpr std::size_t kLinkOffset = 30;

    std::int32_t Field() const { return ReadInt32(kFieldOffset); }
    std::int16_t Operator() const { return ReadInt16(kOperatorOffset); }
    std::int16_t ValueType() const { return ReadInt16(kValueTypeOffset); }
    std::int16_t Link() const { return ReadInt16(kLinkOffset); }

    // The value read with the width its type names; an unknown type reads
    // as 0.
    std::int64_t Value() const {
        switch (ValueType()) {
            case kValueInt16:
                return ReadInt16(kValueOffset);
            case kValueInt32:
                return ReadInt32(kValueOffset);
            case kValueUint32:
                return ReadUint32(kValueOffset);
            default:
                return 0;
        }
    }

    // Writes the whole condition; all bytes not named stay zero.
    void Set(std::int32_t field, std::int16_t op, std::int16_t valueType, std::int64_t value,
             std::int16_t link) {
        Clear();
        WriteInt32(kFieldOffset, field);
        WriteInt16(kOperatorOffset, op);
        WriteInt16(kValueTypeOffset, valueType);
        WriteUnsigned(kValueOffset, valueType == kValueInt16 ? 2 : 4,
                      static_cast<std::uint64_t>(value));
        WriteInt16(kLinkOffset, link);
    }
    void SetLink(std::int16_t link) { WriteInt16(kLinkOffset, link); }
};

static_assert(sizeof(FilterCondition) == 34, "a filter condition is 34 bytes");
static_assert(FilterCondition::kValueOffset + 4 <= FilterCondition::kLinkOffset,
              "the value overlaps the link");
static_assert(FilterCondition::kLinkOffset + 2 <= FilterCondition::kSize, "link outside");

// Room for the longest run the program builds (ten class conditions); the
// host reads conditions up to the first whose link is 0, and never past the
// last one here.
class AccountFilter {
  public:
    static constexpr std::size_t kMaxConditions = 10;

    void Clear() {
        for (auto& c : conditions_)
            c.Clear();
    }
    FilterCondition& Condition(std::size_t index) { return conditions_.at(index); }
    const FilterCondition& Condition(std::size_t index) const { return conditions_.at(index); }

    // The number of conditions the host evaluates: up to and including the
    // first one that links to nothing (0, or a value that is no link).
    std::size_t ConditionCount() const {
        for (std::size_t i = 0; i < kMaxConditions; ++i) {
            const std::int16_t link = conditions_[i].Link();
            if (link != kLinkAnd && link != kLinkOr) return i + 1;
        }
        return kMaxConditions;
    }

  private:
    std::array<FilterCondition, kMaxConditions> conditions_;
};

static_assert(sizeof(AccountFilter) == 34 * AccountFilter::kMaxConditions,
              "conditions follow each other without gaps");

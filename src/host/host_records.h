// The records that cross the host boundary, with typed accessors at their
// documented offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "host/byte_record.h"

// A dataset (one company's books for one fiscal year).
class DatasetRecord : public ByteRecord<1505> {
  public:
    static constexpr std::size_t kDatasetIdOffset = 0;
    static constexpr std::size_t kDatasetIdWidth = 16;
    static constexpr std::size_t kDatasetNoOffset = 16;
    static constexpr std::size_t kCompanyNameOffset = 24;
    static constexpr std::size_t kCompanyNameWidth = 260;
    static constexpr std::size_t kPeriodStartOffset = 284;
    static constexpr std::size_t kPeriodEndOffset = 288;
    static constexpr std::size_t kInterimSettlementOffset = 304;
    static constexpr std::size_t kIntroMonthOffset = 326;
    static constexpr std::size_t kNetAssetsStyleOffset = 876;

    std::string DatasetId() const { return ReadText(kDatasetIdOffset, kDatasetIdWidth); }
    std::int32_t DatasetNo() const { return ReadInt32(kDatasetNoOffset); }
    std::string CompanyName() const { return ReadText(kCompanyNameOffset, kCompanyNameWidth); }
    std::int32_t PeriodStart() const { return ReadInt32(kPeriodStartOffset); }
    std::int32_t PeriodEnd() const { return ReadInt32(kPeriodEndOffset); }
    std::int32_t InterimSettlement() const { return ReadInt32(kInterimSettlementOffset); }
    std::int16_t IntroMonth() const { return ReadInt16(kIntroMonthOffset); }
    std::uint8_t NetAssetsStyle() const { return Byte(kNetAssetsStyleOffset); }

    bool SetDatasetId(const std::string& id) {
        return WriteText(kDatasetIdOffset, kDatasetIdWidth, id);
    }
    void SetDatasetNo(std::int32_t no) { WriteInt32(kDatasetNoOffset, no); }
    bool SetCompanyName(const std::string& name) {
        return WriteText(kCompanyNameOffset, kCompanyNameWidth, name);
    }
    void SetPeriodStart(std::int32_t yyyymmdd) { WriteInt32(kPeriodStartOffset, yyyymmdd); }
    void SetPeriodEnd(std::int32_t yyyymmdd) { WriteInt32(kPeriodEndOffset, yyyymmdd); }
    void SetInterimSettlement(std::int32_t v) { WriteInt32(kInterimSettlementOffset, v); }
    void SetIntroMonth(std::int16_t v) { WriteInt16(kIntroMonthOffset, v); }
    void SetNetAssetsStyle(std::uint8_t v) { SetByte(kNetAssetsStyleOffset, v); }
};

// One entry of the chart of accounts.
class AccountRecord : public ByteRecord<208> {
  public:
    static constexpr std::size_t kIdOffset = 0;
    static constexpr std::size_t kIdWidth = 16;
    static constexpr std::size_t kCodeOffset = 16;
    static constexpr std::size_t kNameOffset = 22;
    static constexpr std::size_t kNameWidth = 88;
    static constexpr std::size_t kFlag110Offset = 110;
    static constexpr std::size_t kFlag112Offset = 112;

    const std::uint8_t* IdBytes() const { return Data() + kIdOffset; }
    std::int32_t Code() const { return ReadInt32(kCodeOffset); }
    std::string Name() const { return ReadText(kNameOffset, kNameWidth); }
    std::uint8_t Flag110() const { return Byte(kFlag110Offset); }
    std::uint8_t Flag112() const { return Byte(kFlag112Offset); }

    void SetIdBytes(const std::uint8_t (&id)[kIdWidth]) {
        for (std::size_t i = 0; i < kIdWidth; ++i)
            SetByte(kIdOffset + i, id[i]);
    }
    void SetCode(std::int32_t code) { WriteInt32(kCodeOffset, code); }
    bool SetName(const std::string& name) { return WriteText(kNameOffset, kNameWidth, name); }
    void SetFlag110(std::uint8_t v) { SetByte(kFlag110Offset, v); }
    void SetFlag112(std::uint8_t v) { SetByte(kFlag112Offset, v); }
};

// One row of the totals query: an account's amounts over the fifteen
// period slots (opening balance, twelve months, two adjustment periods).
class AccountTotalsRecord : public ByteRecord<636> {
  public:
    static constexpr std::size_t kSlotCount = 15;
    static constexpr std::size_t kIdOffset = 0;
    static constexpr std::size_t kIdWidth = 16;
    static constexpr std::size_t kFigureBlockedOffset = 126;
    static constexpr std::size_t kFigureSourceOffset = 127;
    static constexpr std::size_t kUnmappedOffset = 128;
    static constexpr std::size_t kSideOffset = 130;
    static constexpr std::size_t kClassCodeOffset = 136;
    static constexpr std::size_t kDebitExTaxOffset = 152;
    static constexpr std::size_t kDebitInTaxOffset = 272;
    static constexpr std::size_t kCreditExTaxOffset = 392;
    static constexpr std::size_t kCreditInTaxOffset = 512;

    enum class Column { kDebitExTax, kDebitInTax, kCreditExTax, kCreditInTax };

    const std::uint8_t* IdBytes() const { return Data() + kIdOffset; }
    std::uint8_t FigureBlocked() const { return Byte(kFigureBlockedOffset); }
    std::uint8_t FigureSource() const { return Byte(kFigureSourceOffset); }
    std::uint8_t Unmapped() const { return Byte(kUnmappedOffset); }
    std::uint8_t Side() const { return Byte(kSideOffset); }
    std::uint32_t ClassCode() const { return ReadUint32(kClassCodeOffset); }
    std::int64_t Amount(Column column, std::size_t slot) const {
        return ReadInt64(ColumnOffset(column) + 8 * CheckedSlot(slot));
    }

    void SetIdBytes(const std::uint8_t (&id)[kIdWidth]) {
        for (std::size_t i = 0; i < kIdWidth; ++i)
            SetByte(kIdOffset + i, id[i]);
    }
    void SetFigureBlocked(std::uint8_t v) { SetByte(kFigureBlockedOffset, v); }
    void SetFigureSource(std::uint8_t v) { SetByte(kFigureSourceOffset, v); }
    void SetUnmapped(std::uint8_t v) { SetByte(kUnmappedOffset, v); }
    void SetSide(std::uint8_t v) { SetByte(kSideOffset, v); }
    void SetClassCode(std::uint32_t v) { WriteUint32(kClassCodeOffset, v); }
    void SetAmount(Column column, std::size_t slot, std::int64_t v) {
        WriteInt64(ColumnOffset(column) + 8 * CheckedSlot(slot), v);
    }

    static constexpr std::size_t ColumnOffset(Column column) {
        return column == Column::kDebitExTax    ? kDebitExTaxOffset
               : column == Column::kDebitInTax  ? kDebitInTaxOffset
               : column == Column::kCreditExTax ? kCreditExTaxOffset
                                                : kCreditInTaxOffset;
    }

  private:
    // A slot outside 0..14 would reach the next column; the byte array's
    // own bounds check stops only at the record's end.
    static std::size_t CheckedSlot(std::size_t slot) {
        return slot < kSlotCount ? slot : throw std::out_of_range("totals slot");
    }
};

// The dataset's consumption tax settings.
class TaxSettingsRecord : public ByteRecord<12> {
  public:
    static constexpr std::size_t kTaxInclusiveDefaultOffset = 5;

    bool TaxInclusiveDefault() const { return Byte(kTaxInclusiveDefaultOffset) != 0; }
    void SetTaxInclusiveDefault(std::uint8_t v) { SetByte(kTaxInclusiveDefaultOffset, v); }
};

// Layout checks: each record is exactly its host size and every field
// lies inside it without overlapping the next one.
static_assert(sizeof(DatasetRecord) == 1505, "DatasetRecord must be 1505 bytes");
static_assert(sizeof(AccountRecord) == 208, "AccountRecord must be 208 bytes");
static_assert(sizeof(AccountTotalsRecord) == 636, "AccountTotalsRecord must be 636 bytes");
static_assert(sizeof(TaxSettingsRecord) == 12, "TaxSettingsRecord must be 12 bytes");

static_assert(DatasetRecord::kDatasetIdOffset + DatasetRecord::kDatasetIdWidth <=
                  DatasetRecord::kDatasetNoOffset,
              "datasetId overlaps datasetNo");
static_assert(DatasetRecord::kDatasetNoOffset + 4 <= DatasetRecord::kCompanyNameOffset,
              "datasetNo overlaps companyName");
static_assert(DatasetRecord::kCompanyNameOffset + DatasetRecord::kCompanyNameWidth ==
                  DatasetRecord::kPeriodStartOffset,
              "companyName must end where periodStart begins");
static_assert(DatasetRecord::kPeriodStartOffset + 4 == DatasetRecord::kPeriodEndOffset,
              "periodEnd follows periodStart");
static_assert(DatasetRecord::kPeriodEndOffset + 4 <= DatasetRecord::kInterimSettlementOffset,
              "periodEnd overlaps interimSettlement");
static_assert(DatasetRecord::kInterimSettlementOffset + 4 <= DatasetRecord::kIntroMonthOffset,
              "interimSettlement overlaps introMonth");
static_assert(DatasetRecord::kIntroMonthOffset + 2 <= DatasetRecord::kNetAssetsStyleOffset,
              "introMonth overlaps netAssetsStyle");
static_assert(DatasetRecord::kNetAssetsStyleOffset < DatasetRecord::kSize,
              "netAssetsStyle lies outside the record");

static_assert(AccountRecord::kIdOffset + AccountRecord::kIdWidth == AccountRecord::kCodeOffset,
              "account code follows the identifier");
static_assert(AccountRecord::kCodeOffset + 4 <= AccountRecord::kNameOffset,
              "account code overlaps the name");
static_assert(AccountRecord::kNameOffset + AccountRecord::kNameWidth ==
                  AccountRecord::kFlag110Offset,
              "account name must end where flag 110 begins");
static_assert(AccountRecord::kFlag112Offset < AccountRecord::kSize, "flag 112 outside");

static_assert(AccountTotalsRecord::kIdOffset + AccountTotalsRecord::kIdWidth <=
                  AccountTotalsRecord::kFigureBlockedOffset,
              "identifier overlaps the flags");
static_assert(AccountTotalsRecord::kSideOffset < AccountTotalsRecord::kClassCodeOffset,
              "side overlaps classCode");
static_assert(AccountTotalsRecord::kClassCodeOffset + 4 <= AccountTotalsRecord::kDebitExTaxOffset,
              "classCode overlaps the amounts");
static_assert(AccountTotalsRecord::kDebitExTaxOffset + 8 * AccountTotalsRecord::kSlotCount ==
                  AccountTotalsRecord::kDebitInTaxOffset,
              "amount columns are contiguous");
static_assert(AccountTotalsRecord::kDebitInTaxOffset + 8 * AccountTotalsRecord::kSlotCount ==
                  AccountTotalsRecord::kCreditExTaxOffset,
              "amount columns are contiguous");
static_assert(AccountTotalsRecord::kCreditExTaxOffset + 8 * AccountTotalsRecord::kSlotCount ==
                  AccountTotalsRecord::kCreditInTaxOffset,
              "amount columns are contiguous");
static_assert(AccountTotalsRecord::kCreditInTaxOffset + 8 * AccountTotalsRecord::kSlotCount <=
                  AccountTotalsRecord::kSize,
              "the last amount column lies outside the record");

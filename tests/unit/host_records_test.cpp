#include <gtest/gtest.h>

#include <cstring>

#include "host/host_records.h"

namespace {

template <typename Record>
std::string BytesAt(const Record& record, std::size_t offset, std::size_t count) {
    return std::string(reinterpret_cast<const char*>(record.Data()) + offset, count);
}

TEST(HostRecords, DatasetFieldsLandAtTheirOffsetsLittleEndian) {
    DatasetRecord record;
    record.SetDatasetId("DS0012");
    record.SetDatasetNo(0x01020304);
    record.SetCompanyName("見本");
    record.SetPeriodStart(20250401);
    record.SetPeriodEnd(20260331);
    record.SetInterimSettlement(1);
    record.SetIntroMonth(99);
    record.SetNetAssetsStyle(1);

    EXPECT_EQ(BytesAt(record, 0, 7), std::string("DS0012\0", 7));
    EXPECT_EQ(BytesAt(record, 16, 4), "\x04\x03\x02\x01");
    EXPECT_EQ(BytesAt(record, 24, 5), std::string("見本\0", 5));
    EXPECT_EQ(record.ReadInt32(284), 20250401);
    EXPECT_EQ(record.Byte(284), 20250401 & 0xFF);
    EXPECT_EQ(record.ReadInt32(288), 20260331);
    EXPECT_EQ(record.ReadInt32(304), 1);
    EXPECT_EQ(BytesAt(record, 326, 2), std::string("\x63\0", 2));
    EXPECT_EQ(record.Byte(876), 1);
    EXPECT_EQ(record.CompanyName(), "見本");
    EXPECT_EQ(record.IntroMonth(), 99);
}

TEST(HostRecords, TextWithoutTerminatorStopsAtTheFieldEnd) {
    DatasetRecord record;
    // Fill the id field and the dataset number behind it with letters.
    for (std::size_t i = 0; i < 20; ++i)
        record.SetByte(i, 'A');
    EXPECT_EQ(record.DatasetId(), std::string(16, 'A'));
}

TEST(HostRecords, OverlongTextIsCutAndKeepsItsTerminator) {
    AccountRecord record;
    record.SetFlag110(7);
    EXPECT_FALSE(record.SetName(std::string(200, 'x')));
    EXPECT_EQ(record.Name(), std::string(87, 'x'));
    EXPECT_EQ(record.Byte(AccountRecord::kNameOffset + 87), 0);
    EXPECT_EQ(record.Flag110(), 7) << "the name must not run into the flag bytes";
}

TEST(HostRecords, AccountFields) {
    AccountRecord record;
    const std::uint8_t id[16] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                                 0x88, 0x99, 0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff};
    record.SetIdBytes(id);
    record.SetCode(-41100000);
    record.SetName("売上高");
    record.SetFlag112(2);
    EXPECT_EQ(std::memcmp(record.Data(), id, 16), 0);
    EXPECT_EQ(record.Code(), -41100000);
    EXPECT_EQ(BytesAt(record, 22, 6), "売上高");
    EXPECT_EQ(record.Byte(112), 2);
}

TEST(HostRecords, TotalsAmountsFillTheirColumnsSlotBySlot) {
    using Column = AccountTotalsRecord::Column;
    AccountTotalsRecord row;
    row.SetAmount(Column::kDebitExTax, 0, -1);
    row.SetAmount(Column::kDebitInTax, 14, INT64_MAX);
    row.SetAmount(Column::kCreditExTax, 1, 5);
    row.SetAmount(Column::kCreditInTax, 14, INT64_MIN);
    row.SetClassCode(0x80818000u);
    row.SetSide(1);
    row.SetUnmapped(1);
    row.SetFigureSource(1);
    row.SetFigureBlocked(1);

    EXPECT_EQ(row.ReadInt64(152), -1);
    EXPECT_EQ(row.ReadInt64(272 + 8 * 14), INT64_MAX);
    EXPECT_EQ(row.ReadInt64(392 + 8), 5);
    EXPECT_EQ(row.ReadInt64(512 + 8 * 14), INT64_MIN);
    EXPECT_EQ(row.ReadUint32(136), 0x80818000u);
    EXPECT_EQ(row.Byte(130), 1);
    EXPECT_EQ(row.Byte(128), 1);
    EXPECT_EQ(row.Byte(127), 1);
    EXPECT_EQ(row.Byte(126), 1);
    EXPECT_EQ(row.Amount(Column::kCreditInTax, 14), INT64_MIN);
    EXPECT_THROW(row.Amount(Column::kDebitExTax, 15), std::out_of_range);
}

TEST(HostRecords, TaxSettingsByteFive) {
    TaxSettingsRecord record;
    EXPECT_FALSE(record.TaxInclusiveDefault());
    record.SetByte(5, 2);
    EXPECT_TRUE(record.TaxInclusiveDefault());
}

}  // namespace

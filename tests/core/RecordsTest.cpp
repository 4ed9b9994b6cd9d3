#include <cstring>
#include <gtest/gtest.h>
#include <sstream>

#include "state/GameList.h"
#include "state/Records.h"

namespace {

template <typename T>
std::string Bytes(const T& record) {
    std::ostringstream out;
    WriteRecord(out, record);
    return out.str();
}

int32_t I32At(const std::string& bytes, size_t offset) {
    int32_t v;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
}

TEST(RecordsTest, FieldsLandAtTheirSavedOffsets) {
    TCompany c = BlankRecord<TCompany>();
    c.CompanyName = "Pixel Forge";
    c.Money = 1500000;
    c.Week = 52;
    c.HistMoney[1984][1] = 1234;
    c.HistIncome[2010][52] = -7;
    c.BestChartPos[1980] = 151;
    c.StartStamp = 0x12345678;
    const std::string bytes = Bytes(c);
    ASSERT_EQ(bytes.size(), 30160u);
    EXPECT_EQ(bytes[0], 11);
    EXPECT_EQ(bytes.substr(1, 11), "Pixel Forge");
    EXPECT_EQ(I32At(bytes, 29436), 1500000);
    EXPECT_EQ(I32At(bytes, 29980), 52);
    EXPECT_EQ(I32At(bytes, 17788 + (1984 - 1983) * 208), 1234);
    EXPECT_EQ(I32At(bytes, 23612 + (2010 - 1983) * 208 + 51 * 4), -7);
    EXPECT_EQ(static_cast<uint8_t>(bytes[30025]), 151);
    EXPECT_EQ(I32At(bytes, 30156), 0x12345678);
}

TEST(RecordsTest, RawRoundTripOfEveryRecord) {
    TProject p = BlankRecord<TProject>();
    p.Name = "Star Quest";
    p.FinalCopy = 87.25;
    p.Ready = true;
    TPlatformTable t = BlankRecord<TPlatformTable>();
    t.UnitsInUse[18] = 1.5e6;
    t.FullName[3] = "Commodore 64";
    TPublisherDeal d = BlankRecord<TPublisherDeal>();
    d.Extras[10] = true;
    d.SizeClass = 2;

    std::stringstream io;
    WriteRecord(io, p);
    WriteRecord(io, t);
    WriteRecord(io, d);
    EXPECT_EQ(io.str().size(), 160u + 2320u + 76u);
    TProject p2;
    TPlatformTable t2;
    TPublisherDeal d2;
    ReadRecord(io, p2);
    ReadRecord(io, t2);
    ReadRecord(io, d2);
    EXPECT_EQ(std::memcmp(&p, &p2, sizeof p), 0);
    EXPECT_EQ(std::memcmp(&t, &t2, sizeof t), 0);
    EXPECT_EQ(std::memcmp(&d, &d2, sizeof d), 0);
    EXPECT_EQ(t2.FullName[3].Str(), "Commodore 64");
}

TEST(RecordsTest, ShortReadLeavesTheRecordUntouchedAndDamagedBoolsAreNormalised) {
    TPublisherDeal deal = BlankRecord<TPublisherDeal>();
    deal.WeeksLeft = 9;
    std::istringstream shortFile(std::string(75, '\0'));
    EXPECT_THROW(ReadRecord(shortFile, deal), EGameRange);
    EXPECT_EQ(deal.WeeksLeft, 9);

    std::string bytes(76, '\0');
    bytes[58] = 7; // Extras[1] holding a byte that is neither 0 nor 1
    std::istringstream damaged(bytes);
    ReadRecord(damaged, deal);
    EXPECT_TRUE(deal.Extras[1]);
    EXPECT_EQ(Bytes(deal)[58], 1);
}

TEST(RecordsTest, ShortStringsTruncateAndIgnoreAnOverlongLengthByte) {
    TCompany c = BlankRecord<TCompany>();
    c.CompanyName = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";
    EXPECT_EQ(c.CompanyName.Str(), "ABCDEFGHIJKLMNOPQRSTUVWXY");
    TGameEntry e = BlankRecord<TGameEntry>();
    e.Developer = "Pixel Forge Interactive";
    EXPECT_EQ(e.Developer.Str(), "Pixel Forge Int");
    e.Developer.Length = 200; // as a damaged file might hold
    EXPECT_EQ(e.Developer.Str().size(), 15u);
}

TEST(RecordsTest, WeekHistoryCoversOnly1983To2010AndWeeks1To52) {
    TCompany c = BlankRecord<TCompany>();
    EXPECT_NO_THROW(c.HistMoney[1983][1] = 1);
    EXPECT_NO_THROW(c.HistMoney[2010][52] = 1);
    EXPECT_THROW(c.HistMoney[1982][1] = 1, EGameRange);
    EXPECT_THROW(c.HistMoney[2011][1] = 1, EGameRange);
    EXPECT_THROW(c.HistMoney[1990][0] = 1, EGameRange);
    EXPECT_THROW(c.HistMoney[1990][53] = 1, EGameRange);
    EXPECT_EQ(reinterpret_cast<char*>(&c.HistMoney[1985][3]) - reinterpret_cast<char*>(&c.HistMoney),
              (1985 - 1983) * 208 + 2 * 4);
}

TEST(RecordsTest, GameListKeepsOneBlankSlotAtTheEnd) {
    TGameList list;
    EXPECT_EQ(list.Length(), 1);
    EXPECT_EQ(list.RealCount(), 0);
    list.Blank().Title = "Moon Harvest";
    list.Commit();
    TGameEntry e = BlankRecord<TGameEntry>();
    e.Title = "Tank Ballet";
    list.Append(e);
    ASSERT_EQ(list.Length(), 3);
    EXPECT_EQ(list[0].Title.Str(), "Moon Harvest");
    EXPECT_EQ(list[1].Title.Str(), "Tank Ballet");
    EXPECT_EQ(list[2].Title.Str(), "");
    int real = 0;
    for (const auto& entry : list)
        real += entry.Title.Length > 0;
    EXPECT_EQ(real, 2);
    EXPECT_THROW(list[3], EGameRange);
    list.Clear();
    EXPECT_EQ(list.Length(), 1);
}

TEST(NumbersTest, CheckedArithmeticAndRounding) {
    EXPECT_THROW(CheckedAdd(INT32_MAX, 1), EGameRange);
    EXPECT_THROW(CheckedSub(INT32_MIN, 1), EGameRange);
    EXPECT_THROW(CheckedMul(65536, 65536), EGameRange);
    EXPECT_THROW(CheckedU8(256), EGameRange);
    EXPECT_EQ(CheckedAdd(-5, 3), -2);
    EXPECT_EQ(RoundToI32(2.5), 2);
    EXPECT_EQ(RoundToI32(3.5), 4);
    EXPECT_EQ(RoundToI32(-2.5), -2);
    EXPECT_THROW(RoundToI32(3e9), EGameRange);
}

} // namespace

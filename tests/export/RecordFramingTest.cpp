#include "XlsTestSupport.h"

#include "export/Biff8Records.h"
#include "export/MemorySink.h"
#include "support/HexDiff.h"

#include <gtest/gtest.h>

namespace dbfquery::xls {
namespace {

using dbfquery::testing::hexDiff;
using namespace xls::testing;

TEST(XlsWriteRecord, LongDataGoesOnInContinueRecords) {
    QByteArray data(8225, '\0');
    for (int i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7);
    MemorySink sink;
    biff::WriteRecord(sink, 0x00E5, data);
    const std::vector<Record> records = splitRecords(sink.bytes());
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].type, 0x00E5);
    EXPECT_EQ(records[0].bytes.size(), 4 + 8224);
    EXPECT_EQ(records[1].type, 0x003C);
    EXPECT_EQ(hexDiff(hex("3c 00 01 00") + data.right(1), records[1].bytes), "");
    EXPECT_EQ(hexDiff(records[0].bytes.mid(4) + records[1].bytes.mid(4), data), "");
}

TEST(XlsWriteRecord, EmptyDataIsTheHeaderAlone) {
    MemorySink sink;
    biff::WriteRecord(sink, 0x000A, QByteArray());
    EXPECT_EQ(hexDiff(hex("0a 00 00 00"), sink.bytes()), "");
}

TEST(XlsHexToBytes, RunsOfDigitsInEitherCaseSeparatedByAnything) {
    EXPECT_EQ(hexDiff(QByteArray::fromHex("0aff1000"), hex("a FF,10;;0")), "");
    EXPECT_EQ(hexDiff(QByteArray::fromHex("fca9"), hex("  fc\ta9  ")), "");
    EXPECT_TRUE(hex(" - ").isEmpty());
}

// Raw UTF-16 here made readers take the second character for an option
// byte; xlrd failed to open such files.
TEST(XlsWriteAccess, IsABiff8StringPaddedWithSpaces) {
    MemorySink sink;
    biff::writeWriteAccess(sink, QStringLiteral("Tester"));
    const QByteArray expected = hex(QStringLiteral("5c 00 70 00 06 00 01 ") + hUtf16(QStringLiteral("Tester"))) +
                                QByteArray(112 - 3 - 12, ' ');
    EXPECT_EQ(hexDiff(expected, sink.bytes()), "");

    sink.clear();
    biff::writeWriteAccess(sink, QString(66, u'ж'));
    ASSERT_EQ(sink.size(), 4 + 112);
    EXPECT_EQ(sink.bytes().mid(4, 3), hex("36 00 01"));  // 54 characters fit
}

} // namespace
} // namespace dbfquery::xls

#include "XlsTestSupport.h"

#include "export/Biff8Records.h"
#include "export/MemorySink.h"
#include "export/TExcelWriter.h"
#include "export/TXLSWorkbook.h"
#include "support/HexDiff.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace dbfquery::xls {
namespace {

using dbfquery::testing::hexDiff;
using namespace xls::testing;

struct Written {
    QByteArray stream;
    std::vector<Record> sst;     // SST and its CONTINUE records
    std::vector<Record> extsst;
};

Written writeStrings(const QStringList& texts) {
    TXLSWorkbook book;
    TXLSWorksheet& sheet = *book.AddSheet();
    for (int i = 0; i < texts.size(); ++i)
        sheet.GetRange({0, i, 0, i})->SetValue(texts[i]);
    MemorySink sink;
    TExcelWriter writer;
    writer.WriteWorkbook(book, sink);
    Written w{sink.bytes(), {}, {}};
    bool inSst = false;
    for (Record& r : splitRecords(w.stream)) {
        inSst = r.type == 0x00FC || (inSst && r.type == biff::CONTINUE);
        if (inSst)
            w.sst.push_back(r);
        if (r.type == 0x00FF)
            w.extsst.push_back(r);
    }
    return w;
}

void expectCleanFile(const QStringList& texts) {
    TXLSWorkbook book;
    TXLSWorksheet& sheet = *book.AddSheet();
    for (int i = 0; i < texts.size(); ++i)
        sheet.GetRange({0, i, 0, i})->SetValue(texts[i]);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("strings.xls"));
    TExcelWriter().Save(book, path);
    expectXlscheckClean(path);
}

TEST(XlsSharedStrings, NineStringsGiveTwoExtsstEntriesAndEqualTextsAreNotShared) {
    QStringList texts;
    for (int i = 1; i <= 8; ++i)
        texts << QStringLiteral("s%1").arg(i);
    texts << QStringLiteral("s1");
    const Written w = writeStrings(texts);
    ASSERT_EQ(w.sst.size(), 1u);
    QString sst = QStringLiteral("fc 00 47 00 09 00 00 00 09 00 00 00 ");
    for (const QString& t : texts)
        sst += QStringLiteral("02 00 01 ") + hUtf16(t);
    EXPECT_EQ(hexDiff(hex(sst), w.sst[0].bytes), "");
    const auto at = static_cast<std::uint32_t>(w.sst[0].offset);
    ASSERT_EQ(w.extsst.size(), 1u);
    EXPECT_EQ(hexDiff(hex(QStringLiteral("ff 00 12 00 08 00 ") + h32(at + 12) + "0c 00 00 00 " +
                                       h32(at + 12 + 8 * 7) + "44 00 00 00"),
                      w.extsst[0].bytes), "");
}

struct SplitCase {
    const char* name;
    QStringList texts;
    std::vector<int> recordSizes;  // data sizes of SST and its CONTINUE records
    QString continueStart;         // first bytes of the first CONTINUE's data
    friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }
};

class XlsSstSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(XlsSstSplit, HeadersAndCharactersStayWhole) {
    const SplitCase& c = GetParam();
    const Written w = writeStrings(c.texts);
    std::vector<int> sizes;
    for (const Record& r : w.sst)
        sizes.push_back(static_cast<int>(r.bytes.size() - 4));
    EXPECT_EQ(sizes, c.recordSizes);
    ASSERT_GE(w.sst.size(), 2u);
    const QByteArray start = hex(c.continueStart);
    EXPECT_EQ(hexDiff(start, w.sst[1].bytes.mid(4, start.size())), "");
    expectCleanFile(c.texts);
}

INSTANTIATE_TEST_SUITE_P(Cases, XlsSstSplit,
    ::testing::Values(
        // 8224 - 8 count bytes - 3 header bytes = 8213, rounded down to even
        SplitCase{"long_first_string", {QString(5000, u'я')}, {8223, 1 + 1788}, QStringLiteral("01 4f 04 4f 04")},
        // 3 bytes left: the next header goes whole into the CONTINUE record
        SplitCase{"header_not_split", {QString(4105, u'a'), QStringLiteral("bc")}, {8221, 7},
                  QStringLiteral("02 00 01 62 00 63 00")},
        // 5 bytes left: header and one character, the rest after an option byte
        SplitCase{"characters_continue", {QString(4104, u'a'), QStringLiteral("xyz")}, {8224, 5},
                  QStringLiteral("01 79 00 7a 00")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(XlsSharedStrings, ManyStringsKeepExtsstInOneRecord) {
    // More than 1027 buckets of 8 would need a continued EXTSST, which
    // readers misread: buckets grow instead.
    QStringList texts;
    for (int i = 0; i < 9000; ++i)
        texts << QStringLiteral("t%1").arg(i);
    const Written w = writeStrings(texts);
    ASSERT_EQ(w.extsst.size(), 1u);
    const QByteArray& e = w.extsst[0].bytes;
    const int perBucket = static_cast<unsigned char>(e[4]) | static_cast<unsigned char>(e[5]) << 8;
    EXPECT_EQ(perBucket, 9);
    EXPECT_EQ(e.size() - 6, 8 * 1000);
    const std::vector<Record> all = splitRecords(w.stream);
    for (std::size_t i = 0; i + 1 < all.size(); ++i)
        if (all[i].type == 0x00FF) {
            EXPECT_NE(all[i + 1].type, biff::CONTINUE);
        }
    expectCleanFile(texts);
}

TEST(XlsSharedStrings, NumbersAndEmptyTextsHaveNoString) {
    const Written w = writeStrings({QString(), QStringLiteral("x")});
    ASSERT_EQ(w.sst.size(), 1u);
    EXPECT_EQ(hexDiff(hex(QStringLiteral("fc 00 0d 00 01 00 00 00 01 00 00 00 01 00 01 78 00")),
                      w.sst[0].bytes), "");

    TXLSWorkbook book;
    book.AddSheet()->GetRange({0, 0, 0, 0})->SetValue(3);
    MemorySink sink;
    TExcelWriter().WriteWorkbook(book, sink);
    for (const Record& r : splitRecords(sink.bytes()))
        EXPECT_TRUE(r.type != 0x00FC && r.type != 0x00FF) << "no SST without strings";
}

} // namespace
} // namespace dbfquery::xls

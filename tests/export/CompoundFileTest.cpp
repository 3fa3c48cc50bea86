#include "XlsTestSupport.h"

#include "export/Biff8Records.h"
#include "export/CompoundFileWriter.h"
#include "export/TExcelWriter.h"
#include "export/TXLSWorkbook.h"
#include "support/HexDiff.h"
#include "support/UserError.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace dbfquery::xls {
namespace {

using dbfquery::testing::hexDiff;
using namespace xls::testing;

QByteArray pattern(qint64 size) {
    QByteArray bytes(size, '\0');
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131) ^ (i >> 9));
    return bytes;
}

QByteArray container(const QByteArray& stream) {
    CompoundFileWriter file(QStringLiteral("Workbook"));
    file.stream().write(stream);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(file.writeTo(out));
    return out.data();
}

QString repeat(const QString& hex, int times) {
    QString out;
    for (int i = 0; i < times; ++i)
        out += hex + u' ';
    return out;
}

QString entryName(const QString& name) {
    return hUtf16(name) + repeat(QStringLiteral("00"), 64 - 2 * static_cast<int>(name.size()));
}

TEST(XlsCompoundFile, SmallStreamGoesIntoTheMiniStream) {
    const QByteArray stream = pattern(100);
    const QByteArray file = container(stream);
    ASSERT_EQ(file.size(), 512 * 5);
    const QString header = QStringLiteral("d0 cf 11 e0 a1 b1 1a e1 ") + repeat(QStringLiteral("00"), 16) +
                           "3e 00 03 00 fe ff 09 00 06 00 00 00 00 00 00 00 "
                           "00 00 00 00 01 00 00 00 01 00 00 00 00 00 00 00 00 10 00 00 "
                           "02 00 00 00 01 00 00 00 fe ff ff ff 00 00 00 00 00 00 00 00 " +
                           repeat(QStringLiteral("ff ff ff ff"), 108);
    EXPECT_EQ(hexDiff(hex(header), file.left(512)), "") << "header";
    const QString fat = QStringLiteral("fd ff ff ff fe ff ff ff fe ff ff ff fe ff ff ff ") +
                        repeat(QStringLiteral("ff ff ff ff"), 124);
    EXPECT_EQ(hexDiff(hex(fat), file.mid(512, 512)), "") << "FAT";
    const QString nothing = QStringLiteral("ff ff ff ff ff ff ff ff");
    const QString dir = entryName(QStringLiteral("Root Entry")) + "16 00 05 01 " + nothing +
                        " 01 00 00 00 " + repeat(QStringLiteral("00"), 36) + "03 00 00 00 80 00 00 00 00 00 00 00 " +
                        entryName(QStringLiteral("Workbook")) + "12 00 02 01 " + nothing + " ff ff ff ff " +
                        repeat(QStringLiteral("00"), 36) + "00 00 00 00 64 00 00 00 00 00 00 00 " +
                        repeat(repeat(QStringLiteral("00"), 68) + nothing + " ff ff ff ff " +
                                   repeat(QStringLiteral("00"), 48),
                               2);
    EXPECT_EQ(hexDiff(hex(dir), file.mid(1024, 512)), "") << "directory";
    const QString miniFat = QStringLiteral("01 00 00 00 fe ff ff ff ") + repeat(QStringLiteral("ff ff ff ff"), 126);
    EXPECT_EQ(hexDiff(hex(miniFat), file.mid(1536, 512)), "") << "mini FAT";
    EXPECT_EQ(hexDiff(stream + QByteArray(412, '\0'), file.mid(2048)), "") << "mini stream";
}

struct SizeCase {
    const char* name;
    qint64 size;
    bool mini;
    int difatSectors;
    friend void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }
};

class XlsCompoundFileSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(XlsCompoundFileSizes, OlefileReadsTheStreamBack) {
    const SizeCase& c = GetParam();
    const QByteArray stream = pattern(c.size);
    const QByteArray file = container(stream);
    EXPECT_EQ(file.size() % 512, 0);
    const auto* h = reinterpret_cast<const unsigned char*>(file.constData());
    EXPECT_EQ(h[0x48] | h[0x49] << 8, c.difatSectors) << "DIFAT sectors in the header";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.cfb"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();
    const QString script = QStringLiteral(
        "import olefile, hashlib, json, sys\n"
        "o = olefile.OleFileIO(sys.argv[1], raise_defects=olefile.DEFECT_INCORRECT)\n"
        "d = o.openstream('Workbook').read()\n"
        "print(json.dumps({'streams': ['/'.join(e) for e in o.listdir()], 'size': o.get_size('Workbook'),\n"
        "  'sha1': hashlib.sha1(d).hexdigest(), 'root': o.root.size}))\n");
    int code = 0;
    const QString output = runPython({QStringLiteral("-c"), script, path}, &code);
    ASSERT_EQ(code, 0) << output.toStdString();
    const QJsonObject read = QJsonDocument::fromJson(output.toUtf8()).object();
    EXPECT_EQ(read["streams"].toArray().size(), 1);
    EXPECT_EQ(read["streams"].toArray().at(0).toString(), QStringLiteral("Workbook"));
    EXPECT_EQ(read["size"].toInteger(), c.size);
    EXPECT_EQ(read["sha1"].toString(), QString::fromLatin1(QCryptographicHash::hash(stream, QCryptographicHash::Sha1).toHex()));
    EXPECT_EQ(read["root"].toInteger() > 0, c.mini) << "mini stream in the root entry";
}

INSTANTIATE_TEST_SUITE_P(Cases, XlsCompoundFileSizes,
                         ::testing::Values(SizeCase{"empty", 0, false, 0},
                                           SizeCase{"one_byte", 1, true, 0},
                                           SizeCase{"just_under_4096", 4095, true, 0},
                                           SizeCase{"exactly_4096", 4096, false, 0},
                                           SizeCase{"one_fat_sector_full", 127 * 512, false, 0},
                                           SizeCase{"needs_difat", 7'500'000, false, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// A device that accepts a number of bytes, then refuses.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 accept) : m_left(accept) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override {
        if (m_left < size)
            return -1;
        m_left -= size;
        return size;
    }

private:
    qint64 m_left;
};

TEST(XlsCompoundFile, AFailingDeviceIsReported) {
    CompoundFileWriter file(QStringLiteral("Workbook"));
    file.stream().write(pattern(5000));
    for (qint64 accept : {0, 512, 1536, 3000}) {
        FailingDevice device(accept);
        EXPECT_FALSE(file.writeTo(device)) << "after " << accept << " bytes";
    }
}

TEST(XlsSave, MissingFolderGivesTheCreateErrorWithTheNegatedSystemCode) {
    QTemporaryDir dir;
    TXLSWorkbook book;
    book.AddSheet();
    try {
        TExcelWriter().Save(book, dir.filePath(QStringLiteral("no/such/folder/out.xls")));
        FAIL() << "no error";
    } catch (const support::UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("StgCreateDocFile error -2"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 0);
}

TEST(XlsSave, ReplacesAnExistingFileAndAFailedSaveLeavesItWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.xls"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("not a workbook");
    }
    TXLSWorkbook book;
    book.AddSheet()->GetRange({0, 0, 0, 0})->SetValue(QStringLiteral("new"));
    TExcelWriter().Save(book, path);
    expectXlscheckClean(path);
    const QByteArray saved = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();

    book.Sheet(0).GetRange({0, 70000, 0, 70000});
    EXPECT_THROW(TExcelWriter().Save(book, path), support::UserError);
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), saved);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{QStringLiteral("out.xls")});
}

} // namespace
} // namespace dbfquery::xls

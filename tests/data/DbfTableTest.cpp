#include "data/DbfTable.h"

#include "data/DbfBuilder.h"
#include "support/CodePage.h"
#include "support/UserError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>

namespace dbfquery::data {
namespace {

using support::UserError;
using testing::buildDbf;
using testing::buildFpt;
using testing::DbfBuilderField;

std::string describe(const DbfValue& v) {
    switch (v.kind) {
    case DbfValue::Kind::Null: return "null";
    case DbfValue::Kind::Integer: return "int " + std::to_string(v.integer);
    case DbfValue::Kind::Real: {
        char text[64];
        std::snprintf(text, sizeof text, "real %.10g", v.real);
        return text;
    }
    case DbfValue::Kind::Text: return "text " + std::string(v.bytes);
    case DbfValue::Kind::Blob: return "blob " + QByteArray(v.bytes.data(), static_cast<qsizetype>(v.bytes.size())).toHex().toStdString();
    }
    return {};
}

// The oracle's value in the same words as describe().
std::string describe(const QJsonObject& v) {
    const QString kind = v.value(QLatin1String("k")).toString();
    if (kind == QLatin1String("null"))
        return "null";
    if (kind == QLatin1String("int"))
        return "int " + std::to_string(static_cast<std::int64_t>(v.value(QLatin1String("v")).toDouble()));
    if (kind == QLatin1String("real")) {
        char text[64];
        std::snprintf(text, sizeof text, "real %.10g", v.value(QLatin1String("v")).toDouble());
        return text;
    }
    return (kind == QLatin1String("text") ? "text " : "blob ") + v.value(QLatin1String("v")).toString().toStdString();
}

// Tables written by python-dbf into a temporary folder, with what dbfread reads in them.
struct PythonFixtures {
    QTemporaryDir dir;
    QJsonObject oracle;
    QString failure; // why there are no fixtures
    bool skip = false;
};

const PythonFixtures& pythonFixtures() {
    static const std::unique_ptr<PythonFixtures> fixtures = [] {
        auto f = std::make_unique<PythonFixtures>();
        const QString script = QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("dbf_fixtures.py"));
        if (!QFileInfo::exists(QStringLiteral("/usr/bin/python3"))) {
            f->skip = true;
            return f;
        }
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"), {script, f->dir.path()});
        python.waitForFinished(120000);
        if (python.exitCode() == 3) {
            f->skip = true;
            return f;
        }
        const QByteArray out = python.readAllStandardOutput();
        if (python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
            f->failure = QString::fromUtf8(python.readAllStandardError());
            return f;
        }
        f->oracle = QJsonDocument::fromJson(out).object();
        return f;
    }();
    return *fixtures;
}

#define REQUIRE_PYTHON_FIXTURES()                                                                  \
    const PythonFixtures& fixtures = pythonFixtures();                                              \
    if (fixtures.skip)                                                                              \
        GTEST_SKIP() << "/usr/bin/python3 lacks python3-dbf or python3-dbfread";                    \
    ASSERT_TRUE(fixtures.failure.isEmpty()) << fixtures.failure.toStdString()

// Every field, record and value of `table` against dbfread's reading.
void expectLikeOracle(const DbfTable& table, const QJsonObject& expected) {
    const QJsonArray fields = expected.value(QLatin1String("fields")).toArray();
    ASSERT_EQ(table.fields().size(), static_cast<std::size_t>(fields.size()));
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QJsonArray f = fields[i].toArray();
        const DbfField& ours = table.fields()[static_cast<std::size_t>(i)];
        EXPECT_EQ(ours.name, f[0].toString());
        EXPECT_EQ(QString(QLatin1Char(ours.type)), f[1].toString());
        EXPECT_EQ(ours.width, f[2].toInt()) << ours.name.toStdString();
        EXPECT_EQ(ours.decimals, f[3].toInt()) << ours.name.toStdString();
    }
    const QJsonArray records = expected.value(QLatin1String("records")).toArray();
    ASSERT_EQ(table.recordCount(), static_cast<std::uint32_t>(records.size()));
    std::string scratch;
    for (std::uint32_t r = 0; r < table.recordCount(); ++r) {
        const QJsonValue record = records[r];
        EXPECT_EQ(table.isDeleted(r), record.isNull()) << "record " << r;
        if (record.isNull())
            continue;
        const QJsonArray values = record.toArray();
        for (int f = 0; f < static_cast<int>(values.size()); ++f) {
            EXPECT_EQ(describe(table.value(r, f, scratch)), describe(values[f].toObject()))
                << "record " << r << ", field " << table.fields()[static_cast<std::size_t>(f)].name.toStdString();
        }
    }
}

struct OracleCase {
    const char* name;        // the table's name in the fixture folder and the oracle
    const char* codePage;    // what the reader must decode with
    bool guessed;
    friend void PrintTo(const OracleCase& c, std::ostream* os) { *os << c.name; }
};

class DbfOracleTest : public ::testing::TestWithParam<OracleCase> {};

TEST_P(DbfOracleTest, ReadsWhatDbfreadReads) {
    REQUIRE_PYTHON_FIXTURES();
    const OracleCase& c = GetParam();
    const QString path = QDir(fixtures.dir.path()).filePath(QLatin1String(c.name) + QStringLiteral(".dbf"));
    const auto table = DbfTable::open(path);
    EXPECT_EQ(table->codePage().name, QLatin1String(c.codePage));
    EXPECT_EQ(table->codePage().guessed, c.guessed);
    expectLikeOracle(*table, fixtures.oracle.value(QLatin1String(c.name)).toObject());
}

// Field types per format (the FoxPro memo file has an upper-case extension).
INSTANTIATE_TEST_SUITE_P(Formats, DbfOracleTest,
                         ::testing::Values(OracleCase{"db3", "cp866", false}, OracleCase{"fox", "cp1251", false},
                                           OracleCase{"vfp", "cp1252", false}),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(CodePages, DbfOracleTest,
                         ::testing::Values(OracleCase{"cp_cp866", "cp866", false},
                                           OracleCase{"cp_cp1251", "cp1251", false},
                                           OracleCase{"cp_cp437", "cp437", false},
                                           OracleCase{"cp_cp850", "cp850", false},
                                           OracleCase{"cp_cp852", "cp852", false},
                                           OracleCase{"cp_cp1250", "cp1250", false},
                                           OracleCase{"cp_cp1252", "cp1252", false},
                                           OracleCase{"guess_cp866", "cp866", true},
                                           OracleCase{"guess_cp1251", "cp1251", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// One field of one record, hand-built: the value mapping's edge cases.
struct ValueCase {
    const char* name;
    std::uint8_t version;
    DbfBuilderField field;
    QByteArray cell;
    std::string expected; // as describe() gives it
    friend void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }
};

class DbfValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(DbfValueTest, MapsTheCell) {
    const ValueCase& c = GetParam();
    ASSERT_EQ(c.cell.size(), c.field.width);
    const auto table = DbfTable::fromBuffer(buildDbf(c.version, {c.field}, {' ' + c.cell}, 0xC9));
    std::string scratch;
    EXPECT_EQ(describe(table->value(0, 0, scratch)), c.expected);
}

QByteArray bytes(std::initializer_list<unsigned char> list) {
    QByteArray b;
    for (const unsigned char c : list)
        b += static_cast<char>(c);
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Cells, DbfValueTest,
    ::testing::Values(
        ValueCase{"CharacterBlankIsEmptyText", 0x03, {"C", 'C', 4}, "    ", "text "},
        ValueCase{"CharacterNulPaddingDropped", 0x03, {"C", 'C', 4}, QByteArray("ab\0\0", 4), "text ab"},
        ValueCase{"CharacterCp1251", 0x03, {"C", 'C', 4}, bytes({0xC4, 0xE0, ' ', ' '}), "text Да"},
        ValueCase{"NumberInteger", 0x03, {"N", 'N', 5}, "  -42", "int -42"},
        ValueCase{"NumberDecimals", 0x03, {"N", 'N', 7, 2}, "  12.50", "real 12.5"},
        ValueCase{"NumberPointInIntegerField", 0x03, {"N", 'N', 5}, " 1.5 ", "real 1.5"},
        ValueCase{"NumberBlankIsNull", 0x03, {"N", 'N', 5}, "     ", "null"},
        ValueCase{"NumberOverflowStarsIsNull", 0x03, {"N", 'N', 5}, "*****", "null"},
        ValueCase{"NumberGarbageIsNull", 0x03, {"N", 'N', 5}, "1-2.x", "null"},
        ValueCase{"NumberBeyondInt64IsReal", 0x03, {"N", 'N', 20}, "12345678901234567890", "real 1.23456789e+19"},
        ValueCase{"NumberExponent", 0x03, {"F", 'F', 8, 1}, "  1.5e3 ", "real 1500"},
        ValueCase{"DateBlankIsNull", 0x03, {"D", 'D', 8}, "        ", "null"},
        ValueCase{"DateZerosIsNull", 0x03, {"D", 'D', 8}, "00000000", "null"},
        ValueCase{"DateImpossibleIsNull", 0x03, {"D", 'D', 8}, "20231301", "null"},
        ValueCase{"Date", 0x03, {"D", 'D', 8}, "20240229", "text 2024-02-29"},
        ValueCase{"LogicalYes", 0x03, {"L", 'L', 1}, "y", "int 1"},
        ValueCase{"LogicalUnknownIsNull", 0x03, {"L", 'L', 1}, "?", "null"},
        ValueCase{"DateTimeRoundsMilliseconds", 0x30, {"T", 'T', 8},
                  testing::le32(2451545) + testing::le32(43199999), "text 2000-01-01 12:00:00"},
        ValueCase{"DateTimeLastMillisecondOfDay", 0x30, {"T", 'T', 8},
                  testing::le32(2451545) + testing::le32(86399999), "text 2000-01-02 00:00:00"},
        ValueCase{"DateTimeEmptyIsNull", 0x30, {"T", 'T', 8}, QByteArray(8, '\0'), "null"},
        ValueCase{"CurrencyNegative", 0x30, {"Y", 'Y', 8}, bytes({0xF0, 0xD8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), "real -1"},
        ValueCase{"IntegerOfWrongWidthIsBlob", 0x30, {"I", 'I', 2}, "ab", "blob 6162"},
        ValueCase{"UnknownTypeIsBlob", 0x03, {"X", 'X', 2}, "hi", "blob 6869"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DbfTableTest, NullFlagsAndVaryingLengthFields) {
    // _NullFlags bits in field order: NAME null; V varying, V null; Q varying.
    const std::vector<DbfBuilderField> fields = {{"NAME", 'C', 4, 0, 0x02},
                                                 {"V", 'V', 6, 0, 0x02},
                                                 {"Q", 'Q', 4},
                                                 {"_NullFlags", '0', 1, 0, 0x05}};
    const QByteArray full = QByteArray(" ") + "Anna" + "abcdef" + "wxyz" + '\x00';
    const QByteArray shortOnes = QByteArray(" ") + "Bo  " + QByteArray("ab \0\0\x03", 6) + QByteArray("w\0\0\x01", 4) + '\x0A';
    const QByteArray nulls = QByteArray(" ") + "    " + QByteArray(6, '\0') + "wxyz" + '\x05';
    const auto table = DbfTable::fromBuffer(buildDbf(0x32, fields, {full, shortOnes, nulls}, 0x03));
    ASSERT_EQ(table->fields().size(), 3u); // _NullFlags is not a column
    EXPECT_TRUE(table->fields()[0].nullable);
    EXPECT_TRUE(table->fields()[2].binary);
    std::string scratch;
    auto cell = [&](std::uint32_t r, int f) { return describe(table->value(r, f, scratch)); };
    EXPECT_EQ(cell(0, 0), "text Anna");
    EXPECT_EQ(cell(0, 1), "text abcdef");
    EXPECT_EQ(cell(0, 2), "blob 7778797a");
    EXPECT_EQ(cell(1, 0), "text Bo");
    EXPECT_EQ(cell(1, 1), "text ab");
    EXPECT_EQ(cell(1, 2), "blob 77");
    EXPECT_EQ(cell(2, 0), "null");
    EXPECT_EQ(cell(2, 1), "null");
    EXPECT_EQ(cell(2, 2), "blob 7778797a");
}

TEST(DbfTableTest, Dbase7LayoutAndItsNumbers) {
    // 68-byte header (language driver name at 32), 48-byte descriptors.
    QByteArray header(68, '\0');
    header[0] = 0x04;
    header[4] = 2;
    const int headerLength = 68 + 3 * 48 + 1;
    header[8] = static_cast<char>(headerLength);
    header[9] = static_cast<char>(headerLength >> 8);
    header[10] = 1 + 5 + 4 + 8;
    header.replace(32, 8, "DB866RU0");
    auto descriptor = [](const char* name, char type, int width) {
        QByteArray d(48, '\0');
        d.replace(0, static_cast<int>(qstrlen(name)), name);
        d[32] = type;
        d[33] = static_cast<char>(width);
        return d;
    };
    const QByteArray table = header + descriptor("NAME", 'C', 5) + descriptor("ID", '+', 4) +
                             descriptor("RATE", 'O', 8) + '\x0D' +
                             " Anna " + bytes({0x80, 0, 0, 7}) + bytes({0xBF, 0xF8, 0, 0, 0, 0, 0, 0}) +
                             " Boris" + bytes({0x7F, 0xFF, 0xFF, 0xFE}) + bytes({0x40, 0x07, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    const auto t = DbfTable::fromBuffer(table);
    EXPECT_EQ(t->formatName(), QStringLiteral("dBase 7"));
    EXPECT_EQ(t->codePage().name, QStringLiteral("cp866")); // from the language driver, byte 29 is blank
    EXPECT_FALSE(t->codePage().guessed);
    ASSERT_EQ(t->fields().size(), 3u);
    EXPECT_EQ(t->fields()[2].offset, 10);
    std::string scratch;
    EXPECT_EQ(describe(t->value(0, 1, scratch)), "int 7");
    EXPECT_EQ(describe(t->value(0, 2, scratch)), "real 1.5");
    EXPECT_EQ(describe(t->value(1, 1, scratch)), "int -2");
    EXPECT_EQ(describe(t->value(1, 2, scratch)), "real -1.5");
}

TEST(DbfTableTest, DbaseIvMemoBlocksWithTheirBlockSize) {
    // .dbt: block size at offset 20; a block starts FF FF 08 00 and its
    // length, the 8 header bytes included.
    QByteArray memo(512, '\0');
    memo[20] = 64;
    memo += bytes({0xFF, 0xFF, 0x08, 0x00}) + testing::le32(8 + 11) + "Hello \x1A memo";
    const auto t = DbfTable::fromBuffer(buildDbf(0x8B, {{"NOTE", 'M', 10}}, {"          8", "           "}, 0x65),
                                        memo, QStringLiteral("NOTES.DBF"));
    std::string scratch;
    EXPECT_EQ(describe(t->value(0, 0, scratch)), "text Hello \x1A mem");
    EXPECT_EQ(describe(t->value(1, 0, scratch)), "text ");
    EXPECT_EQ(t->formatName(), QStringLiteral("dBase IV с примечаниями"));
}

TEST(DbfTableTest, UnmarkedUtf8AndKoi8TablesAreGuessed) {
    const QString russian = QStringLiteral("Съешь же ещё этих мягких французских булок");
    const QByteArray utf8 = russian.toUtf8();
    const auto u = DbfTable::fromBuffer(buildDbf(0x03, {{"T", 'C', 100}}, {' ' + utf8.leftJustified(100, ' ')}));
    EXPECT_EQ(u->codePage().name, QLatin1String("utf-8"));
    EXPECT_TRUE(u->codePage().guessed);
    std::string scratch;
    EXPECT_EQ(u->value(0, 0, scratch).bytes, utf8.toStdString());

    const QByteArray koi8 = support::CodePage::koi8r().encode(russian).bytes;
    const auto k = DbfTable::fromBuffer(buildDbf(0x03, {{"T", 'C', 100}}, {' ' + koi8.leftJustified(100, ' ')}, 0x7F));
    EXPECT_EQ(k->codePage().name, QLatin1String("koi8-r")); // an unknown mark is guessed too
    EXPECT_EQ(k->value(0, 0, scratch).bytes, utf8.toStdString());
}

TEST(DbfTableTest, AsciiTextPointsIntoTheTable) {
    const auto table = DbfTable::fromBuffer(buildDbf(0x03, {{"T", 'C', 8}}, {" plain   "}, 0xC9));
    std::string scratch;
    const DbfValue v = table->value(0, 0, scratch);
    EXPECT_EQ(v.bytes, "plain");
    EXPECT_TRUE(scratch.empty());
    EXPECT_EQ(table->value(1, 0, scratch).kind, DbfValue::Kind::Null); // out of range
    EXPECT_EQ(table->value(0, 1, scratch).kind, DbfValue::Kind::Null);
}

// A good two-record table the damaged cases start from.
QByteArray goodTable() {
    return buildDbf(0x03, {{"NAME", 'C', 10}, {"AGE", 'N', 3}}, {" Anna       31", "*Boris      42"}, 0xC9);
}

QByteArray patched(QByteArray b, int at, std::initializer_list<unsigned char> with) {
    for (const unsigned char c : with)
        b[at++] = static_cast<char>(c);
    return b;
}

struct DamagedCase {
    const char* name;
    QByteArray table;
    QByteArray memo;
    const char* message; // a fragment of the message
    friend void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }
};

class DbfDamagedTest : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DbfDamagedTest, SaysWhatIsWrongAndNamesTheFile) {
    const DamagedCase& c = GetParam();
    try {
        DbfTable::fromBuffer(c.table, c.memo, QStringLiteral("/data/PEOPLE.DBF"));
        FAIL() << "opened";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("PEOPLE."))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message))) << e.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, DbfDamagedTest,
    ::testing::Values(
        DamagedCase{"Empty", {}, {}, "короче заголовка"},
        DamagedCase{"CutInTheHeader", goodTable().left(20), {}, "короче заголовка"},
        DamagedCase{"DbaseII", patched(goodTable(), 0, {0x02}), {}, "dBase II"},
        DamagedCase{"NotADbf", patched(goodTable(), 0, {0x00}), {}, "не является таблицей DBF"},
        DamagedCase{"HeaderLongerThanFile", patched(goodTable(), 8, {0x00, 0x10}), {}, "файл обрезан"},
        DamagedCase{"HeaderShorterThanDescriptors", patched(goodTable(), 8, {0x41, 0x00}), {}, "длина заголовка (65 байт)"},
        DamagedCase{"RecordShorterThanFields", patched(goodTable(), 10, {0x05, 0x00}), {}, "длина записи (5 байт)"},
        DamagedCase{"NoTerminator", patched(goodTable(), 96, {'X'}).left(97), {}, "не завершен"},
        DamagedCase{"NoFields", buildDbf(0x03, {}, {" "}), {}, "нет полей"},
        DamagedCase{"MemoFileMissing", buildDbf(0x30, {{"NOTE", 'M', 4}}, {' ' + testing::le32(8)}), {}, "не найден файл примечаний PEOPLE.FPT"},
        DamagedCase{"MemoFileShorterThanHeader", buildDbf(0x30, {{"NOTE", 'M', 4}}, {' ' + testing::le32(8)}), "abc", "PEOPLE.FPT поврежден"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DbfTableTest, MemoPointerOutsideTheMemoFile) {
    const QByteArray memo = buildFpt({"first"});
    const auto table = DbfTable::fromBuffer(buildDbf(0x30, {{"NOTE", 'M', 4}}, {' ' + testing::le32(8), ' ' + testing::le32(9000)}),
                                            memo, QStringLiteral("PEOPLE.DBF"));
    std::string scratch;
    EXPECT_EQ(table->value(0, 0, scratch).bytes, "first");
    try {
        table->value(1, 0, scratch);
        FAIL() << "read";
    } catch (const UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Файл PEOPLE.FPT поврежден: поле NOTE записи 2 ссылается за конец файла"));
    }
}

TEST(DbfTableTest, RecordCountBeyondTheEndReadsTheWholeRecords) {
    const QByteArray table = patched(goodTable().chopped(6), 4, {10}); // claims 10, holds 1.5
    const auto t = DbfTable::fromBuffer(table, {}, QStringLiteral("PEOPLE.DBF"));
    ASSERT_EQ(t->recordCount(), 1u);
    ASSERT_EQ(t->warnings().size(), 1);
    EXPECT_TRUE(t->warnings()[0].contains(QStringLiteral("PEOPLE.DBF"))) << t->warnings()[0].toStdString();
    std::string scratch;
    EXPECT_EQ(t->value(0, 0, scratch).bytes, "Anna");
}

// Reads every value; a damaged memo reference may say so, nothing else may fail.
void readEverything(const DbfTable& table) {
    std::string scratch;
    for (std::uint32_t r = 0; r < table.recordCount(); ++r) {
        for (int f = 0; f < static_cast<int>(table.fields().size()); ++f) {
            try {
                table.value(r, f, scratch);
            } catch (const UserError&) {
            }
        }
    }
}

TEST(DbfTableTest, TableOrMemoCutAtEveryOffsetIsReadSafelyOrRefused) {
    const QByteArray table = buildDbf(
        0x30, {{"NAME", 'C', 6, 0, 0x02}, {"NOTE", 'M', 4}, {"N", 'N', 5, 1}, {"_NullFlags", '0', 1, 0, 0x05}},
        {" Anna  " + testing::le32(8) + " 12.5" + '\0', " Boris " + testing::le32(9) + "  -.5" + '\x01'}, 0x65);
    const QByteArray memo = buildFpt({"one", QByteArray(100, 'x')});
    for (qsizetype cut = 0; cut <= table.size(); ++cut) {
        try {
            readEverything(*DbfTable::fromBuffer(table.left(cut), memo, QStringLiteral("PEOPLE.DBF")));
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("PEOPLE."))) << e.message().toStdString();
        }
    }
    for (qsizetype cut = 0; cut <= memo.size(); ++cut) {
        try {
            readEverything(*DbfTable::fromBuffer(table, memo.left(cut), QStringLiteral("PEOPLE.DBF")));
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("PEOPLE."))) << e.message().toStdString();
        }
    }
}

TEST(DbfTableTest, OpenNamesAMissingFile) {
    try {
        DbfTable::open(QStringLiteral("/nonexistent/GHOST.DBF"));
        FAIL() << "opened";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Не удалось открыть файл GHOST.DBF"))) << e.message().toStdString();
    }
}

} // namespace
} // namespace dbfquery::data

#include "data/ResultSet.h"
#include "dbfsql/XlsOutput.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace dbfquery::dbfsql {
namespace {

using data::FieldType;

data::ResultSet sampleRows() {
    data::ResultSetBuilder builder({{"ID", true, FieldType::Integer, 4, 0},
                                    {"SUMMA", true, FieldType::Decimal, 10, 2},
                                    {"BORN", true, FieldType::Date, 8, 0},
                                    {"FIO", true, FieldType::Text, 20, 0}});
    builder.addNull(0);
    builder.addNull(1);
    builder.addNull(2);
    builder.addText(3, "");
    builder.endRow();
    builder.addInteger(0, 7);
    builder.addReal(1, 1234.5);
    builder.addText(2, "1990-03-01");
    builder.addText(3, "Иванов");
    builder.endRow();
    return builder.finish();
}

// What an independent reader makes of the file: sheet names, then each row's
// cells as type:value.
QString readBack(const QString& file) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, xlrd\n"
                                 "b = xlrd.open_workbook(sys.argv[1])\n"
                                 "print(b.sheet_names())\n"
                                 "s = b.sheet_by_index(0)\n"
                                 "for r in range(s.nrows):\n"
                                 "    print([f'{c.ctype}:{c.value}' for c in s.row(r)])\n"),
                  file});
    python.waitForFinished();
    return QString::fromUtf8(python.readAllStandardOutput());
}

TEST(XlsOutput, WritesNumbersDatesAndTextAsTheirKinds) {
    QTemporaryDir dir;
    const QString file = dir.filePath("out.xls");
    writeXls(file, sampleRows(), QStringLiteral("PEOPLE"), QStringLiteral("tester"));

    QProcess check;
    check.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(XLSCHECK), file});
    check.waitForFinished();
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();

    // ctype 1 text, 2 number, 3 date, 0 empty; 32933 is 1990-03-01. A record of
    // nulls stays a row of its own.
    EXPECT_EQ(readBack(file), QStringLiteral("['PEOPLE']\n"
                                             "['1:ID', '1:SUMMA', '1:BORN', '1:FIO']\n"
                                             "['0:', '0:', '0:', '0:']\n"
                                             "['2:7.0', '2:1234.5', '3:32933.0', '1:Иванов']\n"));
}

} // namespace
} // namespace dbfquery::dbfsql

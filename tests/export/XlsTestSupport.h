#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

namespace dbfquery::xls {
class TXLSWorkbook;
}

namespace dbfquery::xls::testing {

// One BIFF record as found in a stream.
struct Record {
    std::uint16_t type = 0;
    QByteArray bytes;  // header and data
    qint64 offset = 0;
};
std::vector<Record> splitRecords(const QByteArray& stream, qint64 from = 0);

// An expected record: its name for the failure message and its bytes as hex
// text (header included; any non-hex character separates bytes).
struct Golden {
    std::string name;
    QString hex;
};
// Compares the records of the stream from `from` on, one by one; a failure
// names the record and its offset.
void expectRecords(const QByteArray& stream, qint64 from, const std::vector<Golden>& expected);

// Hex text of little-endian numbers and of UTF-16LE text.
QString h16(unsigned v);
QString h32(std::uint32_t v);
QString hUtf16(const QString& text);
// The bytes of hex text (as the writer's HexToBytes reads it).
QByteArray hex(const QString& text);
// Size in bytes of the records given as hex text.
qint64 hexSize(const std::vector<Golden>& records);


// Runs /usr/bin/python3 with the arguments; the output (stdout and stderr).
QString runPython(const QStringList& args, int* exitCode);
// The independent checker must find no defect in the file.
void expectXlscheckClean(const QString& path);
// What python3-olefile and python3-xlrd read (tests/export/xls_dump.py).
QJsonObject readWithOracles(const QString& path, int maxCells = 100000);

// A cell of a sheet as readWithOracles gives it: [row, column, xlrd type,
// value, XF index]; empty when the sheet has no such cell.
QJsonArray cellAt(const QJsonObject& sheet, int r, int c);

// The BIFF stream the writer makes of the workbook, and its records of a type.
QByteArray writeStream(TXLSWorkbook& book);
std::vector<Record> recordsOfType(const QByteArray& stream, std::uint16_t type);

} // namespace dbfquery::xls::testing

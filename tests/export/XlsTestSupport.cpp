#include "XlsTestSupport.h"

#include "support/HexDiff.h"

#include <QJsonDocument>
#include <QProcess>
#include <gtest/gtest.h>

#include "export/Biff8Records.h"
#include "export/MemorySink.h"
#include "export/TExcelWriter.h"

namespace dbfquery::xls::testing {

std::vector<Record> splitRecords(const QByteArray& stream, qint64 from) {
    std::vector<Record> records;
    qint64 at = from;
    while (at + 4 <= stream.size()) {
        const auto* p = reinterpret_cast<const unsigned char*>(stream.constData() + at);
        const auto type = static_cast<std::uint16_t>(p[0] | p[1] << 8);
        const qint64 size = p[2] | p[3] << 8;
        records.push_back({type, stream.mid(at, 4 + size), at});
        at += 4 + size;
    }
    return records;
}

void expectRecords(const QByteArray& stream, qint64 from, const std::vector<Golden>& expected) {
    const std::vector<Record> actual = splitRecords(stream, from);
    ASSERT_GE(actual.size(), expected.size()) << "the stream ends before record " << expected[actual.size()].name;
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(dbfquery::testing::hexDiff(hex(expected[i].hex), actual[i].bytes), "")
            << "record #" << i << " " << expected[i].name << " at stream offset " << actual[i].offset;
}

QString h16(unsigned v) {
    return QStringLiteral("%1 %2 ").arg(v & 0xFF, 2, 16, QChar(u'0')).arg((v >> 8) & 0xFF, 2, 16, QChar(u'0'));
}

QString h32(std::uint32_t v) { return h16(v & 0xFFFF) + h16(v >> 16); }

QString hUtf16(const QString& text) {
    QString hex;
    for (QChar c : text)
        hex += h16(c.unicode());
    return hex;
}

QByteArray hex(const QString& text) { return biff::HexToBytes(text); }

qint64 hexSize(const std::vector<Golden>& records) {
    qint64 size = 0;
    for (const Golden& g : records)
        size += biff::HexToBytes(g.hex).size();
    return size;
}

QString runPython(const QStringList& args, int* exitCode) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("/usr/bin/python3"), args);
    process.waitForFinished(300000);
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

void expectXlscheckClean(const QString& path) {
    int code = 0;
    const QString output = runPython({QStringLiteral(XLSCHECK_PATH), path}, &code);
    EXPECT_EQ(code, 0) << "xlscheck found a defect in " << path.toStdString() << ":\n"
                       << output.toStdString();
}

QJsonObject readWithOracles(const QString& path, int maxCells) {
    int code = 0;
    const QString output = runPython(
        {QStringLiteral(XLS_DUMP_PATH), path, QStringLiteral("--max-cells"), QString::number(maxCells)}, &code);
    EXPECT_EQ(code, 0) << "olefile/xlrd could not read " << path.toStdString() << ":\n" << output.toStdString();
    return QJsonDocument::fromJson(output.toUtf8()).object();
}

QJsonArray cellAt(const QJsonObject& sheet, int r, int c) {
    for (const QJsonValue& cell : sheet["cells"].toArray()) {
        const QJsonArray a = cell.toArray();
        if (a[0].toInt() == r && a[1].toInt() == c)
            return a;
    }
    return {};
}

QByteArray writeStream(TXLSWorkbook& book) {
    MemorySink sink;
    TExcelWriter writer;
    writer.WriteWorkbook(book, sink);
    return sink.bytes();
}

std::vector<Record> recordsOfType(const QByteArray& stream, std::uint16_t type) {
    std::vector<Record> found;
    for (Record& r : splitRecords(stream))
        if (r.type == type)
            found.push_back(std::move(r));
    return found;
}

} // namespace dbfquery::xls::testing

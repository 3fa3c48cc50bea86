// Writing a large sheet: model build and save times, peak memory, and a
// checksum of the file so that a faster run is also shown to be the same.
//
// usage: export_bench [--size ROWS] [--cols N] [--seed N] [--out FILE]
// Two cases: cells put into the model directly, and a plain table through
// saveTableWorkbook (what dbfsql --xls does; its header row pushes the last
// record onto a second sheet at 65,536 rows).
#include "export/TExcelWriter.h"
#include "export/TableWorkbook.h"
#include "export/TXLSWorkbook.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <sys/resource.h>

using namespace dbfquery::xls;

namespace {

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::uint64_t fnv1a(const QByteArray& bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return h;
}

int argument(const QStringList& args, const QString& name, int fallback) {
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args[at + 1].toInt() : fallback;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int rows = argument(args, QStringLiteral("--size"), 65536);
    const int cols = argument(args, QStringLiteral("--cols"), 10);
    const int seed = argument(args, QStringLiteral("--seed"), 42);
    QTemporaryDir dir;
    const qsizetype outAt = args.indexOf(QStringLiteral("--out"));
    const QString path = outAt >= 0 && outAt + 1 < args.size() ? args[outAt + 1] : dir.filePath(QStringLiteral("bench.xls"));

    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    std::uniform_int_distribution<int> amount(-100000, 100000);
    std::uniform_int_distribution<int> letters(0, 31);

    auto report = [](const char* name, int rows, int cols, double buildSeconds, double saveSeconds,
                     const QString& path) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        std::printf("%s %d rows x %d cols: build %.2f s, save %.2f s, peak %.0f MiB, file %lld bytes, "
                    "checksum %016llx\n",
                    name, rows, cols, buildSeconds, saveSeconds, peakKilobytes() / 1024.0,
                    static_cast<long long>(bytes.size()), static_cast<unsigned long long>(fnv1a(bytes)));
    };

    QElapsedTimer timer;
    timer.start();
    {
        TXLSWorkbook book;
        TXLSWorksheet& sheet = *book.AddSheet();
        sheet.SetName(QStringLiteral("Bench"));
        const int sheetRows = std::min(rows, 65536);  // one sheet holds no more
        for (int r = 0; r < sheetRows; ++r) {
            for (int c = 0; c < cols; ++c) {
                TXLSRange& cell = *sheet.GetRange({c, r, c, r});
                if (c % 2 == 0) {
                    cell.SetValue(amount(random) / 100.0);
                    cell.NumberFormat = QStringLiteral("0.00");
                } else {
                    QString text;
                    for (int k = 0; k < 8; ++k)
                        text += QChar(u'а' + letters(random));
                    cell.SetValue(text);
                }
                cell.Borders[TXLSBorders::Bottom].LineStyle = 1;
            }
        }
        const double buildSeconds = timer.nsecsElapsed() / 1e9;
        timer.restart();
        TExcelWriter().Save(book, path);
        report("model", sheetRows, cols, buildSeconds, timer.nsecsElapsed() / 1e9, path);
    }

    QList<TableColumn> columns;
    for (int c = 0; c < cols; ++c)
        columns.append({QStringLiteral("F%1").arg(c), c % 2 == 0 ? TableColumn::Kind::Number : TableColumn::Kind::Text, 2});
    int next = 0;
    const QString tablePath = path + QStringLiteral(".table.xls");
    timer.restart();
    saveTableWorkbook(tablePath, columns,
                      [&](QVariantList& row) {
                          if (next++ == rows)
                              return false;
                          for (int c = 0; c < cols; ++c)
                              row.append(c % 2 == 0 ? QVariant(amount(random) / 100.0)
                                                    : QVariant(QStringLiteral("t%1").arg(letters(random))));
                          return true;
                      },
                      QStringLiteral("Table"), QStringLiteral("bench"));
    report("table", rows, cols, 0, timer.nsecsElapsed() / 1e9, tablePath);
    return 0;
}

// Prepares a table-report-like design of N rows x 10 columns (default
// 100,000) and prints, per text measurer, the pages made, pages per second,
// peak memory and a checksum of every page's bytes.
//   report_prepare_bench [--size N] [--seed S]
#include "report/engine/TableLikeDesign.h" // tests/report/engine

#include "report/engine/FixedTextMeasurer.h"
#include "report/engine/QtTextMeasurer.h"

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <sys/resource.h>

namespace {

using namespace dbfquery::report;

std::uint64_t fnv1a(std::uint64_t hash, const QByteArray& bytes) {
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Cell texts drawn once from the seed: words of 1 to 12 letters, some
// cells two or three words (which wrap in the narrower columns).
std::vector<QString> makeCells(int rows, int columns, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<QString> cells;
    cells.reserve(static_cast<std::size_t>(rows) * columns);
    const QString letters = QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщъыьэюяabcdefghij0123456789");
    for (int i = 0; i < rows * columns; ++i) {
        QString text;
        const int words =
            1 + static_cast<int>(random() % 8 == 0) + static_cast<int>(random() % 16 == 0);
        for (int w = 0; w < words; ++w) {
            if (w > 0)
                text += QLatin1Char(' ');
            const int length = 1 + static_cast<int>(random() % 12);
            for (int k = 0; k < length; ++k)
                text += letters[static_cast<qsizetype>(random() % letters.size())];
        }
        cells.push_back(text);
    }
    return cells;
}

void runCase(const char* name, const TextMeasurer& measurer, int rows,
             const std::vector<QString>& cells) {
    constexpr int kColumns = 10;
    TReport report;
    report.setMeasurer(measurer);
    const std::vector<int> widths = {60, 70, 80, 60, 70, 80, 60, 70, 80, 70}; // 700 of 704
    testing::TableLikeDesign design(
        report, rows, widths,
        [&](int r, int c) { return cells[static_cast<std::size_t>(r) * kColumns + c]; },
        QStringLiteral("Результат запроса"));
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    report.Prepare(QDateTime(QDate(2026, 1, 1), QTime(0, 0)));
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const TPreparedPages& pages = report.PreparedPages();
    std::uint64_t hash = 1469598103934665603ull;
    qsizetype bytes = 0;
    for (int i = 0; i < pages.Count(); ++i) {
        hash = fnv1a(hash, pages.Item(i).ObjectStream);
        bytes += pages.Item(i).ObjectStream.size();
    }
    std::printf(
        "%-14s rows=%d cols=%d pages=%d wall=%.3fs cpu=%.3fs pages/s(cpu)=%.0f stream=%.1fMiB "
        "peak=%.1fMiB checksum=%016llx\n",
        name, rows, kColumns, pages.Count(), seconds, cpu, pages.Count() / cpu, bytes / 1048576.0,
        peakKiB() / 1024.0, static_cast<unsigned long long>(hash));
}

} // namespace

int main(int argc, char** argv) {
    int rows = 100000;
    unsigned seed = 20261210;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--size") == 0)
            rows = std::stoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--seed") == 0)
            seed = static_cast<unsigned>(std::stoul(argv[i + 1]));
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::vector<QString> cells = makeCells(rows, 10, seed);
    std::printf("seed=%u, cell texts ready: peak=%.1fMiB\n", seed, peakKiB() / 1024.0);
    runCase("fixed-metrics", FixedTextMeasurer(6.0), rows, cells);
    runCase("qt-fonts", QtTextMeasurer(), rows, cells);
    return 0;
}

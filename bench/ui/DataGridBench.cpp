// Opens a generated result in the data grid, sums its numeric columns and
// scrolls through it. Usage: bench_data_grid [--size rows] (default 1000000).
// Fixed seed; prints one line per case and the footer texts as checksum.
#include "ui/GridRoles.h"
#include "ui/TDataGrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QImage>
#include <QTableView>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

namespace {

using dbfquery::ui::TFieldKind;

class GeneratedResult : public QAbstractTableModel {
public:
    explicit GeneratedResult(int rows) {
        std::mt19937_64 random(20261210);
        std::uniform_int_distribution<int> ages(0, 120);
        std::uniform_real_distribution<double> pay(-1000.0, 100000.0);
        std::uniform_int_distribution<int> cents(-500000, 9999999);
        m_ints.reserve(rows);
        m_floats.reserve(rows);
        m_decimals.reserve(rows);
        for (int i = 0; i < rows; ++i) {
            m_ints.push_back(ages(random));
            m_floats.push_back(pay(random));
            m_decimals.push_back(cents(random) / 100.0);
        }
    }
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_ints.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex& index, int role) const override {
        const auto row = std::size_t(index.row());
        if (role == dbfquery::ui::RawValueRole) {
            switch (index.column()) {
            case 1: return double(m_ints[row]);
            case 2: return m_floats[row];
            case 3: return m_decimals[row];
            default: return {};
            }
        }
        if (role != Qt::DisplayRole)
            return {};
        switch (index.column()) {
        case 0: return QStringLiteral("Запись %1").arg(index.row());
        case 1: return m_ints[row];
        case 2: return m_floats[row];
        default: return m_decimals[row];
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal)
            return QAbstractTableModel::headerData(section, orientation, role);
        static const TFieldKind kinds[] = {TFieldKind::Other, TFieldKind::Integer, TFieldKind::Float,
                                           TFieldKind::Decimal};
        static const char* names[] = {"NAME", "AGE", "PAY", "AMOUNT"};
        if (role == Qt::DisplayRole)
            return QString::fromLatin1(names[section]);
        if (role == dbfquery::ui::FieldKindRole)
            return int(kinds[section]);
        return {};
    }

private:
    std::vector<int> m_ints;
    std::vector<double> m_floats;
    std::vector<double> m_decimals;
};

double msSince(const QElapsedTimer& timer) { return double(timer.nsecsElapsed()) / 1e6; }

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int rows = 1'000'000;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--size") == 0)
            rows = std::atoi(argv[i + 1]);

    GeneratedResult result(rows);
    dbfquery::ui::TDataGrid grid;
    grid.resize(900, 600);
    grid.show();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    grid.setModel(&result);
    grid.setFooterValueType(0, dbfquery::ui::fvtCount);
    QApplication::processEvents();
    std::printf("open %d rows: %.1f ms\n", rows, msSince(timer));

    for (int column = 1; column <= 3; ++column) {
        timer.restart();
        grid.setSumListActive(false);
        grid.setFooterValueType(column, dbfquery::ui::fvtSum);
        grid.setSumListActive(true);
        std::printf("sum column %d (%s) over %d rows: %.1f ms\n", column,
                    qPrintable(result.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()), rows,
                    msSince(timer));
    }

    // Jumps through the result and paints the visible rows each time.
    QTableView* view = grid.view();
    QImage frame(view->viewport()->size(), QImage::Format_ARGB32);
    std::mt19937 jumps(7);
    constexpr int Paints = 200;
    timer.restart();
    for (int i = 0; i < Paints && rows > 0; ++i) {
        view->scrollTo(result.index(int(jumps() % unsigned(rows)), 0), QAbstractItemView::PositionAtTop);
        view->viewport()->render(&frame);
    }
    std::printf("scroll and paint: %.2f ms per screen (%d screens)\n", msSince(timer) / Paints, Paints);

    QByteArray footers;
    for (int column = 0; column < grid.columnCount(); ++column) {
        std::printf("footer %d: %s\n", column, qPrintable(grid.footerText(column)));
        footers += grid.footerText(column).toUtf8() + '|';
    }
    std::printf("checksum %s\n", QCryptographicHash::hash(footers, QCryptographicHash::Sha1).toHex().left(16).constData());
    return 0;
}

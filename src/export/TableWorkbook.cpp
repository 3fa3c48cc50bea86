#include "export/TableWorkbook.h"

#include "export/TExcelWriter.h"
#include "export/TXLSWorkbook.h"

#include <QDate>
#include <algorithm>
#include <optional>

namespace dbfquery::xls {

namespace {

constexpr int RowsPerSheet = 65536;
constexpr int MaxWidthChars = 255;

QString numberFormat(int decimals) {
    return decimals > 0 ? QStringLiteral("0.") + QString(decimals, u'0') : QStringLiteral("0");
}

// Characters []:*?/\ are not allowed in sheet names.
QString cleanSheetName(const QString& name) {
    QString clean = name;
    for (QChar& c : clean)
        if (QStringView(u"[]:*?/\\").contains(c) || c.unicode() < u' ')
            c = u'_';
    return clean;
}

// Day number of the 1900 date system, which counts a 29 February 1900.
std::optional<double> daySerial(const QDate& date) {
    if (date < QDate(1900, 1, 1))
        return std::nullopt;
    const QDate base = date < QDate(1900, 3, 1) ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
    return static_cast<double>(base.daysTo(date));
}

class SheetFiller {
public:
    SheetFiller(TXLSWorkbook& workbook, const QList<TableColumn>& columns, const QString& name)
        : m_workbook(workbook), m_columns(columns), m_name(cleanSheetName(name)) {}

    void add(const QVariantList& values) {
        if (!m_sheet || m_row == RowsPerSheet)
            startSheet();
        for (int c = 0; c < m_columns.size(); ++c)
            if (c < values.size())
                put(c, values[c]);
        ++m_row;
    }

    void finish() {
        if (!m_sheet)
            startSheet();
        setWidths();
    }

private:
    void startSheet() {
        if (m_sheet)
            setWidths();
        m_sheet = m_workbook.AddSheet();
        ++m_sheetNumber;
        if (!m_name.trimmed().isEmpty()) {
            const QString suffix = m_sheetNumber > 1 ? QStringLiteral(" (%1)").arg(m_sheetNumber) : QString();
            m_sheet->SetName(m_name.left(31 - suffix.size()) + suffix);
        }
        m_widths.fill(0, m_columns.size());
        m_row = 0;
        for (int c = 0; c < m_columns.size(); ++c) {
            TXLSRange* cell = range(c);
            cell->Font.Style = TXLSFont::Bold;
            cell->SetValue(m_columns[c].name);
            widen(c, m_columns[c].name.size());
        }
        m_row = 1;
    }

    TXLSRange* range(int c) { return m_sheet->GetRange({c, m_row, c, m_row}); }

    void widen(int c, qsizetype chars) {
        m_widths[c] = std::max(m_widths[c], static_cast<int>(std::min<qsizetype>(chars, MaxWidthChars)));
    }

    void putText(int c, const QString& text) {
        if (text.isEmpty())
            return;
        range(c)->SetValue(text);
        widen(c, text.size());
    }

    void put(int c, const QVariant& value) {
        if (!value.isValid() || value.isNull())
            return;
        const TableColumn& column = m_columns[c];
        switch (column.kind) {
        case TableColumn::Kind::Number: {
            bool ok = false;
            const double number = value.toDouble(&ok);
            if (!ok)
                return putText(c, value.toString());
            TXLSRange* cell = range(c);
            cell->SetValue(number);
            cell->NumberFormat = numberFormat(column.decimals);
            widen(c, QString::number(number, 'f', std::max(0, column.decimals)).size());
            return;
        }
        case TableColumn::Kind::Date: {
            const QDate date = value.toDate();
            const std::optional<double> serial = date.isValid() ? daySerial(date) : std::nullopt;
            if (!serial)
                return putText(c, date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : value.toString());
            TXLSRange* cell = range(c);
            cell->SetValue(*serial);
            cell->NumberFormat = QStringLiteral("DD.MM.YYYY");
            widen(c, 10);
            return;
        }
        case TableColumn::Kind::Logical:
            return putText(c, value.toBool() ? QStringLiteral("T") : QStringLiteral("F"));
        case TableColumn::Kind::Text:
            return putText(c, value.toString());
        }
    }

    void setWidths() {
        for (int c = 0; c < m_columns.size(); ++c)
            m_sheet->GetCol(c)->Width = std::min(m_widths[c] + 2, MaxWidthChars) * 256;
    }

    TXLSWorkbook& m_workbook;
    const QList<TableColumn>& m_columns;
    QString m_name;
    TXLSWorksheet* m_sheet = nullptr;
    int m_sheetNumber = 0;
    int m_row = 0;
    QList<int> m_widths;
};

} // namespace

void buildTableWorkbook(TXLSWorkbook& workbook, const QList<TableColumn>& columns,
                        const TableRowReader& readRow, const QString& sheetName) {
    SheetFiller filler(workbook, columns, sheetName);
    QVariantList row;
    while (readRow(row)) {
        filler.add(row);
        row.clear();
    }
    filler.finish();
}

void saveTableWorkbook(const QString& fileName, const QList<TableColumn>& columns,
                       const TableRowReader& readRow, const QString& sheetName,
                       const QString& userName) {
    TXLSWorkbook workbook;
    workbook.SetUserName(userName);
    buildTableWorkbook(workbook, columns, readRow, sheetName);
    TExcelWriter writer;
    writer.Save(workbook, fileName);
}

} // namespace dbfquery::xls

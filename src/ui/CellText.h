#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace dbfquery::ui {

// Cell texts of the non-numeric field types, for model adapters of the
// grid. A null value shows as an empty cell.

// dd.MM.yyyy, as the Russian locale writes dates.
QString dateCellText(const QDate& date);
// dd.MM.yyyy hh:mm:ss.
QString dateTimeCellText(const QDateTime& dateTime);
// "Да" / "Нет"; null (an invalid variant) gives "".
QString logicalCellText(const QVariant& value);
// Memo text on one line: every line break (CR LF, CR or LF) and tab becomes
// one space.
QString oneLineCellText(const QString& text);

} // namespace dbfquery::ui

#pragma once

#include "data/ResultSet.h"

#include <QString>

namespace dbfquery::dbfsql {

// Writes the result as an Excel 97 workbook: a sheet named `sheetName` with
// a header row of field names, numbers as numbers formatted by their
// decimals, dates as spreadsheet dates, the rest as text. Throws
// support::UserError when the file cannot be written.
void writeXls(const QString& fileName, const data::ResultSet& rows, const QString& sheetName,
              const QString& userName);

} // namespace dbfquery::dbfsql

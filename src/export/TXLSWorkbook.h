#pragma once

#include "export/TXLSWorksheet.h"

#include <QString>
#include <memory>
#include <vector>

namespace dbfquery::xls {

// The in-memory workbook a writer turns into a file. Owns its sheets.
// Not thread-safe.
class TXLSWorkbook {
public:
    TXLSWorkbook();
    TXLSWorkbook(const TXLSWorkbook&) = delete;
    TXLSWorkbook& operator=(const TXLSWorkbook&) = delete;
    ~TXLSWorkbook();

    // Written as the file's last author. Default "VIrorad".
    const QString& UserName() const { return m_userName; }
    // Keeps the first 66 characters, then trims blanks and control
    // characters at both ends.
    void SetUserName(const QString& text);

    // Appends a sheet named "Sheet<n>": n starts at the sheet count + 1 and
    // rises while another sheet has that name (compared without case).
    TXLSWorksheet* AddSheet();
    void Clear();
    int SheetCount() const { return static_cast<int>(m_sheets.size()); }
    TXLSWorksheet& Sheet(int index) const { return *m_sheets.at(static_cast<std::size_t>(index)); }

private:
    QString m_userName;
    std::vector<std::unique_ptr<TXLSWorksheet>> m_sheets;
};

// Trims characters up to and including the space at both ends.
QString trimBlanksAndControls(const QString& text);

} // namespace dbfquery::xls

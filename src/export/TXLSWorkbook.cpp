#include "export/TXLSWorkbook.h"

namespace dbfquery::xls {

QString trimBlanksAndControls(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= u' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= u' ')
        --end;
    return text.mid(begin, end - begin);
}

TXLSWorkbook::TXLSWorkbook() { SetUserName(QStringLiteral("VIrorad")); }

TXLSWorkbook::~TXLSWorkbook() { Clear(); }

void TXLSWorkbook::SetUserName(const QString& text) {
    m_userName = trimBlanksAndControls(text.left(66));
}

TXLSWorksheet* TXLSWorkbook::AddSheet() {
    auto sheet = std::make_unique<TXLSWorksheet>(this);
    TXLSWorksheet* raw = sheet.get();
    m_sheets.push_back(std::move(sheet));
    return raw;
}

void TXLSWorkbook::Clear() { m_sheets.clear(); }

} // namespace dbfquery::xls

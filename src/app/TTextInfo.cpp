#include "app/TTextInfo.h"

#include <utility>

namespace dbfquery::app {

TTextInfo::TTextInfo(QString text, QString delimiters)
    : FText(std::move(text)), FDelimiters(std::move(delimiters)) {
    Parse();
}

void TTextInfo::Parse() {
    FItems.clear();
    std::int32_t run = 0;
    for (qsizetype i = 0; i < FText.size(); ++i) {
        if (FDelimiters.contains(FText[i])) {
            run = 0;
            continue;
        }
        if (run == 0)
            FItems.push_back({static_cast<std::int32_t>(i + 1), 0});
        FItems.back().Length = ++run;
    }
}

TTextItem TTextInfo::GetItemBounds(int index) const { return FItems[static_cast<size_t>(index - 1)]; }

QString TTextInfo::GetItem(int index) const {
    const TTextItem item = GetItemBounds(index);
    return FText.mid(item.Start - 1, item.Length);
}

int ItemCount(const QString& text, const QString& delimiters) {
    return TTextInfo(text, delimiters).Count();
}

QString ItemAt(const QString& text, const QString& delimiters, int n) {
    const TTextInfo info(text, delimiters);
    if (info.Count() == 0)
        return QString();
    if (n == 0)
        return info.GetItem(info.Count());
    if (n > info.Count())
        return QString();
    return info.GetItem(n);
}

} // namespace dbfquery::app

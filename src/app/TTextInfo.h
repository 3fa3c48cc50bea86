#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace dbfquery::app {

// One item of a split text: 1-based position of its first character and its
// number of characters.
struct TTextItem {
    std::int32_t Start = 0;
    std::int32_t Length = 0;
};

// Splits a text into items: maximal runs of characters none of which is a
// delimiter. Runs of delimiters, and delimiters at either end, give no empty
// items; blanks are ordinary characters.
class TTextInfo {
public:
    TTextInfo(QString text, QString delimiters);

    void Parse();

    // 1 <= index <= Count(), as the callers guarantee.
    TTextItem GetItemBounds(int index) const;
    QString GetItem(int index) const;

    const QString& Text() const { return FText; }
    const QString& Delimiters() const { return FDelimiters; }
    int Count() const { return static_cast<int>(FItems.size()); }
    const std::vector<TTextItem>& Items() const { return FItems; }

private:
    QString FText;
    QString FDelimiters;
    std::vector<TTextItem> FItems;
};

// The number of items of `text`.
int ItemCount(const QString& text, const QString& delimiters);

// Item n (1-based); the last item when n is 0; empty when there are no items
// or n is past the last one.
QString ItemAt(const QString& text, const QString& delimiters, int n);

} // namespace dbfquery::app

#include "app/QueryBaseLocation.h"

namespace dbfquery::app {

namespace {
bool isBlankOrControl(QChar c) { return c.unicode() < 33; }
} // namespace

QString NormalizeFolder(const QString& folder) {
    qsizetype end = folder.size();
    while (end > 0 && (folder[end - 1] == u'/' || folder[end - 1] == u'\\'))
        --end;
    qsizetype begin = 0;
    while (begin < end && isBlankOrControl(folder[begin]))
        ++begin;
    while (end > begin && isBlankOrControl(folder[end - 1]))
        --end;
    return folder.mid(begin, end - begin);
}

QString QueryBasePathFor(const QString& startFolder) {
    return NormalizeFolder(startFolder) + QStringLiteral("/Quorvel.cds");
}

} // namespace dbfquery::app

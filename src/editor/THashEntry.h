#pragma once

#include <QByteArray>
#include <vector>

namespace dbfquery::editor {

// One word of the keyword table; `kind` is a TSqlTokenKind value.
struct THashEntry {
    QByteArray word;
    int length = 0;
    int kind = 0;
};

// The chain of one hash bucket, in ascending order of length; entries of
// equal length keep the order they were added in.
using THashEntryList = std::vector<THashEntry>;

} // namespace dbfquery::editor

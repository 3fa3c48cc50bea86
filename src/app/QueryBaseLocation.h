#pragma once

#include <QString>

namespace dbfquery::app {

// Trailing "/" and "\" removed first, then characters below code 33 at both
// ends. The case is kept: on a case-sensitive file system an upper-cased
// path names another folder.
QString NormalizeFolder(const QString& folder);

// Where the query base of a run lives: the start-up folder, normalised, and
// the file name "Quorvel.cds". Started in "/" it is "/Quorvel.cds".
QString QueryBasePathFor(const QString& startFolder);

} // namespace dbfquery::app

#pragma once

#include <QString>

namespace dbfquery::support {

// The application's own title: the caption of the standard error box. The
// main window carries a caption of its own.
inline QString applicationTitle() { return QStringLiteral("Построитель запросов из DBF файлов"); }

} // namespace dbfquery::support

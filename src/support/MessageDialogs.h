#pragma once

#include <QString>

namespace dbfquery::support {

// The three message helpers every command uses. Texts break lines at a single
// carriage return; an empty caption gives an empty title bar.

// Yes/No question, Yes is the default. True exactly when the user chose Yes.
bool Confirm(const QString& text, const QString& caption);

// Yes/No question, No is the default (Enter at once answers No).
bool ConfirmDefaultNo(const QString& text, const QString& caption);

// A notice or a reported failure, OK only, always the information icon.
// Returns the box's answer, IDOK (1); no caller needs it.
int Inform(const QString& text, const QString& caption);

} // namespace dbfquery::support

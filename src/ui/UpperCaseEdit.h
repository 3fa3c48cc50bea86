#pragma once

#include <QLineEdit>

namespace dbfquery::ui {

// A single-line edit that shows and keeps its text in upper case, whether the
// text is typed, pasted or set by the program. Letters are converted one by
// one (Cyrillic included), so the text keeps its length and the caret stays
// where it was.
class UpperCaseEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit UpperCaseEdit(QWidget* parent = nullptr);
};

// The per-character upper case the edit keeps.
QString upperCasedInPlace(const QString& text);

} // namespace dbfquery::ui

#include "ui/UpperCaseEdit.h"

#include <QValidator>

namespace dbfquery::ui {

QString upperCasedInPlace(const QString& text) {
    QString upper = text;
    for (QChar& c : upper)
        c = c.toUpper();
    return upper;
}

namespace {

// The line edit runs its validator on every change, the program's setText
// included, and takes the text the validator hands back.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        input = upperCasedInPlace(input);
        return Acceptable;
    }
};

} // namespace

UpperCaseEdit::UpperCaseEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new UpperCaseValidator(this));
}

} // namespace dbfquery::ui

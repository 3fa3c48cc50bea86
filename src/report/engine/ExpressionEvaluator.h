#pragma once

#include "support/UserError.h"

#include <QDate>
#include <QString>
#include <QTime>

namespace dbfquery::report {

// An expression the evaluator does not know; the message names it.
class ExpressionError : public support::UserError {
public:
    using support::UserError::UserError;
};

// The bracket expressions of report texts. The set, matched without regard
// to case and surrounding blanks:
//   DATE    the date the preparation started, dd.MM.yyyy
//   TIME    its time of day, hh:mm:ss
//   PAGE#   the number (from 1) of the page being filled
//   'text'  the text between the quotes ('' stands for one quote)
// Anything else throws ExpressionError. The caller supplies date and time:
// nothing here reads a clock.
class ExpressionEvaluator {
public:
    QDate date;
    QTime time;
    int page = 1;

    QString evaluate(const QString& expression) const;

    // Replaces every "[...]" part of a line (brackets nest) by the value of
    // the expression inside; an unmatched "[" and what follows stay as they are.
    QString expand(const QString& line) const;
};

} // namespace dbfquery::report

#include "report/engine/ExpressionEvaluator.h"

namespace dbfquery::report {

QString ExpressionEvaluator::evaluate(const QString& expression) const {
    const QString e = expression.trimmed();
    const QString name = e.toUpper();
    if (name == QLatin1String("DATE"))
        return date.toString(QStringLiteral("dd.MM.yyyy"));
    if (name == QLatin1String("TIME"))
        return time.toString(QStringLiteral("hh:mm:ss"));
    if (name == QLatin1String("PAGE#"))
        return QString::number(page);
    if (e.size() >= 2 && e.startsWith(QLatin1Char('\'')) && e.endsWith(QLatin1Char('\''))) {
        const QString inner = e.mid(1, e.size() - 2);
        // A lone quote inside would end the literal early: not a literal.
        QString text;
        bool ok = true;
        for (qsizetype i = 0; i < inner.size(); ++i) {
            if (inner[i] != QLatin1Char('\'')) {
                text += inner[i];
            } else if (i + 1 < inner.size() && inner[i + 1] == QLatin1Char('\'')) {
                text += inner[i];
                ++i;
            } else {
                ok = false;
                break;
            }
        }
        if (ok)
            return text;
    }
    throw ExpressionError(QStringLiteral("Неизвестная переменная или функция: %1").arg(e));
}

QString ExpressionEvaluator::expand(const QString& line) const {
    if (!line.contains(QLatin1Char('[')))
        return line;
    QString out;
    qsizetype i = 0;
    while (i < line.size()) {
        if (line[i] != QLatin1Char('[')) {
            out += line[i++];
            continue;
        }
        int depth = 0;
        qsizetype j = i;
        for (; j < line.size(); ++j) {
            if (line[j] == QLatin1Char('['))
                ++depth;
            else if (line[j] == QLatin1Char(']') && --depth == 0)
                break;
        }
        if (j >= line.size()) {
            out += line.mid(i);
            break;
        }
        out += evaluate(line.mid(i + 1, j - i - 1));
        i = j + 1;
    }
    return out;
}

} // namespace dbfquery::report

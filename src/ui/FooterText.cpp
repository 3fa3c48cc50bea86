#include "ui/FooterText.h"

#include "support/Rounding.h"
#include "ui/TFooterTotal.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace dbfquery::ui {

namespace {

constexpr int DefaultPrecision = 15;
constexpr double WholeLimit = 9.2e18;

QString nonFinite(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// Half to even on the exact integer, not on a double.
std::int64_t roundedWhole(std::int64_t tenThousandths) {
    std::int64_t whole = tenThousandths / TFooterTotal::Scale;
    const std::int64_t rest = tenThousandths % TFooterTotal::Scale;
    const std::int64_t half = TFooterTotal::Scale / 2;
    const std::int64_t restAbs = rest < 0 ? -rest : rest;
    if (restAbs > half || (restAbs == half && whole % 2 != 0))
        whole += rest < 0 ? -1 : 1;
    return whole;
}

QString wholeText(double value, const QLocale& locale) {
    if (!std::isfinite(value) || std::abs(value) >= WholeLimit)
        return formatGeneral(value, DefaultPrecision, locale);
    return QString::number(support::roundHalfEven(value));
}

QString decimalText(double value, const QLocale& locale) {
    if (!std::isfinite(value) || std::abs(value) * TFooterTotal::Scale >= WholeLimit)
        return formatGeneral(value, DefaultPrecision, locale);
    return formatTenThousandths(support::roundHalfEven(value * TFooterTotal::Scale), locale);
}

} // namespace

QLocale gridLocale() { return QLocale(QLocale::Russian, QLocale::Russia); }

QString formatGeneral(double value, int precision, const QLocale& locale) {
    if (!std::isfinite(value))
        return nonFinite(value);
    if (precision <= 0)
        precision = DefaultPrecision;
    precision = std::min(precision, 17);
    if (value == 0.0)
        return QStringLiteral("0");

    // printf rounds correctly; take its digits and exponent.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, value);
    const char* p = buffer;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    QString digits;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += QLatin1Char(*p);
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);

    const QString point = locale.decimalPoint();
    QString text = negative ? QStringLiteral("-") : QString();
    if (exponent + 1 <= precision && exponent >= -5) {
        if (exponent >= 0) {
            const qsizetype whole = exponent + 1;
            text += digits.left(whole).leftJustified(whole, u'0');
            if (digits.size() > whole)
                text += point + digits.mid(whole);
        } else {
            text += u'0' + point + QString(-exponent - 1, u'0') + digits;
        }
    } else {
        text += digits.left(1);
        if (digits.size() > 1)
            text += point + digits.mid(1);
        text += u'E' + QString::number(exponent);
    }
    return text;
}

QString formatTenThousandths(std::int64_t value, const QLocale& locale) {
    const bool negative = value < 0;
    // Unsigned, so the most negative value has a magnitude too.
    const std::uint64_t magnitude = negative ? 0 - std::uint64_t(value) : std::uint64_t(value);
    const std::uint64_t scale = TFooterTotal::Scale;
    QString text = negative ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / scale);
    QString fraction = QString::number(magnitude % scale).rightJustified(4, u'0');
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += locale.decimalPoint() + fraction;
    return text;
}

QString footerNumberText(const TFooterTotal& total, TFieldKind kind, int precision, const QLocale& locale) {
    if (!total.exact())
        return footerNumberText(total.value(), kind, precision, locale);
    switch (kind) {
    case TFieldKind::Integer:
        return QString::number(roundedWhole(total.fixed()));
    case TFieldKind::Decimal:
        return formatTenThousandths(total.fixed(), locale);
    case TFieldKind::Float:
    case TFieldKind::Currency:
        return footerNumberText(total.value(), kind, precision, locale);
    case TFieldKind::Other:
        break;
    }
    return QStringLiteral("0");
}

QString footerNumberText(double value, TFieldKind kind, int precision, const QLocale& locale) {
    switch (kind) {
    case TFieldKind::Integer:
        return wholeText(value, locale);
    case TFieldKind::Float:
        return formatGeneral(value, precision, locale);
    case TFieldKind::Decimal:
        return decimalText(value, locale);
    case TFieldKind::Currency:
        return std::isfinite(value) ? locale.toCurrencyString(value) : nonFinite(value);
    case TFieldKind::Other:
        break;
    }
    return QStringLiteral("0");
}

} // namespace dbfquery::ui

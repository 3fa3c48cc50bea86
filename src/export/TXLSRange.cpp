#include "export/TXLSRange.h"

namespace dbfquery::xls {

void TXLSRange::SetValue(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) {
        QString text = value.toString();
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        Value = text;
    } else {
        Value = value;
    }
}

bool TXLSRange::isNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

QString TXLSRange::textOf(const QVariant& value) {
    return value.isValid() ? value.toString() : QString();
}

} // namespace dbfquery::xls

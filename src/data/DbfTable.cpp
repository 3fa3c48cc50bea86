#include "data/DbfTable.h"

#include "support/UserError.h"

#include <QFile>

namespace dbfquery::data {

struct DbfTable::Layout {};

DbfTable::~DbfTable() = default;

std::shared_ptr<const DbfTable> DbfTable::open(const QString& path) {
    throw support::UserError(QStringLiteral("Чтение DBF еще не готово: %1").arg(path));
}

std::shared_ptr<const DbfTable> DbfTable::fromBuffer(QByteArray, QByteArray, const QString& name) {
    throw support::UserError(QStringLiteral("Чтение DBF еще не готово: %1").arg(name));
}

QString DbfTable::formatName() const { return {}; }

DbfValue DbfTable::value(std::uint32_t, int, std::string&) const { return {}; }

} // namespace dbfquery::data

#pragma once

#include "ui/GridRoles.h"

#include <QAbstractTableModel>
#include <QVariant>
#include <vector>

namespace dbfquery::testing {

// A result set as the grid's adapters present one: fields with a kind and a
// precision, rows of raw values (an invalid variant is a null).
class ResultModel : public QAbstractTableModel {
public:
    struct Field {
        QString name;
        QVariant kind; // int of TFieldKind; invalid: a column without a field
        int precision = 0;
    };

    ResultModel(std::vector<Field> fields, std::vector<std::vector<QVariant>> rows)
        : m_fields(std::move(fields)), m_rows(std::move(rows)) {}

    static Field field(const QString& name, ui::TFieldKind kind, int precision = 0) {
        return {name, int(kind), precision};
    }

    // A new result: the grid sees a model reset.
    void reopen(std::vector<Field> fields, std::vector<std::vector<QVariant>> rows) {
        beginResetModel();
        m_fields = std::move(fields);
        m_rows = std::move(rows);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_fields.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const QVariant& raw = m_rows.at(index.row()).at(index.column());
        if (role == ui::RawValueRole)
            return raw;
        if (role == Qt::DisplayRole)
            return raw.isValid() ? raw.toString() : QString();
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal)
            return QAbstractTableModel::headerData(section, orientation, role);
        const Field& f = m_fields.at(section);
        switch (role) {
        case Qt::DisplayRole:
            return f.name;
        case ui::FieldKindRole:
            return f.kind;
        case ui::FieldPrecisionRole:
            return f.precision;
        default:
            return {};
        }
    }

private:
    std::vector<Field> m_fields;
    std::vector<std::vector<QVariant>> m_rows;
};

} // namespace dbfquery::testing

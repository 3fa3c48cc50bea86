#pragma once

#include "data/ResultSet.h"

#include <QAbstractTableModel>
#include <memory>

namespace dbfquery::app {

// The open result as the grid reads it: one column per field, texts for
// display, field kinds and raw numbers for the footer totals. Reads the
// result set in place; nothing is made per row. GUI thread only.
class ResultSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Null shows no result (no columns, no rows). Resets the model.
    void setResult(std::shared_ptr<const data::ResultSet> result);
    const std::shared_ptr<const data::ResultSet>& result() const { return m_result; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString displayText(int row, int column) const;

    std::shared_ptr<const data::ResultSet> m_result;
};

} // namespace dbfquery::app

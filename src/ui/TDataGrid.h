#pragma once

#include "ui/GridRoles.h"

#include <QLocale>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

class QAbstractItemModel;
class QTableView;

namespace dbfquery::ui {

class TGridFooter;

// A read-only data grid over any table model, with a footer row of totals.
// Whole rows are selected (and stay marked when the grid loses the focus);
// an indicator column at the left marks the current row; columns are
// resizable, lines are drawn, Tab moves between columns. Rows have one
// height and nothing is created per row, so a million rows scroll smoothly.
//
// At every model reset (and when a model is set) the grid makes one column
// per model column, titled from headerData, drops the previous columns with
// their footer settings (every footer back to fvtNon) and centres the
// titles. The model's roles are in GridRoles.h.
//
// Totals: while the sum list is active (from the start) the footer follows
// the model; setting it inactive and active again recomputes every footer
// cell, walking all rows (fetching what the model has not fetched yet) and
// then making the first row current. GUI thread only; the model is not
// owned and must live while it is set.
class TDataGrid : public QWidget {
    Q_OBJECT
public:
    explicit TDataGrid(QWidget* parent = nullptr);
    ~TDataGrid() override;

    void setModel(QAbstractItemModel* model);
    QAbstractItemModel* model() const;
    QTableView* view() const { return m_view; }
    TGridFooter* footer() const { return m_footer; }

    int columnCount() const { return int(m_columns.size()); }
    // The column's field, from the model's FieldKindRole; a column without
    // a field counts as Other.
    bool hasField(int column) const;
    TFieldKind fieldKind(int column) const;
    bool isNumericColumn(int column) const { return isNumericKind(fieldKind(column)); }

    void setFooterValueType(int column, TFooterValueType type);
    TFooterValueType footerValueType(int column) const;
    void setFooterStaticText(int column, const QString& text);
    QString footerText(int column) const;

    void setSumListActive(bool active);
    bool sumListActive() const { return m_sumListActive; }

    void setTitleAlignment(int column, Qt::Alignment alignment);
    Qt::Alignment titleAlignment(int column) const;

    // The locale of the footer's numbers; gridLocale() unless set.
    void setDisplayLocale(const QLocale& locale);

signals:
    // The user clicked the title of `column`.
    void titleClick(int column);

private:
    struct Column {
        TFooterValueType footerType = fvtNon;
        QString staticText;
        QString footerText;
        Qt::Alignment titleAlignment = Qt::AlignCenter;
    };

    void connectModel();
    void makeColumns();
    void recalcTotals();
    void modelChanged();
    void footerSettingChanged();
    void refreshFieldValues();
    void showFooter();
    int fieldPrecision(int column) const;
    bool validColumn(int column) const { return column >= 0 && column < columnCount(); }

    QTableView* m_view;
    TGridFooter* m_footer;
    QPointer<QAbstractItemModel> m_model;
    std::vector<Column> m_columns;
    QLocale m_locale;
    bool m_sumListActive = true;
    bool m_recalculating = false;
};

} // namespace dbfquery::ui

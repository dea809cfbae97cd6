#pragma once
#include "QueryModel.h"

#include "db/DataSource.h"

#include <QMenu>
#include <QPointer>
#include <QTableView>

namespace ui {

// A read-only grid over a data source's query, one line per row. Its current line and the
// query's current row follow each other. Title clicks are reported, never sorted here: the
// form decides what a click means.
class DBGrid : public QTableView {
    Q_OBJECT
public:
    using Column = GridColumn;

    explicit DBGrid(QWidget *parent = nullptr);

    void setDataSource(db::DataSource *source);
    db::DataSource *dataSource() const { return m_source; }
    db::Query *query() const { return m_model->query(); }
    QueryModel *queryModel() const { return m_model; }

    // Declared columns; while none is declared every field shows under its own name.
    void addColumn(const QString &fieldName, const QString &caption, int width);
    void clearColumns();
    QList<Column> columns() const; // as shown now, with the widths the user gave them
    void removeColumn(int column);
    int selectedColumn() const; // the column of the current cell, -1 when none

    void setRowColorCallback(std::function<QColor(int viewRow)> callback);
    // Several rows selected with Ctrl and Shift, mirrored into the query's selection.
    void setMultiSelect(bool on);
    bool isMultiSelect() const { return m_multiSelect; }
    void setPopupMenu(QMenu *menu) { m_popupMenu = menu; }

Q_SIGNALS:
    void titleClicked(const QString &fieldName);
    // A double click on a row, or Enter on the current row.
    void doubleClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // A query armed to open at its first use is read when its grid is shown.
    void showEvent(QShowEvent *event) override;

private:
    void attach();
    void applyColumns(const QList<Column> &columns);
    void followQuery();
    void followGrid(const QModelIndex &current);
    void mirrorSelection(const QItemSelection &selected, const QItemSelection &deselected);
    void modelWasReset();

    QueryModel *m_model;
    QPointer<db::DataSource> m_source;
    QPointer<QMenu> m_popupMenu;
    bool m_multiSelect = false;
    bool m_syncing = false;
};

} // namespace ui

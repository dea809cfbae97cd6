#pragma once
#include "db/Query.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

namespace ui {

// One column of a grid: the field it shows, its title, its width in pixels.
struct GridColumn {
    QString fieldName;
    QString caption;
    int width = 0;
    bool visible = true;
};

// The rows of a query's current view as a read-only table. Cells are read on demand from the
// query, so a grid over hundreds of thousands of rows costs only the rows on screen.
class QueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit QueryModel(QObject *parent = nullptr);

    void setQuery(db::Query *query);
    db::Query *query() const { return m_query; }
    // The columns by field name and caption; none shows every field under its own name.
    void setColumns(const QList<GridColumn> &columns);
    bool hasDeclaredColumns() const { return !m_declared.isEmpty(); }
    QString fieldNameAt(int column) const;
    void setRowColorCallback(std::function<QColor(int viewRow)> callback);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void reload();
    void rowChanged();

    QPointer<db::Query> m_query;
    QList<GridColumn> m_declared;
    QList<GridColumn> m_shown;
    std::vector<int> m_fieldOf; // shown column -> query column, -1 when the query lacks it
    int m_rows = 0;
    std::function<QColor(int)> m_rowColor;
};

} // namespace ui

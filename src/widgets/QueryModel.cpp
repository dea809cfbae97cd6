#include "QueryModel.h"

#include "db/Query.h"

namespace ui {

QueryModel::QueryModel(QObject *parent) : QAbstractTableModel(parent) {}

void QueryModel::setQuery(db::Query *query)
{
    if (m_query) disconnect(m_query, nullptr, this, nullptr);
    m_query = query;
    if (query) {
        connect(query, &db::Query::layoutReset, this, &QueryModel::reload);
        connect(query, &db::Query::fieldChanged, this, &QueryModel::rowChanged);
    }
    reload();
}

void QueryModel::setColumns(const QList<GridColumn> &columns)
{
    m_declared = columns;
    reload();
}

void QueryModel::reload()
{
    // The query has already changed when it says so: rowCount() answers from m_rows until here.
    beginResetModel();
    // An armed query is not read here: its grid reads it when shown, and the rows then reset.
    const bool open = m_query && m_query->isActive() && !m_query->isArmed();
    m_rows = open ? m_query->recordCount() : 0;
    m_shown = m_declared;
    if (m_declared.isEmpty() && open)
        for (const QString &name : m_query->fieldNames()) m_shown << GridColumn{name, name};
    m_fieldOf.clear();
    for (const GridColumn &c : m_shown) m_fieldOf.push_back(open ? m_query->fieldIndex(c.fieldName) : -1);
    endResetModel();
}

void QueryModel::rowChanged()
{
    const int row = m_query->currentIndex();
    if (row >= 0 && row < m_rows && !m_shown.isEmpty()) Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

QString QueryModel::fieldNameAt(int column) const
{
    return column >= 0 && column < m_shown.size() ? m_shown[column].fieldName : QString();
}

void QueryModel::setRowColorCallback(std::function<QColor(int)> callback)
{
    m_rowColor = std::move(callback);
    if (m_rows > 0 && !m_shown.isEmpty()) Q_EMIT dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
}

int QueryModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows; }
int QueryModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_shown.size()); }

QVariant QueryModel::data(const QModelIndex &index, int role) const
{
    if (!m_query || !index.isValid() || index.row() >= m_rows) return QVariant();
    if (role == Qt::DisplayRole) {
        const int col = m_fieldOf[index.column()];
        return col < 0 ? QString() : m_query->displayTextAt(index.row(), col);
    }
    if (role == Qt::BackgroundRole && m_rowColor) {
        const QColor c = m_rowColor(index.row());
        return c.isValid() ? QVariant(c) : QVariant();
    }
    return QVariant();
}

QVariant QueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_shown.size())
        return m_shown[section].caption;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags QueryModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

} // namespace ui

#include "DBGrid.h"
#include "FieldLink.h"

#include "db/DbError.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMenu>
#include <QScopedValueRollback>

namespace ui {

DBGrid::DBGrid(QWidget *parent) : QTableView(parent), m_model(new QueryModel(this))
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    // Every line the same fixed height: the view never measures rows it does not paint.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    setContextMenuPolicy(Qt::CustomContextMenu);

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { Q_EMIT titleClicked(m_model->fieldNameAt(column)); });
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (m_popupMenu) m_popupMenu->popup(viewport()->mapToGlobal(pos));
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DBGrid::followGrid);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &DBGrid::mirrorSelection);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DBGrid::modelWasReset);
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The row under the mouse decides, not the press the view remembers: leaving an edited row
    // on the first press posts or cancels it and resets the rows, and the view would then
    // forget that press and drop the double click.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid()) {
        QTableView::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    if (index.row() != currentIndex().row())
        selectionModel()->setCurrentIndex(index, m_multiSelect ? QItemSelectionModel::NoUpdate
                                                               : QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Q_EMIT doubleClicked();
}

void DBGrid::keyPressEvent(QKeyEvent *event)
{
    const bool invio = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (invio && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && currentIndex().isValid()) {
        event->accept();
        Q_EMIT doubleClicked();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DBGrid::setDataSource(db::DataSource *source)
{
    if (m_source) disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (source) connect(source, &db::DataSource::datasetChanged, this, &DBGrid::attach);
    attach();
}

void DBGrid::attach()
{
    if (db::Query *old = query()) disconnect(old, nullptr, this, nullptr);
    db::Query *q = m_source ? m_source->dataset() : nullptr;
    if (q) connect(q, &db::Query::currentChanged, this, &DBGrid::followQuery);
    m_model->setQuery(q);
}

void DBGrid::modelWasReset()
{
    // A reset empties the grid's selection; the query's must not outlive it unseen.
    if (query()) query()->clearSelection();
    followQuery();
}

void DBGrid::followQuery()
{
    db::Query *q = query();
    const int row = q && !q->isArmed() ? q->currentIndex() : -1;
    if (m_syncing || row < 0 || row >= m_model->rowCount() || m_model->columnCount() == 0) return;
    const QScopedValueRollback guard(m_syncing, true);
    const QModelIndex index = m_model->index(row, qMax(0, currentIndex().column()));
    // With several rows selected, moving the cursor leaves the selection alone.
    selectionModel()->setCurrentIndex(index, m_multiSelect ? QItemSelectionModel::NoUpdate
                                                           : QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void DBGrid::followGrid(const QModelIndex &current)
{
    db::Query *q = query();
    if (m_syncing || !q || !current.isValid()) return;
    {
        const QScopedValueRollback guard(m_syncing, true);
        try {
            q->setCurrentIndex(current.row());
        } catch (const db::DbError &e) { // the row being left could not be saved
            reportDbError(e, this);
        }
    }
    // Leaving an edited row posts it and resets the rows: show where the query really is.
    followQuery();
}

void DBGrid::mirrorSelection(const QItemSelection &selected, const QItemSelection &deselected)
{
    db::Query *q = query();
    if (!m_multiSelect || !q) return;
    for (const QItemSelection &changes : {selected, deselected})
        for (const QItemSelectionRange &range : changes)
            for (int row = range.top(); row <= range.bottom(); ++row)
                q->setRowSelected(row, selectionModel()->isRowSelected(row, QModelIndex()));
}

void DBGrid::setMultiSelect(bool on)
{
    m_multiSelect = on;
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    clearSelection();
    if (query()) query()->clearSelection();
    followQuery();
}

void DBGrid::setRowColorCallback(std::function<QColor(int)> callback) { m_model->setRowColorCallback(std::move(callback)); }

void DBGrid::addColumn(const QString &fieldName, const QString &caption, int width)
{
    QList<Column> cols = m_model->hasDeclaredColumns() ? columns() : QList<Column>();
    cols << Column{fieldName, caption, width, true};
    applyColumns(cols);
}

void DBGrid::clearColumns() { applyColumns({}); }

void DBGrid::removeColumn(int column)
{
    QList<Column> cols = columns();
    if (column < 0 || column >= cols.size()) return;
    cols.removeAt(column);
    applyColumns(cols);
}

void DBGrid::applyColumns(const QList<Column> &columns)
{
    m_model->setColumns(columns);
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].width > 0) setColumnWidth(i, columns[i].width);
        setColumnHidden(i, !columns[i].visible);
    }
}

QList<DBGrid::Column> DBGrid::columns() const
{
    QList<Column> out;
    for (int i = 0; i < m_model->columnCount(); ++i)
        out << Column{m_model->fieldNameAt(i), m_model->headerData(i, Qt::Horizontal).toString(), columnWidth(i),
                      !isColumnHidden(i)};
    return out;
}

int DBGrid::selectedColumn() const { return currentIndex().isValid() ? currentIndex().column() : -1; }

void DBGrid::showEvent(QShowEvent *event)
{
    QTableView::showEvent(event);
    if (db::Query *q = query(); q && q->isArmed()) q->recordCount(); // reading resets the model
}

} // namespace ui

#include "DBLookupComboBox.h"

#include "db/DataSource.h"
#include "db/DbError.h"

#include <QKeyEvent>
#include <QListView>
#include <QSignalBlocker>

namespace ui {

DBLookupComboBox::DBLookupComboBox(QWidget *parent) : QComboBox(parent), DataBound(this), m_model(new LookupModel(this))
{
    setEditable(false);
    // Sized by a few characters, never by measuring every row of a list of thousands.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    auto *vista = new QListView(this);
    vista->setUniformItemSizes(true);
    setView(vista);
    setModel(m_model);
    connect(m_link, &FieldLink::reload, this, &DBLookupComboBox::showValue);
    connect(this, &QComboBox::activated, this, &DBLookupComboBox::pick);
}

void DBLookupComboBox::setListSource(db::DataSource *source)
{
    if (m_list) disconnect(m_list, nullptr, this, nullptr);
    m_list = source;
    if (source) {
        connect(source, &db::DataSource::dataChanged, this, &DBLookupComboBox::fillList);
        connect(source, &db::DataSource::datasetChanged, this, &DBLookupComboBox::fillList);
    }
    fillList();
}

void DBLookupComboBox::setKeyField(const QString &name)
{
    m_keyField = name;
    fillList();
}

void DBLookupComboBox::setListField(const QString &name)
{
    m_listField = name;
    fillList();
}

void DBLookupComboBox::fillList()
{
    {
        const QSignalBlocker block(this);
        m_model->setQuery(m_list ? m_list->dataset() : nullptr, m_keyField, m_listField);
    }
    showValue();
}

void DBLookupComboBox::leggiSeArmata()
{
    db::Query *q = m_list ? m_list->dataset() : nullptr;
    if (!q || !q->isArmed()) return;
    try {
        q->recordCount(); // reading tells the list source, which resets the items
    } catch (const db::DbError &e) {
        reportDbError(e, this);
    }
    if (m_model->query() != q || m_model->rowCount() == 0) fillList();
}

void DBLookupComboBox::showEvent(QShowEvent *event)
{
    QComboBox::showEvent(event);
    leggiSeArmata();
}

void DBLookupComboBox::showPopup()
{
    leggiSeArmata();
    QComboBox::showPopup();
}

void DBLookupComboBox::showValue()
{
    if (isVisible()) leggiSeArmata();
    const db::Field f = m_link->field();
    const QVariant key = f.isValid() ? f.value() : QVariant();
    const QSignalBlocker block(this);
    // The row picked stays shown when another row holds the same key.
    const int row = m_model->rowHasKey(currentIndex(), key) ? currentIndex() : m_model->rowOfKey(key);
    // A key of 0 names no row.
    setCurrentIndex(row >= 0 && key.toString() != QLatin1String("0") ? row : -1);
}

void DBLookupComboBox::pick(int index)
{
    if (!m_link->canModify()) {
        showValue();
        return;
    }
    const QVariant key = itemData(index);
    // Pick handlers read the chosen row from the list dataset: put it there, on the row picked
    // (not the first with its key), before the key is written.
    try {
        if (db::Query *q = m_model->query(); q && index >= 0 && index < q->recordCount()) q->setCurrentIndex(index);
    } catch (const db::DbError &e) {
        reportDbError(e, this);
        showValue();
        return;
    }
    if (!m_link->write(key)) {
        showValue();
        return;
    }
    Q_EMIT picked();
}

void DBLookupComboBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
        if (m_clearable && m_link->write(QVariant())) Q_EMIT cleared();
        showValue();
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace ui

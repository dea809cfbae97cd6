#include "DBLookupComboBox.h"

#include "db/DataSource.h"
#include "db/DbError.h"

#include <QKeyEvent>
#include <QSignalBlocker>

namespace ui {

namespace {

// Keys compare by value whatever their type: 7, 7.0 and "7" are the same key.
QString keyText(const QVariant &key)
{
    if (key.isNull()) return QString();
    bool numeric = false;
    const double d = key.toDouble(&numeric);
    return numeric ? QString::number(d, 'g', 17) : key.toString();
}

} // namespace

DBLookupComboBox::DBLookupComboBox(QWidget *parent) : QComboBox(parent), DataBound(this)
{
    setEditable(false);
    connect(m_link, &FieldLink::reload, this, &DBLookupComboBox::showValue);
    connect(this, &QComboBox::activated, this, &DBLookupComboBox::pick);
}

void DBLookupComboBox::setListSource(db::DataSource *source)
{
    if (m_list) disconnect(m_list, nullptr, this, nullptr);
    m_list = source;
    if (source) connect(source, &db::DataSource::dataChanged, this, &DBLookupComboBox::fillList);
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
        clear();
        m_indexOfKey.clear();
        db::Query *q = m_list ? m_list->dataset() : nullptr;
        if (q && q->isActive()) {
            const int keyCol = q->fieldIndex(m_keyField);
            const int listCol = q->fieldIndex(m_listField);
            // Read by row, not by moving the list dataset: its current row is the last pick.
            for (int row = 0; keyCol >= 0 && row < q->recordCount(); ++row) {
                const QVariant key = q->valueAt(row, keyCol);
                m_indexOfKey.insert(keyText(key), count());
                addItem(listCol >= 0 ? q->displayTextAt(row, listCol) : QString(), key);
            }
        }
    }
    showValue();
}

void DBLookupComboBox::riempiSeArmata()
{
    db::Query *q = m_list ? m_list->dataset() : nullptr;
    if (q && q->isArmed()) {
        q->recordCount(); // reading tells the list source, which refills the list
        if (count() == 0) fillList();
    }
}

void DBLookupComboBox::showEvent(QShowEvent *event)
{
    QComboBox::showEvent(event);
    riempiSeArmata();
}

void DBLookupComboBox::showPopup()
{
    riempiSeArmata();
    QComboBox::showPopup();
}

void DBLookupComboBox::showValue()
{
    riempiSeArmata();
    const db::Field f = m_link->field();
    const QString key = f.isValid() ? keyText(f.value()) : QString();
    const QSignalBlocker block(this);
    setCurrentIndex(key == QLatin1String("0") ? -1 : m_indexOfKey.value(key, -1));
}

void DBLookupComboBox::pick(int index)
{
    if (!m_link->canModify()) {
        showValue();
        return;
    }
    const QVariant key = itemData(index);
    // Pick handlers read the chosen row from the list dataset: put it there before the key.
    try {
        if (db::Query *q = m_list ? m_list->dataset() : nullptr) q->locate(m_keyField, key);
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

#include "FieldLink.h"
#include "Seams.h"

#include "db/DataSource.h"
#include "db/DbError.h"

#include <QEvent>
#include <QScopedValueRollback>
#include <QWidget>

namespace ui {

void reportDbError(const db::DbError &error, QWidget *parent)
{
    showError(error.message(), QStringLiteral("Messaggio di errore"), parent);
}

FieldLink::FieldLink(QWidget *control) : QObject(control), m_control(control) { control->installEventFilter(this); }

bool FieldLink::eventFilter(QObject *watched, QEvent *event)
{
    // A dataset armed to open at its first use is read when a control showing it is shown;
    // reading tells the source, which reloads every control bound to it.
    if (watched == m_control && event->type() == QEvent::Show) {
        db::Query *q = m_source ? m_source->dataset() : nullptr;
        if (q && q->isArmed()) {
            try {
                q->recordCount();
            } catch (const db::DbError &e) {
                reportDbError(e, m_control);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void FieldLink::setDataSource(db::DataSource *source)
{
    if (m_source) disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (source) {
        connect(source, &db::DataSource::dataChanged, this, &FieldLink::reloadAll);
        connect(source, &db::DataSource::recordChanged, this, [this](int col) {
            if (col < 0 || col == column()) reloadAll();
        });
        connect(source, &db::DataSource::stateChanged, this, &FieldLink::editableChanged);
        connect(source, &db::DataSource::updateRecord, this, [this] {
            if (m_edited && m_pending) commit(m_pending());
        });
    }
    reloadAll();
}

void FieldLink::setDataField(const QString &name)
{
    m_fieldName = name;
    reloadAll();
}

void FieldLink::reloadAll()
{
    m_edited = false; // whatever the user typed belongs to the row that was shown
    Q_EMIT reload();
    Q_EMIT editableChanged();
}

db::Query *FieldLink::dataset() const
{
    db::Query *q = m_source ? m_source->dataset() : nullptr;
    // A hidden control never reads an armed dataset: it shows the rows once they are read.
    if (q && q->isArmed() && !m_control->isVisible()) return nullptr;
    return q && q->isActive() ? q : nullptr;
}

int FieldLink::column() const
{
    db::Query *q = dataset();
    return q ? q->fieldIndex(m_fieldName) : -1;
}

db::Field FieldLink::field() const
{
    db::Query *q = dataset();
    return q && q->currentIndex() >= 0 ? q->findField(m_fieldName) : db::Field();
}

QString FieldLink::text() const
{
    const db::Field f = field();
    return f.isValid() ? f.displayText() : QString();
}

bool FieldLink::canModify() const
{
    db::Query *q = dataset();
    if (!q || q->isEmpty() || column() < 0 || !m_source->isEnabled()) return false;
    return q->isEditing() || m_source->autoEdit();
}

void FieldLink::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    Q_EMIT editableChanged();
}

bool FieldLink::isReadOnly() const { return m_readOnly || (m_source && !canModify()); }

void FieldLink::beginEdit()
{
    if (m_edited || !canModify()) return;
    m_edited = true;
    try {
        db::Query *q = dataset();
        if (!q->isEditing()) q->edit();
    } catch (const db::DbError &e) {
        reportDbError(e, m_control);
    }
}

bool FieldLink::write(const QVariant &value)
{
    if (!canModify()) return false;
    try {
        dataset()->setValue(column(), value);
    } catch (const db::DbError &e) {
        reportDbError(e, m_control);
        return false;
    }
    m_edited = false;
    return true;
}

bool FieldLink::commit(const QVariant &value)
{
    // The error box takes the focus from the control: that must not commit a second time.
    if (!m_edited || m_committing) return true;
    const QScopedValueRollback guard(m_committing, true);
    if (write(value)) return true;
    m_control->setFocus();
    return false;
}

} // namespace ui

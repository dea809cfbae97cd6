#include "DBMemo.h"

#include <QFocusEvent>
#include <QScopedValueRollback>

namespace ui {

DBMemo::DBMemo(QWidget *parent) : QPlainTextEdit(parent), DataBound(this)
{
    connect(m_link, &FieldLink::reload, this, [this] {
        const QScopedValueRollback showing(m_showing, true);
        setPlainText(m_link->text());
    });
    connect(m_link, &FieldLink::editableChanged, this, [this] { QPlainTextEdit::setReadOnly(m_link->isReadOnly()); });
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing) m_link->beginEdit();
    });
    m_link->setPendingValue([this] { return editedValue(); });
}

QVariant DBMemo::editedValue() const
{
    const QString t = toPlainText();
    return t.isEmpty() ? QVariant() : QVariant(t);
}

void DBMemo::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        m_link->commit(editedValue());
    }
}

} // namespace ui

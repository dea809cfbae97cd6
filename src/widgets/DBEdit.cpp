#include "DBEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace ui {

DBEdit::DBEdit(QWidget *parent) : QLineEdit(parent), DataBound(this)
{
    connect(m_link, &FieldLink::reload, this, [this] { showValue(); });
    connect(m_link, &FieldLink::editableChanged, this, [this] { QLineEdit::setReadOnly(m_link->isReadOnly()); });
    connect(this, &QLineEdit::textEdited, m_link, &FieldLink::beginEdit);
    m_link->setPendingValue([this] { return editedValue(); });
}

namespace {

// A field holding only a blank holds the placeholder a new row is stored with.
bool segnaposto(const QString &testo) { return testo == QLatin1String(" "); }

} // namespace

QVariant DBEdit::editedValue() const
{
    QString t = QLineEdit::text();
    // Text typed after the placeholder (the cursor put behind it with the mouse, a paste)
    // replaces it: the value never begins with that blank.
    if (segnaposto(m_link->text()) && t.size() > 1 && t.startsWith(u' ')) t.remove(0, 1);
    return t.isEmpty() ? QVariant() : QVariant(t);
}

void DBEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // The placeholder is selected, so what is typed replaces it.
    if (segnaposto(QLineEdit::text())) selectAll();
}

void DBEdit::showValue() { setText(m_link->text()); }

void DBEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A message box or a pop-up menu over the form does not end the editing.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        m_link->commit(editedValue());
}

void DBEdit::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !m_link->commit(editedValue())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace ui

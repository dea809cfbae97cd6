#include "EditingHelper.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace ui {

namespace {

const QColor kFocused(0, 255, 255);
const QColor kUnfocused(255, 255, 255);

void paint(QWidget *field, const QColor &color)
{
    QPalette p = field->palette();
    p.setColor(QPalette::Base, color);
    // A closed lookup is drawn as a button.
    if (qobject_cast<QComboBox *>(field)) p.setColor(QPalette::Button, color);
    field->setPalette(p);
}

// Keys that type a character (Enter and Backspace among them) or delete one.
bool typesOrDeletes(const QKeyEvent *e)
{
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) return false;
    return !e->text().isEmpty() || e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete;
}

// A memo's mouse events arrive at its viewport.
QWidget *fieldOf(QObject *watched)
{
    auto *w = static_cast<QWidget *>(watched);
    auto *memo = qobject_cast<QPlainTextEdit *>(w->parentWidget());
    return memo && memo->viewport() == w ? memo : w;
}

} // namespace

EditingHelper::EditingHelper(QWidget *form) : QObject(form)
{
    for (QWidget *w : form->findChildren<QWidget *>()) {
        // The line edit inside a combo or spin box belongs to it.
        QWidget *owner = w->parentWidget();
        if (qobject_cast<QComboBox *>(owner) || qobject_cast<QAbstractSpinBox *>(owner)) continue;
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QPlainTextEdit *>(w)) {
            w->installEventFilter(this);
            paint(w, kUnfocused);
        }
        if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) memo->viewport()->installEventFilter(this);
        if (auto *lookup = qobject_cast<QComboBox *>(w)) connect(lookup, &QComboBox::activated, this, &EditingHelper::markModified);
        if (auto *box = qobject_cast<QCheckBox *>(w)) connect(box, &QAbstractButton::clicked, this, &EditingHelper::markModified);
    }
}

EditingHelper *EditingHelper::install(QWidget *form) { return new EditingHelper(form); }

void EditingHelper::markModified()
{
    if (m_modified) m_modified();
}

bool EditingHelper::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *field = fieldOf(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
        paint(field, kFocused);
        break;
    case QEvent::FocusOut: {
        // Under a message box or an open pop-up the field keeps the focus it had.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) paint(field, kUnfocused);
        break;
    }
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::RightButton && !qobject_cast<QComboBox *>(field))
            markModified();
        break;
    case QEvent::KeyPress:
        return keyPress(field, static_cast<QKeyEvent *>(event));
    default:
        break;
    }
    return false;
}

bool EditingHelper::keyPress(QWidget *field, QKeyEvent *event)
{
    if (m_navigation && !qobject_cast<QPlainTextEdit *>(field)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        const int key = event->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down || key == Qt::Key_Up) {
            if (typesOrDeletes(event)) markModified();
            // Tab and Backtab take the form's own focus chain, tab stops included.
            QKeyEvent tab(QEvent::KeyPress, key == Qt::Key_Up ? Qt::Key_Backtab : Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(field, &tab);
            return true;
        }
    }
    if (event->text() == QLatin1String(".") && m_amountFields.contains(field)) {
        // The comma goes through this filter as a key of its own, and marks the record then.
        QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, event->modifiers() & ~Qt::KeypadModifier, QStringLiteral(","),
                        event->isAutoRepeat(), event->count());
        QCoreApplication::sendEvent(field, &comma);
        return true;
    }
    if (typesOrDeletes(event)) markModified();
    return false;
}

} // namespace ui

#include "MaskedDateEdit.h"

namespace ui {

namespace {
const QString kFormat = QStringLiteral("dd/MM/yyyy");
}

MaskedDateEdit::MaskedDateEdit(QWidget *parent) : DBEdit(parent) { setInputMask(QStringLiteral("99/99/0000;_")); }

QString MaskedDateEdit::text() const { return displayText().replace(u'_', u' '); }

QDate MaskedDateEdit::date() const { return QDate::fromString(text(), kFormat); }

void MaskedDateEdit::setDate(const QDate &date) { setText(date.isValid() ? date.toString(kFormat) : QString()); }

QVariant MaskedDateEdit::editedValue() const
{
    const QString typed = text();
    if (QString(typed).remove(u'/').trimmed().isEmpty()) return QVariant();
    const QDate d = date();
    // A date that is not complete goes as typed, so the dataset names it in its message.
    return d.isValid() ? QVariant(d) : QVariant(typed);
}

void MaskedDateEdit::showValue()
{
    const db::Field f = m_link->field();
    setDate(f.isValid() ? f.asDateTime().date() : QDate());
}

} // namespace ui

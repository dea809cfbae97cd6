#include "DBCheckBox.h"

namespace ui {

DBCheckBox::DBCheckBox(const QString &text, QWidget *parent) : QCheckBox(text, parent), DataBound(this)
{
    connect(m_link, &FieldLink::reload, this, &DBCheckBox::showValue);
    connect(this, &QAbstractButton::clicked, this, [this](bool checked) {
        // A click the dataset cannot take is undone.
        if (!m_link->write(checked ? 1 : 0)) showValue();
    });
}

void DBCheckBox::showValue()
{
    const db::Field f = m_link->field();
    setChecked(f.isValid() && f.asBoolean());
}

} // namespace ui

#include "DBText.h"

namespace ui {

DBText::DBText(QWidget *parent) : QLabel(parent), DataBound(this)
{
    setTextFormat(Qt::PlainText);
    connect(m_link, &FieldLink::reload, this, [this] { setText(m_link->text()); });
}

} // namespace ui

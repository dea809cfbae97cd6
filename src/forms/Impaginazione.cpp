#include "Impaginazione.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

namespace forms {

void spostaUltimaRiga(QWidget *pagina, QFormLayout *verso)
{
    auto *da = qobject_cast<QFormLayout *>(pagina->layout());
    spostaRiga(da, da->rowCount() - 1, verso);
}

void spostaRiga(QFormLayout *da, int riga, QFormLayout *verso)
{
    const QFormLayout::TakeRowResult r = da->takeRow(riga);
    QWidget *etichetta = r.labelItem ? r.labelItem->widget() : nullptr;
    QWidget *campo = r.fieldItem ? r.fieldItem->widget() : nullptr;
    delete r.labelItem;
    delete r.fieldItem;
    if (etichetta) verso->addRow(etichetta, campo);
    else verso->addRow(campo);
}

QHBoxLayout *rigaAccanto(QWidget *pagina, QWidget *campo)
{
    auto *f = qobject_cast<QFormLayout *>(pagina->layout());
    auto *riga = new QWidget(pagina);
    f->replaceWidget(campo, riga);
    auto *h = new QHBoxLayout(riga);
    h->setContentsMargins(0, 0, 0, 0);
    campo->setParent(riga);
    h->addWidget(campo, 1);
    return h;
}

void soloNumeri(QLineEdit *e, bool decimali, bool negativi)
{
    const QString segno = negativi ? QStringLiteral("-?") : QString();
    const QRegularExpression re(QStringLiteral("^") + segno + (decimali ? QStringLiteral("\\d*([.,]\\d*)?$") : QStringLiteral("\\d*$")));
    e->setValidator(new QRegularExpressionValidator(re, e));
}

void piccolo(QToolButton *b)
{
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setIconSize(QSize(16, 16));
    b->setAutoRaise(true);
}

bool tastoCancella(QEvent *e)
{
    if (e->type() != QEvent::KeyPress) return false;
    const int k = static_cast<QKeyEvent *>(e)->key();
    return k == Qt::Key_Backspace || k == Qt::Key_Delete;
}

} // namespace forms

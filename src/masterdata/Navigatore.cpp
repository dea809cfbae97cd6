#include "Navigatore.h"

#include "common/RecordHelpers.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "widgets/ToolButton.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace masterdata {

namespace {

QToolButton *freccia(QWidget *parent, const QString &nome, const QString &suggerimento, QStyle::StandardPixmap icona)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(nome);
    b->setToolTip(suggerimento);
    b->setIcon(ui::iconaTema(QString(), icona, parent));
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(true);
    return b;
}

} // namespace

Navigatore::Navigatore(db::Query *dataset, const QString &nome, QWidget *parent) : QWidget(parent)
{
    setObjectName(nome);
    auto *riga = new QHBoxLayout(this);
    riga->setContentsMargins(0, 0, 0, 0);
    primo = freccia(this, QStringLiteral("primo"), QStringLiteral("Primo"), QStyle::SP_MediaSkipBackward);
    precedente = freccia(this, QStringLiteral("precedente"), QStringLiteral("Precedente"), QStyle::SP_MediaSeekBackward);
    successivo = freccia(this, QStringLiteral("successivo"), QStringLiteral("Successivo"), QStyle::SP_MediaSeekForward);
    ultimo = freccia(this, QStringLiteral("ultimo"), QStringLiteral("Ultimo"), QStyle::SP_MediaSkipForward);
    for (QToolButton *b : {primo, precedente, successivo, ultimo}) riga->addWidget(b);
    connect(primo, &QToolButton::clicked, dataset, &db::Query::first);
    connect(precedente, &QToolButton::clicked, dataset, &db::Query::prior);
    connect(successivo, &QToolButton::clicked, dataset, &db::Query::next);
    connect(ultimo, &QToolButton::clicked, dataset, &db::Query::last);
}

QPushButton *pulsanteRiga(QWidget *parent, const QString &nome, const QString &testo, const QString &suggerimento)
{
    auto *b = new QPushButton(testo, parent);
    b->setObjectName(nome);
    b->setToolTip(suggerimento);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    return b;
}

void iniziaRiga(db::Query &dataset)
{
    // Setting a filter moves to the first row: without one to empty, the row the user stands on
    // stays current under the new one, and dropping the new row comes back to it.
    if (!dataset.filter().isEmpty()) dataset.setFilter(QString());
    dataset.insert();
}

bool eliminaRiga(QWidget *parent, db::Query &dataset, const QString &domanda)
{
    if (dataset.isEmpty() || !forms::chiedi(parent, domanda)) return false;
    common::EliminaRecord(dataset, QStringLiteral("ID"));
    return true;
}

} // namespace masterdata

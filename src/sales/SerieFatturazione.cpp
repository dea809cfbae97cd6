#include "SerieFatturazione.h"
#include "forms/Registro.h"

#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "masterdata/Navigatore.h"
#include "masterdata/TabellaSingola.h"
#include "widgets/DBEdit.h"
#include "widgets/EditingHelper.h"
#include "widgets/ToolButton.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TfrmSerieFatturazione::TfrmSerieFatturazione(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSerieFatturazione"));
    setWindowTitle(QStringLiteral("Serie di Fatturazione"));
    setProperty("helpContext", 0);
    // No buttons in the title bar: the form is left through "Indietro".
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setMinimumWidth(460);
    db::Query *q = form_DB->TableSerieFatturazione;
    db::DataSource *s = form_DB->SourceSerieFatturazione;

    auto *layout = new QVBoxLayout(this);
    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    spdIndietro = ui::pulsanteIndietro(this);
    ToolBar2->addWidget(spdIndietro);
    layout->addWidget(ToolBar2);

    auto *comandi = new QHBoxLayout;
    DBNavigator1 = new masterdata::Navigatore(q, QStringLiteral("DBNavigator1"), this);
    DBNavigator1->setToolTip(QStringLiteral("Muoviti di una o più posizioni nella tabella delle Categorie"));
    Button4 = masterdata::pulsanteRiga(this, QStringLiteral("Button4"), QStringLiteral("+"),
                                       QStringLiteral("Inserisci un Record nella tabella delle Categorie"));
    Button3 = masterdata::pulsanteRiga(this, QStringLiteral("Button3"), QStringLiteral("-"),
                                       QStringLiteral("Elimina un Record dalla tabella delle Categorie"));
    comandi->addWidget(DBNavigator1);
    comandi->addWidget(Button4);
    comandi->addWidget(Button3);
    comandi->addStretch(1);
    layout->addLayout(comandi);

    auto *campi = new QFormLayout;
    auto campo = [&](const QString &nome, const QString &etichetta, const QString &colonna) {
        auto *e = new ui::DBEdit(this);
        e->setObjectName(nome);
        e->setDataSource(s);
        e->setDataField(colonna);
        masterdata::apostrofoAcuto(e);
        campi->addRow(etichetta, e);
        return e;
    };
    DBEdit1 = campo(QStringLiteral("DBEdit1"), QStringLiteral("Serie"), QStringLiteral("Serie"));
    DBEdit2 = campo(QStringLiteral("DBEdit2"), QStringLiteral("Descrizione"), QStringLiteral("Descrizione"));
    DBEdit3 = campo(QStringLiteral("DBEdit3"), QStringLiteral("Note"), QStringLiteral("Note"));
    layout->addLayout(campi);

    bitSalva = masterdata::pulsanteRiga(this, QStringLiteral("bitSalva"), QStringLiteral("salva"),
                                        QStringLiteral("Salva le modifiche effettuate ill'archivio delle Categorie"));
    auto *basso = new QHBoxLayout;
    basso->addStretch(1);
    basso->addWidget(bitSalva);
    layout->addLayout(basso);
    layout->addStretch(1);

    // Aqua focus and Enter/Down/Up between the three boxes.
    new ui::EditingHelper(this);

    connect(spdIndietro, &QToolButton::clicked, this, &TfrmSerieFatturazione::spdIndietroClick);
    connect(Button4, &QPushButton::clicked, this, &TfrmSerieFatturazione::Button4Click);
    connect(Button3, &QPushButton::clicked, this, &TfrmSerieFatturazione::Button3Click);
    connect(bitSalva, &QPushButton::clicked, this, &TfrmSerieFatturazione::bitSalvaClick);
}

void TfrmSerieFatturazione::Button4Click()
{
    masterdata::iniziaRiga(*form_DB->TableSerieFatturazione);
    DBEdit1->setFocus();
}

void TfrmSerieFatturazione::Button3Click()
{
    masterdata::eliminaRiga(this, *form_DB->TableSerieFatturazione,
                            QStringLiteral("Sei sicuro di voler eliminare la Serie di Fatturazione?"));
}

void TfrmSerieFatturazione::bitSalvaClick()
{
    if (DBEdit1->text().isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione manca la Serie"), forms::kAvviso);
        DBEdit1->setFocus();
        return;
    }
    // A refused post has been shown and the row keeps what was typed.
    common::SalvaNuovoRecord(*form_DB->TableSerieFatturazione, QStringLiteral("Id"));
}

void TfrmSerieFatturazione::spdIndietroClick() { accept(); }

void TfrmSerieFatturazione::done(int r)
{
    db::Query *q = form_DB->TableSerieFatturazione;
    if (q->isEditing()) q->cancel();
    QDialog::done(r);
}

void TfrmSerieFatturazione::showEvent(QShowEvent *e)
{
    form_DB->TableSerieFatturazione->rileggiSeDinamica();
    QDialog::showEvent(e);
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati = forms::registra(frmSerieFatturazione, "frmSerieFatturazione");
} // namespace

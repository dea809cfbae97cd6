#include "Porto.h"
#include "forms/Registro.h"

#include "Navigatore.h"
#include "data/DB.h"
#include "widgets/DBEdit.h"

#include <QHBoxLayout>
#include <QPushButton>

TfrmPorto::TfrmPorto(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmPorto");
              c.titolo = QStringLiteral("Porto");
              c.dataset = form_DB->TablePorto;
              c.source = form_DB->SourcePorto;
              c.captionSalva = QStringLiteral("salva");
              c.salvaNuovo = true; // a term begun with "+" gets its id and stays current
              return c;
          }(),
          parent)
{
    auto *comandi = new QWidget(this);
    auto *riga = new QHBoxLayout(comandi);
    riga->setContentsMargins(0, 0, 0, 0);
    DBNavigator2 = new masterdata::Navigatore(form_DB->TablePorto, QStringLiteral("DBNavigator2"), comandi);
    Button3 = masterdata::pulsanteRiga(comandi, QStringLiteral("Button3"), QStringLiteral("-"));
    Button4 = masterdata::pulsanteRiga(comandi, QStringLiteral("Button4"), QStringLiteral("+"));
    riga->addWidget(DBNavigator2);
    riga->addWidget(Button3);
    riga->addWidget(Button4);
    riga->addStretch(1);
    aggiungiRiga(QString(), comandi);
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Codice (incoterms)"), QStringLiteral("Codice"));
    richiesto(DBEdit1, QStringLiteral("Attenzione manca il Codice"));
    aggiungiDescrizione();
    connect(Button3, &QPushButton::clicked, this, &TfrmPorto::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TfrmPorto::Button4Click);
}

void TfrmPorto::Button3Click()
{
    if (masterdata::eliminaRiga(this, *form_DB->TablePorto, QStringLiteral("Sei sicuro di voler eliminare la tipologia di Porto?")))
        DatiModificati = false;
}

// Other forms call it to begin a carriage term without showing this form.
void TfrmPorto::Button4Click() { masterdata::iniziaRiga(*form_DB->TablePorto); }

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmPorto, "frmPorto");
} // namespace

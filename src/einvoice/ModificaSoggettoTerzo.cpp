#include "ModificaSoggettoTerzo.h"

#include "data/DB.h"
#include "forms/Family.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QLabel>

ModificaSoggettoTerzo::ModificaSoggettoTerzo(const Colonne &colonne, QWidget *parent)
    : forms::DetailForm(
          [&colonne] {
              Config c;
              c.nome = QString::fromLatin1(colonne.nome);
              c.titolo = QString::fromLatin1(colonne.titolo);
              c.dataset = form_DB->Table12;
              c.source = form_DB->Source12;
              return c;
          }(),
          parent),
      partitaIvaRichiesta(colonne.partitaIvaRichiesta)
{
    // No title-bar buttons: "Indietro" is the way out, and the only save.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    const QString p = QString::fromLatin1(colonne.prefisso);
    DBCheckBox2 = aggiungiCheck(QStringLiteral("DBCheckBox2"), QStringLiteral("Includi"), QString::fromLatin1(colonne.includi));
    DBLookupComboBox3 = aggiungiLookup(QStringLiteral("DBLookupComboBox3"), QStringLiteral("Nazione"), p + QStringLiteral("IdPaese"),
                                       form_DB->SourceNazioni, QStringLiteral("SIGLA"), QStringLiteral("DENOMINAZ"));
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("P.Iva"), p + QStringLiteral("IdCodice"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Codice Fiscale"), p + QStringLiteral("CodiceFiscale"));
    DBEdit5 = aggiungiEdit(QStringLiteral("DBEdit5"), QStringLiteral("Rag. Sociale"), p + QStringLiteral("Denominazione"));
    DBEdit11 = aggiungiEdit(QStringLiteral("DBEdit11"), QStringLiteral("Cognome"), p + QStringLiteral("Cognome"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Nome"), p + QStringLiteral("Nome"));
    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Titolo"), p + QStringLiteral("Titolo"));
    DBEdit6 = aggiungiEdit(QStringLiteral("DBEdit6"), QStringLiteral("Cod. Eori"), p + QStringLiteral("CodEORI"));
    // The required fields' captions in maroon.
    const QString marrone = QStringLiteral("color: rgb(128, 0, 0);");
    DBCheckBox2->setStyleSheet(marrone);
    if (partitaIvaRichiesta)
        for (QWidget *campo : {static_cast<QWidget *>(DBLookupComboBox3), static_cast<QWidget *>(DBEdit1)})
            if (QLabel *l = etichettaDi(campo)) l->setStyleSheet(marrone);
    completa();
}

QLabel *ModificaSoggettoTerzo::etichettaDi(QWidget *campo) const
{
    for (QLabel *l : findChildren<QLabel *>())
        if (l->buddy() == campo) return l;
    return nullptr;
}

bool ModificaSoggettoTerzo::controllaSalvataggio()
{
    if (!DBCheckBox2->isChecked()) return true;
    auto rifiuta = [this](const QString &messaggio, QWidget *fuoco) {
        forms::avvisa(this, messaggio, config().captionErrore);
        if (fuoco) fuoco->setFocus();
        return false;
    };
    const bool conPartitaIva = !DBEdit1->text().isEmpty();
    if (partitaIvaRichiesta && !conPartitaIva) return rifiuta(QStringLiteral("Attenzione manca la Partita Iva"), DBEdit1);
    if ((partitaIvaRichiesta || conPartitaIva) && DBLookupComboBox3->currentText().isEmpty())
        return rifiuta(QStringLiteral("Attenzione manca la Nazione"), DBLookupComboBox3);
    if (DBEdit5->text().isEmpty() && DBEdit11->text().isEmpty() && DBEdit3->text().isEmpty())
        return rifiuta(QStringLiteral("Attenzione manca la Ragione sociale oppure Nome e Cognome"), nullptr);
    // Lengths as shown, blanks included; an empty optional field passes.
    auto corto = [](const ui::DBEdit *e, int minimo) { return !e->text().isEmpty() && e->text().size() < minimo; };
    if (corto(DBEdit2, 11))
        return rifiuta(QStringLiteral("Attenzione il Codice fiscale deve essere di almeno 11 caratteri"), DBEdit2);
    if (corto(DBEdit4, 2)) return rifiuta(QStringLiteral("Attenzione il Titolo deve essere di almeno 2 caratteri"), DBEdit4);
    if (corto(DBEdit6, 13))
        return rifiuta(QStringLiteral("Attenzione il codice EORI deve essere di almeno 13 caratteri"), DBEdit6);
    return true;
}

#include "ModificaOrdiniClienti.h"

#include "data/DB.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "db/Query.h"
#include "widgets/DBEdit.h"

#include <QDate>

namespace {
const QString kAvviso = QStringLiteral("Messaggio di Avviso!!");
const QString kMancaData = QStringLiteral("E' necessario salvare la data di Ordine!!!");
} // namespace

TfrmModificaOrdiniClienti::TfrmModificaOrdiniClienti(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmModificaOrdiniClienti");
              c.titolo = QStringLiteral("Ordini Clienti");
              c.dataset = form_DB->TableOrdiniClienti;
              c.source = form_DB->SourceOrdiniClienti;
              c.captionErrore = kAvviso;
              return c;
          }(),
          parent)
{
    DBNumero = aggiungiEdit(QStringLiteral("DBNumero"), QStringLiteral("Numero"), QStringLiteral("Numero"));
    richiesto(DBNumero, QStringLiteral("E' necessario salvare il numero di Ordine!!!"));
    DBData = aggiungiEdit(QStringLiteral("DBData"), QStringLiteral("Data"), QStringLiteral("Data"));
    richiesto(DBData, kMancaData);
    DBCodiceCig = aggiungiEdit(QStringLiteral("DBCodiceCig"), QStringLiteral("Codice Cig"), QStringLiteral("CodiceCig"));
    DBCodiceCup = aggiungiEdit(QStringLiteral("DBCodiceCup"), QStringLiteral("Codice Cup"), QStringLiteral("CodiceCup"));
    DBCodiceCommessaConvenzione = aggiungiEdit(QStringLiteral("DBCodiceCommessaConvenzione"),
                                               QStringLiteral("Codice Commessa Convenzione"),
                                               QStringLiteral("CodiceCommessaConvenzione"));
    DBNote = aggiungiEdit(QStringLiteral("DBNote"), QStringLiteral("Note"), QStringLiteral("Note"));
    setMinimumWidth(520);
    completa();
}

bool TfrmModificaOrdiniClienti::controllaSalvataggio()
{
    // A text that is no date would be refused by the field and the order stored with the date
    // it had before (or none): the export needs the real one, so it counts as missing.
    const QString testo = DBData->text().trimmed();
    bool data = testo == dataset()->fieldByName(QStringLiteral("Data")).asString();
    for (const char *formato : {"d/M/yyyy", "d/M/yy", "d-M-yyyy", "d.M.yyyy"})
        data = data || QDate::fromString(testo, QLatin1String(formato)).isValid();
    if (!data) {
        forms::avvisa(this, kMancaData, kAvviso);
        DBData->setFocus();
        return false;
    }
    return true;
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmModificaOrdiniClienti, "frmModificaOrdiniClienti");
} // namespace

#include "Fornitori.h"
#include "FornitoriDett.h"
#include "VCardScambio.h"
#include "forms/Registro.h"
#include "masterdata/services/Fornitori.h"
#include "masterdata/services/VCardFornitori.h"

#include "data/DB.h"
#include "db/Query.h"

#include <QComboBox>

namespace {

scambio_vcard::Lato latoFornitori()
{
    return {QStringLiteral("fornitore"), vcard_fornitori::esporta, vcard_fornitori::importa, form_DB->Table9,
            form_DB->TableCategorieFornitori};
}

} // namespace

void esportaVCardFornitori(QWidget *finestra, const QList<qint64> &idSelezionati)
{
    scambio_vcard::esportaVCard(finestra, latoFornitori(), idSelezionati);
}

void importaVCardFornitori(QWidget *finestra) { scambio_vcard::importaVCard(finestra, latoFornitori()); }

TFornitori::TFornitori(QWidget *parent)
    : masterdata::ListaAnagrafica(
          configurazione(QStringLiteral("Fornitori"), QStringLiteral("Fornitori"), 2400, form_DB->Table9, form_DB->Source9,
                         {{QStringLiteral("Fornitore"), QStringLiteral("Fornitore"), 338},
                          {QStringLiteral("Comune"), QStringLiteral("Comune"), 170},
                          {QStringLiteral("Provincia"), QStringLiteral("Provincia"), 54},
                          {QStringLiteral("Telefono"), QStringLiteral("Telefono"), 88},
                          {QStringLiteral("Cellulare"), QStringLiteral("Cellulare"), 99},
                          {QStringLiteral("Email"), QStringLiteral("Email"), 207}},
                         QStringLiteral("Sei sicuro di voler eliminare il Fornitore?"), QStringLiteral("Fornitor"),
                         QStringLiteral("Fornitori_Griglia")),
          [] {
              Anagrafica a;
              a.caselle = {{"Edit1", QStringLiteral("Ricerca per Fornitore"), QStringLiteral("Fornitore"), 0},
                           {"Edit2", QStringLiteral("Città"), QStringLiteral("Comune"), 1},
                           {"Edit4", QStringLiteral("Cellulare"), QStringLiteral("Cellulare"), 2},
                           {"Edit3", QStringLiteral("Prov."), QStringLiteral("Provincia"), 3},
                           {"Edit5", QStringLiteral("Per Note"), QStringLiteral("Note"), 4}};
              a.nomeCategorie = QStringLiteral("cboCategorie");
              a.categorie = form_DB->TableCategorieFornitori;
              a.idCategoria = [](const QString &d) { return fornitori::idCategoria(form_DB->Connessione, d); };
              a.colonnaEmail = QStringLiteral("Email");
              a.copiaEmail = {QStringLiteral("Copia Email"), QString()};
              a.inviaEmail = {QStringLiteral("Invia Email"), QString()};
              a.daRicaricare = {form_DB->Table8, form_DB->Table9, form_DB->TableCategorieFornitori, form_DB->TableModPaga,
                                form_DB->Table5};
              a.ricercaColorata = true;
              a.importaVCard = importaVCardFornitori;
              a.esportaVCard = esportaVCardFornitori;
              return a;
          }(),
          parent)
{
    Edit1 = casellaRicerca("Edit1");
    Edit2 = casellaRicerca("Edit2");
    Edit4 = casellaRicerca("Edit4");
    Edit3 = casellaRicerca("Edit3");
    Edit5 = casellaRicerca("Edit5");
    cboCategorie = Categorie;
}

void TFornitori::impostaNuovo()
{
    db::Query *q = dataset();
    q->fieldByName(QStringLiteral("Annullato")).setAsBoolean(false);
    q->fieldByName(QStringLiteral("IdPaese")).setAsString(QStringLiteral("IT"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati = forms::registra(Fornitori, "Fornitori",
                                        {.dettaglio = QStringLiteral("frmFornitDett"),
                                         .griglie = {{QStringLiteral("Fornitori_Griglia")}}});
} // namespace

#include "Comuni.h"
#include "forms/Registro.h"

#include "data/DB.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QColor>
#include <QGridLayout>
#include <QPalette>

TfrmGrigliaComuni::TfrmGrigliaComuni(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaComuni");
              c.titolo = QStringLiteral("Comuni");
              c.helpContext = 3100;
              c.dataset = form_DB->Table8;
              c.source = form_DB->Source8;
              c.colonne = {{QStringLiteral("Comune"), QStringLiteral("Comune"), 250},
                           {QStringLiteral("Provincia"), QStringLiteral("Prov."), 50},
                           {QStringLiteral("Cap"), QStringLiteral("Cap"), 70},
                           {QStringLiteral("COD_ISTAT"), QStringLiteral("Cod. Istat"), 80},
                           {QStringLiteral("CODICE_F"), QStringLiteral("Cod. Fisc."), 80},
                           {QStringLiteral("PrefNaz"), QStringLiteral("Prefisso Tel."), 90}};
              // On screen in this order; the conditions follow the filter order.
              c.ricerca = {{QStringLiteral("Edit2"), QStringLiteral("Descrizione"), QStringLiteral("Comune"), 0},
                           {QStringLiteral("Edit4"), QStringLiteral("Provincia"), QStringLiteral("Provincia"), 3},
                           {QStringLiteral("Edit3"), QStringLiteral("Codice Istat"), QStringLiteral("COD_ISTAT"), 1},
                           {QStringLiteral("Edit1"), QStringLiteral("Codice Belfiore"), QStringLiteral("CODICE_F"), 2},
                           {QStringLiteral("Edit5"), QStringLiteral("Prefisso"), QStringLiteral("PrefNaz"), 4},
                           {QStringLiteral("txtCap"), QStringLiteral("Cap"), QStringLiteral("Cap"), 5}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il Comune ?");
              c.descrizioneSpazio = false;
              c.nomeGriglia = QStringLiteral("frmGrigliaComuni_Griglia");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.ricercaNavigazione = true;
              c.massimizzata = true;
              c.titoloRicerca = QStringLiteral("Cerca per");
              return c;
          }(),
          parent)
{
    QWidget *gruppo = gruppoRicerca();
    QPalette p = gruppo->palette();
    p.setColor(QPalette::Window, QColor(128, 255, 128));
    gruppo->setPalette(p);
    gruppo->setAutoFillBackground(true);
}

// A town added here has a placeholder postcode until the user types its own.
void TfrmGrigliaComuni::impostaNuovo() { dataset()->fieldByName(QStringLiteral("Cap")).setAsString(QStringLiteral("00000")); }

TfrmComuniDett::TfrmComuniDett(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmComuniDett");
              c.titolo = QStringLiteral("Comuni");
              c.helpContext = 1300;
              c.dataset = form_DB->Table8;
              c.source = form_DB->Source8;
              c.conAiuto = true;
              return c;
          }(),
          parent)
{
    aggiungiCheck(QStringLiteral("DBCheckBox1"), QStringLiteral("Capoluogo"), QStringLiteral("Capoluogo"));
    aggiungiCheck(QStringLiteral("DBCheckBox2"), QStringLiteral("importato da xml"), QStringLiteral("ImportatoXml"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Descrizione"), QStringLiteral("Comune"));
    richiesto(DBEdit2, QStringLiteral("Attenzione manca la Descrizione del Comune"));
    aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Cap"), QStringLiteral("Cap"));
    aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Codice Istat"), QStringLiteral("COD_ISTAT"));
    aggiungiEdit(QStringLiteral("DBEdit5"), QStringLiteral("Codice Belfiore"), QStringLiteral("CODICE_F"));
    aggiungiEdit(QStringLiteral("DBEdit6"), QStringLiteral("Prefisso Telefonico"), QStringLiteral("PrefNaz"));
    DBLookupComboBox1 = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Provincia"), QStringLiteral("Provincia"),
                                       form_DB->SourceProvince, QStringLiteral("PROVINCIA"), QStringLiteral("CAPOLUOGO"));
    DBLookupComboBox2 = aggiungiLookup(QStringLiteral("DBLookupComboBox2"), QStringLiteral("Regione"), QStringLiteral("Regione_ID"),
                                       form_DB->SourceRegioni, QStringLiteral("IDRegione"), QStringLiteral("Descrizione"));
    DBLookupComboBox3 = aggiungiLookup(QStringLiteral("DBLookupComboBox3"), QStringLiteral("Nazione"), QStringLiteral("Nazione_ID"),
                                       form_DB->SourceNazioni, QStringLiteral("IDNazione"), QStringLiteral("DENOMINAZ"));
    aggiungiEdit(QStringLiteral("DBEdit7"), QStringLiteral("Longitudine"), QStringLiteral("Longitudine"));
    aggiungiEdit(QStringLiteral("DBEdit8"), QStringLiteral("Latitudine"), QStringLiteral("Latitudine"));
    // A town keeps its province, region and country until another one is picked.
    for (ui::DBLookupComboBox *l : {DBLookupComboBox1, DBLookupComboBox2, DBLookupComboBox3}) l->setClearable(false);
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::picked, this, &TfrmComuniDett::DBLookupComboBox1Click);
}

void TfrmComuniDett::DBLookupComboBox1Click()
{
    const db::Field regione = form_DB->TableProvince->fieldByName(QStringLiteral("Regione_ID"));
    if (!regione.isNull()) form_DB->Table8->fieldByName(QStringLiteral("Regione_ID")).setValue(regione.value());
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaComuni, "frmGrigliaComuni",
                    {.dettaglio = QStringLiteral("frmComuniDett"), .griglie = {{QStringLiteral("frmGrigliaComuni_Griglia")}}})
    && forms::registra(frmComuniDett, "frmComuniDett");
} // namespace

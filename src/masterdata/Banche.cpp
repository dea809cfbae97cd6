#include "Banche.h"
#include "forms/Registro.h"

#include "data/DB.h"
#include "forms/Family.h"
#include "db/Query.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/EditingHelper.h"

#include <QKeyEvent>
#include <QLineEdit>

TfrmGrigliaBanche::TfrmGrigliaBanche(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaBanche");
              c.titolo = QStringLiteral("Banche");
              c.helpContext = 3200;
              c.dataset = form_DB->Table5;
              c.source = form_DB->Source5;
              c.colonne = {{QStringLiteral("Banca"), QStringLiteral("Banca"), 250},
                           {QStringLiteral("Comune"), QStringLiteral("Comune"), 180},
                           {QStringLiteral("Iban"), QStringLiteral("Iban"), 250}};
              // The conditions follow Banca, Iban, Comune, whatever the boxes' order on screen.
              c.ricerca = {{QStringLiteral("Edit2"), QStringLiteral("Banca"), QStringLiteral("Banca"), 0},
                           {QStringLiteral("Edit4"), QStringLiteral("Comune"), QStringLiteral("Comune"), 2},
                           {QStringLiteral("Edit3"), QStringLiteral("Iban"), QStringLiteral("Iban"), 1}};
              c.titoloRicerca = QStringLiteral("Cerca Per");
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la Banca?");
              c.descrizioneSpazio = false;
              c.chiavePredefiniti = QStringLiteral("Bank");
              c.nomeGriglia = QStringLiteral("frmGrigliaBanche_Griglia");
              c.menuGrigliaCompleto = true;
              c.pulsanteRicarica = true;
              return c;
          }(),
          parent)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(760, 480); // the three columns whole
}

// A new account is added to the whole list: the search boxes are emptied first.
void TfrmGrigliaBanche::primaDiAggiungere() { BitBtn3Click(); }

void TfrmGrigliaBanche::impostaNuovo()
{
    dataset()->fieldByName(QStringLiteral("Cap")).setAsString(QStringLiteral("00000"));
    dataset()->fieldByName(QStringLiteral("Annullato")).setAsBoolean(false);
}

TAnaBanca::TAnaBanca(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("AnaBanca");
              c.titolo = QStringLiteral("Anagrafica Dati Bancari");
              c.helpContext = 1400;
              c.dataset = form_DB->Table5;
              c.source = form_DB->Source5;
              return c;
          }(),
          parent)
{
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Banca"), QStringLiteral("Banca"));
    DBEdit5 = aggiungiEdit(QStringLiteral("DBEdit5"), QStringLiteral("Indirizzo"), QStringLiteral("Via"));
    DBEdit6 = aggiungiEdit(QStringLiteral("DBEdit6"), QStringLiteral("Numero"), QStringLiteral("Numero"));
    DBLookupComboBox1 = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Comune"), QStringLiteral("Comune"),
                                       form_DB->Source8, QStringLiteral("Comune"), QStringLiteral("Comune"));
    DBEdit7 = aggiungiEdit(QStringLiteral("DBEdit7"), QStringLiteral("Cap"), QStringLiteral("Cap"));
    DBEdit8 = aggiungiEdit(QStringLiteral("DBEdit8"), QStringLiteral("Provincia"), QStringLiteral("Provincia"));
    DBEdit9 = aggiungiEdit(QStringLiteral("DBEdit9"), QStringLiteral("Telefono"), QStringLiteral("Telefono"));
    DBEdit10 = aggiungiEdit(QStringLiteral("DBEdit10"), QStringLiteral("Fax"), QStringLiteral("Fax"));
    DBEdit11 = aggiungiEdit(QStringLiteral("DBEdit11"), QStringLiteral("Email"), QStringLiteral("Email"));
    DBEdit13 = aggiungiEdit(QStringLiteral("DBEdit13"), QStringLiteral("Codice Iban"), QStringLiteral("Iban"));
    DBEdit28 = aggiungiEdit(QStringLiteral("DBEdit28"), QStringLiteral("Saldo iniziale"), QStringLiteral("SaldoInizioAnno"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Beneficiario"), QStringLiteral("Beneficiario"));
    richiesto(DBEdit1, QStringLiteral("Attenzione manca la Descrizione della banca"));
    richiesto(DBEdit13, QStringLiteral("Attenzione manca il Codice Iban"));
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::picked, this, &TAnaBanca::DBLookupComboBox1Click);
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::cleared, this, &TAnaBanca::DBLookupComboBox1Cancella);
    completa();
    m_editing->markAmountField(DBEdit28);
    // Installed after the editing behaviour, so it sees a blank before the edit is marked modified.
    DBEdit13->installEventFilter(this);
}

bool TAnaBanca::eventFilter(QObject *watched, QEvent *e)
{
    // An IBAN typed in groups is stored without the blanks between them.
    if (watched == DBEdit13 && e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->key() == Qt::Key_Space)
        return true;
    return forms::DetailForm::eventFilter(watched, e);
}

void TAnaBanca::DBLookupComboBox1Click()
{
    forms::copiaDallaScelta(form_DB->Table8, dataset(),
                            {{QStringLiteral("Cap"), QStringLiteral("Cap")}, {QStringLiteral("Provincia"), QStringLiteral("Provincia")}});
    DatiModificati = true;
}

void TAnaBanca::DBLookupComboBox1Cancella()
{
    db::Query *q = dataset();
    if (!q->isEditing()) q->edit();
    for (const QString campo : {QStringLiteral("Comune"), QStringLiteral("Cap"), QStringLiteral("Provincia")})
        q->fieldByName(campo).clear();
    DatiModificati = true;
}

namespace {
// Created once at start-up, in the program's order; the list's grid layout is restored then.
const bool registrati =
    forms::registra(frmGrigliaBanche, "frmGrigliaBanche",
                    {.dettaglio = QStringLiteral("AnaBanca"), .griglie = {{QStringLiteral("frmGrigliaBanche_Griglia")}}})
    && forms::registra(AnaBanca, "AnaBanca");
} // namespace

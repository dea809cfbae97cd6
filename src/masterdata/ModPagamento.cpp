#include "ModPagamento.h"
#include "forms/Registro.h"

#include "data/DB.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "masterdata/services/ScadenzePagamento.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");
const QString kErroreMaiuscolo = QStringLiteral("Messaggio di Errore");

QString colonnaGiorni(int i) { return QStringLiteral("GG%1Scadenza").arg(i); }

// The count box tells its form when the user leaves it, after its text went into the row.
class CasellaNumeroScadenze : public ui::DBEdit {
public:
    CasellaNumeroScadenze(TfrmModPagamDett *form, QWidget *parent) : ui::DBEdit(parent), m_form(form) {}

protected:
    void focusOutEvent(QFocusEvent *event) override
    {
        ui::DBEdit::focusOutEvent(event);
        // A message box or a pop-up over the form does not leave the box.
        if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) m_form->DBEdit7Exit();
    }

private:
    TfrmModPagamDett *m_form;
};

} // namespace

TfrmModPagam::TfrmModPagam(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmModPagam");
              c.titolo = QStringLiteral("Modalità di Pagamento");
              c.helpContext = 2200;
              c.dataset = form_DB->TableModPaga;
              c.source = form_DB->SourceModPaga;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 250},
                           {QStringLiteral("NumeroScadenze"), QStringLiteral("n° scadenze"), 80},
                           {colonnaGiorni(1), QStringLiteral("1° scadenza"), 80}};
              for (int i = 2; i <= anagrafiche::kMassimoScadenze; ++i)
                  c.colonne.append({colonnaGiorni(i), QStringLiteral("%1°").arg(i), 40});
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la modalità di pagamento?");
              // A new method starts without a description, with the defaults kept for it.
              c.descrizioneSpazio = false;
              c.chiavePredefiniti = QStringLiteral("ModPagamento");
              c.nomeGriglia = QStringLiteral("frmModPagam_Griglia");
              c.menuGrigliaCompleto = true;
              return c;
          }(),
          parent)
{
    resize(900, 480);
}

TfrmModPagamDett::TfrmModPagamDett(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmModPagamDett");
              c.titolo = QStringLiteral("Modalità di Pagamento");
              c.helpContext = 900;
              c.dataset = form_DB->TableModPaga;
              c.source = form_DB->SourceModPaga;
              c.captionErrore = kErroreMaiuscolo;
              c.conAiuto = true;
              return c;
          }(),
          parent)
{
    DBLookupComboBox10 = aggiungiLookup(QStringLiteral("DBLookupComboBox10"), QStringLiteral("Tipologia"),
                                        QStringLiteral("PA_ModalitaPagamento_Codice"), form_DB->SourcePa_ModPagamento,
                                        QStringLiteral("Codice"), QStringLiteral("Descrizione"));
    DBLookupComboBox10->setToolTip(QStringLiteral("Tipologie di modalità di pagamento utilizzate dalla Pubblica Amministrazione"));
    // The checks come in the order of the fields, each with its own caption: none is left to
    // the family's required-field check.
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Descrizione"), QStringLiteral("Descrizione"));
    DBEdit7 = new CasellaNumeroScadenze(this, this);
    DBEdit7->setObjectName(QStringLiteral("DBEdit7"));
    DBEdit7->setDataSource(form_DB->SourceModPaga);
    DBEdit7->setDataField(QStringLiteral("NumeroScadenze"));
    DBEdit7->setMaximumWidth(60);
    aggiungiRiga(QStringLiteral("N° Scadenze"), DBEdit7);
    DBCheckBox1 = aggiungiCheck(QStringLiteral("DBCheckBox1"), QStringLiteral("Scadenza a Data Fattura Fine Mese"),
                                QStringLiteral("FatturaFineMese"));
    DBCheckBox2 = aggiungiCheck(QStringLiteral("DBCheckBox2"), QStringLiteral("Visualizza in prima nota cassa"),
                                QStringLiteral("FlagCassa"));

    GroupBox1 = new QGroupBox(QStringLiteral("Scadenze"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setAutoFillBackground(true);
    QPalette colore = GroupBox1->palette();
    colore.setColor(QPalette::Window, QColor(255, 128, 255));
    GroupBox1->setPalette(colore);
    auto *griglia = new QGridLayout(GroupBox1);
    for (int i = 1; i <= anagrafiche::kMassimoScadenze; ++i) {
        auto *e = new ui::DBEdit(GroupBox1);
        e->setObjectName(QStringLiteral("DBEditGiorni%1").arg(i));
        e->setDataSource(form_DB->SourceModPaga);
        e->setDataField(colonnaGiorni(i));
        e->setMaximumWidth(60);
        auto *etichetta = new QLabel(QStringLiteral("%1° Scadenza").arg(i), GroupBox1);
        etichetta->setBuddy(e);
        // Two columns of six, the 1° to 6° on the left.
        const int riga = (i - 1) % 6, colonna = (i - 1) / 6 * 2;
        griglia->addWidget(etichetta, riga, colonna);
        griglia->addWidget(e, riga, colonna + 1);
        DBEditGiorni[i - 1] = e;
    }
    aggiungiRiga(QString(), GroupBox1);

    DBCheckBox3 = aggiungiCheck(QStringLiteral("DBCheckBox3"), QStringLiteral("Non visualizzare le scadenze in stampa"),
                                QStringLiteral("NonVisualizzareStampa"));
    DBCheckBox4 = aggiungiCheck(QStringLiteral("DBCheckBox4"), QStringLiteral("Calcola prima Fine Mese eppoi i giorni"),
                                QStringLiteral("CalcolaScadenzeFineMeseInizio"));
    DBCheckBox5 = aggiungiCheck(QStringLiteral("DBCheckBox5"), QStringLiteral("Anno Commerciale"),
                                QStringLiteral("AnnoCommerciale"));
}

void TfrmModPagamDett::DBEdit7Exit()
{
    db::Query *q = dataset();
    if (q->isEmpty() || DBEdit7->text().trimmed().isEmpty()) return;
    const int n = anagrafiche::numeroScadenzeAmmesso(DBEdit7->text());
    if (n == DBEdit7->text().trimmed().toInt()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("NumeroScadenze")).setAsInteger(n);
}

bool TfrmModPagamDett::controllaSalvataggio()
{
    if (DBLookupComboBox10->currentText().isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione manca la Tipologia"), kErrore);
        DBLookupComboBox10->setFocus();
        return false;
    }
    if (DBEdit2->text().isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione manca la Descrizione"), kErroreMaiuscolo);
        DBEdit2->setFocus();
        return false;
    }
    db::Query *q = dataset();
    // An empty count is 0 instalments; a count the box still holds above 12 (the box was not
    // left: the toolbar takes no focus) is 12, as the twelve day columns allow.
    const int n = anagrafiche::numeroScadenzeAmmesso(DBEdit7->text());
    const db::Field numero = q->fieldByName(QStringLiteral("NumeroScadenze"));
    if (DBEdit7->text().trimmed().isEmpty() || n != DBEdit7->text().trimmed().toInt()) {
        if (!q->isEditing()) q->edit();
        numero.setAsInteger(n);
    }
    QStringList giorni;
    for (ui::DBEdit *e : DBEditGiorni) giorni << e->text();
    const anagrafiche::ControlloScadenze esito = anagrafiche::controllaScadenze(n, giorni);
    if (esito.esito != anagrafiche::EsitoScadenze::Valide) {
        forms::avvisa(this, esito.messaggio, kErroreMaiuscolo);
        DBEditGiorni[esito.casella - 1]->setFocus();
        return false;
    }
    return true;
}

void TfrmModPagamDett::primaDiSalvare()
{
    db::Query *q = dataset();
    // What is still being typed goes into the row first, so a day count above 360 typed last
    // is brought down too.
    Q_EMIT q->updateRecord();
    for (int i = 1; i <= anagrafiche::kMassimoScadenze; ++i) {
        const db::Field giorni = q->fieldByName(colonnaGiorni(i));
        if (giorni.isNull() || giorni.asInteger() <= anagrafiche::kMassimoGiorni) continue;
        if (!q->isEditing()) q->edit();
        giorni.setAsInteger(anagrafiche::giorniAmmessi(giorni.asInteger()));
    }
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmModPagam, "frmModPagam",
                    {.dettaglio = QStringLiteral("frmModPagamDett"), .griglie = {{QStringLiteral("frmModPagam_Griglia")}}})
    && forms::registra(frmModPagamDett, "frmModPagamDett");
} // namespace

#include "TariffeDett.h"
#include "widgets/EditingHelper.h"

#include "common/LineArithmetic.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "masterdata/services/Tariffe.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");

// The unit price box tells its form when the user leaves it, after its text went into the row.
class CasellaValoreUnitario : public ui::DBEdit {
public:
    CasellaValoreUnitario(TForm3 *form, QWidget *parent) : ui::DBEdit(parent), m_form(form) {}

protected:
    void focusOutEvent(QFocusEvent *event) override
    {
        ui::DBEdit::focusOutEvent(event);
        if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) m_form->DBEdit3Exit();
    }

private:
    TForm3 *m_form;
};

} // namespace

TForm3::TForm3(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("Form3");
              c.titolo = QStringLiteral("Tariffe");
              c.helpContext = 600;
              c.dataset = form_DB->Table1;
              c.source = form_DB->Source1;
              c.conAiuto = true;
              return c;
          }(),
          parent)
{
    setWindowFlags(windowFlags() & ~(Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint));
    spdAnnulla->setToolTip(QStringLiteral("Torna indietro senza salvare"));
    spdIndietro->setToolTip(QStringLiteral("Torna indietro"));

    aggiungiPagina(QStringLiteral("TabSheet1"), QStringLiteral("Generale"));
    DBCheckBox1 = aggiungiCheck(QStringLiteral("DBCheckBox1"), QStringLiteral("Annullato"), QStringLiteral("Annullato"));
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Codice"), QStringLiteral("Codice"));
    DBEdit5 = aggiungiEdit(QStringLiteral("DBEdit5"), QStringLiteral("Data di inserimento"), QStringLiteral("DataInserimento"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Descrizione"), QStringLiteral("Descrizione"));
    DBLookupComboBox9 = aggiungiLookup(QStringLiteral("DBLookupComboBox9"), QStringLiteral("Tipo Tariffa"),
                                       QStringLiteral("TipoTariffa_Id"), form_DB->SourceTipoTariffe, QStringLiteral("Id"),
                                       QStringLiteral("Descrizione"),
                                       {QStringLiteral("frmGrigliaTipoTariffe"), {QStringLiteral("SpeedButton14"), QStringLiteral("Modifica il tipo di tariffa")},
                                        {QStringLiteral("SpeedButton15"), QStringLiteral("Aggiungi un tipo di tariffa")}})
                            .lookup;
    DBLookupComboBox10 = aggiungiLookup(QStringLiteral("DBLookupComboBox10"), QStringLiteral("Fatturazione"),
                                        QStringLiteral("TipoFatturazione_Id"), form_DB->SourceTipoFatturazione,
                                        QStringLiteral("Id"), QStringLiteral("Descrizione"));
    // The customer is reached by its id: two customers may share a name.
    const LookupConPulsanti cliente = aggiungiLookup(
        QStringLiteral("DBLookupComboBox1"), QStringLiteral("Cliente"), QStringLiteral("Cliente_ID"), form_DB->Source7,
        QStringLiteral("Id"), QStringLiteral("NominativoVisualizzato"),
        {QStringLiteral("frmClienti"), {QStringLiteral("SpeedButton1"), QStringLiteral("Apri il cliente")},
         {QStringLiteral("SpeedButton2"), QStringLiteral("Aggiungi un cliente")}});
    DBLookupComboBox1 = cliente.lookup;
    SpeedButton1 = cliente.modifica;
    SpeedButton2 = cliente.aggiungi;
    DBEdit6 = aggiungiEdit(QStringLiteral("DBEdit6"), QStringLiteral("Costo"), QStringLiteral("PrezzoFornitore"));
    DBEdit3 = new CasellaValoreUnitario(this, this);
    DBEdit3->setObjectName(QStringLiteral("DBEdit3"));
    DBEdit3->setDataSource(form_DB->Source1);
    DBEdit3->setDataField(QStringLiteral("Prezzo"));
    aggiungiRiga(QStringLiteral("Valore Unitario"), DBEdit3);
    DBLookupComboBox2 = aggiungiLookup(QStringLiteral("DBLookupComboBox2"), QStringLiteral("Aliquota Iva"),
                                       QStringLiteral("Iva_Id"), form_DB->SourceIva, QStringLiteral("Id"),
                                       QStringLiteral("Descrizione"));
    auto *finale = new QWidget(this);
    auto *riga = new QHBoxLayout(finale);
    riga->setContentsMargins(0, 0, 0, 0);
    DBEdit4 = new ui::DBEdit(finale);
    DBEdit4->setObjectName(QStringLiteral("DBEdit4"));
    DBEdit4->setDataSource(form_DB->Source1);
    DBEdit4->setDataField(QStringLiteral("PrezzoCompleto"));
    BitBtn1 = new QPushButton(QStringLiteral("="), finale);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(QStringLiteral("Calcola il Valore Unitario"));
    BitBtn1->setFocusPolicy(Qt::NoFocus);
    riga->addWidget(DBEdit4, 1);
    riga->addWidget(BitBtn1);
    aggiungiRiga(QStringLiteral("Prezzo Finale"), finale);
    DBCheckBox2 = aggiungiCheck(QStringLiteral("DBCheckBox2"), QStringLiteral("Prezzo Imposto"), QStringLiteral("PrezzoImposto"));

    aggiungiPagina(QStringLiteral("TabSheet2"), QStringLiteral("Altro"));
    DBEdit7 = aggiungiEdit(QStringLiteral("DBEdit7"), QStringLiteral("Note"), QStringLiteral("Note"));
    DBLookupComboBox8 = aggiungiLookup(QStringLiteral("DBLookupComboBox8"), QStringLiteral("Unità di misura"),
                                       QStringLiteral("Um_Id"), form_DB->SourceUnitaMisura, QStringLiteral("Id"),
                                       QStringLiteral("Descrizione"),
                                       {QStringLiteral("frmGrigliaUnitaMisura"), {QStringLiteral("SpeedButton13"), QStringLiteral("Apri l'unità di misura")},
                                        {QStringLiteral("SpeedButton12"), QStringLiteral("Aggiungi un'unità di misura")}})
                            .lookup;
    const LookupConPulsanti reparto = aggiungiLookup(
        QStringLiteral("DBLookupComboBox5"), QStringLiteral("Reparto"), QStringLiteral("Reparto"), form_DB->SourceReparti,
        QStringLiteral("Descrizione"), QStringLiteral("Descrizione"),
        {QStringLiteral("frmReparti"), {QStringLiteral("SpeedButton17"), QStringLiteral("Apri il reparto")},
         {QStringLiteral("SpeedButton16"), QStringLiteral("Aggiungi un reparto")}});
    DBLookupComboBox5 = reparto.lookup;
    // A department renamed in its detail shows with its new name.
    connect(reparto.modifica, &QToolButton::clicked, this, [] { form_DB->TableReparti->requery(); });

    for (ui::DBLookupComboBox *l : {DBLookupComboBox1, DBLookupComboBox2, DBLookupComboBox9, DBLookupComboBox10,
                                    DBLookupComboBox8, DBLookupComboBox5}) {
        l->setClearable(true);
        connect(l, &ui::DBLookupComboBox::picked, this, [this] { DatiModificati = true; });
        connect(l, &ui::DBLookupComboBox::cleared, this, [this] { DatiModificati = true; });
    }
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::picked, this, &TForm3::DBLookupComboBox1Click);
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::cleared, this, [this] {
        db::Query *q = dataset();
        if (!q->isEditing()) q->edit();
        q->fieldByName(QStringLiteral("Cliente")).clear();
    });
    connect(DBLookupComboBox2, &ui::DBLookupComboBox::picked, this, &TForm3::DBLookupComboBox2Click);
    connect(DBLookupComboBox9, &ui::DBLookupComboBox::picked, this, &TForm3::DBLookupComboBox9Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm3::BitBtn1Click);
    completa();
}

void TForm3::DBLookupComboBox1Click()
{
    db::Query *q = dataset();
    db::Query *clienti = form_DB->Table7;
    if (DBLookupComboBox1->currentText().isEmpty() || clienti->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("Cliente_ID")).setValue(clienti->fieldByName(QStringLiteral("Id")).value());
    q->fieldByName(QStringLiteral("Cliente")).setValue(clienti->fieldByName(QStringLiteral("NominativoDocumenti")).value());
}

void TForm3::DBLookupComboBox2Click()
{
    db::Query *q = dataset();
    db::Query *iva = form_DB->TableIva;
    if (iva->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("AliquotaIva")).setValue(iva->fieldByName(QStringLiteral("Iva")).value());
    CalcoloClick();
}

void TForm3::DBLookupComboBox9Click()
{
    db::Query *q = dataset();
    db::Query *tipi = form_DB->TableTipoTariffe;
    if (DBLookupComboBox9->currentText().isEmpty() || tipi->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("TipoTariffa_Id")).setValue(tipi->fieldByName(QStringLiteral("Id")).value());
    q->fieldByName(QStringLiteral("Tariffa")).setValue(tipi->fieldByName(QStringLiteral("Descrizione")).value());
}

void TForm3::DBEdit3Exit() { CalcoloClick(); }

void TForm3::CalcoloClick()
{
    if (DBLookupComboBox2->currentText().isEmpty() || DBEdit3->text().isEmpty()) return;
    db::Query *q = dataset();
    Q_EMIT q->updateRecord();
    const double aliquota = q->fieldByName(QStringLiteral("AliquotaIva")).asFloat();
    const double completo = tariffe::prezzoIvato(q->fieldByName(QStringLiteral("Prezzo")).asFloat(), aliquota);
    const db::Field campo = q->fieldByName(QStringLiteral("PrezzoCompleto"));
    if (!campo.isNull() && campo.asFloat() == completo) return;
    if (!q->isEditing()) q->edit();
    campo.setAsFloat(completo);
    DatiModificati = true;
}

void TForm3::BitBtn1Click()
{
    if (DBEdit4->text().isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione Inserire il Prezzo finale"), forms::kAvviso);
        return;
    }
    db::Query *q = dataset();
    Q_EMIT q->updateRecord();
    const double prezzo = common::PrezzoUnitarioDaTotale(1, q->fieldByName(QStringLiteral("PrezzoCompleto")).asFloat(),
                                                         q->fieldByName(QStringLiteral("AliquotaIva")).asFloat(),
                                                         q->fieldByName(QStringLiteral("Sconto")).asFloat(), 0, 0, 0);
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("Prezzo")).setAsFloat(prezzo);
    DatiModificati = true;
}

void TForm3::showEvent(QShowEvent *e)
{
    forms::DetailForm::showEvent(e);
    // A point typed in a price becomes the decimal comma, as in every amount of the program.
    for (ui::DBEdit *prezzo : {DBEdit3, DBEdit4, DBEdit6})
        m_editing->markAmountField(prezzo);
}

bool TForm3::controllaSalvataggio()
{
    const std::pair<QWidget *, QString> controlli[] = {
        {DBLookupComboBox2, QStringLiteral("Attenzione manca l'IVA")},
        {DBLookupComboBox9, QStringLiteral("Attenzione manca il tipo di tariffa")},
        {DBLookupComboBox10, QStringLiteral("Attenzione manca la tipologia di Fatturazione")},
        {DBEdit3, QStringLiteral("Attenzione manca il Valore unitario")},
        {DBEdit2, QStringLiteral("Attenzione manca la Descrizione")}};
    for (const auto &[campo, messaggio] : controlli) {
        const auto *l = qobject_cast<QComboBox *>(campo);
        const bool vuoto = l ? l->currentText().isEmpty() : static_cast<QLineEdit *>(campo)->text().isEmpty();
        if (!vuoto) continue;
        forms::avvisa(this, messaggio, kErrore);
        if (PageControl1) PageControl1->setCurrentIndex(0);
        campo->setFocus();
        return false;
    }
    return true;
}

void TForm3::primaDiSalvare()
{
    db::Query *q = dataset();
    Q_EMIT q->updateRecord();
    if (DBEdit6->text().isEmpty()) {
        if (!q->isEditing()) q->edit();
        q->fieldByName(QStringLiteral("PrezzoFornitore")).setAsFloat(0);
    }
}

namespace {
const bool registrato = forms::registra(Form3, "Form3");
} // namespace

#include "VettureCarburante.h"

#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "operations/services/Rifornimento.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBText.h"
#include "widgets/EditingHelper.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QToolBar>
#include <QToolButton>

namespace {
const QString kErrore = QStringLiteral("Messaggio di errore");
}

TfrmVettureCarburante::TfrmVettureCarburante(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmVettureCarburante");
              c.titolo = QStringLiteral("Carburante x Vetture");
              c.helpContext = 2000;
              c.dataset = form_DB->TableVettureCarburante;
              c.source = form_DB->SourceVettureCarburante;
              c.captionSalva = QStringLiteral("salva");
              return c;
          }(),
          parent)
{
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Data"), QStringLiteral("Data"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Litri"), QStringLiteral("Litri"));
    Button2 = calcola(DBEdit2, QStringLiteral("Button2"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Importo"), QStringLiteral("Importo"));
    Button1 = calcola(DBEdit3, QStringLiteral("Button1"));
    DBLookupComboBox1 = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Scheda"), QStringLiteral("VettureScheda_ID"),
                                       form_DB->SourceVettureSchede, QStringLiteral("Id"), QStringLiteral("Scheda"));
    const auto autista = aggiungiLookup(QStringLiteral("DBLookupComboBox2"), QStringLiteral("Autista"), QStringLiteral("Personale_ID"),
                                        form_DB->SourcePersonale, QStringLiteral("Id"), QStringLiteral("Personale"),
                                        {QStringLiteral("frmGrigliaPersonale"),
                                         {QStringLiteral("SpeedButton2"), QStringLiteral("Modifica l'Autista")},
                                         {QStringLiteral("SpeedButton1"), QStringLiteral("Aggiungi un Autista")}});
    DBLookupComboBox2 = autista.lookup;
    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("KM arrivo"), QStringLiteral("KmArrivo"));
    DBEdit5 = aggiungiEdit(QStringLiteral("DBEdit5"), QStringLiteral("KM partenza"), QStringLiteral("KmPartenza"));
    DBText1 = new ui::DBText(this);
    DBText1->setObjectName(QStringLiteral("DBText1"));
    DBText1->setDataSource(form_DB->SourceVettureCarburante);
    DBText1->setDataField(QStringLiteral("KmDifferenza"));
    aggiungiRiga(QStringLiteral("KM Differenza"), DBText1);
    const auto punto = aggiungiLookup(QStringLiteral("DBLookupComboBox3"), QStringLiteral("Rifornimento"),
                                      QStringLiteral("Rifornimento_ID"), form_DB->SourceRifornimenti, QStringLiteral("Id"),
                                      QStringLiteral("Descrizione"),
                                      {QStringLiteral("frmGrigliaRifornimenti"),
                                       {QStringLiteral("SpeedButton4"), QStringLiteral("Modifica il Rifornimento")},
                                       {QStringLiteral("SpeedButton3"), QStringLiteral("Aggiungi un Rifornimento")}});
    DBLookupComboBox3 = punto.lookup;
    DBEdit6 = aggiungiEdit(QStringLiteral("DBEdit6"), QStringLiteral("Note"), QStringLiteral("Note"));
    for (const auto &[b, lista] : {std::pair{autista.modifica, "frmGrigliaPersonale"}, std::pair{autista.aggiungi, "frmGrigliaPersonale"},
                                   std::pair{punto.modifica, "frmGrigliaRifornimenti"}, std::pair{punto.aggiungi, "frmGrigliaRifornimenti"}}) {
        b->setProperty("listaForm", QString::fromLatin1(lista));
        pulsantiLookup << b;
    }
    for (ui::DBLookupComboBox *l : {DBLookupComboBox1, DBLookupComboBox2, DBLookupComboBox3})
        connect(l, &ui::DBLookupComboBox::cleared, this, [this] { DatiModificati = true; });

    // This editor's save moves the tank's stock with the row: the family's save is replaced.
    disconnect(spdSalva, nullptr, this, nullptr);
    connect(spdSalva, &QToolButton::clicked, this, &TfrmVettureCarburante::spdSalvaClick);
    disconnect(spdAnnulla, nullptr, this, nullptr);
    connect(spdAnnulla, &QToolButton::clicked, this, &TfrmVettureCarburante::spdAnnullaClick);
    connect(Button1, &QToolButton::clicked, this, &TfrmVettureCarburante::Button1Click);
    connect(Button2, &QToolButton::clicked, this, &TfrmVettureCarburante::Button2Click);
}

QToolButton *TfrmVettureCarburante::calcola(ui::DBEdit *campo, const QString &nome)
{
    // The edit and its button share the edit's row of the form.
    QFormLayout *f = nullptr;
    for (QFormLayout *l : findChildren<QFormLayout *>())
        if (l->indexOf(campo) >= 0) f = l;
    auto *riga = new QWidget(this);
    f->replaceWidget(campo, riga);
    auto *h = new QHBoxLayout(riga);
    h->setContentsMargins(0, 0, 0, 0);
    campo->setParent(riga);
    auto *b = ui::toolButton(riga, nome, QStringLiteral("Calcola"), QString(), "accessories-calculator", QStyle::SP_FileIcon);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon); // the row keeps an edit's height
    h->addWidget(campo, 1);
    h->addWidget(b);
    return b;
}

void TfrmVettureCarburante::showEvent(QShowEvent *e)
{
    const bool prima = m_editing == nullptr;
    forms::DetailForm::showEvent(e);
    if (prima && m_editing) {
        m_editing->markAmountField(DBEdit2);
        m_editing->markAmountField(DBEdit3);
    }
    for (QToolButton *b : pulsantiLookup) {
        const forms::VoceForm *v = forms::Registro::istanza().voce(b->property("listaForm").toString());
        b->setEnabled(v && v->corrente());
    }
}

void TfrmVettureCarburante::spdSalvaClick()
{
    SalvataggioFallito = false;
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    Q_EMIT q->updateRecord();
    for (const auto &[campo, messaggio] : {std::pair{DBEdit1, "Attenzione manca la Data"}, std::pair{DBEdit3, "Attenzione manca l' Importo"},
                                           std::pair{DBEdit2, "Attenzione mancano i Litri"}}) {
        if (campo->text().isEmpty()) {
            forms::avvisa(this, QString::fromUtf8(messaggio), kErrore);
            campo->setFocus();
            SalvataggioFallito = true;
            return;
        }
    }
    q->edit();
    q->fieldByName(QStringLiteral("KmDifferenza"))
        .setAsFloat(rifornimenti::kmDifferenza(q->fieldByName(QStringLiteral("KmPartenza")).value(),
                                               q->fieldByName(QStringLiteral("KmArrivo")).value()));
    const qint64 id = q->fieldByName(QStringLiteral("ID")).asLargeInt();
    db::Connection &c = form_DB->Connessione;
    db::Query *v = form_DB->TableVetture;
    rifornimenti::EsitoSalvataggio esito;
    try {
        // The refuelling, its tank and the odometer it moves are stored together, or nothing.
        esito = rifornimenti::salva(c, id, rifornimenti::lavoraCisterne(c), [q, v] {
            if (!common::SalvaRecord(*q, QStringLiteral("Id"))) return false;
            // The latest refuelling moves the vehicle's odometer.
            const double km = q->fieldByName(QStringLiteral("KmPartenza")).asFloat();
            if (q->currentIndex() != 0 || !(km > 0) || v->isEmpty()) return true;
            v->edit();
            v->fieldByName(QStringLiteral("Chilometri")).setAsFloat(km);
            return common::SalvaRecord(*v, QStringLiteral("Id"));
        });
    } catch (const db::DbError &e) {
        // Nothing was stored: the row shows again what the database holds.
        if (q->isEditing()) q->cancel();
        if (v->isEditing()) v->cancel();
        common::RicaricaDataset(*q, QStringLiteral("ID"));
        ui::showError(e.message(), kErrore, this);
        SalvataggioFallito = true;
        return;
    }
    if (!esito.salvato) {
        // The odometer waits for the refuelling's save; the refuelling keeps what was typed.
        if (v->isEditing()) v->cancel();
        if (esito.vetturaMancante) ui::showError(rifornimenti::messaggioVetturaMancante(), kErrore, this);
        SalvataggioFallito = true;
        return;
    }
    if (esito.movimentoCisterna != 0 && form_DB->TableCisterne->isActive())
        common::RicaricaDataset(*form_DB->TableCisterne, QStringLiteral("ID"));
    DatiModificati = false;
}

void TfrmVettureCarburante::spdIndietroClick()
{
    if (DatiModificati) {
        spdSalvaClick();
        if (SalvataggioFallito) return;
    }
    accept();
}

void TfrmVettureCarburante::spdAnnullaClick()
{
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler annullare l'inserimento ?"))) return;
    DatiModificati = false;
    db::Query *q = dataset();
    if (q->isEditing()) q->cancel();
    if (!q->isEmpty()) {
        // Through the refuelling's delete: whatever litres it holds go back to its tank.
        const qint64 id = q->fieldByName(QStringLiteral("ID")).asLargeInt();
        const int posizione = q->currentIndex();
        db::Connection &c = form_DB->Connessione;
        if (rifornimenti::elimina(c, id, rifornimenti::lavoraCisterne(c)).litriRestituiti != 0 && form_DB->TableCisterne->isActive())
            common::RicaricaDataset(*form_DB->TableCisterne, QStringLiteral("ID"));
        q->requery();
        if (!q->isEmpty()) q->setCurrentIndex(qBound(0, posizione - 1, q->recordCount() - 1));
    }
    accept();
}

std::optional<double> TfrmVettureCarburante::prezzoDellaVettura()
{
    const qint64 vettura = form_DB->TableVetture->isEmpty() ? 0 : form_DB->TableVetture->fieldByName(QStringLiteral("ID")).asLargeInt();
    const std::optional<double> prezzo = rifornimenti::prezzoCarburante(form_DB->Connessione, vettura);
    if (!prezzo)
        forms::avvisa(this, QStringLiteral("Attenzione non è possibile calcolare il prezzo del carburante per il veicolo!!! "), kErrore);
    return prezzo;
}

void TfrmVettureCarburante::Button1Click()
{
    if (DBEdit2->text().isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione Inserire i Litri prima di poter calcolare il prezzo!!! "), kErrore);
        DBEdit2->setFocus();
        return;
    }
    const std::optional<double> prezzo = prezzoDellaVettura();
    if (!prezzo) return;
    db::Query *q = dataset();
    Q_EMIT q->updateRecord();
    q->edit();
    q->fieldByName(QStringLiteral("Importo"))
        .setAsFloat(rifornimenti::importoDaLitri(*prezzo, q->fieldByName(QStringLiteral("Litri")).asFloat()));
    DatiModificati = true;
}

void TfrmVettureCarburante::Button2Click()
{
    if (DBEdit3->text().isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione Inserire l'importo prima di poter calcolare la quantità di litri!!! "), kErrore);
        DBEdit3->setFocus();
        return;
    }
    const std::optional<double> prezzo = prezzoDellaVettura();
    if (!prezzo) return;
    db::Query *q = dataset();
    Q_EMIT q->updateRecord();
    const std::optional<double> litri = rifornimenti::litriDaImporto(*prezzo, q->fieldByName(QStringLiteral("Importo")).asFloat());
    if (!litri) {
        // A price of 0 buys no definite quantity: nothing is written.
        forms::avvisa(this, QStringLiteral("Attenzione il prezzo del carburante del veicolo è zero: non è possibile calcolare i litri!!! "),
                      kErrore);
        return;
    }
    q->edit();
    q->fieldByName(QStringLiteral("Litri")).setAsFloat(*litri);
    DatiModificati = true;
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmVettureCarburante, "frmVettureCarburante");
} // namespace

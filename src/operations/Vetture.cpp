#include "Vetture.h"
#include "VettureDettaglio.h"

#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "operations/services/Rifornimento.h"
#include "operations/services/Vetture.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>

TfrmVetture::TfrmVetture(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmVetture");
              c.titolo = QStringLiteral("Vetture");
              c.helpContext = 1900;
              c.dataset = form_DB->TableVetture;
              c.source = form_DB->SourceVetture;
              c.colonne = {{QStringLiteral("Modello"), QStringLiteral("Marca"), 140},
                           {QStringLiteral("VeicoloDesc"), QStringLiteral("Tipo Veicolo"), 160},
                           {QStringLiteral("Colore"), QStringLiteral("Colore"), 100},
                           {QStringLiteral("Targa"), QStringLiteral("Targa"), 100},
                           {QStringLiteral("NumTelaio"), QStringLiteral("NumTelaio"), 150},
                           {QStringLiteral("DataImmatricolazione"), QStringLiteral("Data Immatr."), 100},
                           {QStringLiteral("Chilometri"), QStringLiteral("Chilometri"), 90}};
              c.ricerca = {{QStringLiteral("Edit2"), QStringLiteral("N° Telaio"), QStringLiteral("NumTelaio")},
                           {QStringLiteral("Edit3"), QStringLiteral("Tipo Veicolo"), QStringLiteral("VeicoloDesc")},
                           {QStringLiteral("Edit4"), QStringLiteral("Targa"), QStringLiteral("Targa")},
                           {QStringLiteral("txtModello"), QStringLiteral("Marca"), QStringLiteral("Modello")}};
              c.titoloRicerca = QStringLiteral("Cerca Per:");
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la Vettura?");
              c.nomeGriglia = QStringLiteral("frmVetture");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.descrizioneSpazio = false;
              c.chiavePredefiniti = QStringLiteral("Vetture");
              c.eliminaSenzaConferma = true;
              return c;
          }(),
          parent)
{
    resize(900, 560);
    Edit2 = casella(QStringLiteral("Edit2"));
    Edit3 = casella(QStringLiteral("Edit3"));
    Edit4 = casella(QStringLiteral("Edit4"));
    txtModello = casella(QStringLiteral("txtModello"));
    // The two dates below the text boxes: each counts once it holds a whole date.
    QGridLayout *g = grigliaRicerca();
    QWidget *gruppo = gruppoRicerca();
    auto data = [&](const char *nome, const char *etichetta, int col) {
        auto *l = new QLabel(QString::fromUtf8(etichetta), gruppo);
        auto *e = new QLineEdit(gruppo);
        e->setObjectName(QString::fromLatin1(nome));
        e->setInputMask(QStringLiteral("99/99/0000;_"));
        e->setMaximumWidth(110);
        l->setBuddy(e);
        g->addWidget(l, 2, col);
        g->addWidget(e, 3, col);
        connect(e, &QLineEdit::textChanged, this, &TfrmVetture::Edit1Change);
        return e;
    };
    maskDaData = data("maskDaData", "Da Data immatricolaz", 0);
    maskAData = data("maskAData", "Alla Data di immatricolaz.", 1);

    btnRequery = ui::toolButton(this, QStringLiteral("btnRequery"), QStringLiteral("REquery"), QString(), "view-refresh",
                                QStyle::SP_BrowserReload);
    btnRequery->setVisible(false);
    connect(btnRequery, &QToolButton::clicked, this, &TfrmVetture::btnRequeryClick);
    // "Ricarica" also re-reads the vehicle types.
    disconnect(spdAggiorna, nullptr, this, nullptr);
    connect(spdAggiorna, &QToolButton::clicked, this, &TfrmVetture::spdAggiornaClick);
}

QString TfrmVetture::filtroRicerca() const
{
    // The masked boxes show their blanks as "_".
    const auto data = [](const QLineEdit *e) { return e->displayText().replace(u'_', u' '); };
    return vetture::filtroElenco({Edit2->text(), Edit3->text(), data(maskDaData), data(maskAData), Edit4->text(),
                                  txtModello->text()});
}

void TfrmVetture::svuotaRicerca()
{
    for (QLineEdit *e : {Edit2, Edit3, maskDaData, maskAData, Edit4, txtModello}) {
        const QSignalBlocker quiet(e);
        e->clear();
    }
}

void TfrmVetture::spdAggiornaClick()
{
    form_DB->TableVeicoli->requery();
    form_DB->TableVetture->requery();
}

void TfrmVetture::btnRequeryClick()
{
    const qint64 id = form_DB->TableVetture->isEmpty() ? 0 : form_DB->TableVetture->fieldByName(QStringLiteral("ID")).asLargeInt();
    const QString chiave = QString::number(id);
    const struct {
        db::Query *q;
        QString sql;
    } sotto[] = {
        {form_DB->TableVettureScadenze,
         QStringLiteral("select * from VettureScadenze where Vettura_ID = ") + chiave + QStringLiteral(" order by DataScadenza desc")},
        {form_DB->TableVettureSchede,
         QStringLiteral("select * from VettureSchede where Vettura_ID = ") + chiave + QStringLiteral(" order by Scheda, numero")},
        {form_DB->TableVettureCarburante,
         QStringLiteral("select * from VettureCarburante where Vettura_ID = ") + chiave + QStringLiteral(" order by Data desc")},
        {form_DB->TableVettureCosti,
         QStringLiteral("select * from VettureCosti where Vettura_ID = ") + chiave + QStringLiteral(" order by Data desc")},
    };
    for (const auto &s : sotto) {
        s.q->setFilter(QString());
        s.q->close();
        s.q->setSql(s.sql);
        s.q->open();
    }
}

void TfrmVetture::spdAvantiClick()
{
    if (ModalitaScelta) {
        forms::ListForm::spdAvantiClick();
        return;
    }
    if (form_DB->TableVetture->recordCount() < 1 || !frmVettureDettaglio) return;
    btnRequeryClick();
    frmVettureDettaglio->mostra(false);
}

void TfrmVetture::spdInserisciClick()
{
    db::Query *q = form_DB->TableVetture;
    q->setFilter(QString());
    q->append();
    q->fieldByName(QStringLiteral("DataImmatricolazione")).setValue(QDateTime(ui::Clock::instance().today(), QTime(0, 0)));
    common::ImpostaValoriPredefiniti(QStringLiteral("Vetture"), *q, *form_DB->TablePersonalizzazioni);
    // Stored at once, although its required fields are empty, so that its sub-records can
    // name it; only the editor's "Annulla" removes it again.
    if (!common::SalvaNuovoRecord(*q, QStringLiteral("Id"))) {
        if (q->isEditing()) q->cancel();
        return;
    }
    if (!frmVettureDettaglio) return;
    frmVettureDettaglio->DatiModificati = true;
    btnRequeryClick();
    frmVettureDettaglio->mostra(true);
}

void TfrmVetture::spdEliminaClick()
{
    db::Query *q = form_DB->TableVetture;
    if (!EliminaSenzaConferma) {
        if (q->recordCount() < 1) return;
        if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare la Vettura?"))) return;
    }
    if (q->isEmpty()) return;
    if (q->isEditing()) q->cancel();
    const qint64 id = q->fieldByName(QStringLiteral("ID")).asLargeInt();
    const int posizione = q->currentIndex();
    db::Connection &c = form_DB->Connessione;
    vetture::elimina(c, id, rifornimenti::lavoraCisterne(c));
    // The row before the deleted one becomes current (the next one after the first).
    q->requery();
    if (!q->isEmpty()) q->setCurrentIndex(qBound(0, posizione - 1, q->recordCount() - 1));
    btnRequeryClick();
    if (form_DB->TableCisterne->isActive()) common::RicaricaDataset(*form_DB->TableCisterne, QStringLiteral("ID"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmVetture, "frmVetture",
                                        {.dettaglio = QStringLiteral("frmVettureDettaglio"),
                                         .griglie = {{QStringLiteral("frmVetture")}}});
} // namespace

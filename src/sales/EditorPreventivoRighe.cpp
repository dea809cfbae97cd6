// The rows page of the quote editor and the quote's totals.
#include "EditorPreventivo.h"

#include "common/GridLayouts.h"
#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/DetailForm.h"
#include "forms/Family.h"
#include "forms/GriglieAggiunte.h"
#include "forms/Registro.h"
#include "masterdata/Tariffe.h"
#include "masterdata/TariffeDett.h"
#include "sales/services/Preventivi.h"
#include "sales/services/SalvaRighe.h"
#include "widgets/DBGrid.h"
#include "widgets/DBText.h"
#include "widgets/FieldLink.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kId = QStringLiteral("Id");
const QString kGriglia = QStringLiteral("frmPreventivi_Griglia");

// The row editor is built with the quote editor's header: it is reached by its name.
QWidget *editorRighe()
{
    const forms::VoceForm *v = forms::Registro::istanza().voce(QStringLiteral("frmModificaPreventiviRighe"));
    return v ? v->corrente() : nullptr;
}

// Shows the row editor on the current row of Table11; "Annulla" only for a row just stored.
void mostraEditorRighe(bool nuova)
{
    QWidget *w = editorRighe();
    if (auto *d = qobject_cast<forms::DetailForm *>(w)) {
        d->DatiModificati = nuova;
        d->mostra(nuova);
    } else if (auto *dlg = qobject_cast<QDialog *>(w)) {
        dlg->exec();
    }
}

// At every showing of the editor: the rows grid shows the first 100 characters of a row's
// description (the rows' query is shared), and the buttons that open the row editor wait
// while it is not there.
class PaginaRighe : public QObject {
public:
    explicit PaginaRighe(TfrmPreventivi *form) : QObject(form), m_form(form) { form->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Show || e->type() == QEvent::WindowActivate) {
            form_DB->Table11->setDisplayHook(QStringLiteral("Descrizione"),
                                             [](const QVariant &v) { return Tform_DB::ConvertiMemo(v); });
            const bool editore = editorRighe() != nullptr;
            m_form->spdArticoloNonArchivio->setEnabled(editore);
            m_form->spdAvantiDett->setEnabled(editore);
        }
        return false;
    }

private:
    TfrmPreventivi *m_form;
};

qint64 idRigaCorrente()
{
    db::Query *righe = form_DB->Table11;
    return righe->isEmpty() ? 0 : righe->fieldByName(kId).asLargeInt();
}

// The quote as the editor holds it now (a customer just chosen may not be stored yet).
vendite::TestataPreventivo testataCorrente(db::Query *testata, qint64 id)
{
    vendite::TestataPreventivo t;
    t.id = id;
    t.cliente = testata->fieldByName(QStringLiteral("Cliente_ID")).asLargeInt();
    const db::Field data = testata->fieldByName(QStringLiteral("Data"));
    if (!data.isNull()) t.data = data.value();
    return t;
}

} // namespace

void TfrmPreventivi::creaPaginaRighe()
{
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto *layout = new QVBoxLayout(GroupBox1);

    auto *totale = new QHBoxLayout;
    lblTotalePreventivo = new QLabel(QStringLiteral("Totale Preventivo"), GroupBox1);
    auto *testo = new ui::DBText(GroupBox1);
    testo->setObjectName(QStringLiteral("DBTextTotale"));
    testo->setDataSource(form_DB->Source16);
    testo->setDataField(QStringLiteral("TotalePreventivo"));
    testo->setMinimumWidth(120);
    DBTextTotale = testo;
    QFont grassetto = lblTotalePreventivo->font();
    grassetto.setBold(true);
    lblTotalePreventivo->setFont(grassetto);
    DBTextTotale->setFont(grassetto);
    totale->addStretch(1);
    totale->addWidget(lblTotalePreventivo);
    totale->addWidget(DBTextTotale);

    ToolBar1 = new QToolBar(GroupBox1);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    const QString nuovo = QStringLiteral("Inserisce un nuovo Record");
    spdEliminaDett = ui::toolButton(GroupBox1, QStringLiteral("spdEliminaDett"), QStringLiteral("Eimina"),
                                    QStringLiteral("Elimina il record corrente "), "edit-delete", QStyle::SP_TrashIcon);
    SpeedButton4 = ui::toolButton(GroupBox1, QStringLiteral("SpeedButton4"), QStringLiteral("Supplementi"), nuovo, "list-add",
                                  QStyle::SP_FileDialogNewFolder);
    spdInserisciDett = ui::toolButton(GroupBox1, QStringLiteral("spdInserisciDett"), QStringLiteral("Tariffa"), nuovo,
                                      "document-new", QStyle::SP_FileIcon);
    spdArticoloNonArchivio = ui::toolButton(GroupBox1, QStringLiteral("spdArticoloNonArchivio"),
                                            QStringLiteral("Articolo non in archivio"),
                                            QStringLiteral("Inserisci un articolo non codificato nel tariffario"),
                                            "document-edit", QStyle::SP_FileDialogContentsView);
    spdAvantiDett = ui::toolButton(GroupBox1, QStringLiteral("spdAvantiDett"), QStringLiteral("Avanti"),
                                   QStringLiteral("Sava le modifiche effettuate"), "go-next", QStyle::SP_ArrowForward);
    for (QToolButton *b : {spdEliminaDett, SpeedButton4, spdInserisciDett, spdArticoloNonArchivio, spdAvantiDett})
        ToolBar1->addWidget(b);
    layout->addWidget(ToolBar1);
    layout->addLayout(totale);

    auto *riga = new QHBoxLayout;
    auto *piccoli = new QVBoxLayout;
    SpeedButton15 = ui::toolButton(GroupBox1, QStringLiteral("SpeedButton15"), QString(),
                                   QStringLiteral("Aggiungi una tariffa al tariffario"), "list-add", QStyle::SP_FileDialogNewFolder);
    SpeedButton14 = ui::toolButton(GroupBox1, QStringLiteral("SpeedButton14"), QString(),
                                   QStringLiteral("Apri la tariffa della riga"), "document-open", QStyle::SP_DirOpenIcon);
    piccoli->addWidget(SpeedButton15);
    piccoli->addWidget(SpeedButton14);
    piccoli->addStretch(1);
    riga->addLayout(piccoli);

    DBGrid1 = new ui::DBGrid(GroupBox1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setToolTip(QStringLiteral("Puoi modificare i dati anche dalla griglia o cliccando il Pulsante Destro del Mouse"));
    DBGrid1->setDataSource(form_DB->Source11);
    const std::pair<const char *, std::pair<const char *, int>> colonne[] = {
        {"Um", {"Quantità", 60}},          {"Codice", {"Codice", 100}},         {"Descrizione", {"Descrizione", 414}},
        {"ValoreUnitario", {"Val. Unitario", 82}}, {"Sconto", {"Sconto", 51}}, {"ValoreTotale", {"Prezzo Finale", 86}},
        {"NumeroRiga", {"N° Riga", 81}}};
    for (const auto &[campo, titolo] : colonne)
        DBGrid1->addColumn(QString::fromLatin1(campo), QString::fromUtf8(titolo.first), titolo.second);
    grigliaRighe = DBGrid1;
    riga->addWidget(DBGrid1, 1);
    layout->addLayout(riga, 1);

    PopupMenu1 = new QMenu(DBGrid1);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    SalvaGriglia1 = PopupMenu1->addAction(QStringLiteral("Salva Griglia"), this, &TfrmPreventivi::SalvaGriglia1Click);
    EliminaColonna1 = PopupMenu1->addAction(QStringLiteral("Elimina Colonna"), this, &TfrmPreventivi::EliminaColonna1Click);
    ResetGriglia1 = PopupMenu1->addAction(QStringLiteral("Reset Griglia"), this, &TfrmPreventivi::ResetGriglia1Click);
    DBGrid1->setPopupMenu(PopupMenu1);

    aggiungiRiga(QString(), GroupBox1);
    new PaginaRighe(this);

    connect(spdEliminaDett, &QToolButton::clicked, this, &TfrmPreventivi::spdEliminaDettClick);
    connect(SpeedButton4, &QToolButton::clicked, this, &TfrmPreventivi::SpeedButton4Click);
    connect(spdInserisciDett, &QToolButton::clicked, this, &TfrmPreventivi::spdInserisciDettClick);
    connect(spdArticoloNonArchivio, &QToolButton::clicked, this, &TfrmPreventivi::spdArticoloNonArchivioClick);
    connect(spdAvantiDett, &QToolButton::clicked, this, &TfrmPreventivi::spdAvantiDettClick);
    connect(SpeedButton15, &QToolButton::clicked, this, &TfrmPreventivi::SpeedButton15Click);
    connect(SpeedButton14, &QToolButton::clicked, this, &TfrmPreventivi::SpeedButton14Click);
    connect(DBGrid1, &ui::DBGrid::doubleClicked, this, &TfrmPreventivi::DBGrid1DblClick);
    connect(DBGrid1, &ui::DBGrid::titleClicked, this, &TfrmPreventivi::DBGrid1TitleClick);
}

void TfrmPreventivi::posizionaRiga(qint64 id)
{
    if (id > 0 && idRigaCorrente() != id) form_DB->Table11->locate(kId, id);
}

void TfrmPreventivi::RicalcolaTotaliPreventivo() { aggiornaPreventivo({}); }

bool TfrmPreventivi::aggiornaPreventivo(const std::function<bool(QString &errore)> &scrivi)
{
    const qint64 id = idDocumento();
    if (id <= 0) return false;
    const qint64 riga = idRigaCorrente();
    db::Query *testata = dataset();
    db::Query *righe = form_DB->Table11;
    Q_EMIT testata->updateRecord();
    QString errore;
    try {
        const vendite::EsitoRighe esito = vendite::salvaRighePreventivo(form_DB->Connessione, id, [&] {
            if (scrivi && !scrivi(errore)) return false;
            if (testata->isEditing() && !testata->post()) {
                errore = testata->lastError();
                return false;
            }
            return true;
        });
        if (esito.documentoMancante || esito.rifiutato) {
            // Nothing was stored: the rows are shown as the table holds them, unless one is
            // being edited (the row editor keeps what the user typed).
            if (!righe->isEditing()) righe->requery();
            ui::showError(esito.documentoMancante ? vendite::messaggioDocumentoMancante() : errore,
                          QStringLiteral("Messaggio di errore"), this);
            return false;
        }
        // The header holds the totals the service stored.
        if (testata->isEditing()) testata->cancel();
        common::RicaricaDataset(*testata, kId);
        righe->requery();
    } catch (const db::DbError &e) {
        ui::reportDbError(e, this);
        return false;
    }
    posizionaRiga(riga);
    return true;
}

void TfrmPreventivi::aggiungiDaListino(bool supplementi)
{
    if (!Form2) return;
    const qint64 id = idDocumento();
    if (id <= 0) return;
    db::Query *testata = dataset();
    db::Query *opzioni = form_DB->TableOpzioni;
    QString filtro = QStringLiteral("annullato = false");
    if (!opzioni->isEmpty() && opzioni->fieldByName(QStringLiteral("Inserimento_articoli_FiltraPreventivi_per_cliente")).asBoolean())
        filtro += QStringLiteral(" and Cliente_ID = %1").arg(testata->fieldByName(QStringLiteral("Cliente_ID")).asLargeInt());
    const qint64 tipoTariffa = testata->fieldByName(QStringLiteral("TipoTariffa_Id")).asLargeInt();
    if (supplementi) filtro += QStringLiteral(" and TipoTariffa_Id = 5");
    else if (tipoTariffa > 0) filtro += QStringLiteral(" and TipoTariffa_Id = %1").arg(tipoTariffa);
    const qint64 tipoFatturazione = testata->fieldByName(QStringLiteral("TipoFatturazione_Id")).asLargeInt();
    if (tipoFatturazione > 0) filtro += QStringLiteral(" and TipoFatturazione_Id = %1").arg(tipoFatturazione);

    db::Query *listino = form_DB->Table1;
    listino->setFilter(filtro);
    FiltroTariffe = filtro;
    Form2->SceltaEffettuata = false;
    Form2->exec();
    FiltroTariffe.clear();

    if (Form2->SceltaEffettuata && !TariffeScelte.isEmpty()) {
        try {
            // The rows follow the order the price list showed.
            db::Query scelte(&form_DB->Connessione);
            scelte.setSql(QStringLiteral("SELECT * FROM prezziar ") + TariffeScelte);
            scelte.open();
            scelte.setSort(listino->sort().isEmpty() ? QStringLiteral("Descrizione ASC") : listino->sort());
            QList<qint64> tariffe;
            for (scelte.first(); !scelte.eof(); scelte.next()) {
                const db::Field tariffa = scelte.fieldByName(QStringLiteral("Id"));
                if (!tariffa.isNull()) tariffe << tariffa.asLargeInt();
            }
            if (!tariffe.isEmpty()) {
                const vendite::TestataPreventivo t = testataCorrente(testata, id);
                QList<qint64> scritte;
                aggiornaPreventivo([&](QString &) {
                    scritte = vendite::righeDaTariffePreventivo(form_DB->Connessione, t, tariffe);
                    return true;
                });
                if (!scritte.isEmpty()) posizionaRiga(scritte.last());
            }
        } catch (const db::DbError &e) {
            ui::reportDbError(e, this);
        }
    }
    listino->setFilter(QStringLiteral("Annullato = false"));
    Form2->svuotaCaselle();
}

void TfrmPreventivi::spdInserisciDettClick() { aggiungiDaListino(false); }

void TfrmPreventivi::SpeedButton4Click() { aggiungiDaListino(true); }

void TfrmPreventivi::spdArticoloNonArchivioClick()
{
    const qint64 id = idDocumento();
    // Without the row editor the row could never be completed.
    if (id <= 0 || !editorRighe()) return;
    try {
        // One transaction of its own that finds the quote still there; the totals wait for the
        // row's save.
        const qint64 riga = vendite::rigaLiberaPreventivo(form_DB->Connessione, testataCorrente(dataset(), id));
        form_DB->Table11->requery();
        posizionaRiga(riga);
    } catch (const db::DbError &e) {
        ui::reportDbError(e, this);
        return;
    }
    // The row exists already: the user completes it (its save stores the totals), or removes
    // it with "Annulla".
    mostraEditorRighe(true);
}

void TfrmPreventivi::spdAvantiDettClick()
{
    if (form_DB->Table11->isEmpty()) return;
    mostraEditorRighe(false);
}

void TfrmPreventivi::DBGrid1DblClick() { spdAvantiDettClick(); }

void TfrmPreventivi::spdEliminaDettClick()
{
    db::Query *righe = form_DB->Table11;
    if (righe->isEmpty()) return;
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare la riga?"))) return;
    if (righe->isEditing()) righe->cancel();
    // The row and the totals it leaves go together.
    aggiornaPreventivo([righe](QString &) {
        common::EliminaRecord(*righe, kId);
        return true;
    });
}

void TfrmPreventivi::DBGrid1TitleClick(const QString &campo)
{
    // The description is not sorted: a click on its title does nothing.
    if (campo.compare(QLatin1String("Descrizione"), Qt::CaseInsensitive) == 0) return;
    db::Query *righe = form_DB->Table11;
    const QString attuale = righe->sort();
    righe->setSort(campo + (attuale.endsWith(QLatin1String("ASC")) ? QStringLiteral(" DESC") : QStringLiteral(" ASC")));
}

void TfrmPreventivi::SalvaGriglia1Click()
{
    common::SalvaGriglia(kGriglia, *DBGrid1, *form_DB->TableGriglie, false, NomeComputerLocale);
}

void TfrmPreventivi::EliminaColonna1Click()
{
    const int col = DBGrid1->selectedColumn();
    if (col >= 0) DBGrid1->removeColumn(col);
}

void TfrmPreventivi::ResetGriglia1Click()
{
    common::CaricaGriglia(kGriglia, *DBGrid1, *form_DB->TableGriglie, true, false, NomeComputerLocale);
    SalvaGriglia1Click();
}

void TfrmPreventivi::SpeedButton15Click()
{
    // A new tariff for the price list; the quote gets no row from it.
    if (Form2) Form2->spdInserisciClick();
}

void TfrmPreventivi::SpeedButton14Click()
{
    db::Query *righe = form_DB->Table11;
    if (righe->isEmpty() || !Form3) return;
    const db::Field articolo = righe->fieldByName(QStringLiteral("Articolo_ID"));
    // A free row has no tariff.
    if (articolo.isNull() || articolo.asLargeInt() == 0) return;
    // A tariff the price list's filter hides is not found, and nothing opens.
    if (form_DB->Table1->locate(QStringLiteral("Id"), articolo.asLargeInt())) Form3->mostra();
}

namespace {
// The rows grid's saved layout is restored at start-up with the editor's.
const bool grigliaDichiarata = forms::dichiaraGriglia(QStringLiteral("frmPreventivi"), {kGriglia, QStringLiteral("DBGrid1")});
} // namespace

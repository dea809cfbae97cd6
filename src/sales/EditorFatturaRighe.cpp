// The rows page of the sales-invoice editor and the invoice's totals.
#include "EditorFattura.h"
#include "ModificaFatture.h"

#include "common/GridLayouts.h"
#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/DatiCollegati.h"
#include "forms/Family.h"
#include "masterdata/Tariffe.h"
#include "masterdata/TariffeDett.h"
#include "sales/services/RigheFattura.h"
#include "sales/services/SalvaRighe.h"
#include "sales/services/Scadenze.h"
#include "sales/services/Totali.h"
#include "widgets/DBGrid.h"
#include "widgets/Seams.h"
#include "widgets/FieldLink.h"
#include "widgets/ToolButton.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kIdx = QStringLiteral("Idx");

// The rows grid shows the first 100 characters of a row's description: the hook is set again
// at every showing of the editor, since the rows' query is shared.
class DescrizioneBreve : public QObject {
public:
    explicit DescrizioneBreve(QWidget *form) : QObject(form) { form->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Show || e->type() == QEvent::WindowActivate)
            form_DB->Table4->setDisplayHook(QStringLiteral("Descrizione"),
                                            [](const QVariant &v) { return Tform_DB::ConvertiMemo(v); });
        return false;
    }
};

} // namespace

void TForm7::creaPaginaRighe()
{
    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto *layout = new QVBoxLayout(GroupBox2);

    ToolBar1 = new QToolBar(GroupBox2);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    const QString nuovo = QStringLiteral("Inserisce un nuovo Record");
    spdEliminaDett = ui::toolButton(GroupBox2, QStringLiteral("spdEliminaDett"), QStringLiteral("Elimina"),
                                    QStringLiteral("Elimina il record corrente "), "edit-delete", QStyle::SP_TrashIcon);
    spdInserisciSupplementi = ui::toolButton(GroupBox2, QStringLiteral("spdInserisciSupplementi"),
                                             QStringLiteral("Aggiungi Supplemento"), nuovo, "list-add", QStyle::SP_FileDialogNewFolder);
    spdInserisciDett = ui::toolButton(GroupBox2, QStringLiteral("spdInserisciDett"), QStringLiteral("Aggiungi Tariffa"), nuovo,
                                      "document-new", QStyle::SP_FileIcon);
    SpeedButton1 = ui::toolButton(GroupBox2, QStringLiteral("SpeedButton1"), QStringLiteral("Spese di Trasporto"), QString(),
                                  "go-next", QStyle::SP_ArrowRight);
    SpeedButton25 = ui::toolButton(GroupBox2, QStringLiteral("SpeedButton25"), QStringLiteral("Spese di Incasso"), QString(),
                                   "accessories-calculator", QStyle::SP_DialogApplyButton);
    spdArticoloNonArchivio = ui::toolButton(GroupBox2, QStringLiteral("spdArticoloNonArchivio"),
                                            QStringLiteral("Articolo non in archivio"),
                                            QStringLiteral("Inserisci un articolo non codificato nel tariffario"),
                                            "document-edit", QStyle::SP_FileDialogContentsView);
    spdAvantiDett = ui::toolButton(GroupBox2, QStringLiteral("spdAvantiDett"), QStringLiteral("Modifica"),
                                   QStringLiteral("Sava le modifiche effettuate"), "document-properties",
                                   QStyle::SP_FileDialogDetailedView);
    for (QToolButton *b : {spdEliminaDett, spdInserisciSupplementi, spdInserisciDett, SpeedButton1, SpeedButton25,
                           spdArticoloNonArchivio, spdAvantiDett})
        ToolBar1->addWidget(b);
    layout->addWidget(ToolBar1);

    auto *riga = new QHBoxLayout;
    auto *piccoli = new QVBoxLayout;
    SpeedButton15 = ui::toolButton(GroupBox2, QStringLiteral("SpeedButton15"), QString(),
                                   QStringLiteral("Aggiungi una tariffa al tariffario"), "list-add", QStyle::SP_FileDialogNewFolder);
    SpeedButton14 = ui::toolButton(GroupBox2, QStringLiteral("SpeedButton14"), QString(),
                                   QStringLiteral("Apri la tariffa della riga"), "document-open", QStyle::SP_DirOpenIcon);
    piccoli->addWidget(SpeedButton15);
    piccoli->addWidget(SpeedButton14);
    piccoli->addStretch(1);
    riga->addLayout(piccoli);

    DBGrid2 = new ui::DBGrid(GroupBox2);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setToolTip(QStringLiteral("Puoi modificare i dati anche dalla griglia o cliccando il Pulsante Destro del Mouse"));
    DBGrid2->setDataSource(form_DB->Source4);
    const std::pair<const char *, std::pair<const char *, int>> colonne[] = {
        {"Targa1", {"Mezzo", 96}},          {"Descrizione", {"Descrizione", 417}},
        {"Um", {"Quantità", 61}},           {"ValoreUnitario", {"Valore Unitario", 104}},
        {"Sconto", {"Sconto", 50}},         {"RIFDDT", {"Rif. Doc.", 105}},
        {"DataDDT", {"Data Doc.", 84}},     {"NumeroRiga", {"N° riga", 50}},
        {"Note", {"Note", 210}}};
    for (const auto &[campo, titolo] : colonne)
        DBGrid2->addColumn(QString::fromLatin1(campo), QString::fromUtf8(titolo.first), titolo.second);
    grigliaRighe = DBGrid2;
    riga->addWidget(DBGrid2, 1);
    layout->addLayout(riga, 1);

    PopupMenu1 = new QMenu(DBGrid2);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    SalvaGriglia1 = PopupMenu1->addAction(QStringLiteral("Salva Griglia"), this, &TForm7::SalvaGriglia1Click);
    EliminaColonna1 = PopupMenu1->addAction(QStringLiteral("Elimina Colonna"), this, &TForm7::EliminaColonna1Click);
    ResetGriglia1 = PopupMenu1->addAction(QStringLiteral("Reset Griglia"), this, &TForm7::ResetGriglia1Click);
    DBGrid2->setPopupMenu(PopupMenu1);

    aggiungiRiga(QString(), GroupBox2);
    new DescrizioneBreve(this);

    connect(spdEliminaDett, &QToolButton::clicked, this, &TForm7::spdEliminaDettClick);
    connect(spdInserisciSupplementi, &QToolButton::clicked, this, &TForm7::spdInserisciSupplementiClick);
    connect(spdInserisciDett, &QToolButton::clicked, this, &TForm7::spdInserisciDettClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm7::SpeedButton1Click);
    connect(SpeedButton25, &QToolButton::clicked, this, &TForm7::SpeedButton25Click);
    connect(spdArticoloNonArchivio, &QToolButton::clicked, this, &TForm7::spdArticoloNonArchivioClick);
    connect(spdAvantiDett, &QToolButton::clicked, this, &TForm7::spdAvantiDettClick);
    connect(SpeedButton15, &QToolButton::clicked, this, &TForm7::SpeedButton15Click);
    connect(SpeedButton14, &QToolButton::clicked, this, &TForm7::SpeedButton14Click);
    connect(DBGrid2, &ui::DBGrid::doubleClicked, this, &TForm7::DBGrid2DblClick);
    connect(DBGrid2, &ui::DBGrid::titleClicked, this, &TForm7::DBGrid2TitleClick);
}

void TForm7::SpeedButton3Click() { aggiornaDocumento({}); }

void TForm7::dopoAggiornamento(bool salvato)
{
    // The invoice's header stays open for editing once read again.
    if (salvato && !dataset()->isEmpty() && !dataset()->isEditing()) dataset()->edit();
}

void TForm7::aggiungiDaListino(bool supplementi)
{
    if (!Form2) return;
    const qint64 id = idDocumento();
    if (id <= 0) return;
    db::Query *testata = dataset();
    db::Query *opzioni = form_DB->TableOpzioni;
    QString filtro = QStringLiteral("annullato = false");
    if (!opzioni->isEmpty()
        && opzioni->fieldByName(QStringLiteral("Inserimento_articoli_FiltraTuttiDocumenti_per_cliente")).asBoolean())
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
            for (scelte.first(); !scelte.eof(); scelte.next()) tariffe << scelte.fieldByName(QStringLiteral("Id")).asLargeInt();
            if (!tariffe.isEmpty()) {
                QList<qint64> scritte;
                aggiornaDocumento([&](QString &) {
                    scritte = vendite::righeDaTariffe(form_DB->Connessione, id, tariffe);
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

void TForm7::spdInserisciDettClick() { aggiungiDaListino(false); }

void TForm7::spdInserisciSupplementiClick() { aggiungiDaListino(true); }

void TForm7::aggiungiRigaSpeciale(int tipo)
{
    const qint64 id = idDocumento();
    if (id <= 0) return;
    qint64 idx = 0;
    const bool scritta = aggiornaDocumento([&](QString &) {
        idx = vendite::rigaSpeciale(form_DB->Connessione, id, static_cast<vendite::RigaSpeciale>(tipo));
        return true;
    });
    if (!scritta) return;
    posizionaRiga(idx);
    if (!frmModificaFatture) return;
    // The row exists already: the user completes it, or removes it with "Annulla".
    frmModificaFatture->DatiModificati = true;
    frmModificaFatture->mostra(true);
}

void TForm7::SpeedButton1Click() { aggiungiRigaSpeciale(int(vendite::RigaSpeciale::SpeseTrasporto)); }

void TForm7::SpeedButton25Click() { aggiungiRigaSpeciale(int(vendite::RigaSpeciale::SpeseIncasso)); }

void TForm7::spdArticoloNonArchivioClick() { aggiungiRigaSpeciale(int(vendite::RigaSpeciale::Articolo)); }

void TForm7::spdAvantiDettClick()
{
    if (form_DB->Table4->isEmpty() || !frmModificaFatture) return;
    frmModificaFatture->DatiModificati = false;
    frmModificaFatture->mostra(false);
}

void TForm7::DBGrid2DblClick() { spdAvantiDettClick(); }

void TForm7::spdEliminaDettClick()
{
    db::Query *righe = form_DB->Table4;
    if (righe->isEmpty()) return;
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare il record ?"))) return;
    if (righe->isEditing()) righe->cancel();
    // The row and the totals it leaves go together.
    aggiornaDocumento([righe](QString &) {
        common::EliminaRecord(*righe, kIdx);
        return true;
    });
}

void TForm7::DBGrid2TitleClick(const QString &campo)
{
    // The description is not sorted: a click on its title does nothing.
    if (campo.compare(QLatin1String("Descrizione"), Qt::CaseInsensitive) == 0) return;
    db::Query *righe = form_DB->Table4;
    const QString attuale = righe->sort();
    righe->setSort(campo + (attuale.endsWith(QLatin1String("ASC")) ? QStringLiteral(" DESC") : QStringLiteral(" ASC")));
}

void TForm7::SalvaGriglia1Click()
{
    common::SalvaGriglia(QStringLiteral("Form7_DBGrid2"), *DBGrid2, *form_DB->TableGriglie, false, NomeComputerLocale);
}

void TForm7::EliminaColonna1Click()
{
    const int col = DBGrid2->selectedColumn();
    if (col >= 0) DBGrid2->removeColumn(col);
}

void TForm7::ResetGriglia1Click()
{
    common::CaricaGriglia(QStringLiteral("Form7_DBGrid2"), *DBGrid2, *form_DB->TableGriglie, true, false, NomeComputerLocale);
    SalvaGriglia1Click();
}

void TForm7::SpeedButton15Click()
{
    // A new tariff for the price list; the invoice gets no row from it.
    if (Form2) Form2->spdInserisciClick();
}

void TForm7::SpeedButton14Click()
{
    db::Query *righe = form_DB->Table4;
    if (righe->isEmpty() || !Form3) return;
    const db::Field articolo = righe->fieldByName(QStringLiteral("Articolo_ID"));
    if (articolo.isNull() || articolo.asLargeInt() == 0) return;
    // A tariff the price list's filter hides is not found, and nothing opens.
    if (form_DB->Table1->locate(QStringLiteral("Id"), articolo.asLargeInt())) Form3->mostra();
}

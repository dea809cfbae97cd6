#include "PagaFatture.h"

#include "common/Decimale.h"
#include "core/Clock.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "widgets/DBGrid.h"
#include "widgets/FieldLink.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const int kContestoGuida = 9000;
const QString kFiltroAperte = QStringLiteral("TemporaneaSelezionata=false");

db::Query *aperte() { return form_DB->TableScadenzeCumulative; }
db::Query *selezione() { return form_DB->TableTempScadenzeCumulative; }

// The system's general number format: no thousands separators, as many decimals as needed.
QString numero(double v) { return QString::number(v, 'g', 15).replace(u'.', u','); }

// The instalments' amounts of the rows the dataset shows, added at their decimal value and
// rounded to the cent once: a double sum of 6.61 and 19.365 reads 25.97 instead of 25.98.
common::Decimale sommaImporti(db::Query *q)
{
    const int colonna = q->fieldIndex(QStringLiteral("Importo"));
    common::Decimale totale;
    for (int r = 0; r < q->recordCount(); ++r) totale += common::Decimale::daVariant(q->valueAt(r, colonna));
    return totale.centesimi();
}

QPushButton *pulsante(QWidget *parent, const QString &nome, const QString &testo)
{
    auto *b = new QPushButton(testo, parent);
    b->setObjectName(nome);
    b->setAutoDefault(false);
    return b;
}

ui::DBGrid *griglia(QWidget *parent, const QString &nome, db::DataSource *sorgente)
{
    auto *g = new ui::DBGrid(parent);
    g->setObjectName(nome);
    g->setDataSource(sorgente);
    g->addColumn(QStringLiteral("DataScadenza"), QStringLiteral("Data Scad."), 90);
    g->addColumn(QStringLiteral("Operazione"), QStringLiteral("Operazione"), 320);
    g->addColumn(QStringLiteral("Importo"), QStringLiteral("Importo"), 90);
    return g;
}

// Sorts a grid's dataset by a clicked title: descending when the current sort, whatever column
// it names, is ascending; ascending otherwise.
void ordina(db::Query *q, const QString &campo)
{
    if (!q->isActive()) return;
    q->setSort(campo + (q->sort().endsWith(QLatin1String("ASC")) ? QStringLiteral(" DESC") : QStringLiteral(" ASC")));
}

void apriORileggi(db::Query *q)
{
    if (q->isActive())
        q->requery();
    else
        q->open();
}

} // namespace

TfrmPagaFatture::TfrmPagaFatture(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPagaFatture"));
    setWindowTitle(QStringLiteral("Paga fatture"));
    setProperty("helpContext", kContestoGuida);
    resize(1000, 560);
    auto *layout = new QVBoxLayout(this);
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    spdHelp = ui::pulsanteAiuto(this);
    spdIndietro = ui::pulsanteIndietro(this);
    ToolBar1->addWidget(spdHelp);
    ToolBar1->addWidget(spdIndietro);
    layout->addWidget(ToolBar1);

    auto *griglie = new QHBoxLayout;
    auto *gruppo1 = new QGroupBox(QStringLiteral("Scadenze fatture"), this);
    auto *l1 = new QVBoxLayout(gruppo1);
    DBGrid1 = griglia(gruppo1, QStringLiteral("DBGrid1"), form_DB->SourceScadenzeCumulative);
    l1->addWidget(DBGrid1);
    griglie->addWidget(gruppo1, 1);

    auto *pulsanti = new QVBoxLayout;
    SpeedButton2 = pulsante(this, QStringLiteral("SpeedButton2"), QStringLiteral("Aggiungi"));
    SpeedButton5 = pulsante(this, QStringLiteral("SpeedButton5"), QStringLiteral("Aggiungi Tutte"));
    SpeedButton3 = pulsante(this, QStringLiteral("SpeedButton3"), QStringLiteral("Togli"));
    SpeedButton4 = pulsante(this, QStringLiteral("SpeedButton4"), QStringLiteral("Togli tutte"));
    pulsanti->addStretch(1);
    for (QPushButton *b : {SpeedButton2, SpeedButton5, SpeedButton3, SpeedButton4}) pulsanti->addWidget(b);
    pulsanti->addStretch(1);
    griglie->addLayout(pulsanti);

    auto *gruppo2 = new QGroupBox(QStringLiteral("Scadenze in pagamento"), this);
    auto *l2 = new QVBoxLayout(gruppo2);
    DBGrid2 = griglia(gruppo2, QStringLiteral("DBGrid2"), form_DB->SourceTempScadenzeCumulative);
    l2->addWidget(DBGrid2);
    griglie->addWidget(gruppo2, 1);
    layout->addLayout(griglie, 1);

    auto *totali = new QFormLayout;
    lblTotaleFatture = new QLabel(QStringLiteral("0"), this);
    lblTotaleFatture->setObjectName(QStringLiteral("lblTotaleFatture"));
    lblTotaleInPagamento = new QLabel(QStringLiteral("0"), this);
    lblTotaleInPagamento->setObjectName(QStringLiteral("lblTotaleInPagamento"));
    lblTotaleDaPagare = new QLabel(QStringLiteral("0"), this);
    lblTotaleDaPagare->setObjectName(QStringLiteral("lblTotaleDaPagare"));
    totali->addRow(QStringLiteral("Totale fatture:"), lblTotaleFatture);
    totali->addRow(QStringLiteral("Totale in pagamento:"), lblTotaleInPagamento);
    totali->addRow(QStringLiteral("Totale da pagare:"), lblTotaleDaPagare);
    auto *basso = new QHBoxLayout;
    basso->addLayout(totali);
    basso->addStretch(1);
    SpeedButton1 = pulsante(this, QStringLiteral("SpeedButton1"), QStringLiteral("Paga fatture"));
    basso->addWidget(SpeedButton1);
    layout->addLayout(basso);

    connect(spdHelp, &QToolButton::clicked, this, &TfrmPagaFatture::spdHelpClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmPagaFatture::spdIndietroClick);
    connect(SpeedButton1, &QPushButton::clicked, this, &TfrmPagaFatture::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TfrmPagaFatture::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &TfrmPagaFatture::SpeedButton3Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &TfrmPagaFatture::SpeedButton4Click);
    connect(SpeedButton5, &QPushButton::clicked, this, &TfrmPagaFatture::SpeedButton5Click);
    connect(DBGrid1, &ui::DBGrid::doubleClicked, this, &TfrmPagaFatture::DBGrid1DblClick);
    connect(DBGrid2, &ui::DBGrid::doubleClicked, this, &TfrmPagaFatture::DBGrid2DblClick);
    connect(DBGrid1, &ui::DBGrid::titleClicked, this, &TfrmPagaFatture::DBGrid1TitleClick);
    connect(DBGrid2, &ui::DBGrid::titleClicked, this, &TfrmPagaFatture::DBGrid2TitleClick);
}

bool TfrmPagaFatture::esegui(const std::function<void()> &passo)
{
    try {
        passo();
        return true;
    } catch (const db::DbError &e) {
        ui::reportDbError(e, this);
        // What the database holds now is what the grids must show.
        try {
            rileggi();
        } catch (const db::DbError &) {
        }
        return false;
    }
}

bool TfrmPagaFatture::prepara(pagamenti::Parte parte, qint64 idParte)
{
    TotaleFatture = TotaleInPagamento = TotaleDaPagare = 0;
    bool trovate = false;
    esegui([&] {
        pagamenti::preparaSelezione(form_DB->Connessione, NomeComputerLocale, parte, idParte);
        apriORileggi(selezione());
        db::Query *q = aperte();
        q->close();
        q->setFilter(QString());
        q->setSql(pagamenti::sqlScadenzeAperte(parte));
        q->bind(QStringLiteral(":parte"), idParte);
        q->open();
        trovate = !q->isEmpty();
        if (!trovate) return;
        TotaleFatture = sommaImporti(q).toDouble();
        q->setFilter(kFiltroAperte);
        q->first();
    });
    if (!trovate) {
        forms::avvisa(this, QStringLiteral("Non sono presenti scadenze non pagate"), forms::kAvviso);
        return false;
    }
    // "Totale da pagare" starts at the whole sum: nothing is in payment yet.
    TotaleDaPagare = TotaleFatture;
    mostraTotali();
    return true;
}

void TfrmPagaFatture::apri(bool fornitore, qlonglong idParte)
{
    if (prepara(fornitore ? pagamenti::Parte::Fornitore : pagamenti::Parte::Cliente, idParte)) exec();
}

void TfrmPagaFatture::rileggi()
{
    apriORileggi(selezione());
    if (aperte()->isActive()) aperte()->requery();
}

void TfrmPagaFatture::mostraTotali()
{
    lblTotaleFatture->setText(numero(TotaleFatture));
    lblTotaleInPagamento->setText(numero(TotaleInPagamento));
    lblTotaleDaPagare->setText(numero(TotaleDaPagare));
}

void TfrmPagaFatture::totaleDellaSelezione()
{
    // What is in payment is what the selection holds: an instalment the service skipped (paid
    // or chosen meanwhile) is not counted.
    db::Query *q = selezione();
    const common::Decimale inPagamento = q->isActive() ? sommaImporti(q) : common::Decimale();
    TotaleInPagamento = inPagamento.toDouble();
    TotaleDaPagare = (common::Decimale::daDouble(TotaleFatture) - inPagamento).toDouble();
}

void TfrmPagaFatture::SpeedButton2Click()
{
    db::Query *q = aperte();
    if (!q->isActive() || q->isEmpty()) return;
    const qint64 id = q->fieldByName(QStringLiteral("Id")).asLargeInt();
    esegui([&] {
        pagamenti::aggiungi(form_DB->Connessione, NomeComputerLocale, {id});
        rileggi();
        totaleDellaSelezione();
    });
    mostraTotali();
}

void TfrmPagaFatture::SpeedButton5Click()
{
    db::Query *q = aperte();
    if (!q->isActive() || q->isEmpty()) return;
    QList<qint64> ids;
    for (q->first(); !q->eof(); q->next()) ids << q->fieldByName(QStringLiteral("Id")).asLargeInt();
    esegui([&] {
        // All or none: the service adds them in one transaction.
        pagamenti::aggiungi(form_DB->Connessione, NomeComputerLocale, ids);
        rileggi();
        totaleDellaSelezione();
    });
    mostraTotali();
}

void TfrmPagaFatture::SpeedButton3Click()
{
    db::Query *q = selezione();
    if (!q->isActive() || q->isEmpty()) return;
    const qint64 riga = q->fieldByName(QStringLiteral("id")).asLargeInt();
    esegui([&] {
        pagamenti::togli(form_DB->Connessione, NomeComputerLocale, riga);
        rileggi();
        totaleDellaSelezione();
    });
    mostraTotali();
}

void TfrmPagaFatture::SpeedButton4Click()
{
    db::Query *q = selezione();
    if (!q->isActive() || q->isEmpty()) return;
    esegui([&] {
        pagamenti::togliTutte(form_DB->Connessione, NomeComputerLocale);
        rileggi();
        totaleDellaSelezione();
    });
    mostraTotali();
}

void TfrmPagaFatture::SpeedButton1Click()
{
    db::Query *q = selezione();
    if (!q->isActive() || q->isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione è necessario scegliere una scadenza in pagamento prima di proseguire!"),
                      forms::kAvviso);
        return;
    }
    if (!frmPagaFattureModPagamento) return;
    frmPagaFattureModPagamento->maskData->setDate(core::Clock::instance().today());
    frmPagaFattureModPagamento->exec();
}

void TfrmPagaFatture::pagamentoRegistrato()
{
    esegui([this] {
        rileggi();
        aperte()->setFilter(kFiltroAperte);
    });
    TotaleDaPagare = TotaleInPagamento = 0;
    db::Query *q = aperte();
    if (q->isActive() && !q->isEmpty()) {
        TotaleFatture = sommaImporti(q).toDouble();
        q->first();
    }
    mostraTotali();
}

void TfrmPagaFatture::DBGrid1DblClick() { SpeedButton2Click(); }
void TfrmPagaFatture::DBGrid2DblClick() { SpeedButton3Click(); }
void TfrmPagaFatture::DBGrid1TitleClick(const QString &campo) { ordina(aperte(), campo); }
void TfrmPagaFatture::DBGrid2TitleClick(const QString &campo) { ordina(selezione(), campo); }
void TfrmPagaFatture::spdIndietroClick() { accept(); }
void TfrmPagaFatture::spdHelpClick() { ui::apriGuida(kContestoGuida); }

TfrmPagaFattureModPagamento::TfrmPagaFattureModPagamento(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPagaFattureModPagamento"));
    setWindowTitle(QStringLiteral("Paga fatture"));
    setProperty("helpContext", kContestoGuida);
    setMinimumWidth(480);
    auto *layout = new QVBoxLayout(this);
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    spdHelp = ui::pulsanteAiuto(this);
    spdIndietro = ui::pulsanteIndietro(this);
    ToolBar1->addWidget(spdHelp);
    ToolBar1->addWidget(spdIndietro);
    layout->addWidget(ToolBar1);

    auto *campi = new QFormLayout;
    maskData = new ui::MaskedDateEdit(this);
    maskData->setObjectName(QStringLiteral("maskData"));
    Button1 = pulsante(this, QStringLiteral("Button1"), QStringLiteral("Oggi"));
    auto *data = new QHBoxLayout;
    data->addWidget(maskData);
    data->addWidget(Button1);
    data->addStretch(1);
    campi->addRow(QStringLiteral("Data Pagamento effettuato"), data);
    DBLookupComboBox1 = new QComboBox(this);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    campi->addRow(QStringLiteral("Modalità di pagamento"), DBLookupComboBox1);
    DBLookupComboBox2 = new QComboBox(this);
    DBLookupComboBox2->setObjectName(QStringLiteral("DBLookupComboBox2"));
    campi->addRow(QStringLiteral("Banca"), DBLookupComboBox2);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(150);
    campi->addRow(QStringLiteral("Dettagli pagamento"), Edit1);
    layout->addLayout(campi);
    SpeedButton1 = pulsante(this, QStringLiteral("SpeedButton1"), QStringLiteral("Paga fatture"));
    layout->addWidget(SpeedButton1, 0, Qt::AlignRight);

    connect(spdHelp, &QToolButton::clicked, this, &TfrmPagaFattureModPagamento::spdHelpClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmPagaFattureModPagamento::spdIndietroClick);
    connect(Button1, &QPushButton::clicked, this, &TfrmPagaFattureModPagamento::Button1Click);
    connect(SpeedButton1, &QPushButton::clicked, this, &TfrmPagaFattureModPagamento::SpeedButton1Click);
}

void TfrmPagaFattureModPagamento::riempiListe()
{
    // The first entry is "none": each instalment then keeps its own method or bank.
    const auto riempi = [](QComboBox *box, db::Query *q, const QString &campo) {
        const QVariant scelto = box->currentData();
        box->clear();
        box->addItem(QString(), qint64(0));
        try {
            if (!q->isActive()) q->open();
            const int corrente = q->currentIndex();
            for (q->first(); !q->eof(); q->next())
                box->addItem(q->fieldByName(campo).asString(), q->fieldByName(QStringLiteral("Id")).asLargeInt());
            if (corrente >= 0) q->setCurrentIndex(corrente);
        } catch (const db::DbError &e) {
            ui::reportDbError(e, box);
        }
        const int i = box->findData(scelto);
        box->setCurrentIndex(i < 0 ? 0 : i);
    };
    riempi(DBLookupComboBox1, form_DB->TableModPaga, QStringLiteral("Descrizione"));
    riempi(DBLookupComboBox2, form_DB->Table5, QStringLiteral("Banca"));
}

void TfrmPagaFattureModPagamento::showEvent(QShowEvent *e)
{
    riempiListe();
    QDialog::showEvent(e);
    maskData->setFocus();
}

void TfrmPagaFattureModPagamento::Button1Click() { maskData->setDate(core::Clock::instance().today()); }

void TfrmPagaFattureModPagamento::SpeedButton1Click()
{
    // An empty box and one holding an impossible date (31/02) are refused alike.
    const QDate data = maskData->date();
    if (!data.isValid()) {
        forms::avvisa(this, QStringLiteral("Attenzione E' necessario definire la data pagamento..."),
                      QStringLiteral("Messaggio di avviso!!"));
        return;
    }
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler pagare le scadenze ?"))) return;
    pagamenti::Pagamento p;
    p.data = data;
    p.modPagamento = DBLookupComboBox1->currentData().toLongLong();
    p.banca = DBLookupComboBox2->currentData().toLongLong();
    p.dettagli = Edit1->text();
    try {
        const auto esito = pagamenti::paga(form_DB->Connessione, NomeComputerLocale, p);
        if (!esito.giaPagate.isEmpty()) {
            forms::avvisa(this, pagamenti::messaggioGiaPagate(int(esito.giaPagate.size())), QStringLiteral("Messaggio di avviso!!"));
            return;
        }
    } catch (const db::DbError &e) {
        // Nothing was written: the form stays open on the same data and the same selection.
        ui::reportDbError(e, this);
        return;
    }
    // The schedule list, when open, shows the payment on the row it stood on.
    db::Query *cerca = form_DB->TableCercaFattureScadenze;
    if (cerca->isActive() && !cerca->isArmed()) {
        try {
            const QVariant corrente = form_DB->TableFatturaScadenze->isActive() && !form_DB->TableFatturaScadenze->isEmpty()
                                          ? form_DB->TableFatturaScadenze->fieldByName(QStringLiteral("Id")).value()
                                          : QVariant();
            cerca->requery();
            if (corrente.isValid()) cerca->locate(QStringLiteral("Id"), corrente);
        } catch (const db::DbError &e) {
            ui::reportDbError(e, this);
        }
    }
    if (frmPagaFatture) frmPagaFatture->pagamentoRegistrato();
    forms::avvisa(this, QStringLiteral("pagamenti registrati con successo!"), forms::kAvviso);
    accept();
}

void TfrmPagaFattureModPagamento::spdIndietroClick() { reject(); }
void TfrmPagaFattureModPagamento::spdHelpClick() { ui::apriGuida(kContestoGuida); }


namespace {
// Created once at start-up, in the program's order.
const bool registrati = forms::registra(frmPagaFatture, "frmPagaFatture") &&
                        forms::registra(frmPagaFattureModPagamento, "frmPagaFattureModPagamento");
} // namespace

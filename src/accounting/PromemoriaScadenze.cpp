#include "PromemoriaScadenze.h"

#include "accounting/services/Promemoria.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/DetailForm.h"
#include "forms/Registro.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The editors belong to other units: reached by name, absent until registered.
QDialog *editore(const char *nome)
{
    const forms::VoceForm *v = forms::Registro::istanza().voce(QString::fromLatin1(nome));
    return v ? qobject_cast<QDialog *>(v->corrente()) : nullptr;
}

// Shows an editor modally on its dataset's current row, an existing record ("Annulla" hidden).
void mostraEditore(QDialog *f)
{
    if (auto *d = qobject_cast<forms::DetailForm *>(f)) d->mostra(false);
    else f->exec();
}

// Re-opens a shared query on the one record of `tabella` with this id; true when it is there.
bool apriSuId(db::Query *q, const QString &tabella, qint64 id)
{
    q->close();
    q->setSql(QStringLiteral("select * from %1 where ID = :id").arg(tabella));
    q->bind(QStringLiteral(":id"), id);
    q->open();
    return !q->isEmpty();
}

struct Colonna {
    const char *titolo;
    int larghezza;
};

QTableWidget *griglia(QWidget *parent, const char *nome, std::initializer_list<Colonna> colonne, int nascoste)
{
    auto *g = new QTableWidget(parent);
    g->setObjectName(QString::fromLatin1(nome));
    g->setColumnCount(int(colonne.size()));
    g->setRowCount(1);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->verticalHeader()->hide();
    g->verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    g->verticalHeader()->setDefaultSectionSize(qMax(16, g->fontMetrics().height() + 4));
    g->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    g->setHorizontalHeaderLabels(QStringList(int(colonne.size()), QString()));
    // Every title whole at the screen's font.
    int c = 0;
    for (const Colonna &col : colonne)
        g->setColumnWidth(c++, qMax(col.larghezza, g->horizontalHeader()->fontMetrics().horizontalAdvance(QString::fromUtf8(col.titolo)) + 16));
    // The date comes first: wide enough for a whole date (and its time in the calendar) at the
    // screen's font, never cut.
    const QString esempio =
        qstrcmp(nome, "StringGrid3") == 0 ? QStringLiteral("00/00/0000 00:00:00") : QStringLiteral("00/00/0000");
    g->setColumnWidth(0, qMax(g->columnWidth(0), g->fontMetrics().horizontalAdvance(esempio) + 16));
    // The id (and the instalment's letter) are there for the double click, not for the eye.
    for (int i = int(colonne.size()) - nascoste; i < int(colonne.size()); ++i) g->setColumnHidden(i, true);
    return g;
}

// A grid as the list gives it: the titles, one row per record, one blank row at the bottom.
void scrivi(QTableWidget *g, const promemoria::Elenco &e)
{
    g->clearContents();
    g->setRowCount(0);
    g->setHorizontalHeaderLabels(e.titoli);
    g->setRowCount(int(e.righe.size()) + 1);
    for (int r = 0; r < e.righe.size(); ++r) {
        const QStringList &celle = e.righe[r];
        for (int c = 0; c < celle.size() && c < g->columnCount(); ++c)
            if (!celle[c].isEmpty()) g->setItem(r, c, new QTableWidgetItem(celle[c]));
    }
}

// A grid with nothing to show: one blank row and no titles, as before the first filling.
void svuota(QTableWidget *g)
{
    g->clearContents();
    g->setRowCount(1);
    g->setHorizontalHeaderLabels(QStringList(g->columnCount(), QString()));
}

QLabel *titolo(QWidget *parent, const char *nome, const QString &testo)
{
    auto *l = new QLabel(testo, parent);
    l->setObjectName(QString::fromLatin1(nome));
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

TfrmPromemoriaScadenze::TfrmPromemoriaScadenze(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPromemoriaScadenze"));
    setWindowTitle(QStringLiteral("Promemoria Scadenze"));
    setProperty("helpContext", 7200);
    auto *layout = new QVBoxLayout(this);
    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    spdHelp = ui::pulsanteAiuto(this);
    spdIndietro = ui::pulsanteIndietro(this);
    ToolBar2->addWidget(spdHelp);
    ToolBar2->addWidget(spdIndietro);
    layout->addWidget(ToolBar2);

    Label1 = titolo(this, "Label1", QStringLiteral("Scadenze pagamenti scaduti"));
    StringGrid1 = griglia(this, "StringGrid1",
                          {{"Data Scadenza", 70}, {"Operazione", 253}, {"Cliente", 142}, {"Fornitore", 135}, {"Importo", 99},
                           {"Mod.Pagamento", 142}, {"Note", 148}, {"id_scad", 3}, {"Tipo", 3}},
                          2);
    Label2 = titolo(this, "Label2", QStringLiteral("Scadenze Vetture"));
    StringGrid2 = griglia(this, "StringGrid2",
                          {{"Data Scadenza", 70}, {"Operazione", 251}, {"Veicolo", 220}, {"Targa", 108}, {"Note", 314},
                           {"id_scad", 2}},
                          1);
    Label4 = titolo(this, "Label4", QStringLiteral("Scadenze Personale"));
    StringGrid4 = griglia(this, "StringGrid4",
                          {{"Data Scadenza", 70}, {"Operazione", 366}, {"Personale", 194}, {"Note", 360}, {"id_scad", 2}}, 1);
    Label3 = titolo(this, "Label3", QStringLiteral("Avvisi Calendario"));
    StringGrid3 = griglia(this, "StringGrid3",
                          {{"Data", 120}, {"Tipologia", 220}, {"Cliente", 225}, {"Personale", 191}, {"Note", 231}, {"Id", 3}},
                          1);
    for (const auto &[l, g] : std::initializer_list<std::pair<QLabel *, QTableWidget *>>{
             {Label1, StringGrid1}, {Label2, StringGrid2}, {Label4, StringGrid4}, {Label3, StringGrid3}}) {
        layout->addWidget(l);
        layout->addWidget(g, 1);
    }
    setWindowState(windowState() | Qt::WindowMaximized);

    connect(spdHelp, &QToolButton::clicked, this, &TfrmPromemoriaScadenze::spdHelpClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmPromemoriaScadenze::spdIndietroClick);
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, &TfrmPromemoriaScadenze::StringGrid1DblClick);
    connect(StringGrid2, &QTableWidget::cellDoubleClicked, this, &TfrmPromemoriaScadenze::StringGrid2DblClick);
    connect(StringGrid4, &QTableWidget::cellDoubleClicked, this, &TfrmPromemoriaScadenze::StringGrid4DblClick);
    connect(StringGrid3, &QTableWidget::cellDoubleClicked, this, &TfrmPromemoriaScadenze::StringGrid3DblClick);
}

void TfrmPromemoriaScadenze::riempi(const promemoria::Promemoria &p)
{
    // A list without records never leaves another start's rows in its grid.
    const auto riempiSeCiSono = [](QTableWidget *g, const promemoria::Elenco &e) { e.isEmpty() ? svuota(g) : scrivi(g, e); };
    riempiSeCiSono(StringGrid1, p.pagamenti);
    riempiSeCiSono(StringGrid2, p.vetture);
    riempiSeCiSono(StringGrid4, p.personale);
    scrivi(StringGrid3, p.calendario);
}

QString TfrmPromemoriaScadenze::cellaCorrente(QTableWidget *griglia, int colonna)
{
    const int riga = griglia->currentRow();
    if (riga < 0) return QString();
    const QTableWidgetItem *item = griglia->item(riga, colonna);
    return item ? item->text() : QString();
}

void TfrmPromemoriaScadenze::StringGrid1DblClick()
{
    const QString id = cellaCorrente(StringGrid1, promemoria::kColonnaIdPagamenti);
    const QString tipo = cellaCorrente(StringGrid1, promemoria::kColonnaTipoPagamenti);
    QDialog *f = editore("frmScadenziarioDettaglio");
    if (id.isEmpty() || tipo.isEmpty() || !f) return;
    try {
        // An instalment deleted since the start gives no editor.
        if (!apriSuId(form_DB->TableFatturaScadenze, QStringLiteral("FatturaScadenze"), id.toLongLong())) return;
        // A sales instalment (invoice or credit note) names a customer, any other a supplier.
        const bool vendita = tipo == QLatin1String("F") || tipo == QLatin1String("N");
        if (auto *etichetta = f->findChild<QLabel *>(QStringLiteral("Label2")))
            etichetta->setText(vendita ? QStringLiteral("Cliente") : QStringLiteral("Fornitore"));
        if (auto *clienti = f->findChild<QWidget *>(QStringLiteral("LookClienti"))) clienti->setVisible(vendita);
        if (auto *fornitori = f->findChild<QWidget *>(QStringLiteral("LookFornitori"))) fornitori->setVisible(!vendita);
        mostraEditore(f);
    } catch (const db::DbError &e) {
        ui::showError(e.message(), QStringLiteral("Messaggio di errore"), this);
    }
}

void TfrmPromemoriaScadenze::StringGrid2DblClick()
{
    const QString id = cellaCorrente(StringGrid2, promemoria::kColonnaIdVetture);
    QDialog *f = editore("frmVettureScadenze");
    if (id.isEmpty() || !f) return;
    try {
        if (apriSuId(form_DB->TableVettureScadenze, QStringLiteral("VettureScadenze"), id.toLongLong())) mostraEditore(f);
    } catch (const db::DbError &e) {
        ui::showError(e.message(), QStringLiteral("Messaggio di errore"), this);
    }
}

void TfrmPromemoriaScadenze::StringGrid4DblClick()
{
    const QString id = cellaCorrente(StringGrid4, promemoria::kColonnaIdPersonale);
    QDialog *f = editore("frmPersonaleScadenze");
    if (id.isEmpty() || !f) return;
    try {
        if (apriSuId(form_DB->TablePersonaleScadenze, QStringLiteral("PersonaleScadenze"), id.toLongLong())) mostraEditore(f);
    } catch (const db::DbError &e) {
        ui::showError(e.message(), QStringLiteral("Messaggio di errore"), this);
    }
}

void TfrmPromemoriaScadenze::StringGrid3DblClick()
{
    const QString id = cellaCorrente(StringGrid3, promemoria::kColonnaIdCalendario);
    if (id.isEmpty()) return;
    try {
        // The editor works on the calendar list's own rows: an entry that is not among them
        // (deleted since the start, or in history) must not open it on another entry.
        db::Query *q = form_DB->TableCalendario;
        if (!q->locate(QStringLiteral("Id"), id.toLongLong())) {
            ui::showWarning(QStringLiteral("Attenzione l'appuntamento non è tra quelli del calendario in corso: "
                                           "è stato eliminato o è nello storico."),
                            QStringLiteral("Messaggio di avviso"), this);
            return;
        }
        if (QDialog *f = editore("frmCalendario")) mostraEditore(f);
    } catch (const db::DbError &e) {
        ui::showError(e.message(), QStringLiteral("Messaggio di errore"), this);
    }
}

void TfrmPromemoriaScadenze::spdIndietroClick() { close(); }

void TfrmPromemoriaScadenze::spdHelpClick() { ui::apriGuida(property("helpContext").toInt()); }

namespace {
// Created once at start-up, in the program's order, and filled by the start-up.
const bool registrato = forms::registra(frmPromemoriaScadenze, "frmPromemoriaScadenze");
} // namespace

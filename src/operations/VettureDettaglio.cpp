#include "VettureDettaglio.h"
#include "SceltaCisterna.h"
#include "Vetture.h"
#include "VettureCarburante.h"
#include "VettureCosti.h"
#include "VettureScadenze.h"
#include "VettureSchede.h"

#include "common/GridLayouts.h"
#include "common/RecordHelpers.h"
#include "common/SqlText.h"
#include "common/TextUtils.h"
#include "data/DB.h"
#include "db/DataSource.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "operations/services/Rifornimento.h"
#include "operations/services/Vetture.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBText.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QDir>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");

QToolButton *pulsanteBarra(QWidget *parent, const QString &nome, const QString &testo, const QString &suggerimento,
                           const char *icona, QStyle::StandardPixmap riserva)
{
    return ui::toolButton(parent, nome, testo, suggerimento, icona, riserva);
}

// A vehicle's sub-row added from its page: stored at once, then its editor opens with "Annulla".
void aggiungiSottoRiga(db::Query *q, forms::DetailForm *editor, qint64 idVettura, const std::function<void(db::Query *)> &iniziali)
{
    if (!editor) return;
    q->setFilter(QString());
    q->append();
    q->fieldByName(QStringLiteral("Vettura_ID")).setAsInteger(idVettura);
    if (iniziali) iniziali(q);
    if (!common::SalvaNuovoRecord(*q, QStringLiteral("Id"))) {
        if (q->isEditing()) q->cancel();
        return;
    }
    editor->DatiModificati = true;
    editor->mostra(true);
}

QDateTime oggi() { return QDateTime(ui::Clock::instance().today(), QTime(0, 0)); }

} // namespace

TfrmVettureDettaglio::TfrmVettureDettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmVettureDettaglio");
              c.titolo = QStringLiteral("Vetture");
              c.helpContext = 2000;
              c.dataset = form_DB->TableVetture;
              c.source = form_DB->SourceVetture;
              c.conAiuto = true;
              c.captionSalva = QStringLiteral("salva");
              c.annulla = Annulla::TramiteLista;
              return c;
          }(),
          parent)
{
    setMinimumSize(820, 560);
    // Toolbar: the two prints before "Indietro".
    SpeedButton16 = pulsanteBarra(this, QStringLiteral("SpeedButton16"), QStringLiteral("Fatture di Acquisto"),
                                  QStringLiteral("Stampa le fatture di acquisto della Vettura"), "document-print",
                                  QStyle::SP_FileDialogListView);
    spdStampa = pulsanteBarra(this, QStringLiteral("spdStampa"), QStringLiteral("Stampa"),
                              QStringLiteral("Stampa la scheda della vettura"), "document-print", QStyle::SP_FileIcon);
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdIndietro) {
            ToolBar2->insertWidget(a, SpeedButton16);
            ToolBar2->insertWidget(a, spdStampa);
        }
    connect(SpeedButton16, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton16Click);
    connect(spdStampa, &QToolButton::clicked, this, &TfrmVettureDettaglio::spdStampaClick);

    aggiungiPagina(QStringLiteral("TabSheet1"), QStringLiteral("  Generale  "));
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Targa"), QStringLiteral("Targa"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Numero Telaio"), QStringLiteral("NumTelaio"));
    auto lookup = [this](const char *nome, const char *etichetta, const char *campo, db::DataSource *lista, const char *chiave,
                         const char *campoLista, const char *listaForm, const char *modifica, const char *aggiungi,
                         const char *cosa) {
        const auto l = aggiungiLookup(QString::fromLatin1(nome), QString::fromUtf8(etichetta), QString::fromLatin1(campo), lista,
                                      QString::fromLatin1(chiave), QString::fromLatin1(campoLista),
                                      {QString::fromLatin1(listaForm),
                                       {QString::fromLatin1(modifica), QStringLiteral("Modifica ") + QString::fromUtf8(cosa)},
                                       {QString::fromLatin1(aggiungi), QStringLiteral("Aggiungi ") + QString::fromUtf8(cosa)}});
        l.modifica->setProperty("listaForm", QString::fromLatin1(listaForm));
        l.aggiungi->setProperty("listaForm", QString::fromLatin1(listaForm));
        pulsantiLookup << l.modifica << l.aggiungi;
        return l.lookup;
    };
    DBLookupComboBox2 = lookup("DBLookupComboBox2", "Marca", "Modello", form_DB->SourceModelli, "Descrizione", "Descrizione",
                               "frmModelli", "SpeedButton3", "SpeedButton7", "la Marca");
    DBLookupComboBox3 = lookup("DBLookupComboBox3", "Veicolo", "Veicolo_ID", form_DB->SourceVeicoli, "Id", "Descrizione",
                               "frmVeicoli", "SpeedButton8", "SpeedButton9", "il Veicolo");
    DBLookupComboBox1 = lookup("DBLookupComboBox1", "Colore", "Colore", form_DB->SourceColori, "Descrizione", "Descrizione",
                               "frmGrigliaColori", "SpeedButton10", "SpeedButton11", "il Colore");
    DBEdit5 = aggiungiEdit(QStringLiteral("DBEdit5"), QStringLiteral("Cilindrata"), QStringLiteral("Cilindrata"));
    DBLookupComboBox4 = lookup("DBLookupComboBox4", "Trasportatore", "Personale_ID", form_DB->SourcePersonale, "Id", "Personale",
                               "frmGrigliaPersonale", "SpeedButton12", "SpeedButton13", "il Trasportatore");
    DBLookupComboBox5 = lookup("DBLookupComboBox5", "Carburante", "Carburante_id", form_DB->SourceCarburanti, "Id",
                               "Descrizione", "frmGrigliaCarburanti", "SpeedButton20", "SpeedButton22", "il Carburante");
    DBEdit6 = aggiungiEdit(QStringLiteral("DBEdit6"), QStringLiteral("Tot. Chilometri"), QStringLiteral("Chilometri"));
    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Data Immatricolazione"), QStringLiteral("DataImmatricolazione"));
    // The data folder with its two buttons on one row.
    DBEdit7 = aggiungiEdit(QStringLiteral("DBEdit7"), QStringLiteral("Cartella Dati"), QStringLiteral("CartellaServer"));
    {
        auto *f = qobject_cast<QFormLayout *>(DBEdit7->parentWidget()->layout());
        auto *riga = new QWidget(DBEdit7->parentWidget());
        f->replaceWidget(DBEdit7, riga);
        auto *h = new QHBoxLayout(riga);
        h->setContentsMargins(0, 0, 0, 0);
        DBEdit7->setParent(riga);
        SpeedButton25 = ui::toolButton(riga, QStringLiteral("SpeedButton25"), QString(), QStringLiteral("Scegli la cartella"),
                                       "folder", QStyle::SP_DirIcon);
        SpeedButton26 = ui::toolButton(riga, QStringLiteral("SpeedButton26"), QString(), QStringLiteral("Apri la cartella"),
                                       "folder-open", QStyle::SP_DirOpenIcon);
        h->addWidget(DBEdit7, 1);
        h->addWidget(SpeedButton25);
        h->addWidget(SpeedButton26);
        connect(SpeedButton25, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton25Click);
        connect(SpeedButton26, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton26Click);
    }
    DBEdit8 = aggiungiEdit(QStringLiteral("DBEdit8"), QStringLiteral("Tassa circolaz. annua"), QStringLiteral("TassaCircolazioneAnnua"));
    DBEdit9 = aggiungiEdit(QStringLiteral("DBEdit9"), QStringLiteral("Assicurazione"), QStringLiteral("Assicurazione"));
    DBEdit10 = aggiungiEdit(QStringLiteral("DBEdit10"), QStringLiteral("Note"), QStringLiteral("Note"));
    auto totale = [this](const char *nome, const char *etichetta, const char *campo) {
        auto *t = new ui::DBText(this);
        t->setObjectName(QString::fromLatin1(nome));
        t->setDataSource(form_DB->SourceVetture);
        t->setDataField(QString::fromLatin1(campo));
        aggiungiRiga(QString::fromUtf8(etichetta), t);
        return t;
    };
    DBText1 = totale("DBText1", "Totale Costi di manutenzione", "TotaleCostoManutenzione");
    DBText2 = totale("DBText2", "Totale Costi di Carburante", "TotaleCarburante");
    DBText3 = totale("DBText3", "Totale Litri di Carburante", "TotaleLitriCarburante");

    richiesto(DBEdit1, QStringLiteral("Attenzione manca la Targa"));
    richiesto(DBEdit4, QStringLiteral("Attenzione manca la Data di immatricolazione"));
    richiesto(DBLookupComboBox5, QStringLiteral("Attenzione manca il Carburante"));
    richiesto(DBEdit8, QStringLiteral("Attenzione manca la Tassa di circolazione annua"));
    richiesto(DBEdit9, QStringLiteral("Attenzione manca l' Assicurazione"));
    richiesto(DBEdit5, QStringLiteral("Attenzione manca il consumo al litro"));

    DBEdit1->installEventFilter(this);
    connect(DBLookupComboBox2, &ui::DBLookupComboBox::picked, this, &TfrmVettureDettaglio::DBLookupComboBox2Click);
    connect(DBLookupComboBox3, &ui::DBLookupComboBox::picked, this, &TfrmVettureDettaglio::DBLookupComboBox3Click);
    // Emptying the type empties its copied name too; every emptied lookup is a change.
    connect(DBLookupComboBox3, &ui::DBLookupComboBox::cleared, this, [this] {
        db::Query *q = dataset();
        if (q->isEmpty()) return;
        q->edit();
        q->fieldByName(QStringLiteral("VeicoloDesc")).clear();
        q->fieldByName(QStringLiteral("Veicolo_ID")).clear();
    });
    for (ui::DBLookupComboBox *l : {DBLookupComboBox1, DBLookupComboBox2, DBLookupComboBox3, DBLookupComboBox4, DBLookupComboBox5})
        connect(l, &ui::DBLookupComboBox::cleared, this, [this] { DatiModificati = true; });

    // The four sub-pages.
    const Sotto scadenze = sottoPagina(QStringLiteral("TabSheet2"), QStringLiteral("  Scadenze  "), QStringLiteral("GroupBox2"),
                                       QStringLiteral("DBGrid2"), QStringLiteral("frmVettureDettaglio_DBGrid2"),
                                       form_DB->SourceVettureScadenze,
                                       {"spdEliminaDett", "spdInserisciDett", "SpeedButton1", "spdAvantiDett"},
                                       QStringLiteral("Stampa elenco scadenze"));
    GroupBox2 = scadenze.gruppo;
    DBGrid2 = scadenze.griglia;
    spdEliminaDett = scadenze.elimina;
    spdInserisciDett = scadenze.aggiungi;
    SpeedButton1 = scadenze.stampa;
    spdAvantiDett = scadenze.modifica;
    DBGrid2->addColumn(QStringLiteral("Descrizione"), QStringLiteral("Scadenza"), 220);
    DBGrid2->addColumn(QStringLiteral("DataScadenza"), QStringLiteral("Data Scadenza"), 110);
    DBGrid2->addColumn(QStringLiteral("DataAvviso"), QStringLiteral("Data Avviso"), 110);
    DBGrid2->addColumn(QStringLiteral("Note"), QStringLiteral("Note"), 260);
    // A deadline not done whose notice date has passed is painted red.
    DBGrid2->setRowColorCallback([](int riga) -> QColor {
        db::Query *q = form_DB->TableVettureScadenze;
        const int avviso = q->fieldIndex(QStringLiteral("DataAvviso"));
        const int validato = q->fieldIndex(QStringLiteral("Validato"));
        if (avviso < 0 || validato < 0) return QColor();
        const QVariant data = q->valueAt(riga, avviso);
        if (data.isNull() || q->valueAt(riga, validato).toInt() != 0) return QColor();
        const QString oggi = ui::Clock::instance().today().toString(QStringLiteral("yyyy-MM-dd"));
        return data.toString().left(10) < oggi ? QColor(Qt::red) : QColor();
    });
    connect(spdEliminaDett, &QToolButton::clicked, this, &TfrmVettureDettaglio::spdEliminaDettClick);
    connect(spdInserisciDett, &QToolButton::clicked, this, &TfrmVettureDettaglio::spdInserisciDettClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton1Click);
    connect(spdAvantiDett, &QToolButton::clicked, this, &TfrmVettureDettaglio::spdAvantiDettClick);
    connect(DBGrid2, &ui::DBGrid::doubleClicked, this, &TfrmVettureDettaglio::spdAvantiDettClick);

    const Sotto schede = sottoPagina(QStringLiteral("TabSheet3"), QStringLiteral("  Schede  "), QStringLiteral("GroupBox1"),
                                     QStringLiteral("DBGrid1"), QStringLiteral("frmVettureDettaglio_DBGrid1"),
                                     form_DB->SourceVettureSchede, {"SpeedButton2", "SpeedButton4", "SpeedButton5", "SpeedButton6"},
                                     QStringLiteral("Stampa elenco schede"));
    GroupBox1 = schede.gruppo;
    DBGrid1 = schede.griglia;
    SpeedButton2 = schede.elimina;
    SpeedButton4 = schede.aggiungi;
    SpeedButton5 = schede.stampa;
    SpeedButton6 = schede.modifica;
    DBGrid1->addColumn(QStringLiteral("Scheda"), QStringLiteral("Scheda"), 200);
    DBGrid1->addColumn(QStringLiteral("Numero"), QStringLiteral("Numero"), 160);
    DBGrid1->addColumn(QStringLiteral("Pin"), QStringLiteral("Pin"), 80);
    DBGrid1->addColumn(QStringLiteral("Note"), QStringLiteral("Note"), 260);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton2Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton6Click);
    connect(DBGrid1, &ui::DBGrid::doubleClicked, this, &TfrmVettureDettaglio::SpeedButton6Click);

    const Sotto costi = sottoPagina(QStringLiteral("TabSheet4"), QStringLiteral("  Costi  "), QStringLiteral("GroupBox4"),
                                    QStringLiteral("DBGrid4"), QStringLiteral("frmVettureDettaglio_DBGrid4"),
                                    form_DB->SourceVettureCosti, {"SpeedButton18", "SpeedButton19", "SpeedButton23", "SpeedButton21"},
                                    QStringLiteral("Stampa elenco Costi"));
    GroupBox4 = costi.gruppo;
    DBGrid4 = costi.griglia;
    SpeedButton18 = costi.elimina;
    SpeedButton19 = costi.aggiungi;
    SpeedButton23 = costi.stampa;
    SpeedButton21 = costi.modifica;
    DBGrid4->addColumn(QStringLiteral("Data"), QStringLiteral("Data"), 110);
    DBGrid4->addColumn(QStringLiteral("TipologiaCosto"), QStringLiteral("Tipologia"), 200);
    DBGrid4->addColumn(QStringLiteral("Importo"), QStringLiteral("Importo"), 100);
    DBGrid4->addColumn(QStringLiteral("Note"), QStringLiteral("Note"), 260);
    btnTotali = ui::toolButton(GroupBox4, QStringLiteral("btnTotali"), QStringLiteral("totali Costi"), QString(),
                               "accessories-calculator", QStyle::SP_FileIcon);
    btnTotali->setVisible(false);
    connect(btnTotali, &QToolButton::clicked, this, &TfrmVettureDettaglio::btnTotaliClick);
    connect(SpeedButton18, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton18Click);
    connect(SpeedButton19, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton19Click);
    connect(SpeedButton23, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton23Click);
    connect(SpeedButton21, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton21Click);
    connect(DBGrid4, &ui::DBGrid::doubleClicked, this, &TfrmVettureDettaglio::SpeedButton21Click);

    const Sotto carburante = sottoPagina(QStringLiteral("TabSheet5"), QStringLiteral("  Carburante  "), QStringLiteral("GroupBox3"),
                                         QStringLiteral("DBGrid3"), QStringLiteral("frmVettureDettaglio_DBGrid3"),
                                         form_DB->SourceVettureCarburante,
                                         {"SpeedButton14", "SpeedButton15", "SpeedButton24", "SpeedButton17"},
                                         QStringLiteral("Stampa elenco carburanti "));
    GroupBox3 = carburante.gruppo;
    DBGrid3 = carburante.griglia;
    SpeedButton14 = carburante.elimina;
    SpeedButton15 = carburante.aggiungi;
    SpeedButton24 = carburante.stampa;
    SpeedButton17 = carburante.modifica;
    DBGrid3->addColumn(QStringLiteral("Data"), QStringLiteral("Data"), 110);
    DBGrid3->addColumn(QStringLiteral("Litri"), QStringLiteral("Litri"), 90);
    DBGrid3->addColumn(QStringLiteral("Importo"), QStringLiteral("Importo"), 100);
    DBGrid3->addColumn(QStringLiteral("Cisterna"), QStringLiteral("Cisterna"), 160);
    DBGrid3->addColumn(QStringLiteral("Note"), QStringLiteral("Note"), 220);
    connect(SpeedButton14, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton14Click);
    connect(SpeedButton15, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton15Click);
    connect(SpeedButton24, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton24Click);
    connect(SpeedButton17, &QToolButton::clicked, this, &TfrmVettureDettaglio::SpeedButton17Click);
    connect(DBGrid3, &ui::DBGrid::doubleClicked, this, &TfrmVettureDettaglio::SpeedButton17Click);

    // Every sub-page is reached through a save of the vehicle.
    connect(PageControl1, &QTabWidget::currentChanged, this, &TfrmVettureDettaglio::PageControl1Change);
}

TfrmVettureDettaglio::Sotto TfrmVettureDettaglio::sottoPagina(const QString &pagina, const QString &titolo,
                                                              const QString &gruppo, const QString &griglia,
                                                              const QString &nomeGriglia, db::DataSource *source,
                                                              const QStringList &nomi, const QString &suggerimentoStampa)
{
    aggiungiPagina(pagina, titolo);
    Sotto s;
    s.gruppo = new QGroupBox(this);
    s.gruppo->setObjectName(gruppo);
    auto *v = new QVBoxLayout(s.gruppo);
    auto *barra = new QToolBar(s.gruppo);
    s.elimina = pulsanteBarra(s.gruppo, nomi[0], QStringLiteral("Elimina"), QStringLiteral("Elimina il record corrente "),
                              "edit-delete", QStyle::SP_TrashIcon);
    s.aggiungi = pulsanteBarra(s.gruppo, nomi[1], QStringLiteral("Aggiungi"), QStringLiteral("Inserisce un nuovo Record"),
                               "list-add", QStyle::SP_FileDialogNewFolder);
    s.stampa = pulsanteBarra(s.gruppo, nomi[2], QStringLiteral("Stampa"), suggerimentoStampa, "document-print",
                             QStyle::SP_FileIcon);
    s.modifica = pulsanteBarra(s.gruppo, nomi[3], QStringLiteral("Modifica"), QStringLiteral("Sava le modifiche effettuate"),
                               "document-edit", QStyle::SP_FileDialogDetailedView);
    for (QToolButton *b : {s.elimina, s.aggiungi, s.stampa, s.modifica}) barra->addWidget(b);
    v->addWidget(barra);
    s.griglia = new ui::DBGrid(s.gruppo);
    s.griglia->setObjectName(griglia);
    s.griglia->setDataSource(source);
    v->addWidget(s.griglia, 1);
    aggiungiRiga(QString(), s.gruppo);
    // The family's layout menu under the grid's own name, and the title-click sort.
    auto *menu = new QMenu(s.griglia);
    ui::DBGrid *g = s.griglia;
    menu->addAction(QStringLiteral("Salva Griglia"), this,
                    [g, nomeGriglia] { common::SalvaGriglia(nomeGriglia, *g, *form_DB->TableGriglie, false, NomeComputerLocale); });
    menu->addAction(QStringLiteral("Elimina Colonna"), this, [g] {
        const int col = g->selectedColumn();
        if (col >= 0) g->removeColumn(col);
    });
    menu->addAction(QStringLiteral("Reset Griglia"), this, [g, nomeGriglia] {
        common::CaricaGriglia(nomeGriglia, *g, *form_DB->TableGriglie, true, false, NomeComputerLocale);
        common::SalvaGriglia(nomeGriglia, *g, *form_DB->TableGriglie, false, NomeComputerLocale);
    });
    g->setPopupMenu(menu);
    connect(g, &ui::DBGrid::titleClicked, this, [source](const QString &campo) {
        db::Query *q = source->dataset();
        q->setSort(campo + (q->sort().endsWith(QLatin1String("ASC")) ? QStringLiteral(" DESC") : QStringLiteral(" ASC")));
    });
    m_gruppi << s.gruppo;
    return s;
}

qint64 TfrmVettureDettaglio::idVettura() const
{
    db::Query *q = form_DB->TableVetture;
    return q->isEmpty() ? 0 : q->fieldByName(QStringLiteral("ID")).asLargeInt();
}

void TfrmVettureDettaglio::showEvent(QShowEvent *e)
{
    // Lookups whose lists are not in the program yet keep their buttons disabled.
    for (QToolButton *b : pulsantiLookup) {
        const forms::VoceForm *v = forms::Registro::istanza().voce(b->property("listaForm").toString());
        b->setEnabled(v && v->corrente());
    }
    forms::DetailForm::showEvent(e);
}

bool TfrmVettureDettaglio::eventFilter(QObject *watched, QEvent *e)
{
    // Leaving the field, not the window (another window coming up, the editor closing).
    if (watched == DBEdit1 && e->type() == QEvent::FocusOut) {
        const Qt::FocusReason r = static_cast<QFocusEvent *>(e)->reason();
        if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason) DBEdit1Exit();
    }
    return forms::DetailForm::eventFilter(watched, e);
}

void TfrmVettureDettaglio::PageControl1Change()
{
    for (QGroupBox *g : m_gruppi) g->setVisible(true);
    const int pagina = PageControl1->currentIndex();
    if (pagina <= 0 || !isVisible()) return;
    spdSalvaClick();
    if (!SalvataggioFallito) return;
    // The message of the failed check has been shown: the page stays, empty, until a later
    // change of page saves the vehicle.
    {
        const QSignalBlocker quiet(PageControl1);
        PageControl1->setCurrentIndex(pagina);
    }
    for (QGroupBox *g : m_gruppi) g->setVisible(false);
}

void TfrmVettureDettaglio::DBEdit1Exit()
{
    const QString targa = DBEdit1->text();
    if (targa.isEmpty() || dataset()->isEmpty()) return;
    const int n = vetture::targheUguali(form_DB->Connessione, targa, idVettura());
    if (n > 0)
        forms::avvisa(this, QStringLiteral("Attenzione la targa ") + targa + QStringLiteral(" è già presente in altri ")
                                + QString::number(n) + QStringLiteral(" Record."),
                      QStringLiteral("Attenzione si è caricato una Targa già presente in archivio"));
}

void TfrmVettureDettaglio::DBLookupComboBox2Click()
{
    const QString marca = dataset()->fieldByName(QStringLiteral("Modello")).asString();
    // The type lookup offers only the types of the make.
    if (!marca.isEmpty())
        form_DB->TableVeicoli->setFilter(QStringLiteral("Modello = '") + common::RaddoppiaApici(marca) + QStringLiteral("'"));
    DatiModificati = true;
}

void TfrmVettureDettaglio::DBLookupComboBox3Click()
{
    db::Query *q = dataset();
    q->edit();
    if (!DBLookupComboBox3->currentText().isEmpty()) {
        q->fieldByName(QStringLiteral("VeicoloDesc")).setAsString(DBLookupComboBox3->currentText());
        q->fieldByName(QStringLiteral("Veicolo_ID")).setValue(form_DB->TableVeicoli->fieldByName(QStringLiteral("Id")).value());
    } else {
        q->fieldByName(QStringLiteral("VeicoloDesc")).clear();
        q->fieldByName(QStringLiteral("Veicolo_ID")).clear();
    }
    DatiModificati = true;
}

void TfrmVettureDettaglio::SpeedButton25Click()
{
    const QString cartella = ui::Dialogs::instance().folder(this, QStringLiteral("Cartella Dati"), PercorsoArchivioMdb);
    if (cartella.isEmpty() || !QDir(cartella).exists()) return;
    db::Query *q = dataset();
    q->edit();
    q->fieldByName(QStringLiteral("CartellaServer")).setAsString(common::AggiungiSeparatore(cartella));
    DatiModificati = true;
}

void TfrmVettureDettaglio::SpeedButton26Click()
{
    const db::Field f = dataset()->fieldByName(QStringLiteral("CartellaServer"));
    if (f.isNull() || f.asString().isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione manca la Cartella di Lavoro"), kErrore);
        return;
    }
    const QString cartella = f.asString();
    if (QDir(cartella).exists()) ui::Launcher::instance().open(cartella);
    else
        forms::avvisa(this, QStringLiteral("la Cartella: ") + cartella + QStringLiteral(" non esiste più o non è raggiungibile!!!"),
                      kErrore);
}

void TfrmVettureDettaglio::stampa(db::Query *q, int codice)
{
    if (q && q->isEmpty()) return;
    CodiceStampa = codice;
    form_DB->Button2Click();
}

void TfrmVettureDettaglio::SpeedButton16Click() { stampa(form_DB->TableVetture, 57); }
void TfrmVettureDettaglio::spdStampaClick() { stampa(form_DB->TableVetture, 48); }
void TfrmVettureDettaglio::SpeedButton1Click() { stampa(form_DB->TableVettureScadenze, 49); }
void TfrmVettureDettaglio::SpeedButton5Click() { stampa(form_DB->TableVettureSchede, 50); }
void TfrmVettureDettaglio::SpeedButton23Click() { stampa(form_DB->TableVettureCosti, 44); }
void TfrmVettureDettaglio::SpeedButton24Click() { stampa(form_DB->TableVettureCarburante, 45); }

void TfrmVettureDettaglio::btnTotaliClick()
{
    db::Query *q = form_DB->TableVetture;
    if (q->isEmpty()) return;
    const vetture::Totali t = vetture::totali(form_DB->Connessione, idVettura());
    q->edit();
    q->fieldByName(QStringLiteral("TotaleLitriCarburante")).setValue(t.litri);
    q->fieldByName(QStringLiteral("TotaleCarburante")).setValue(t.carburante);
    q->fieldByName(QStringLiteral("TotaleCostoManutenzione")).setValue(t.costi);
    // Stored by the vehicle's next save ("Indietro" at the latest).
    DatiModificati = true;
}

// Deadlines
void TfrmVettureDettaglio::spdInserisciDettClick()
{
    aggiungiSottoRiga(form_DB->TableVettureScadenze, frmVettureScadenze, idVettura(), [](db::Query *q) {
        q->fieldByName(QStringLiteral("DataScadenza")).setValue(oggi());
        q->fieldByName(QStringLiteral("DataAvviso")).setValue(oggi());
        q->fieldByName(QStringLiteral("Validato")).setAsBoolean(false);
    });
}

void TfrmVettureDettaglio::spdAvantiDettClick()
{
    if (form_DB->TableVettureScadenze->recordCount() < 1 || !frmVettureScadenze) return;
    frmVettureScadenze->mostra(false);
}

void TfrmVettureDettaglio::spdEliminaDettClick()
{
    db::Query *q = form_DB->TableVettureScadenze;
    if (q->recordCount() < 1) return;
    if (forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare la scadenza?"))) common::EliminaRecord(*q, QStringLiteral("ID"));
}

// Fuel cards
void TfrmVettureDettaglio::SpeedButton4Click() { aggiungiSottoRiga(form_DB->TableVettureSchede, frmVettureSchede, idVettura(), {}); }

void TfrmVettureDettaglio::SpeedButton6Click()
{
    if (form_DB->TableVettureSchede->recordCount() < 1 || !frmVettureSchede) return;
    frmVettureSchede->mostra(false);
}

void TfrmVettureDettaglio::SpeedButton2Click()
{
    db::Query *q = form_DB->TableVettureSchede;
    if (q->recordCount() < 1) return;
    if (forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare la Scheda?"))) common::EliminaRecord(*q, QStringLiteral("ID"));
}

// Costs
void TfrmVettureDettaglio::SpeedButton19Click()
{
    aggiungiSottoRiga(form_DB->TableVettureCosti, frmVettureCosti, idVettura(),
                      [](db::Query *q) { q->fieldByName(QStringLiteral("Data")).setValue(oggi()); });
    btnTotaliClick();
}

void TfrmVettureDettaglio::SpeedButton21Click()
{
    if (form_DB->TableVettureCosti->recordCount() < 1 || !frmVettureCosti) return;
    frmVettureCosti->mostra(false);
    btnTotaliClick();
}

void TfrmVettureDettaglio::SpeedButton18Click()
{
    db::Query *q = form_DB->TableVettureCosti;
    if (q->recordCount() < 1) return;
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare il Costo ?"))) return;
    common::EliminaRecord(*q, QStringLiteral("ID"));
    btnTotaliClick();
}

// Refuellings
void TfrmVettureDettaglio::SpeedButton15Click()
{
    if (!frmVettureCarburante) return;
    db::Query *q = form_DB->TableVettureCarburante;
    const qint64 id = idVettura();
    q->setFilter(QString());
    q->append();
    q->fieldByName(QStringLiteral("Vettura_ID")).setAsInteger(id);
    q->fieldByName(QStringLiteral("Data")).setValue(oggi());
    q->fieldByName(QStringLiteral("Litri")).setAsFloat(0);
    // The tank is named while the row is new; its stock moves only when the row is saved.
    if (rifornimenti::lavoraCisterne(form_DB->Connessione) && frmSceltaCisterna) frmSceltaCisterna->exec();
    const QVariant km = vetture::kmUltimoRifornimento(form_DB->Connessione, id);
    if (km.isValid()) q->fieldByName(QStringLiteral("KmArrivo")).setValue(km);
    if (!common::SalvaNuovoRecord(*q, QStringLiteral("Id"))) {
        if (q->isEditing()) q->cancel();
        return;
    }
    frmVettureCarburante->DatiModificati = true;
    frmVettureCarburante->mostra(true);
    btnTotaliClick();
}

void TfrmVettureDettaglio::SpeedButton17Click()
{
    if (form_DB->TableVettureCarburante->recordCount() < 1 || !frmVettureCarburante) return;
    frmVettureCarburante->mostra(false);
    btnTotaliClick();
}

void TfrmVettureDettaglio::SpeedButton14Click()
{
    db::Query *q = form_DB->TableVettureCarburante;
    if (q->recordCount() < 1) return;
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare il Carburante ?"))) return;
    if (q->isEditing()) q->cancel();
    const qint64 id = q->fieldByName(QStringLiteral("ID")).asLargeInt();
    const int posizione = q->currentIndex();
    db::Connection &c = form_DB->Connessione;
    // The row and the litres it gives back to its tank go in one transaction.
    rifornimenti::elimina(c, id, rifornimenti::lavoraCisterne(c));
    q->requery();
    if (!q->isEmpty()) q->setCurrentIndex(qBound(0, posizione - 1, q->recordCount() - 1));
    if (form_DB->TableCisterne->isActive()) common::RicaricaDataset(*form_DB->TableCisterne, QStringLiteral("ID"));
    btnTotaliClick();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmVettureDettaglio, "frmVettureDettaglio",
                                        {.griglie = {{QStringLiteral("frmVettureDettaglio_DBGrid1"), QStringLiteral("DBGrid1")},
                                                     {QStringLiteral("frmVettureDettaglio_DBGrid2"), QStringLiteral("DBGrid2")},
                                                     {QStringLiteral("frmVettureDettaglio_DBGrid3"), QStringLiteral("DBGrid3")},
                                                     {QStringLiteral("frmVettureDettaglio_DBGrid4"), QStringLiteral("DBGrid4")}}});
} // namespace

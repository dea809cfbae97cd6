#include "PersonaleDettaglio.h"
#include "GrigliaPersonale.h"
#include "PersonaleCosti.h"
#include "PersonaleScadenze.h"
#include "PersonaleStipendi.h"

#include "common/GridLayouts.h"
#include "common/RecordHelpers.h"
#include "common/TextUtils.h"
#include "data/DB.h"
#include "db/DataSource.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "masterdata/DettaglioAnagrafica.h"
#include "operations/services/Personale.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/EditingHelper.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");

QDateTime oggi() { return QDateTime(ui::Clock::instance().today(), QTime(0, 0)); }

// An employee's sub-row added from its page: stored at once, then its editor opens with "Annulla".
void aggiungiSottoRiga(db::Query *q, forms::DetailForm *editor, qint64 idPersonale, const std::function<void(db::Query *)> &iniziali)
{
    if (!editor) return;
    q->setFilter(QString());
    q->append();
    q->fieldByName(QStringLiteral("Personale_ID")).setAsInteger(idPersonale);
    if (iniziali) iniziali(q);
    if (!common::SalvaNuovoRecord(*q, QStringLiteral("Id"))) {
        if (q->isEditing()) q->cancel();
        return;
    }
    editor->DatiModificati = true;
    editor->mostra(true);
}

void modifica(db::Query *q, forms::DetailForm *editor)
{
    if (q->recordCount() < 1 || !editor) return;
    editor->mostra(false);
}

void elimina(QWidget *finestra, db::Query *q, const QString &domanda)
{
    if (q->recordCount() < 1) return;
    if (forms::chiedi(finestra, domanda)) common::EliminaRecord(*q, QStringLiteral("ID"));
}

// The last `n` rows of a page's form laid in a group box of their own, which takes their place.
QGroupBox *raggruppa(QWidget *pagina, const QString &nome, const QString &titolo, int n)
{
    auto *f = qobject_cast<QFormLayout *>(pagina->layout());
    auto *g = new QGroupBox(titolo, pagina);
    g->setObjectName(nome);
    auto *interno = new QFormLayout(g);
    const int primo = f->rowCount() - n;
    for (int i = 0; i < n; ++i) {
        const QFormLayout::TakeRowResult r = f->takeRow(primo);
        QWidget *etichetta = r.labelItem ? r.labelItem->widget() : nullptr;
        QWidget *campo = r.fieldItem ? r.fieldItem->widget() : nullptr;
        delete r.labelItem;
        delete r.fieldItem;
        if (etichetta) interno->addRow(etichetta, campo);
        else interno->addRow(campo);
    }
    f->addRow(g);
    return g;
}

} // namespace

TfrmPersonaleDettaglio::TfrmPersonaleDettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmPersonaleDettaglio");
              c.titolo = QStringLiteral("Personale");
              c.helpContext = 2100;
              c.dataset = form_DB->TablePersonale;
              c.source = form_DB->SourcePersonale;
              c.conAiuto = true;
              c.captionSalva = QStringLiteral("salva");
              c.annulla = Annulla::TramiteLista;
              return c;
          }(),
          parent)
{
    setMinimumSize(900, 600);
    SpeedButton1 = ui::toolButton(this, QStringLiteral("SpeedButton1"), QStringLiteral("Stampa"),
                                  QStringLiteral("Visualizza l'anteprima di Stampa del Documento"), "document-print",
                                  QStyle::SP_FileIcon);
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdIndietro) ToolBar2->insertWidget(a, SpeedButton1);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::SpeedButton1Click);
    // The save is this editor's own: its two checks, the post and the name into the calendar.
    disconnect(spdSalva, nullptr, this, nullptr);
    connect(spdSalva, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::spdSalvaClick);

    auto edit = [this](const char *nome, const char *etichetta, const char *campo) {
        return aggiungiEdit(QString::fromLatin1(nome), QString::fromUtf8(etichetta), QString::fromLatin1(campo));
    };
    auto lookup = [this](const char *nome, const char *etichetta, const char *campo, db::DataSource *lista, const char *chiave,
                         const char *campoLista) {
        return aggiungiLookup(QString::fromLatin1(nome), QString::fromUtf8(etichetta), QString::fromLatin1(campo), lista,
                              QString::fromLatin1(chiave), QString::fromLatin1(campoLista));
    };
    auto lookupConPulsanti = [this](const char *nome, const char *etichetta, const char *campo, db::DataSource *lista,
                                    const char *chiave, const char *campoLista, const char *listaForm, const char *modifica,
                                    const char *aggiungi, const char *cosa, QToolButton *&pulsanteModifica,
                                    QToolButton *&pulsanteAggiungi) {
        const auto l = aggiungiLookup(QString::fromLatin1(nome), QString::fromUtf8(etichetta), QString::fromLatin1(campo), lista,
                                      QString::fromLatin1(chiave), QString::fromLatin1(campoLista),
                                      {QString::fromLatin1(listaForm),
                                       {QString::fromLatin1(modifica), QStringLiteral("Modifica ") + QString::fromUtf8(cosa)},
                                       {QString::fromLatin1(aggiungi), QStringLiteral("Aggiungi ") + QString::fromUtf8(cosa)}});
        for (QToolButton *b : {l.modifica, l.aggiungi}) {
            b->setProperty("listaForm", QString::fromLatin1(listaForm));
            m_pulsantiLookup << b;
        }
        pulsanteModifica = l.modifica;
        pulsanteAggiungi = l.aggiungi;
        return l.lookup;
    };

    QWidget *generale = aggiungiPagina(QStringLiteral("TabSheet1"), QStringLiteral("  Generale  "));
    DBEdit1 = edit("DBEdit1", "Cod. Operatore", "Id");
    DBEdit1->setReadOnly(true);
    DBEdit1->setFocusPolicy(Qt::NoFocus);
    DBEdit3 = edit("DBEdit3", "Codice", "Codice");
    DBEdit4 = edit("DBEdit4", "Rag. Sociale Descrizione", "Personale");
    DBEdit5 = edit("DBEdit5", "Cognome", "Cognome");
    DBEdit6 = edit("DBEdit6", "Nome", "Nome");
    DBEdit7 = edit("DBEdit7", "Titolo", "Titolo");
    DBLookupComboBox4 = lookupConPulsanti("DBLookupComboBox4", "Categoria", "CategoriaPersonale_ID", form_DB->SourceCategoriePersonale,
                                          "Id", "Descrizione", "frmGrigliaCategoriePersonale", "SpeedButton7", "SpeedButton10",
                                          "la Categoria", SpeedButton7, SpeedButton10);
    DBEdit8 = edit("DBEdit8", "Indirizzo", "Indirizzo");
    DBEdit9 = edit("DBEdit9", "N°", "Numero");
    DBLookupComboBox1 = lookupConPulsanti("DBLookupComboBox1", "Comune", "Comune_Id", form_DB->Source8, "Id", "COMUNE",
                                          "frmGrigliaComuni", "SpeedButton8", "SpeedButton9", "il Comune", SpeedButton8, SpeedButton9);
    DBEdit10 = edit("DBEdit10", "Cap", "Cap");
    DBLookupComboBox2 = lookup("DBLookupComboBox2", "Nazione", "IdPaese", form_DB->SourceNazioni, "SIGLA", "DENOMINAZ");
    DBEdit11 = edit("DBEdit11", "Telefono", "Tel");
    DBEdit12 = edit("DBEdit12", "Telefono2", "Telefono2");
    DBEdit13 = edit("DBEdit13", "Fax", "Fax");
    DBEdit14 = edit("DBEdit14", "Cellulare", "Cell");
    DBEdit15 = edit("DBEdit15", "Email", "Email");
    DBEdit16 = edit("DBEdit16", "Skype", "Skype");
    DBEdit17 = edit("DBEdit17", "Partita iva", "Iva");
    DBEdit18 = edit("DBEdit18", "Cod. Fiscale", "CodFisc");
    DBEdit19 = edit("DBEdit19", "Cod. Eori", "CodEORI");
    DBEdit20 = edit("DBEdit20", "Note", "Note");
    // The work folder with its two buttons on one row.
    DBEdit21 = edit("DBEdit21", "Cartella Dati", "CartellaServer");
    {
        auto *f = qobject_cast<QFormLayout *>(DBEdit21->parentWidget()->layout());
        auto *riga = new QWidget(DBEdit21->parentWidget());
        f->replaceWidget(DBEdit21, riga);
        auto *h = new QHBoxLayout(riga);
        h->setContentsMargins(0, 0, 0, 0);
        DBEdit21->setParent(riga);
        SpeedButton11 = ui::toolButton(riga, QStringLiteral("SpeedButton11"), QString(), QStringLiteral("Scegli la cartella"),
                                       "folder", QStyle::SP_DirIcon);
        SpeedButton12 = ui::toolButton(riga, QStringLiteral("SpeedButton12"), QString(), QStringLiteral("Apri la cartella"),
                                       "folder-open", QStyle::SP_DirOpenIcon);
        h->addWidget(DBEdit21, 1);
        h->addWidget(SpeedButton11);
        h->addWidget(SpeedButton12);
        connect(SpeedButton11, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::SpeedButton11Click);
        connect(SpeedButton12, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::SpeedButton12Click);
    }
    DBCheckBox1 = aggiungiCheck(QStringLiteral("DBCheckBox1"), QStringLiteral("Annullato"), QStringLiteral("Annullato"));
    DBCheckBox2 = aggiungiCheck(QStringLiteral("DBCheckBox2"), QStringLiteral("Consenso Privacy"), QStringLiteral("PrivacyFirmata"));
    masterdata::dueColonne(generale, 13);

    aggiungiPagina(QStringLiteral("TabSheet2"), QStringLiteral("  Dati Economici  "));
    DBEdit22 = edit("DBEdit22", "Paga mensile", "PagaMensile");
    auto conCalcola = [this](ui::DBEdit *campo, const char *nome) {
        auto *f = qobject_cast<QFormLayout *>(campo->parentWidget()->layout());
        auto *riga = new QWidget(campo->parentWidget());
        f->replaceWidget(campo, riga);
        auto *h = new QHBoxLayout(riga);
        h->setContentsMargins(0, 0, 0, 0);
        campo->setParent(riga);
        auto *b = new QPushButton(QStringLiteral("Calcola"), riga);
        b->setObjectName(QString::fromLatin1(nome));
        b->setFocusPolicy(Qt::NoFocus);
        h->addWidget(campo, 1);
        h->addWidget(b);
        return b;
    };
    DBEdit23 = edit("DBEdit23", "Tariffa Giornaliera", "TariffaGiornaliera");
    Button1 = conCalcola(DBEdit23, "Button1");
    DBEdit24 = edit("DBEdit24", "Tariffa Oraria", "TariffaOraria");
    Button2 = conCalcola(DBEdit24, "Button2");
    DBEdit25 = edit("DBEdit25", "Iban", "Iban");
    DBEdit26 = edit("DBEdit26", "Banca", "DescBanca");
    connect(Button1, &QPushButton::clicked, this, &TfrmPersonaleDettaglio::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmPersonaleDettaglio::Button2Click);

    QWidget *documenti = aggiungiPagina(QStringLiteral("TabSheet3"), QStringLiteral("  Documenti  "));
    DBEdit27 = edit("DBEdit27", "Data Assunzione", "DataAssunzione");
    DBEdit28 = edit("DBEdit28", "Data fine rapporto", "DataFineRapporto");
    DBLookupComboBox3 = lookupConPulsanti("DBLookupComboBox3", "Tipo Documento", "DocTipo", form_DB->SourceTipoDocumenti,
                                          "Descrizione", "Descrizione", "frmGrigliaTipoDocumenti", "SpeedButton4", "SpeedButton5",
                                          "il Tipo Documento", SpeedButton4, SpeedButton5);
    DBEdit29 = edit("DBEdit29", "n° Documento", "Documento");
    DBEdit30 = edit("DBEdit30", "N° Licenza guida", "NumeroLicenzaGuida");
    DBEdit31 = edit("DBEdit31", "CQC", "CQC");
    DBEdit32 = edit("DBEdit32", "Tachigrafo", "Tachigrafo");
    DBEdit33 = edit("DBEdit33", "Data Nascita", "DataNascita");
    DBLookupComboBox5 = lookup("DBLookupComboBox5", "Luogo di Nascita", "LuogoNascita_id", form_DB->Source8, "Id", "COMUNE");
    DBLookupComboBox6 = lookup("DBLookupComboBox6", "Stato Nascita", "StatoNascita", form_DB->SourceNazioni, "SIGLA", "DENOMINAZ");
    DBLookupComboBox7 = lookup("DBLookupComboBox7", "Cittadinanza", "Cittadinanza", form_DB->SourceNazioni, "SIGLA", "DENOMINAZ");
    DBEdit34 = edit("DBEdit34", "Questura di", "PermSogg_Questura");
    DBEdit35 = edit("DBEdit35", "Numero", "PermSogg_Numero");
    DBEdit36 = edit("DBEdit36", "Data", "PermSogg_Data");
    DBEdit37 = edit("DBEdit37", "Scadenza", "PermSogg_Scadenza");
    GroupBox5 = raggruppa(documenti, QStringLiteral("GroupBox5"), QStringLiteral("Permesso di soggiorno"), 4);
    DBEdit38 = edit("DBEdit38", "Passap. Numero", "Passaporto_Numero");
    DBEdit39 = edit("DBEdit39", "Data Rilascio", "Passaporto_DataRilascio");
    masterdata::dueColonne(documenti, 8);

    // Picks and emptied lookups are changes; the residence town brings its postcode.
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::picked, this, &TfrmPersonaleDettaglio::DBLookupComboBox1Click);
    for (ui::DBLookupComboBox *l : {DBLookupComboBox1, DBLookupComboBox2, DBLookupComboBox3, DBLookupComboBox4, DBLookupComboBox5,
                                    DBLookupComboBox6, DBLookupComboBox7}) {
        connect(l, &ui::DBLookupComboBox::cleared, this, [this] { DatiModificati = true; });
        if (l != DBLookupComboBox1) connect(l, &ui::DBLookupComboBox::picked, this, [this] { DatiModificati = true; });
    }
    DBEdit4->installEventFilter(this);

    // The three sub-pages.
    const Sotto scadenze = sottoPagina(QStringLiteral("TabSheet4"), QStringLiteral("  Scadenze  "), QStringLiteral("GroupBox2"),
                                       QStringLiteral("DBGrid2"), QStringLiteral("frmPersonaleDettaglio_DBGrid2"),
                                       form_DB->SourcePersonaleScadenze,
                                       {"spdEliminaDett", "spdInserisciDett", "SpeedButton6", "spdAvantiDett"},
                                       QStringLiteral("Stampa le Scadenze del Personale"));
    GroupBox2 = scadenze.gruppo;
    DBGrid2 = scadenze.griglia;
    spdEliminaDett = scadenze.elimina;
    spdInserisciDett = scadenze.aggiungi;
    SpeedButton6 = scadenze.stampa;
    spdAvantiDett = scadenze.modifica;
    DBGrid2->addColumn(QStringLiteral("Tipologia"), QStringLiteral("Tipologia"), 140);
    DBGrid2->addColumn(QStringLiteral("Descrizione"), QStringLiteral("Scadenza"), 220);
    DBGrid2->addColumn(QStringLiteral("DataScadenza"), QStringLiteral("Data Scadenza"), 110);
    DBGrid2->addColumn(QStringLiteral("DataAvviso"), QStringLiteral("Data Avviso"), 110);
    DBGrid2->addColumn(QStringLiteral("Note"), QStringLiteral("Note"), 240);
    // A deadline not done whose notice date is before today (or missing) is painted red.
    DBGrid2->setRowColorCallback([](int riga) -> QColor {
        db::Query *q = form_DB->TablePersonaleScadenze;
        const int avviso = q->fieldIndex(QStringLiteral("DataAvviso"));
        const int validato = q->fieldIndex(QStringLiteral("Validato"));
        if (avviso < 0 || validato < 0) return QColor();
        if (q->valueAt(riga, validato).toInt() != 0) return QColor();
        const QVariant data = q->valueAt(riga, avviso);
        const QString oggi = ui::Clock::instance().today().toString(QStringLiteral("yyyy-MM-dd"));
        return data.isNull() || data.toString().left(10) < oggi ? QColor(Qt::red) : QColor();
    });
    connect(spdEliminaDett, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::spdEliminaDettClick);
    connect(spdInserisciDett, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::spdInserisciDettClick);
    connect(SpeedButton6, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::SpeedButton6Click);
    connect(spdAvantiDett, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::spdAvantiDettClick);
    connect(DBGrid2, &ui::DBGrid::doubleClicked, this, &TfrmPersonaleDettaglio::DBGrid2DblClick);

    const Sotto costi = sottoPagina(QStringLiteral("TabSheet5"), QStringLiteral("  Costi  "), QStringLiteral("GroupBox4"),
                                    QStringLiteral("DBGrid4"), QStringLiteral("frmPersonaleDettaglio_DBGrid4"),
                                    form_DB->SourcePersonaleCosti, {"SpeedButton18", "SpeedButton19", "SpeedButton23", "SpeedButton21"},
                                    QStringLiteral("Stampa i costi del Personale"));
    GroupBox4 = costi.gruppo;
    DBGrid4 = costi.griglia;
    SpeedButton18 = costi.elimina;
    SpeedButton19 = costi.aggiungi;
    SpeedButton23 = costi.stampa;
    SpeedButton21 = costi.modifica;
    DBGrid4->addColumn(QStringLiteral("Data"), QStringLiteral("Data"), 110);
    DBGrid4->addColumn(QStringLiteral("TipologiaCosto"), QStringLiteral("Tipologia"), 180);
    DBGrid4->addColumn(QStringLiteral("Importo"), QStringLiteral("Importo"), 100);
    DBGrid4->addColumn(QStringLiteral("Note"), QStringLiteral("Note"), 260);
    connect(SpeedButton18, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::SpeedButton18Click);
    connect(SpeedButton19, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::SpeedButton19Click);
    connect(SpeedButton23, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::SpeedButton23Click);
    connect(SpeedButton21, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::SpeedButton21Click);
    connect(DBGrid4, &ui::DBGrid::doubleClicked, this, &TfrmPersonaleDettaglio::DBGrid4DblClick);

    const Sotto stipendi = sottoPagina(QStringLiteral("TabSheet6"), QStringLiteral("  Stipendi  "), QStringLiteral("GroupBox1"),
                                       QStringLiteral("DBGrid1"), QStringLiteral("frmPersonaleDettaglio_DBGrid1"),
                                       form_DB->SourcePersonaleStipendi,
                                       {"SpeedButton13", "SpeedButton14", QString(), "SpeedButton16"}, QString());
    GroupBox1 = stipendi.gruppo;
    DBGrid1 = stipendi.griglia;
    SpeedButton13 = stipendi.elimina;
    SpeedButton14 = stipendi.aggiungi;
    SpeedButton16 = stipendi.modifica;
    const struct {
        const char *campo, *titolo;
        int larghezza;
    } colonneStipendi[] = {{"Anno", "Anno", 60}, {"Mese", "Mese", 50}, {"ImportoBonifico", "Importo Bonifico", 110},
                           {"DataPagamento", "Data Pag.", 100}, {"Giorni", "Giorni", 60}, {"Trasferta", "Trasferta", 90},
                           {"Base", "Base", 90}, {"Assegni", "Assegni f.", 90}, {"Addebiti", "Addebiti", 90},
                           {"Accrediti", "Accrediti", 90}, {"TotaleParziale", "Tot.Parz.", 100}, {"Note", "Note", 200}};
    for (const auto &c : colonneStipendi)
        DBGrid1->addColumn(QString::fromLatin1(c.campo), QString::fromLatin1(c.titolo), c.larghezza);
    connect(SpeedButton13, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::SpeedButton13Click);
    connect(SpeedButton14, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::SpeedButton14Click);
    connect(SpeedButton16, &QToolButton::clicked, this, &TfrmPersonaleDettaglio::SpeedButton16Click);
    connect(DBGrid1, &ui::DBGrid::doubleClicked, this, &TfrmPersonaleDettaglio::DBGrid1DblClick);

    connect(PageControl1, &QTabWidget::currentChanged, this, &TfrmPersonaleDettaglio::PageControl1Change);
}

TfrmPersonaleDettaglio::Sotto TfrmPersonaleDettaglio::sottoPagina(const QString &pagina, const QString &titolo,
                                                                  const QString &gruppo, const QString &griglia,
                                                                  const QString &nomeGriglia, db::DataSource *source,
                                                                  const QStringList &nomi, const QString &suggerimentoStampa)
{
    aggiungiPagina(pagina, titolo);
    Sotto s{};
    s.gruppo = new QGroupBox(this);
    s.gruppo->setObjectName(gruppo);
    auto *v = new QVBoxLayout(s.gruppo);
    auto *barra = new QToolBar(s.gruppo);
    s.elimina = ui::toolButton(s.gruppo, nomi[0], QStringLiteral("Elimina"), QStringLiteral("Elimina il record corrente "),
                               "edit-delete", QStyle::SP_TrashIcon);
    s.aggiungi = ui::toolButton(s.gruppo, nomi[1], QStringLiteral("Aggiungi"), QStringLiteral("Inserisce un nuovo Record"),
                                "list-add", QStyle::SP_FileDialogNewFolder);
    if (!nomi[2].isEmpty())
        s.stampa = ui::toolButton(s.gruppo, nomi[2], QStringLiteral("Stampa"), suggerimentoStampa, "document-print",
                                  QStyle::SP_FileIcon);
    s.modifica = ui::toolButton(s.gruppo, nomi[3], QStringLiteral("Modifica"), QStringLiteral("Sava le modifiche effettuate"),
                                "document-edit", QStyle::SP_FileDialogDetailedView);
    for (QToolButton *b : {s.elimina, s.aggiungi, s.stampa, s.modifica})
        if (b) barra->addWidget(b);
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

qint64 TfrmPersonaleDettaglio::idPersonale() const
{
    db::Query *q = form_DB->TablePersonale;
    return q->isEmpty() ? 0 : q->fieldByName(QStringLiteral("Id")).asLargeInt();
}

void TfrmPersonaleDettaglio::showEvent(QShowEvent *e)
{
    const bool prima = m_editing == nullptr;
    // Lookups whose lists are not in the program keep their buttons disabled.
    for (QToolButton *b : m_pulsantiLookup) {
        const forms::VoceForm *v = forms::Registro::istanza().voce(b->property("listaForm").toString());
        b->setEnabled(v && v->corrente());
    }
    for (QGroupBox *g : m_gruppi) g->setVisible(true);
    // Whoever opens the editor (the list, or another form on the employee it names), its three
    // sub-pages show the rows of the employee shown.
    if (frmGrigliaPersonale) frmGrigliaPersonale->btnRequeryClick();
    forms::DetailForm::showEvent(e);
    if (prima && m_editing)
        for (QWidget *w : {DBEdit22, DBEdit23, DBEdit24}) m_editing->markAmountField(w);
}

bool TfrmPersonaleDettaglio::eventFilter(QObject *watched, QEvent *e)
{
    // Typing into the name, or its menu (a paste), changes the name the calendar copies.
    if (watched == DBEdit4 && masterdata::modificaNome(e)) NominativoModificato = true;
    return forms::DetailForm::eventFilter(watched, e);
}

bool TfrmPersonaleDettaglio::fallito(QWidget *campo, const QString &messaggio)
{
    forms::avvisa(this, messaggio, kErrore);
    SalvataggioFallito = true;
    {
        const QSignalBlocker quiet(PageControl1);
        PageControl1->setCurrentIndex(0);
    }
    campo->setFocus();
    return false;
}

void TfrmPersonaleDettaglio::spdSalvaClick()
{
    SalvataggioFallito = false;
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    Q_EMIT q->updateRecord();
    if (DBEdit4->text().isEmpty()) {
        fallito(DBEdit4, QStringLiteral("Attenzione manca il nominativo !"));
        return;
    }
    if (DBLookupComboBox2->currentText().isEmpty()) {
        fallito(DBLookupComboBox2, QStringLiteral("Attenzione manca la nazione !"));
        return;
    }
    q->edit();
    q->fieldByName(QStringLiteral("Annullato")).setAsBoolean(DBCheckBox1->isChecked());
    const qint64 id = idPersonale();
    const bool nome = NominativoModificato;
    // The post and the name into the calendar are one unit of work: a database error leaves
    // neither, shown, with what the user typed kept.
    personale::EsitoSalvataggio esito;
    const bool ok = masterdata::salvaRiga(this, q, id, [&] {
        esito = personale::salva(form_DB->Connessione, id, nome, [q] { return common::SalvaRecord(*q, QStringLiteral("Id")); });
        return esito.salvato;
    });
    if (!ok) {
        SalvataggioFallito = true;
        return;
    }
    if (nome) {
        NominativoModificato = false;
        if (form_DB->TableCalendario->isActive()) common::RicaricaDataset(*form_DB->TableCalendario, QStringLiteral("ID"));
    }
    DatiModificati = false;
}

void TfrmPersonaleDettaglio::spdIndietroClick()
{
    if (DatiModificati) {
        spdSalvaClick();
        if (SalvataggioFallito) return;
    }
    DatiModificati = false;
    forms::DetailForm::spdIndietroClick();
}

void TfrmPersonaleDettaglio::PageControl1Change()
{
    for (QGroupBox *g : m_gruppi) g->setVisible(true);
    const int pagina = PageControl1->currentIndex();
    if (pagina < 3 || !isVisible() || !DatiModificati) return;
    spdSalvaClick();
    if (!SalvataggioFallito) return;
    // The message has been shown: the page is reached, empty, so that nothing is added to an
    // employee that is not stored.
    {
        const QSignalBlocker quiet(PageControl1);
        PageControl1->setCurrentIndex(pagina);
    }
    for (QGroupBox *g : m_gruppi) g->setVisible(false);
}

void TfrmPersonaleDettaglio::DBLookupComboBox1Click()
{
    db::Query *q = dataset();
    const db::Field cap = form_DB->Table8->fieldByName(QStringLiteral("Cap"));
    if (!DBLookupComboBox1->currentText().isEmpty() && !cap.isNull()) {
        q->edit();
        q->fieldByName(QStringLiteral("Cap")).setAsString(cap.asString());
    }
    DatiModificati = true;
}

void TfrmPersonaleDettaglio::Button1Click()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    Q_EMIT q->updateRecord();
    const auto giorno = personale::tariffaGiornaliera(q->fieldByName(QStringLiteral("PagaMensile")).asFloat());
    if (!giorno) {
        forms::avvisa(this, QStringLiteral("Attenzione Inserisci la paga mensile per poter calcolare la tariffa giornaliera!"), kErrore);
        DBEdit22->setFocus();
        return;
    }
    q->edit();
    q->fieldByName(QStringLiteral("TariffaGiornaliera")).setAsFloat(*giorno);
    DatiModificati = true;
}

void TfrmPersonaleDettaglio::Button2Click()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    Q_EMIT q->updateRecord();
    const auto ora = personale::tariffaOraria(q->fieldByName(QStringLiteral("TariffaGiornaliera")).asFloat());
    if (!ora) {
        forms::avvisa(this, QStringLiteral("Attenzione Inserisci la Tariffa giornaliera per poter calcolare la tariffa Oraria!"),
                      kErrore);
        DBEdit23->setFocus();
        return;
    }
    q->edit();
    q->fieldByName(QStringLiteral("TariffaOraria")).setAsFloat(*ora);
    DatiModificati = true;
}

void TfrmPersonaleDettaglio::SpeedButton11Click()
{
    const QString cartella = ui::Dialogs::instance().folder(this, QStringLiteral("Cartella Dati"), PercorsoArchivioMdb);
    if (cartella.isEmpty() || !QDir(cartella).exists()) return;
    db::Query *q = dataset();
    q->edit();
    q->fieldByName(QStringLiteral("CartellaServer")).setAsString(common::AggiungiSeparatore(cartella));
    DatiModificati = true;
}

void TfrmPersonaleDettaglio::SpeedButton12Click()
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

void TfrmPersonaleDettaglio::SpeedButton1Click()
{
    if (form_DB->TablePersonale->isEmpty()) return;
    // The sheet is printed from the archive: what was typed is stored first.
    if (DatiModificati) {
        spdSalvaClick();
        if (SalvataggioFallito) return;
    }
    CodiceStampa = 60;
    form_DB->Button2Click();
}

// Deadlines
void TfrmPersonaleDettaglio::spdInserisciDettClick()
{
    aggiungiSottoRiga(form_DB->TablePersonaleScadenze, frmPersonaleScadenze, idPersonale(), [](db::Query *q) {
        q->fieldByName(QStringLiteral("DataScadenza")).setValue(oggi());
        q->fieldByName(QStringLiteral("DataAvviso")).setValue(oggi());
        q->fieldByName(QStringLiteral("Validato")).setAsBoolean(false);
    });
}

void TfrmPersonaleDettaglio::spdAvantiDettClick() { modifica(form_DB->TablePersonaleScadenze, frmPersonaleScadenze); }

void TfrmPersonaleDettaglio::spdEliminaDettClick()
{
    elimina(this, form_DB->TablePersonaleScadenze, QStringLiteral("Sei sicuro di voler eliminare la scadenza?"));
}

void TfrmPersonaleDettaglio::SpeedButton6Click()
{
    if (form_DB->TablePersonaleScadenze->isEmpty()) return;
    CodiceStampa = 54;
    form_DB->Button2Click();
}

// Costs
void TfrmPersonaleDettaglio::SpeedButton19Click()
{
    aggiungiSottoRiga(form_DB->TablePersonaleCosti, frmPersonaleCosti, idPersonale(),
                      [](db::Query *q) { q->fieldByName(QStringLiteral("Data")).setValue(oggi()); });
}

void TfrmPersonaleDettaglio::SpeedButton21Click() { modifica(form_DB->TablePersonaleCosti, frmPersonaleCosti); }

void TfrmPersonaleDettaglio::SpeedButton18Click()
{
    elimina(this, form_DB->TablePersonaleCosti, QStringLiteral("Sei sicuro di voler eliminare il Costo ?"));
}

void TfrmPersonaleDettaglio::SpeedButton23Click()
{
    if (form_DB->TablePersonaleCosti->isEmpty()) return;
    CodiceStampa = 18;
    form_DB->Button2Click();
}

// Salaries
void TfrmPersonaleDettaglio::SpeedButton14Click()
{
    const double paga = form_DB->TablePersonale->isEmpty()
                            ? 0
                            : form_DB->TablePersonale->fieldByName(QStringLiteral("PagaMensile")).asFloat();
    aggiungiSottoRiga(form_DB->TablePersonaleStipendi, frmPersonaleStipendi, idPersonale(), [paga](db::Query *q) {
        q->fieldByName(QStringLiteral("Base")).setAsFloat(paga);
        q->fieldByName(QStringLiteral("Anno")).setAsInteger(ui::Clock::instance().today().year());
        q->fieldByName(QStringLiteral("DataPagamento")).setValue(oggi());
    });
}

void TfrmPersonaleDettaglio::SpeedButton16Click() { modifica(form_DB->TablePersonaleStipendi, frmPersonaleStipendi); }

void TfrmPersonaleDettaglio::SpeedButton13Click()
{
    elimina(this, form_DB->TablePersonaleStipendi, QStringLiteral("Sei sicuro di voler eliminare lo Stipendio ?"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmPersonaleDettaglio, "frmPersonaleDettaglio",
                                        {.griglie = {{QStringLiteral("frmPersonaleDettaglio_DBGrid1"), QStringLiteral("DBGrid1")},
                                                     {QStringLiteral("frmPersonaleDettaglio_DBGrid2"), QStringLiteral("DBGrid2")},
                                                     {QStringLiteral("frmPersonaleDettaglio_DBGrid4"), QStringLiteral("DBGrid4")}}});
} // namespace

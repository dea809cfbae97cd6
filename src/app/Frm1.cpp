#include "Frm1.h"

#include "common/Dates.h"
#include "common/SqlText.h"
#include "data/DB.h"
#include "db/AccessSql.h"
#include "db/Command.h"
#include "db/DateTimeText.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "db/Transaction.h"
#include "data/services/Postazione.h"
#include "data/services/Storico.h"
#include "accounting/CassaPrimaNota.h"
#include "accounting/services/RicercaPrimaNota.h"
#include "forms/Family.h"
#include <QRegularExpression>
#include "BottoniMenu.h"
#include "MenuStampe.h"
#include "common/GridLayouts.h"
#include "forms/Registro.h"
#include "widgets/DBGrid.h"
#include "accounting/ArchivioContabilita.h"
#include "accounting/GrigliaContabilitaChiusuraIva.h"
#include "accounting/GrigliaIva.h"
#include "accounting/PromemoriaScadenze.h"
#include "accounting/services/Promemoria.h"
#include "accounting/Scadenziario.h"
#include "masterdata/ArchivioTipologie.h"
#include "masterdata/Banche.h"
#include "masterdata/Colori.h"
#include "masterdata/AvvisiClienti.h"
#include "masterdata/Clienti.h"
#include "masterdata/TestiAvvisi.h"
#include "masterdata/Comuni.h"
#include "masterdata/Fornitori.h"
#include "masterdata/EntiSequestratori.h"
#include "masterdata/Modelli.h"
#include "masterdata/ModPagamento.h"
#include "masterdata/MostraLista.h"
#include "masterdata/Province.h"
#include "masterdata/Reparti.h"
#include "masterdata/Tariffe.h"
#include "masterdata/TariffeDett.h"
#include "masterdata/UnitaMisura.h"
#include "sales/GrigliaFatture.h"
#include "sales/GrigliaNoteCredito.h"
#include "sales/GrigliaPreventivi.h"
#include "operations/Vetture.h"
#include "operations/GrigliaCalendario.h"
#include "operations/GrigliaPersonale.h"
#include "operations/StampaPersonale.h"
#include "settings/Ditta.h"
#include "operations/Carburanti.h"
#include "operations/Cisterne.h"
#include "operations/Rifornimenti.h"
#include "operations/GrigliaSequestri.h"
#include "operations/services/Sequestri.h"
#include "common/RecordHelpers.h"
#include "db/Query.h"
#include "settings/Opzioni.h"
#include "settings/Password.h"
#include "settings/Realizzazione.h"
#include "einvoice/ErroriFatturazioneElettronica.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/Seams.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCryptographicHash>
#include <QRegularExpression>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using common::DataSql;
using common::RaddoppiaApici;

namespace {

const QString kCaptionErrore = QStringLiteral("Messaggio di errore");

struct MenuEntry {
    const char *name;    // component name
    const char *caption;
    const char *icon;    // theme icon
    void (TForm1::*handler)() = nullptr; // its handler (the name followed by Click); none: it waits for its form
};

// The buttons of each tab, in reading order; a null name starts a new row.
const std::vector<std::vector<MenuEntry>> &menuLayout()
{
    static const std::vector<std::vector<MenuEntry>> tabs = {
        {{"btnArchivioAvvisi", "Avvisi", "mail-message-new", &TForm1::btnArchivioAvvisiClick},
         {"btnBanche", "Banche", "bank", &TForm1::btnBancheClick},
         {"btnCarburanti", "Carburanti", "weather-showers", &TForm1::btnCarburantiClick},
         {"btnCisterne", "Cisterne", "drive-harddisk", &TForm1::btnCisterneClick},
         {"btnClienti", "Clienti", "system-users", &TForm1::btnClientiClick},
         {"btnColori", "Colori", "preferences-desktop-color", &TForm1::btnColoriClick},
         {"btnComuni", "Comuni", "mark-location", &TForm1::btnComuniClick},
         {"btnArchivioContabilita", "Contabilità", "accessories-calculator", &TForm1::btnArchivioContabilitaClick},
         {nullptr, nullptr, nullptr},
         {"BitBtn5", "Enti Sequestratori", "security-high", &TForm1::BitBtn5Click},
         {"btnFornitori", "Fornitori", "system-users", &TForm1::btnFornitoriClick},
         {"btnIva", "Iva", "accessories-calculator", &TForm1::btnIvaClick},
         {"btnMarche", "Marche", "emblem-favorite", &TForm1::btnMarcheClick},
         {"btnModalitaPagamento", "Mododalità Pagamento", "wallet-open", &TForm1::btnModalitaPagamentoClick},
         {"btnPersonale", "Personale", "user-info", &TForm1::btnPersonaleClick},
         {nullptr, nullptr, nullptr},
         {"btnProvince", "Province", "mark-location", &TForm1::btnProvinceClick},
         {"btnReparti", "Reparti", "folder", &TForm1::btnRepartiClick},
         {"btnRifornimenti", "Rifornimenti", "weather-showers", &TForm1::btnRifornimentiClick},
         {"btnTariffe", "Tariffe", "view-list-details", &TForm1::btnTariffeClick},
         {"btnTipologie", "Tipologie", "view-list-icons", &TForm1::btnTipologieClick},
         {"btnUnitaMisura", "Unità di Misura", "measure", &TForm1::btnUnitaMisuraClick},
         {"btnVetture", "Vetture", "applications-system", &TForm1::btnVettureClick}},
        {{"btnAttivitaAvvisiClienti", "Avvisi Clienti", "mail-send", &TForm1::btnAttivitaAvvisiClientiClick},
         {"BitBtn3", "Calendario", "x-office-calendar", &TForm1::BitBtn3Click},
         {"btnAttivitaChiusuraIva", "Chiusura Iva", "accessories-calculator", &TForm1::btnAttivitaChiusuraIvaClick},
         {"btnEsportazioni", "Esportazioni", "document-export"},
         {"btnFatturaElettronica", "Fattura Elettronica Estesa", "text-xml"},
         {"btnAttivitaOpzioni", "Opzioni", "preferences-system", &TForm1::btnAttivitaOpzioniClick},
         {"btnAttivitaPrimaNota", "Prima Nota", "accessories-text-editor", &TForm1::btnAttivitaPrimaNotaClick}},
        {{"btnFattureClienti", "Fatture", "x-office-document", &TForm1::btnFattureClientiClick},
         {"btnNoteCreditoClienti", "Note Credito", "edit-undo", &TForm1::btnNoteCreditoClientiClick},
         {"btnPreventivi", "Preventivi", "document-edit", &TForm1::btnPreventiviClick},
         {"btnSequestri", "Sequestri", "emblem-readonly", &TForm1::btnSequestriClick}},
        {{"btnFattureFornitori", "Fatture", "x-office-document"},
         {"spdImportaXml", "Importa fattura elettronica xml", "document-import", &TForm1::spdImportaXmlClick},
         {"btnNoteCreditoFornitori", "Note Credito", "edit-undo"}},
        {}, // Stampe
        {}, // Storico
        {}, // Scadenziario
        {{"btnUtilityRealizzazione", "Realizzazione", "help-about", &TForm1::btnUtilityRealizzazioneClick},
         {"btnErroriFatturaElettronica", "Errori di scarto Fattura Elettronica", "dialog-error", &TForm1::btnErroriFatturaElettronicaClick}},
        {}, // Video
    };
    return tabs;
}

struct TabDef {
    const char *name;
    const char *caption;
    const char *icon;
    bool grouped; // its buttons sit in a group box
};

const TabDef kTabs[] = {
    {"tabArchivio", "Archivio  ", "folder", false},
    {"tabAttivita", "Attività", "system-run", true},
    {"tabDocClienti", "Documenti Clienti  ", "x-office-document", true},
    {"tabDocFornitori", "Documenti Fornitori  ", "document-open", false},
    {"tabStampe", "Stampe  ", "document-print", false},
    {"tabStorico", "Storico  ", "document-open-recent", false},
    {"tabScadenziario", "Scadenziario  ", "x-office-calendar", false},
    {"tabUtility", "Utility", "applications-utilities", false},
    {"tabVideo", "Video", "video-x-generic", false},
};

// Restores the normal cursor however the start-up ends.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

QString FiltroDate(const QString &daData, const QString &aData, bool &anniDiversi, bool dataRegistrazione)
{
    const QDateTime a = db::parseDayFirst(daData);
    const QDateTime b = db::parseDayFirst(aData);
    if (!a.isValid() || !b.isValid())
        throw db::DbError(QStringLiteral("Attenzione data non valida: %1 - %2").arg(daData, aData));
    const QString col = dataRegistrazione ? QStringLiteral("DataRegistrazione") : QStringLiteral("Data");
    anniDiversi = a.date().year() != b.date().year();
    return QStringLiteral("WHERE %1 >= #%2# AND %1 <= #%3 23.59.59#").arg(col, DataSql(daData), DataSql(aData));
}

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Pellavantoria"));
    setProperty("helpContext", 100);
    // As large as the menu wants, within the screen it opens on.
    const QRect schermo = screen() ? screen()->availableGeometry() : QRect(0, 0, 1180, 640);
    resize(qMin(1180, schermo.width() - 8), qMin(640, schermo.height() - 40));
    terminaApplicazione = [] { QCoreApplication::exit(0); };

    auto *central = new QWidget(this);
    auto *lay = new QVBoxLayout(central);
    auto *top = new QHBoxLayout;
    Label1 = new QLabel(central);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont big = Label1->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 4);
    Label1->setFont(big);
    Button2 = new QPushButton(QStringLiteral("Carica ditta"), central);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setCursor(Qt::PointingHandCursor);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    top->addWidget(Label1);
    top->addWidget(Button2);
    top->addStretch(1);
    lay->addLayout(top);

    pgcBarra = new QTabWidget(central);
    pgcBarra->setObjectName(QStringLiteral("pgcBarra"));
    pgcBarra->setIconSize(QSize(24, 24));
    QFont tabFont = pgcBarra->font();
    tabFont.setBold(true);
    pgcBarra->setFont(tabFont);
    buildMenu();
    lay->addWidget(pgcBarra, 1);

    auto *bottom = new QHBoxLayout;
    btnHelp = bigButton(central, QStringLiteral("btnHelp"), QStringLiteral("Aiuto"), themeIcon("help-contents", QStyle::SP_DialogHelpButton));
    connect(btnHelp, &QToolButton::clicked, this, [] { ui::apriGuida(100); });
    btnLavoraRete = bigButton(central, QStringLiteral("btnLavoraRete"), QStringLiteral("Lavora in Rete"),
                              themeIcon("network-workgroup", QStyle::SP_DriveNetIcon));
    Memo1 = new QPlainTextEdit(central);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setToolTip(QStringLiteral("Percorso di rete"));
    Memo1->setMaximumHeight(80);
    Memo1->installEventFilter(this);
    btnEsci = bigButton(central, QStringLiteral("btnEsci"), QStringLiteral("Esci"), themeIcon("application-exit", QStyle::SP_DialogCloseButton));
    Button1 = new QPushButton(QStringLiteral("totale Imponibile"), central);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setVisible(false);
    Button1->setEnabled(false); // the maintenance action comes with its own work
    Button3 = new QPushButton(QStringLiteral("Collega targhe sequestri"), central);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setVisible(false);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    Image1 = new QLabel(central);
    Image1->setPixmap(themeIcon("applications-office", QStyle::SP_ComputerIcon).pixmap(64, 64));
    bottom->addWidget(btnHelp);
    bottom->addWidget(btnLavoraRete);
    bottom->addWidget(Memo1, 1);
    bottom->addWidget(btnEsci);
    bottom->addWidget(Button1);
    bottom->addWidget(Button3);
    bottom->addWidget(Image1);
    lay->addLayout(bottom);
    setCentralWidget(central);
    statusBar();

    for (QToolButton *b : {btnHelp, btnLavoraRete, btnEsci}) b->installEventFilter(this);
    connect(btnLavoraRete, &QToolButton::clicked, this, &TForm1::btnLavoraReteClick);
    connect(btnEsci, &QToolButton::clicked, this, &TForm1::btnEsciClick);
}

void TForm1::buildMenu()
{
    const auto &layout = menuLayout();
    for (int t = 0; t < int(std::size(kTabs)); ++t) {
        auto *page = new QWidget(pgcBarra);
        page->setObjectName(QString::fromLatin1(kTabs[t].name));
        auto *outer = new QVBoxLayout(page);
        QWidget *holder = page;
        if (kTabs[t].grouped) {
            auto *box = new QGroupBox(page);
            outer->addWidget(box);
            holder = box;
        }
        auto *grid = new QGridLayout;
        int row = 0, col = 0;
        for (const MenuEntry &e : layout[t]) {
            if (!e.name) {
                ++row;
                col = 0;
                continue;
            }
            QToolButton *b = bigButton(holder, QString::fromLatin1(e.name), QString::fromUtf8(e.caption),
                                       themeIcon(e.icon, QStyle::SP_FileIcon));
            if (QLatin1String(e.name) == QLatin1String("spdImportaXml"))
                b->setToolTip(QStringLiteral("importa documento da un file XML"));
            if (e.handler) connect(b, &QToolButton::clicked, this, e.handler);
            else segnaInAttesa(b);
            if (QLatin1String(e.name) == QLatin1String("btnUtilityRealizzazione")) b->setProperty("senzaArchivio", true);
            grid->addWidget(b, row, col++);
        }
        if (holder != page) holder->setLayout(grid);
        else outer->addLayout(grid);
        if (t == tabStampe) costruisciMenuStampe(page, outer);
        if (t == tabStorico) costruisciMenuStorico(this, page, outer);
        if (t == tabScadenziario) costruisciMenuScadenziario(this, page, outer);
        if (t == tabVideo) costruisciMenuVideo(page, outer);
        outer->addStretch(1);
        pgcBarra->addTab(page, themeIcon(kTabs[t].icon, QStyle::SP_DirIcon), QString::fromUtf8(kTabs[t].caption));
    }
    // Enter on a focused menu button presses it, as Space does.
    for (QToolButton *b : pgcBarra->findChildren<QToolButton *>()) b->installEventFilter(this);
    maskDa->installEventFilter(this);
}

void TForm1::impostaFunzioniArchivio(bool abilita)
{
    for (QToolButton *b : pgcBarra->findChildren<QToolButton *>())
        if (!b->property("inAttesa").toBool() && !b->property("senzaArchivio").toBool()) b->setEnabled(abilita);
}

void TForm1::maskDaExit()
{
    const QString da = maskDa->text();
    QString cifre = da;
    cifre.remove(u'/').remove(u' ');
    if (cifre.size() < 8) return; // an incomplete date proposes nothing
    QString fine = maskA->text();
    if (!fine.remove(u'/').remove(u' ').isEmpty()) return; // an end already typed is never changed
    maskA->setText(QStringLiteral("31/12/") + da.mid(6, 4));
}

QToolButton *TForm1::menuButton(int tab, const QString &caption) const
{
    if (tab < 0 || tab >= pgcBarra->count()) return nullptr;
    for (QToolButton *b : pgcBarra->widget(tab)->findChildren<QToolButton *>())
        if (b->text() == caption) return b;
    return nullptr;
}

void TForm1::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TForm1::FormActivate()
{
    // A failed start-up is shown once: closing its message re-activates this window, and running
    // the pass again would show it again, for ever. It waits for "Lavora in Rete".
    if (m_inActivate || (!AvvioCompletato && m_avvioFallito)) return;
    m_inActivate = true;
    struct Fine {
        bool &flag;
        ~Fine() { flag = false; }
    } fine{m_inActivate};
    try {
        if (!AvvioCompletato) {
            if (!AvvioCompleto()) {
                m_avvioFallito = true;
                impostaFunzioniArchivio(false);
                return;
            }
            AvvioCompletato = true;
            impostaFunzioniArchivio(true);
        }
        if (form_DB->Connessione.isOpen()) form_DB->cmdFiltriClick();
    } catch (const std::exception &e) {
        m_avvioFallito = !AvvioCompletato;
        if (m_avvioFallito) impostaFunzioniArchivio(false);
        ui::showError(QString::fromUtf8(e.what()), kCaptionErrore, this);
    }
}

QString TForm1::individuaArchivio()
{
    const QString folder = ui::Workstation::instance().programFolder();
    const QString f = QDir(folder).filePath(QStringLiteral("percorso.txt"));
    QString path;
    QFile file(f);
    if (file.exists() && file.open(QIODevice::ReadOnly)) path = QString::fromUtf8(file.readAll()).trimmed();
    if (path.isEmpty()) {
        path = QDir(folder).filePath(QStringLiteral("archivio.db"));
        scriviPercorso(path);
    }
    Memo1->setPlainText(path);
    return path;
}

void TForm1::scriviPercorso(const QString &path)
{
    QSaveFile out(QDir(ui::Workstation::instance().programFolder()).filePath(QStringLiteral("percorso.txt")));
    if (!out.open(QIODevice::WriteOnly) || out.write((path + u'\n').toUtf8()) < 0 || !out.commit())
        throw db::DbError(QStringLiteral("Impossibile scrivere il file percorso.txt: ") + out.errorString());
}

bool TForm1::apriArchivio(const QString &path, bool creaSeManca)
{
    // A missing file is created only where the program keeps its own database: a path that
    // names a missing file elsewhere (a network folder not reachable) must not start empty.
    // An empty file would become a new, empty company just the same.
    if (!creaSeManca && !db::isServerAddress(path) && (!QFileInfo::exists(path) || QFileInfo(path).size() == 0)) {
        ui::showError(QStringLiteral("Attenzione il database %1 %2.\nScegliere il database con \"Lavora in Rete\".")
                          .arg(path, QFileInfo::exists(path) ? QStringLiteral("è un file vuoto") : QStringLiteral("non esiste")),
                      kCaptionErrore, this);
        return false;
    }
    db::Connection &c = form_DB->Connessione;
    if (!c.open(path)) {
        ui::showError(QStringLiteral("Impossibile aprire il database %1:\n%2").arg(path, c.error()), kCaptionErrore, this);
        return false;
    }
    try {
        db::schema::ensureCurrent(c);
    } catch (const db::DbError &e) {
        c.close();
        ui::showError(QStringLiteral("Impossibile preparare il database %1:\n%2").arg(path, e.message()), kCaptionErrore, this);
        return false;
    }
    StringaConnessione = path;
    return true;
}

QString TForm1::cartellaArchivio(const QString &archivio)
{
    // A database on a server has no folder of its own: its update script is placed beside the
    // program.
    if (db::isServerAddress(archivio)) return ui::Workstation::instance().programFolder();
    return QFileInfo(archivio).absolutePath();
}

bool TForm1::AvvioCompleto()
{
    Memo1->clear();
    PercorsoArchivio = individuaArchivio();
    const QString programFolder = ui::Workstation::instance().programFolder();
    const bool predefinito = QFileInfo(PercorsoArchivio).absoluteFilePath()
        == QFileInfo(QDir(programFolder).filePath(QStringLiteral("archivio.db"))).absoluteFilePath();
    PercorsoArchivioMdb = QDir(cartellaArchivio(PercorsoArchivio)).filePath(QStringLiteral("archivio.db"));
    FileHelp = QDir(ui::Workstation::instance().installFolder()).filePath(QStringLiteral("aiuto/index.html"));
    if (!QFileInfo::exists(FileHelp)) ui::showInformation(QStringLiteral("File di Help non Trovato\n") + FileHelp, QStringLiteral("Pellavantoria"), this);
    if (!apriArchivio(PercorsoArchivio, predefinito)) return false;
    eseguiSQLAggio();
    WaitCursor wait;
    cancellaTemporanei();
    AggiornaStorico();
    cmdConnessioneClick();
    mostraRagioneSociale();
    CaricaTutteLeGriglie();
    if (!chiediPassword()) {
        termina();
        return false;
    }
    const int tab = form_DB->TableOpzioni->fieldByName(QStringLiteral("TabIniziale")).asInteger();
    if (tab >= 0 && tab < pgcBarra->count()) pgcBarra->setCurrentIndex(tab);
    if (form_DB->TableOpzioni->fieldByName(QStringLiteral("PromemoriaScadenze")).asBoolean()) PromemoriaScadenze();
    return true;
}

void TForm1::PromemoriaScadenze()
{
    // A failing query stops the start-up like any other step; only the window's own errors
    // are let go, so that the start-up goes on.
    const promemoria::Promemoria p = promemoria::leggi(form_DB->Connessione);
    if (!frmPromemoriaScadenze) return;
    frmPromemoriaScadenze->riempi(p);
    if (p.isEmpty()) return;
    raise();
    activateWindow();
    try {
        frmPromemoriaScadenze->exec();
    } catch (...) {
    }
}

namespace {

// The first word of a statement, upper case (comments are already gone from script pieces).
QString parolaIniziale(const QString &s)
{
    return s.trimmed().section(QRegularExpression(QStringLiteral("\\s+")), 0, 0).toUpper();
}

} // namespace

void TForm1::eseguiSQLAggio()
{
    const QString script = QDir(cartellaArchivio(PercorsoArchivio)).filePath(QStringLiteral("SQLAggio.sql"));
    if (!QFileInfo::exists(script)) return;
    db::Connection &c = form_DB->Connessione;
    QString current;
    bool giaApplicato = false;
    // What refused the script, said once the transaction is over: no box is open while the
    // write lock is held, or the other workstations would wait for the user.
    QString rifiuto;
    try {
        // The write lock is taken before the file is read: a workstation that starts at the same
        // moment waits here, then finds the script recorded and does not apply it again.
        db::Transaction t(c);
        QFile f(script);
        if (!f.exists()) throw db::Annulla<int>{}; // another workstation applied and deleted it meanwhile
        if (!f.open(QIODevice::ReadOnly)) {
            rifiuto = QStringLiteral("Impossibile leggere %1").arg(script);
            throw db::Annulla<int>{};
        }
        const QByteArray contenuto = f.readAll();
        f.close();
        const QString impronta = QString::fromLatin1(QCryptographicHash::hash(contenuto, QCryptographicHash::Sha256).toHex());
        giaApplicato =
            c.scalar(QStringLiteral("select count(*) from AggiornamentiApplicati where Impronta = :impronta"), {{":impronta", impronta}})
                .toInt()
            > 0;
        if (!giaApplicato) {
            form_DB->Memo1 = QString::fromUtf8(contenuto);
            QStringList statements = db::AccessSql::splitScript(form_DB->Memo1);
            form_DB->Memo1.clear();
            // A script wrapped in BEGIN ... COMMIT is taken whole, as the program applies it anyway;
            // any other transaction statement would apply part of it, so the script is refused.
            if (statements.size() >= 2 && parolaIniziale(statements.first()) == "BEGIN"
                && (parolaIniziale(statements.last()) == "COMMIT" || parolaIniziale(statements.last()) == "END")) {
                statements.removeFirst();
                statements.removeLast();
            }
            for (const QString &s : statements)
                if (db::AccessSql::isTransactionStatement(s)) {
                    rifiuto = QStringLiteral("Attenzione l'aggiornamento del database (SQLAggio.sql) non è stato eseguito.\n"
                                             "Lo script contiene l'istruzione di transazione:\n%1\n\n"
                                             "Il programma applica lo script tutto o niente da sé: togliere dallo script "
                                             "BEGIN, COMMIT, ROLLBACK e SAVEPOINT, oppure racchiuderlo per intero tra "
                                             "BEGIN; e COMMIT;.")
                                  .arg(s.trimmed());
                    throw db::Annulla<int>{};
                }
            for (const QString &s : statements) {
                current = s;
                db::Command::execute(&c, s);
            }
            current.clear();
            db::Command::execute(&c,
                                 QStringLiteral("insert into AggiornamentiApplicati (Impronta, NomeFile, DataApplicazione, "
                                                "NomeComputer) values (:impronta, :file, :data, :postazione)"),
                                 {{":impronta", impronta},
                                  {":file", QFileInfo(script).fileName()},
                                  {":data", ui::Clock::instance().now()},
                                  {":postazione", NomeComputerLocale}});
        }
        t.commit();
    } catch (const db::Annulla<int> &) {
        // Rolled back, nothing applied.
        if (!rifiuto.isEmpty()) ui::showError(rifiuto, kCaptionErrore, this);
        return;
    } catch (const db::DbError &e) {
        // All or nothing: a failing statement leaves the database and the file as they were, so
        // the script can be corrected and runs again at the next start.
        ui::showError(QStringLiteral("Attenzione l'aggiornamento del database (SQLAggio.sql) non è stato eseguito.\n%1\n\n%2")
                          .arg(current.isEmpty() ? QString() : QStringLiteral("Istruzione non riuscita:\n") + current, e.message()),
                      kCaptionErrore, this);
        return;
    }
    // A script recorded as applied is never applied again, so a file that cannot be deleted
    // is only reported once, when it was applied.
    if (!QFile::remove(script) && !giaApplicato)
        ui::showError(QStringLiteral("Aggiornamento eseguito ma impossibile eliminare %1").arg(script), kCaptionErrore, this);
    c.clearMetadataCache();
}

void TForm1::cancellaTemporanei() { postazione::cancellaTemporanei(form_DB->Connessione, NomeComputerLocale); }

void TForm1::AggiornaStorico() { storico::aggiorna(form_DB->Connessione, ui::Clock::instance().today()); }

void TForm1::cmdConnessioneClick()
{
    Tform_DB *m = form_DB;
    const QList<db::Query *> keepOpen = {m->TableTempEtichette, m->TableTrovaFattura, m->TablePersonaleStipendi,
                                         m->TableTempBilancio, m->TableTempScadenzeCumulative};
    for (db::Query *q : m->queries())
        if (!keepOpen.contains(q)) q->close();

    // This workstation's rows only; its label rows are emptied once their query is bound.
    for (const auto &[nome, sql] : postazione::sqlPerPostazione(NomeComputerLocale)) {
        db::Query *q = m->queryByName(nome);
        q->close();
        q->setSql(sql);
        q->open();
        if (q == m->TableTempEtichette)
            while (!q->isEmpty()) q->deleteRecord();
    }
    if (m->TableTempAvvisi->isEmpty()) {
        m->TableTempAvvisi->insert();
        m->TableTempAvvisi->fieldByName(QStringLiteral("NomeComputer")).setAsString(NomeComputerLocale);
        if (!m->TableTempAvvisi->post()) throw db::DbError(m->TableTempAvvisi->lastError());
        m->TableTempAvvisi->edit();
    }
    // The others are opened on their first use: the start-up reads only what it shows, so ten
    // years of history and lists no one has opened yet cost nothing.
    const QList<db::Query *> staChiusa = {m->TableMovimentiCarico, m->TableTrovaFattura, m->TablePersonaleStipendi};
    for (db::Query *q : m->queries())
        if (!staChiusa.contains(q) && !q->isActive()) q->openOnFirstUse();
}

QList<db::Query *> TForm1::queryDellaFinestra()
{
    QList<db::Query *> out = {form_DB->Table12, form_DB->TableOpzioni};
    for (const auto &[nome, sql] : postazione::sqlPerPostazione(NomeComputerLocale)) out << form_DB->queryByName(nome);
    return out;
}

void TForm1::mostraRagioneSociale()
{
    // Every database shows its own name; one without a name shows none.
    const db::Field ragSoc = form_DB->Table12->findField(QStringLiteral("RagSoc"));
    RagioneSocialeDitta = ragSoc.isValid() ? ragSoc.asString() : QString();
    Label1->setText(RagioneSocialeDitta);
}

void TForm1::CaricaTutteLeGriglie()
{
    // The grids the forms declared when they registered, in the program's restoring order.
    for (const forms::Registro::Griglia &g : forms::Registro::istanza().griglieCreate())
        if (auto *griglia = qobject_cast<ui::DBGrid *>(g.griglia))
            common::CaricaGriglia(g.chiave, *griglia, *form_DB->griglie(), false, false, NomeComputerLocale);
}

bool TForm1::chiediPassword()
{
    const QString password = form_DB->TableOpzioni->fieldByName(QStringLiteral("PasswordAmministratore")).asString();
    if (password.isEmpty()) return true;
    frmPass->Edit1->clear();
    frmPass->exec();
    return frmPass->Edit1->text() == password;
}

void TForm1::termina()
{
    form_DB->Connessione.close();
    if (terminaApplicazione) terminaApplicazione();
}

QString TForm1::scegliArchivio()
{
    const bool suServer = db::isServerAddress(PercorsoArchivio);
    const int dove = ui::Dialogs::instance().choose(
        this, QStringLiteral("Lavora in Rete"), QStringLiteral("Su quale archivio si vuole lavorare?"),
        {QStringLiteral("File dell'archivio (archivio.db), per una sola postazione"),
         QStringLiteral("Server PostgreSQL, archivio condiviso da più postazioni")},
        suServer ? 1 : 0);
    if (dove < 0) return {};
    if (dove == 0)
        return ui::Dialogs::instance().openFile(this, QStringLiteral("Lavora in Rete"),
                                                suServer ? ui::Workstation::instance().programFolder()
                                                         : QFileInfo(PercorsoArchivio).absolutePath(),
                                                QStringLiteral("Database (archivio.db)"));
    // The four parts of the address, proposed from the server in use or from the usual values.
    db::ServerAddress a = db::parseServerAddress(PercorsoArchivio);
    if (!suServer) {
        a.host = QStringLiteral("localhost");
        a.port = 5432;
        a.database = QStringLiteral("pellavantoria");
        a.user = qEnvironmentVariable("USER");
    }
    QStringList valori = {a.host, QString::number(a.port), a.database, a.user};
    if (!ui::Dialogs::instance().inputFields(
            this, QStringLiteral("Lavora in Rete"),
            QStringLiteral("Archivio condiviso su un server PostgreSQL. La password non viene chiesta né salvata: "
                           "il collegamento la legge dal file delle password di PostgreSQL dell'utente (~/.pgpass)."),
            {QStringLiteral("Server"), QStringLiteral("Porta"), QStringLiteral("Database"), QStringLiteral("Utente")}, valori))
        return {};
    bool portaValida = false;
    const int porta = valori.value(1).trimmed().toInt(&portaValida);
    a = {valori.value(0).trimmed(), porta, valori.value(2).trimmed(), valori.value(3).trimmed()};
    if (a.host.isEmpty() || a.database.isEmpty() || !portaValida || porta < 1 || porta > 65535) {
        ui::showError(QStringLiteral("Attenzione indicare il server, la porta (un numero da 1 a 65535) e il nome del database."),
                      kCaptionErrore, this);
        return {};
    }
    return db::serverAddressText(a);
}

void TForm1::btnLavoraReteClick()
{
    const QString scelto = scegliArchivio();
    if (scelto.isEmpty()) return;
    const QString precedente = PercorsoArchivio;
    for (db::Query *q : form_DB->queries()) q->close();
    // The new path is remembered only once its database has opened; otherwise the program
    // goes back to the database it was using.
    if (!apriArchivio(scelto, false)) {
        if (AvvioCompletato && !precedente.isEmpty() && apriArchivio(precedente, false)) cmdConnessioneClick();
        return;
    }
    PercorsoArchivio = scelto;
    Memo1->setPlainText(scelto);
    PercorsoArchivioMdb = db::isServerAddress(scelto) ? QDir(cartellaArchivio(scelto)).filePath(QStringLiteral("archivio.db")) : scelto;
    scriviPercorso(scelto);
    if (!AvvioCompletato) {
        // The start-up had stopped: it runs whole on the database just chosen.
        m_avvioFallito = false;
        FormActivate();
        return;
    }
    cmdConnessioneClick();
    mostraRagioneSociale();
}

void TForm1::btnUtilityRealizzazioneClick()
{
    frmRealizzazione->show();
    frmRealizzazione->raise();
    frmRealizzazione->activateWindow();
}

// The rejection codes open with both search boxes empty and every code listed.
void TForm1::btnErroriFatturaElettronicaClick()
{
    masterdata::mostraLista(frmGrigliaErroriFatturazioneElettronica, {}, {QStringLiteral("Edit2"), QStringLiteral("Edit4")}, true);
}

void TForm1::btnEsciClick() { termina(); }

namespace {

// The usual way a menu button shows a list: unfiltered while it is open and after it closes,
// with the named search boxes emptied afterwards.
void mostraLista(forms::ListForm *lista, const QStringList &caselleDopo = {QStringLiteral("Edit1")}, bool filtroPrima = true)
{
    masterdata::mostraLista(lista, caselleDopo, {}, filtroPrima);
}

} // namespace

void TForm1::btnColoriClick() { mostraLista(frmGrigliaColori); }

// The bank accounts' search boxes keep their text between showings.
void TForm1::btnBancheClick() { mostraLista(frmGrigliaBanche, {}); }

void TForm1::Button2Click()
{
    if (!form_DB->Connessione.isOpen()) return; // no database, no company
    frmDitta->apri();
    // The name heads the window as it was stored.
    mostraRagioneSociale();
}

void TForm1::btnAttivitaOpzioniClick() { frmOpzioni->apri(); }

void TForm1::btnModalitaPagamentoClick() { mostraLista(frmModPagam); }

void TForm1::btnArchivioAvvisiClick() { mostraLista(frmGrigliaAvvisi); }

void TForm1::btnAttivitaAvvisiClientiClick() { frmAvvisiClienti_Campi->exec(); }

void TForm1::btnClientiClick()
{
    frmClienti->BitBtn3Click();
    frmClienti->exec();
    // Other forms list only the customers not withdrawn.
    form_DB->Table7->setFilter(QStringLiteral("Annullato = 0"));
}

void TForm1::btnFattureClientiClick()
{
    // The list opens and closes with every box and Table3's filter empty.
    frmGrigliaFatture->BitBtn3Click();
    frmGrigliaFatture->exec();
    frmGrigliaFatture->BitBtn3Click();
}

void TForm1::btnNoteCreditoClientiClick()
{
    // The list opens with no filter and its number and date boxes empty; the series and the
    // customer keep what they held.
    frmGrigliaNoteCredito->preparaDaMenu();
    frmGrigliaNoteCredito->exec();
    for (db::Query *q : {form_DB->Table3, form_DB->Table4, form_DB->TableNotaCredito, form_DB->TableNCRighe})
        q->setFilter(QString());
    if (form_DB->TableFatturaScadenze->recordCount() > 0) form_DB->TableFatturaScadenze->setFilter(QString());
}

void TForm1::btnFornitoriClick()
{
    Fornitori->BitBtn3Click();
    Fornitori->exec();
    // Other forms list only the suppliers not withdrawn.
    form_DB->Table9->setFilter(QStringLiteral("Annullato = 0"));
}

// Fuel types, own tanks and refuelling points: unfiltered while open and after.
void TForm1::btnCarburantiClick() { mostraLista(frmGrigliaCarburanti); }

void TForm1::btnCisterneClick() { mostraLista(frmGrigliaCisterne); }

void TForm1::btnRifornimentiClick() { mostraLista(frmGrigliaRifornimenti, {QStringLiteral("Edit1"), QStringLiteral("Edit2")}); }

void TForm1::btnVettureClick()
{
    frmVetture->svuotaRicerca();
    form_DB->TableVeicoli->setFilter(QString());
    form_DB->TableVetture->setFilter(QString());
    frmVetture->exec();
    form_DB->TableVetture->setFilter(QString());
}

void TForm1::btnComuniClick()
{
    mostraLista(frmGrigliaComuni,
                {QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"), QStringLiteral("Edit4"),
                 QStringLiteral("Edit5"), QStringLiteral("txtCap")},
                false);
}

void TForm1::btnTariffeClick()
{
    db::Query *listino = form_DB->Table1;
    listino->setFilter(QString());
    ListinoDaMenu = true;
    // "Avanti" (or a double click) opens the tariff and comes back to the list; "Indietro" ends.
    for (;;) {
        Form2->SceltaEffettuata = false;
        Form2->exec();
        if (!Form2->SceltaEffettuata) break;
        if (listino->isEmpty()) continue;
        Form3->PageControl1->setCurrentIndex(0);
        Form3->mostra();
        Form3->PageControl1->setCurrentIndex(0);
    }
    ListinoDaMenu = false;
    // Documents and the calendar pick only tariffs not withdrawn.
    listino->setFilter(QStringLiteral("Annullato = 0"));
    Form2->svuotaCaselle();
}

void TForm1::btnArchivioContabilitaClick()
{
    frmArchivioContabilita->show();
    frmArchivioContabilita->raise();
    frmArchivioContabilita->activateWindow();
}

void TForm1::btnAttivitaChiusuraIvaClick()
{
    TfrmGrigliaContabilitaChiusuraIva *lista = form_DB->TableOpzioni->fieldByName(QStringLiteral("ChiusuraIvaMensile")).asBoolean()
                                                   ? frmGrigliaContabilitaChiusuraIvaMensile
                                                   : frmGrigliaContabilitaChiusuraIva;
    if (lista) lista->apri();
}

void TForm1::btnAttivitaPrimaNotaClick()
{
    Form5->impostaElenco(primanota::sqlElencoAnno(ui::Clock::instance().today().year()));
    Form5->BitBtn3Click();
    Form5->show();
    Form5->raise();
    Form5->activateWindow();
}

void TForm1::BitBtn1Click()
{
    const QString avviso = QStringLiteral("Messaggio di avviso!!");
    if (!maskDa->text().contains(QRegularExpression(QStringLiteral("\\d")))) {
        forms::avvisa(this, QStringLiteral("Attenzione E' necessario definire la data di inizio..."), avviso);
        return;
    }
    if (!maskA->text().contains(QRegularExpression(QStringLiteral("\\d")))) {
        forms::avvisa(this, QStringLiteral("Attenzione E' necessario definire la data di fine..."), avviso);
        return;
    }
    QString sql;
    try {
        sql = primanota::sqlElencoPeriodo(maskDa->text(), maskA->text());
    } catch (const std::invalid_argument &) {
        forms::avvisa(this, QStringLiteral("Attenzione data non valida: %1 - %2").arg(maskDa->text().trimmed(), maskA->text().trimmed()),
                      avviso);
        return;
    }
    if (db::parseDayFirst(maskDa->text()).date().year() != db::parseDayFirst(maskA->text()).date().year()) {
        forms::avvisa(this,
                      QStringLiteral("Attenzione E' necessario che la data di inizio e la data di fine abbiano lo stesso anno..."),
                      avviso);
        return;
    }
    db::Query *q = form_DB->TableCercaPrimaNota;
    const QString prima = q->sql();
    Form5->impostaElenco(sql);
    Form5->TotalizzaClick();
    Form5->exec();
    q->close();
    q->setSql(prima);
    q->open();
}

void TForm1::BitBtn3Click()
{
    frmGrigliaCalendario->BitBtn3Click();
    frmGrigliaCalendario->exec();
    form_DB->TableCalendario->setFilter(QString());
}

std::optional<QString> TForm1::filtroStorico()
{
    const QString avviso = QStringLiteral("Messaggio di avviso!!");
    if (!maskDa->text().contains(QRegularExpression(QStringLiteral("\\d")))) {
        forms::avvisa(this, QStringLiteral("Attenzione E' necessario definire la data di inizio..."), avviso);
        return std::nullopt;
    }
    if (!maskA->text().contains(QRegularExpression(QStringLiteral("\\d")))) {
        forms::avvisa(this, QStringLiteral("Attenzione E' necessario definire la data di fine..."), avviso);
        return std::nullopt;
    }
    bool anniDiversi = false;
    QString filtro;
    try {
        filtro = FiltroDate(maskDa->text(), maskA->text(), anniDiversi, false);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), avviso);
        return std::nullopt;
    }
    if (anniDiversi) {
        forms::avvisa(this,
                      QStringLiteral("Attenzione E' necessario che la data di inizio e la data di fine abbiano lo stesso anno..."),
                      avviso);
        return std::nullopt;
    }
    return filtro;
}

void TForm1::mostraStorico(db::Query *q, const QString &inizio, const QString &fine, QDialog *lista,
                           const std::function<void()> &prepara)
{
    const std::optional<QString> filtro = filtroStorico();
    if (!filtro || !lista) return;
    const QString prima = q->sql();
    ModalitaStorico = true;
    FiltroStorico = *filtro;
    q->close();
    q->setSql(inizio + *filtro + fine);
    q->open();
    if (prepara) prepara();
    lista->exec();
    q->setFilter(QString());
    if (q->isEditing()) q->cancel();
    q->close();
    q->setSql(prima);
    q->open();
    ModalitaStorico = false;
    FiltroStorico.clear();
}

void TForm1::btnStoricoArchivioClick()
{
    db::Query *q = form_DB->TableCalendario;
    mostraStorico(q, QStringLiteral("select * from Calendario "), QStringLiteral(" order by Data desc"), frmGrigliaCalendario, [q] {
        q->setFilter(QString());
        frmGrigliaCalendario->BitBtn3Click();
    });
}

void TForm1::btnStoricoFattureClientiClick()
{
    mostraStorico(form_DB->Table3, QStringLiteral("select * from fattura "),
                  QStringLiteral(" and FattNota = false and carico = false order by num"), frmGrigliaFatture);
}

void TForm1::btnStoricoNoteCreditoClientiClick()
{
    db::Query *q = form_DB->TableNotaCredito;
    mostraStorico(q, QStringLiteral("select * from Fattura "), QStringLiteral("and FattNota = true and Carico=false order by num"),
                  frmGrigliaNoteCredito, [q] {
                      q->setFilter(QString());
                      frmGrigliaNoteCredito->Edit2->clear();
                      frmGrigliaNoteCredito->maskDaData->clear();
                      frmGrigliaNoteCredito->maskAData->clear();
                  });
}

void TForm1::btnStoricoPreventiviClientiClick()
{
    mostraStorico(form_DB->Table16, QStringLiteral("select * from PreventiTestata "), QStringLiteral("  Order By Numero"),
                  frmGrigliaPreventivi, [] {
                      form_DB->Table7->setFilter(QString());
                      for (QLineEdit *e : {static_cast<QLineEdit *>(frmGrigliaPreventivi->Edit1), frmGrigliaPreventivi->Edit2,
                                           static_cast<QLineEdit *>(frmGrigliaPreventivi->maskDaData),
                                           static_cast<QLineEdit *>(frmGrigliaPreventivi->maskAData)})
                          e->clear();
                  });
    form_DB->Table7->setFilter(QString());
}

void TForm1::btnIvaClick() { mostraLista(frmGrigliaIva, {}); }

void TForm1::BitBtn5Click() { mostraLista(frmGrigliaEntiSequestratori); }

void TForm1::btnMarcheClick() { mostraLista(frmModelli); }

void TForm1::btnProvinceClick()
{
    mostraLista(frmGrigliaProvince, {QStringLiteral("Edit1"), QStringLiteral("Edit2")}, false);
    frmGrigliaProvince->impostaRegione(0);
}

void TForm1::btnRepartiClick() { mostraLista(frmReparti); }

void TForm1::btnTipologieClick()
{
    frmArchivioTipologie->show();
    frmArchivioTipologie->raise();
    frmArchivioTipologie->activateWindow();
}

void TForm1::btnUnitaMisuraClick() { mostraLista(frmGrigliaUnitaMisura, {}); }

void TForm1::closeEvent(QCloseEvent *e)
{
    termina();
    e->accept();
}

bool TForm1::eventFilter(QObject *watched, QEvent *e)
{
    if (auto *b = qobject_cast<QToolButton *>(watched); b && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(e)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && b->isEnabled()) {
            b->animateClick();
            return true;
        }
    }
    if (watched == maskDa && e->type() == QEvent::FocusOut) maskDaExit();
    if (watched == Memo1) {
        if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
            QPalette p = Memo1->palette();
            p.setColor(QPalette::Base, e->type() == QEvent::FocusIn ? QColor(0, 255, 255) : QColor(Qt::white));
            Memo1->setPalette(p);
        } else if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
                focusNextChild();
                return true;
            }
            if (key == Qt::Key_Up) {
                focusPreviousChild();
                return true;
            }
            if (key == Qt::Key_F2) {
                Button1->setVisible(!Button1->isVisible());
                Button3->setVisible(!Button1->isHidden());
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void TForm1::btnSequestriClick()
{
    // For management, also after a document editor used the register as a picker.
    frmGrigliaSequestri->ModalitaScelta = false;
    frmGrigliaSequestri->BitBtn3Click();
    frmGrigliaSequestri->exec();
    form_DB->TableSequestri->setFilter(QString());
}

void TForm1::Button3Click()
{
    if (!form_DB->Connessione.isOpen()) return;
    sequestri::Abbinamento a;
    try {
        a = sequestri::abbinaTarghe(form_DB->Connessione);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kCaptionErrore);
        return;
    }
    db::Query *q = form_DB->TableSequestri;
    if (q->isActive() && !q->isEditing()) common::RicaricaDataset(*q, QStringLiteral("Id"));
    forms::avvisa(this,
                  QStringLiteral("Aggiornamento Avvenuto con successo!\nSequestri collegati a un preventivo: %1\n"
                                 "Sequestri collegati a una fattura: %2")
                      .arg(a.preventivi)
                      .arg(a.fatture),
                  QStringLiteral("Informazione"));
}

// The staff list: every employee while it is open (withdrawn ones included), then the staff
// lookups of every form again without the withdrawn.
void TForm1::btnPersonaleClick()
{
    if (!frmGrigliaPersonale) return;
    form_DB->TablePersonale->setFilter(QString());
    frmGrigliaPersonale->svuotaRicerca();
    frmGrigliaPersonale->exec();
    form_DB->TablePersonale->setFilter(QStringLiteral("Annullato = false"));
}

// The staff print menu, shown without waiting, centred on the screen.
void TForm1::btnStampePersonaleClick()
{
    if (!frmStampaPersonale) return;
    if (const QScreen *s = screen()) {
        frmStampaPersonale->adjustSize();
        frmStampaPersonale->move(s->availableGeometry().center() - frmStampaPersonale->rect().center());
    }
    frmStampaPersonale->show();
    frmStampaPersonale->raise();
    frmStampaPersonale->activateWindow();
}

void TForm1::btnPreventiviClick()
{
    // Customers unfiltered while the quotes are open; the plate box keeps its text.
    form_DB->Table7->setFilter(QString());
    for (QLineEdit *e : {frmGrigliaPreventivi->Edit1, frmGrigliaPreventivi->Edit2,
                         static_cast<QLineEdit *>(frmGrigliaPreventivi->maskDaData),
                         static_cast<QLineEdit *>(frmGrigliaPreventivi->maskAData)})
        e->clear();
    frmGrigliaPreventivi->exec();
    form_DB->Table7->setFilter(QString());
}

void TForm1::btnScadenziarioScadenzeClientiClick()
{
    if (frmScadenziario) frmScadenziario->mostraVista(scadenziario::Vista::ScadenzeClienti);
}

void TForm1::btnScadenziarioPagamentiClientiClick()
{
    if (frmScadenziario) frmScadenziario->mostraVista(scadenziario::Vista::PagamentiClienti);
}

void TForm1::btnScadenziarioScadenzeFornitoriClick()
{
    if (frmScadenziario) frmScadenziario->mostraVista(scadenziario::Vista::ScadenzeFornitori);
}

void TForm1::btnScadenziarioPagamentiFornitoriClick()
{
    if (frmScadenziario) frmScadenziario->mostraVista(scadenziario::Vista::PagamentiFornitori);
}

#include "Opzioni.h"

#include "Logo.h"
#include "Scanner.h"
#include "accounting/GrigliaContabilitaConti.h"
#include "masterdata/services/CambiaIvaTariffe.h"
#include "sales/SerieFatturazione.h"
#include "common/RecordHelpers.h"
#include "common/TextUtils.h"
#include "data/DB.h"
#include "data/services/Posta.h"
#include "db/DataSource.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"
#include "widgets/EditingHelper.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");
// The box the logo is shown in; a scanned picture is fitted into it before it is stored.
const QSize kRiquadroLogo(827, 357);

db::Query *opzioni() { return form_DB->TableOpzioni; }
db::Query *ditta() { return form_DB->Table12; }

// The encryption list: the program offers STARTTLS and TLS from the start (SMTPS); the older
// stored values (SSLv2, SSLv23, SSLv3) all mean STARTTLS to the mail service.
const int kStartTls = 1;
const int kTlsImplicito = 3;

} // namespace

TfrmOpzioni::TfrmOpzioni(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOpzioni"));
    setWindowTitle(QStringLiteral("Opzioni"));
    setProperty("helpContext", 6400);
    // Left only through "Indietro".
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto *layout = new QVBoxLayout(this);
    auto *barra = new QToolBar(this);
    barra->setObjectName(QStringLiteral("ToolBar2"));
    spdHelp = ui::pulsanteAiuto(this);
    spdIndietro = ui::pulsanteIndietro(this);
    barra->addWidget(spdHelp);
    barra->addWidget(spdIndietro);
    layout->addWidget(barra);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(PageControl1, 1);

    db::DataSource *src = form_DB->SourceOpzioni;
    QFormLayout *campi = nullptr;
    auto pagina = [&](const char *nome, const QString &titolo) {
        auto *p = new QWidget(PageControl1);
        p->setObjectName(QString::fromLatin1(nome));
        campi = new QFormLayout(p);
        PageControl1->addTab(p, titolo);
        return p;
    };
    auto edit = [&](const char *nome, const char *etichetta, const char *campo) {
        auto *e = new ui::DBEdit(this);
        e->setObjectName(QString::fromLatin1(nome));
        e->setDataSource(src);
        e->setDataField(QString::fromLatin1(campo));
        campi->addRow(QString::fromUtf8(etichetta), e);
        return e;
    };
    auto check = [&](const char *nome, const char *etichetta, const char *campo, const char *hint = nullptr) {
        auto *c = new ui::DBCheckBox(QString::fromUtf8(etichetta), this);
        c->setObjectName(QString::fromLatin1(nome));
        c->setDataSource(src);
        c->setDataField(QString::fromLatin1(campo));
        if (hint) c->setToolTip(QString::fromUtf8(hint));
        campi->addRow(QString(), c);
        return c;
    };
    auto lista = [&](const char *nome, const char *etichetta, const QStringList &voci) {
        auto *c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(nome));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->addItems(voci);
        campi->addRow(QString::fromUtf8(etichetta), c);
        return c;
    };
    auto lookup = [&](const char *nome, const char *etichetta, const char *campo, db::DataSource *lista, const char *chiave,
                      const char *mostrato) {
        auto *l = new ui::DBLookupComboBox(this);
        l->setObjectName(QString::fromLatin1(nome));
        l->setListSource(lista);
        l->setKeyField(QString::fromLatin1(chiave));
        l->setListField(QString::fromLatin1(mostrato));
        l->setDataSource(src);
        l->setDataField(QString::fromLatin1(campo));
        campi->addRow(QString::fromUtf8(etichetta), l);
        return l;
    };
    // A folder box with its pick and open buttons.
    auto cartella = [&](const char *nome, const char *etichetta, const char *campo, QToolButton *&scegli,
                        const char *nomeScegli, QToolButton *&apri, const char *nomeApri) {
        auto *riga = new QWidget(this);
        auto *h = new QHBoxLayout(riga);
        h->setContentsMargins(0, 0, 0, 0);
        auto *e = new ui::DBEdit(riga);
        e->setObjectName(QString::fromLatin1(nome));
        e->setDataSource(src);
        e->setDataField(QString::fromLatin1(campo));
        scegli = ui::toolButton(riga, QString::fromLatin1(nomeScegli), QString(), QStringLiteral("Scegli la cartella"),
                                "folder-open", QStyle::SP_DirOpenIcon);
        apri = ui::toolButton(riga, QString::fromLatin1(nomeApri), QString(), QStringLiteral("Apri la cartella"),
                              "system-file-manager", QStyle::SP_DirLinkIcon);
        h->addWidget(e, 1);
        h->addWidget(scegli);
        h->addWidget(apri);
        campi->addRow(QString::fromUtf8(etichetta), riga);
        return e;
    };

    pagina("TabGenerale", QStringLiteral("Generale"));
    ComboBox1 = lista("ComboBox1", "Tab iniziale ", {});
    DBCheckBox11 = check("DBCheckBox11", "Calcola i costi dei dipendenti in base alle ore di lavoro ", "CostoAdOreDipendenti");
    DBCheckBox2 = check("DBCheckBox2", "Promemoria Scadenze", "PromemoriaScadenze", "visualizza il Promemoria Scadenze");
    DBCheckBox6 = check("DBCheckBox6", "Filtra per Cliente in tutti i documenti,l'inserimento delle righe",
                        "Inserimento_articoli_FiltraTuttiDocumenti_per_cliente",
                        "Quando si aggiunge un nuovo articolo ad una fattura o ad una commessa viene effettuato un filtro solo "
                        "per le tariffe del cliente del documento");
    DBCheckBox8 = check("DBCheckBox8", "Filtra per Cliente nei preventivi, l'inserimento delle righe",
                        "Inserimento_articoli_FiltraPreventivi_per_cliente",
                        "Quando si aggiunge un nuovo articolo ad un preventivo viene effettuato un filtro solo per le tariffe "
                        "del cliente del documento");
    DBEdit15 = edit("DBEdit15", "Spese di Trasporto (Iva incluso)", "Spese_di_Trasporto");
    DBEdit16 = edit("DBEdit16", "Spese di Incasso (Iva incluso)", "Spese_di_Incasso");
    DBEdit2 = edit("DBEdit2", "Password Amministratore", "PasswordAmministratore");
    DBCheckBox16 = check("DBCheckBox16", "Lavora con le Cisterne", "LavoraCisterne");
    cmbAzioneImportazioneVCard = lista("cmbAzioneImportazioneVCard", "Azione Importazione VCard su duplicati",
                                       {QStringLiteral("Chiedi conferma"), QStringLiteral("Salta il record"),
                                        QStringLiteral("Aggiorna automaticamente")});
    DBCheckBox20 = check("DBCheckBox20", "Incrementa il numero di riga nei documenti clienti", "IncrementaNumeroRigaArticoli");
    DBLookupComboBox19 = lookup("DBLookupComboBox19", "Modalità di pagamento standard per i documenti clienti",
                                "ModPagamento_Id", form_DB->SourceModPaga, "Id", "Descrizione");
    DBLookupComboBox3 = lookup("DBLookupComboBox3", "Modalità di pagamento standard per i documenti fornitori",
                               "Carico_ModPagamento_Id", form_DB->SourceModPaga, "Id", "Descrizione");

    QWidget *logo = pagina("TabLogo", QStringLiteral("Logo"));
    {
        auto *gruppo = new QGroupBox(QStringLiteral("Immagine in archivio"), logo);
        auto *g = new QVBoxLayout(gruppo);
        DBImage1 = new QLabel(gruppo);
        DBImage1->setObjectName(QStringLiteral("DBImage1"));
        DBImage1->setFixedSize(kRiquadroLogo);
        DBImage1->setAlignment(Qt::AlignCenter);
        DBImage1->setStyleSheet(QStringLiteral("background: white; border: 1px solid gray;"));
        g->addWidget(DBImage1);
        campi->addRow(gruppo);
        auto *pulsanti = new QHBoxLayout;
        auto pulsante = [&](const char *nome, const char *testo) {
            auto *b = new QPushButton(QString::fromUtf8(testo), logo);
            b->setAutoDefault(false); // Enter in a box never presses a logo button
            b->setObjectName(QString::fromLatin1(nome));
            pulsanti->addWidget(b);
            return b;
        };
        btnModificaLogo = pulsante("btnModificaLogo", "Modifica il Logo");
        Button9 = pulsante("Button9", "Cancella");
        Button6 = pulsante("Button6", "Carica da File");
        Button7 = pulsante("Button7", "Acquisisci");
        Button8 = pulsante("Button8", "Salva come immagine");
        pulsanti->addStretch(1);
        campi->addRow(pulsanti);
    }

    // Thirteen accounts and the other defaults are taller than a small screen: the page scrolls.
    auto *scorrimento = new QScrollArea(PageControl1);
    scorrimento->setObjectName(QStringLiteral("TabContabilita"));
    scorrimento->setWidgetResizable(true);
    scorrimento->setFrameShape(QFrame::NoFrame);
    auto *contabilita = new QWidget(scorrimento);
    campi = new QFormLayout(contabilita);
    scorrimento->setWidget(contabilita);
    PageControl1->addTab(scorrimento, QStringLiteral("Contabilità"));
    {
        auto *gruppo = new QGroupBox(QStringLiteral("Conti predefiniti"), contabilita);
        auto *griglia = new QGridLayout(gruppo);
        // Colours group the rows by document: purchases, sales, receipts, supplier and sales credit notes.
        auto conto = [&](const char *nomeLookup, const char *nomeCerca, const char *etichetta, const char *campo,
                         const char *colore, QToolButton *&cerca) {
            const int riga = griglia->rowCount();
            auto *l = new QLabel(QString::fromUtf8(etichetta), gruppo);
            l->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(colore)));
            auto *c = new ui::DBLookupComboBox(gruppo);
            c->setObjectName(QString::fromLatin1(nomeLookup));
            c->setListSource(form_DB->SourceContabilitaCercaConti);
            c->setKeyField(QStringLiteral("Id"));
            c->setListField(QStringLiteral("Conto"));
            c->setDataSource(src);
            c->setDataField(QString::fromLatin1(campo));
            l->setBuddy(c);
            cerca = ui::toolButton(gruppo, QString::fromLatin1(nomeCerca), QString(), QStringLiteral("Cerca il tipo di Conto"),
                                   "edit-find", QStyle::SP_FileDialogContentsView);
            cerca->setToolButtonStyle(Qt::ToolButtonIconOnly);
            cerca->setIconSize(QSize(16, 16));
            griglia->addWidget(l, riga, 0);
            griglia->addWidget(c, riga, 1);
            griglia->addWidget(cerca, riga, 2);
            return c;
        };
        const char *acquisto = "maroon", *vendita = "green", *corrispettivi = "black", *ncFornitori = "olive",
                   *ncVendita = "navy";
        DBLookupComboBox11 = conto("DBLookupComboBox11", "SpeedButton14", "Fatture di Acquisto - Generale",
                                   "conto_ID_Predefinito_su_FattureAcquisto_Generale", acquisto, SpeedButton14);
        DBLookupComboBox8 = conto("DBLookupComboBox8", "SpeedButton10", "Fatture di Acquisto - Spese di trasporto",
                                  "conto_ID_Predefinito_su_FattureAcquisto_SpeseTrasporto", acquisto, SpeedButton10);
        DBLookupComboBox9 = conto("DBLookupComboBox9", "SpeedButton11", "Fatture di Acquisto - Spese di Incasso",
                                  "conto_ID_Predefinito_su_FattureAcquisto_SpeseIncasso", acquisto, SpeedButton11);
        DBLookupComboBox1 = conto("DBLookupComboBox1", "SpeedButton1", "Fatture di Vendita - Generale",
                                  "conto_ID_Predefinito_su_FattureVendita_Generale", vendita, SpeedButton1);
        DBLookupComboBox4 = conto("DBLookupComboBox4", "SpeedButton3", "Fatture di Vendita - Spese di trasporto",
                                  "conto_ID_Predefinito_su_FattureVendita_SpeseTrasporto", vendita, SpeedButton3);
        DBLookupComboBox5 = conto("DBLookupComboBox5", "SpeedButton4", "Fatture di Vendita - spese di Incasso",
                                  "conto_ID_Predefinito_su_FattureVendita_SpeseIncasso", vendita, SpeedButton4);
        DBLookupComboBox2 = conto("DBLookupComboBox2", "SpeedButton8", "Corrispettivi", "conto_ID_Predefinito_su_Corrispettivi",
                                  corrispettivi, SpeedButton8);
        DBLookupComboBox10 = conto("DBLookupComboBox10", "SpeedButton18", "Note di credito da Fornitori - Generale",
                                   "conto_ID_Predefinito_su_NoteCreditoAcquisto_Generale", ncFornitori, SpeedButton18);
        DBLookupComboBox16 = conto("DBLookupComboBox16", "SpeedButton17", "Note di credito da Fornitori - Spese di trasporto",
                                   "conto_ID_Predefinito_su_NoteCreditoAcquisto_SpeseTrasporto", ncFornitori, SpeedButton17);
        DBLookupComboBox15 = conto("DBLookupComboBox15", "SpeedButton16", "Note di credito da Fornitori - Spese di Incasso",
                                   "conto_ID_Predefinito_su_NoteCreditoAcquisto_SpeseIncasso", ncFornitori, SpeedButton16);
        DBLookupComboBox14 = conto("DBLookupComboBox14", "SpeedButton15", "Note di Credito di Vendita - Generale",
                                   "conto_ID_Predefinito_su_NoteCreditoVendita_Generale", ncVendita, SpeedButton15);
        DBLookupComboBox13 = conto("DBLookupComboBox13", "SpeedButton13", "Note di Credito di Vendita - Spese di trasporto",
                                   "conto_ID_Predefinito_su_NoteCreditoVendita_SpeseTrasporto", ncVendita, SpeedButton13);
        DBLookupComboBox12 = conto("DBLookupComboBox12", "SpeedButton12", "Note di Credito di Vendita - spese di Incasso",
                                   "conto_ID_Predefinito_su_NoteCreditoVendita_SpeseIncasso", ncVendita, SpeedButton12);
        griglia->setColumnStretch(1, 1);
        griglia->setVerticalSpacing(2);
        campi->addRow(gruppo);

        DBEdit4 = edit("DBEdit4", "Saldo iniziale prima nota", "SaldoInizialePrimaNota");
        // The company's own flag, the same as the company editor's "Fatturazione Multipla".
        auto *serie = new QWidget(contabilita);
        auto *h = new QHBoxLayout(serie);
        h->setContentsMargins(0, 0, 0, 0);
        DBCheckBox13 = new ui::DBCheckBox(QString::fromUtf8("Usa più serie di fatturazione"), serie);
        DBCheckBox13->setObjectName(QStringLiteral("DBCheckBox13"));
        DBCheckBox13->setDataSource(form_DB->Source12);
        DBCheckBox13->setDataField(QStringLiteral("FatturazioneMultipla"));
        Button3 = new QPushButton(QStringLiteral("Serie fatturazioni"), serie);
        Button3->setObjectName(QStringLiteral("Button3"));
        Button3->setAutoDefault(false);
        h->addWidget(DBCheckBox13);
        h->addWidget(Button3);
        h->addStretch(1);
        campi->addRow(QString(), serie);
        auto *iva = new QWidget(contabilita);
        auto *hi = new QHBoxLayout(iva);
        hi->setContentsMargins(0, 0, 0, 0);
        DBLookupComboBox21 = new ui::DBLookupComboBox(iva);
        DBLookupComboBox21->setObjectName(QStringLiteral("DBLookupComboBox21"));
        DBLookupComboBox21->setListSource(form_DB->SourceIva);
        DBLookupComboBox21->setKeyField(QStringLiteral("Id"));
        DBLookupComboBox21->setListField(QStringLiteral("Descrizione"));
        DBLookupComboBox21->setDataSource(src);
        DBLookupComboBox21->setDataField(QStringLiteral("Iva_Id"));
        Button1 = new QPushButton(QStringLiteral("Cambia tutte le tariffe"), iva);
        Button1->setObjectName(QStringLiteral("Button1"));
        Button1->setAutoDefault(false);
        hi->addWidget(DBLookupComboBox21, 1);
        hi->addWidget(Button1);
        campi->addRow(QStringLiteral("Aliquota Iva standard"), iva);
        DBLookupComboBox6 = lookup("DBLookupComboBox6", "Banca predefinita", "Bank_ID", form_DB->Source5, "Id", "Banca");
        DBCheckBox14 = check("DBCheckBox14", "Usa una sola numerazione per Fatture e Note credito", "NumerazioneUnicaNoteCredito");
        DBCheckBox7 = check("DBCheckBox7", "Duplica pagamenti della fatturazione in prima nota", "DuplicaFatturazioneInPrimaNota");
        DBCheckBox9 = check("DBCheckBox9", "Chiusura iva mensile", "ChiusuraIvaMensile");
        DBCheckBox10 = check("DBCheckBox10", "Verifica gli importi prima di esportare fatture elettroniche",
                             "VerificaCoerenza_FattureElett_PrimaEsportazione");
    }

    pagina("TabStampa", QStringLiteral("Stampa"));
    DBCheckBox1 = check("DBCheckBox1", "Utilizza nelle stampe direttamente la Stampante di Default", "StampanteDefault",
                        "Se abilitato, non viene richiesta quale stampante utilizzare");
    DBCheckBox5 = check("DBCheckBox5", "In tutti i documenti utilizza i totali riga comprensivi di iva", "DocumentiRigaIvato",
                        "Utilizza nei totali di riga incluso iva. per regolarsi meglio basta stampare due fatture con o senza "
                        "questo check abilitato e farne il confronto.");
    DBCheckBox4 = check("DBCheckBox4", "Includi prezzo delle righe nei preventivi", "PrezzoPreventivo",
                        "Stampa i preventivi con la colonna dei prezzi  o senza....");

    pagina("TabEmail", QStringLiteral("Email"));
    DBEdit24 = edit("DBEdit24", "Nome Server SMTP", "SmtpHost");
    DBEdit30 = edit("DBEdit30", "Porta", "SmtpPorta");
    DBEdit26 = edit("DBEdit26", "Email Mittente", "SmtpMittenteEmail");
    DBEdit29 = edit("DBEdit29", "Username", "SmtpUserName");
    // The password lives in the user's own password file, not in the archive.
    DBEdit27 = new ui::DBEdit(this);
    DBEdit27->setObjectName(QStringLiteral("DBEdit27"));
    campi->addRow(QStringLiteral("Password"), DBEdit27);
    DBEdit27->setEchoMode(QLineEdit::Password);
    DBCheckBox18 = check("DBCheckBox18", "Autenticazione Server Necessaria", "SmtpAutenticazioneServer");
    DBCheckBox30 = check("DBCheckBox30", "Il Server Necessa di una protezione protetta", "SmtpCriptato");
    cmbSmtpCriptaggioTipo = lista("cmbSmtpCriptaggioTipo", "Tipo Criptaggio", {});
    cmbSmtpCriptaggioTipo->addItem(QStringLiteral("STARTTLS"), kStartTls);
    cmbSmtpCriptaggioTipo->addItem(QStringLiteral("SSL/TLS (SMTPS)"), kTlsImplicito);
    DBMemo1 = new ui::DBMemo(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setDataSource(src);
    DBMemo1->setDataField(QStringLiteral("EmailTestoDefault"));
    campi->addRow(QStringLiteral("testo default Email"), DBMemo1);

    pagina("TabFatturaElettronica", QStringLiteral("Fattura Elettronica"));
    DBCheckBox21 = check("DBCheckBox21",
                         "Aggiorna automaticamente i dati anagrafici dei dati quando si importano le fatture elettroniche xml",
                         "AggiornaAutomaticamenteInformazioniDaXml");
    DBEdit14 = cartella("DBEdit14", "Cartella Esp. Fatture Elett.", "CartellaEsportazioneFattureElettroniche", SpeedButton9,
                        "SpeedButton9", SpeedButton21, "SpeedButton21");

    pagina("TabAltro", QStringLiteral("Altro"));
    DBLookupComboBox18 = lookup("DBLookupComboBox18", "Formato di esportazione", "TipoEsportazione",
                                form_DB->SourceTipoEsportazioniCrystalReport, "Numero", "Descrizione");
    DBEdit3 = cartella("DBEdit3", "Cartella Esp. Documenti", "CartellaEsportazioneDocumenti", SpeedButton5, "SpeedButton5",
                       SpeedButton2, "SpeedButton2");
    DBEdit5 = cartella("DBEdit5", "Cartella predefinita Sequestri", "CartellaPredefinitaSequestri", SpeedButton6,
                       "SpeedButton6", SpeedButton7, "SpeedButton7");
    DBCheckBox3 = check("DBCheckBox3", "Semplifica la descrizione dei documenti in prima nota", "PrimaNotaDescrizioneSemplificata");

    connect(spdHelp, &QToolButton::clicked, this, &TfrmOpzioni::spdHelpClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmOpzioni::spdIndietroClick);
    connect(DBLookupComboBox18, &ui::DBLookupComboBox::picked, this, &TfrmOpzioni::DBLookupComboBox18Click);
    connect(DBLookupComboBox18, &ui::DBLookupComboBox::cleared, this, &TfrmOpzioni::DBLookupComboBox18Cancella);
    connect(SpeedButton9, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton9Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton6Click);
    connect(SpeedButton21, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton21Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton2Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton7Click);
    connect(Button6, &QPushButton::clicked, this, &TfrmOpzioni::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TfrmOpzioni::Button7Click);
    connect(Button8, &QPushButton::clicked, this, &TfrmOpzioni::Button8Click);
    connect(Button9, &QPushButton::clicked, this, &TfrmOpzioni::Button9Click);
    connect(btnModificaLogo, &QPushButton::clicked, this, &TfrmOpzioni::btnModificaLogoClick);
    for (const ContoPredefinito &c : contiPredefiniti()) {
        const char *campo = c.campo;
        connect(c.lookup, &ui::DBLookupComboBox::cleared, this, [this, campo] { cancellaCampo(campo); });
    }
    connect(SpeedButton14, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton14Click);
    connect(SpeedButton10, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton10Click);
    connect(SpeedButton11, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton11Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton1Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton4Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton8Click);
    connect(SpeedButton18, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton18Click);
    connect(SpeedButton17, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton17Click);
    connect(SpeedButton16, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton16Click);
    connect(SpeedButton15, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton15Click);
    connect(SpeedButton13, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton13Click);
    connect(SpeedButton12, &QToolButton::clicked, this, &TfrmOpzioni::SpeedButton12Click);
    connect(DBLookupComboBox21, &ui::DBLookupComboBox::picked, this, &TfrmOpzioni::DBLookupComboBox21Click);
    connect(DBLookupComboBox21, &ui::DBLookupComboBox::cleared, this, &TfrmOpzioni::DBLookupComboBox21Cancella);
    connect(DBLookupComboBox6, &ui::DBLookupComboBox::cleared, this, [this] { cancellaCampo("Bank_ID"); });
    connect(Button1, &QPushButton::clicked, this, &TfrmOpzioni::Button1Click);
    connect(Button3, &QPushButton::clicked, this, &TfrmOpzioni::Button3Click);
    db::DataSource *sorgenteDitta = form_DB->Source12;
    connect(sorgenteDitta, &db::DataSource::dataChanged, this, &TfrmOpzioni::mostraLogo);
    connect(sorgenteDitta, &db::DataSource::datasetChanged, this, &TfrmOpzioni::mostraLogo);
    // Other columns of the company row change while it is edited elsewhere: only the logo's matter.
    connect(sorgenteDitta, &db::DataSource::recordChanged, this, [this](int col) {
        if (col < 0 || ditta()->fieldNameAt(col).compare(QLatin1String("Logo"), Qt::CaseInsensitive) == 0) mostraLogo();
    });

    m_editing = new ui::EditingHelper(this);
    m_editing->setNavigation(false);
    m_editing->markAmountField(DBEdit15);
    m_editing->markAmountField(DBEdit16);
    m_editing->markAmountField(DBEdit4);
    resize(860, 620);
}

int TfrmOpzioni::apri()
{
    PageControl1->setCurrentIndex(pagGenerale);
    const int r = exec();
    PageControl1->setCurrentIndex(pagGenerale);
    return r;
}

void TfrmOpzioni::showEvent(QShowEvent *e)
{
    m_chiusuraConsentita = false;
    db::Query *q = opzioni();
    // A password an older version kept in the archive goes to the user's file first.
    try {
        if (posta::spostaPasswordDallArchivio(form_DB->Connessione) && q->isActive() && !q->isEditing()) q->requery();
    } catch (const std::exception &e) {
        ui::showError(QString::fromUtf8(e.what()), kErrore, this);
    }
    if (!q->isActive()) q->open();
    // Without the options row nothing could be typed: the first "Indietro" stores it.
    if (q->isEmpty() && !q->isEditing()) q->append();
    FormActivate();
    mostraLogo();
    QDialog::showEvent(e);
    if (const QRect schermo = screen()->availableGeometry(); schermo.isValid()) move(schermo.center() - rect().center());
}

void TfrmOpzioni::FormActivate()
{
    if (!m_schedeCaricate) {
        // The main window's tabs, once per run.
        ComboBox1->clear();
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *barra = w->objectName() == QLatin1String("pgcBarra") ? qobject_cast<QTabWidget *>(w)
                                                                       : w->findChild<QTabWidget *>(QStringLiteral("pgcBarra"));
            if (!barra) continue;
            for (int i = 0; i < barra->count(); ++i) ComboBox1->addItem(barra->tabText(i).trimmed());
            m_schedeCaricate = true;
            break;
        }
    }
    db::Query *q = opzioni();
    auto indice = [q](const char *campo) {
        const db::Field f = q->findField(QString::fromLatin1(campo));
        return f.isValid() ? int(f.asInteger()) : 0;
    };
    // An index beyond the list leaves the box empty.
    auto imposta = [](QComboBox *c, int i) {
        c->setCurrentIndex(i >= 0 && i < c->count() ? i : -1);
        if (c->currentIndex() < 0) c->setEditText(QString());
    };
    imposta(ComboBox1, indice("TabIniziale"));
    imposta(cmbAzioneImportazioneVCard, indice("AzioneImportazioneVCard"));
    m_criptaggioLetto = indice("SmtpCriptaggioTipo");
    DBEdit27->setText(posta::passwordSmtp(q->fieldByName(QStringLiteral("SmtpHost")).asString(), indice("SmtpPorta"),
                                          q->fieldByName(QStringLiteral("SmtpUserName")).asString()));
    imposta(cmbSmtpCriptaggioTipo, m_criptaggioLetto >= 0 && m_criptaggioLetto <= 2 ? 0 : m_criptaggioLetto == kTlsImplicito ? 1 : -1);
}

int TfrmOpzioni::criptaggioDaSalvare() const
{
    const int i = cmbSmtpCriptaggioTipo->currentIndex();
    // A typed text that names no item is stored as -1.
    if (i < 0 || cmbSmtpCriptaggioTipo->currentText() != cmbSmtpCriptaggioTipo->itemText(i)) return -1;
    // The value read stays when the choice means the same to the mail service.
    if (i == 0 && m_criptaggioLetto >= 0 && m_criptaggioLetto <= 2) return m_criptaggioLetto;
    return cmbSmtpCriptaggioTipo->itemData(i).toInt();
}

void TfrmOpzioni::spdHelpClick() { ui::apriGuida(6400); }

void TfrmOpzioni::spdIndietroClick()
{
    // What is still being typed goes into the row before the checks read it.
    Q_EMIT form_DB->SourceOpzioni->updateRecord();
    if (DBCheckBox18->isChecked()) {
        for (auto [casella, messaggio] :
             {std::pair{DBEdit29, "Attenzione inserire l'Username di autenticazione del Server !"},
              std::pair{DBEdit27, "Attenzione inserire la password di autenticazione del Server !"}}) {
            if (!casella->text().isEmpty()) continue;
            forms::avvisa(this, QString::fromUtf8(messaggio), kErrore);
            PageControl1->setCurrentIndex(pagEmail);
            casella->setFocus();
            return;
        }
    }
    auto indice = [](QComboBox *c) {
        const int i = c->currentIndex();
        return i >= 0 && c->currentText() == c->itemText(i) ? i : -1;
    };
    db::Query *q = opzioni();
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("TabIniziale")).setAsInteger(indice(ComboBox1));
    q->fieldByName(QStringLiteral("SmtpCriptaggioTipo")).setAsInteger(criptaggioDaSalvare());
    q->fieldByName(QStringLiteral("AzioneImportazioneVCard")).setAsInteger(indice(cmbAzioneImportazioneVCard));
    q->fieldByName(QStringLiteral("SmtpPassword")).clear();
    // The password first, in the user's file: when it cannot be written the editor stays open.
    try {
        posta::salvaPasswordSmtp(DBEdit24->text(), DBEdit30->text().trimmed().toInt(), DBEdit29->text(), DBEdit27->text());
    } catch (const std::exception &e) {
        ui::showError(QString::fromUtf8(e.what()), kErrore, this);
        return;
    }
    // A refused save has been shown: the editor stays open with what the user typed.
    if (!common::SalvaNuovoRecord(*q, QStringLiteral("id"))) return;
    db::Query *d = ditta();
    if (d->isEditing() && !common::SalvaNuovoRecord(*d, QStringLiteral("Id"))) {
        PageControl1->setCurrentIndex(pagLogo);
        return;
    }
    m_chiusuraConsentita = true;
    accept();
}

void TfrmOpzioni::reject() { spdIndietroClick(); }

void TfrmOpzioni::closeEvent(QCloseEvent *e)
{
    if (m_chiusuraConsentita || !isVisible()) {
        e->accept();
        return;
    }
    e->ignore();
    spdIndietroClick();
}

void TfrmOpzioni::DBLookupComboBox18Click()
{
    db::Query *formati = form_DB->TableTipoEsportazioniCrystalReport;
    const db::Field numero = formati->findField(QStringLiteral("Numero"));
    if (formati->isEmpty() || !numero.isValid() || numero.isNull()) return;
    db::Query *q = opzioni();
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("TipoEsportazione")).setValue(numero.value());
    q->fieldByName(QStringLiteral("EstensioneEsportazione")).setValue(formati->fieldByName(QStringLiteral("Estensione")).value());
}

void TfrmOpzioni::DBLookupComboBox18Cancella()
{
    db::Query *q = opzioni();
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("TipoEsportazione")).clear();
    q->fieldByName(QStringLiteral("EstensioneEsportazione")).clear();
}

void TfrmOpzioni::scegliCartella(const QString &campo, const QString &inizio)
{
    const QString scelta = ui::Dialogs::instance().folder(this, QStringLiteral("Seleziona la cartella"), inizio);
    if (scelta.isEmpty() || !QFileInfo(scelta).isDir()) return;
    db::Query *q = opzioni();
    if (!q->isEditing()) q->edit();
    q->fieldByName(campo).setAsString(common::AggiungiSeparatore(QDir::toNativeSeparators(scelta)));
}

void TfrmOpzioni::SpeedButton9Click()
{
    scegliCartella(QStringLiteral("CartellaEsportazioneFattureElettroniche"), QFileInfo(PercorsoArchivioMdb).absolutePath());
}

void TfrmOpzioni::SpeedButton5Click()
{
    scegliCartella(QStringLiteral("CartellaEsportazioneDocumenti"), QFileInfo(PercorsoArchivioMdb).absolutePath());
}

void TfrmOpzioni::SpeedButton6Click()
{
    scegliCartella(QStringLiteral("CartellaPredefinitaSequestri"),
                   opzioni()->fieldByName(QStringLiteral("CartellaPredefinitaSequestri")).asString());
}

void TfrmOpzioni::apriCartella(const QString &campo, const QString &messaggio)
{
    const db::Field f = opzioni()->fieldByName(campo);
    if (f.isNull() || f.asString().isEmpty()) {
        forms::avvisa(this, messaggio, kErrore);
        return;
    }
    const QString cartella = f.asString();
    if (QFileInfo(cartella).isDir()) ui::Launcher::instance().open(cartella);
    else forms::avvisa(this, QStringLiteral("la Cartella: %1 non esiste più o non è raggiungibile!!!").arg(cartella), kErrore);
}

void TfrmOpzioni::SpeedButton21Click()
{
    apriCartella(QStringLiteral("CartellaEsportazioneFattureElettroniche"), QStringLiteral("Attenzione manca la Cartella di Lavoro"));
}

void TfrmOpzioni::SpeedButton2Click()
{
    apriCartella(QStringLiteral("CartellaEsportazioneDocumenti"), QStringLiteral("Attenzione manca la Cartella di Lavoro"));
}

void TfrmOpzioni::SpeedButton7Click()
{
    apriCartella(QStringLiteral("CartellaPredefinitaSequestri"),
                 QStringLiteral("Attenzione manca la Cartella predefinita dei Sequestri"));
}

// --- Logo page ------------------------------------------------------------------------------

void TfrmOpzioni::mostraLogo()
{
    db::Query *d = ditta();
    QImage immagine;
    if (d->isActive() && (d->isEditing() || !d->isEmpty())) {
        const db::Field f = d->findField(QStringLiteral("Logo"));
        if (f.isValid() && !f.isNull()) immagine.loadFromData(f.value().toByteArray());
    }
    if (immagine.isNull()) {
        DBImage1->clear();
        return;
    }
    DBImage1->setPixmap(QPixmap::fromImage(immagine.scaled(DBImage1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TfrmOpzioni::modificaDitta()
{
    db::Query *d = ditta();
    if (!d->isActive()) d->open();
    if (d->isEditing()) return;
    if (d->isEmpty()) d->append();
    else d->edit();
}

void TfrmOpzioni::impostaLogo(const QByteArray &bmp)
{
    modificaDitta();
    ditta()->fieldByName(QStringLiteral("Logo")).setValue(bmp.isEmpty() ? QVariant() : QVariant(bmp));
    mostraLogo();
}

void TfrmOpzioni::Button6Click()
{
    const QString file = ui::Dialogs::instance().openFile(
        this, QStringLiteral("Carica il logo"), QString(),
        QStringLiteral("Immagini (*.png *.jpg *.jpeg *.bmp);;Bitmaps (*.bmp);;Portable Network Graphics (*.png);;"
                       "JPEG Image File (*.jpg *.jpeg)"));
    if (file.isEmpty()) return;
    const logo::Caricato c = logo::daFile(file);
    if (!c.errore.isEmpty()) {
        forms::avvisa(this, c.errore, kErrore);
        return;
    }
    if (c.bmp.isEmpty()) return; // not a kind of picture the logo takes
    impostaLogo(c.bmp);
}

void TfrmOpzioni::Button7Click()
{
    scansione::Scanner &scanner = scansione::Scanner::instance();
    if (!scanner.CaricaGestore()) return;
    const QImage acquisita = scanner.AcquisisciImmagine(this);
    if (acquisita.isNull()) return;
    const QSize misura = logo::adatta(acquisita.size(), DBImage1->size());
    if (misura.isEmpty()) return;
    impostaLogo(logo::comeBmp(acquisita.scaled(misura, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void TfrmOpzioni::Button8Click()
{
    db::Query *d = ditta();
    const db::Field f = d->isActive() && (d->isEditing() || !d->isEmpty()) ? d->findField(QStringLiteral("Logo")) : db::Field();
    if (!f.isValid() || f.isNull()) return;
    QString file = ui::Dialogs::instance().saveFile(this, Tform_DB::SavePictureDialogTitle, QString(),
                                                    Tform_DB::SavePictureDialogFilter);
    if (file.isEmpty()) return;
    if (QFileInfo(file).suffix().isEmpty()) file += u'.' + Tform_DB::SavePictureDialogDefaultExt;
    const QString errore = logo::salva(f.value().toByteArray(), file);
    if (!errore.isEmpty()) forms::avvisa(this, errore, kErrore);
}

void TfrmOpzioni::Button9Click() { impostaLogo(QByteArray()); }

void TfrmOpzioni::btnModificaLogoClick()
{
    // LogoMaga.bmp beside the program is a picture of its own, opened in the desktop's editor
    // for pictures; the program does not wait for it and reads nothing back.
    const QString file = QDir(ui::Workstation::instance().programFolder()).filePath(QStringLiteral("LogoMaga.bmp"));
    if (!QFileInfo::exists(file)) {
        forms::avvisa(this, QStringLiteral("Il file %1 non esiste.").arg(file), kErrore);
        return;
    }
    ui::Launcher::instance().open(file);
}

// --- Contabilità page ------------------------------------------------------------------------

QList<TfrmOpzioni::ContoPredefinito> TfrmOpzioni::contiPredefiniti() const
{
    return {{"conto_ID_Predefinito_su_FattureAcquisto_Generale", DBLookupComboBox11, SpeedButton14},
            {"conto_ID_Predefinito_su_FattureAcquisto_SpeseTrasporto", DBLookupComboBox8, SpeedButton10},
            {"conto_ID_Predefinito_su_FattureAcquisto_SpeseIncasso", DBLookupComboBox9, SpeedButton11},
            {"conto_ID_Predefinito_su_FattureVendita_Generale", DBLookupComboBox1, SpeedButton1},
            {"conto_ID_Predefinito_su_FattureVendita_SpeseTrasporto", DBLookupComboBox4, SpeedButton3},
            {"conto_ID_Predefinito_su_FattureVendita_SpeseIncasso", DBLookupComboBox5, SpeedButton4},
            {"conto_ID_Predefinito_su_Corrispettivi", DBLookupComboBox2, SpeedButton8},
            {"conto_ID_Predefinito_su_NoteCreditoAcquisto_Generale", DBLookupComboBox10, SpeedButton18},
            {"conto_ID_Predefinito_su_NoteCreditoAcquisto_SpeseTrasporto", DBLookupComboBox16, SpeedButton17},
            {"conto_ID_Predefinito_su_NoteCreditoAcquisto_SpeseIncasso", DBLookupComboBox15, SpeedButton16},
            {"conto_ID_Predefinito_su_NoteCreditoVendita_Generale", DBLookupComboBox14, SpeedButton15},
            {"conto_ID_Predefinito_su_NoteCreditoVendita_SpeseTrasporto", DBLookupComboBox13, SpeedButton13},
            {"conto_ID_Predefinito_su_NoteCreditoVendita_SpeseIncasso", DBLookupComboBox12, SpeedButton12}};
}

void TfrmOpzioni::scegliConto(const char *campo)
{
    TfrmGrigliaContabilitaConti *lista = frmGrigliaContabilitaConti;
    if (!lista) return;
    // The list comes back unfiltered, with empty search boxes and out of pick mode, picked or not.
    const std::optional<qint64> scelto = lista->scegli(QString(), QStringLiteral("Id"));
    if (!scelto) return;
    db::Query *q = opzioni();
    if (!q->isEditing()) q->edit();
    q->fieldByName(QString::fromLatin1(campo)).setAsInteger(*scelto);
}

void TfrmOpzioni::cancellaCampo(const char *campo)
{
    db::Query *q = opzioni();
    if (!q->isEditing()) q->edit();
    q->fieldByName(QString::fromLatin1(campo)).clear();
}

void TfrmOpzioni::SpeedButton14Click() { scegliConto("conto_ID_Predefinito_su_FattureAcquisto_Generale"); }
void TfrmOpzioni::SpeedButton10Click() { scegliConto("conto_ID_Predefinito_su_FattureAcquisto_SpeseTrasporto"); }
void TfrmOpzioni::SpeedButton11Click() { scegliConto("conto_ID_Predefinito_su_FattureAcquisto_SpeseIncasso"); }
void TfrmOpzioni::SpeedButton1Click() { scegliConto("conto_ID_Predefinito_su_FattureVendita_Generale"); }
void TfrmOpzioni::SpeedButton3Click() { scegliConto("conto_ID_Predefinito_su_FattureVendita_SpeseTrasporto"); }
void TfrmOpzioni::SpeedButton4Click() { scegliConto("conto_ID_Predefinito_su_FattureVendita_SpeseIncasso"); }
void TfrmOpzioni::SpeedButton8Click() { scegliConto("conto_ID_Predefinito_su_Corrispettivi"); }
void TfrmOpzioni::SpeedButton18Click() { scegliConto("conto_ID_Predefinito_su_NoteCreditoAcquisto_Generale"); }
void TfrmOpzioni::SpeedButton17Click() { scegliConto("conto_ID_Predefinito_su_NoteCreditoAcquisto_SpeseTrasporto"); }
void TfrmOpzioni::SpeedButton16Click() { scegliConto("conto_ID_Predefinito_su_NoteCreditoAcquisto_SpeseIncasso"); }
void TfrmOpzioni::SpeedButton15Click() { scegliConto("conto_ID_Predefinito_su_NoteCreditoVendita_Generale"); }
void TfrmOpzioni::SpeedButton13Click() { scegliConto("conto_ID_Predefinito_su_NoteCreditoVendita_SpeseTrasporto"); }
void TfrmOpzioni::SpeedButton12Click() { scegliConto("conto_ID_Predefinito_su_NoteCreditoVendita_SpeseIncasso"); }

void TfrmOpzioni::DBLookupComboBox21Click()
{
    db::Query *aliquote = form_DB->TableIva;
    if (aliquote->isEmpty()) return;
    db::Query *q = opzioni();
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("AliquotaIva")).setValue(aliquote->fieldByName(QStringLiteral("Iva")).value());
    q->fieldByName(QStringLiteral("Iva_Id")).setValue(aliquote->fieldByName(QStringLiteral("Id")).value());
}

void TfrmOpzioni::DBLookupComboBox21Cancella()
{
    db::Query *q = opzioni();
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("AliquotaIva")).clear();
    q->fieldByName(QStringLiteral("Iva_Id")).clear();
}

void TfrmOpzioni::Button1Click()
{
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler aggiornare l'iva di tutte le tariffe ?"))) return;
    // The rate picked on the form, stored later by "Indietro"; the tariffs the price list shows
    // through its filter (withdrawn ones are hidden).
    Q_EMIT form_DB->SourceOpzioni->updateRecord();
    db::Query *q = opzioni();
    const QVariant aliquota = q->fieldByName(QStringLiteral("AliquotaIva")).value();
    const QVariant ivaId = q->fieldByName(QStringLiteral("Iva_Id")).value();
    db::Query *listino = form_DB->Table1;
    if (!listino->isActive()) listino->open();
    // A tariff being typed elsewhere is stored first, or it would be lost on reading again.
    if (listino->isEditing() && !listino->post()) {
        forms::avvisa(this, listino->lastError(), kErrore);
        return;
    }
    const int colId = listino->fieldIndex(QStringLiteral("Id"));
    const QVariant corrente = listino->isEmpty() ? QVariant() : listino->value(colId);
    QList<qint64> ids;
    for (int i = 0; i < listino->recordCount(); ++i) ids << listino->valueAt(i, colId).toLongLong();
    QString errore;
    try {
        tariffe::cambiaIvaTariffe(form_DB->Connessione, ids, ivaId, aliquota);
    } catch (const db::DbError &e) {
        errore = e.message();
    }
    listino->requery();
    if (corrente.isValid()) listino->locate(QStringLiteral("Id"), corrente);
    if (!errore.isEmpty()) {
        ui::showError(QStringLiteral("Nessuna tariffa è stata cambiata: %1").arg(errore), kErrore, this);
        return;
    }
    forms::avvisa(this, QStringLiteral("Articoli cambiati con successo !"), forms::kAvviso);
}

void TfrmOpzioni::Button3Click()
{
    if (frmSerieFatturazione) frmSerieFatturazione->exec();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmOpzioni, "frmOpzioni");
} // namespace

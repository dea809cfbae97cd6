#include "Ditta.h"

#include "common/TextUtils.h"
#include "data/DB.h"
#include "forms/Impaginazione.h"
#include "db/DataSource.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/EditingHelper.h"
#include "widgets/MaskedDateEdit.h"

#include <QAction>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace {

// A link-like label that opens another window.
QLabel *etichettaCollegamento(QWidget *parent, const QString &nome, const QString &testo)
{
    auto *l = new QLabel(testo, parent);
    l->setObjectName(nome);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("QLabel { color: navy; } QLabel:disabled { color: gray; }"));
    l->setCursor(Qt::PointingHandCursor);
    return l;
}

// The e-invoicing dialogs are found by name: this editor does not depend on them.
QDialog *daRegistro(const char *nome)
{
    const forms::VoceForm *v = forms::Registro::istanza().voce(QString::fromLatin1(nome));
    return v ? qobject_cast<QDialog *>(v->corrente()) : nullptr;
}

void mostraDaRegistro(const char *nome)
{
    if (QDialog *finestra = daRegistro(nome)) finestra->exec();
}

} // namespace

TfrmDitta::TfrmDitta(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmDitta");
              c.titolo = QStringLiteral("Ditta");
              c.dataset = form_DB->Table12;
              c.source = form_DB->Source12;
              c.captionSalva = QStringLiteral("salva");
              // An empty table gets its row at the first save; a saved row is read again.
              c.salvaNuovo = true;
              return c;
          }(),
          parent)
{
    auto lista = [this](const char *sql, db::Query *&q, db::DataSource *&s) {
        q = new db::Query(&form_DB->Connessione, this);
        q->setSql(QString::fromLatin1(sql));
        s = new db::DataSource(q, this);
    };
    lista("select * from PA_RegimeFiscale", TablePA_RegimeFiscale, SourcePA_RegimeFiscale);
    lista("select * from PA_IscrizRea_SocioUnico order by Descrizione", TablePA_IscrizRea_SocioUnico,
          SourcePA_IscrizRea_SocioUnico);
    lista("select * from PA_IscrizRea_StatoLiquidazione order by Descrizione", TablePA_IscrizRea_StatoLiquidazione,
          SourcePA_IscrizRea_StatoLiquidazione);

    // Closed with the window's close box, which stores what was changed.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    bitSalva = spdSalva;
    bitSalva->setObjectName(QStringLiteral("bitSalva"));
    bitSalva->setToolTip(QStringLiteral("Salva le modifiche effettuate"));
    for (QAction *a : ToolBar2->actions()) {
        if (ToolBar2->widgetForAction(a) == spdSalva) a->setVisible(true);
        if (ToolBar2->widgetForAction(a) == spdIndietro) a->setVisible(false);
    }
    disconnect(spdSalva, nullptr, this, nullptr);
    connect(bitSalva, &QToolButton::clicked, this, &TfrmDitta::bitSalvaClick);

    const QString S = QString();
    auto edit = [this](const char *nome, const char *etichetta, const char *campo) {
        return aggiungiEdit(QString::fromLatin1(nome), QString::fromUtf8(etichetta), QString::fromLatin1(campo));
    };
    auto check = [this](const char *nome, const char *etichetta, const char *campo) {
        return aggiungiCheck(QString::fromLatin1(nome), QString::fromUtf8(etichetta), QString::fromLatin1(campo));
    };
    auto lookup = [this](const char *nome, const char *etichetta, const char *campo, db::DataSource *s, const char *chiave,
                         const char *mostrato) {
        return aggiungiLookup(QString::fromLatin1(nome), QString::fromUtf8(etichetta), QString::fromLatin1(campo), s,
                              QString::fromLatin1(chiave), QString::fromLatin1(mostrato));
    };

    DBEdit1 = edit("DBEdit1", "Ragione Sociale", "RagSoc");
    DBEdit8 = edit("DBEdit8", "P.Iva", "PIva");
    DBEdit10 = edit("DBEdit10", "Cod Fiscale", "CodFisc");
    edit("DBEdit11", "Cellulare", "Cell");
    edit("DBEdit12", "Internet", "Internet");
    edit("DBEdit13", "campo Univoco Articoli", "PrezziarCampoUnico");
    edit("DBEdit18", "Pec", "Pec");
    edit("DBEdit19", "Altri dati", "AltriDati");
    edit("DBEdit21", "Codice Sdi", "CodiceSdi");
    check("DBCheckBox1", "Fattura Anno", "FatturaAnno");
    check("DBCheckBox4", "Fatturazione Multipla (più serie di fatturazione)", "FatturazioneMultipla");
    check("DBCheckBox6", "Trasmissione con codice fiscale", "Trasmissione_CodFisc");
    edit("DBEdit20", "Nome", "Nome");
    edit("DBEdit22", "Cognome", "Cognome");
    edit("DBEdit23", "Titolo", "Titolo");
    edit("DBEdit24", "CodEori", "CodEori");
    lookup("DBLookupComboBox3", "Regime fiscale", "RegimeFiscale", SourcePA_RegimeFiscale, "Codice", "Descrizione");
    edit("DBEdit35", "Rif. Amministraz.", "RiferimentoAmministrazione");
    edit("DBEdit17", "Soggetto emittente: Vuoto normale, CC CessComm, TZ=Terzo", "SoggettoEmittente");
    auto *terzi = new QWidget(this);
    auto *h = new QHBoxLayout(terzi);
    h->setContentsMargins(0, 0, 0, 0);
    Label26 = etichettaCollegamento(terzi, QStringLiteral("Label26"), QStringLiteral("Rappresentante fiscale"));
    Label29 = etichettaCollegamento(terzi, QStringLiteral("Label29"), QStringLiteral("Terzo intermediario"));
    h->addWidget(Label26);
    h->addSpacing(24);
    h->addWidget(Label29);
    h->addStretch(1);
    aggiungiRiga(S, terzi);
    Label26->installEventFilter(this);
    Label29->installEventFilter(this);

    aggiungiPagina(QStringLiteral("TabSede"), QStringLiteral("Sede"));
    lookup("DBLookupComboBox5", "Nazione", "IdPaese", form_DB->SourceNazioni, "SIGLA", "DENOMINAZ");
    DBEdit2 = edit("DBEdit2", "Indirizzo", "Via");
    DBEdit3 = edit("DBEdit3", "Numero", "Numero");
    DBLookupComboBox1 = lookup("DBLookupComboBox1", "comune", "Comune", form_DB->Source8, "Comune", "Comune");
    auto *rigaCancella = new QWidget(this);
    auto *hc = new QHBoxLayout(rigaCancella);
    hc->setContentsMargins(0, 0, 0, 0);
    Button4 = new QPushButton(QStringLiteral("Cancella"), rigaCancella);
    Button4->setAutoDefault(false);
    Button4->setObjectName(QStringLiteral("Button4"));
    Button4->setFocusPolicy(Qt::NoFocus);
    hc->addWidget(Button4);
    hc->addStretch(1);
    aggiungiRiga(S, rigaCancella);
    DBEdit4 = edit("DBEdit4", "Cap", "Cap");
    DBEdit5 = edit("DBEdit5", "Provincia", "Provincia");

    aggiungiPagina(QStringLiteral("TabContatti"), QStringLiteral("Contatti"));
    check("DBCheckBox5", "Includi", "Contatti");
    edit("DBEdit6", "Telefono", "Tel");
    edit("DBEdit7", "Fax", "Fax");
    edit("DBEdit9", "E-mail", "Email");

    aggiungiPagina(QStringLiteral("TabAlbo"), QStringLiteral("Albo Professionale"));
    edit("DBEdit14", "Albo Profess.", "AlboProfessionale");
    lookup("DBLookupComboBox4", "Provincia albo", "ProvinciaAlbo", form_DB->SourceProvince, "PROVINCIA", "CAPOLUOGO");
    edit("DBEdit15", "N° Iscriz. albo", "NumeroIscrizioneAlbo");
    auto *data = new ui::MaskedDateEdit(this);
    data->setObjectName(QStringLiteral("DBEdit16"));
    data->setDataSource(form_DB->Source12);
    data->setDataField(QStringLiteral("DataIscrizioneAlbo"));
    aggiungiRiga(QStringLiteral("Data Iscriz. albo"), data);

    aggiungiPagina(QStringLiteral("TabStabile"), QStringLiteral("Stabile Organizzazione"));
    check("DBCheckBox2", "Includi", "StabileOrganizzazione");
    lookup("DBLookupComboBox8", "Nazione", "StabileOrganizzazione_Nazione", form_DB->SourceNazioni, "SIGLA", "DENOMINAZ");
    edit("DBEdit27", "Indirizzo", "StabileOrganizzazione_Indirizzo");
    edit("DBEdit28", "N° Civico", "StabileOrganizzazione_NumeroCivico");
    lookup("DBLookupComboBox9", "Comune", "StabileOrganizzazione_Comune", form_DB->Source8, "Comune", "Comune");
    edit("DBEdit29", "CAP", "StabileOrganizzazione_CAP");
    lookup("DBLookupComboBox10", "Provincia", "StabileOrganizzazione_Provincia", form_DB->SourceProvince, "PROVINCIA",
           "CAPOLUOGO");

    aggiungiPagina(QStringLiteral("TabRea"), QStringLiteral("Iscrizione REA"));
    check("DBCheckBox3", "Includi", "Iscrizione_REA");
    lookup("DBLookupComboBox11", "Ufficio", "Iscrizione_REA_Ufficio", form_DB->SourceProvince, "PROVINCIA", "CAPOLUOGO");
    edit("DBEdit30", "Numero REA", "Iscrizione_REA_NumeroREA");
    DBEdit31 = edit("DBEdit31", "Cap. sociale", "Iscrizione_REA_CapitaleSociale");
    DBEdit31->setMaxLength(15);
    lookup("DBLookupComboBox12", "Socio unico", "Iscrizione_REA_SocioUnico", SourcePA_IscrizRea_SocioUnico, "Codice",
           "Descrizione");
    lookup("DBLookupComboBox13", "Stato Liquidazione", "Iscrizione_REA_StatoLiquidazione",
           SourcePA_IscrizRea_StatoLiquidazione, "Codice", "Descrizione");

    dueColonne(DBEdit1, 9);

    connect(DBLookupComboBox1, &ui::DBLookupComboBox::picked, this, &TfrmDitta::DBLookupComboBox1Click);
    connect(Button4, &QPushButton::clicked, this, &TfrmDitta::Button4Click);
    completa();
    m_editing->markAmountField(DBEdit31);
    DBEdit8->installEventFilter(this);
}

void TfrmDitta::dueColonne(QWidget *campo, int righe)
{
    // The company's twenty fields above the pages, in one column, would make the editor taller
    // than a 1024x768 screen: the rows after the first `righe` go into a second column beside them.
    QFormLayout *prima = nullptr;
    for (QFormLayout *f : findChildren<QFormLayout *>())
        if (f->indexOf(campo) >= 0) prima = f;
    auto *corpo = prima ? qobject_cast<QBoxLayout *>(prima->parent()) : nullptr;
    if (!corpo) return;
    auto *seconda = new QFormLayout;
    while (prima->rowCount() > righe) forms::spostaRiga(prima, righe, seconda);
    const int posto = corpo->indexOf(prima);
    corpo->removeItem(prima);
    auto *colonne = new QHBoxLayout;
    colonne->addLayout(prima, 1);
    colonne->addSpacing(16);
    colonne->addLayout(seconda, 1);
    corpo->insertLayout(posto, colonne);
}

int TfrmDitta::apri()
{
    for (db::Query *q : {TablePA_RegimeFiscale, TablePA_IscrizRea_SocioUnico, TablePA_IscrizRea_StatoLiquidazione}) {
        if (q->isActive()) q->requery();
        else q->open();
    }
    db::Query *ditta = dataset();
    if (!ditta->isActive()) ditta->open();
    // Without a company row the fields could not be typed into: the first save stores the row.
    if (ditta->isEmpty()) ditta->append();
    // A link leads only to a dialog that exists.
    Label26->setEnabled(daRegistro("frmModificaRappresentanteFiscale"));
    Label29->setEnabled(daRegistro("frmModificaTerzoIntermediario"));
    setWindowState(windowState() | Qt::WindowMaximized);
    return mostra(false);
}

void TfrmDitta::bitSalvaClick()
{
    spdSalvaClick();
    // The editor stays open on the stored row.
}

void TfrmDitta::spdIndietroClick()
{
    // Whatever is still in the edit buffer is stored before the editor closes; a refused save
    // keeps the editor open with the user's text.
    if (dataset()->isEditing() && dataset()->state() == db::Query::State::Edit) DatiModificati = true;
    forms::DetailForm::spdIndietroClick();
}

void TfrmDitta::DBEdit8Exit()
{
    const QString piva = DBEdit8->text();
    if (!piva.isEmpty() && !common::ControllaPartitaIva(piva))
        forms::avvisa(this, QStringLiteral("Attenzione la partita Iva appena inserita non è valida!!!"),
                      QStringLiteral("Pellavantoria"));
}

void TfrmDitta::DBLookupComboBox1Click()
{
    forms::copiaDallaScelta(form_DB->Table8, dataset(),
                            {{QStringLiteral("Cap"), QStringLiteral("Cap")}, {QStringLiteral("Provincia"), QStringLiteral("Provincia")}});
    DatiModificati = true;
}

void TfrmDitta::Button4Click()
{
    db::Query *q = dataset();
    if (q->recordCount() < 1 && q->state() != db::Query::State::Insert) return;
    if (!q->isEditing()) q->edit();
    for (const QString campo : {QStringLiteral("Comune"), QStringLiteral("Cap"), QStringLiteral("Provincia")})
        q->fieldByName(campo).setAsString(QString());
    DatiModificati = true;
}

void TfrmDitta::Label26Click() { mostraDaRegistro("frmModificaRappresentanteFiscale"); }

void TfrmDitta::Label29Click() { mostraDaRegistro("frmModificaTerzoIntermediario"); }

bool TfrmDitta::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == DBEdit8 && e->type() == QEvent::FocusOut) {
        // Only when the user leaves the box, not when another window comes forward.
        const auto motivo = static_cast<QFocusEvent *>(e)->reason();
        if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason) DBEdit8Exit();
    }
    if (e->type() == QEvent::MouseButtonRelease) {
        if (watched == Label26 && Label26->isEnabled()) Label26Click();
        if (watched == Label29 && Label29->isEnabled()) Label29Click();
    }
    return forms::DetailForm::eventFilter(watched, e);
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmDitta, "frmDitta");
} // namespace

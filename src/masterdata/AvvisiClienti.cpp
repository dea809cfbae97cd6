#include "AvvisiClienti.h"

#include "TestiAvvisi.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/Registro.h"
#include "masterdata/services/Avvisi.h"
#include "widgets/EditingHelper.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

const QString kTitolo = QStringLiteral("Avvisi per Clienti");

QToolButton *aiuto(QWidget *w, int contesto)
{
    auto *b = ui::toolButton(w, QStringLiteral("spdHelp"), QStringLiteral("Aiuto"), QStringLiteral("Guida in linea del programma"),
                             "help-browser", QStyle::SP_DialogHelpButton);
    QObject::connect(b, &QToolButton::clicked, w, [contesto] { ui::apriGuida(contesto); });
    return b;
}

QToolButton *continua(QWidget *w, const QString &nome)
{
    return ui::toolButton(w, nome, QStringLiteral("Continua"), QStringLiteral("Passa al punto successivo"), "go-next",
                          QStyle::SP_ArrowForward);
}

// A lookup of keys and names read from the archive; the first entry (key -1) is no filter.
void riempi(QComboBox *c, const QString &sql)
{
    c->clear();
    c->addItem(QString(), -1);
    if (!form_DB || !form_DB->Connessione.isOpen()) return;
    db::Query q(&form_DB->Connessione);
    q.setSql(sql);
    q.open();
    for (q.first(); !q.eof(); q.next()) c->addItem(q.field(1).asString(), q.field(0).value());
}

} // namespace

TfrmAvvisiClienti_Campi::TfrmAvvisiClienti_Campi(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAvvisiClienti_Campi"));
    setWindowTitle(kTitolo);
    setProperty("helpContext", 10200);
    resize(640, 420);
    auto *barra = new QToolBar(this);
    spdHelp = aiuto(this, 10200);
    spdIndietro = ui::pulsanteIndietro(this);
    spdContinua = continua(this, QStringLiteral("spdContinua"));
    for (QToolButton *b : {spdHelp, spdIndietro, spdContinua}) barra->addWidget(b);
    DBLookupComboBox1 = new QComboBox(this);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    SpeedButton6 = new QToolButton(this);
    SpeedButton6->setObjectName(QStringLiteral("SpeedButton6"));
    SpeedButton6->setText(QStringLiteral("+"));
    SpeedButton6->setToolTip(QStringLiteral("Nuovo avviso predisposto"));
    DBMemo1 = new QPlainTextEdit(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    auto *importa = new QHBoxLayout;
    importa->addWidget(DBLookupComboBox1, 1);
    importa->addWidget(SpeedButton6);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(barra);
    lay->addWidget(new QLabel(QStringLiteral("Importa da un avviso già predisposto"), this));
    lay->addLayout(importa);
    lay->addWidget(new QLabel(QStringLiteral("Testo"), this));
    lay->addWidget(DBMemo1, 1);
    connect(DBMemo1, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_caricando) DatiModificati = true;
    });
    connect(DBLookupComboBox1, &QComboBox::activated, this, &TfrmAvvisiClienti_Campi::DBLookupComboBox1Click);
    connect(SpeedButton6, &QToolButton::clicked, this, [this] {
        if (frmGrigliaAvvisi) frmGrigliaAvvisi->spdInserisciClick();
        caricaAvvisi();
    });
    connect(spdContinua, &QToolButton::clicked, this, &TfrmAvvisiClienti_Campi::spdContinuaClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmAvvisiClienti_Campi::spdIndietroClick);
}

void TfrmAvvisiClienti_Campi::caricaAvvisi() { riempi(DBLookupComboBox1, QStringLiteral("select Id, Descrizione from Avvisi order by Descrizione")); }

void TfrmAvvisiClienti_Campi::showEvent(QShowEvent *e)
{
    caricaAvvisi();
    if (form_DB && form_DB->Connessione.isOpen()) {
        m_caricando = true;
        DBMemo1->setPlainText(avvisi::testo(form_DB->Connessione, NomeComputerLocale));
        m_caricando = false;
    }
    QDialog::showEvent(e);
}

void TfrmAvvisiClienti_Campi::DBLookupComboBox1Click()
{
    const int id = DBLookupComboBox1->currentData().toInt();
    if (id <= 0) return;
    if (!DBMemo1->toPlainText().isEmpty() &&
        !ui::askYesNo(QStringLiteral("Sei sicuro di voler importare il tipo di avviso ?"), QStringLiteral("Messaggio di avviso"), this))
        return;
    db::Query q(&form_DB->Connessione);
    q.setSql(QStringLiteral("select Testo from Avvisi where Id = :id"));
    q.bind(QStringLiteral(":id"), id);
    q.open();
    if (q.isEmpty()) return;
    DBMemo1->setPlainText(q.fieldByName(QStringLiteral("Testo")).asString());
    DatiModificati = true;
}

void TfrmAvvisiClienti_Campi::spdContinuaClick()
{
    if (DBMemo1->toPlainText().isEmpty()) {
        ui::showError(QStringLiteral("Attenzione manca il testo"), QStringLiteral("Messaggio di Errore"), this);
        DBMemo1->setFocus();
        return;
    }
    avvisi::salvaTesto(form_DB->Connessione, NomeComputerLocale, DBMemo1->toPlainText());
    if (!frmAvvisiClienti_Filtri) return;
    frmAvvisiClienti_Filtri->azzera();
    frmAvvisiClienti_Filtri->exec();
}

void TfrmAvvisiClienti_Campi::spdIndietroClick()
{
    if (DatiModificati) avvisi::salvaTesto(form_DB->Connessione, NomeComputerLocale, DBMemo1->toPlainText());
    DatiModificati = false;
    accept();
}

TfrmAvvisiClienti_Filtri::TfrmAvvisiClienti_Filtri(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAvvisiClienti_Filtri"));
    setWindowTitle(kTitolo);
    setProperty("helpContext", 10300);
    auto *barra = new QToolBar(this);
    spdHelp = aiuto(this, 10300);
    spdIndietro = ui::pulsanteIndietro(this);
    btnContinua = continua(this, QStringLiteral("btnContinua"));
    for (QToolButton *b : {spdHelp, spdIndietro, btnContinua}) barra->addWidget(b);
    auto combo = [this](const char *nome) {
        auto *c = new QComboBox(this);
        c->setObjectName(QLatin1String(nome));
        c->setMinimumWidth(260);
        return c;
    };
    DBLookupComboBox1 = combo("DBLookupComboBox1");
    DBLookupComboBox3 = combo("DBLookupComboBox3");
    DBLookupComboBox4 = combo("DBLookupComboBox4");
    DBLookupComboBox2 = combo("DBLookupComboBox2");
    Edit4 = new QLineEdit(this);
    Edit4->setObjectName(QStringLiteral("Edit4"));
    auto data = [this](const char *nome) {
        auto *e = new ui::MaskedDateEdit(this);
        e->setObjectName(QLatin1String(nome));
        e->setMaximumWidth(120);
        return e;
    };
    maskDa = data("maskDa");
    maskA = data("maskA");
    CheckBox1 = new QCheckBox(QStringLiteral("Pubblica Amministrazione"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox2 = new QCheckBox(QStringLiteral("Pagamento effettuato"), this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    auto *gruppo = new QGroupBox(QStringLiteral("Filtri:"), this);
    auto *f = new QFormLayout(gruppo);
    f->addRow(QStringLiteral("Mod. di pagamento"), DBLookupComboBox1);
    f->addRow(QStringLiteral("Categoria"), DBLookupComboBox3);
    f->addRow(QStringLiteral("Comune residenza"), DBLookupComboBox4);
    f->addRow(QStringLiteral("Provincia"), DBLookupComboBox2);
    f->addRow(QStringLiteral("Note"), Edit4);
    f->addRow(QStringLiteral("Da data scadenza"), maskDa);
    f->addRow(QStringLiteral("Alla data scadenza"), maskA);
    f->addRow(CheckBox1);
    f->addRow(CheckBox2);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(barra);
    lay->addWidget(gruppo);
    connect(btnContinua, &QToolButton::clicked, this, &TfrmAvvisiClienti_Filtri::btnContinuaClick);
    connect(spdIndietro, &QToolButton::clicked, this, &QDialog::accept);
    // Aqua focus and Enter/Down/Up between the fields, as on the data-entry forms.
    ui::EditingHelper::install(this);
    for (QComboBox *c : {DBLookupComboBox1, DBLookupComboBox3, DBLookupComboBox4, DBLookupComboBox2}) c->installEventFilter(this);
}

bool TfrmAvvisiClienti_Filtri::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent *>(e)->key();
        auto *c = qobject_cast<QComboBox *>(watched);
        if (c && (tasto == Qt::Key_Backspace || tasto == Qt::Key_Delete)) {
            c->setCurrentIndex(0);
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

namespace {
// The date typed in a date box: empty when nothing is typed, as typed when it is incomplete (the
// search then says the date is not valid).
QString dataScritta(const ui::MaskedDateEdit *e)
{
    const QString t = e->text();
    if (QString(t).remove(u'/').trimmed().isEmpty()) return QString();
    return e->date().isValid() ? e->date().toString(QStringLiteral("dd/MM/yyyy")) : t;
}
} // namespace

void TfrmAvvisiClienti_Filtri::azzera()
{
    riempi(DBLookupComboBox1, QStringLiteral("select id, Descrizione from ModPagamento order by Descrizione"));
    riempi(DBLookupComboBox3, QStringLiteral("select ID, Descrizione from ClientiCategoria order by Descrizione"));
    riempi(DBLookupComboBox4, QStringLiteral("select ID, Comune from Comuni order by Comune"));
    riempi(DBLookupComboBox2, QStringLiteral("select PROVINCIA, PROVINCIA from Province order by PROVINCIA"));
    for (QComboBox *c : {DBLookupComboBox1, DBLookupComboBox3, DBLookupComboBox4, DBLookupComboBox2}) c->setCurrentIndex(0);
    Edit4->clear();
    maskDa->clear();
    maskA->clear();
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
}

void TfrmAvvisiClienti_Filtri::btnContinuaClick()
{
    avvisi::Filtri f;
    f.pagamento = DBLookupComboBox1->currentData().toInt();
    f.categoria = DBLookupComboBox3->currentData().toInt();
    f.comune = DBLookupComboBox4->currentData().toInt();
    if (DBLookupComboBox2->currentIndex() > 0) f.provincia = DBLookupComboBox2->currentText();
    f.note = Edit4->text();
    f.daScadenza = dataScritta(maskDa);
    f.aScadenza = dataScritta(maskA);
    f.pubblicaAmministrazione = CheckBox1->isChecked();
    f.pagamentoEffettuato = CheckBox2->isChecked();
    QList<avvisi::Cliente> trovati;
    try {
        trovati = avvisi::clienti(form_DB->Connessione, f);
    } catch (const std::invalid_argument &) {
        ui::showError(QStringLiteral("La data di scadenza non è valida: scrivere gg/mm/aaaa."), QStringLiteral("Messaggio di Errore"), this);
        return;
    }
    if (!frmAvvisiClienti_Griglia) return;
    QListWidget *l = frmAvvisiClienti_Griglia->CheckListBox1;
    l->clear();
    for (const avvisi::Cliente &c : trovati) {
        auto *i = new QListWidgetItem(QStringLiteral("   ") + c.nominativo, l);
        i->setData(Qt::UserRole, c.id);
        i->setFlags(i->flags() | Qt::ItemIsUserCheckable);
    }
    frmAvvisiClienti_Griglia->SelezionaTuttiClick();
    frmAvvisiClienti_Griglia->exec();
}

TfrmAvvisiClienti_Griglia::TfrmAvvisiClienti_Griglia(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAvvisiClienti_Griglia"));
    setWindowTitle(kTitolo);
    setProperty("helpContext", 10400);
    setWindowState(Qt::WindowMaximized);
    auto *barra = new QToolBar(this);
    spdHelp = aiuto(this, 10400);
    spdIndietro = ui::pulsanteIndietro(this);
    btnStampa = ui::toolButton(this, QStringLiteral("btnStampa"), QStringLiteral("Stampa"), QStringLiteral("Stampa l'avviso per i clienti scelti"),
                               "document-print", QStyle::SP_FileIcon);
    for (QToolButton *b : {spdHelp, spdIndietro, btnStampa}) barra->addWidget(b);
    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(barra);
    lay->addWidget(CheckListBox1);
    connect(CheckListBox1, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        QMenu m(this);
        m.addAction(QStringLiteral("Seleziona tutti"), this, &TfrmAvvisiClienti_Griglia::SelezionaTuttiClick);
        m.addAction(QStringLiteral("Nessuna selezione"), this, &TfrmAvvisiClienti_Griglia::NessunaSelezioneClick);
        m.exec(CheckListBox1->mapToGlobal(p));
    });
    connect(btnStampa, &QToolButton::clicked, this, &TfrmAvvisiClienti_Griglia::btnStampaClick);
    connect(spdIndietro, &QToolButton::clicked, this, &QDialog::accept);
}

void TfrmAvvisiClienti_Griglia::SelezionaTuttiClick()
{
    for (int i = 0; i < CheckListBox1->count(); ++i) CheckListBox1->item(i)->setCheckState(Qt::Checked);
}

void TfrmAvvisiClienti_Griglia::NessunaSelezioneClick()
{
    for (int i = 0; i < CheckListBox1->count(); ++i) CheckListBox1->item(i)->setCheckState(Qt::Unchecked);
}

void TfrmAvvisiClienti_Griglia::btnStampaClick()
{
    QList<int> scelti;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        if (CheckListBox1->item(i)->checkState() == Qt::Checked) scelti << CheckListBox1->item(i)->data(Qt::UserRole).toInt();
    avvisi::scegli(form_DB->Connessione, NomeComputerLocale, scelti);
    CodiceStampa = 32;
    form_DB->Button2Click();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati = forms::registra(frmAvvisiClienti_Campi, "frmAvvisiClienti_Campi") &&
                        forms::registra(frmAvvisiClienti_Filtri, "frmAvvisiClienti_Filtri") &&
                        forms::registra(frmAvvisiClienti_Griglia, "frmAvvisiClienti_Griglia");
} // namespace

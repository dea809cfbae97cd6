#include "Email.h"

#include "data/DB.h"
#include "data/services/Posta.h"
#include "forms/Registro.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kAvviso = QStringLiteral("Messaggio di Avviso");

// The hourglass for as long as a send runs.
struct Clessidra {
    Clessidra() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Clessidra() { QApplication::restoreOverrideCursor(); }
};

QToolButton *piccolo(QWidget *parent, const QString &nome, const QString &suggerimento, const char *icona,
                     QStyle::StandardPixmap riserva)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(nome);
    b->setToolTip(suggerimento);
    b->setIcon(ui::iconaTema(QLatin1String(icona), riserva, parent));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

void rimuoviSelezionata(QListWidget *l)
{
    if (QListWidgetItem *i = l->currentItem(); i && i->isSelected()) delete i;
}

} // namespace

TfrmEmail::TfrmEmail(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEmail"));
    setWindowTitle(QStringLiteral("Email"));
    setProperty("helpContext", 18100);
    resize(760, 560);

    auto *barra = new QToolBar(this);
    spdEmail = ui::toolButton(this, QStringLiteral("spdEmail"), QStringLiteral("Invia"), QStringLiteral("Invia l'email"),
                              "mail-send", QStyle::SP_ArrowForward);
    BitBtn1 = ui::toolButton(this, QStringLiteral("BitBtn1"), QStringLiteral("Azzera"),
                             QStringLiteral("Svuota destinatari, oggetto, testo e allegati"), "edit-clear", QStyle::SP_DialogResetButton);
    spdHelp = ui::toolButton(this, QStringLiteral("spdHelp"), QStringLiteral("Aiuto"), QStringLiteral("Guida in linea del programma"),
                             "help-browser", QStyle::SP_DialogHelpButton);
    spdIndietro = ui::pulsanteIndietro(this);
    for (QToolButton *b : {spdEmail, BitBtn1, spdHelp, spdIndietro}) barra->addWidget(b);

    txtDestinatario = new QListWidget(this);
    txtDestinatario->setObjectName(QStringLiteral("txtDestinatario"));
    txtOggetto = new QLineEdit(this);
    txtOggetto->setObjectName(QStringLiteral("txtOggetto"));
    txtTesto = new QTextEdit(this);
    txtTesto->setObjectName(QStringLiteral("txtTesto"));
    txtTesto->setAcceptRichText(false);
    txtAllegati = new QListWidget(this);
    txtAllegati->setObjectName(QStringLiteral("txtAllegati"));

    spdInserisciPiccolo = piccolo(this, QStringLiteral("spdInserisciPiccolo"), QStringLiteral("Aggiungi un destinatario"),
                                  "list-add", QStyle::SP_FileDialogNewFolder);
    spdEliminaPiccolo = piccolo(this, QStringLiteral("spdEliminaPiccolo"), QStringLiteral("Elimina il destinatario selezionato"),
                                "list-remove", QStyle::SP_TrashIcon);
    SpeedButton6 = piccolo(this, QStringLiteral("SpeedButton6"), QStringLiteral("Elimina tutti i destinatari"), "edit-clear",
                           QStyle::SP_DialogDiscardButton);
    SpeedButton1 = piccolo(this, QStringLiteral("SpeedButton1"), QStringLiteral("Aggiungi il testo standard"), "insert-text",
                           QStyle::SP_FileDialogContentsView);
    SpeedButton5 = piccolo(this, QStringLiteral("SpeedButton5"), QStringLiteral("Allega un file"), "mail-attachment",
                           QStyle::SP_DirOpenIcon);
    SpeedButton4 = piccolo(this, QStringLiteral("SpeedButton4"), QStringLiteral("Elimina l'allegato selezionato"), "list-remove",
                           QStyle::SP_TrashIcon);
    SpeedButton3 = piccolo(this, QStringLiteral("SpeedButton3"), QStringLiteral("Elimina tutti gli allegati"), "edit-clear",
                           QStyle::SP_DialogDiscardButton);

    auto colonna = [this](std::initializer_list<QToolButton *> bs) {
        auto *w = new QWidget(this);
        auto *l = new QVBoxLayout(w);
        l->setContentsMargins(0, 0, 0, 0);
        for (QToolButton *b : bs) l->addWidget(b);
        l->addStretch();
        return w;
    };
    auto *griglia = new QGridLayout;
    griglia->addWidget(new QLabel(QStringLiteral("Destinatari"), this), 0, 0, Qt::AlignTop);
    griglia->addWidget(txtDestinatario, 0, 1);
    griglia->addWidget(colonna({spdInserisciPiccolo, spdEliminaPiccolo, SpeedButton6}), 0, 2);
    griglia->addWidget(new QLabel(QStringLiteral("Oggetto"), this), 1, 0);
    griglia->addWidget(txtOggetto, 1, 1);
    griglia->addWidget(new QLabel(QStringLiteral("Testo"), this), 2, 0, Qt::AlignTop);
    griglia->addWidget(txtTesto, 2, 1);
    griglia->addWidget(colonna({SpeedButton1}), 2, 2);
    griglia->addWidget(new QLabel(QStringLiteral("Allegati"), this), 3, 0, Qt::AlignTop);
    griglia->addWidget(txtAllegati, 3, 1);
    griglia->addWidget(colonna({SpeedButton5, SpeedButton4, SpeedButton3}), 3, 2);
    griglia->setRowStretch(0, 1);
    griglia->setRowStretch(2, 3);
    griglia->setRowStretch(3, 1);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(barra);
    lay->addLayout(griglia);
    setTabOrder(txtDestinatario, txtOggetto);
    setTabOrder(txtOggetto, txtTesto);
    setTabOrder(txtTesto, txtAllegati);

    connect(spdEmail, &QToolButton::clicked, this, &TfrmEmail::spdEmailClick);
    connect(BitBtn1, &QToolButton::clicked, this, [this] {
        txtAllegati->clear();
        txtDestinatario->clear();
        txtOggetto->clear();
        txtTesto->clear();
    });
    connect(SpeedButton3, &QToolButton::clicked, txtAllegati, &QListWidget::clear);
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { rimuoviSelezionata(txtAllegati); });
    connect(SpeedButton5, &QToolButton::clicked, this, [this] {
        const QString f = ui::Dialogs::instance().openFile(this, QStringLiteral("Allega File"), QString(), QString());
        if (!f.isEmpty()) txtAllegati->addItem(QFileInfo(f).absoluteFilePath());
    });
    connect(SpeedButton6, &QToolButton::clicked, txtDestinatario, &QListWidget::clear);
    connect(spdEliminaPiccolo, &QToolButton::clicked, this, [this] { rimuoviSelezionata(txtDestinatario); });
    connect(spdInserisciPiccolo, &QToolButton::clicked, this, [this] {
        if (!frmInsEmail) return;
        frmInsEmail->txtEmail->clear();
        frmInsEmail->exec();
        const QString a = frmInsEmail->txtEmail->text().trimmed();
        if (!a.isEmpty()) txtDestinatario->addItem(a);
    });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] {
        if (!form_DB) return;
        txtTesto->setPlainText(txtTesto->toPlainText() + posta::testoPredefinito(form_DB->Connessione));
    });
    connect(spdHelp, &QToolButton::clicked, this, [] { ui::apriGuida(18100); });
    connect(spdIndietro, &QToolButton::clicked, this, &QDialog::reject);
}

QStringList TfrmEmail::righe(QListWidget *l) const
{
    QStringList r;
    for (int i = 0; i < l->count(); ++i) r << l->item(i)->text();
    return r;
}

bool TfrmEmail::InviaMail(const QStringList &destinatari, const QStringList &cc, const QString &oggetto, const QString &testo,
                          const QStringList &allegati)
{
    if (!form_DB) return false;
    const posta::Impostazioni imp = posta::leggiImpostazioni(form_DB->Connessione);
    posta::Esito e;
    {
        Clessidra c;
        e = posta::invia(imp, destinatari, cc, oggetto, testo, allegati);
    }
    if (!e.inviato && !e.messaggio.isEmpty()) {
        const bool impostazione = e.messaggio == QString::fromUtf8(posta::MancaHost) ||
                                  e.messaggio == QString::fromUtf8(posta::MancaMittente);
        if (impostazione) ui::showWarning(e.messaggio, kAvviso, this);
        else ui::showError(e.messaggio, QStringLiteral("Errore"), this);
    }
    return e.inviato;
}

void TfrmEmail::spdEmailClick()
{
    if (txtDestinatario->count() == 0) {
        ui::showWarning(QStringLiteral("Manca il destinatario"), kAvviso, this);
        return;
    }
    const QStringList allegati = righe(txtAllegati);
    const QString oggetto = txtOggetto->text();
    const QString testo = txtTesto->toPlainText();
    for (const QString &a : righe(txtDestinatario)) {
        if (a.trimmed().isEmpty()) continue;
        // each recipient gets a message of its own and never sees the other addresses
        if (!InviaMail({a}, {}, oggetto, testo, allegati))
            ui::showInformation(QStringLiteral("Messaggio Non inviato a : ") + a, kAvviso, this);
    }
    ui::showInformation(QStringLiteral("Termine Invio Messaggi !"), kAvviso, this);
}

TfrmInsEmail::TfrmInsEmail(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInsEmail"));
    setWindowTitle(QStringLiteral("Inserisci Email"));
    setProperty("helpContext", 18110);
    auto *barra = new QToolBar(this);
    spdIndietro = ui::pulsanteIndietro(this);
    barra->addWidget(spdIndietro);
    txtEmail = new QLineEdit(this);
    txtEmail->setObjectName(QStringLiteral("txtEmail"));
    txtEmail->setMinimumWidth(320);
    auto *riga = new QHBoxLayout;
    riga->addWidget(new QLabel(QStringLiteral("email"), this));
    riga->addWidget(txtEmail);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(barra);
    lay->addLayout(riga);
    connect(spdIndietro, &QToolButton::clicked, this, &QDialog::accept);
    connect(txtEmail, &QLineEdit::returnPressed, this, &QDialog::accept);
}

TfrmIndirizziEmail::TfrmIndirizziEmail(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmIndirizziEmail"));
    setWindowTitle(QStringLiteral("Indirizzi Email"));
    setProperty("helpContext", 9400);
    setWindowState(Qt::WindowMaximized);
    auto *barra = new QToolBar(this);
    spdHelp = ui::toolButton(this, QStringLiteral("spdHelp"), QStringLiteral("Aiuto"), QStringLiteral("Guida in linea del programma"),
                             "help-browser", QStyle::SP_DialogHelpButton);
    spdIndietro = ui::pulsanteIndietro(this);
    barra->addWidget(spdHelp);
    barra->addWidget(spdIndietro);
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setAcceptRichText(false);
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(barra);
    lay->addWidget(RichEdit1);
    connect(RichEdit1, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        QMenu m(this);
        m.addAction(QStringLiteral("Copia Tutto"), this, &TfrmIndirizziEmail::copiaTutto);
        m.addAction(QStringLiteral("Copia"), this, &TfrmIndirizziEmail::copia);
        m.exec(RichEdit1->mapToGlobal(p));
    });
    connect(spdHelp, &QToolButton::clicked, this, [] { ui::apriGuida(9400); });
    connect(spdIndietro, &QToolButton::clicked, this, &QDialog::reject);
}

void TfrmIndirizziEmail::copiaTutto()
{
    RichEdit1->selectAll();
    RichEdit1->copy();
}

void TfrmIndirizziEmail::copia() { RichEdit1->copy(); }

namespace posta {

void componiEmail(const QStringList &destinatari, const QStringList &allegati, const QString &oggetto, const QString &testo)
{
    if (!frmEmail) return;
    frmEmail->txtDestinatario->clear();
    frmEmail->txtAllegati->clear();
    frmEmail->txtOggetto->setText(oggetto);
    frmEmail->txtTesto->setPlainText(testo);
    for (const QString &a : destinatari)
        if (!a.trimmed().isEmpty()) frmEmail->txtDestinatario->addItem(a.trimmed());
    for (const QString &f : allegati)
        if (!f.trimmed().isEmpty()) frmEmail->txtAllegati->addItem(f);
    frmEmail->exec();
}

void mostraIndirizzi(const QStringList &indirizzi)
{
    if (!frmIndirizziEmail) return;
    frmIndirizziEmail->RichEdit1->clear();
    QStringList righe;
    for (const QString &a : indirizzi)
        if (!a.trimmed().isEmpty()) righe << a.trimmed() + QStringLiteral(", ");
    frmIndirizziEmail->RichEdit1->setPlainText(righe.join(QLatin1Char('\n')));
    frmIndirizziEmail->exec();
}

} // namespace posta

namespace {
const bool registrati = forms::registra(frmEmail, "frmEmail") && forms::registra(frmInsEmail, "frmInsEmail") &&
                        forms::registra(frmIndirizziEmail, "frmIndirizziEmail");
} // namespace

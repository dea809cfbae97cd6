#include "SceltaCisterna.h"

#include "data/DB.h"
#include "db/Query.h"
#include "forms/DetailForm.h"
#include "forms/ListForm.h"
#include "forms/Registro.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/ToolButton.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The tank list and editor are another unit's: reached by name, absent until registered.
QWidget *formRegistrato(const char *nome)
{
    const forms::VoceForm *v = forms::Registro::istanza().voce(QString::fromLatin1(nome));
    return v ? v->corrente() : nullptr;
}

} // namespace

TfrmSceltaCisterna::TfrmSceltaCisterna(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSceltaCisterna"));
    setWindowTitle(QStringLiteral("Scelta Cisterna"));
    setProperty("helpContext", 0);
    auto *layout = new QVBoxLayout(this);
    auto *barra = new QToolBar(this);
    spdAvanti = ui::toolButton(this, QStringLiteral("spdAvanti"), QStringLiteral("Avanti"), QStringLiteral("và avanti"), "go-next",
                               QStyle::SP_ArrowForward);
    barra->addWidget(spdAvanti);
    layout->addWidget(barra);
    auto *campi = new QFormLayout;
    auto *riga = new QWidget(this);
    auto *h = new QHBoxLayout(riga);
    h->setContentsMargins(0, 0, 0, 0);
    DBLookupComboBox1 = new ui::DBLookupComboBox(riga);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setListSource(form_DB->SourceCisterne);
    DBLookupComboBox1->setKeyField(QStringLiteral("Id"));
    DBLookupComboBox1->setListField(QStringLiteral("Descrizione"));
    DBLookupComboBox1->setDataSource(form_DB->SourceVettureCarburante);
    DBLookupComboBox1->setDataField(QStringLiteral("Cisterna_ID"));
    DBLookupComboBox1->setMinimumWidth(240);
    SpeedButton1 = ui::toolButton(riga, QStringLiteral("SpeedButton1"), QString(), QStringLiteral("Aggiungi una Cisterna"), "list-add",
                                  QStyle::SP_FileDialogNewFolder);
    SpeedButton2 = ui::toolButton(riga, QStringLiteral("SpeedButton2"), QString(), QStringLiteral("Modifica la Cisterna"),
                                  "document-edit", QStyle::SP_FileDialogDetailedView);
    h->addWidget(DBLookupComboBox1, 1);
    h->addWidget(SpeedButton2);
    h->addWidget(SpeedButton1);
    campi->addRow(QStringLiteral("Cisterna"), riga);
    layout->addLayout(campi);
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::picked, this, &TfrmSceltaCisterna::DBLookupComboBox1Click);
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::cleared, this, [] {
        db::Query *q = form_DB->TableVettureCarburante;
        if (q->isEmpty()) return;
        if (!q->isEditing()) q->edit();
        q->fieldByName(QStringLiteral("Cisterna_ID")).clear();
        q->fieldByName(QStringLiteral("Cisterna")).clear();
    });
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmSceltaCisterna::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmSceltaCisterna::SpeedButton2Click);
    connect(spdAvanti, &QToolButton::clicked, this, &TfrmSceltaCisterna::spdAvantiClick);
}

void TfrmSceltaCisterna::showEvent(QShowEvent *e)
{
    SpeedButton1->setEnabled(formRegistrato("frmGrigliaCisterne"));
    SpeedButton2->setEnabled(formRegistrato("frmGrigliaCisterne") && formRegistrato("frmCisterneDettaglio"));
    QDialog::showEvent(e);
}

void TfrmSceltaCisterna::DBLookupComboBox1Click()
{
    db::Query *q = form_DB->TableVettureCarburante;
    db::Query *cisterne = form_DB->TableCisterne;
    if (q->isEmpty() || cisterne->isEmpty()) return;
    if (!q->isEditing()) q->edit();
    const QString nome = cisterne->fieldByName(QStringLiteral("Descrizione")).asString();
    if (nome.isEmpty()) return;
    q->fieldByName(QStringLiteral("Cisterna")).setAsString(nome);
    q->fieldByName(QStringLiteral("Cisterna_ID")).setValue(cisterne->fieldByName(QStringLiteral("ID")).value());
}

void TfrmSceltaCisterna::SpeedButton1Click()
{
    if (auto *lista = qobject_cast<forms::ListForm *>(formRegistrato("frmGrigliaCisterne"))) lista->spdInserisciClick();
}

void TfrmSceltaCisterna::SpeedButton2Click()
{
    const qint64 id = form_DB->TableVettureCarburante->fieldByName(QStringLiteral("Cisterna_ID")).asLargeInt();
    if (id < 1) return;
    QWidget *lista = formRegistrato("frmGrigliaCisterne");
    auto *dettaglio = qobject_cast<QDialog *>(formRegistrato("frmCisterneDettaglio"));
    if (!lista || !dettaglio || !form_DB->TableCisterne->locate(QStringLiteral("Id"), id)) return;
    QMetaObject::invokeMethod(lista, "btnRequeryClick");
    if (auto *d = qobject_cast<forms::DetailForm *>(dettaglio)) d->mostra(false);
    else dettaglio->exec();
}

void TfrmSceltaCisterna::spdAvantiClick() { accept(); }

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmSceltaCisterna, "frmSceltaCisterna");
} // namespace

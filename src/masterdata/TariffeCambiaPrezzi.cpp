#include "TariffeCambiaPrezzi.h"

#include "Tariffe.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "masterdata/services/Tariffe.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TfrmCambiaValoreUnitario::TfrmCambiaValoreUnitario(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCambiaValoreUnitario"));
    setWindowTitle(QStringLiteral("Cambia il Valore Unitario"));
    setProperty("helpContext", 700);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowContextHelpButtonHint);
    auto *layout = new QVBoxLayout(this);
    auto *barra = new QToolBar(this);
    spdHelp = ui::pulsanteAiuto(this);
    spdIndietro = ui::pulsanteIndietro(this);
    barra->addWidget(spdHelp);
    barra->addWidget(spdIndietro);
    layout->addWidget(barra);

    auto *griglia = new QGridLayout;
    txtPercentuale = new QLineEdit(this);
    txtPercentuale->setObjectName(QStringLiteral("txtPercentuale"));
    txtFisso = new QLineEdit(this);
    txtFisso->setObjectName(QStringLiteral("txtFisso"));
    SpeedButton1 = ui::toolButton(this, QStringLiteral("SpeedButton1"), QStringLiteral("Aumenta"),
                                  QStringLiteral("aumenta il valore unitario per gli articoli selezionati"), "go-up", QStyle::SP_ArrowUp);
    SpeedButton2 = ui::toolButton(this, QStringLiteral("SpeedButton2"), QStringLiteral("Diminuisci"),
                                  QStringLiteral("diminuisci il valore unitario per gli articoli selezionati"), "go-down",
                                  QStyle::SP_ArrowDown);
    auto *l1 = new QLabel(QStringLiteral("Percentuale"), this);
    l1->setBuddy(txtPercentuale);
    auto *l2 = new QLabel(QStringLiteral("Valore Fisso"), this);
    l2->setBuddy(txtFisso);
    griglia->addWidget(l1, 0, 0);
    griglia->addWidget(txtPercentuale, 0, 1);
    griglia->addWidget(l2, 1, 0);
    griglia->addWidget(txtFisso, 1, 1);
    griglia->addWidget(SpeedButton1, 0, 2);
    griglia->addWidget(SpeedButton2, 1, 2);
    layout->addLayout(griglia);

    // One way of changing at a time: typing in a box empties the other.
    connect(txtPercentuale, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!t.isEmpty()) txtFisso->clear();
    });
    connect(txtFisso, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!t.isEmpty()) txtPercentuale->clear();
    });
    for (QLineEdit *e : {txtPercentuale, txtFisso}) e->installEventFilter(this);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmCambiaValoreUnitario::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmCambiaValoreUnitario::SpeedButton2Click);
    connect(spdIndietro, &QToolButton::clicked, this, &QDialog::reject);
    connect(spdHelp, &QToolButton::clicked, this, &TfrmCambiaValoreUnitario::spdHelpClick);
}

bool TfrmCambiaValoreUnitario::eventFilter(QObject *watched, QEvent *e)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box) return QDialog::eventFilter(watched, e);
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
        QPalette p = box->palette();
        p.setColor(QPalette::Base, e->type() == QEvent::FocusIn ? QColor(0, 255, 255) : QColor(Qt::white));
        box->setPalette(p);
    } else if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Down) {
            focusNextChild();
            return true;
        }
        if (k->key() == Qt::Key_Up) {
            focusPreviousChild();
            return true;
        }
        // A typed point is the decimal separator of this workstation.
        if (k->text() == QLatin1String(".")) {
            box->insert(QLocale().decimalPoint());
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TfrmCambiaValoreUnitario::SpeedButton1Click() { cambia(true); }

void TfrmCambiaValoreUnitario::SpeedButton2Click() { cambia(false); }

void TfrmCambiaValoreUnitario::spdHelpClick() { ui::apriGuida(700); }

void TfrmCambiaValoreUnitario::cambia(bool aumento)
{
    db::Query *listino = form_DB->Table1;
    const QList<qint64> ids = listino->selectedIds(QStringLiteral("Id"));
    const bool percentuale = !txtPercentuale->text().isEmpty();
    if (ids.isEmpty() || (!percentuale && txtFisso->text().isEmpty())) {
        forms::avvisa(this, aumento ? QStringLiteral("Inserisci un valore da aumentare") : QStringLiteral("Inserisci un valore da diminuire"),
                      forms::kAvviso);
        txtPercentuale->setFocus();
        return;
    }
    const QString testo = percentuale ? txtPercentuale->text() : txtFisso->text();
    bool numero = false;
    double valore = QLocale().toDouble(testo, &numero);
    if (!numero) valore = QLocale::c().toDouble(testo, &numero);
    if (!numero) {
        forms::avvisa(this, QStringLiteral("'%1' non è un valore numerico valido").arg(testo), QStringLiteral("Messaggio di errore"));
        (percentuale ? txtPercentuale : txtFisso)->setFocus();
        return;
    }
    // A change typed in the list's detail and not yet stored would be lost by the re-reading.
    if (listino->isEditing()) listino->cancel();
    const QString corrente = listino->isEmpty() ? QString() : listino->fieldByName(QStringLiteral("Id")).asString();
    try {
        tariffe::cambiaPrezzi(form_DB->Connessione, ids, {.aumento = aumento, .percentuale = percentuale, .valore = valore});
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), QStringLiteral("Messaggio di errore"));
        return;
    }
    listino->requery();
    if (!corrente.isEmpty()) listino->locate(QStringLiteral("Id"), corrente.toLongLong());
    forms::avvisa(this,
                  aumento ? QStringLiteral("Il valore degli articoli selezionati è stato aumentato con successo")
                          : QStringLiteral("Il valore degli articoli selezionati è stato diminuito con successo"),
                  forms::kAvviso);
    accept();
}

namespace {
const bool registrato = forms::registra(frmCambiaValoreUnitario, "frmCambiaValoreUnitario");
} // namespace

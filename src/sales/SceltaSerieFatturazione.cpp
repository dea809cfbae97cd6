#include "SceltaSerieFatturazione.h"
#include "forms/Registro.h"

#include "SerieFatturazione.h"
#include "data/DB.h"
#include "db/Query.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/EditingHelper.h"
#include "widgets/ToolButton.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vendite {

SceltaSerie::SceltaSerie(Config config, QWidget *parent) : QDialog(parent), m_cfg(std::move(config))
{
    setObjectName(m_cfg.nome);
    setWindowTitle(m_cfg.titolo);
    setProperty("helpContext", 0);
    // No buttons in the title bar: the chooser is left through "Avanti".
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setMinimumWidth(360);
    auto *layout = new QVBoxLayout(this);
    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    spdIndietro = ui::toolButton(this, QStringLiteral("spdIndietro"), QStringLiteral("Avanti"), QString(), "go-next",
                                 QStyle::SP_ArrowForward);
    ToolBar2->addWidget(spdIndietro);
    layout->addWidget(ToolBar2);

    auto *riga = new QHBoxLayout;
    Label1 = new QLabel(QStringLiteral("Serie"), this);
    DBLookupComboBox1 = new ui::DBLookupComboBox(this);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setListSource(form_DB->SourceSerieFatturazione);
    DBLookupComboBox1->setKeyField(QStringLiteral("Serie"));
    DBLookupComboBox1->setListField(QStringLiteral("Serie"));
    DBLookupComboBox1->setDataSource(m_cfg.sorgente);
    DBLookupComboBox1->setDataField(QStringLiteral("SerieFatturazione"));
    Label1->setBuddy(DBLookupComboBox1);
    Button1 = new QPushButton(QStringLiteral("....."), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    riga->addWidget(Label1);
    riga->addWidget(DBLookupComboBox1, 1);
    riga->addWidget(Button1);
    layout->addLayout(riga);
    layout->addStretch(1);

    new ui::EditingHelper(this);

    connect(spdIndietro, &QToolButton::clicked, this, &SceltaSerie::spdIndietroClick);
    connect(Button1, &QPushButton::clicked, this, &SceltaSerie::Button1Click);
}

QString SceltaSerie::scegli()
{
    exec();
    return m_cfg.documenti->isEmpty() ? QString() : m_cfg.documenti->fieldByName(QStringLiteral("SerieFatturazione")).asString();
}

void SceltaSerie::Button1Click()
{
    // A series stored in the editor is in the shared list the lookup offers.
    if (frmSerieFatturazione) frmSerieFatturazione->exec();
}

void SceltaSerie::spdIndietroClick() { accept(); }

void SceltaSerie::showEvent(QShowEvent *e)
{
    if (m_cfg.centrata)
        if (QScreen *schermo = screen() ? screen() : QGuiApplication::primaryScreen()) {
            QRect r = frameGeometry();
            r.moveCenter(schermo->availableGeometry().center());
            move(r.topLeft());
        }
    QDialog::showEvent(e);
    DBLookupComboBox1->setFocus();
}

} // namespace vendite

TfrmSceltaSerieFatturazione::TfrmSceltaSerieFatturazione(QWidget *parent)
    : vendite::SceltaSerie({QStringLiteral("frmSceltaSerieFatturazione"), QStringLiteral("Seleziona la Serie di Fatturazione"),
                            form_DB->Table3, form_DB->Source3, true},
                           parent)
{
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati = forms::registra(frmSceltaSerieFatturazione, "frmSceltaSerieFatturazione");
} // namespace

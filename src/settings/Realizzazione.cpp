#include "Realizzazione.h"
#include "forms/Registro.h"

#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TfrmRealizzazione::TfrmRealizzazione(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmRealizzazione"));
    setWindowTitle(QStringLiteral("Realizzazione"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setProperty("helpContext", 200);
    auto *lay = new QVBoxLayout(this);
    auto *bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    spdHelp = ui::pulsanteAiuto(this);
    spdIndietro = ui::pulsanteIndietro(this);
    bar->addWidget(spdHelp);
    bar->addWidget(spdIndietro);
    lay->addWidget(bar);
    auto *row = new QHBoxLayout;
    Image1 = new QLabel(this);
    Image1->setPixmap(QIcon::fromTheme(QStringLiteral("applications-office"), style()->standardIcon(QStyle::SP_ComputerIcon)).pixmap(64, 64));
    Image2 = new QLabel(this);
    Image2->setPixmap(style()->standardIcon(QStyle::SP_DriveHDIcon).pixmap(64, 64));
    Label1 = new QLabel(QStringLiteral("Programma Pellavantoria"), this);
    QFont big = Label1->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    Label1->setFont(big);
    row->addWidget(Image1);
    row->addWidget(Label1, 1);
    row->addWidget(Image2);
    lay->addLayout(row);
    connect(spdHelp, &QToolButton::clicked, this, &TfrmRealizzazione::spdHelpClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmRealizzazione::spdIndietroClick);
}

void TfrmRealizzazione::spdHelpClick() { ui::apriGuida(200); }

void TfrmRealizzazione::spdIndietroClick() { close(); }

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmRealizzazione, "frmRealizzazione");
} // namespace

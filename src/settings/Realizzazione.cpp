#include "Realizzazione.h"

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
    auto makeButton = [&](const QString &name, const QString &caption, QStyle::StandardPixmap icon, const QString &theme) {
        auto *b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(caption);
        b->setIcon(QIcon::fromTheme(theme, style()->standardIcon(icon)));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setCursor(Qt::PointingHandCursor);
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
        bar->addWidget(b);
        return b;
    };
    spdHelp = makeButton(QStringLiteral("spdHelp"), QStringLiteral("Aiuto"), QStyle::SP_DialogHelpButton, QStringLiteral("help-contents"));
    spdIndietro = makeButton(QStringLiteral("spdIndietro"), QStringLiteral("Indietro"), QStyle::SP_ArrowBack, QStringLiteral("go-previous"));
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
    spdHelp->setEnabled(false);
    connect(spdHelp, &QToolButton::clicked, this, &TfrmRealizzazione::spdHelpClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmRealizzazione::spdIndietroClick);
}

void TfrmRealizzazione::spdHelpClick()
{
    // Help by context arrives with the help viewer; until then the button stays disabled.
}

void TfrmRealizzazione::spdIndietroClick() { close(); }

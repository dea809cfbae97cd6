#include "Splash.h"

#include "widgets/Seams.h"

#include <QFrame>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

TSplashForm::TSplashForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("Pellavantoria"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setFixedSize(186, 208);
    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel);
    auto *lay = new QVBoxLayout(panel);
    auto *picture = new QLabel(panel);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(QIcon::fromTheme(QStringLiteral("applications-office"), style()->standardIcon(QStyle::SP_ComputerIcon)).pixmap(64, 64));
    auto *title = new QLabel(QStringLiteral("Pellavantoria"), panel);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("font-family: 'Times New Roman', serif; font-weight: bold; color: purple; font-size: 19px;"));
    auto *line = new QFrame(panel);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Raised);
    auto *loading = new QLabel(QStringLiteral("sto Caricando..."), panel);
    loading->setAlignment(Qt::AlignCenter);
    QFont f = loading->font();
    f.setBold(true);
    loading->setFont(f);
    lay->addWidget(picture);
    lay->addWidget(title);
    lay->addWidget(line);
    lay->addWidget(loading);
}

bool TSplashForm::FormActivate()
{
    if (ui::Workstation::instance().hasPrinter()) return true;
    ui::Dialogs::instance().message(this,
                                    QStringLiteral("Attenzione per poter utilizzare il Software è nessario che ci sia installata "
                                                   "almeno una stampante sul computer corrente!!"),
                                    QStringLiteral("Messaggio di avviso!!"), QMessageBox::Warning, QMessageBox::Ok,
                                    QMessageBox::Ok);
    return false;
}

#include "Family.h"

#include "widgets/Seams.h"


namespace forms {

bool chiedi(QWidget *parent, const QString &domanda)
{
    return ui::Dialogs::instance().message(parent, domanda, kAvviso, QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No,
                                           QMessageBox::No)
        == QMessageBox::Yes;
}

void avvisa(QWidget *parent, const QString &messaggio, const QString &caption)
{
    ui::Dialogs::instance().message(parent, messaggio, caption, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok);
}

} // namespace forms

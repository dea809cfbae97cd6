#include "Family.h"

#include "db/Query.h"

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

void copiaDallaScelta(db::Query *scelta, db::Query *riga, const QList<std::pair<QString, QString>> &campi)
{
    if (!riga->isEditing()) riga->edit();
    for (const auto &[da, a] : campi) {
        const db::Field f = scelta->findField(da);
        if (f.isValid() && !f.isNull()) riga->fieldByName(a).setValue(f.value());
    }
}

} // namespace forms

// "Importa fattura elettronica xml" of the main window: a supplier's FatturaPA file, plain or
// signed, booked by the import service; the form only chooses the file, relays the service's one
// question and says how it ended.
#include "Frm1.h"

#include "data/DB.h"
#include "db/DbError.h"
#include "einvoice/services/RegistrazioneFatturaPA.h"
#include "widgets/Seams.h"

namespace {
const QString kAvviso = QStringLiteral("Messaggio di avviso");
}

void TForm1::spdImportaXmlClick()
{
    const QString percorso = ui::Dialogs::instance().openFile(this, QString(), QString(),
                                                              QStringLiteral("Fatture elettroniche (*.xml *.XML *.p7m *.P7M)"));
    if (percorso.isEmpty()) return;
    auto chiedi = [this](const QString &domanda) {
        return ui::Dialogs::instance().message(this, domanda, kAvviso, QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No,
                                               QMessageBox::No) == QMessageBox::Yes;
    };
    importazione_fatturapa::Risultato esito;
    try {
        esito = importazione_fatturapa::importaFile(form_DB->Connessione, percorso, chiedi);
    } catch (const db::DbError &e) {
        ui::showError(QStringLiteral("Importazione non eseguita, nulla è stato registrato:\n") + e.message(), kAvviso, this);
        return;
    }
    if (!esito.riuscito && !esito.rifiutato) {
        ui::showWarning(esito.messaggio + QStringLiteral("\nNulla è stato registrato."), kAvviso, this);
        return;
    }
    for (db::Query *q : {form_DB->TableMovimentiCaricoTestata, form_DB->TableNotaCreditoFornitore, form_DB->Table9, form_DB->Table8,
                         form_DB->Table1, form_DB->TableModPaga})
        if (q->isActive()) q->requery();
    ui::Dialogs::instance().message(this, QStringLiteral("Termine importazione documento"), kAvviso, QMessageBox::Information,
                                    QMessageBox::Ok, QMessageBox::Ok);
}

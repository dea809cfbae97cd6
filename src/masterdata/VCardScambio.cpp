#include "VCardScambio.h"

#include "common/TextUtils.h"
#include "common/VCard.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "forms/Family.h"
#include "widgets/Seams.h"

#include <QApplication>

#include <exception>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");
const QString kFiltro = QStringLiteral("Vcard (*.vcf)");

// The hourglass while the work runs, the normal cursor again however it ends.
struct Clessidra {
    Clessidra() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Clessidra() { QApplication::restoreOverrideCursor(); }
    Clessidra(const Clessidra &) = delete;
    Clessidra &operator=(const Clessidra &) = delete;
};

// The normal cursor while the user answers a question.
struct PausaClessidra {
    PausaClessidra() { QApplication::restoreOverrideCursor(); }
    ~PausaClessidra() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    PausaClessidra(const PausaClessidra &) = delete;
    PausaClessidra &operator=(const PausaClessidra &) = delete;
};

QString testoErrore(const std::exception &e)
{
    if (const auto *d = dynamic_cast<const db::DbError *>(&e)) return d->message();
    return QString::fromUtf8(e.what());
}

} // namespace

namespace scambio_vcard {

void esportaVCard(QWidget *finestra, const Lato &lato, const QList<qint64> &idSelezionati)
{
    if (idSelezionati.isEmpty()) {
        forms::avvisa(finestra, QStringLiteral("Attenzione devi selezionare i contatti da Esportare"), kErrore);
        return;
    }
    QString testo;
    {
        Clessidra clessidra;
        testo = lato.esporta(form_DB->Connessione, idSelezionati);
    }
    QString file = ui::Dialogs::instance().saveFile(finestra, QStringLiteral("Esporta Vcard"), QString(), kFiltro);
    if (file.isEmpty()) return;
    if (common::EstensioneFile(file).isEmpty()) file += QStringLiteral(".vcf");
    try {
        common::ScriviFileTesto(file, testo, false);
    } catch (const std::exception &e) {
        ui::showError(QStringLiteral("Attenzione il file Vcard non è stato scritto.\n") + testoErrore(e), kErrore, finestra);
    }
}

void importaVCard(QWidget *finestra, const Lato &lato)
{
    const QString file = ui::Dialogs::instance().openFile(finestra, QStringLiteral("Importa Vcard"), QString(), kFiltro);
    if (file.isEmpty()) return;
    db::Query *elenco = lato.dataset;
    try {
        Clessidra clessidra;
        QList<common::Vcard4> schede;
        try {
            schede = common::LeggiVCard(file);
        } catch (const std::exception &e) {
            PausaClessidra pausa;
            ui::showError(QStringLiteral("Attenzione il file Vcard non si può leggere: nessun ") + lato.soggetto
                              + QStringLiteral(" è stato importato.\n")
                              + testoErrore(e),
                          kErrore, finestra);
            return;
        }
        if (schede.isEmpty()) {
            PausaClessidra pausa;
            forms::avvisa(finestra, QStringLiteral("Attenzione il file scelto non contiene contatti Vcard."), kErrore);
            return;
        }
        // A record being edited is stored first, so the import reads what the user sees.
        if (elenco->isEditing() && !elenco->post()) {
            PausaClessidra pausa;
            ui::showError(elenco->lastError(), kErrore, finestra);
            return;
        }
        db::Connection &c = form_DB->Connessione;
        lato.importa(c, schede, scambio_vcard::azioneImportazione(c), [finestra](const QString &domanda) {
            PausaClessidra pausa;
            return forms::chiedi(finestra, domanda);
        });
        // The list shows every record again, withdrawn ones included, with what was written.
        elenco->setFilter(QString());
        if (elenco->isActive()) elenco->requery();
        if (lato.categorie && lato.categorie->isActive()) lato.categorie->requery();
    } catch (const std::exception &e) {
        ui::showError(QStringLiteral("Attenzione l'importazione non è stata eseguita: nessun ") + lato.soggetto
                          + QStringLiteral(" è stato importato.\n")
                          + testoErrore(e),
                      kErrore, finestra);
    }
}

} // namespace scambio_vcard

// "Esporta xml" of the sales-invoice and credit-note editors: the editor's checks and save, then
// the FatturaPA export service on the stored document.
#include "EditorFattura.h"
#include "EditorNotaCredito.h"

#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "einvoice/services/FatturaPA.h"
#include "forms/Family.h"
#include "widgets/DBEdit.h"
#include "widgets/FieldLink.h"
#include "widgets/Seams.h"

#include <QDir>
#include <QFileInfo>
#include <QTabWidget>
#include <functional>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");

struct Esportazione {
    forms::EditorDocumento *editor;
    ui::DBEdit *progressivo;
    db::Query *righe;
    QString senzaRighe;
    QString riuscita;
    std::function<void()> salva;
};

void esporta(const Esportazione &e)
{
    forms::EditorDocumento *ed = e.editor;
    if (e.progressivo->text().isEmpty()) {
        forms::avvisa(ed, QStringLiteral("Attenzione manca il numero progressivo di trasmissione"), kErrore);
        if (ed->PageControl1) ed->PageControl1->setCurrentIndex(0);
        e.progressivo->setFocus();
        return;
    }
    if (e.righe->isEmpty()) {
        forms::avvisa(ed, e.senzaRighe, forms::kAvviso);
        return;
    }
    if (ed->DatiModificati) {
        e.salva();
        if (ed->SalvataggioFallito) return;
    }
    db::Connection &c = form_DB->Connessione;
    try {
        const qint64 id = ed->idDocumento();
        if (id <= 0) return;
        if (c.scalar(QStringLiteral("select VerificaCoerenza_FattureElett_PrimaEsportazione from opzioni")).toInt() != 0) {
            const QString differenze = fatturapa::verificaCoerenza(c, id);
            if (!differenze.isEmpty()
                && !ui::askYesNo(differenze, QStringLiteral("Messaggio di errore vuoi proseguire lo stesso ?"), ed))
                return;
        }
        const QString cliente = fatturapa::controllaCliente(c, id);
        if (!cliente.isEmpty()) {
            forms::avvisa(ed, cliente, kErrore);
            return;
        }
        const QString cartella = c.scalar(QStringLiteral("select CartellaEsportazioneFattureElettroniche from opzioni")).toString();
        const QString proposto = QDir(cartella).filePath(fatturapa::nomeFile(c, id));
        const QString percorso = ui::Dialogs::instance().saveFile(ed, QStringLiteral("Scegli il file xml"), proposto,
                                                                  QStringLiteral("Archivi Xml (*.xml)"));
        if (percorso.isEmpty()) return;
        if (QFileInfo::exists(percorso)
            && !ui::askYesNo(QStringLiteral("Il file e' gia' presente ! Sovrascriverlo ?"), forms::kAvviso, ed))
            return;
        const fatturapa::Esito esito = fatturapa::esporta(c, id, percorso);
        if (!esito.riuscito) {
            forms::avvisa(ed, esito.messaggio, kErrore);
            return;
        }
        // The editor shows the mark the export stored.
        db::Query *testata = ed->dataset();
        if (testata->isEditing()) testata->cancel();
        common::RicaricaDataset(*testata, QStringLiteral("Id"));
        forms::avvisa(ed, e.riuscita, forms::kAvviso);
    } catch (const db::DbError &err) {
        ui::reportDbError(err, ed);
    }
}

} // namespace

void TForm7::spdFatturaXmlClick()
{
    esporta({this, DBEdit12, form_DB->Table4,
             QStringLiteral("Attenzione mancano le Righe di dettaglio della fattura! Prego inserirle"),
             QStringLiteral("Fattura esportata con successo !"), [this] { spdSalvaClick(); }});
}

void TfrmNotaCredito::spdFatturaElettronicaClick()
{
    esporta({this, DBEdit12, form_DB->TableNCRighe,
             QStringLiteral("Attenzione mancano le Righe di dettaglio della nota di credito! Prego inserirle"),
             QStringLiteral("Nota di credito esportata con successo !"), [this] { spdSalvaClick(); }});
}

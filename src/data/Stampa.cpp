#include "CatalogoStampe.h"
#include "DB.h"

#include "common/SqlText.h"
#include "widgets/Seams.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool avvisa(const QString &testo)
{
    ui::showError(testo, QStringLiteral("Messaggio di errore"));
    return false;
}

// Exporting, the caller attaches the file: it must be this run's, whole.
bool esportazioneRiuscita(const QString &programma, const QStringList &argomenti, const QString &file)
{
    if (QFileInfo::exists(file) && !QFile::remove(file))
        return avvisa(QStringLiteral("Attenzione impossibile sostituire il file %1").arg(file));
    int uscita = 0;
    if (!ui::Launcher::instance().start(programma, argomenti, true, &uscita))
        return avvisa(QStringLiteral("Attenzione il programma di stampa %1 non si è avviato o si è interrotto: "
                                     "l'esportazione nel file %2 non è riuscita.")
                          .arg(programma, file));
    if (uscita != 0)
        return avvisa(QStringLiteral("Attenzione il programma di stampa è terminato con un errore (codice %1): "
                                     "l'esportazione nel file %2 non è riuscita.")
                          .arg(uscita)
                          .arg(file));
    if (QFileInfo(file).size() <= 0)
        return avvisa(QStringLiteral("Attenzione il programma di stampa non ha creato il file %1").arg(file));
    return true;
}

} // namespace

bool Tform_DB::Button2Click()
{
    const QString cartella = ui::Workstation::instance().installFolder();
    const stampe::Esito esito = stampe::preparaRichiesta(CodiceStampa, *this, CriteriStampaDigitati,
                                                         QDir(cartella).filePath(QStringLiteral("reports")));
    if (esito.tipo == stampe::Esito::CriteriNonValidi) return avvisa(esito.messaggio);

    // Only this workstation's request is replaced, even before the start-up has bound the query;
    // committed there, the row is there for the report program at once: no pause needed.
    stampe::Scrittura w;
    w.setup = !EsportaStampa && !stampe::opzione(*this, "StampanteDefault").asBoolean();
    if (EsportaStampa) {
        w.esporta = true;
        w.file = FileEsportazioneStampa;
        w.tipoEsportazione = stampe::opzione(*this, "TipoEsportazione").asInteger();
    }
    const bool stampa = esito.tipo == stampe::Esito::Pronta;
    stampe::scriviRichiesta(Connessione, NomeComputerLocale, stampa ? &esito.richiesta : nullptr, w);
    const QString sql = "select * from TempStampa where NomeComputer ='" + common::RaddoppiaApici(NomeComputerLocale) + "'";
    if (TableTempStampa->sql() != sql) TableTempStampa->setSql(sql);
    if (TableTempStampa->isActive()) TableTempStampa->requery();
    else TableTempStampa->open();
    if (!stampa) return false;

    PercorsoProgrammaStampa = QDir(cartella).filePath(QStringLiteral("stampa"));
    // The report program reads the request from the database this program works on.
    const QStringList argomenti = {Connessione.path()};
    if (EsportaStampa) return esportazioneRiuscita(PercorsoProgrammaStampa, argomenti, FileEsportazioneStampa);
    if (!ui::Launcher::instance().start(PercorsoProgrammaStampa, argomenti, false))
        return avvisa(QStringLiteral("Attenzione impossibile avviare il programma di stampa %1").arg(PercorsoProgrammaStampa));
    return true;
}

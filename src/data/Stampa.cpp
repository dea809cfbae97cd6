#include "CatalogoStampe.h"
#include "DB.h"

#include "common/SqlText.h"
#include "db/Command.h"
#include "db/DbError.h"
#include "db/Transaction.h"
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

    // Only this workstation's request is replaced, even before the start-up has bound the query.
    const QString postazione = common::RaddoppiaApici(NomeComputerLocale);
    const QString sql = "select * from TempStampa where NomeComputer ='" + postazione + "'";
    if (TableTempStampa->sql() != sql) TableTempStampa->setSql(sql);
    db::Transaction t(Connessione);
    db::Command::execute(&Connessione, "delete * from TempStampa where NomeComputer ='" + postazione + "'");
    if (TableTempStampa->isActive()) TableTempStampa->requery();
    else TableTempStampa->open();
    if (esito.tipo == stampe::Esito::NienteDaStampare) {
        t.commit(); // the previous request is gone all the same
        return false;
    }

    const stampe::Richiesta &r = esito.richiesta;
    db::Query *q = TableTempStampa;
    const auto campo = [q](const char *nome) { return q->fieldByName(QString::fromLatin1(nome)); };
    q->append();
    campo("NomeProgramma").setAsString(QStringLiteral("Pellavantoria"));
    if (!r.query.isNull()) campo("Query").setAsString(r.query);
    if (!r.sottoreport1.isNull()) campo("QuerySottoreport1").setAsString(r.sottoreport1);
    if (!r.sottoreport2.isNull()) campo("QuerySottoreport2").setAsString(r.sottoreport2);
    campo("Filtro").setAsBoolean(r.filtro);
    if (r.parametro) campo("Parametro").setAsFloat(*r.parametro);
    campo("Setup").setAsBoolean(!EsportaStampa && !stampe::opzione(*this, "StampanteDefault").asBoolean());
    campo("NomeReportLandscape").setAsString(r.nomeReportLandscape);
    campo("NomeReport").setAsString(r.nomeReport);
    campo("PresenzaTestata").setAsBoolean(r.presenzaTestata);
    campo("NomeComputer").setAsString(NomeComputerLocale);
    if (EsportaStampa) {
        campo("Esportazione").setAsBoolean(true);
        campo("FileEsportazione").setAsString(FileEsportazioneStampa);
        campo("TipoEsportazione").setAsInteger(stampe::opzione(*this, "TipoEsportazione").asInteger());
    }
    if (!q->post()) {
        const QString errore = q->lastError();
        q->cancel();
        throw db::DbError(errore);
    }
    // Committed here, the row is there for the report program at once: no pause needed.
    t.commit();

    PercorsoProgrammaStampa = QDir(cartella).filePath(QStringLiteral("stampa"));
    // The report program reads the request from the database this program works on.
    const QStringList argomenti = {Connessione.path()};
    if (EsportaStampa) return esportazioneRiuscita(PercorsoProgrammaStampa, argomenti, FileEsportazioneStampa);
    if (!ui::Launcher::instance().start(PercorsoProgrammaStampa, argomenti, false))
        return avvisa(QStringLiteral("Attenzione impossibile avviare il programma di stampa %1").arg(PercorsoProgrammaStampa));
    return true;
}

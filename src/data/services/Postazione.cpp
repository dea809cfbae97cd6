#include "Postazione.h"

#include "common/SqlText.h"
#include "db/Command.h"
#include "db/Transaction.h"

namespace postazione {

void cancellaTemporanei(db::Connection &c, const QString &nomeComputer)
{
    return db::inTransaction(c, [&] {
        for (const char *tabella : {"TempBilancio", "TempStampa", "TempAvvisi", "TempAvvisiClienti"})
            db::Command::execute(&c, QStringLiteral("delete * from %1 where NomeComputer = :postazione").arg(QLatin1String(tabella)),
                                 {{":postazione", nomeComputer}});
    });
}

QList<std::pair<QString, QString>> sqlPerPostazione(const QString &nomeComputer)
{
    // The name is placed as a literal: its apostrophes are doubled, so any name is safe.
    const QString nome = common::RaddoppiaApici(nomeComputer);
    return {
        {"TableTempEtichette", "select * from TempoEtichette where NomeComputer ='" + nome + "' ORDER BY Descrizione"},
        {"TableTempBilancio", "select * from TempBilancio where NomeComputer ='" + nome + "'"},
        {"TableTempScadenzeCumulative",
         "select FatturaScadenze.Importo, FatturaScadenze.Operazione, FatturaScadenze.DataScadenza, "
         "TempFatturaScadenzeCumulativo.NomeComputer, TempFatturaScadenzeCumulativo.Scadenza_Id, TempFatturaScadenzeCumulativo.id "
         "FROM TempFatturaScadenzeCumulativo INNER JOIN FatturaScadenze ON TempFatturaScadenzeCumulativo.Scadenza_Id = "
         "FatturaScadenze.Id where TempFatturaScadenzeCumulativo.NomeComputer ='" + nome + "'"},
        {"TableGriglie", "select * from Griglie where NomeComputer ='" + nome + "'"},
        {"TableTempStampa", "select * from TempStampa where NomeComputer ='" + nome + "'"},
        {"TableTempAvvisiClienti", "select * from TempAvvisiClienti where NomeComputer ='" + nome + "'"},
        {"TableTempAvvisi", "select top 1 * from TempAvvisi where NomeComputer ='" + nome + "'"},
    };
}

} // namespace postazione

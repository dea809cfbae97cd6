#include "Copia.h"

#include "db/Connection.h"
#include "db/Copy.h"
#include "db/DbError.h"

#include <QFileInfo>

namespace copia {

namespace {

Esito errore(int codice, const QString &testo) { return {codice, {testo}}; }

QString uso()
{
    return QStringLiteral("Uso: pellavantoria-copia ARCHIVIO.db INDIRIZZO_SERVER\n"
                          "Copia tutte le tabelle del file dell'archivio in un database vuoto del server PostgreSQL, "
                          "per esempio:\n"
                          "  pellavantoria-copia archivio.db \"host=server port=5432 dbname=pellavantoria user=ufficio\"\n"
                          "La password si legge dal file ~/.pgpass dell'utente.");
}

} // namespace

Esito esegui(const QStringList &argomenti)
{
    if (argomenti.size() != 3) return errore(2, uso());
    const QString file = argomenti[1];
    const QString server = argomenti[2];
    if (db::isServerAddress(file) || !db::isServerAddress(server))
        return errore(2, QStringLiteral("Indicare prima il file dell'archivio, poi l'indirizzo del server.\n") + uso());
    // Opening a missing file would create an empty one.
    if (!QFileInfo(file).isFile() || QFileInfo(file).size() == 0)
        return errore(1, QStringLiteral("Il file dell'archivio %1 non esiste o è vuoto: nulla è stato copiato.").arg(file));

    db::Connection origine;
    if (!origine.open(file))
        return errore(1, QStringLiteral("Impossibile aprire il file dell'archivio %1:\n%2").arg(file, origine.error()));
    db::Connection destinazione;
    if (!destinazione.open(server)) return errore(1, destinazione.error());
    try {
        const db::CopyReport r = db::copyDatabase(origine, destinazione);
        Esito e;
        for (const auto &[tabella, righe] : r.tables) e.righe << QStringLiteral("%1: %2 righe").arg(tabella).arg(righe);
        e.righe << QStringLiteral("Copia terminata: %1 tabelle, %2 righe%3.")
                       .arg(r.tables.size())
                       .arg(r.rows)
                       .arg(r.schemaCreated ? QStringLiteral(" (tabelle create sul server)") : QString());
        return e;
    } catch (const db::DbError &e) {
        return errore(1, e.message());
    }
}

} // namespace copia

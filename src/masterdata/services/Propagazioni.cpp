#include "Propagazioni.h"

#include "db/Command.h"

#include <QString>

namespace anagrafiche {

int propagaTipoVeicolo(db::Connection &c, qint64 idTipo)
{
    return db::Command::execute(&c, QStringLiteral("UPDATE Vetture INNER JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id SET "
                                                   "Vetture.VeicoloDesc = [Veicoli].[Descrizione] where Veicoli.Id = :id"),
                                {{":id", idTipo}});
}

int propagaEnteSequestratore(db::Connection &c, qint64 idEnte)
{
    return db::Command::execute(&c, QStringLiteral("UPDATE Sequestri INNER JOIN EntiSequestratori ON Sequestri.EnteSequestratore_Id = "
                                                   "EntiSequestratori.Id SET Sequestri.EnteSequestratore = "
                                                   "[EntiSequestratori].[Descrizione] where EntiSequestratori.Id = :id"),
                                {{":id", idEnte}});
}

} // namespace anagrafiche

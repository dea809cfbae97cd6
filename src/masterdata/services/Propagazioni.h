#pragma once
// Names copied into the rows that carry them beside their key, when the name changes.
#include <QtGlobal>

namespace db {
class Connection;
}

namespace anagrafiche {

// Every vehicle of the vehicle type `idTipo` gets the type's current description in
// Vetture.VeicoloDesc. Returns the rows changed; throws DbError.
int propagaTipoVeicolo(db::Connection &c, qint64 idTipo);

// Every seizure of the seizing authority `idEnte`, of any year, gets the authority's current
// name in Sequestri.EnteSequestratore. Returns the rows changed; throws DbError.
int propagaEnteSequestratore(db::Connection &c, qint64 idEnte);

} // namespace anagrafiche

#pragma once
// Deletes in the chart of accounts (classes contain groupings, which contain accounts). The
// levels are tied by plain ids: deleting a level deletes what it contains, in one transaction.
// Rows of documents and of the cash book that name a deleted account keep its id.
namespace db {
class Connection;
}

#include <QtGlobal>

namespace contabilita {

struct Eliminati {
    int classi = 0;
    int raggruppamenti = 0;
    int conti = 0;
};

Eliminati eliminaClasse(db::Connection &c, qint64 idClasse);
Eliminati eliminaRaggruppamento(db::Connection &c, qint64 idRaggruppamento);
Eliminati eliminaConto(db::Connection &c, qint64 idConto);

} // namespace contabilita

#include "PianoDeiConti.h"

#include "db/Connection.h"
#include "db/Transaction.h"

#include <QString>

namespace contabilita {

Eliminati eliminaClasse(db::Connection &c, qint64 idClasse)
{
    return db::inTransaction(c, [&] {
        Eliminati e;
        const db::Params p{{":id", idClasse}};
        e.conti = c.execute(QStringLiteral("DELETE FROM ContabilitaConti WHERE Raggruppamento_ID IN "
                                           "(SELECT Id FROM ContabilitaRaggruppamenti WHERE Classe_ID = :id)"),
                            p);
        e.raggruppamenti = c.execute(QStringLiteral("DELETE FROM ContabilitaRaggruppamenti WHERE Classe_ID = :id"), p);
        e.classi = c.execute(QStringLiteral("DELETE FROM ContabilitaClassi WHERE Id = :id"), p);
        return e;
    });
}

Eliminati eliminaRaggruppamento(db::Connection &c, qint64 idRaggruppamento)
{
    return db::inTransaction(c, [&] {
        Eliminati e;
        const db::Params p{{":id", idRaggruppamento}};
        e.conti = c.execute(QStringLiteral("DELETE FROM ContabilitaConti WHERE Raggruppamento_ID = :id"), p);
        e.raggruppamenti = c.execute(QStringLiteral("DELETE FROM ContabilitaRaggruppamenti WHERE Id = :id"), p);
        return e;
    });
}

Eliminati eliminaConto(db::Connection &c, qint64 idConto)
{
    Eliminati e;
    e.conti = c.execute(QStringLiteral("DELETE FROM ContabilitaConti WHERE Id = :id"), {{":id", idConto}});
    return e;
}

} // namespace contabilita

#include "Carburanti.h"

#include "db/Connection.h"
#include "db/Transaction.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace carburanti {

Uso uso(db::Connection &c, qint64 idCarburante)
{
    const db::Params p{{":id", idCarburante}};
    Uso u;
    u.cisterne = c.scalar(QStringLiteral("SELECT count(*) FROM Cisterne WHERE Carburante_ID = :id"), p).toInt();
    u.vetture = c.scalar(QStringLiteral("SELECT count(*) FROM Vetture WHERE Carburante_id = :id"), p).toInt();
    return u;
}

EsitoEliminazione elimina(db::Connection &c, qint64 idCarburante)
{
    // The check and the delete in one transaction: a tank given this fuel meanwhile refuses it.
    return db::inTransaction(c, [&] {
        EsitoEliminazione e;
        e.uso = uso(c, idCarburante);
        if (e.uso.inUso()) return e;
        c.execute(QStringLiteral("DELETE FROM Carburanti WHERE ID = :id"), {{":id", idCarburante}});
        e.eliminato = true;
        return e;
    });
}

} // namespace carburanti

namespace carburanti {

QString messaggioInUso(const Uso &uso)
{
    QStringList chi;
    if (uso.cisterne > 0)
        chi << (uso.cisterne == 1 ? QStringLiteral("1 cisterna") : QStringLiteral("%1 cisterne").arg(uso.cisterne));
    if (uso.vetture > 0)
        chi << (uso.vetture == 1 ? QStringLiteral("1 vettura") : QStringLiteral("%1 vetture").arg(uso.vetture));
    return QStringLiteral("Attenzione il tipo di Carburante non può essere eliminato: è usato da ")
        + chi.join(QStringLiteral(" e da ")) + QStringLiteral(".");
}

} // namespace carburanti

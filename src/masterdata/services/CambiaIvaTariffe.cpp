#include "CambiaIvaTariffe.h"

#include "common/LineArithmetic.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QHash>

namespace tariffe {

int cambiaIvaTariffe(db::Connection &c, const QList<qint64> &ids, const QVariant &ivaId, const QVariant &aliquota)
{
    const bool senzaAliquota = aliquota.isNull() || !aliquota.isValid();
    const double rate = senzaAliquota ? 0.0 : aliquota.toDouble();
    // Typed nulls, so that both engines take them for the numeric columns.
    const QVariant nuovaAliquota = senzaAliquota ? QVariant(QMetaType::fromType<double>()) : QVariant(rate);
    const QVariant nuovoIvaId = senzaAliquota || ivaId.isNull() || !ivaId.isValid() ? QVariant(QMetaType::fromType<qint64>())
                                                                                   : QVariant(ivaId.toLongLong());
    return db::inTransaction(c, [&] {
        // Prices and discounts read inside the transaction: what is changed is what was read.
        QHash<qint64, std::pair<double, double>> prezzi;
        {
            db::Query q(&c);
            q.setSql(QStringLiteral("select Id, Prezzo, Sconto from prezziar"));
            q.open();
            const int colId = q.fieldIndex(QStringLiteral("Id"));
            const int colPrezzo = q.fieldIndex(QStringLiteral("Prezzo"));
            const int colSconto = q.fieldIndex(QStringLiteral("Sconto"));
            for (int i = 0; i < q.recordCount(); ++i)
                prezzi.insert(q.valueAt(i, colId).toLongLong(), {q.valueAt(i, colPrezzo).toDouble(), q.valueAt(i, colSconto).toDouble()});
        }
        int cambiate = 0;
        for (const qint64 id : ids) {
            const auto it = prezzi.constFind(id);
            if (it == prezzi.cend()) continue; // deleted meanwhile
            const auto [prezzo, sconto] = *it;
            const double completo = common::TotaleRigaIvato(true, 1, prezzo, rate, sconto, 0, 0, 0);
            cambiate += c.execute(QStringLiteral("update prezziar set AliquotaIva = :aliquota, Iva_Id = :iva, PrezzoCompleto = "
                                                 ":completo where Id = :id"),
                                  {{":aliquota", nuovaAliquota}, {":iva", nuovoIvaId}, {":completo", completo}, {":id", id}});
        }
        return cambiate;
    });
}

} // namespace tariffe

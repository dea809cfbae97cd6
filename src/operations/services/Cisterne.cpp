#include "Cisterne.h"

#include "db/Connection.h"
#include "db/Transaction.h"

#include <QString>
#include <QVariant>

namespace cisterne {

namespace {

struct Carico {
    bool trovato = false;
    qint64 cisterna = 0;
    double litri = 0;
};

Carico leggiCarico(db::Connection &c, qint64 idCarico)
{
    // One statement: the row is there or not; null litres count 0.
    const QVariant n = c.scalar(QStringLiteral("SELECT count(*) FROM CisterneCarico WHERE ID = :id"), {{":id", idCarico}});
    Carico r;
    if (n.toLongLong() == 0) return r;
    r.trovato = true;
    r.cisterna = c.scalar(QStringLiteral("SELECT COALESCE(Cisterna_ID, 0) FROM CisterneCarico WHERE ID = :id"), {{":id", idCarico}})
                     .toLongLong();
    r.litri = c.scalar(QStringLiteral("SELECT COALESCE(Litri, 0) FROM CisterneCarico WHERE ID = :id"), {{":id", idCarico}}).toDouble();
    return r;
}

} // namespace

int muovi(db::Connection &c, qint64 idCisterna, double litri)
{
    if (idCisterna < 1 || litri == 0) return 0;
    // Relative: what another workstation added meanwhile stays counted. A stock left empty
    // counts as 0, never swallowing the movement.
    return c.execute(QStringLiteral("UPDATE Cisterne SET Litri = COALESCE(Litri, 0) + :litri WHERE ID = :id"),
                     {{":litri", litri}, {":id", idCisterna}});
}

double litriCarico(db::Connection &c, qint64 idCarico) { return leggiCarico(c, idCarico).litri; }

EsitoCarico salvaCarico(db::Connection &c, qint64 idCarico, const std::function<bool()> &posta)
{
    return db::inTransaction(c, [&] {
        EsitoCarico e;
        const Carico prima = leggiCarico(c, idCarico);
        if (!posta()) throw db::Annulla<EsitoCarico>{e}; // rolled back: nothing stored, nothing moved
        const Carico dopo = leggiCarico(c, idCarico);
        e.cisterna = dopo.cisterna;
        e.differenza = dopo.litri - prima.litri;
        muovi(c, dopo.cisterna, e.differenza);
        e.salvato = true;
        return e;
    });
}

EsitoCarico eliminaCarico(db::Connection &c, qint64 idCarico)
{
    return db::inTransaction(c, [&] {
        EsitoCarico e;
        const Carico carico = leggiCarico(c, idCarico);
        if (!carico.trovato) return e;
        c.execute(QStringLiteral("DELETE FROM CisterneCarico WHERE ID = :id"), {{":id", idCarico}});
        e.cisterna = carico.cisterna;
        e.differenza = -carico.litri;
        muovi(c, carico.cisterna, e.differenza);
        e.salvato = true;
        return e;
    });
}

Eliminati eliminaCisterna(db::Connection &c, qint64 idCisterna)
{
    return db::inTransaction(c, [&] {
        Eliminati e;
        const db::Params p{{":id", idCisterna}};
        e.carichi = c.execute(QStringLiteral("DELETE FROM CisterneCarico WHERE Cisterna_ID = :id"), p);
        e.cisterne = c.execute(QStringLiteral("DELETE FROM Cisterne WHERE ID = :id"), p);
        return e;
    });
}

bool lavoraCisterne(db::Connection &c)
{
    return c.scalar(QStringLiteral("SELECT COALESCE(LavoraCisterne, 0) FROM opzioni")).toLongLong() != 0;
}

Restituiti restituisciLitriVettura(db::Connection &c, qint64 idVettura)
{
    // A savepoint inside the fleet list's delete, a transaction of its own otherwise.
    return db::inTransaction(c, [&] {
        Restituiti r;
        if (!lavoraCisterne(c)) {
            return r;
        }
        const db::Params p{{":vettura", idVettura}};
        const QString daRestituire = QStringLiteral(
            "FROM VettureCarburante WHERE VettureCarburante.Vettura_ID = :vettura AND VettureCarburante.Cisterna_ID = Cisterne.ID");
        r.litri = c.scalar(QStringLiteral("SELECT COALESCE(SUM(VettureCarburante.Litri), 0) FROM VettureCarburante INNER JOIN "
                                          "Cisterne ON VettureCarburante.Cisterna_ID = Cisterne.ID "
                                          "WHERE VettureCarburante.Vettura_ID = :vettura"),
                           p)
                      .toDouble();
        r.cisterne = c.execute(QStringLiteral("UPDATE Cisterne SET Litri = COALESCE(Litri, 0) + "
                                              "(SELECT COALESCE(SUM(VettureCarburante.Litri), 0) ")
                                   + daRestituire + QStringLiteral(") WHERE EXISTS (SELECT 1 ") + daRestituire + u')',
                               p);
        return r;
    });
}

} // namespace cisterne

namespace cisterne {

QString descrizioneFattura(const QString &fornitore, qint64 progressivo, const QDate &dataRegistrazione)
{
    return fornitore + QStringLiteral("    n° reg.:") + QString::number(progressivo) + QStringLiteral("    data reg:")
        + dataRegistrazione.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace cisterne

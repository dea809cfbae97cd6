#include "Anagrafiche.h"

#include "db/Connection.h"
#include "db/Query.h"

namespace anagrafiche {

int contaDuplicati(db::Connection &c, const QString &tabella, const QString &colonna, const QString &valore,
                   qint64 idEscluso)
{
    return c.scalar(QStringLiteral("SELECT count(*) FROM %1 where %2 = :valore and Id <> :id").arg(tabella, colonna),
                    {{":valore", valore}, {":id", idEscluso}})
        .toInt();
}

std::optional<qint64> idCategoria(db::Connection &c, const QString &tabellaCategorie, const QString &descrizione)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("select ID, Descrizione from %1 where Descrizione = :d order by ID").arg(tabellaCategorie));
    q.bind(QStringLiteral(":d"), descrizione);
    q.open();
    // The column ignores case; the search does not.
    for (q.first(); !q.eof(); q.next())
        if (q.field(1).asString() == descrizione) return q.field(0).asLargeInt();
    return std::nullopt;
}

QStringList capDelComune(db::Connection &c, const QString &comune)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("SELECT Indirizzi.CAP, Indirizzi.Frazione FROM Indirizzi INNER JOIN Comuni ON "
                            "Indirizzi.Comune_ID = Comuni.ID where Comuni.Comune = :comune"));
    q.bind(QStringLiteral(":comune"), comune);
    q.open();
    QStringList r;
    for (q.first(); !q.eof(); q.next()) r << q.field(0).asString();
    return r;
}

} // namespace anagrafiche

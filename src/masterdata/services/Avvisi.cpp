#include "Avvisi.h"

#include "common/Dates.h"
#include "common/SqlText.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

namespace avvisi {

QString sqlClienti(const Filtri &f)
{
    const QString da = f.daScadenza.trimmed(), a = f.aScadenza.trimmed();
    const bool scadenze = f.pagamentoEffettuato || !da.isEmpty() || !a.isEmpty();
    QString s = QStringLiteral(
        "SELECT distinct Clienti.NominativoVisualizzato, Clienti.CodFiscale,Clienti.Iva,Clienti.Id, Clienti.Via ,Clienti.Telefono, "
        "Clienti.Fax, Clienti.Cellulare, Clienti.EMail, Clienti.Citta, Clienti.Comune_id, Clienti.Provincia, Clienti.Cap, "
        "Clienti.Numero, Clienti.Note, Clienti.Codice FROM Clienti");
    if (scadenze) s += QStringLiteral(" INNER JOIN FatturaScadenze ON FatturaScadenze.Cliente_id = Clienti.Id");
    s += QStringLiteral(" WHERE Clienti.Annullato=False");
    if (f.pagamento > 0) s += QStringLiteral(" and Clienti.Pagamento_ID=%1").arg(f.pagamento);
    if (f.categoria > 0) s += QStringLiteral(" and Clienti.Categoria_ID=%1").arg(f.categoria);
    if (f.comune > 0) s += QStringLiteral(" and Clienti.Comune_id=%1").arg(f.comune);
    if (!f.provincia.isEmpty()) s += QStringLiteral(" and Clienti.Provincia ='%1'").arg(common::RaddoppiaApici(f.provincia));
    if (f.pubblicaAmministrazione) s += QStringLiteral(" and Clienti.PubblicaAmministrazione=true");
    if (!f.note.isEmpty()) s += QStringLiteral(" and Clienti.Note like '%1%'").arg(common::FiltroLike(f.note));
    if (scadenze) {
        s += f.pagamentoEffettuato
                 ? QStringLiteral(" and (FatturaScadenze.DataPagamento is not null or FatturaScadenze.DataPagamento>#01/01/2000#)")
                 : QStringLiteral(" and (FatturaScadenze.DataPagamento is null or FatturaScadenze.DataPagamento<#01/01/1900#)");
        if (!da.isEmpty()) s += QStringLiteral(" and FatturaScadenze.DataScadenza >=#%1#").arg(common::DataSql(da));
        if (!a.isEmpty()) s += QStringLiteral(" and FatturaScadenze.DataScadenza <=#%1 23.59.59#").arg(common::DataSql(a));
    }
    return s;
}

QList<Cliente> clienti(db::Connection &c, const Filtri &f)
{
    db::Query q(&c);
    q.setSql(sqlClienti(f));
    q.open();
    QList<Cliente> r;
    for (q.first(); !q.eof(); q.next()) {
        const QString nome = q.fieldByName(QStringLiteral("NominativoVisualizzato")).asString();
        if (!nome.isEmpty()) r.push_back({q.fieldByName(QStringLiteral("Id")).asInteger(), nome});
    }
    return r;
}

void salvaTesto(db::Connection &c, const QString &postazione, const QString &testo)
{
    return db::inTransaction(c, [&] {
        const int n = db::Command::execute(&c, QStringLiteral("update TempAvvisi set Testo = :testo where NomeComputer = :postazione"),
                                           {{":testo", testo}, {":postazione", postazione}});
        if (n == 0)
            db::Command::execute(&c, QStringLiteral("insert into TempAvvisi (NomeComputer, Testo) values (:postazione, :testo)"),
                                 {{":postazione", postazione}, {":testo", testo}});
    });
}

QString testo(db::Connection &c, const QString &postazione)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("select top 1 Testo from TempAvvisi where NomeComputer = :postazione"));
    q.bind(QStringLiteral(":postazione"), postazione);
    q.open();
    return q.isEmpty() ? QString() : q.fieldByName(QStringLiteral("Testo")).asString();
}

void scegli(db::Connection &c, const QString &postazione, const QList<int> &scelti)
{
    return db::inTransaction(c, [&] {
        db::Command::execute(&c, QStringLiteral("delete * from TempAvvisiClienti where NomeComputer = :postazione"),
                             {{":postazione", postazione}});
        for (int id : scelti)
            db::Command::execute(&c, QStringLiteral("insert into TempAvvisiClienti (NomeComputer, Cliente_ID) values (:postazione, :id)"),
                                 {{":postazione", postazione}, {":id", id}});
    });
}

} // namespace avvisi

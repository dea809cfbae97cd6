#include "Righe.h"

#include "common/LineArithmetic.h"
#include "core/Clock.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QDate>
#include <QVariant>

namespace acquisti {

using common::Decimale;

ImportiRiga importiRiga(const ValoriRiga &v)
{
    const Decimale netto = common::NettoRiga(Decimale::daDouble(v.quantita), Decimale::daDouble(v.prezzo),
                                       Decimale::daDouble(v.sconti[0]), Decimale::daDouble(v.sconti[1]),
                                       Decimale::daDouble(v.sconti[2]), Decimale::daDouble(v.sconti[3]));
    ImportiRiga r;
    r.imponibile = netto.toDouble();
    r.totale = (netto + common::ImpostaSu(netto, Decimale::daDouble(v.aliquota))).centesimi().toDouble();
    return r;
}

double prezzoDaTotale(const ValoriRiga &v, double totale)
{
    return common::PrezzoUnitarioDaTotale(v.quantita, totale, v.aliquota, v.sconti[0], v.sconti[1], v.sconti[2], v.sconti[3]);
}

qint64 nuovaRiga(db::Connection &c, qint64 idFattura, TipoRiga tipo)
{
    return db::inTransaction(c, [&] {
        const db::Params id{{QStringLiteral(":id"), idFattura}};
        db::Query f(&c);
        f.setSql(QStringLiteral("select Data from fattura where ID = :id and Carico = true"));
        f.bind(QStringLiteral(":id"), idFattura);
        f.open();
        if (f.eof())
            throw db::DbError(QStringLiteral("La fattura di acquisto non esiste più nell'archivio: forse è stata eliminata da "
                                             "un'altra postazione."));
        const db::Field data = f.fieldByName(QStringLiteral("Data"));
        const QDate giorno = data.isNull() ? core::Clock::instance().today() : data.asDateTime().date();

        db::Query o(&c);
        o.setSql(QStringLiteral("select top 1 * from opzioni"));
        o.open();
        const auto opzione = [&o](const QString &nome) { return o.eof() ? QVariant() : o.fieldByName(nome).value(); };
        const double aliquota = opzione(QStringLiteral("AliquotaIva")).toDouble();

        QString descrizione, codice, conto;
        double prezzo = 1, totale = importiRiga({.quantita = 1, .prezzo = 1, .aliquota = aliquota}).totale;
        switch (tipo) {
        case TipoRiga::Articolo:
            descrizione = QStringLiteral("Descrizione Articolo");
            codice = QStringLiteral("Codice Art");
            conto = QStringLiteral("Generale");
            break;
        case TipoRiga::SpeseTrasporto:
        case TipoRiga::SpeseIncasso: {
            const bool trasporto = tipo == TipoRiga::SpeseTrasporto;
            descrizione = trasporto ? QStringLiteral("Spese di Trasporto") : QStringLiteral("Spese di Incasso");
            codice = trasporto ? QStringLiteral("spsTrasp") : QStringLiteral("spsIncasso");
            conto = trasporto ? QStringLiteral("SpeseTrasporto") : QStringLiteral("SpeseIncasso");
            totale = Decimale::daVariant(opzione(trasporto ? QStringLiteral("Spese_di_Trasporto") : QStringLiteral("Spese_di_Incasso")))
                         .toDouble();
            prezzo = common::PrezzoUnitarioDaTotale(1, totale, aliquota, 0, 0, 0, 0);
            break;
        }
        }
        const int numero =
            c.scalar(QStringLiteral("select count(*) from Movimenti where Fattura_ID = :id"), id).toInt() + 1;
        c.execute(QStringLiteral("insert into Movimenti (Fattura_ID, NumeroRiga, Data, Descrizione, Codice, Um, ValoreUnitario, "
                                 "TotaleImponibile, Sconto, AliquotaIva, Iva_ID, PrezzoCompleto, ContabilitaConti_ID, Storico, "
                                 "Scarico) values (:id, :numero, :data, :descrizione, :codice, 1, :prezzo, :prezzo, 0, :aliquota, "
                                 ":iva, :totale, :conto, false, false)"),
                  {{QStringLiteral(":id"), idFattura},
                   {QStringLiteral(":numero"), numero},
                   {QStringLiteral(":data"), giorno},
                   {QStringLiteral(":descrizione"), descrizione},
                   {QStringLiteral(":codice"), codice},
                   {QStringLiteral(":prezzo"), prezzo},
                   {QStringLiteral(":aliquota"), opzione(QStringLiteral("AliquotaIva"))},
                   {QStringLiteral(":iva"), opzione(QStringLiteral("Iva_ID"))},
                   {QStringLiteral(":totale"), totale},
                   {QStringLiteral(":conto"), opzione(QStringLiteral("conto_ID_Predefinito_su_FattureAcquisto_") + conto)}});
        return c.lastInsertId();
    });
}

bool aggiornaImportiRiga(db::Connection &c, qint64 idRiga)
{
    db::Query r(&c);
    r.setSql(QStringLiteral("select Um, ValoreUnitario, Sconto, Sconto2, Sconto3, Sconto4, AliquotaIva from Movimenti where ID = :id"));
    r.bind(QStringLiteral(":id"), idRiga);
    r.open();
    if (r.eof() || r.fieldByName(QStringLiteral("Um")).isNull()) return false;
    const auto numero = [&r](const char *nome) { return r.fieldByName(QLatin1String(nome)).asFloat(); };
    const ImportiRiga i = importiRiga({.quantita = numero("Um"),
                                       .prezzo = numero("ValoreUnitario"),
                                       .sconti = {numero("Sconto"), numero("Sconto2"), numero("Sconto3"), numero("Sconto4")},
                                       .aliquota = numero("AliquotaIva")});
    c.execute(QStringLiteral("update Movimenti set TotaleImponibile = :netto, PrezzoCompleto = :totale where ID = :id"),
              {{QStringLiteral(":netto"), i.imponibile}, {QStringLiteral(":totale"), i.totale}, {QStringLiteral(":id"), idRiga}});
    return true;
}

} // namespace acquisti

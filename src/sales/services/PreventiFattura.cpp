#include "PreventiFattura.h"
#include "RigheFattura.h"

#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QStringList>
#include <stdexcept>

namespace vendite {

namespace {

// The quote row's columns an invoice row takes only when the quote row holds a value.
const QStringList kSeNonVuoti = {
    QStringLiteral("Descrizione"),  QStringLiteral("Um"),       QStringLiteral("TotaleImponibile"),
    QStringLiteral("Reparto"),      QStringLiteral("Scaffale"), QStringLiteral("ValoreTotale"),
    QStringLiteral("Articolo_ID"),  QStringLiteral("Data"),     QStringLiteral("Codice"),
    QStringLiteral("TipoRiga"),     QStringLiteral("ValoreUnitario"), QStringLiteral("Sconto"),
    QStringLiteral("AliquotaIva"),  QStringLiteral("Iva_ID")};
// ... and those it takes empty or not.
const QStringList kSempre = {QStringLiteral("DataInizioPeriodo"), QStringLiteral("DataFinePeriodo"),
                             QStringLiteral("RiferimentoAmministrazione")};

struct Opzioni {
    qint64 contoGenerale = 0;
    qint64 contoIncasso = 0;
    qint64 contoTrasporto = 0;
};

Opzioni leggiOpzioni(db::Connection &c)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("select conto_ID_Predefinito_su_FattureVendita_Generale, "
                            "conto_ID_Predefinito_su_FattureVendita_SpeseIncasso, "
                            "conto_ID_Predefinito_su_FattureVendita_SpeseTrasporto from opzioni"));
    q.open();
    Opzioni o;
    if (q.isEmpty()) return o;
    o.contoGenerale = q.fieldByName(QStringLiteral("conto_ID_Predefinito_su_FattureVendita_Generale")).asLargeInt();
    o.contoIncasso = q.fieldByName(QStringLiteral("conto_ID_Predefinito_su_FattureVendita_SpeseIncasso")).asLargeInt();
    o.contoTrasporto = q.fieldByName(QStringLiteral("conto_ID_Predefinito_su_FattureVendita_SpeseTrasporto")).asLargeInt();
    return o;
}

qint64 contoDellaRiga(const Opzioni &o, const QString &tipoRiga)
{
    const QString t = tipoRiga.trimmed().toUpper();
    if (t == QLatin1String("S")) return o.contoIncasso;
    if (t == QLatin1String("T")) return o.contoTrasporto;
    return o.contoGenerale;
}

} // namespace

QString sqlPreventiDaFatturare(qint64 idCliente)
{
    // Quotes without a customer carry 0: an invoice without one must not be offered them.
    return QStringLiteral("SELECT PreventiTestata.Id, 'numero ' & [Numero]  & ' Data: ' & [Data] as Scelta,Numero,Data,"
                          "Cliente_Id FROM PreventiTestata Where Fatturato = false and Cliente_ID = %1%2")
        .arg(idCliente)
        .arg(idCliente > 0 ? QString() : QStringLiteral(" and Cliente_ID > 0"));
}

ImportazionePreventivo importaPreventivo(db::Connection &c, qint64 idFattura, qint64 idPreventivo, bool storico)
{
    return db::inTransaction(c, [&] {
        if (c.scalar(QStringLiteral("select count(*) from fattura where ID = :f"), {{QStringLiteral(":f"), idFattura}}).toInt() < 1)
            throw std::invalid_argument("fattura inesistente");
        db::Query preventivo(&c);
        preventivo.setSql(QStringLiteral("select Numero, Data from PreventiTestata where ID = :q"));
        preventivo.bind(QStringLiteral(":q"), idPreventivo);
        preventivo.open();
        if (preventivo.isEmpty()) throw std::invalid_argument("preventivo inesistente");
        const QVariant numero = preventivo.fieldByName(QStringLiteral("Numero")).value();
        const QVariant data = preventivo.fieldByName(QStringLiteral("Data")).value();
        const Opzioni opzioni = leggiOpzioni(c);
        const db::Params fq = {{QStringLiteral(":f"), idFattura}, {QStringLiteral(":q"), idPreventivo}};

        ImportazionePreventivo esito;
        c.execute(QStringLiteral("UPDATE PreventiTestata SET Fatturato = True where id = :q"), {{QStringLiteral(":q"), idPreventivo}});
        // Importing the same quote again replaces its link and the rows it copied.
        c.execute(QStringLiteral("delete from FatturaPreventiviRighe where Fattura_ID = :f and Preventivo_Id = :q"), fq);
        c.execute(QStringLiteral("insert into FatturaPreventiviRighe (Numero, Data, Preventivo_Id, Fattura_ID) "
                                 "values (:numero, :data, :q, :f)"),
                  {{QStringLiteral(":numero"), numero}, {QStringLiteral(":data"), data}, fq[0], fq[1]});
        esito.idCollegamento = c.lastInsertId();
        esito.righeSostituite = c.execute(QStringLiteral("delete from fattdett where Prev_ID = :q and NumFatt = :f"), fq);

        db::Query righe(&c);
        righe.setSql(QStringLiteral("select * from PreventiRighe where Prev_ID = :q order by NumeroRiga"));
        righe.bind(QStringLiteral(":q"), idPreventivo);
        righe.open();
        for (righe.first(); !righe.eof(); righe.next()) {
            QStringList colonne;
            db::Params valori;
            auto metti = [&](const QString &colonna, const QVariant &valore) {
                colonne << colonna;
                valori.append({QStringLiteral(":v%1").arg(valori.size()), valore});
            };
            // Numbered as every new row of an invoice, after the rows copied so far.
            metti(QStringLiteral("NumeroRiga"), numeroNuovaRiga(c, idFattura));
            metti(QStringLiteral("ContabilitaConti_ID"),
                  contoDellaRiga(opzioni, righe.fieldByName(QStringLiteral("TipoRiga")).asString()));
            metti(QStringLiteral("NumFatt"), idFattura);
            metti(QStringLiteral("Prev_ID"), idPreventivo);
            for (const QString &colonna : kSempre) metti(colonna, righe.fieldByName(colonna).value());
            // A row with a quantity gets its net and gross from its own quantity, price, discount and
            // rate, as a row typed on the invoice: a quote row may carry a tariff's gross that its
            // customer's discount does not match.
            const bool conQuantita = !righe.fieldByName(QStringLiteral("Um")).isNull();
            for (const QString &colonna : kSeNonVuoti) {
                if (conQuantita && (colonna == QLatin1String("TotaleImponibile") || colonna == QLatin1String("ValoreTotale"))) continue;
                const QVariant v = righe.fieldByName(colonna).value();
                if (!v.isNull()) metti(colonna, v);
            }
            if (conQuantita) {
                auto f = [&righe](const char *nome) { return righe.fieldByName(QLatin1String(nome)).asFloat(); };
                const ImportiRiga importi = importiRiga(f("Um"), f("ValoreUnitario"), f("Sconto"), f("AliquotaIva"));
                metti(QStringLiteral("TotaleImponibile"), importi.imponibile);
                metti(QStringLiteral("ValoreTotale"), importi.totale);
            }
            metti(QStringLiteral("Storico"), storico);
            if (!numero.isNull()) metti(QStringLiteral("Note"), QString(QStringLiteral("Preventivo numero ") + numero.toString()));
            QStringList segnaposti;
            for (const db::Param &p : valori) segnaposti << p.name;
            c.execute(QStringLiteral("insert into fattdett (%1) values (%2)").arg(colonne.join(u','), segnaposti.join(u',')), valori);
            ++esito.righeCopiate;
        }
        return esito;
    });
}

AnnullamentoPreventivo annullaPreventivo(db::Connection &c, qint64 idCollegamento)
{
    return db::inTransaction(c, [&] {
        db::Query link(&c);
        link.setSql(QStringLiteral("select Preventivo_Id, Fattura_ID from FatturaPreventiviRighe where Id = :id"));
        link.bind(QStringLiteral(":id"), idCollegamento);
        link.open();
        AnnullamentoPreventivo esito;
        if (link.isEmpty()) return esito;
        esito.idPreventivo = link.fieldByName(QStringLiteral("Preventivo_Id")).asLargeInt();
        const qint64 idFattura = link.fieldByName(QStringLiteral("Fattura_ID")).asLargeInt();
        c.execute(QStringLiteral("UPDATE PreventiTestata SET Fatturato = false where id = :q"),
                  {{QStringLiteral(":q"), esito.idPreventivo}});
        esito.righeEliminate = c.execute(QStringLiteral("delete from fattdett where Prev_ID = :q and NumFatt = :f"),
                                         {{QStringLiteral(":q"), esito.idPreventivo}, {QStringLiteral(":f"), idFattura}});
        c.execute(QStringLiteral("delete from FatturaPreventiviRighe where Id = :id"), {{QStringLiteral(":id"), idCollegamento}});
        return esito;
    });
}

EliminazioneScadenza eliminaScadenza(db::Connection &c, qint64 idScadenza)
{
    return db::inTransaction(c, [&] {
        EliminazioneScadenza esito;
        const bool primaNota = c.scalar(QStringLiteral("select DuplicaFatturazioneInPrimaNota from opzioni")).toInt() != 0;
        // The payment of the instalment leaves the cash book with it, or the book would keep money
        // no instalment accounts for.
        if (primaNota)
            esito.movimenti = c.execute(QStringLiteral("delete from finanzia where FatturaScadenze_Id = :id"),
                                        {{QStringLiteral(":id"), idScadenza}});
        esito.scadenze = c.execute(QStringLiteral("delete from FatturaScadenze where Id = :id"), {{QStringLiteral(":id"), idScadenza}});
        return esito;
    });
}

} // namespace vendite

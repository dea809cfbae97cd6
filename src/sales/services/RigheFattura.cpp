#include "RigheFattura.h"

#include "common/LineArithmetic.h"
#include "common/Rounding.h"
#include "core/Clock.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QString>
#include <QVariant>

namespace vendite {

namespace {

// What the rows take from their invoice.
struct Fattura {
    QVariant data;          // the invoice's date, today without one
    QVariant dataTrasporto; // its transport date, today without one
    qint64 cliente = 0;
};

QVariant oggi() { return QDateTime(core::Clock::instance().today(), QTime(0, 0)); }

Fattura leggiFattura(db::Connection &c, qint64 id)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("select Data, datatrasporto, Cliente_ID from fattura where ID = :id"));
    q.bind(QStringLiteral(":id"), id);
    q.open();
    if (q.isEmpty()) throw db::DbError(QStringLiteral("La fattura %1 non esiste più.").arg(id));
    Fattura f;
    const db::Field data = q.fieldByName(QStringLiteral("Data"));
    f.data = data.isNull() ? oggi() : data.value();
    const db::Field trasporto = q.fieldByName(QStringLiteral("datatrasporto"));
    f.dataTrasporto = trasporto.isNull() ? oggi() : trasporto.value();
    f.cliente = q.fieldByName(QStringLiteral("Cliente_ID")).asLargeInt();
    return f;
}

// The one row of opzioni (an empty row when the table has none: every value null).
class Opzioni {
public:
    explicit Opzioni(db::Connection &c) : m_q(&c)
    {
        m_q.setSql(QStringLiteral("select top 1 * from opzioni"));
        m_q.open();
    }
    QVariant valore(const QString &colonna)
    {
        return m_q.isEmpty() ? QVariant() : m_q.fieldByName(colonna).value();
    }
    double numero(const QString &colonna) { return valore(colonna).toDouble(); }
    bool vero(const QString &colonna) { return valore(colonna).toInt() != 0; }

private:
    db::Query m_q;
};

int numeroRiga(db::Connection &c, const TabellaRighe &t, qint64 idDocumento, bool incrementa)
{
    if (!incrementa) return 1;
    return c.scalar(QStringLiteral("select count(*) from %1 where %2 = :id").arg(t.tabella, t.legame),
                    {{QStringLiteral(":id"), idDocumento}})
               .toInt()
           + 1;
}

// An empty query on the rows' table, to insert rows through.
void apriPerInserire(db::Query &q, const TabellaRighe &t)
{
    q.setSql(QStringLiteral("select * from %1 where Idx = 0").arg(t.tabella));
    q.open();
}

qint64 posta(db::Query &q)
{
    if (!q.post()) throw db::DbError(q.lastError());
    return q.fieldByName(QStringLiteral("Idx")).asLargeInt();
}

} // namespace

TabellaRighe tabellaRighe(Righe righe)
{
    if (righe == Righe::NotaCredito)
        return {QStringLiteral("NotaCreditoRighe"), QStringLiteral("NotaCredito_ID"),
                QStringLiteral("conto_ID_Predefinito_su_NoteCreditoVendita_")};
    return {QStringLiteral("fattdett"), QStringLiteral("NumFatt"), QStringLiteral("conto_ID_Predefinito_su_FattureVendita_")};
}

ImportiRiga importiRiga(double quantita, double prezzo, double sconto, double aliquota)
{
    ImportiRiga r;
    r.imponibile = common::TotaleRigaNetto(false, quantita, prezzo, sconto, 0, 0, 0);
    r.totale = common::TotaleRigaIvato(true, quantita, prezzo, aliquota, sconto, 0, 0, 0);
    return r;
}

int numeroNuovaRiga(db::Connection &c, qint64 idFattura) { return numeroNuovaRiga(c, Righe::Fattura, idFattura); }

int numeroNuovaRiga(db::Connection &c, Righe righe, qint64 idDocumento)
{
    Opzioni o(c);
    return numeroRiga(c, tabellaRighe(righe), idDocumento, o.vero(QStringLiteral("IncrementaNumeroRigaArticoli")));
}

QList<qint64> righeDaTariffe(db::Connection &c, qint64 idFattura, const QList<qint64> &tariffe)
{
    return righeDaTariffe(c, Righe::Fattura, idFattura, tariffe);
}

namespace {

QList<qint64> scriviRigheDaTariffe(db::Connection &c, Righe righe, qint64 idFattura, const QList<qint64> &tariffe)
{
    const TabellaRighe tr = tabellaRighe(righe);
    const Fattura f = leggiFattura(c, idFattura);
    Opzioni o(c);
    const bool incrementa = o.vero(QStringLiteral("IncrementaNumeroRigaArticoli"));
    const QVariant conto = o.valore(tr.conti + QStringLiteral("Generale"));

    // The customer's discount, read from the customer itself: an invoice not stored yet, or a
    // customer never invoiced before, still gets it.
    QVariant scontoCliente;
    if (f.cliente > 0)
        scontoCliente = c.scalar(QStringLiteral("select Sconto from Clienti where Id = :id"), {{QStringLiteral(":id"), f.cliente}});

    db::Query tariffa(&c);
    tariffa.setSql(QStringLiteral("select * from prezziar where Id = :id"));
    db::Query riga(&c);
    apriPerInserire(riga, tr);
    QList<qint64> scritte;
    for (const qint64 id : tariffe) {
        tariffa.close();
        tariffa.bind(QStringLiteral(":id"), id);
        tariffa.open();
        if (tariffa.isEmpty()) continue;
        auto da = [&tariffa](const char *nome) { return tariffa.fieldByName(QLatin1String(nome)); };
        riga.append();
        auto a = [&riga](const char *nome) { return riga.fieldByName(QLatin1String(nome)); };
        riga.fieldByName(tr.legame).setValue(idFattura);
        a("Data").setValue(f.data);
        a("Descrizione").setValue(da("Descrizione").value());
        if (!da("Codice").asString().isEmpty()) a("Codice").setValue(da("Codice").value());
        a("ContabilitaConti_ID").setValue(conto);
        a("NumeroRiga").setValue(numeroRiga(c, tr, idFattura, incrementa));
        a("Storico").setValue(false);
        a("Articolo_ID").setValue(id);
        if (!da("Prezzo").isNull()) a("ValoreUnitario").setValue(da("Prezzo").value());
        if (!da("AliquotaIva").isNull()) a("AliquotaIva").setValue(da("AliquotaIva").value());
        if (!da("Iva_Id").isNull()) a("Iva_ID").setValue(da("Iva_Id").value());
        double sconto = da("Sconto").isNull() ? 0 : da("Sconto").asFloat();
        if (f.cliente > 0 && !da("PrezzoImposto").asBoolean() && !scontoCliente.isNull()) sconto = scontoCliente.toDouble();
        a("Sconto").setAsFloat(sconto);
        // A credit note's row takes neither the tariff's department nor its unit.
        if (righe == Righe::Fattura) {
            if (!da("Reparto").asString().isEmpty()) a("Reparto").setValue(da("Reparto").value());
            if (!da("Um_Id").isNull()) a("Um_ID").setValue(da("Um_Id").value());
        }
        a("Um").setAsFloat(1);
        a("TipoRiga").setAsString(QStringLiteral("N"));
        const ImportiRiga importi =
            importiRiga(1, a("ValoreUnitario").asFloat(), sconto, a("AliquotaIva").asFloat());
        a("ValoreTotale").setAsFloat(importi.totale);
        a("TotaleImponibile").setAsFloat(importi.imponibile);
        scritte << posta(riga);
    }
    return scritte;
}

} // namespace

QList<qint64> righeDaTariffe(db::Connection &c, Righe righe, qint64 idFattura, const QList<qint64> &tariffe)
{
    return db::inTransaction(c, [&] { return scriviRigheDaTariffe(c, righe, idFattura, tariffe); });
}

qint64 rigaSpeciale(db::Connection &c, qint64 idFattura, RigaSpeciale tipo)
{
    return rigaSpeciale(c, Righe::Fattura, idFattura, tipo);
}

namespace {

qint64 scriviRigaSpeciale(db::Connection &c, Righe righe, qint64 idFattura, RigaSpeciale tipo)
{
    const TabellaRighe tr = tabellaRighe(righe);
    const Fattura f = leggiFattura(c, idFattura);
    Opzioni o(c);
    const double aliquota = o.numero(QStringLiteral("AliquotaIva"));

    QString descrizione, tipoRiga, conto;
    double prezzo = 1, totale = 0;
    switch (tipo) {
    case RigaSpeciale::SpeseTrasporto:
        descrizione = QStringLiteral("Spese di Trasporto");
        tipoRiga = QStringLiteral("T");
        conto = tr.conti + QStringLiteral("SpeseTrasporto");
        totale = o.numero(QStringLiteral("Spese_di_Trasporto"));
        prezzo = common::PrezzoUnitarioDaTotale(1, totale, aliquota, 0, 0, 0, 0);
        break;
    case RigaSpeciale::SpeseIncasso:
        descrizione = QStringLiteral("Spese di Incasso");
        tipoRiga = QStringLiteral("S");
        conto = tr.conti + QStringLiteral("SpeseIncasso");
        totale = o.numero(QStringLiteral("Spese_di_Incasso"));
        prezzo = common::PrezzoUnitarioDaTotale(1, totale, aliquota, 0, 0, 0, 0);
        break;
    case RigaSpeciale::Articolo:
        descrizione = QStringLiteral("Articolo da inserire");
        tipoRiga = QStringLiteral("A");
        conto = tr.conti + QStringLiteral("Generale");
        // The gross follows the row's own rate, not a fixed 22%.
        totale = importiRiga(1, 1, 0, aliquota).totale;
        break;
    }

    db::Query riga(&c);
    apriPerInserire(riga, tr);
    riga.append();
    auto a = [&riga](const char *nome) { return riga.fieldByName(QLatin1String(nome)); };
    riga.fieldByName(tr.legame).setValue(idFattura);
    a("Data").setValue(f.data);
    // A credit note's transport row has no period.
    if (tipo == RigaSpeciale::SpeseTrasporto && righe == Righe::Fattura) a("DataInizioPeriodo").setValue(f.dataTrasporto);
    a("Descrizione").setAsString(descrizione);
    a("Storico").setValue(false);
    a("NumeroRiga").setValue(numeroRiga(c, tr, idFattura, o.vero(QStringLiteral("IncrementaNumeroRigaArticoli"))));
    a("ValoreUnitario").setAsFloat(prezzo);
    a("TotaleImponibile").setAsFloat(prezzo);
    a("Sconto").setAsFloat(0);
    a("AliquotaIva").setValue(o.valore(QStringLiteral("AliquotaIva")));
    a("Iva_ID").setValue(o.valore(QStringLiteral("Iva_Id")));
    a("Um").setAsFloat(1);
    a("ContabilitaConti_ID").setValue(o.valore(conto));
    a("TipoRiga").setAsString(tipoRiga);
    a("ValoreTotale").setAsFloat(totale);
    return posta(riga);
}

} // namespace

qint64 rigaSpeciale(db::Connection &c, Righe righe, qint64 idFattura, RigaSpeciale tipo)
{
    return db::inTransaction(c, [&] { return scriviRigaSpeciale(c, righe, idFattura, tipo); });
}

std::optional<UltimoPrezzo> ultimoPrezzo(db::Connection &c, qint64 idCliente, qint64 idFatturaEsclusa, qint64 idArticolo)
{
    db::Query q(&c);
    q.setSql(QStringLiteral(
        "SELECT TOP 1 fattdett.Sconto, fattdett.ValoreUnitario, fattura.Data, fattura.Num FROM fattdett INNER JOIN fattura "
        "ON fattdett.NumFatt = fattura.ID WHERE fattura.FattNota = false AND fattura.Carico = false "
        "AND fattura.Cliente_ID = :cliente AND fattura.ID <> :fattura AND fattdett.Articolo_ID = :articolo "
        "ORDER BY fattura.Data DESC, fattura.ID DESC"));
    q.bind(QStringLiteral(":cliente"), idCliente).bind(QStringLiteral(":fattura"), idFatturaEsclusa).bind(QStringLiteral(":articolo"), idArticolo);
    q.open();
    if (q.isEmpty()) return std::nullopt;
    UltimoPrezzo u;
    u.data = q.fieldByName(QStringLiteral("Data")).asDateTime();
    u.valoreUnitario = q.fieldByName(QStringLiteral("ValoreUnitario")).asFloat();
    u.sconto = q.fieldByName(QStringLiteral("Sconto")).asFloat();
    return u;
}

} // namespace vendite

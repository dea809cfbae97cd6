#include "Preventivi.h"

#include "common/LineArithmetic.h"
#include "common/Rounding.h"
#include "common/SqlText.h"
#include "core/Clock.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QStringList>

namespace vendite {

namespace {

const QString kFormatoData = QStringLiteral("dd/MM/yyyy");

bool conta(const QString &testo) { return !testo.trimmed().isEmpty() && testo.trimmed() != QLatin1String("*"); }

QVariant oggi() { return QDateTime(core::Clock::instance().today(), QTime(0, 0)); }

// The options the rows read (an empty row when the table has none: every value null).
class Opzioni {
public:
    explicit Opzioni(db::Connection &c) : m_q(&c)
    {
        m_q.setSql(QStringLiteral("select top 1 AliquotaIva, Iva_Id, IncrementaNumeroRigaArticoli from opzioni"));
        m_q.open();
    }
    QVariant valore(const QString &colonna) { return m_q.isEmpty() ? QVariant() : m_q.fieldByName(colonna).value(); }
    bool vero(const QString &colonna) { return valore(colonna).toInt() != 0; }

private:
    db::Query m_q;
};

int numeroRiga(db::Connection &c, qint64 idPreventivo, bool incrementa)
{
    if (!incrementa) return 1;
    return c.scalar(QStringLiteral("select count(*) from PreventiRighe where Prev_ID = :id"), {{QStringLiteral(":id"), idPreventivo}})
               .toInt()
           + 1;
}

void controllaPreventivo(db::Connection &c, qint64 id)
{
    if (c.scalar(QStringLiteral("select count(*) from PreventiTestata where ID = :id"), {{QStringLiteral(":id"), id}}).toInt() == 0)
        throw db::DbError(QStringLiteral("Il preventivo %1 non esiste più.").arg(id));
}

// An empty query on PreventiRighe, to insert rows through.
void apriPerInserire(db::Query &q)
{
    q.setSql(QStringLiteral("select * from PreventiRighe where Id = 0"));
    q.open();
}

qint64 posta(db::Query &q)
{
    if (!q.post()) throw db::DbError(q.lastError());
    return q.fieldByName(QStringLiteral("Id")).asLargeInt();
}

} // namespace

FiltroPreventivi filtroPreventivi(const CriteriPreventivi &k)
{
    FiltroPreventivi f;
    const auto data = [&f](const QString &testo, const char *casella, QDate &d) {
        const QString t = testo.trimmed();
        if (t.size() != 10) return false;
        d = QDate::fromString(t, kFormatoData);
        if (!d.isValid()) {
            f.errore = QStringLiteral("Attenzione data non valida: %1").arg(t);
            f.casella = QLatin1String(casella);
        }
        return true;
    };

    // Every box is checked before the filter is built, so a wrong box never half-filters.
    qint64 numero = 0;
    const bool conNumero = conta(k.numero);
    if (conNumero) {
        bool ok = false;
        numero = k.numero.trimmed().toLongLong(&ok);
        if (!ok) {
            f.errore = QStringLiteral("Attenzione numero non valido: %1").arg(k.numero.trimmed());
            f.casella = QStringLiteral("Edit2");
            return f;
        }
    }
    QDate da, a;
    const bool conDa = data(k.daData, "maskDaData", da);
    if (!f.valido()) return f;
    const bool conA = data(k.aData, "maskAData", a);
    if (!f.valido()) return f;

    QStringList condizioni;
    if (conNumero) condizioni << QStringLiteral("Numero = %1").arg(numero);
    // Dates in the filter language are day first.
    if (conDa) condizioni << QStringLiteral("Data >= #%1#").arg(da.toString(kFormatoData));
    // A row of the end day may carry a time: the bound is the next day's start.
    if (conA) condizioni << QStringLiteral("Data < #%1#").arg(a.addDays(1).toString(kFormatoData));
    if (conta(k.cliente))
        condizioni << QStringLiteral("Cliente like '") + common::RaddoppiaApici(k.cliente) + QStringLiteral("*'");
    if (conta(k.targa))
        condizioni << QStringLiteral("Targa1 like '") + common::RaddoppiaApici(k.targa) + QStringLiteral("*'");
    f.filtro = condizioni.join(QStringLiteral(" and "));
    return f;
}

qint64 prossimoNumeroPreventivo(db::Connection &c)
{
    // max() rather than the highest row first: a row without a number never counts.
    return c.scalar(QStringLiteral("select max(Numero) from PreventiTestata where Storico = false")).toLongLong() + 1;
}

PreventivoCreato nuovoPreventivo(db::Connection &c, const NuovoPreventivo &d)
{
    return db::inTransaction(c, [&] {
        // Another workstation numbering a quote now waits here until this one is stored.
        c.lockForNumbering(QStringLiteral("PreventiTestata"));
        PreventivoCreato creato;
        creato.numero = prossimoNumeroPreventivo(c);

        db::Query q(&c);
        q.setSql(QStringLiteral("select * from PreventiTestata where ID = 0"));
        q.open();
        q.insert();
        auto campo = [&q](const char *nome) { return q.fieldByName(QLatin1String(nome)); };
        campo("Numero").setValue(creato.numero);
        campo("Data").setValue(QDateTime(d.oggi, QTime(0, 0)));
        campo("Storico").setValue(false);
        if (d.valoriPredefiniti) d.valoriPredefiniti(q);
        if (d.sequestro > 0) {
            // After the defaults: the seizure's vehicle wins over them.
            db::Query s(&c);
            s.setSql(QStringLiteral("select AutoTarga, Data, DataDissequestro from Sequestri where Id = :id"));
            s.bind(QStringLiteral(":id"), d.sequestro);
            s.open();
            if (s.isEmpty()) throw db::DbError(QStringLiteral("Il sequestro %1 non esiste più.").arg(d.sequestro));
            campo("Targa1").setValue(s.fieldByName(QStringLiteral("AutoTarga")).value());
            campo("DataIngressoVeicolo").setValue(s.fieldByName(QStringLiteral("Data")).value());
            campo("DataUscitaVeicolo").setValue(s.fieldByName(QStringLiteral("DataDissequestro")).value());
        }
        if (!q.post()) throw db::DbError(q.lastError());
        creato.id = campo("ID").asLargeInt();
        creato.numero = campo("Numero").asLargeInt();
        if (d.sequestro > 0) {
            // The seizure shows which quote it has: the same label its own link writes.
            const QDateTime data = campo("Data").asDateTime();
            const QString etichetta =
                QString::number(creato.numero) + QStringLiteral(" - del ") + (data.isValid() ? data.toString(kFormatoData) : QString());
            c.execute(QStringLiteral("update Sequestri set Preventivo_Id = :preventivo, Preventivo_Descrizione = :etichetta where Id = :id"),
                      {{QStringLiteral(":preventivo"), creato.id},
                       {QStringLiteral(":etichetta"), etichetta},
                       {QStringLiteral(":id"), d.sequestro}});
        }
        return creato;
    });
}

EsitoEliminazionePreventivo eliminaPreventivo(db::Connection &c, qint64 id)
{
    EsitoEliminazionePreventivo e;
    const db::Params p = {{QStringLiteral(":id"), id}};
    return db::inTransaction(c, [&] {
        e.righe = c.execute(QStringLiteral("delete from PreventiRighe where Prev_ID = :id"), p);
        // No seizure keeps pointing at the quote, nor showing its label.
        e.sequestriLiberati = c.execute(
            QStringLiteral("update Sequestri set Preventivo_Id = NULL, Preventivo_Descrizione = NULL where Preventivo_Id = :id"), p);
        e.eliminato = c.execute(QStringLiteral("delete from PreventiTestata where ID = :id"), p) > 0;
        return e;
    });
}

int numeroNuovaRigaPreventivo(db::Connection &c, qint64 idPreventivo)
{
    Opzioni o(c);
    return numeroRiga(c, idPreventivo, o.vero(QStringLiteral("IncrementaNumeroRigaArticoli")));
}

QList<qint64> righeDaTariffePreventivo(db::Connection &c, const TestataPreventivo &testata, const QList<qint64> &tariffe)
{
    return db::inTransaction(c, [&] {
        controllaPreventivo(c, testata.id);
        Opzioni o(c);
        const bool incrementa = o.vero(QStringLiteral("IncrementaNumeroRigaArticoli"));
        const QVariant data = testata.data.isNull() ? oggi() : testata.data;

        // The customer's discount, read from the customer itself: a quote whose customer is not
        // stored yet, or a customer never quoted before, still gets it.
        QVariant scontoCliente;
        if (testata.cliente > 0)
            scontoCliente =
                c.scalar(QStringLiteral("select Sconto from Clienti where Id = :id"), {{QStringLiteral(":id"), testata.cliente}});

        db::Query tariffa(&c);
        tariffa.setSql(QStringLiteral("select * from prezziar where Id = :id"));
        db::Query riga(&c);
        apriPerInserire(riga);
        QList<qint64> scritte;
        for (const qint64 id : tariffe) {
            tariffa.close();
            tariffa.bind(QStringLiteral(":id"), id);
            tariffa.open();
            if (tariffa.isEmpty()) continue;
            auto da = [&tariffa](const char *nome) { return tariffa.fieldByName(QLatin1String(nome)); };
            riga.append();
            auto a = [&riga](const char *nome) { return riga.fieldByName(QLatin1String(nome)); };
            if (!da("Prezzo").isNull()) a("ValoreUnitario").setValue(da("Prezzo").value());
            if (!da("Um_Id").isNull()) a("Um_ID").setValue(da("Um_Id").value());
            if (!da("AliquotaIva").isNull()) a("AliquotaIva").setValue(da("AliquotaIva").value());
            if (!da("Iva_Id").isNull()) a("Iva_ID").setValue(da("Iva_Id").value());
            double sconto = da("Sconto").isNull() ? 0 : da("Sconto").asFloat();
            if (testata.cliente > 0 && !da("PrezzoImposto").asBoolean() && !scontoCliente.isNull()) sconto = scontoCliente.toDouble();
            a("Sconto").setAsFloat(sconto);
            a("Descrizione").setValue(da("Descrizione").value());
            if (!da("Codice").asString().isEmpty()) a("Codice").setValue(da("Codice").value());
            a("Articolo_ID").setValue(id);
            a("Storico").setValue(false);
            if (!da("Reparto").asString().isEmpty()) a("Reparto").setValue(da("Reparto").value());
            a("Data").setValue(data);
            a("Prev_ID").setValue(testata.id);
            a("Um").setAsFloat(1);
            a("NumeroRiga").setValue(numeroRiga(c, testata.id, incrementa));
            a("TipoRiga").setAsString(QStringLiteral("N"));
            // Net and gross from the same price, discount and rate: the customer's discount reaches
            // both (the tariff's own final price is before it).
            const double prezzo = a("ValoreUnitario").asFloat(), aliquota = a("AliquotaIva").asFloat();
            a("TotaleImponibile").setAsFloat(common::TotaleRigaNetto(true, 1, prezzo, sconto, 0, 0, 0));
            if (!da("PrezzoCompleto").isNull() || !da("Prezzo").isNull())
                a("ValoreTotale").setAsFloat(common::TotaleRigaIvato(true, 1, prezzo, aliquota, sconto, 0, 0, 0));
            scritte << posta(riga);
        }
        return scritte;
    });
}

qint64 rigaLiberaPreventivo(db::Connection &c, const TestataPreventivo &testata)
{
    return db::inTransaction(c, [&] {
        controllaPreventivo(c, testata.id);
        Opzioni o(c);
        const QVariant aliquota = o.valore(QStringLiteral("AliquotaIva"));
        db::Query riga(&c);
        apriPerInserire(riga);
        riga.append();
        auto a = [&riga](const char *nome) { return riga.fieldByName(QLatin1String(nome)); };
        a("Prev_ID").setValue(testata.id);
        a("Data").setValue(testata.data.isNull() ? oggi() : testata.data);
        a("Codice").setAsString(QStringLiteral("00000"));
        a("Descrizione").setAsString(QStringLiteral("Articolo da inserire"));
        a("Storico").setValue(false);
        a("ValoreUnitario").setAsFloat(1);
        a("TotaleImponibile").setAsFloat(1);
        a("AliquotaIva").setValue(aliquota);
        a("Iva_ID").setValue(o.valore(QStringLiteral("Iva_Id")));
        a("Um").setAsFloat(1);
        a("Sconto").setAsFloat(0);
        a("NumeroRiga").setValue(numeroRiga(c, testata.id, o.vero(QStringLiteral("IncrementaNumeroRigaArticoli"))));
        a("TipoRiga").setAsString(QStringLiteral("A"));
        // The gross follows the row's own rate, not a fixed 22%.
        a("ValoreTotale").setAsFloat(common::TotaleRigaIvato(true, 1, 1, aliquota.toDouble(), 0, 0, 0, 0));
        const qint64 id = posta(riga);
        return id;
    });
}

TotaliPreventivo calcolaTotaliPreventivo(db::Connection &c, qint64 id)
{
    return calcolaTotali(c, TabellaRighe{QStringLiteral("PreventiRighe"), QStringLiteral("Prev_ID"), QString()}, id);
}

} // namespace vendite

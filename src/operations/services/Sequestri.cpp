#include "Sequestri.h"

#include "common/SqlText.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QDate>
#include <QStringList>

namespace sequestri {

namespace {

const QString kFormatoData = QStringLiteral("dd/MM/yyyy");

bool conta(const QString &testo) { return !testo.isEmpty() && testo != QLatin1String("*"); }

QString prefisso(const QString &colonna, const QString &testo)
{
    return colonna + QStringLiteral(" like '") + common::RaddoppiaApici(testo) + QStringLiteral("*'");
}

QString dataBreve(const QVariant &v)
{
    const QDateTime d = v.toDateTime();
    return d.isValid() ? d.date().toString(kFormatoData) : v.toString();
}

} // namespace

QString testoNumero(const QVariant &v)
{
    if (v.isNull()) return QString();
    bool ok = false;
    const double n = v.toDouble(&ok);
    return ok ? QString::number(qint64(n)) : v.toString();
}

namespace {

// The first row of a select as a document: ID, number, date (and series).
std::optional<Documento> primo(db::Connection &c, const QString &sql, const db::Params &p, bool fattura)
{
    db::Query q(&c);
    q.setSql(sql);
    for (const db::Param &v : p) q.bind(v.name, v.value);
    q.open();
    if (q.isEmpty()) return std::nullopt;
    Documento d;
    d.id = q.field(0).asLargeInt();
    d.numero = q.field(1).value();
    d.data = q.field(2).value();
    if (fattura) {
        d.serie = q.field(3).asString();
        d.descrizione = descrizioneFattura(d.numero, d.serie, d.data);
    } else {
        d.descrizione = descrizionePreventivo(d.numero, d.data);
    }
    return d;
}

const QString kSelectPreventivo = QStringLiteral("SELECT TOP 1 ID, Numero, Data FROM PreventiTestata ");
const QString kSelectFattura = QStringLiteral("SELECT TOP 1 ID, Num, Data, SerieFatturazione FROM fattura ");
// Sales invoices only: no credit note, no purchase document.
const QString kSoloVendite = QStringLiteral(" FattNota = false AND Carico = false ");

} // namespace

Filtro filtroRegistro(const Ricerca &r)
{
    Filtro f;
    const auto data = [&f](const QString &testo, const char *casella, QDate &d) {
        const QString t = testo.trimmed();
        // Only a whole day/month/year counts; anything shorter is not a date yet.
        if (t.size() != 10) return false;
        d = QDate::fromString(t, kFormatoData);
        if (!d.isValid()) {
            f.errore = QStringLiteral("Attenzione data non valida: %1").arg(t);
            f.casella = QLatin1String(casella);
        }
        return true;
    };
    const auto numero = [&f](const QString &testo, const char *casella, qint64 &n) {
        if (!conta(testo)) return false;
        bool ok = false;
        n = testo.trimmed().toLongLong(&ok);
        if (!ok) {
            f.errore = QStringLiteral("Attenzione numero non valido: %1").arg(testo.trimmed());
            f.casella = QLatin1String(casella);
        }
        return true;
    };

    // Every box is checked before the filter is built, so a wrong box never half-filters.
    QDate da, a;
    qint64 daNumero = 0, aNumero = 0;
    const bool conDa = data(r.daData, "maskDaData", da);
    if (!f.valido()) return f;
    const bool conA = data(r.aData, "maskAData", a);
    if (!f.valido()) return f;
    const bool conDaNumero = numero(r.daNumero, "txtDaNumero", daNumero);
    if (!f.valido()) return f;
    const bool conANumero = numero(r.aNumero, "txtANumero", aNumero);
    if (!f.valido()) return f;

    QStringList c;
    // Dates in the filter language are day first.
    if (conDa) c << QStringLiteral("Data >= #%1#").arg(da.toString(kFormatoData));
    // A seizure of the last day may carry a time: the bound is the next day's start.
    if (conA) c << QStringLiteral("Data < #%1#").arg(a.addDays(1).toString(kFormatoData));
    if (conDaNumero) c << QStringLiteral("Numero >= %1").arg(daNumero);
    if (conANumero) c << QStringLiteral("Numero <= %1").arg(aNumero);
    if (conta(r.proprietario)) c << prefisso(QStringLiteral("Proprietario"), r.proprietario);
    if (r.dissequestrati == Dissequestrati::Si) c << QStringLiteral("DataDissequestro >= #%1#").arg(kRilasciatiDal);
    if (r.dissequestrati == Dissequestrati::No)
        c << QStringLiteral("(DataDissequestro = null or DataDissequestro < #%1#)").arg(kRilasciatiDal);
    if (conta(r.targa)) c << prefisso(QStringLiteral("AutoTarga"), r.targa);
    if (conta(r.modello)) c << prefisso(QStringLiteral("AutoModello"), r.modello);
    if (conta(r.tipo)) c << prefisso(QStringLiteral("TipoSequestro"), r.tipo);
    if (conta(r.note)) c << prefisso(QStringLiteral("Note"), r.note);
    if (conta(r.matricola)) c << prefisso(QStringLiteral("Matricola"), r.matricola);
    if (conta(r.ente)) c << prefisso(QStringLiteral("EnteSequestratore"), r.ente);
    f.filtro = c.join(QStringLiteral(" and "));
    return f;
}

qint64 prossimoNumero(db::Connection &c)
{
    const QVariant massimo = c.scalar(QStringLiteral("SELECT max(numero) as cont from Sequestri"));
    return massimo.isNull() ? 1 : massimo.toLongLong() + 1;
}

Eliminazione elimina(db::Connection &c, qint64 idSequestro)
{
    const db::Params p{{QStringLiteral(":id"), idSequestro}};
    return db::inTransaction(c, [&] {
        Eliminazione e;
        e.fattureLiberate = c.execute(QStringLiteral("UPDATE fattura SET Sequestro_ID = 0 WHERE Sequestro_ID = :id"), p);
        e.eliminato = c.execute(QStringLiteral("DELETE FROM Sequestri WHERE Id = :id"), p) > 0;
        return e;
    });
}

QString descrizionePreventivo(const QVariant &numero, const QVariant &data)
{
    return testoNumero(numero) + QStringLiteral(" - del ") + dataBreve(data);
}

QString descrizioneFattura(const QVariant &numero, const QString &serie, const QVariant &data)
{
    QString s = testoNumero(numero);
    if (!serie.isEmpty()) s += u'/' + serie;
    return s + QStringLiteral(" - del ") + dataBreve(data);
}

std::optional<Documento> preventivoDellaTarga(db::Connection &c, const QString &targa)
{
    return primo(c, kSelectPreventivo + QStringLiteral("WHERE Targa1 = :targa ORDER BY Data DESC, Numero DESC, ID DESC"),
                 {{QStringLiteral(":targa"), targa}}, false);
}

std::optional<Documento> fatturaDelSequestro(db::Connection &c, qint64 idSequestro)
{
    return primo(c, kSelectFattura + QStringLiteral("WHERE Sequestro_ID = :id AND") + kSoloVendite + QStringLiteral("ORDER BY Data, Num, ID"),
                 {{QStringLiteral(":id"), idSequestro}}, true);
}

std::optional<Documento> fatturaDellaTarga(db::Connection &c, qint64 idSequestro, const QString &targa)
{
    if (auto d = fatturaDelSequestro(c, idSequestro)) return d;
    return primo(c,
                 kSelectFattura + QStringLiteral("WHERE Targa = :targa AND") + kSoloVendite
                     + QStringLiteral("ORDER BY Data DESC, Num DESC, ID DESC"),
                 {{QStringLiteral(":targa"), targa}}, true);
}

std::optional<Documento> preventivo(db::Connection &c, qint64 id)
{
    return primo(c, kSelectPreventivo + QStringLiteral("WHERE ID = :id"), {{QStringLiteral(":id"), id}}, false);
}

std::optional<Documento> fattura(db::Connection &c, qint64 id)
{
    return primo(c, kSelectFattura + QStringLiteral("WHERE ID = :id"), {{QStringLiteral(":id"), id}}, true);
}

void collegaPreventivo(db::Connection &c, qint64 idSequestro, const Documento &d)
{
    c.execute(QStringLiteral("UPDATE Sequestri SET Preventivo_Id = :doc, Preventivo_Descrizione = :descr WHERE Id = :id"),
              {{QStringLiteral(":doc"), d.id}, {QStringLiteral(":descr"), d.descrizione}, {QStringLiteral(":id"), idSequestro}});
}

void collegaFattura(db::Connection &c, qint64 idSequestro, const Documento &d)
{
    c.execute(QStringLiteral("UPDATE Sequestri SET Fattura_Id = :doc, Fattura_Descrizione = :descr, Fatturato = true WHERE Id = :id"),
              {{QStringLiteral(":doc"), d.id}, {QStringLiteral(":descr"), d.descrizione}, {QStringLiteral(":id"), idSequestro}});
}

Abbinamento abbinaTarghe(db::Connection &c)
{
    return db::inTransaction(c, [&] {
        Abbinamento a;
        db::Query q(&c);
        q.setSql(QStringLiteral("SELECT Id, AutoTarga, Preventivo_Id, Fattura_Id FROM Sequestri "
                                "WHERE AutoTarga IS NOT NULL AND AutoTarga <> '' ORDER BY Id"));
        q.open();
        for (q.first(); !q.eof(); q.next()) {
            const qint64 id = q.field(0).asLargeInt();
            const QString targa = q.field(1).asString();
            if (targa.trimmed().isEmpty()) continue;
            if (q.field(2).asLargeInt() == 0)
                if (const auto d = preventivoDellaTarga(c, targa)) {
                    collegaPreventivo(c, id, *d);
                    ++a.preventivi;
                }
            if (q.field(3).asLargeInt() == 0)
                if (const auto d = fatturaDellaTarga(c, id, targa)) {
                    collegaFattura(c, id, *d);
                    ++a.fatture;
                }
        }
        return a;
    });
}

} // namespace sequestri

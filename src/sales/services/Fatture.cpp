#include "Fatture.h"
#include "Documenti.h"

#include "common/SqlText.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QDate>
#include <QSet>
#include <QStringList>

namespace vendite {

namespace {

const QString kFormatoData = QStringLiteral("dd/MM/yyyy");

bool haCifre(const QString &testo)
{
    for (const QChar c : testo)
        if (c.isDigit()) return true;
    return false;
}

// A box counts when it holds something other than "*"; a date box when it holds a digit
// (the empty mask shows only blanks and slashes).
bool conta(const QString &testo) { return !testo.trimmed().isEmpty() && testo.trimmed() != QLatin1String("*"); }

} // namespace

QList<qint64> fattureConOrdine(db::Connection &c, const QString &testo)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("Select Fattura_ID from OrdiniClienti where Numero like :testo"));
    q.bind(QStringLiteral(":testo"), QString(u'%' + testo + u'%'));
    q.open();
    QList<qint64> ids;
    QSet<qint64> visti;
    for (q.first(); !q.eof(); q.next()) {
        const qint64 id = q.field(0).asLargeInt();
        if (!visti.contains(id)) {
            visti.insert(id);
            ids << id;
        }
    }
    return ids;
}

FiltroFatture filtroRicerca(db::Connection &c, const CriteriFatture &k)
{
    FiltroFatture f;
    QStringList condizioni;
    const auto data = [&f](const QString &testo, const char *casella, QDate &d) {
        const QString t = testo.trimmed();
        if (!haCifre(t)) return false;
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

    // Every box is checked before anything is read, so a wrong box never half-filters.
    QDate da, a;
    qint64 daNumero = 0, aNumero = 0;
    const bool conDa = data(k.daData, "maskDaData", da);
    if (!f.valido()) return f;
    const bool conA = data(k.aData, "maskAData", a);
    if (!f.valido()) return f;
    const bool conDaNumero = numero(k.daNumero, "txtDaNumero", daNumero);
    if (!f.valido()) return f;
    const bool conANumero = numero(k.aNumero, "txtANumero", aNumero);
    if (!f.valido()) return f;

    // Dates in the filter language are day first.
    if (conDa) condizioni << QStringLiteral("Data >= #%1#").arg(da.toString(kFormatoData));
    // Rows of the end day may carry a time: the bound is the next day's start.
    if (conA) condizioni << QStringLiteral("Data < #%1#").arg(a.addDays(1).toString(kFormatoData));
    if (conDaNumero) condizioni << QStringLiteral("Num >= %1").arg(daNumero);
    if (conta(k.targa))
        condizioni << QStringLiteral("Targa like '") + common::RaddoppiaApici(k.targa) + QStringLiteral("*'");
    if (conta(k.ordine)) {
        const QList<qint64> ids = fattureConOrdine(c, k.ordine);
        if (ids.isEmpty()) {
            condizioni = {QStringLiteral("Id=0")};
        } else {
            QStringList uguali;
            for (qint64 id : ids) uguali << QStringLiteral("ID = %1").arg(id);
            condizioni << u'(' + uguali.join(QStringLiteral(" or ")) + u')';
        }
    }
    if (conANumero) condizioni << QStringLiteral("Num <= %1").arg(aNumero);
    if (k.cliente > 0) condizioni << QStringLiteral("Cliente_ID = %1").arg(k.cliente);
    if (conta(k.serie))
        condizioni << QStringLiteral("SerieFatturazione = '") + common::RaddoppiaApici(k.serie) + u'\'';
    if (k.banca > 0) condizioni << QStringLiteral("Banca_ID = %1").arg(k.banca);
    if (k.modPagamento > 0) condizioni << QStringLiteral("ModPagamento_Id = %1").arg(k.modPagamento);
    f.filtro = condizioni.join(QStringLiteral(" and "));
    return f;
}

std::optional<qint64> precedenteConDataSuccessiva(db::Connection &c, qint64 numero, const QDate &data, const QString &serie,
                                                  bool notaCredito)
{
    if (!data.isValid()) return std::nullopt;
    QString sql = QStringLiteral("select top 1 Num, Data from fattura where Data > #01/01/2000# and Carico = false and Num < :num "
                                 "and Data >= :inizio and Data < :fine");
    db::Params p = {{QStringLiteral(":num"), numero},
                    {QStringLiteral(":inizio"), QDate(data.year(), 1, 1)},
                    {QStringLiteral(":fine"), QDate(data.year() + 1, 1, 1)}};
    if (!serie.isEmpty() && c.scalar(QStringLiteral("select max(FatturazioneMultipla) from ditta")).toLongLong() != 0) {
        sql += QStringLiteral(" and SerieFatturazione = :serie");
        p.append({QStringLiteral(":serie"), serie});
    }
    if (c.scalar(QStringLiteral("select max(NumerazioneUnicaNoteCredito) from opzioni")).toLongLong() == 0)
        sql += notaCredito ? QStringLiteral(" and FattNota = true") : QStringLiteral(" and FattNota = false");
    sql += QStringLiteral(" order by Num desc");
    db::Query q(&c);
    q.setSql(sql);
    for (const auto &[nome, valore] : p) q.bind(nome, valore);
    q.open();
    if (q.isEmpty()) return std::nullopt;
    // The typed date is a day: a previous invoice of the same day is in order.
    if (q.fieldByName(QStringLiteral("Data")).asDateTime().date() > data) return q.fieldByName(QStringLiteral("Num")).asLargeInt();
    return std::nullopt;
}

EsitoEliminazione eliminaFattura(db::Connection &c, qint64 id)
{
    const db::Params p = {{QStringLiteral(":id"), id}};
    return db::inTransaction(c, [&] {
        EsitoEliminazione e;
        // A credit note keeps the number of the invoice it corrects and imports its rows: while
        // one names it the invoice stays (read in the same transaction as the delete, so a note
        // referring to it meanwhile cancels one of the two).
        db::Query note(&c);
        note.setSql(QStringLiteral("select Num, SerieFatturazione, Data from fattura where FattNota <> 0 and NCFattIDRif = :id and ID <> :id "
                                   "order by Data, Num"));
        note.bind(QStringLiteral(":id"), id);
        note.open();
        for (note.first(); !note.eof(); note.next()) {
            QString numero = note.fieldByName(QStringLiteral("Num")).asString();
            const QString serie = note.fieldByName(QStringLiteral("SerieFatturazione")).asString().trimmed();
            if (!serie.isEmpty()) numero += u'/' + serie;
            e.noteCredito << QStringLiteral("n. %1 del %2").arg(numero, note.fieldByName(QStringLiteral("Data")).asDateTime().toString(QStringLiteral("dd/MM/yyyy")));
        }
        if (!e.noteCredito.isEmpty()) return e;
        // The quotes imported into the invoice count as not invoiced again.
        e.preventiviLiberati = c.execute(QStringLiteral("update PreventiTestata set Fatturato = false where ID in "
                                                        "(select Preventivo_Id from FatturaPreventiviRighe where Fattura_ID = :id)"),
                                         p);
        e.sequestriLiberati = c.execute(QStringLiteral("update Sequestri set Fatturato = false, Fattura_Id = 0 where Fattura_Id = :id"), p);
        const EsitoEliminazioneDocumento d = eliminaDocumento(c, tipoDocumento(Righe::Fattura), id);
        e.ordini = d.dipendenti.value(0);
        e.collegamentiPreventivi = d.dipendenti.value(1);
        e.primaNota = d.primaNota;
        e.scadenze = d.scadenze;
        e.righe = d.righe;
        e.allegati = d.allegati;
        e.eliminata = d.eliminata;
        return e;
    });
}

QString messaggioNoteCollegate(const QStringList &noteCredito)
{
    return QStringLiteral("Impossibile eliminare la fattura: è richiamata dalle note di credito %1.\n"
                          "Eliminare prima le note di credito, oppure togliere da esse il riferimento alla fattura.")
        .arg(noteCredito.join(QStringLiteral(", ")));
}

} // namespace vendite

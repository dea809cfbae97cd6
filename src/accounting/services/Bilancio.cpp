#include "Bilancio.h"

#include "common/Decimale.h"
#include "common/LineArithmetic.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QDateTime>
#include <map>
#include <vector>

namespace contabilita {

using common::Decimale;

std::optional<PeriodoStampa> periodoStampa(const QString &dal, const QString &al)
{
    const QDate d = QDate::fromString(dal.trimmed(), QStringLiteral("dd/MM/yyyy"));
    const QDate a = QDate::fromString(al.trimmed(), QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid() || !a.isValid()) return std::nullopt;
    return PeriodoStampa{d, a, QStringLiteral("Dal %1 al %2").arg(d.toString(QStringLiteral("dd/MM/yyyy")), a.toString(QStringLiteral("dd/MM/yyyy")))};
}

namespace {

// Opens `sql` with the period's bounds bound to :dal and :al (the last day up to 23:59:59).
void apri(db::Query &q, const QString &sql, const PeriodoStampa &p)
{
    q.setSql(sql);
    q.bind(QStringLiteral(":dal"), QDateTime(p.dal, QTime(0, 0)));
    q.bind(QStringLiteral(":al"), QDateTime(p.al, QTime(23, 59, 59)));
    q.open();
}

Decimale nettoVendita(db::Query &q)
{
    return common::NettoRiga(Decimale::daVariant(q.fieldByName(QStringLiteral("Um")).value()),
                             Decimale::daVariant(q.fieldByName(QStringLiteral("ValoreUnitario")).value()),
                             Decimale::daVariant(q.fieldByName(QStringLiteral("Sconto")).value()));
}

const QString SqlAcquisti = QStringLiteral(
    "SELECT Movimenti.ContabilitaConti_ID, Movimenti.TotaleImponibile, Movimenti.Descrizione, fattura.DataRegistrazione, "
    "fattura.ProgressivoCarico, fattura.Data, fattura.NumeroCarico FROM Movimenti INNER JOIN fattura ON Movimenti.Fattura_ID = fattura.ID "
    "WHERE fattura.DataRegistrazione >= :dal AND fattura.DataRegistrazione <= :al AND fattura.Carico = true AND fattura.FattNota = false "
    "AND Movimenti.Scarico = false");
const QString SqlNoteFornitori = QStringLiteral(
    "SELECT NotaCreditoCaricoRighe.ContabilitaConti_ID, NotaCreditoCaricoRighe.TotaleImponibile, NotaCreditoCaricoRighe.Descrizione, "
    "fattura.DataRegistrazione, fattura.ProgressivoCarico, fattura.Data, fattura.NumeroCarico FROM NotaCreditoCaricoRighe INNER JOIN "
    "fattura ON NotaCreditoCaricoRighe.NotaCredito_ID = fattura.ID WHERE fattura.DataRegistrazione >= :dal AND "
    "fattura.DataRegistrazione <= :al AND fattura.Carico = true AND fattura.FattNota = true");
const QString SqlVendite = QStringLiteral(
    "SELECT fattdett.ContabilitaConti_ID, fattdett.Um, fattdett.ValoreUnitario, fattdett.Sconto, fattdett.Descrizione, fattura.Data, "
    "fattura.Num, fattura.SerieFatturazione FROM fattdett INNER JOIN fattura ON fattdett.NumFatt = fattura.ID WHERE fattura.Data >= :dal "
    "AND fattura.Data <= :al AND fattura.Carico = false AND fattura.FattNota = false");
const QString SqlNoteVendita = QStringLiteral(
    "SELECT NotaCreditoRighe.ContabilitaConti_ID, NotaCreditoRighe.Um, NotaCreditoRighe.ValoreUnitario, NotaCreditoRighe.Sconto, "
    "NotaCreditoRighe.Descrizione, fattura.Data, fattura.Num, fattura.SerieFatturazione FROM NotaCreditoRighe INNER JOIN fattura ON "
    "NotaCreditoRighe.NotaCredito_ID = fattura.ID WHERE fattura.Data >= :dal AND fattura.Data <= :al AND fattura.Carico = false AND "
    "fattura.FattNota = true");
// Cash-book incomes and expenses; %1 is the balance's "Corrispettivi = false AND " (receipts count
// there through their own step), empty for the statement, which lists receipts like any row.
const QString SqlEntrate = QStringLiteral(
    "SELECT ContabilitaConti_ID, Entrata, Data, Operazione FROM finanzia WHERE %1Entrata > 0 AND Data >= :dal AND Data <= :al "
    "ORDER BY Data, ID");
const QString SqlUscite = QStringLiteral(
    "SELECT ContabilitaConti_ID, Uscita, Data, Operazione FROM finanzia WHERE %1Uscita > 0 AND Data >= :dal AND Data <= :al "
    "ORDER BY Data, ID");
const QString SenzaCorrispettivi = QStringLiteral("Corrispettivi = false AND ");
const QString SqlEntrateConto = SqlEntrate.arg(QString());
const QString SqlUsciteConto = SqlUscite.arg(QString());

} // namespace

int calcolaBilancio(db::Connection &c, const QString &postazione, const PeriodoStampa &periodo)
{
    return db::inTransaction(c, [&] {
        c.execute(QStringLiteral("DELETE FROM TempBilancio WHERE NomeComputer = :pc"), {{QStringLiteral(":pc"), postazione}});

        // The chart's accounts in the order of the account list: class, grouping, account.
        std::vector<qint64> conti;
        {
            db::Query q(&c);
            q.setSql(QStringLiteral("SELECT ContabilitaConti.ID FROM ContabilitaConti LEFT JOIN (ContabilitaRaggruppamenti LEFT JOIN "
                                    "ContabilitaClassi ON ContabilitaRaggruppamenti.Classe_ID = ContabilitaClassi.Id) ON "
                                    "ContabilitaConti.Raggruppamento_ID = ContabilitaRaggruppamenti.Id ORDER BY ContabilitaClassi.Descrizione, "
                                    "ContabilitaRaggruppamenti.Descrizione, ContabilitaConti.Descrizione, ContabilitaConti.ID"));
            q.open();
            for (q.first(); !q.eof(); q.next()) conti.push_back(q.fieldByName(QStringLiteral("ID")).asLargeInt());
        }

        struct Riga {
            QVariant conto;
            Decimale totale; // to the cent
        };
        std::vector<Riga> righe;
        std::map<qint64, size_t> primaRiga; // the row a later step adds into

        // One source totalled per account: each row's amount with the step's sign; accounts are
        // then visited in the chart's order and merged into their first row, or given one.
        const auto passo = [&](const QString &sql, int segno, auto importo) {
            db::Query q(&c);
            apri(q, sql, periodo);
            std::map<qint64, Decimale> perConto;
            const db::Field conto = q.fieldByName(QStringLiteral("ContabilitaConti_ID"));
            for (q.first(); !q.eof(); q.next()) {
                if (conto.isNull()) continue;
                Decimale &t = perConto[conto.asLargeInt()];
                t += segno > 0 ? importo(q) : -importo(q);
            }
            for (qint64 id : conti) {
                const auto t = perConto.find(id);
                if (t == perConto.end()) continue;
                const auto r = primaRiga.find(id);
                if (r != primaRiga.end()) {
                    righe[r->second].totale = (righe[r->second].totale + t->second).centesimi();
                } else {
                    primaRiga[id] = righe.size();
                    righe.push_back(Riga{id, t->second.centesimi()});
                }
            }
        };
        const auto memorizzato = [](db::Query &q) { return Decimale::daVariant(q.fieldByName(QStringLiteral("TotaleImponibile")).value()); };
        passo(SqlAcquisti, -1, memorizzato);
        passo(SqlNoteFornitori, +1, memorizzato);
        passo(SqlVendite, +1, nettoVendita);
        passo(SqlNoteVendita, -1, nettoVendita);

        // Cash receipts: without their VAT, all on the default receipts account.
        {
            db::Query q(&c);
            apri(q, QStringLiteral("SELECT Entrata, Uscita, AliquotaIva FROM finanzia WHERE Corrispettivi = true AND Data >= :dal AND Data <= :al"),
                 periodo);
            if (!q.eof()) {
                Decimale totale;
                for (q.first(); !q.eof(); q.next()) {
                    const double importo = (Decimale::daVariant(q.fieldByName(QStringLiteral("Entrata")).value()) -
                                            Decimale::daVariant(q.fieldByName(QStringLiteral("Uscita")).value()))
                                               .toDouble();
                    const double aliquota = q.fieldByName(QStringLiteral("AliquotaIva")).asFloat();
                    totale += aliquota > 0 ? Decimale::daDouble(common::PrezzoUnitarioDaTotale(1, importo, aliquota, 0, 0, 0, 0)).arrotonda(4)
                                           : Decimale::daDouble(importo);
                }
                const QVariant conto =
                    c.scalar(QStringLiteral("SELECT conto_ID_Predefinito_su_Corrispettivi FROM opzioni ORDER BY 1"));
                if (!conto.isNull() && !primaRiga.count(conto.toLongLong())) primaRiga[conto.toLongLong()] = righe.size();
                righe.push_back(Riga{conto, totale.centesimi()});
            }
        }
        const auto importo = [](const char *colonna) {
            return [colonna](db::Query &q) { return Decimale::daVariant(q.fieldByName(QString::fromLatin1(colonna)).value()); };
        };
        passo(SqlEntrate.arg(SenzaCorrispettivi), +1, importo("Entrata"));
        passo(SqlUscite.arg(SenzaCorrispettivi), -1, importo("Uscita"));

        for (const Riga &r : righe)
            c.execute(QStringLiteral("INSERT INTO TempBilancio (ContabilitaConti_ID, TotaleImponibile, NomeComputer, DescrizioneData) "
                                     "VALUES (:conto, :totale, :pc, :etichetta)"),
                      {{QStringLiteral(":conto"), r.conto},
                       {QStringLiteral(":totale"), r.totale.toDouble()},
                       {QStringLiteral(":pc"), postazione},
                       {QStringLiteral(":etichetta"), periodo.etichetta}});
        return int(righe.size());
    });
}

int calcolaSituazioneConto(db::Connection &c, const QString &postazione, qint64 conto, const PeriodoStampa &periodo)
{
    struct Tipo {
        int codice;
        const char *descrizione;
        const QString *sql;
        bool carico;   // supplier documents: registration number and date
        bool taglia;   // the description cut to 250 characters
        const char *colonna; // stored amount; null: the sales line's net
    };
    static const Tipo tipi[] = {
        {3, "Fatture di Acquisto", &SqlAcquisti, true, false, "TotaleImponibile"},
        {4, "Note di Credito da Fornitore", &SqlNoteFornitori, true, true, "TotaleImponibile"},
        {1, "Fatture di Vendita", &SqlVendite, false, true, nullptr},
        {2, "Note di credito di Vendita", &SqlNoteVendita, false, true, nullptr},
        {5, "Prima Nota in Dare", &SqlEntrateConto, false, false, "Entrata"},
        {6, "Prima Nota in Avere", &SqlUsciteConto, false, false, "Uscita"},
    };
    return db::inTransaction(c, [&] {
        c.execute(QStringLiteral("DELETE FROM TempContabilitaConto WHERE NomeComputer = :pc"), {{QStringLiteral(":pc"), postazione}});
        int scritte = 0;
        for (const Tipo &t : tipi) {
            db::Query q(&c);
            // The source's own SQL limited to the account.
            QString sql = *t.sql;
            const QString conOrdine = QStringLiteral(" ORDER BY ");
            const int ordine = sql.indexOf(conOrdine);
            const QString condizione = QStringLiteral(" AND %1ContabilitaConti_ID = :conto")
                                           .arg(t.codice == 3   ? QStringLiteral("Movimenti.")
                                                : t.codice == 4 ? QStringLiteral("NotaCreditoCaricoRighe.")
                                                : t.codice == 1 ? QStringLiteral("fattdett.")
                                                : t.codice == 2 ? QStringLiteral("NotaCreditoRighe.")
                                                                : QString());
            if (ordine >= 0) sql.insert(ordine, condizione);
            else sql += condizione + (t.codice == 3 || t.codice == 4 ? QStringLiteral(" ORDER BY fattura.DataRegistrazione, fattura.ID")
                                                                      : QStringLiteral(" ORDER BY fattura.Data, fattura.ID"));
            q.setSql(sql);
            q.bind(QStringLiteral(":dal"), QDateTime(periodo.dal, QTime(0, 0)));
            q.bind(QStringLiteral(":al"), QDateTime(periodo.al, QTime(23, 59, 59)));
            q.bind(QStringLiteral(":conto"), conto);
            q.open();
            for (q.first(); !q.eof(); q.next()) {
                const bool documento = t.codice <= 4;
                QString descrizione = q.fieldByName(QString::fromLatin1(documento ? "Descrizione" : "Operazione")).asString();
                if (t.taglia) descrizione = descrizione.left(250);
                const double importo = t.colonna ? q.fieldByName(QString::fromLatin1(t.colonna)).asFloat() : nettoVendita(q).toDouble();
                QVariant numero, registrazione, progressivo, serie;
                if (documento && t.carico) {
                    numero = q.fieldByName(QStringLiteral("NumeroCarico")).asString();
                    registrazione = q.fieldByName(QStringLiteral("DataRegistrazione")).value();
                    progressivo = q.fieldByName(QStringLiteral("ProgressivoCarico")).value();
                } else if (documento) {
                    numero = QString::number(q.fieldByName(QStringLiteral("Num")).asLargeInt());
                    serie = q.fieldByName(QStringLiteral("SerieFatturazione")).value();
                }
                c.execute(QStringLiteral("INSERT INTO TempContabilitaConto (ContabilitaConti_ID, Tipologia, DescrizioneTipologia, "
                                         "TotaleImponibile, Descrizione, NumeroDocumento, DataDocumento, DataRegistrazione, ProgressivoCarico, "
                                         "SerieFatturazione, NomeComputer, DescrizioneData) VALUES (:conto, :tipo, :descrizioneTipo, :importo, "
                                         ":descrizione, :numero, :data, :registrazione, :progressivo, :serie, :pc, :etichetta)"),
                          {{QStringLiteral(":conto"), conto},
                           {QStringLiteral(":tipo"), t.codice},
                           {QStringLiteral(":descrizioneTipo"), QString::fromUtf8(t.descrizione)},
                           {QStringLiteral(":importo"), importo},
                           {QStringLiteral(":descrizione"), descrizione},
                           {QStringLiteral(":numero"), numero},
                           {QStringLiteral(":data"), q.fieldByName(QStringLiteral("Data")).value()},
                           {QStringLiteral(":registrazione"), registrazione},
                           {QStringLiteral(":progressivo"), progressivo},
                           {QStringLiteral(":serie"), serie},
                           {QStringLiteral(":pc"), postazione},
                           {QStringLiteral(":etichetta"), periodo.etichetta}});
                ++scritte;
            }
        }
        return scritte;
    });
}

} // namespace contabilita

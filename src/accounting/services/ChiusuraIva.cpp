#include "ChiusuraIva.h"

#include "common/Decimale.h"
#include "common/LineArithmetic.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"
#include "sales/services/Totali.h"

#include <QDateTime>
#include <map>
#include <unordered_map>
#include <vector>

namespace contabilita {

using common::Decimale;

const TabelleChiusura &tabelle(Periodicita p)
{
    static const TabelleChiusura trimestre{
        QStringLiteral("ContabilitaChiusuraIvaTrimestre"), QStringLiteral("ContabilitaChiusuraIvaTrimestreRighe"),
        QStringLiteral("ContabilitaChiusuraIvaTrimestreRigheNonSoggetta"), QStringLiteral("ContabilitaChiusuraIvaTrimestre_ID"),
        QStringLiteral("Trimestre"), QStringLiteral("CreditoResiduoTrimestrePassato")};
    static const TabelleChiusura mese{
        QStringLiteral("ContabilitaChiusuraIvaMensile"), QStringLiteral("ContabilitaChiusuraIvaMensileRighe"),
        QStringLiteral("ContabilitaChiusuraIvaMensileRigheNonSoggetta"), QStringLiteral("ContabilitaChiusuraIvaMensile_ID"),
        QStringLiteral("Mese"), QStringLiteral("CreditoResiduoMesePassato")};
    return p == Periodicita::Trimestrale ? trimestre : mese;
}

std::optional<Periodo> periodo(Periodicita p, int anno, int numero)
{
    if (anno < 1000 || anno > 9999) return std::nullopt;
    const int ultimo = p == Periodicita::Trimestrale ? 4 : 12;
    if (numero < 1 || numero > ultimo) return std::nullopt;
    const int primoMese = p == Periodicita::Trimestrale ? 3 * numero - 2 : numero;
    const int ultimoMese = p == Periodicita::Trimestrale ? 3 * numero : numero;
    const QDate inizio(anno, primoMese, 1);
    return Periodo{inizio, QDate(anno, ultimoMese, 1).addMonths(1).addDays(-1)};
}

std::pair<int, int> periodoPrecedente(Periodicita p, int anno, int numero)
{
    if (numero <= 1) return {anno - 1, p == Periodicita::Trimestrale ? 4 : 12};
    return {anno, numero - 1};
}

namespace {

QVariant da(const QDate &d) { return QDateTime(d, QTime(0, 0)); }
QVariant a(const QDate &d) { return QDateTime(d, QTime(23, 59, 59)); }

bool nonSoggetta(const QString &natura)
{
    const QString n = natura.trimmed().toUpper();
    return n == QLatin1String("N2.1") || n == QLatin1String("N2.2");
}

struct Somma {
    Decimale imponibile, imposta;
};
using PerAliquota = std::map<qint64, Somma>; // by Iva_ID

struct Aliquota {
    QString descrizione;
    QString natura;
    bool nonSoggetta = false;
};
using Aliquote = std::map<qint64, Aliquota>; // the VAT codes by id

// One source of document rows: their document, net, rate and VAT code. Each document's rows are
// summed by the documents' own VAT summary (the code's nature taken from `aliquote`), and its
// blocks added by VAT code.
PerAliquota riepilogoDocumenti(db::Connection &c, const QString &sql, const Periodo &per, bool nettoMemorizzato, const Aliquote &aliquote)
{
    db::Query q(&c);
    q.setSql(sql);
    q.bind(QStringLiteral(":dal"), da(per.inizio));
    q.bind(QStringLiteral(":al"), a(per.fine));
    q.open();
    std::unordered_map<qint64, vendite::Riepilogo> documenti;
    const db::Field doc = q.fieldByName(QStringLiteral("Documento")), aliquota = q.fieldByName(QStringLiteral("AliquotaIva")),
                    iva = q.fieldByName(QStringLiteral("Iva_ID"));
    const db::Field netto1 = q.fieldByName(nettoMemorizzato ? QStringLiteral("TotaleImponibile") : QStringLiteral("Um"));
    const db::Field prezzo = nettoMemorizzato ? netto1 : q.fieldByName(QStringLiteral("ValoreUnitario"));
    const db::Field sconto = nettoMemorizzato ? netto1 : q.fieldByName(QStringLiteral("Sconto"));
    const QString nessuna;
    for (q.first(); !q.eof(); q.next()) {
        Decimale netto;
        if (nettoMemorizzato) {
            netto = Decimale::daVariant(netto1.value());
        } else {
            const QVariant um = netto1.value();
            if (um.isNull()) continue; // a row without a quantity counts for nothing, as on the document
            netto = common::NettoRiga(Decimale::daVariant(um), Decimale::daVariant(prezzo.value()), Decimale::daVariant(sconto.value()));
        }
        const qint64 ivaId = iva.asLargeInt();
        const auto a = aliquote.find(ivaId);
        documenti[doc.asLargeInt()].aggiungi(Decimale::daVariant(aliquota.value()), a == aliquote.end() ? nessuna : a->second.natura, ivaId,
                                             netto);
    }
    PerAliquota somme;
    for (const auto &[id, riepilogo] : documenti)
        for (const vendite::RiepilogoIva &r : riepilogo.totali().riepilogo) {
            Somma &s = somme[r.ivaId];
            s.imponibile += Decimale::daDouble(r.imponibile);
            s.imposta += Decimale::daDouble(r.imposta);
        }
    return somme;
}

QString sqlRighe(const QString &tabella, const QString &legame, const QString &colonne, const QString &dataPeriodo,
                 const QString &condizione)
{
    return QStringLiteral("SELECT %1.%2 AS Documento, %3, %1.AliquotaIva, %1.Iva_ID FROM %1 INNER JOIN fattura ON %1.%2 = fattura.ID "
                          "WHERE fattura.%4 >= :dal AND fattura.%4 <= :al AND %5")
        .arg(tabella, legame, colonne, dataPeriodo, condizione);
}

// Cash receipts by VAT code: each row's amount (Entrata - Uscita) without its VAT at the row's
// rate, to 4 decimals, and that net's VAT to the cent; a row at a rate of 0 or less adds
// nothing but still gives its code a row.
PerAliquota corrispettivi(db::Connection &c, const Periodo &per)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("SELECT Entrata, Uscita, AliquotaIva, Iva_id FROM finanzia WHERE Corrispettivi = true AND Data >= :dal "
                            "AND Data <= :al"));
    q.bind(QStringLiteral(":dal"), da(per.inizio));
    q.bind(QStringLiteral(":al"), a(per.fine));
    q.open();
    PerAliquota somme;
    const db::Field entrata = q.fieldByName(QStringLiteral("Entrata")), uscita = q.fieldByName(QStringLiteral("Uscita")),
                    aliquota = q.fieldByName(QStringLiteral("AliquotaIva")), iva = q.fieldByName(QStringLiteral("Iva_id"));
    for (q.first(); !q.eof(); q.next()) {
        Somma &s = somme[iva.asLargeInt()];
        const Decimale rate = Decimale::daVariant(aliquota.value());
        if (rate.segno() <= 0) continue;
        const Decimale importo = Decimale::daVariant(entrata.value()) - Decimale::daVariant(uscita.value());
        const Decimale netto =
            Decimale::daDouble(common::PrezzoUnitarioDaTotale(1, importo.toDouble(), rate.toDouble(), 0, 0, 0, 0)).arrotonda(4);
        s.imponibile += netto;
        s.imposta += common::ImpostaSu(netto, rate).centesimi();
    }
    return somme;
}

PerAliquota differenza(PerAliquota fatture, const PerAliquota &note)
{
    for (const auto &[id, n] : note) {
        Somma &s = fatture[id];
        s.imponibile -= n.imponibile;
        s.imposta -= n.imposta;
    }
    return fatture;
}

} // namespace

double creditoRiportato(db::Connection &c, Periodicita p, int anno, int numero)
{
    const TabelleChiusura &t = tabelle(p);
    const auto [annoPrima, prima] = periodoPrecedente(p, anno, numero);
    db::Query q(&c);
    q.setSql(QStringLiteral("SELECT %1, TotaleIvaDebito, TotaleIvaCredito FROM %2 WHERE Anno = :anno AND %3 = :periodo ORDER BY Id")
                 .arg(t.credito, t.testata, t.periodo));
    q.bind(QStringLiteral(":anno"), annoPrima);
    q.bind(QStringLiteral(":periodo"), prima);
    q.open();
    if (q.eof()) return 0;
    const Decimale somma = Decimale::daVariant(q.fieldByName(t.credito).value()) +
                           Decimale::daVariant(q.fieldByName(QStringLiteral("TotaleIvaCredito")).value()) -
                           Decimale::daVariant(q.fieldByName(QStringLiteral("TotaleIvaDebito")).value());
    return somma.segno() > 0 ? somma.toDouble() : 0;
}

EsitoCalcolo calcolaChiusura(db::Connection &c, Periodicita p, qint64 id, int anno, int numero)
{
    if (anno < 1000 || anno > 9999) return EsitoCalcolo::AnnoNonValido;
    const std::optional<Periodo> per = periodo(p, anno, numero);
    if (!per) return EsitoCalcolo::PeriodoNonValido;
    const TabelleChiusura &t = tabelle(p);
    return db::inTransaction(c, [&] {
        if (c.scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE Id = :id").arg(t.testata), {{QStringLiteral(":id"), id}}).toInt() == 0)
            return EsitoCalcolo::NonTrovata;
        const double credito = creditoRiportato(c, p, anno, numero);

        Aliquote aliquote;
        {
            db::Query iva(&c);
            iva.setSql(QStringLiteral("SELECT ID, Descrizione, Pa_Natura_Codice FROM Iva"));
            iva.open();
            for (iva.first(); !iva.eof(); iva.next()) {
                const QString natura = iva.fieldByName(QStringLiteral("Pa_Natura_Codice")).asString();
                aliquote[iva.fieldByName(QStringLiteral("ID")).asLargeInt()] =
                    Aliquota{iva.fieldByName(QStringLiteral("Descrizione")).asString(), natura, nonSoggetta(natura)};
            }
        }

        const QString acquisto = QStringLiteral("fattura.Carico = true AND fattura.FattNota = %1");
        const QString vendita = QStringLiteral("fattura.Carico = false AND fattura.FattNota = %1 AND fattura.ScissionePagamenti = false");
        const QString quantita = QStringLiteral("%1.Um, %1.ValoreUnitario, %1.Sconto");
        const PerAliquota acquisti = differenza(
            riepilogoDocumenti(c,
                               sqlRighe(QStringLiteral("Movimenti"), QStringLiteral("Fattura_ID"), QStringLiteral("Movimenti.TotaleImponibile"),
                                        QStringLiteral("DataRegistrazione"),
                                        acquisto.arg(QStringLiteral("false")) + QStringLiteral(" AND Movimenti.Scarico = false")),
                               *per, true, aliquote),
            riepilogoDocumenti(c,
                               sqlRighe(QStringLiteral("NotaCreditoCaricoRighe"), QStringLiteral("NotaCredito_ID"),
                                        QStringLiteral("NotaCreditoCaricoRighe.TotaleImponibile"), QStringLiteral("DataRegistrazione"),
                                        acquisto.arg(QStringLiteral("true"))),
                               *per, true, aliquote));
        const PerAliquota vendite = differenza(
            riepilogoDocumenti(c,
                               sqlRighe(QStringLiteral("fattdett"), QStringLiteral("NumFatt"), quantita.arg(QStringLiteral("fattdett")),
                                        QStringLiteral("Data"), vendita.arg(QStringLiteral("false"))),
                               *per, false, aliquote),
            riepilogoDocumenti(c,
                               sqlRighe(QStringLiteral("NotaCreditoRighe"), QStringLiteral("NotaCredito_ID"),
                                        quantita.arg(QStringLiteral("NotaCreditoRighe")), QStringLiteral("Data"),
                                        vendita.arg(QStringLiteral("true"))),
                               *per, false, aliquote));
        const PerAliquota incassi = corrispettivi(c, *per);

        for (const QString &tabella : {t.righe, t.righeNonSoggette})
            c.execute(QStringLiteral("DELETE FROM %1 WHERE %2 = :id").arg(tabella, t.legame), {{QStringLiteral(":id"), id}});

        // Totals: [taxable purchases, sales, receipts], then the non-subject purchases and sales.
        Somma totali[3], totaliNonSoggetti[2];
        const auto scrivi = [&](const PerAliquota &somme, bool carico, bool incasso, int lato) {
            for (const auto &[ivaId, s] : somme) {
                const auto a = aliquote.find(ivaId);
                if (a == aliquote.end()) continue; // no such VAT code: it belongs to no rate
                if (a->second.nonSoggetta && incasso) continue;
                const Decimale imponibile = s.imponibile.centesimi(), imposta = s.imposta.centesimi();
                c.execute(QStringLiteral("INSERT INTO %1 (%2, Iva_ID, IvaDescrizione, Carico, Corrispettivi, TotaleIva, TotaleImponibile) "
                                         "VALUES (:id, :iva, :descrizione, :carico, :incasso, :imposta, :imponibile)")
                              .arg(a->second.nonSoggetta ? t.righeNonSoggette : t.righe, t.legame),
                          {{QStringLiteral(":id"), id},
                           {QStringLiteral(":iva"), ivaId},
                           {QStringLiteral(":descrizione"), a->second.descrizione},
                           {QStringLiteral(":carico"), carico},
                           {QStringLiteral(":incasso"), incasso},
                           {QStringLiteral(":imposta"), imposta.toDouble()},
                           {QStringLiteral(":imponibile"), imponibile.toDouble()}});
                Somma &tot = a->second.nonSoggetta ? totaliNonSoggetti[lato] : totali[lato];
                tot.imponibile += imponibile;
                tot.imposta += imposta;
            }
        };
        scrivi(acquisti, true, false, 0);
        scrivi(vendite, false, false, 1);
        scrivi(incassi, false, true, 2);

        QString descrizioneMese;
        if (p == Periodicita::Mensile)
            descrizioneMese = c.scalar(QStringLiteral("SELECT Mese FROM Mesi WHERE numero = :n ORDER BY Id"), {{QStringLiteral(":n"), numero}})
                                  .toString();
        c.execute(QStringLiteral("UPDATE %1 SET Anno = :anno, %2 = :periodo, %3 = :credito, AcquistiImponibile = :ai, AcquistiImposta = :aq, "
                                 "VenditaImponibile = :vi, VenditaImposta = :vq, CorrispettiviImponibile = :ci, CorrispettiviImposta = :cq, "
                                 "TotaleIvaDebito = :debito, TotaleIvaCredito = :credIva, AcquistiImponibileNonSoggetta = :ans, "
                                 "VenditaImponibileNonSoggetta = :vns, CorrispettiviImponibileNonSoggetta = 0%4 WHERE Id = :id")
                      .arg(t.testata, t.periodo, t.credito,
                           p == Periodicita::Mensile ? QStringLiteral(", DescrizioneMese = :mese") : QString()),
                  [&] {
                      db::Params v{{QStringLiteral(":anno"), anno},
                                   {QStringLiteral(":periodo"), numero},
                                   {QStringLiteral(":credito"), credito},
                                   {QStringLiteral(":ai"), totali[0].imponibile.toDouble()},
                                   {QStringLiteral(":aq"), totali[0].imposta.toDouble()},
                                   {QStringLiteral(":vi"), totali[1].imponibile.toDouble()},
                                   {QStringLiteral(":vq"), totali[1].imposta.toDouble()},
                                   {QStringLiteral(":ci"), totali[2].imponibile.toDouble()},
                                   {QStringLiteral(":cq"), totali[2].imposta.toDouble()},
                                   {QStringLiteral(":debito"), (totali[1].imposta + totali[2].imposta).toDouble()},
                                   {QStringLiteral(":credIva"), totali[0].imposta.toDouble()},
                                   {QStringLiteral(":ans"), totaliNonSoggetti[0].imponibile.toDouble()},
                                   {QStringLiteral(":vns"), totaliNonSoggetti[1].imponibile.toDouble()},
                                   {QStringLiteral(":id"), id}};
                      if (p == Periodicita::Mensile) v.append({QStringLiteral(":mese"), descrizioneMese});
                      return v;
                  }());
        return EsitoCalcolo::Fatto;
    });
}

qint64 nuovoPeriodo(db::Connection &c, Periodicita p, int annoCorrente)
{
    const TabelleChiusura &t = tabelle(p);
    return db::inTransaction(c, [&] {
        c.lockForNumbering(t.testata);
        int anno = annoCorrente, numero = 1;
        Decimale debito, credito;
        db::Query q(&c);
        q.setSql(QStringLiteral("SELECT Anno, %1, TotaleIvaDebito, TotaleIvaCredito FROM %2 ORDER BY Anno, %1, Id").arg(t.periodo, t.testata));
        q.open();
        if (!q.eof()) {
            q.last();
            const db::Field per = q.fieldByName(t.periodo);
            if (!per.isNull()) {
                anno = q.fieldByName(QStringLiteral("Anno")).asInteger();
                numero = per.asInteger();
                const Decimale d = Decimale::daVariant(q.fieldByName(QStringLiteral("TotaleIvaDebito")).value());
                const Decimale k = Decimale::daVariant(q.fieldByName(QStringLiteral("TotaleIvaCredito")).value());
                if (d.segno() > 0) debito = d;
                if (k.segno() > 0) credito = k;
                if (numero >= (p == Periodicita::Trimestrale ? 4 : 12)) {
                    ++anno;
                    numero = 1;
                } else {
                    ++numero;
                }
            }
        }
        const Decimale riporto = credito - debito;
        c.execute(QStringLiteral("INSERT INTO %1 (Anno, %2, %3) VALUES (:anno, :periodo, :credito)").arg(t.testata, t.periodo, t.credito),
                  {{QStringLiteral(":anno"), anno},
                   {QStringLiteral(":periodo"), numero},
                   {QStringLiteral(":credito"), riporto.segno() > 0 ? riporto.toDouble() : 0.0}});
        return c.lastInsertId();
    });
}

void eliminaChiusura(db::Connection &c, Periodicita p, qint64 id)
{
    const TabelleChiusura &t = tabelle(p);
    db::inTransaction(c, [&] {
        for (const QString &tabella : {t.righe, t.righeNonSoggette})
            c.execute(QStringLiteral("DELETE FROM %1 WHERE %2 = :id").arg(tabella, t.legame), {{QStringLiteral(":id"), id}});
        c.execute(QStringLiteral("DELETE FROM %1 WHERE Id = :id").arg(t.testata), {{QStringLiteral(":id"), id}});
    });
}

} // namespace contabilita

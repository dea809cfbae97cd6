#include "Scadenze.h"

#include "common/Dates.h"
#include "common/Decimale.h"
#include "common/Rounding.h"
#include "core/Clock.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/DateTimeText.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <vector>

namespace scadenze {

namespace {

// What differs between the four kinds of document: texts, letters, amount columns, fields.
struct Regole {
    bool vendita;
    QString tipoScadenza;   // FatturaScadenze.Tipo
    QString tipoDocumento;  // finanzia.Tipo of the document's row
    QString colonnaDocumento; // amount column of the document's row
    QString colonnaPagamento; // amount column of a payment row
    QString colonnaParte;   // Cliente_id or Fornitore_id, in the instalments and the cash book
    QString testoDocumento;
    QString testoRata;      // after the instalment number
    QString testoSemplificato;
    QString testoSenzaRate; // method without instalments: paid at issue
    QString primaDelNumero; // the number part of instalment texts: this + number + " "
};

const Regole &regole(Genere g)
{
    static const Regole fatturaVendita{true,
                                       QStringLiteral("F"),
                                       QStringLiteral("1"),
                                       QStringLiteral("Uscita"),
                                       QStringLiteral("Entrata"),
                                       QStringLiteral("Cliente_id"),
                                       QStringLiteral("Emessa fattura numero "),
                                       QStringLiteral("° Rata fattura "),
                                       QStringLiteral("fattura "),
                                       QStringLiteral("Fattura "),
                                       QStringLiteral(" numero ")};
    static const Regole notaVendita{true,
                                    QStringLiteral("N"),
                                    QStringLiteral("2"),
                                    QStringLiteral("Entrata"),
                                    QStringLiteral("Uscita"),
                                    QStringLiteral("Cliente_id"),
                                    QStringLiteral("Emessa Nota di credito numero "),
                                    QStringLiteral("° Rata Nota di credito "),
                                    QStringLiteral("Nota di credito "),
                                    QStringLiteral("Nota di credito "),
                                    QStringLiteral(" N° ")};
    static const Regole fatturaAcquisto{false,
                                        QStringLiteral("C"),
                                        QStringLiteral("3"),
                                        QStringLiteral("Entrata"),
                                        QStringLiteral("Uscita"),
                                        QStringLiteral("Fornitore_id"),
                                        QStringLiteral("fattura numero "),
                                        QStringLiteral("° Rata fattura di acquisto"),
                                        QStringLiteral("Pagamento effettuato fattura di acquisto"),
                                        QStringLiteral("Pagamento effettuato Fattura di acquisto"),
                                        QStringLiteral(" N° ")};
    static const Regole notaAcquisto{false,
                                     QStringLiteral("B"),
                                     QStringLiteral("4"),
                                     QStringLiteral("Uscita"),
                                     QStringLiteral("Entrata"),
                                     QStringLiteral("Fornitore_id"),
                                     QStringLiteral("Nota di credito numero "),
                                     QStringLiteral("° Rata Nota di credito Fornitore "),
                                     QStringLiteral("Pagamento ricevuto Nota di credito da Fornitore "),
                                     QStringLiteral("Nota di credito da Fornitore "),
                                     QStringLiteral(" N° ")};
    switch (g) {
    case Genere::FatturaVendita: return fatturaVendita;
    case Genere::NotaCreditoVendita: return notaVendita;
    case Genere::FatturaAcquisto: return fatturaAcquisto;
    case Genere::NotaCreditoAcquisto: break;
    }
    return notaAcquisto;
}

// What the schedule needs of the document's header row.
struct Documento {
    QString numero; // empty when the document has none
    QString serie;  // sales kinds only
    QDate data;
    QDate dataPrimaNota; // Data (sales) or DataRegistrazione (purchases)
    qint64 parte = 0;
    qint64 modPagamento = 0;
    qint64 banca = 0;
    qint64 totaleCentesimi = 0;
};

struct Metodo {
    int rate = 0; // n, kept within 0 .. 12 (only twelve day columns exist)
    int giorni[12] = {};
    bool fineMese = false;
    bool annoCommerciale = false;
    bool daFineMeseInizio = false;
};

struct Opzioni {
    bool duplicaInPrimaNota = false;
    bool descrizioneSemplificata = false;
};

// A stored instalment, as an update pairs it with an instalment number.
struct Rata {
    qint64 id = 0;
    QDate scadenza;
    int numero = 0;
    QDate pagamento;
    qint64 importo = 0; // cents
    bool pagata = false; // paid by the user (not the paid-at-issue instalment of a method without instalments)
};

QDate dataDi(const db::Field &f)
{
    if (f.isNull()) return {};
    return f.asDateTime().date();
}

QVariant dataOppureNull(const QDate &d) { return d.isValid() ? QVariant(d) : QVariant(); }

double euro(qint64 centesimi) { return double(centesimi) / 100; }

qint64 centesimi(double euro) { return common::Decimale::daDouble(euro).centesimiInteri(); }

// A text longer than 199 characters keeps its first 198; one of 199 stays whole.
QString taglia(const QString &testo) { return testo.size() > 199 ? testo.left(198) : testo; }

QString testoData(const QDate &d) { return d.toString(QStringLiteral("dd/MM/yyyy")); }

bool leggiDocumento(db::Connection &c, qint64 id, const Regole &r, Documento &d)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("select * from fattura where ID = :id"));
    q.bind(QStringLiteral(":id"), id);
    q.open();
    if (q.eof()) return false;
    if (r.vendita) {
        const db::Field num = q.fieldByName(QStringLiteral("Num"));
        if (!num.isNull()) d.numero = QString::number(num.asLargeInt());
        d.serie = q.fieldByName(QStringLiteral("SerieFatturazione")).asString();
        d.parte = q.fieldByName(QStringLiteral("Cliente_ID")).asLargeInt();
    } else {
        d.numero = q.fieldByName(QStringLiteral("NumeroCarico")).asString();
        d.parte = q.fieldByName(QStringLiteral("Fornitore_ID")).asLargeInt();
    }
    d.data = dataDi(q.fieldByName(QStringLiteral("Data")));
    d.dataPrimaNota = r.vendita ? d.data : dataDi(q.fieldByName(QStringLiteral("DataRegistrazione")));
    d.modPagamento = q.fieldByName(QStringLiteral("ModPagamento_Id")).asLargeInt();
    d.banca = q.fieldByName(QStringLiteral("Banca_ID")).asLargeInt();
    // Under split payment the customer pays the VAT to the tax authority: the instalments cover
    // the net total only. Purchase documents always use the whole total.
    const bool scissione = r.vendita && q.fieldByName(QStringLiteral("ScissionePagamenti")).asBoolean();
    d.totaleCentesimi =
        centesimi(q.fieldByName(scissione ? QStringLiteral("TotImponibile") : QStringLiteral("TotFattura")).asFloat());
    return true;
}

bool leggiMetodo(db::Connection &c, qint64 id, Metodo &m)
{
    if (id == 0) return false;
    db::Query q(&c);
    q.setSql(QStringLiteral("select * from ModPagamento where Id = :id"));
    q.bind(QStringLiteral(":id"), id);
    q.open();
    if (q.eof()) return false;
    m.rate = std::clamp(q.fieldByName(QStringLiteral("NumeroScadenze")).asInteger(), 0, 12);
    for (int i = 0; i < 12; ++i)
        m.giorni[i] = q.fieldByName(QStringLiteral("GG%1Scadenza").arg(i + 1)).asInteger();
    m.fineMese = q.fieldByName(QStringLiteral("FatturaFineMese")).asBoolean();
    m.annoCommerciale = q.fieldByName(QStringLiteral("AnnoCommerciale")).asBoolean();
    m.daFineMeseInizio = q.fieldByName(QStringLiteral("CalcolaScadenzeFineMeseInizio")).asBoolean();
    return true;
}

Opzioni leggiOpzioni(db::Connection &c)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("select DuplicaFatturazioneInPrimaNota, PrimaNotaDescrizioneSemplificata from opzioni"));
    q.open();
    Opzioni o;
    if (q.eof()) return o;
    o.duplicaInPrimaNota = q.fieldByName(QStringLiteral("DuplicaFatturazioneInPrimaNota")).asBoolean();
    o.descrizioneSemplificata = q.fieldByName(QStringLiteral("PrimaNotaDescrizioneSemplificata")).asBoolean();
    return o;
}

// A paid instalment the schedule made itself: a method without instalments marks its one
// instalment paid on its due date, which a rebuild makes again or rightly drops with the method.
bool pagataAllEmissione(const db::Field &rateMetodo, const QDate &scadenza, const QDate &pagamento)
{
    return !rateMetodo.isNull() && rateMetodo.asInteger() <= 0 && pagamento.isValid() && pagamento == scadenza;
}

// The stored instalments in the order the editor lists them: due date (none first), number, id.
std::vector<Rata> rateMemorizzate(db::Connection &c, qint64 idDocumento)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("select FatturaScadenze.Id, FatturaScadenze.DataScadenza, FatturaScadenze.Numero, "
                            "FatturaScadenze.DataPagamento, FatturaScadenze.Importo, FatturaScadenze.Pagato, "
                            "ModPagamento.NumeroScadenze from FatturaScadenze left join ModPagamento on "
                            "FatturaScadenze.ModPagamento_Id = ModPagamento.id where FatturaScadenze.Fattura_ID = :id"));
    q.bind(QStringLiteral(":id"), idDocumento);
    q.open();
    std::vector<Rata> rate;
    for (q.first(); !q.eof(); q.next()) {
        Rata r;
        r.id = q.fieldByName(QStringLiteral("Id")).asLargeInt();
        r.scadenza = dataDi(q.fieldByName(QStringLiteral("DataScadenza")));
        r.numero = q.fieldByName(QStringLiteral("Numero")).asInteger();
        r.pagamento = dataDi(q.fieldByName(QStringLiteral("DataPagamento")));
        r.importo = common::Decimale::daVariant(q.fieldByName(QStringLiteral("Importo")).value()).centesimiInteri();
        r.pagata = (q.fieldByName(QStringLiteral("Pagato")).asBoolean() || r.pagamento.isValid())
                   && !pagataAllEmissione(q.fieldByName(QStringLiteral("NumeroScadenze")), r.scadenza, r.pagamento);
        rate.push_back(r);
    }
    // Sorted here rather than in SQL: the engines place null dates at opposite ends.
    std::sort(rate.begin(), rate.end(), [](const Rata &a, const Rata &b) {
        if (a.scadenza.isValid() != b.scadenza.isValid()) return !a.scadenza.isValid();
        if (a.scadenza != b.scadenza) return a.scadenza < b.scadenza;
        if (a.numero != b.numero) return a.numero < b.numero;
        return a.id < b.id;
    });
    return rate;
}

// Which stored row (index into `rate`, -1 none) each instalment number 1 .. numeroRate updates:
// first the row that already carries the number (the first in due-date order), then, for the
// numbers left, the rows left in due-date order. Numbers still without a row get a new one;
// rows still without a number (added by hand beyond the method's count) are not touched.
std::vector<int> accoppia(const std::vector<Rata> &rate, int numeroRate)
{
    std::vector<int> coppie(size_t(numeroRate), -1);
    std::vector<bool> usata(rate.size(), false);
    for (size_t k = 0; k < rate.size(); ++k) {
        const int n = rate[k].numero;
        if (n >= 1 && n <= numeroRate && coppie[size_t(n) - 1] < 0) {
            coppie[size_t(n) - 1] = int(k);
            usata[k] = true;
        }
    }
    size_t libera = 0;
    for (int &coppia : coppie) {
        if (coppia >= 0) continue;
        while (libera < rate.size() && usata[libera]) ++libera;
        if (libera == rate.size()) break;
        coppia = int(libera);
        usata[libera] = true;
    }
    return coppie;
}

// The number, series and date parts that close every text; the number part differs.
QString coda(const Regole &r, const Documento &d, const QString &parteNumero)
{
    QString t;
    if (!d.numero.isEmpty()) t += parteNumero;
    if (r.vendita && !d.serie.isEmpty()) t += d.serie + QLatin1Char(' ');
    if (d.data.isValid()) t += QStringLiteral(" Data: ") + testoData(d.data) + QLatin1Char(' ');
    return t;
}

QString testoDocumento(const Regole &r, const Documento &d)
{
    return taglia(r.testoDocumento + coda(r, d, d.numero + QLatin1Char(' ')));
}

QString testoRata(const Regole &r, const Documento &d, const Metodo &m, const Opzioni &o, int i)
{
    QString t;
    if (m.rate == 0)
        t = r.testoSenzaRate;
    else if (o.descrizioneSemplificata)
        t = r.testoSemplificato;
    else
        t = QString::number(i) + r.testoRata;
    return taglia(t + coda(r, d, r.primaDelNumero + d.numero + QLatin1Char(' ')));
}

QDate scadenzaDelMetodo(const Metodo &m, const QDate &inizio, int i)
{
    if (m.rate == 0) return inizio;
    return db::parseDayFirst(common::CalcolaScadenza(testoData(inizio), m.giorni[i - 1], m.fineMese, m.annoCommerciale,
                                                     m.daFineMeseInizio))
        .date();
}

// Finds the cash-book row by its condition, or appends one; writes the columns the schedule
// owns (the other amount column of an existing row keeps its value). Returns its ID.
qint64 scriviPrimaNota(db::Connection &c, const QString &condizione, const db::Params &chiave, const Regole &r,
                       const QString &tipo, const QDate &data, const QString &operazione, const QString &colonnaImporto,
                       qint64 importoCentesimi, const Documento &d, qint64 idDocumento, qint64 idScadenza)
{
    const QVariant esistente =
        c.scalar(QStringLiteral("select min(ID) from finanzia where ") + condizione, chiave);
    db::Params valori{{QStringLiteral(":tipo"), tipo},
                      {QStringLiteral(":data"), dataOppureNull(data)},
                      {QStringLiteral(":operazione"), operazione},
                      {QStringLiteral(":importo"), euro(importoCentesimi)},
                      {QStringLiteral(":parte"), d.parte},
                      {QStringLiteral(":modpag"), d.modPagamento},
                      {QStringLiteral(":banca"), d.banca},
                      {QStringLiteral(":fattura"), idDocumento},
                      {QStringLiteral(":scadenza"), idScadenza}};
    if (!esistente.isNull()) {
        const qint64 id = esistente.toLongLong();
        valori.append({QStringLiteral(":id"), id});
        c.execute(QStringLiteral("update finanzia set Storico = 0, Corrispettivi = 0, Tipo = :tipo, Data = :data, "
                                 "Operazione = :operazione, %1 = :importo, %2 = :parte, ModPagamento_Id = :modpag, "
                                 "Banca_ID = :banca, Fattura_ID = :fattura, FatturaScadenze_Id = :scadenza where ID = :id")
                      .arg(colonnaImporto, r.colonnaParte),
                  valori);
        return id;
    }
    c.execute(QStringLiteral("insert into finanzia (Storico, Corrispettivi, Tipo, Data, Operazione, %1, %2, ModPagamento_Id, "
                             "Banca_ID, Fattura_ID, FatturaScadenze_Id) values (0, 0, :tipo, :data, :operazione, :importo, "
                             ":parte, :modpag, :banca, :fattura, :scadenza)")
                  .arg(colonnaImporto, r.colonnaParte),
              valori);
    return c.lastInsertId();
}

// Deletes the document's instalments with the cash-book rows of their payments; with
// `tuttaLaPrimaNota` every cash-book row of the document too. Counts into the result.
void eliminaRateEPagamenti(db::Connection &c, qint64 idDocumento, bool tuttaLaPrimaNota, Esito &e)
{
    const db::Params id{{QStringLiteral(":id"), idDocumento}};
    e.primaNotaEliminate += c.execute(
        QStringLiteral("delete from finanzia where FatturaScadenze_Id in (select Id from FatturaScadenze where Fattura_ID = :id)"),
        id);
    if (tuttaLaPrimaNota)
        e.primaNotaEliminate += c.execute(QStringLiteral("delete from finanzia where Fattura_ID = :id"), id);
    e.scadenzeEliminate += c.execute(QStringLiteral("delete from FatturaScadenze where Fattura_ID = :id"), id);
}

} // namespace

namespace {
QVariant parte(qint64 id, bool nulla) { return nulla && id == 0 ? QVariant() : QVariant(id); }
} // namespace

qint64 scriviRigaPagamento(db::Connection &c, const RigaPagamento &riga)
{
    const bool entrata = riga.tipo == QLatin1String("F") || riga.tipo == QLatin1String("B");
    const double importo = common::Arrotonda2Decimali(riga.importo);
    db::Params valori{{QStringLiteral(":tipo"), riga.tipo},
                      {QStringLiteral(":data"), dataOppureNull(riga.data)},
                      {QStringLiteral(":operazione"), taglia(riga.operazione)},
                      {QStringLiteral(":entrata"), entrata ? importo : 0.0},
                      {QStringLiteral(":uscita"), entrata ? 0.0 : importo},
                      {QStringLiteral(":cliente"), parte(riga.cliente, riga.partiNulle)},
                      {QStringLiteral(":fornitore"), parte(riga.fornitore, riga.partiNulle)},
                      {QStringLiteral(":modpag"), riga.modPagamento},
                      {QStringLiteral(":banca"), riga.banca},
                      {QStringLiteral(":fattura"), riga.idDocumento},
                      {QStringLiteral(":scadenza"), riga.idScadenza}};
    const QVariant esistente = c.scalar(QStringLiteral("select min(ID) from finanzia where FatturaScadenze_Id = :scadenza"),
                                        {{QStringLiteral(":scadenza"), riga.idScadenza}});
    qint64 id = 0;
    if (!esistente.isNull()) {
        id = esistente.toLongLong();
        valori.append({QStringLiteral(":id"), id});
        c.execute(QStringLiteral("update finanzia set Storico = 0, Corrispettivi = 0, Tipo = :tipo, Data = :data, "
                                 "Operazione = :operazione, Entrata = :entrata, Uscita = :uscita, Cliente_id = :cliente, "
                                 "Fornitore_id = :fornitore, ModPagamento_Id = :modpag, Banca_ID = :banca, "
                                 "Fattura_ID = :fattura, FatturaScadenze_Id = :scadenza where ID = :id"),
                  valori);
    } else {
        c.execute(QStringLiteral("insert into finanzia (Storico, Corrispettivi, Tipo, Data, Operazione, Entrata, Uscita, "
                                 "Cliente_id, Fornitore_id, ModPagamento_Id, Banca_ID, Fattura_ID, FatturaScadenze_Id) values "
                                 "(0, 0, :tipo, :data, :operazione, :entrata, :uscita, :cliente, :fornitore, :modpag, :banca, "
                                 ":fattura, :scadenza)"),
                  valori);
        id = c.lastInsertId();
    }
    c.execute(QStringLiteral("update FatturaScadenze set Finanzia_id = :riga where Id = :id"),
              {{QStringLiteral(":riga"), id}, {QStringLiteral(":id"), riga.idScadenza}});
    return id;
}

bool duplicaInPrimaNota(db::Connection &c) { return leggiOpzioni(c).duplicaInPrimaNota; }

Genere genereDocumento(bool carico, bool fattNota)
{
    if (carico) return fattNota ? Genere::NotaCreditoAcquisto : Genere::FatturaAcquisto;
    return fattNota ? Genere::NotaCreditoVendita : Genere::FatturaVendita;
}

QList<qint64> importiRate(double totale, int numero)
{
    const qint64 tot = centesimi(totale);
    const int n = std::max(numero, 1);
    // The total / n to the cent, halves away from zero, in whole cents: 2.01 in two is 1.01.
    qint64 rata = tot / n;
    const qint64 avanzo = tot % n;
    if (2 * std::abs(avanzo) >= n) rata += tot > 0 ? 1 : -1;
    // Rounding up must not leave the last instalment with the opposite sign (0.07 in twelve).
    const qint64 resto = tot - rata * (n - 1);
    if ((tot >= 0 && resto < 0) || (tot < 0 && resto > 0)) rata = tot / n;
    QList<qint64> importi(n, rata);
    importi.last() = tot - rata * (n - 1);
    return importi;
}

bool haScadenzePagate(db::Connection &c, qint64 idDocumento)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("select FatturaScadenze.DataScadenza, FatturaScadenze.DataPagamento, ModPagamento.NumeroScadenze "
                            "from FatturaScadenze left join ModPagamento on FatturaScadenze.ModPagamento_Id = ModPagamento.id "
                            "where FatturaScadenze.Fattura_ID = :id and (FatturaScadenze.Pagato <> 0 or "
                            "FatturaScadenze.DataPagamento is not null)"));
    q.bind(QStringLiteral(":id"), idDocumento);
    q.open();
    for (q.first(); !q.eof(); q.next()) {
        if (!pagataAllEmissione(q.fieldByName(QStringLiteral("NumeroScadenze")), dataDi(q.fieldByName(QStringLiteral("DataScadenza"))),
                                dataDi(q.fieldByName(QStringLiteral("DataPagamento")))))
            return true;
    }
    return false;
}

Esito generaScadenze(db::Connection &c, qint64 idDocumento, Genere genere, bool aggiorna, bool scartaPagamenti)
{
    if (idDocumento <= 0) return {};
    const Regole &r = regole(genere);
    return db::inTransaction(c, [&] {
        Esito e;
        Documento d;
        if (!leggiDocumento(c, idDocumento, r, d)) return e;
        const Opzioni o = leggiOpzioni(c);

        if (!aggiorna) {
            if (!scartaPagamenti && haScadenzePagate(c, idDocumento)) {
                e.pagateConservate = true;
                return e;
            }
            eliminaRateEPagamenti(c, idDocumento, o.duplicaInPrimaNota, e);
            // The document's own cash-book row went with the others: no link to a row that is gone
            // (a method still set writes it again below).
            if (o.duplicaInPrimaNota)
                c.execute(QStringLiteral("update fattura set Finanzia_id = 0 where ID = :id"), {{QStringLiteral(":id"), idDocumento}});
        }

        Metodo m;
        if (!leggiMetodo(c, d.modPagamento, m)) return e;

        const int numeroRate = std::max(m.rate, 1);
        const std::vector<Rata> memorizzate = aggiorna ? rateMemorizzate(c, idDocumento) : std::vector<Rata>();
        const std::vector<int> coppie = accoppia(memorizzate, numeroRate);
        // An update never touches a paid instalment: the total less what is paid is shared over
        // the instalments still open. When nothing is left to share on them, the schedule stays as
        // it is, for the user to settle.
        qint64 pagato = 0;
        int aperte = 0;
        for (const Rata &rata : memorizzate)
            if (rata.pagata) pagato += rata.importo;
        for (int coppia : coppie)
            if (coppia < 0 || !memorizzate[size_t(coppia)].pagata) ++aperte;
        const qint64 resto = d.totaleCentesimi - pagato;
        const auto segno = [](qint64 v) { return (v > 0) - (v < 0); };
        if (pagato != 0 && resto != 0 && (aperte == 0 || segno(resto) != segno(d.totaleCentesimi))) {
            e.pagateNonRipartibili = true;
            e.totaleCentesimi = d.totaleCentesimi;
            e.pagatoCentesimi = pagato;
            throw db::Annulla<Esito>{e};
        }

        if (o.duplicaInPrimaNota) {
            e.rigaDocumento =
                scriviPrimaNota(c, QStringLiteral("Tipo = :tipodoc and Fattura_ID = :iddoc"),
                                {{QStringLiteral(":tipodoc"), r.tipoDocumento}, {QStringLiteral(":iddoc"), idDocumento}}, r,
                                r.tipoDocumento, d.dataPrimaNota, testoDocumento(r, d), r.colonnaDocumento, d.totaleCentesimi,
                                d, idDocumento, 0);
            c.execute(QStringLiteral("update fattura set Finanzia_id = :riga where ID = :id"),
                      {{QStringLiteral(":riga"), e.rigaDocumento}, {QStringLiteral(":id"), idDocumento}});
        }

        const QList<qint64> importi = importiRate(euro(resto), std::max(aperte, 1));
        const QDate inizio = d.data.isValid() ? d.data : core::Clock::instance().today();

        int aperta = 0;
        for (int i = 1; i <= numeroRate; ++i) {
            if (coppie[size_t(i) - 1] >= 0 && memorizzate[size_t(coppie[size_t(i) - 1])].pagata) continue;
            const QString testo = testoRata(r, d, m, o, i);
            const qint64 importo = importi[aperta++];
            qint64 idRata = 0;
            QDate scadenza;
            if (coppie[size_t(i) - 1] >= 0) {
                const Rata &rata = memorizzate[size_t(coppie[size_t(i) - 1])];
                idRata = rata.id;
                // A row added by hand may have lost its due date: it takes the method's.
                scadenza = rata.scadenza.isValid() ? rata.scadenza : scadenzaDelMetodo(m, inizio, i);
                db::Params valori{{QStringLiteral(":scadenza"), scadenza},
                                  {QStringLiteral(":fattura"), idDocumento},
                                  {QStringLiteral(":parte"), d.parte},
                                  {QStringLiteral(":tipo"), r.tipoScadenza},
                                  {QStringLiteral(":importo"), euro(importo)},
                                  {QStringLiteral(":operazione"), testo},
                                  {QStringLiteral(":numero"), i},
                                  {QStringLiteral(":id"), idRata}};
                QString pagamento;
                if (m.rate == 0) {
                    // Paid at issue; a payment date already recorded stays.
                    pagamento = QStringLiteral(", Pagato = 1, DataPagamento = :pagamento");
                    valori.append({QStringLiteral(":pagamento"), rata.pagamento.isValid() ? rata.pagamento : scadenza});
                }
                c.execute(QStringLiteral("update FatturaScadenze set DataScadenza = :scadenza, Fattura_ID = :fattura, %1 = :parte, "
                                         "Numero = :numero, Tipo = :tipo, Importo = :importo, Operazione = :operazione%2 "
                                         "where Id = :id")
                              .arg(r.colonnaParte, pagamento),
                          valori);
                e.scadenzeAggiornate.append(idRata);
            } else {
                scadenza = scadenzaDelMetodo(m, inizio, i);
                const bool pagata = m.rate == 0;
                c.execute(QStringLiteral("insert into FatturaScadenze (Fattura_ID, %1, DataScadenza, Banca_ID, Numero, ModPagamento_Id, "
                                         "Tipo, Importo, Operazione, Pagato, DataPagamento) values (:fattura, :parte, :scadenza, "
                                         ":banca, :numero, :modpag, :tipo, :importo, :operazione, :pagato, :pagamento)")
                              .arg(r.colonnaParte),
                          {{QStringLiteral(":fattura"), idDocumento},
                           {QStringLiteral(":parte"), d.parte},
                           {QStringLiteral(":scadenza"), scadenza},
                           {QStringLiteral(":banca"), d.banca},
                           {QStringLiteral(":numero"), i},
                           {QStringLiteral(":modpag"), d.modPagamento},
                           {QStringLiteral(":tipo"), r.tipoScadenza},
                           {QStringLiteral(":importo"), euro(importo)},
                           {QStringLiteral(":operazione"), testo},
                           {QStringLiteral(":pagato"), pagata},
                           {QStringLiteral(":pagamento"), pagata ? QVariant(scadenza) : QVariant()}});
                idRata = c.lastInsertId();
                e.scadenzeInserite.append(idRata);
            }

            if (m.rate == 0 && o.duplicaInPrimaNota) {
                RigaPagamento riga;
                riga.idScadenza = idRata;
                riga.idDocumento = idDocumento;
                riga.tipo = r.tipoScadenza;
                riga.data = d.dataPrimaNota;
                riga.operazione = testo;
                riga.importo = euro(importo);
                (r.vendita ? riga.cliente : riga.fornitore) = d.parte;
                riga.modPagamento = d.modPagamento;
                riga.banca = d.banca;
                e.righePagamento.append(scriviRigaPagamento(c, riga));
            }
        }
        e.eseguito = true;
        return e;
    });
}

QString avvisoScadenzeNonAggiornate(const Esito &e)
{
    if (!e.pagateNonRipartibili) return {};
    const auto importo = [](qint64 cent) { return common::Decimale::daScala(cent, 2).testo(2).replace(QLatin1Char('.'), QLatin1Char(',')); };
    return QStringLiteral("Le scadenze già pagate ammontano a %1 e il totale del documento è ora %2: le scadenze pagate non "
                          "vengono modificate e non resta un importo da ripartire sulle altre. Le scadenze non sono state "
                          "aggiornate: correggile a mano.")
        .arg(importo(e.pagatoCentesimi), importo(e.totaleCentesimi));
}

Esito eliminaScadenze(db::Connection &c, qint64 idDocumento, bool scartaPagamenti)
{
    if (idDocumento <= 0) return {};
    return db::inTransaction(c, [&] {
        Esito e;
        if (!scartaPagamenti && haScadenzePagate(c, idDocumento)) {
            e.pagateConservate = true;
            return e;
        }
        eliminaRateEPagamenti(c, idDocumento, false, e);
        e.eseguito = true;
        return e;
    });
}

} // namespace scadenze

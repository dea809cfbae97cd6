// The booking of a supplier's FatturaPA file: supplier, addressee, duplicates, documents.
#include "RegistrazioneFatturaPA.h"

#include "common/Decimale.h"
#include "common/LineArithmetic.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"
#include "purchases/services/Numerazione.h"
#include "sales/services/Totali.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPair>
#include <vector>

namespace importazione_fatturapa {

using common::Decimale;

namespace {

using Colonne = QList<QPair<QString, QVariant>>;

// One new row with every value bound; its new key.
qint64 inserisci(db::Connection &c, const QString &tabella, const Colonne &colonne)
{
    QStringList nomi, segnaposto;
    db::Params p;
    for (int i = 0; i < colonne.size(); ++i) {
        nomi << colonne[i].first;
        segnaposto << QStringLiteral(":v%1").arg(i);
        p << db::Param{segnaposto.last(), colonne[i].second};
    }
    c.execute(QStringLiteral("insert into %1 (%2) values (%3)").arg(tabella, nomi.join(u','), segnaposto.join(u',')), p);
    return c.lastInsertId();
}

QVariant testoONull(const QString &t) { return t.isEmpty() ? QVariant() : QVariant(t); }

struct Opzioni {
    bool aggiorna = false;
    qint64 pagamentoPredefinito = 0;
    bool numerazioneUnica = false;
    qint64 contoFatture = 0;
    qint64 contoNote = 0;
};

Opzioni leggiOpzioni(db::Connection &c)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("select AggiornaAutomaticamenteInformazioniDaXml, Carico_ModPagamento_Id, NumerazioneUnicaNoteCredito, "
                            "conto_ID_Predefinito_su_FattureAcquisto_Generale, conto_ID_Predefinito_su_NoteCreditoAcquisto_Generale "
                            "from opzioni order by id"));
    q.open();
    Opzioni o;
    if (q.eof()) return o;
    o.aggiorna = q.field(0).asBoolean();
    o.pagamentoPredefinito = q.field(1).asLargeInt();
    o.numerazioneUnica = q.field(2).asBoolean();
    o.contoFatture = q.field(3).asLargeInt();
    o.contoNote = q.field(4).asLargeInt();
    return o;
}

QString nomeFornitore(const Soggetto &s)
{
    if (!s.denominazione.isEmpty()) return s.denominazione;
    return QString(s.cognome + u' ' + s.nome).trimmed();
}

// ---- The calls a purchase document is written through: numbering, VAT codes, rows, payment
// method, instalments, totals. Each is small and on its own so that the purchases' own
// services can take its place.

// The next registration progressive of the purchases' own numbering, taken under the numbering
// lock, so two workstations never get the same one.
qint64 prossimoProgressivoCarico(db::Connection &c, bool notaCredito, const QDate &oggi)
{
    c.lockForNumbering(QStringLiteral("fattura"));
    return acquisti::prossimoProgressivo(c, notaCredito, oggi);
}

const QHash<QString, QString> &descrizioniNature()
{
    static const QHash<QString, QString> d = {
        {"N1", "escluse ex art. 15"},
        {"N2.1", "non soggette ad IVA ai sensi degli artt. da 7 a 7-septies del DPR 633/72"},
        {"N2.2", "non soggette - altri casi"},
        {"N3.1", "non imponibili - esportazioni"},
        {"N3.2", "non imponibili - cessioni intracomunitarie"},
        {"N3.3", "non imponibili - cessioni verso San Marino"},
        {"N3.4", "non imponibili - operazioni assimilate alle cessioni all'esportazione"},
        {"N3.5", "non imponibili - a seguito di dichiarazioni d'intento"},
        {"N3.6", "non imponibili - altre operazioni che non concorrono alla formazione del plafond"},
        {"N4", "esenti"},
        {"N5", "regime del margine / IVA non esposta in fattura"},
        {"N6.1", "inversione contabile - cessione di rottami e altri materiali di recupero"},
        {"N6.2", "inversione contabile - cessione di oro e argento puro"},
        {"N6.3", "inversione contabile - subappalto nel settore edile"},
        {"N6.4", "inversione contabile - cessione di fabbricati"},
        {"N6.5", "inversione contabile - cessione di telefoni cellulari"},
        {"N6.6", "inversione contabile - cessione di prodotti elettronici"},
        {"N6.7", "inversione contabile - prestazioni comparto edile e settori connessi"},
        {"N6.8", "inversione contabile - operazioni settore energetico"},
        {"N6.9", "inversione contabile - altri casi"},
        {"N7", "IVA assolta in altro stato UE (vendite a distanza ex art. 40 c. 3 e 4 e art. 41 c. 1 lett. b,  DL 331/93; "
               "prestazione di servizi di telecomunicazioni, tele-radiodiffusione ed elettronici ex art. 7-sexies lett. f, g, "
               "art. 74-sexies DPR 633/72)"},
    };
    return d;
}

// The VAT code of a rate (and, at 0, of a nature): the first by description; created when
// missing and the options allow it. 0 when none.
qint64 codiceIva(db::Connection &c, const Decimale &aliquota, const QString &natura, bool crea)
{
    const bool zero = aliquota.isZero();
    db::Params p{{QStringLiteral(":a"), aliquota.toDouble()}};
    QString sql = QStringLiteral("select Id from Iva where Iva = :a");
    if (zero) {
        sql += QStringLiteral(" and upper(Pa_Natura_Codice) = :n");
        p << db::Param{QStringLiteral(":n"), natura.toUpper()};
    }
    const QVariant trovato = c.scalar(sql + QStringLiteral(" order by Descrizione, Id"), p);
    if (trovato.isValid() && !trovato.isNull()) return trovato.toLongLong();
    if (!crea) return 0;
    Colonne col{{"Iva", aliquota.toDouble()}, {"NumeroRepartoFiscale", 1}, {"ImportatoXml", true}};
    if (zero) {
        col << qMakePair(QStringLiteral("Pa_Natura_Codice"), QVariant(natura));
        const QString d = descrizioniNature().value(natura.toUpper(), QStringLiteral("Natura ") + natura);
        col << qMakePair(QStringLiteral("Descrizione"), QVariant(d.left(250)));
    } else {
        col << qMakePair(QStringLiteral("Descrizione"), QVariant(aliquota.testoEsatto().replace(u'.', u',') + QStringLiteral(" %")));
    }
    return inserisci(c, QStringLiteral("Iva"), col);
}

// One booked row of a line: in Movimenti for an invoice, NotaCreditoCaricoRighe for a note.
void scriviRiga(db::Connection &c, qint64 idDocumento, bool notaCredito, const Linea &l, qint64 ivaId, qint64 conto,
                const QDate &oggi)
{
    // The row's total with VAT: its net plus the VAT at its rate, to the cent.
    const Decimale ivato = (l.prezzoTotale + common::ImpostaSu(l.prezzoTotale, l.aliquotaIva)).centesimi();
    Colonne col{{"Articolo_Id", 0},
                {"Um", l.quantitaRiga.toDouble()},
                {"Data", oggi},
                {"Storico", false},
                {"Descrizione", testoONull(l.descrizione.left(100))},
                {"ValoreUnitario", l.prezzoRiga.toDouble()},
                {"Codice", testoONull(l.codiceValore)},
                {"Sconto", l.sconti[0].toDouble()},
                {"Sconto2", l.sconti[1].toDouble()},
                {"Sconto3", l.sconti[2].toDouble()},
                {"Sconto4", l.sconti[3].toDouble()},
                {"AliquotaIva", l.aliquotaIva.toDouble()},
                {"TotaleImponibile", l.prezzoTotale.toDouble()},
                {notaCredito ? "ValoreTotale" : "PrezzoCompleto", ivato.toDouble()},
                {notaCredito ? "NotaCredito_ID" : "Fattura_ID", idDocumento},
                {"Iva_ID", ivaId},
                {"ContabilitaConti_ID", conto},
                {"NumeroRiga", l.numeroLinea.value_or(0)},
                {"ImportatoXml", true}};
    inserisci(c, notaCredito ? QStringLiteral("NotaCreditoCaricoRighe") : QStringLiteral("Movimenti"), col);
}

// The payment method of the file's first DatiPagamento: for each mode the program knows, the
// method with that code and as many instalments as the file gives (or none, unless the file
// pays in instalments); the last mode matched wins. 0 when none matches.
qint64 modalitaDaFile(db::Connection &c, const DatiPagamento &p, QHash<QString, qint64> *perModalita)
{
    qint64 scelta = 0;
    QStringList modi;
    for (const auto &d : p.dettagli)
        if (!modi.contains(d.modalita)) modi << d.modalita;
    for (const QString &modo : modi) {
        int n = 0;
        for (const auto &d : p.dettagli) n += d.modalita == modo;
        QString sql = QStringLiteral("select id from ModPagamento where (NumeroScadenze = :n");
        if (p.condizioni != QLatin1String("TP01")) sql += QStringLiteral(" or NumeroScadenze = 0");
        sql += QStringLiteral(") and PA_ModalitaPagamento_Codice = :m order by id");
        const QVariant id = c.scalar(sql, {{QStringLiteral(":n"), n}, {QStringLiteral(":m"), modo}});
        if (id.isValid() && !id.isNull() && id.toLongLong() > 0) {
            scelta = id.toLongLong();
            perModalita->insert(modo, scelta);
        }
    }
    return scelta;
}

// The instalments of a document created now, in the file's order: 'C' of an invoice, 'B' of a
// note. A detail without its due date falls due on its reference date plus its days, else on
// the document's date.
void scriviScadenze(db::Connection &c, qint64 idDocumento, bool notaCredito, qint64 idFornitore, const DatiPagamento &p,
                    const QHash<QString, qint64> &perModalita, qint64 modalitaRestanti, const QDate &dataDocumento)
{
    int numero = c.scalar(QStringLiteral("select count(*) from FatturaScadenze where Fattura_ID = :f"), {{QStringLiteral(":f"), idDocumento}})
                     .toInt();
    for (const auto &d : p.dettagli) {
        QDate scadenza = d.scadenza;
        if (!scadenza.isValid() && d.dataRiferimento.isValid()) scadenza = d.dataRiferimento.addDays(d.giorni.value_or(0));
        if (!scadenza.isValid()) scadenza = dataDocumento;
        inserisci(c, QStringLiteral("FatturaScadenze"),
                  {{"Numero", ++numero},
                   {"Fattura_ID", idDocumento},
                   {"Tipo", notaCredito ? QStringLiteral("B") : QStringLiteral("C")},
                   {"Pagato", false},
                   {"DataScadenza", scadenza.isValid() ? QVariant(scadenza) : QVariant()},
                   {"ModPagamento_Id", perModalita.value(d.modalita, modalitaRestanti)},
                   {"Importo", d.importo.value_or(Decimale()).toDouble()},
                   {"Dettagli", testoONull(d.codicePagamento)},
                   {"Fornitore_id", idFornitore}});
    }
}

// The document's totals from its booked rows, by the one VAT summary rule of every document
// (per rate and nature, each block's VAT rounded once) fed with the rows' stored nets: the
// supplier's line totals, which may carry discounts given as amounts.
void scriviTotali(db::Connection &c, qint64 idDocumento, bool notaCredito)
{
    const QString tabella = notaCredito ? QStringLiteral("NotaCreditoCaricoRighe") : QStringLiteral("Movimenti");
    const QString legame = notaCredito ? QStringLiteral("NotaCredito_ID") : QStringLiteral("Fattura_ID");
    db::Query q(&c);
    q.setSql(QStringLiteral("select r.TotaleImponibile, r.AliquotaIva, Iva.Pa_Natura_Codice, r.Iva_ID from %1 r "
                            "left join Iva on Iva.Id = r.Iva_ID where r.%2 = :id")
                 .arg(tabella, legame));
    q.bind(QStringLiteral(":id"), idDocumento);
    q.open();
    vendite::Riepilogo riepilogo;
    for (q.first(); !q.eof(); q.next())
        riepilogo.aggiungi(Decimale::daVariant(q.field(1).value()), q.field(2).asString(), q.field(3).asLargeInt(),
                           Decimale::daVariant(q.field(0).value()));
    const vendite::Totali t = riepilogo.totali();
    c.execute(QStringLiteral("update fattura set TotImponibile = :i, TotImposta = :v, TotFattura = :t where ID = :id"),
              {{QStringLiteral(":i"), t.imponibile},
               {QStringLiteral(":v"), t.imposta},
               {QStringLiteral(":t"), t.totale},
               {QStringLiteral(":id"), idDocumento}});
}

// One body booked: found again (only its missing imported rows added) or created whole.
void registraCorpo(db::Connection &c, const Corpo &b, const FornitoreTrovato &f, const QString &nome, const Opzioni &o,
                   Risultato &r)
{
    const bool nota = b.genere == Genere::NotaCreditoAcquisto;
    const QDate oggi = c.now().date();
    qint64 id = documentoGiaImportato(c, f.id, b.genere, b.numero, b.data);
    const bool giaPresente = id > 0;
    qint64 pagamentoFornitore = f.pagamentoId;
    if (!giaPresente) {
        Colonne col;
        if (nota && !b.fattureCollegate.isEmpty()) {
            // The invoice this note corrects, when it was booked: same supplier, date and number.
            const FatturaCollegata &fc = b.fattureCollegate.first();
            db::Query q(&c);
            q.setSql(QStringLiteral("select ID, Num, NumeroCarico from fattura where Carico = true and FattNota = false and Fornitore_ID = :f "
                                    "and NumeroCarico = :n and Data = :d order by ID"));
            q.bind(QStringLiteral(":f"), f.id).bind(QStringLiteral(":n"), fc.idDocumento).bind(QStringLiteral(":d"), fc.data);
            q.open();
            if (fc.data.isValid()) col << qMakePair(QStringLiteral("NCFattDataRif"), QVariant(fc.data));
            if (!q.eof()) {
                col << qMakePair(QStringLiteral("NCFattNumRif"), QVariant(q.field(1).asLargeInt()));
                col << qMakePair(QStringLiteral("NCFattIDRif"), QVariant(q.field(0).asLargeInt()));
            }
            col << qMakePair(QStringLiteral("NCFattNumRifCarico"), testoONull(fc.idDocumento));
        }
        if (f.id == 0) pagamentoFornitore = 0;
        col << qMakePair(QStringLiteral("Fornitore_ID"), QVariant(f.id)) << qMakePair(QStringLiteral("Fornitore"), testoONull(nome.left(80)))
            << qMakePair(QStringLiteral("Num"), QVariant(1));
        if (b.totaleRitenute > Decimale()) col << qMakePair(QStringLiteral("RitenutaAcconto"), QVariant(b.totaleRitenute.toDouble()));
        col << qMakePair(QStringLiteral("ProgressivoCarico"), QVariant(prossimoProgressivoCarico(c, nota, oggi)))
            << qMakePair(QStringLiteral("Storico"), QVariant(false)) << qMakePair(QStringLiteral("FattNota"), QVariant(nota))
            << qMakePair(QStringLiteral("Carico"), QVariant(true)) << qMakePair(QStringLiteral("ImportatoXml"), QVariant(true))
            << qMakePair(QStringLiteral("NumeroCarico"), testoONull(b.numero))
            << qMakePair(QStringLiteral("Data"), b.data.isValid() ? QVariant(b.data) : QVariant())
            << qMakePair(QStringLiteral("DataRegistrazione"), QVariant(oggi));
        id = inserisci(c, QStringLiteral("fattura"), col);
        r.documentiCreati << id;
    } else {
        r.documentiGiaPresenti << id;
    }

    // Rows: a line whose number the document already holds among its imported rows is not
    // written again, so a second import adds nothing.
    const QString tabella = nota ? QStringLiteral("NotaCreditoCaricoRighe") : QStringLiteral("Movimenti");
    const QString legame = nota ? QStringLiteral("NotaCredito_ID") : QStringLiteral("Fattura_ID");
    for (const Linea &l : b.linee) {
        if (giaPresente) {
            const QVariant c0 = c.scalar(QStringLiteral("select count(*) from %1 where ImportatoXml = true and NumeroRiga = :n and %2 = :d")
                                             .arg(tabella, legame),
                                         {{QStringLiteral(":n"), l.numeroLinea.value_or(0)}, {QStringLiteral(":d"), id}});
            if (c0.toInt() > 0) continue;
        }
        const qint64 iva = codiceIva(c, l.aliquotaIva, l.natura, o.aggiorna);
        scriviRiga(c, id, nota, l, iva, nota ? o.contoNote : o.contoFatture, oggi);
    }
    if (giaPresente) return; // its header, instalments and totals stay as they are

    // Payment method and instalments of the file's first DatiPagamento.
    const qint64 ripiego = pagamentoFornitore > 0 ? pagamentoFornitore : o.pagamentoPredefinito;
    qint64 modalita = 0;
    QHash<QString, qint64> perModalita;
    if (!b.pagamenti.isEmpty()) modalita = modalitaDaFile(c, b.pagamenti.first(), &perModalita);
    c.execute(QStringLiteral("update fattura set ModPagamento_Id = :m where ID = :id"),
              {{QStringLiteral(":m"), modalita > 0 ? modalita : ripiego}, {QStringLiteral(":id"), id}});
    if (!b.pagamenti.isEmpty()) scriviScadenze(c, id, nota, f.id, b.pagamenti.first(), perModalita, ripiego, b.data);
    scriviTotali(c, id, nota);
}

} // namespace

QString domandaDestinatario()
{
    return QStringLiteral("Attenzione ! Il documento non è indirizzato a questa azienda ! Il codice sdi, la Pec del destinatario, la "
                          "partita iva, il codice fiscele non corrispondono a quelli dell'azienda! Vuoi importare ugualmente il "
                          "documento ?");
}

bool indirizzataAllaDitta(db::Connection &c, const Intestazione &i)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("select Pec, CodiceSdi, CodFisc, PIva from ditta order by Id"));
    q.open();
    if (q.eof()) return false;
    auto uguale = [](const QString &ditta, const QString &file) {
        const QString d = ditta.trimmed();
        return !d.isEmpty() && d.compare(file.trimmed(), Qt::CaseInsensitive) == 0;
    };
    if (uguale(q.field(0).asString(), i.pecDestinatario) || uguale(q.field(1).asString(), i.codiceDestinatario)) return true;
    if (!i.cessionarioPresente) return false;
    return uguale(q.field(2).asString(), i.cessionarioCodiceFiscale) || uguale(q.field(3).asString(), i.cessionarioIdCodice);
}

FornitoreTrovato cercaFornitore(db::Connection &c, const Soggetto &s)
{
    FornitoreTrovato f;
    QStringList condizioni;
    db::Params p;
    if (!s.idCodice.isEmpty()) {
        condizioni << QStringLiteral("upper(trim(Iva)) = :iva");
        p << db::Param{QStringLiteral(":iva"), s.idCodice.toUpper()};
    }
    if (!s.codiceFiscale.isEmpty()) {
        condizioni << QStringLiteral("upper(trim(CodFiscale)) = :cf");
        p << db::Param{QStringLiteral(":cf"), s.codiceFiscale.toUpper()};
    }
    if (condizioni.isEmpty()) return f;
    db::Query q(&c);
    // The VAT number first: a match on it wins over one on the tax code.
    q.setSql(QStringLiteral("select Id, Pagamento_ID, Iva from Fornitor where %1 order by Id").arg(condizioni.join(QStringLiteral(" or "))));
    for (const auto &x : p) q.bind(x.name, x.value);
    q.open();
    for (q.first(); !q.eof(); q.next()) {
        const bool perIva = !s.idCodice.isEmpty() && q.field(2).asString().trimmed().compare(s.idCodice, Qt::CaseInsensitive) == 0;
        if (f.id == 0 || perIva) {
            f.id = q.field(0).asLargeInt();
            f.pagamentoId = q.field(1).asLargeInt();
            if (perIva) break;
        }
    }
    return f;
}

qint64 comuneDellaSede(db::Connection &c, const Soggetto &s, bool aggiungi)
{
    auto id = [](const QVariant &v) { return v.isValid() && !v.isNull() ? v.toLongLong() : 0; };
    qint64 r = 0;
    if (!s.provincia.isEmpty() && !s.comune.isEmpty())
        r = id(c.scalar(QStringLiteral("select ID from Comuni where Provincia = :p and Comune = :c order by ID"),
                        {{QStringLiteral(":p"), s.provincia}, {QStringLiteral(":c"), s.comune}}));
    if (r == 0 && !s.cap.isEmpty())
        r = id(c.scalar(QStringLiteral("select ID from Comuni where CAP = :cap order by ID"), {{QStringLiteral(":cap"), s.cap}}));
    if (r == 0 && !s.cap.isEmpty())
        r = id(c.scalar(QStringLiteral("select Comune_ID from Indirizzi where Cap = :cap and Comune_ID > 0 order by id_cap"),
                        {{QStringLiteral(":cap"), s.cap}}));
    if (r == 0 && aggiungi && s.nazione.compare(QLatin1String("IT"), Qt::CaseInsensitive) != 0 && !s.comune.isEmpty()) {
        Colonne col{{"Comune", s.comune}, {"Provincia", testoONull(s.provincia)}, {"CAP", testoONull(s.cap)}, {"ImportatoXml", true}};
        const qint64 nazione = id(c.scalar(QStringLiteral("select IDNazione from Nazioni where SIGLA = :s order by IDNazione"),
                                           {{QStringLiteral(":s"), s.nazione}}));
        if (nazione > 0) col << qMakePair(QStringLiteral("Nazione_ID"), QVariant(nazione));
        r = inserisci(c, QStringLiteral("Comuni"), col);
    }
    return r;
}

FornitoreTrovato registraFornitore(db::Connection &c, const Soggetto &s, bool aggiorna)
{
    FornitoreTrovato f = cercaFornitore(c, s);
    if (!aggiorna) return f;
    const QString nome = nomeFornitore(s);
    Colonne col;
    // A file without a name never empties the stored one.
    if (!nome.isEmpty()) col << qMakePair(QStringLiteral("Fornitore"), QVariant(nome));
    col << qMakePair(QStringLiteral("Iva"), testoONull(s.idCodice)) << qMakePair(QStringLiteral("CodFiscale"), testoONull(s.codiceFiscale))
        << qMakePair(QStringLiteral("VIA"), testoONull(s.indirizzo.left(50)))
        << qMakePair(QStringLiteral("Numero"), testoONull(s.numeroCivico.left(5))) << qMakePair(QStringLiteral("Cap"), testoONull(s.cap))
        << qMakePair(QStringLiteral("Comune"), testoONull(s.comune)) << qMakePair(QStringLiteral("Provincia"), testoONull(s.provincia))
        << qMakePair(QStringLiteral("Telefono"), testoONull(s.telefono)) << qMakePair(QStringLiteral("Fax"), testoONull(s.fax))
        << qMakePair(QStringLiteral("Email"), testoONull(s.email.left(50))) << qMakePair(QStringLiteral("ImportatoXml"), QVariant(true))
        << qMakePair(QStringLiteral("Cognome"), testoONull(s.cognome)) << qMakePair(QStringLiteral("Nome"), testoONull(s.nome))
        << qMakePair(QStringLiteral("CodEORI"), testoONull(s.codEori)) << qMakePair(QStringLiteral("IdPaese"), testoONull(s.idPaese))
        << qMakePair(QStringLiteral("Titolo"), testoONull(s.titolo));
    const qint64 comune = comuneDellaSede(c, s, true);
    if (comune > 0) col << qMakePair(QStringLiteral("Comune_id"), QVariant(comune));
    if (f.id == 0) {
        f.id = inserisci(c, QStringLiteral("Fornitor"), col);
        f.creato = true;
        return f;
    }
    const QString prima = c.scalar(QStringLiteral("select Fornitore from Fornitor where Id = :id"), {{QStringLiteral(":id"), f.id}}).toString();
    QStringList assegna;
    db::Params p{{QStringLiteral(":id"), f.id}};
    for (int i = 0; i < col.size(); ++i) {
        assegna << QStringLiteral("%1 = :v%2").arg(col[i].first).arg(i);
        p << db::Param{QStringLiteral(":v%1").arg(i), col[i].second};
    }
    c.execute(QStringLiteral("update Fornitor set %1 where Id = :id").arg(assegna.join(QStringLiteral(", "))), p);
    // The documents keep a copy of the supplier's name: a new name reaches them too.
    if (!nome.isEmpty() && nome != prima)
        c.execute(QStringLiteral("update fattura set Fornitore = :n where Fornitore_ID = :id"), {{QStringLiteral(":n"), nome}, {QStringLiteral(":id"), f.id}});
    return f;
}

qint64 documentoGiaImportato(db::Connection &c, qint64 idFornitore, Genere genere, const QString &numero, const QDate &data)
{
    QString sql = QStringLiteral("select ID from fattura where Carico = true and FattNota = :nota and Fornitore_ID = :f and NumeroCarico = :n");
    db::Params p{{QStringLiteral(":nota"), genere == Genere::NotaCreditoAcquisto},
                 {QStringLiteral(":f"), idFornitore},
                 {QStringLiteral(":n"), numero}};
    if (data.isValid()) {
        sql += QStringLiteral(" and Data = :d");
        p << db::Param{QStringLiteral(":d"), data};
    } else {
        sql += QStringLiteral(" and Data is null");
    }
    const QVariant id = c.scalar(sql + QStringLiteral(" order by ID"), p);
    return id.isValid() && !id.isNull() ? id.toLongLong() : 0;
}

Risultato registra(db::Connection &c, const Documento &d, const Domanda &chiedi)
{
    Risultato esito;
    const Intestazione &h = d.intestazione;
    // The one question comes before any write: a No leaves the archive untouched.
    if (h.datiTrasmissione && h.cedentePresente && !indirizzataAllaDitta(c, h)) {
        if (!chiedi || !chiedi(domandaDestinatario())) {
            esito.rifiutato = true;
            return esito;
        }
    }
    return db::inTransaction(c, [&] {
        Risultato r;
        const Opzioni o = leggiOpzioni(c);
        FornitoreTrovato f;
        if (h.datiTrasmissione && h.cedentePresente) f = registraFornitore(c, h.cedente, o.aggiorna);
        r.idFornitore = f.id;
        const QString nome = nomeFornitore(h.cedente);
        for (const Corpo &b : d.corpi) {
            if (!b.datiGenerali || b.genere == Genere::NonImportato) {
                ++r.corpiSaltati;
                continue;
            }
            if (b.linee.isEmpty()) continue; // a body without lines books no document
            registraCorpo(c, b, f, nome, o, r);
        }
        r.riuscito = true;
        return r;
    });
}

Risultato importa(db::Connection &c, const QByteArray &contenuto, const Domanda &chiedi)
{
    QString errore;
    const Documento d = leggi(contenuto, &errore);
    if (errore.isEmpty()) return registra(c, d, chiedi);
    Risultato r;
    r.messaggio = errore;
    return r;
}

Risultato importaFile(db::Connection &c, const QString &percorso, const Domanda &chiedi)
{
    QFile f(percorso);
    if (f.open(QIODevice::ReadOnly)) return importa(c, f.readAll(), chiedi);
    Risultato r;
    r.messaggio = QStringLiteral("Impossibile aprire il file %1: %2").arg(QFileInfo(percorso).fileName(), f.errorString());
    return r;
}

} // namespace importazione_fatturapa

#include "VCardClienti.h"

#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

namespace scambio_vcard {

namespace {

// More digits than an id can hold: never an id.
const int cifreMassime = 18;

bool soloCifre(QStringView testo)
{
    if (testo.isEmpty() || testo.size() > cifreMassime) return false;
    for (QChar ch : testo)
        if (ch < u'0' || ch > u'9') return false;
    return true;
}

// The slots that tell the record: town and category.
const int slotComune = 32, slotCategoria = 47, slotUid = 39;

// The key of the category named `descrizione`, created when the table has none.
qint64 categoria(db::Connection &c, const QString &tabella, const QString &descrizione)
{
    const db::Params p{{QStringLiteral(":descrizione"), descrizione}};
    const QVariant id = c.scalar(QStringLiteral("select top 1 ID from %1 where Descrizione = :descrizione order by ID").arg(tabella), p);
    if (!id.isNull()) return id.toLongLong();
    c.execute(QStringLiteral("insert into %1 (Descrizione) values (:descrizione)").arg(tabella), p);
    return c.lastInsertId();
}

} // namespace

std::optional<qint64> idDaUid(const QString &uid, const QString &prefisso, const QString &prefissoAltrui)
{
    QStringView resto(uid);
    if (!prefissoAltrui.isEmpty() && uid.startsWith(prefissoAltrui, Qt::CaseSensitive)) return std::nullopt;
    if (uid.startsWith(prefisso, Qt::CaseInsensitive)) resto = resto.mid(prefisso.size());
    if (!soloCifre(resto)) return std::nullopt;
    return resto.toLongLong();
}

Indirizzo separaNumeroCivico(const QString &testo)
{
    static const QString separatore = QStringLiteral(" N°");
    const qsizetype at = testo.lastIndexOf(separatore);
    if (at < 0) return {testo, QString()};
    return {testo.left(at), testo.mid(at + separatore.size())};
}

int azioneImportazione(db::Connection &c)
{
    return c.scalar(QStringLiteral("select top 1 AzioneImportazioneVCard from opzioni")).toInt();
}

Esito importa(db::Connection &c, const Regole &r, const QList<common::Vcard4> &schede, int azione, const Domanda &salta)
{
    Esito esito;
    db::Transaction t(c);
    for (const common::Vcard4 &s : schede) {
        if (r.scarta(s)) {
            ++esito.saltati;
            continue;
        }

        // The record the card names: by the id of its UID, else by its names.
        QString condizione;
        db::Params chiave;
        if (const auto id = idDaUid(s.campi[slotUid].trimmed(), r.prefissoUid, r.prefissoAltrui)) {
            // A record this file has just added is another card's: a UID from another archive
            // that names its id must not merge the two (the card is a new record).
            if (!esito.creati.contains(*id)) {
                condizione = QStringLiteral("Id = :k0");
                chiave << db::Param{QStringLiteral(":k0"), *id};
            }
        } else {
            QStringList parti;
            for (const Valore &v : r.nome(s)) {
                const QString nome = QStringLiteral(":k%1").arg(chiave.size());
                parti << v.colonna + QStringLiteral(" = ") + nome;
                chiave << db::Param{nome, v.testo};
            }
            condizione = parti.join(QStringLiteral(" and "));
        }
        QVariant trovato;
        if (!condizione.isEmpty())
            trovato = c.scalar(QStringLiteral("select top 1 Id from %1 where %2 order by %3, Id").arg(r.tabella, condizione, r.ordine),
                               chiave);
        if (!trovato.isNull()) {
            if (azione == Salta || (azione == Chiedi && salta(r.domanda(s)))) {
                ++esito.saltati;
                continue;
            }
        }

        // The columns the card fills.
        QList<Valore> valori = r.valori(s);
        QList<QPair<QString, QVariant>> colonne;
        for (const Valore &v : valori)
            if (!v.testo.isEmpty()) colonne.append({v.colonna, v.testo});
        if (const QString comune = s.campi[slotComune]; !comune.isEmpty()) {
            // Only a town the archive holds, under the name it holds; the postcode and the
            // province are never taken from it.
            db::Query q(&c);
            q.setSql(QStringLiteral("select top 1 ID, Comune from Comuni where Comune = :comune order by ID"));
            q.bind(QStringLiteral(":comune"), comune);
            q.open();
            if (!q.isEmpty()) {
                colonne.append({QStringLiteral("Comune_id"), q.field(0).asLargeInt()});
                if (!r.colonnaCitta.isEmpty()) colonne.append({r.colonnaCitta, q.field(1).value()});
            }
        }
        if (const QString descrizione = s.campi[slotCategoria]; !descrizione.isEmpty() && !r.tabellaCategorie.isEmpty())
            colonne.append({QStringLiteral("Categoria_ID"), categoria(c, r.tabellaCategorie, descrizione)});

        db::Params p;
        QStringList nomi, segnaposto, assegnazioni;
        for (const auto &[colonna, valore] : colonne) {
            const QString nome = QStringLiteral(":v%1").arg(p.size());
            p << db::Param{nome, valore};
            nomi << colonna;
            segnaposto << nome;
            assegnazioni << colonna + QStringLiteral(" = ") + nome;
        }
        if (trovato.isNull()) {
            c.execute(QStringLiteral("insert into %1 (%2) values (%3)").arg(r.tabella, nomi.join(u','), segnaposto.join(u',')), p);
            esito.creati << c.lastInsertId();
        } else {
            const qint64 id = trovato.toLongLong();
            if (!assegnazioni.isEmpty()) {
                p << db::Param{QStringLiteral(":id"), id};
                c.execute(QStringLiteral("update %1 set %2 where Id = :id").arg(r.tabella, assegnazioni.join(QStringLiteral(", "))), p);
            }
            esito.aggiornati << id;
        }
    }
    t.commit();
    return esito;
}

std::optional<common::Vcard4> scheda(db::Connection &c, const QString &sql, qint64 id,
                                     const QList<std::pair<const char *, int>> &mappa, const QString &prefissoUid)
{
    db::Query q(&c);
    q.setSql(sql);
    q.bind(QStringLiteral(":id"), id);
    q.open();
    if (q.isEmpty()) return std::nullopt;
    common::Vcard4 s;
    for (const auto &[colonna, slot] : mappa) s.campi[slot] = q.fieldByName(QLatin1String(colonna)).asString();
    if (const qint64 ide = q.fieldByName(QStringLiteral("Ide")).asLargeInt(); ide > 0)
        s.campi[slotUid] = prefissoUid + QString::number(ide);
    return s;
}

QString esporta(db::Connection &c, const QList<qint64> &ids,
                const std::function<std::optional<common::Vcard4>(db::Connection &, qint64)> &scheda)
{
    QString testo;
    for (qint64 id : ids)
        if (const auto s = scheda(c, id)) testo += common::ScriviVCard(*s);
    return testo;
}

} // namespace scambio_vcard

namespace vcard_clienti {

namespace {

// The slots of the customers' mapping.
enum Slot {
    Cognome = 0, Nome = 1, Organizzazione = 5, Telefono = 8, Fax = 10, Telefono2 = 11, Cellulare = 14, EMail = 18,
    Internet = 26, Via = 28, Cap = 30, Citta = 32, Numero = 34, Etichetta = 38, Uid = 39, Note = 41, Compleanno = 44,
    Categoria = 47
};

scambio_vcard::Regole creaRegole()
{
    using scambio_vcard::Valore;
    scambio_vcard::Regole r;
    r.tabella = QStringLiteral("Clienti");
    r.tabellaCategorie = QStringLiteral("ClientiCategoria");
    r.colonnaCitta = QStringLiteral("Citta");
    r.ordine = QStringLiteral("NominativoVisualizzato");
    r.prefissoUid = PrefissoUid;
    r.prefissoAltrui = PrefissoFornitori;
    r.scarta = [](const common::Vcard4 &s) { return s.campi[Cognome].isEmpty() && s.campi[Organizzazione].isEmpty(); };
    r.nome = [](const common::Vcard4 &s) -> QList<Valore> {
        const auto &c = s.campi;
        if (!c[Organizzazione].isEmpty()) return {{QStringLiteral("Cliente"), c[Organizzazione]}};
        if (!c[Cognome].isEmpty() && !c[Nome].isEmpty())
            return {{QStringLiteral("Cognome"), c[Cognome]}, {QStringLiteral("Nome"), c[Nome]}};
        return {}; // a family name alone names nobody: the card is a new customer
    };
    r.domanda = [](const common::Vcard4 &s) -> QString {
        const auto &c = s.campi;
        const QString nome = !c[Organizzazione].isEmpty() ? c[Organizzazione] : c[Cognome] + u' ' + c[Nome];
        return QStringLiteral("Il Cliente :") + nome
            + QStringLiteral(" e' già presente in archivio: Come si vuole procedere ? Salto il Cliente ?");
    };
    r.valori = [](const common::Vcard4 &s) {
        const auto &c = s.campi;
        QList<Valore> v{{QStringLiteral("Cognome"), c[Cognome]}, {QStringLiteral("Nome"), c[Nome]}};
        if (!c[Organizzazione].isEmpty()) {
            for (const char *colonna : {"Cliente", "NominativoDocumenti", "NominativoVisualizzato"})
                v.append({QLatin1String(colonna), c[Organizzazione]});
        } else if (!c[Cognome].isEmpty()) {
            const QString nominativo = c[Nome].isEmpty() ? c[Cognome] : c[Cognome] + u' ' + c[Nome];
            v.append({QStringLiteral("NominativoDocumenti"), nominativo});
            v.append({QStringLiteral("NominativoVisualizzato"),
                      c[Compleanno].isEmpty() ? nominativo : nominativo + QStringLiteral(" - ") + c[Compleanno]});
        }
        // Our export writes the number after the street: a round trip keeps them apart.
        const scambio_vcard::Indirizzo indirizzo = scambio_vcard::separaNumeroCivico(c[Via]);
        v += QList<Valore>{{QStringLiteral("Telefono"), c[Telefono]},
                  {QStringLiteral("Telefono2"), c[Telefono2]},
                  {QStringLiteral("Cellulare"), c[Cellulare]},
                  {QStringLiteral("EMail"), c[EMail]},
                  {QStringLiteral("Via"), indirizzo.via},
                  {QStringLiteral("Numero"), indirizzo.numero},
                  {QStringLiteral("Cap"), c[Cap]},
                  {QStringLiteral("Internet"), c[Internet]},
                  {QStringLiteral("Fax"), c[Fax]},
                  {QStringLiteral("Note"), c[Note]},
                  {QStringLiteral("DestinazioneMerce"), c[Etichetta]}};
        return v;
    };
    return r;
}

} // namespace

const scambio_vcard::Regole &regole()
{
    static const scambio_vcard::Regole r = creaRegole();
    return r;
}

std::optional<common::Vcard4> scheda(db::Connection &c, qint64 id)
{
    return scambio_vcard::scheda(
        c,
        QStringLiteral("SELECT Clienti.Cliente, Clienti.Cognome, Clienti.Nome, ClientiCategoria.descrizione AS Categoria, "
                       "Clienti.Telefono, Clienti.Cellulare, Clienti.EMail, Clienti.Citta, Clienti.Via, Clienti.Numero, "
                       "Clienti.Cap, Clienti.Internet,  Clienti.Fax, Clienti.Note, Clienti.ID as Ide, Clienti.DestinazioneMerce, "
                       "Clienti.Telefono2"
                       " FROM (Clienti LEFT JOIN ClientiCategoria ON Clienti.Categoria_ID = ClientiCategoria.Id)"
                       " where Clienti.Id = :id"),
        id,
        {{"EMail", EMail}, {"Cliente", Organizzazione}, {"Cognome", Cognome}, {"Nome", Nome}, {"Categoria", Categoria},
         {"Telefono", Telefono}, {"Telefono2", Telefono2}, {"Cellulare", Cellulare}, {"Citta", Citta}, {"Via", Via},
         {"Numero", Numero}, {"Cap", Cap}, {"Internet", Internet}, {"Fax", Fax}, {"Note", Note},
         {"DestinazioneMerce", Etichetta}},
        PrefissoUid);
}

QString esporta(db::Connection &c, const QList<qint64> &ids) { return scambio_vcard::esporta(c, ids, scheda); }

scambio_vcard::Esito importa(db::Connection &c, const QList<common::Vcard4> &schede, int azione,
                             const scambio_vcard::Domanda &salta)
{
    return scambio_vcard::importa(c, regole(), schede, azione, salta);
}

} // namespace vcard_clienti

#include "VCardClienti.h"

#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QHash>

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

} // namespace

std::optional<qint64> idDaUid(const QString &uid, const QString &prefisso, const QString &prefissoAltrui)
{
    const auto inizia = [&uid](const QString &p, Qt::CaseSensitivity cs) { return !p.isEmpty() && uid.startsWith(p, cs); };
    bool nostro = inizia(prefisso, Qt::CaseSensitive);
    if (!nostro && !inizia(prefissoAltrui, Qt::CaseSensitive) && inizia(prefisso, Qt::CaseInsensitive))
        // The same letters in another case: ours unless the other list's prefix has them too;
        // then the list whose prefix is in lower case owns every spelling but the other's own
        // (programs that write UIDs in capitals).
        nostro = !inizia(prefissoAltrui, Qt::CaseInsensitive) || prefisso == prefisso.toLower();
    QStringView resto(uid);
    if (nostro) resto = resto.mid(prefisso.size());
    else if (inizia(prefissoAltrui, Qt::CaseInsensitive) || inizia(prefisso, Qt::CaseInsensitive)) return std::nullopt;
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

namespace {

// One record of the list as the import sees it: its key, its order and the columns that name it.
struct Voce {
    qint64 id = 0;          // the key; in the dry run a record the file adds has a negative one
    bool caricato = false;  // read from the table, not added by this file
    QVariant ordine;
    QHash<QString, QString> nomi; // name column -> value (a NULL column is absent)
};

// The list's records in memory, looked up by key and by names: each card costs a hash look-up,
// never a scan of the table.
class Elenco {
public:
    Elenco(db::Connection &c, const Regole &r) : m_regole(r)
    {
        QStringList colonne{QStringLiteral("Id"), r.ordine};
        colonne += r.colonneNome;
        db::Query q(&c);
        q.setSql(QStringLiteral("select %1 from %2").arg(colonne.join(u','), r.tabella));
        q.open();
        for (q.first(); !q.eof(); q.next()) {
            Voce v;
            v.id = q.field(0).asLargeInt();
            v.caricato = true;
            v.ordine = q.field(1).value();
            for (int i = 0; i < r.colonneNome.size(); ++i)
                if (const QVariant x = q.field(i + 2).value(); !x.isNull()) v.nomi.insert(r.colonneNome[i], x.toString());
            m_perId.insert(v.id, m_voci.size());
            m_voci << v;
        }
    }

    // The record of this key read from the table; -1 when there is none.
    int perId(qint64 id) const { return m_perId.value(id, -1); }

    // The first record, by the list's order then by key, whose columns all hold these values;
    // -1 when none.
    int perNome(const QList<Valore> &nome)
    {
        const auto &[colonne, valori] = chiave(nome);
        auto indice = m_indici.find(colonne);
        if (indice == m_indici.end()) {
            indice = m_indici.insert(colonne, {});
            for (int i = 0; i < m_voci.size(); ++i) indicizza(*indice, colonne, i);
        }
        int primo = -1;
        for (int i : indice->value(valori))
            if (primo < 0 || prima(m_voci[i], m_voci[primo])) primo = i;
        return primo;
    }

    // A record the file adds, or one whose columns it changes.
    int aggiungi(qint64 id)
    {
        Voce v;
        v.id = id;
        m_voci << v;
        return m_voci.size() - 1;
    }
    void scrivi(int i, const QList<Valore> &valori)
    {
        for (auto it = m_indici.begin(); it != m_indici.end(); ++it) togli(*it, it.key(), i);
        Voce &v = m_voci[i];
        for (const Valore &x : valori) {
            if (x.testo.isEmpty()) continue; // an empty slot never clears a stored value
            if (x.colonna.compare(m_regole.ordine, Qt::CaseInsensitive) == 0) v.ordine = x.testo;
            for (const QString &n : m_regole.colonneNome)
                if (x.colonna.compare(n, Qt::CaseInsensitive) == 0) v.nomi.insert(n, x.testo);
        }
        for (auto it = m_indici.begin(); it != m_indici.end(); ++it) indicizza(*it, it.key(), i);
    }
    const Voce &voce(int i) const { return m_voci[i]; }

private:
    using Indice = QHash<QString, QList<int>>; // values of the columns -> records

    static QString unisci(const QStringList &parti) { return parti.join(QChar(0x1f)); }
    // The archive compares text ignoring case (accented letters included): so do the values' keys.
    static QString unisciValori(const QStringList &parti) { return unisci(parti).toCaseFolded(); }

    std::pair<QString, QString> chiave(const QList<Valore> &nome) const
    {
        QStringList colonne, valori;
        for (const Valore &v : nome) {
            for (const QString &n : m_regole.colonneNome)
                if (v.colonna.compare(n, Qt::CaseInsensitive) == 0) colonne << n;
            valori << v.testo;
        }
        return {unisci(colonne), unisciValori(valori)};
    }
    std::optional<QString> valoriDi(int i, const QString &colonne) const
    {
        QStringList valori;
        for (const QString &n : colonne.split(QChar(0x1f))) {
            const auto it = m_voci[i].nomi.constFind(n);
            if (it == m_voci[i].nomi.constEnd()) return std::nullopt; // NULL equals nothing
            valori << *it;
        }
        return unisciValori(valori);
    }
    void indicizza(Indice &indice, const QString &colonne, int i) const
    {
        if (const auto v = valoriDi(i, colonne)) indice[*v] << i;
    }
    void togli(Indice &indice, const QString &colonne, int i) const
    {
        if (const auto v = valoriDi(i, colonne)) indice[*v].removeOne(i);
    }
    // The order of "order by <ordine>, Id": NULL first, then the text; records the file adds
    // after those read, in the order they are added.
    static bool prima(const Voce &a, const Voce &b)
    {
        if (a.ordine.isNull() != b.ordine.isNull()) return a.ordine.isNull();
        if (const int k = a.ordine.toString().toCaseFolded().compare(b.ordine.toString().toCaseFolded()); k != 0) return k < 0;
        if (a.caricato != b.caricato) return a.caricato;
        return a.caricato ? a.id < b.id : (a.id < 0 ? a.id > b.id : a.id < b.id);
    }

    const Regole &m_regole;
    QList<Voce> m_voci;
    QHash<qint64, int> m_perId;
    QHash<QString, Indice> m_indici; // by the columns that name the record
};

// Towns and categories looked up once per name.
class Tabelle {
public:
    explicit Tabelle(db::Connection &c) : m_c(c) {}

    std::optional<std::pair<qint64, QVariant>> comune(const QString &nome)
    {
        if (!m_comuniLetti) {
            m_comuniLetti = true;
            db::Query q(&m_c);
            q.setSql(QStringLiteral("select ID, Comune from Comuni where Comune is not null order by ID"));
            q.open();
            for (q.first(); !q.eof(); q.next()) {
                const QString n = q.field(1).asString().toCaseFolded();
                if (!m_comuni.contains(n)) m_comuni.insert(n, {q.field(0).asLargeInt(), q.field(1).value()});
            }
        }
        const auto it = m_comuni.constFind(nome.toCaseFolded());
        if (it == m_comuni.constEnd()) return std::nullopt;
        return *it;
    }

    // The key of the category named `descrizione`, created when the table has none.
    qint64 categoria(const QString &tabella, const QString &descrizione)
    {
        if (!m_categorieLette) {
            m_categorieLette = true;
            db::Query q(&m_c);
            q.setSql(QStringLiteral("select ID, Descrizione from %1 where Descrizione is not null order by ID").arg(tabella));
            q.open();
            for (q.first(); !q.eof(); q.next()) {
                const QString d = q.field(1).asString().toCaseFolded();
                if (!m_categorie.contains(d)) m_categorie.insert(d, q.field(0).asLargeInt());
            }
        }
        if (const auto it = m_categorie.constFind(descrizione.toCaseFolded()); it != m_categorie.constEnd()) return *it;
        m_c.execute(QStringLiteral("insert into %1 (Descrizione) values (:descrizione)").arg(tabella),
                    {{QStringLiteral(":descrizione"), descrizione}});
        const qint64 id = m_c.lastInsertId();
        m_categorie.insert(descrizione.toCaseFolded(), id);
        return id;
    }

private:
    db::Connection &m_c;
    bool m_comuniLetti = false, m_categorieLette = false;
    QHash<QString, std::pair<qint64, QVariant>> m_comuni;
    QHash<QString, qint64> m_categorie;
};

// What a pass over the file does with a card that matches a record: true skips it.
using Scelta = std::function<bool(int scheda, const common::Vcard4 &s)>;

// One pass over the cards in file order. Without `scrivere` nothing is written (the dry run that
// finds the cards that match a record); with it the records are added and updated.
Esito scorri(db::Connection &c, const Regole &r, const QList<common::Vcard4> &schede, bool scrivere, const Scelta &salta)
{
    Esito esito;
    Elenco elenco(c, r);
    Tabelle tabelle(c);
    qint64 prossimoFinto = -1;
    for (int n = 0; n < schede.size(); ++n) {
        const common::Vcard4 &s = schede[n];
        if (r.scarta(s)) {
            ++esito.saltati;
            continue;
        }

        // The record the card names: by the id of its UID, else by its names. A UID naming a
        // record this file has just added is another archive's: the card is a new record.
        int trovato = -1;
        if (const auto id = idDaUid(s.campi[slotUid].trimmed(), r.prefissoUid, r.prefissoAltrui))
            trovato = elenco.perId(*id);
        else if (const QList<Valore> nome = r.nome(s); !nome.isEmpty())
            trovato = elenco.perNome(nome);
        if (trovato >= 0 && salta(n, s)) {
            ++esito.saltati;
            continue;
        }

        const QList<Valore> valori = r.valori(s);
        if (!scrivere) {
            if (trovato < 0) {
                trovato = elenco.aggiungi(prossimoFinto--);
                esito.creati << elenco.voce(trovato).id;
            } else {
                esito.aggiornati << elenco.voce(trovato).id;
            }
            elenco.scrivi(trovato, valori);
            continue;
        }

        // The columns the card fills.
        QList<QPair<QString, QVariant>> colonne;
        for (const Valore &v : valori)
            if (!v.testo.isEmpty()) colonne.append({v.colonna, v.testo});
        if (const QString comune = s.campi[slotComune]; !comune.isEmpty()) {
            // Only a town the archive holds, under the name it holds; the postcode and the
            // province are never taken from it.
            if (const auto t = tabelle.comune(comune)) {
                colonne.append({QStringLiteral("Comune_id"), t->first});
                if (!r.colonnaCitta.isEmpty()) colonne.append({r.colonnaCitta, t->second});
            }
        }
        if (const QString descrizione = s.campi[slotCategoria]; !descrizione.isEmpty() && !r.tabellaCategorie.isEmpty())
            colonne.append({QStringLiteral("Categoria_ID"), tabelle.categoria(r.tabellaCategorie, descrizione)});

        db::Params p;
        QStringList nomi, segnaposto, assegnazioni;
        for (const auto &[colonna, valore] : colonne) {
            const QString nome = QStringLiteral(":v%1").arg(p.size());
            p << db::Param{nome, valore};
            nomi << colonna;
            segnaposto << nome;
            assegnazioni << colonna + QStringLiteral(" = ") + nome;
        }
        if (trovato < 0) {
            c.execute(QStringLiteral("insert into %1 (%2) values (%3)").arg(r.tabella, nomi.join(u','), segnaposto.join(u',')), p);
            trovato = elenco.aggiungi(c.lastInsertId());
            esito.creati << elenco.voce(trovato).id;
        } else {
            const qint64 id = elenco.voce(trovato).id;
            if (!assegnazioni.isEmpty()) {
                p << db::Param{QStringLiteral(":id"), id};
                c.execute(QStringLiteral("update %1 set %2 where Id = :id").arg(r.tabella, assegnazioni.join(QStringLiteral(", "))), p);
            }
            esito.aggiornati << id;
        }
        elenco.scrivi(trovato, valori);
    }
    return esito;
}

} // namespace

Esito importa(db::Connection &c, const Regole &r, const QList<common::Vcard4> &schede, int azione, const Domanda &salta)
{
    // The questions come first, on what the archive holds now, with no transaction open: a
    // workstation answering a box must not keep the others waiting.
    QHash<int, bool> risposte; // card -> skip it
    if (azione == Chiedi)
        scorri(c, r, schede, false, [&](int n, const common::Vcard4 &s) {
            const bool si = salta(r.domanda(s));
            risposte.insert(n, si);
            return si;
        });
    return db::inTransaction(c, [&] {
        return scorri(c, r, schede, true, [&](int n, const common::Vcard4 &) {
            if (azione == Salta) return true;
            if (azione != Chiedi) return false;
            const auto it = risposte.constFind(n);
            // Another workstation added the record after the questions: ask again rather than guess.
            if (it == risposte.constEnd())
                throw db::DbError(QStringLiteral("Attenzione un'altra postazione ha modificato l'archivio durante l'importazione: "
                                                 "ripetere l'importazione."));
            return *it;
        });
    });
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
    r.colonneNome = {QStringLiteral("Cliente"), QStringLiteral("Cognome"), QStringLiteral("Nome")};
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

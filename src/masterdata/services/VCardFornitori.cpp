#include "VCardFornitori.h"

#include "db/Connection.h"
#include "db/Query.h"

namespace vcard_fornitori {

namespace {

// The slots of the suppliers' mapping.
enum Slot {
    Cognome = 0, Nome = 1, Telefono = 8, Fax = 10, Cellulare = 14, EMail = 18, Internet = 26, Via = 28, Cap = 30,
    Comune = 32, Numero = 34, Uid = 39, Note = 41, Categoria = 47
};

// The supplier's name: the family name, then the given name after a blank when there is one.
QString nome(const common::Vcard4 &s)
{
    const auto &c = s.campi;
    return c[Nome].isEmpty() ? c[Cognome] : c[Cognome] + u' ' + c[Nome];
}

scambio_vcard::Regole creaRegole()
{
    using scambio_vcard::Valore;
    scambio_vcard::Regole r;
    r.tabella = QStringLiteral("Fornitor");
    r.tabellaCategorie = QStringLiteral("FornitorCategoria");
    r.colonnaCitta = QStringLiteral("Comune");
    r.ordine = QStringLiteral("Fornitore");
    r.colonneNome = {QStringLiteral("Fornitore")};
    r.prefissoUid = PrefissoUid;
    r.prefissoAltrui = vcard_clienti::PrefissoUid;
    // An organisation alone names no supplier.
    r.scarta = [](const common::Vcard4 &s) { return s.campi[Cognome].isEmpty(); };
    r.nome = [](const common::Vcard4 &s) -> QList<Valore> { return {{QStringLiteral("Fornitore"), nome(s)}}; };
    r.domanda = [](const common::Vcard4 &s) -> QString {
        return QStringLiteral("Il Fornitore :") + s.campi[Cognome] + u' ' + s.campi[Nome]
            + QStringLiteral(" e' già presente in archivio: Come si vuole procedere ? Salto il Fornitore ?");
    };
    r.valori = [](const common::Vcard4 &s) {
        const auto &c = s.campi;
        // Our export writes the number after the street: the street is stored without it.
        const scambio_vcard::Indirizzo indirizzo = scambio_vcard::separaNumeroCivico(c[Via]);
        return QList<Valore>{{QStringLiteral("Fornitore"), nome(s)},
                             {QStringLiteral("Telefono"), c[Telefono]},
                             {QStringLiteral("Cellulare"), c[Cellulare]},
                             {QStringLiteral("EMail"), c[EMail]},
                             {QStringLiteral("Via"), indirizzo.via},
                             {QStringLiteral("Numero"), indirizzo.numero},
                             {QStringLiteral("Cap"), c[Cap]},
                             {QStringLiteral("Internet"), c[Internet]},
                             {QStringLiteral("Fax"), c[Fax]},
                             {QStringLiteral("Note"), c[Note]}};
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
        QStringLiteral("SELECT Fornitor.Fornitore, FornitorCategoria.descrizione AS Categoria, Fornitor.Telefono, "
                       "Fornitor.Cellulare, Fornitor.EMail, Fornitor.Comune, Fornitor.Via, Fornitor.Numero, Fornitor.Cap, "
                       "Fornitor.Internet,  Fornitor.Fax, Fornitor.Note, Fornitor.ID as Ide"
                       " FROM (Fornitor LEFT JOIN FornitorCategoria ON Fornitor.Categoria_ID = FornitorCategoria.Id)"
                       " where Fornitor.Id = :id"),
        id,
        {{"EMail", EMail}, {"Fornitore", Cognome}, {"Categoria", Categoria}, {"Telefono", Telefono}, {"Cellulare", Cellulare},
         {"Comune", Comune}, {"Via", Via}, {"Numero", Numero}, {"Cap", Cap}, {"Internet", Internet}, {"Fax", Fax},
         {"Note", Note}},
        PrefissoUid);
}

QString esporta(db::Connection &c, const QList<qint64> &ids) { return scambio_vcard::esporta(c, ids, scheda); }

scambio_vcard::Esito importa(db::Connection &c, const QList<common::Vcard4> &schede, int azione,
                             const scambio_vcard::Domanda &salta)
{
    return scambio_vcard::importa(c, regole(), schede, azione, salta);
}

} // namespace vcard_fornitori

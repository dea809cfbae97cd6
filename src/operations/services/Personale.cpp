#include "Personale.h"

#include "common/Decimale.h"
#include "db/Connection.h"
#include "db/Transaction.h"

namespace personale {

int propagaNome(db::Connection &c, qint64 id)
{
    return db::inTransaction(c, [&] {
        const int n = c.execute(QStringLiteral("UPDATE Calendario INNER JOIN Personale ON calendario.Personale_Id = Personale.Id "
                                               "SET calendario.Personale = [Personale].[Personale] where Personale.Id = :id"),
                                {{":id", id}});
        return n;
    });
}

EsitoSalvataggio salva(db::Connection &c, qint64 id, bool nominativoModificato, const std::function<bool()> &posta)
{
    return db::inTransaction(c, [&] {
        EsitoSalvataggio e;
        if (!posta()) throw db::Annulla<EsitoSalvataggio>{e}; // rolled back
        if (nominativoModificato) e.calendario = propagaNome(c, id);
        e.salvato = true;
        return e;
    });
}

Eliminazione elimina(db::Connection &c, qint64 id)
{
    const db::Params p{{":id", id}};
    return db::inTransaction(c, [&] {
        Eliminazione e;
        e.scadenze = c.execute(QStringLiteral("DELETE FROM PersonaleScadenze WHERE Personale_ID = :id"), p);
        e.costi = c.execute(QStringLiteral("DELETE FROM PersonaleCosti WHERE Personale_ID = :id"), p);
        e.stipendi = c.execute(QStringLiteral("DELETE FROM PersonaleStipendi WHERE Personale_ID = :id"), p);
        e.personale = c.execute(QStringLiteral("DELETE FROM Personale WHERE Id = :id"), p);
        return e;
    });
}

std::optional<double> tariffaGiornaliera(double pagaMensile)
{
    if (!(pagaMensile > 0)) return std::nullopt;
    // The pay over the 21 working days, to the cent.
    return common::Decimale::dividi(common::Decimale::daDouble(pagaMensile), common::Decimale(21), 2).toDouble();
}

std::optional<double> tariffaOraria(double tariffaGiornaliera)
{
    if (!(tariffaGiornaliera > 0)) return std::nullopt;
    return common::Decimale::daDouble(tariffaGiornaliera).percento(common::Decimale::daScala(125, 1)).centesimi().toDouble();
}

double totaleParziale(double base, double trasferta, double addebiti, double accrediti)
{
    const long double t = static_cast<long double>(base) + trasferta + addebiti - accrediti;
    return static_cast<double>(t);
}

namespace {

// The slots of the staff's mapping.
enum Slot { Cognome = 0, Nome = 1, Telefono = 8, Fax = 10, Cellulare = 14, EMail = 18, Via = 28, Cap = 30, Citta = 32,
            Numero = 34, Note = 41 };

QString nominativo(const common::Vcard4 &s)
{
    const auto &c = s.campi;
    return c[Nome].isEmpty() ? c[Cognome] : c[Cognome] + u' ' + c[Nome];
}

scambio_vcard::Regole creaRegole()
{
    using scambio_vcard::Valore;
    scambio_vcard::Regole r;
    r.tabella = QStringLiteral("Personale");
    // No categories and no town name column: the town is its key alone.
    r.ordine = QStringLiteral("Personale");
    r.colonneNome = {QStringLiteral("Personale")};
    r.prefissoUid = PrefissoUid;
    r.scarta = [](const common::Vcard4 &s) { return s.campi[Cognome].isEmpty(); };
    r.nome = [](const common::Vcard4 &s) -> QList<Valore> { return {{QStringLiteral("Personale"), nominativo(s)}}; };
    r.domanda = [](const common::Vcard4 &s) -> QString {
        return QStringLiteral("Il Personale :") + s.campi[Cognome] + u' ' + s.campi[Nome]
            + QStringLiteral(" e' già presente in archivio: Come si vuole procedere ? Salto il Personale ?");
    };
    r.valori = [](const common::Vcard4 &s) -> QList<Valore> {
        const auto &c = s.campi;
        // Our export writes the number after the street: a round trip keeps them apart.
        const scambio_vcard::Indirizzo indirizzo = scambio_vcard::separaNumeroCivico(c[Via]);
        return QList<Valore>{{QStringLiteral("Personale"), nominativo(s)},
                             {QStringLiteral("Tel"), c[Telefono]},
                             {QStringLiteral("Cell"), c[Cellulare]},
                             {QStringLiteral("Email"), c[EMail]},
                             {QStringLiteral("Indirizzo"), indirizzo.via},
                             {QStringLiteral("Numero"), indirizzo.numero},
                             {QStringLiteral("Fax"), c[Fax]},
                             {QStringLiteral("Note"), c[Note]}};
    };
    return r;
}

} // namespace

std::optional<common::Vcard4> scheda(db::Connection &c, qint64 id)
{
    return scambio_vcard::scheda(
        c,
        QStringLiteral("SELECT Personale.Personale, Personale.Tel, Personale.Cell, Personale.Email, Personale.Indirizzo, "
                       "Personale.Numero, Personale.Fax, Personale.Note, Personale.Id AS Ide, Comuni.Comune, Comuni.CAP"
                       " FROM Personale LEFT JOIN Comuni ON Personale.Comune_Id = Comuni.ID"
                       " where Personale.Id = :id"),
        id,
        {{"Personale", Cognome}, {"Tel", Telefono}, {"Fax", Fax}, {"Cell", Cellulare}, {"Email", EMail}, {"Indirizzo", Via},
         {"CAP", Cap}, {"Comune", Citta}, {"Numero", Numero}, {"Note", Note}},
        PrefissoUid);
}

QString esporta(db::Connection &c, const QList<qint64> &ids) { return scambio_vcard::esporta(c, ids, scheda); }

const scambio_vcard::Regole &regole()
{
    static const scambio_vcard::Regole r = creaRegole();
    return r;
}

scambio_vcard::Esito importa(db::Connection &c, const QList<common::Vcard4> &schede, int azione,
                             const scambio_vcard::Domanda &salta)
{
    return scambio_vcard::importa(c, regole(), schede, azione, salta);
}

} // namespace personale

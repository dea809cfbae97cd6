#include "Rifornimento.h"
#include "Cisterne.h"

#include "common/Decimale.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QVariant>

namespace rifornimenti {

// The tank moves as its loads move it: one relative update, so no workstation overwrites
// another's movement.
bool muoviCisterna(db::Connection &c, qint64 idCisterna, double litri) { return cisterne::muovi(c, idCisterna, litri) > 0; }

bool lavoraCisterne(db::Connection &c) { return cisterne::lavoraCisterne(c); }

namespace {

struct Riga {
    bool trovata = false;
    double litri = 0;
    qint64 cisterna = 0;
    qint64 vettura = 0;
};

Riga leggi(db::Connection &c, qint64 id)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("SELECT Litri, Cisterna_ID, Vettura_ID FROM VettureCarburante WHERE ID = :id"));
    q.bind(QStringLiteral(":id"), id);
    q.open();
    Riga r;
    if (q.isEmpty()) return r;
    r.trovata = true;
    r.litri = q.fieldByName(QStringLiteral("Litri")).asFloat();
    r.cisterna = q.fieldByName(QStringLiteral("Cisterna_ID")).asLargeInt();
    r.vettura = q.fieldByName(QStringLiteral("Vettura_ID")).asLargeInt();
    return r;
}

} // namespace

EsitoSalvataggio salva(db::Connection &c, qint64 id, bool lavoraCisterne, const std::function<bool()> &posta)
{
    return db::inTransaction(c, [&] {
        EsitoSalvataggio e;
        const Riga prima = leggi(c, id);
        if (!posta()) throw db::Annulla<EsitoSalvataggio>{e}; // nothing stored, nothing moved
        const Riga dopo = leggi(c, id);
        // A vehicle deleted meanwhile gets no refuelling of nobody's. The vehicle's row is written,
        // not only read: the server then always sees the two workstations collide on it and runs
        // one of them again, even when the refuelling row was added after the delete began
        // (a read alone is missed there, as the row's later update touches no index).
        if (dopo.vettura > 0
            && c.execute(QStringLiteral("UPDATE Vetture SET Chilometri = Chilometri WHERE ID = :v"), {{":v", dopo.vettura}}) == 0) {
            e.vetturaMancante = true;
            throw db::Annulla<EsitoSalvataggio>{e};
        }
        e.litriPrima = prima.litri;
        e.litriDopo = dopo.litri;
        if (lavoraCisterne) {
            if (prima.cisterna == dopo.cisterna) {
                if (dopo.cisterna > 0 && dopo.litri != prima.litri && muoviCisterna(c, dopo.cisterna, prima.litri - dopo.litri))
                    e.movimentoCisterna = prima.litri - dopo.litri;
            } else {
                if (prima.cisterna > 0 && prima.litri != 0) muoviCisterna(c, prima.cisterna, prima.litri);
                if (dopo.cisterna > 0 && dopo.litri != 0 && muoviCisterna(c, dopo.cisterna, -dopo.litri))
                    e.movimentoCisterna = -dopo.litri;
            }
        }
        e.salvato = true;
        return e;
    });
}

QString messaggioVetturaMancante()
{
    return QStringLiteral("La vettura non esiste più nell'archivio: forse è stata eliminata da un'altra postazione. "
                          "Il rifornimento non è stato salvato.");
}

EsitoEliminazione elimina(db::Connection &c, qint64 id, bool lavoraCisterne)
{
    return db::inTransaction(c, [&] {
        EsitoEliminazione e;
        const Riga r = leggi(c, id);
        if (!r.trovata) return e;
        if (lavoraCisterne && r.cisterna > 0 && r.litri != 0 && muoviCisterna(c, r.cisterna, r.litri))
            e.litriRestituiti = r.litri;
        e.eliminato = c.execute(QStringLiteral("DELETE FROM VettureCarburante WHERE ID = :id"), {{":id", id}}) > 0;
        return e;
    });
}

std::optional<double> prezzoCarburante(db::Connection &c, qint64 idVettura)
{
    const QVariant p = c.scalar(QStringLiteral("SELECT Carburanti.Prezzo FROM Vetture INNER JOIN Carburanti ON "
                                               "Vetture.Carburante_id = Carburanti.id WHERE Vetture.Id = :id"),
                                {{":id", idVettura}});
    if (p.isNull() || !p.isValid()) return std::nullopt;
    return p.toDouble();
}

double importoDaLitri(double prezzo, double litri)
{
    return (common::Decimale::daDouble(prezzo) * common::Decimale::daDouble(litri)).centesimi().toDouble();
}

std::optional<double> litriDaImporto(double prezzo, double importo)
{
    // A price of 0 (or below) buys no definite quantity: no division.
    if (!(prezzo > 0)) return std::nullopt;
    return common::Decimale::dividi(common::Decimale::daDouble(importo), common::Decimale::daDouble(prezzo), 2).toDouble();
}

double kmDifferenza(const QVariant &kmPartenza, const QVariant &kmArrivo)
{
    const auto numero = [](const QVariant &v) { return v.isNull() ? 0.0 : v.toDouble(); };
    return numero(kmPartenza) - numero(kmArrivo);
}

} // namespace rifornimenti

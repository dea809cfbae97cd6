#pragma once
// The refuelling log without windows: a refuelling's save and delete with the stock of the
// company's own tank it was drawn from, and the price arithmetic of its editor.
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

namespace db {
class Connection;
}

namespace rifornimenti {

// Adds `litri` (negative: takes them) to the stock of tank `idCisterna` with one relative
// UPDATE, so that two workstations moving one tank at once both count. Runs inside the
// caller's transaction; a tank that no longer exists is left alone (returns false). An empty
// stock counts as 0.
bool muoviCisterna(db::Connection &c, qint64 idCisterna, double litri);

// opzioni.LavoraCisterne: vehicles are refuelled from the company's own tanks.
bool lavoraCisterne(db::Connection &c);

struct EsitoSalvataggio {
    bool salvato = false;      // false: the post was refused, nothing changed
    bool vetturaMancante = false; // refused: the vehicle no longer exists (deleted elsewhere), nothing changed
    double litriPrima = 0;     // the refuelling's litres stored before the save
    double litriDopo = 0;      // ... and after it
    double movimentoCisterna = 0; // litres added to the tank's stock (negative: taken)
};

// One save of refuelling `id` as one transaction: the litres stored before, the post of the
// row (`posta`, the form's post; false when refused) and, with `lavoraCisterne` and a tank
// named by the row, the tank's stock lowered by the litres the save added (raised by those it
// took off). A save that leaves the litres as they were moves nothing; when the save moved the
// refuelling to another tank, the old tank gets its litres back and the new one gives them.
// A refused post or a failing statement leaves nothing (DbError thrown for the latter).
EsitoSalvataggio salva(db::Connection &c, qint64 id, bool lavoraCisterne, const std::function<bool()> &posta);

// The message of a save refused because the vehicle was deleted meanwhile.
QString messaggioVetturaMancante();

struct EsitoEliminazione {
    bool eliminato = false;
    double litriRestituiti = 0; // litres given back to the tank
};

// Deletes refuelling `id` and, with `lavoraCisterne`, gives its litres back to its tank, in
// one transaction.
EsitoEliminazione elimina(db::Connection &c, qint64 id, bool lavoraCisterne);

// The price of the fuel type of vehicle `idVettura`; nothing when the vehicle has no fuel type
// (or no longer exists) or its fuel type has no price.
std::optional<double> prezzoCarburante(db::Connection &c, qint64 idVettura);

// The amount of `litri` at `prezzo`, to the cent.
double importoDaLitri(double prezzo, double litri);
// The litres an amount buys, to the hundredth; nothing for a price that is not above 0.
std::optional<double> litriDaImporto(double prezzo, double importo);

// The distance since the previous refuelling (an empty reading counts 0).
double kmDifferenza(const QVariant &kmPartenza, const QVariant &kmArrivo);

} // namespace rifornimenti

#pragma once
// The company's vehicles without windows: the running totals of a vehicle, the duplicate
// plate, the odometer a new refuelling starts from, the delete of a vehicle with everything
// it owns, and the fleet list's search.
#include <QString>
#include <QVariant>
#include <QtGlobal>

namespace db {
class Connection;
}

namespace vetture {

// The vehicle's totals as its rows give them: null when it has no refuelling (litres, fuel
// amount) or no cost.
struct Totali {
    QVariant litri;
    QVariant carburante;
    QVariant costi;
};
Totali totali(db::Connection &c, qint64 idVettura);

// How many other vehicles (ID not `idVettura`) carry the plate (compared as the database
// compares text: case-blind).
int targheUguali(db::Connection &c, const QString &targa, qint64 idVettura);

// KmPartenza of the vehicle's latest refuelling by date (null when it has none).
QVariant kmUltimoRifornimento(db::Connection &c, qint64 idVettura);

// What a vehicle's delete removed, per table.
struct Eliminazione {
    int schede = 0;
    int scadenze = 0;
    int rifornimenti = 0;
    int costi = 0;
    int vetture = 0;
    double litriRestituiti = 0;
};
// Deletes the vehicle with its fuel cards, deadlines, refuellings and costs in one
// transaction; with `lavoraCisterne` the litres of its refuellings go back to their tanks
// first. Purchase documents naming the vehicle and sales rows carrying its plate stay.
Eliminazione elimina(db::Connection &c, qint64 idVettura, bool lavoraCisterne);

// The fleet list's search boxes as typed.
struct Ricerca {
    QString telaio;
    QString tipoVeicolo;
    QString daData; // dd/mm/yyyy, as the masked box shows it (blanks for what is not typed)
    QString aData;
    QString targa;
    QString marca;
};
// The filter of the fleet list: a text box that is neither empty nor a lone "*" is a prefix
// (apostrophes doubled); a date box takes part once it holds a complete, real date. Conditions
// in the order chassis, type, from, to, plate, make, joined with " and "; empty when none.
QString filtroElenco(const Ricerca &r);

} // namespace vetture

#pragma once
// Fuel types. A fuel type named by a tank or by a vehicle is not deleted: the tank could no
// longer be saved ("manca il tipo di carburante") and the vehicle's refuellings would lose
// their price.
#include <QString>
#include <QtGlobal>

namespace db {
class Connection;
}

namespace carburanti {

struct Uso {
    int cisterne = 0;
    int vetture = 0;
    bool inUso() const { return cisterne > 0 || vetture > 0; }
};

// The tanks and vehicles that name the fuel type.
Uso uso(db::Connection &c, qint64 idCarburante);

struct EsitoEliminazione {
    bool eliminato = false;
    Uso uso; // what refused the delete
};

// Deletes the fuel type in one transaction when nothing names it; otherwise changes nothing
// and says what names it.
EsitoEliminazione elimina(db::Connection &c, qint64 idCarburante);

} // namespace carburanti

namespace carburanti {

// Why a fuel type in use is not deleted, naming what uses it.
QString messaggioInUso(const Uso &uso);

} // namespace carburanti

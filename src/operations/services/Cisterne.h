#pragma once
// The stock of the company's own fuel tanks. `Cisterne.Litri` is a running stock: every
// movement changes it by a difference with one relative UPDATE inside the transaction that
// stores the movement's row, so two workstations moving one tank at once both count. It is
// never recomputed from the rows and has no bound (it may fall below zero).
#include <QtGlobal>
#include <functional>

namespace db {
class Connection;
}

namespace cisterne {

// Moves the tank's stock by `litri` (positive adds, negative takes off): one relative UPDATE.
// It opens no transaction of its own: the caller runs it inside the transaction that stores
// the row causing the movement. Returns the tanks changed (0 for a tank that is not there, an
// id below 1 or no litres).
int muovi(db::Connection &c, qint64 idCisterna, double litri);

// The litres stored now for a load (0 when it is not there or has none).
double litriCarico(db::Connection &c, qint64 idCarico);

struct EsitoCarico {
    bool salvato = false;    // the row was stored (or deleted) and the stock moved with it
    qint64 cisterna = 0;     // the load's tank
    double differenza = 0;   // what the stock moved by
};

// Saves a load as one transaction: the litres stored before, `posta` (the post of the row the
// editor shows, which returns false when refused), the litres stored after, and the tank moved
// by the difference (nothing when equal). A refused post, or an error, leaves both the load
// and the stock as they were.
EsitoCarico salvaCarico(db::Connection &c, qint64 idCarico, const std::function<bool()> &posta);

// Deletes a load and takes its litres off its tank at once, in one transaction.
EsitoCarico eliminaCarico(db::Connection &c, qint64 idCarico);

struct Eliminati {
    int cisterne = 0;
    int carichi = 0;
};

// Deletes a tank with all its loads in one transaction. Refuellings drawn from it keep their
// `Cisterna_ID` and the copied name, the record of where the fuel came from.
Eliminati eliminaCisterna(db::Connection &c, qint64 idCisterna);

struct Restituiti {
    int cisterne = 0;     // tanks whose stock went up
    double litri = 0;     // litres given back in all
};

// Gives back to the tanks the litres of a vehicle's refuellings drawn from them, when the
// company works with its own tanks (`opzioni.LavoraCisterne`); tanks that are no longer there
// are skipped. One relative UPDATE per tank, inside the caller's transaction when one is open
// (as a savepoint), else in its own. The refuellings themselves are the caller's to delete.
Restituiti restituisciLitriVettura(db::Connection &c, qint64 idVettura);

// Whether the company draws fuel from its own tanks.
bool lavoraCisterne(db::Connection &c);

} // namespace cisterne

#include <QDate>
#include <QString>

namespace cisterne {

// The label a load keeps of its purchase invoice: the supplier, "    n° reg.:" and the
// registration number, "    data reg:" and the registration date (dd/mm/yyyy).
QString descrizioneFattura(const QString &fornitore, qint64 progressivo, const QDate &dataRegistrazione);

} // namespace cisterne

#pragma once
// The staff without windows: the save of an employee with its name copied into the calendar,
// the delete of an employee with its deadlines, costs and salaries, the daily and hourly rates,
// a salary row's total, and the vCard exchange of the staff list.
#include "common/VCard.h"
#include "masterdata/services/VCardClienti.h"

#include <QList>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

namespace db {
class Connection;
}

namespace personale {

// The employee's current name copied into every calendar entry that names it (concluded or
// not, history rows included). Returns the rows changed.
int propagaNome(db::Connection &c, qint64 id);

// An employee's save as one unit of work: the post of its row (`posta`, false when refused)
// and, when the name was typed into, the name into the calendar. Nothing of it stays when the
// post is refused or a statement fails (DbError thrown).
struct EsitoSalvataggio {
    bool salvato = false;
    int calendario = 0; // calendar entries that took the new name
};
EsitoSalvataggio salva(db::Connection &c, qint64 id, bool nominativoModificato, const std::function<bool()> &posta);

// What an employee's delete removed, per table.
struct Eliminazione {
    int scadenze = 0;
    int costi = 0;
    int stipendi = 0;
    int personale = 0;
};
// Deletes the employee with its deadlines, costs and salaries in one transaction; calendar
// entries, vehicles, refuellings and documents naming it keep their reference.
Eliminazione elimina(db::Connection &c, qint64 id);

// The daily rate of a monthly pay (21 working days), to the cent; nothing for a pay not above 0.
std::optional<double> tariffaGiornaliera(double pagaMensile);
// The hourly rate of a daily rate (8 hours), to the cent; nothing for a rate not above 0.
std::optional<double> tariffaOraria(double tariffaGiornaliera);
// A salary row's partial total: base + travel + charges - credits (null columns count 0),
// not rounded; the allowances ("Assegni") and the days are not part of it.
double totaleParziale(double base, double trasferta, double addebiti, double accrediti);

// The UID of an employee's card: this prefix and the employee's id.
inline const QString PrefissoUid = QStringLiteral("PellavantoriaP");

// The card of one employee (name, phones, e-mail, street and number, town and its postcode,
// notes, UID); nothing when there is no employee with this id.
std::optional<common::Vcard4> scheda(db::Connection &c, qint64 id);
// The cards of the employees with these ids, in this order, as the text of one .vcf file.
QString esporta(db::Connection &c, const QList<qint64> &ids);

// The staff's rules of the shared import: a card without family name is left out; the name is
// family name, a blank and given name; a UID names an id only as our prefix or digits (any
// other UID falls to the name and never reaches SQL); the street our export writes with " N°"
// is split back into Indirizzo and Numero; the town by its name in Comuni.
const scambio_vcard::Regole &regole();
// The cards into Personale (see scambio_vcard::importa): one transaction for the whole file.
scambio_vcard::Esito importa(db::Connection &c, const QList<common::Vcard4> &schede, int azione,
                             const scambio_vcard::Domanda &salta);

} // namespace personale

#pragma once
// What the customer's and the supplier's details do alike: the town picked into postcode,
// province and town id, the postcode finder, the warnings on a VAT number or a tax code that
// other records already hold.
#include <QString>
#include <functional>

class QEvent;
class QFormLayout;
class QWidget;

namespace db {
class Query;
}

namespace masterdata {

// A town picked in the lookup: the row `q` (put in edit) takes postcode and province of the
// towns' current row as text, each only when not null, and its key into Comune_id.
void copiaComune(db::Query *q);

// The postcode button beside the town `comune` (the lookup's shown text): without a town a
// message and the focus on `lookup`; a town with exactly one postcode fills Cap at once; any
// other opens the postcode finder on the town's addresses. True when Cap was set.
bool trovaCap(QWidget *finestra, QWidget *lookup, const QString &comune, db::Query *q);

// Leaving the VAT number: an invalid number is told (and may still be saved); a valid one held
// by other records (`duplicati` counts them) is a warning under `caption`. Nothing for an empty box.
void controllaPartitaIva(QWidget *finestra, const QString &iva, const std::function<int()> &duplicati,
                         const QString &caption);
// Leaving the tax code: a warning when other records hold it. Nothing for an empty box.
void controllaCodiceFiscale(QWidget *finestra, const QString &codiceFiscale, const std::function<int()> &duplicati,
                            const QString &caption);

// Runs a save's unit of work on row `id` of `q` (`salva`: the post and what goes with it in one
// transaction; false when refused). A database error is shown and nothing is stored: the row is
// read again and the user's values put back over it, so nothing typed is lost. False then too.
bool salvaRiga(QWidget *finestra, db::Query *q, qint64 id, const std::function<bool()> &salva);

// Two empty form columns side by side in a new widget of `pagina` (returned), `sx` and `dx`.
QWidget *colonne(QWidget *pagina, QFormLayout *&sx, QFormLayout *&dx);

// Lays the rows of a detail's page (its form layout) in two columns side by side: the rows from
// `primaDestra` on go to the right one. The tab order stays that of the fields' creation.
void dueColonne(QWidget *pagina, int primaDestra);

// The event changes the text of a name box: a key that types or deletes, or a right-button press
// (the box's menu can paste).
bool modificaNome(QEvent *e);
// The event is the user leaving a box (Tab, Shift+Tab or a click elsewhere), not a message or
// the form's closing taking the focus.
bool uscitaUtente(QEvent *e);

} // namespace masterdata

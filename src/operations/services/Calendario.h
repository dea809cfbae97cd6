#pragma once
// The appointments calendar without its windows: the list's search, the entry's date rule,
// the iCalendar text of the entries listed, the delete of one entry by its id.
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

namespace db {
class Connection;
class Query;
} // namespace db

namespace calendario {

// What the list's search group holds, as typed.
struct CriteriCalendario {
    QString personale;  // prefixes of the four text boxes ("*" and empty: no condition)
    QString cliente;
    QString tipologia;
    QString note;
    QString daData;     // "Dalla Data", day first; the empty mask "  /  /    " counts as empty
    QString aData;      // "alla Data"
    bool giornoAttivo = false; // a day was clicked on the month calendar: it replaces the two dates
    QDate giorno;
};

// The filter of TableCalendario in the dataset filter language, or the message for a date box
// holding ten characters that are no date (then `filtro` is empty and must not be applied;
// `casella` names the box, "maskDaData" or "maskAData").
struct FiltroCalendario {
    QString filtro;
    QString errore;
    QString casella;
    bool valido() const { return errore.isEmpty(); }
};

// Personale, TipologiaCalendario, Cliente, Note as prefixes (apostrophes doubled), then the
// clicked day (that day whole) or else the two dates (each only when complete: ten characters;
// the end day whole, whatever time an entry carries), joined by " and ".
FiltroCalendario filtroRicerca(const CriteriCalendario &criteri);

// The entry's save rule, in its order: a day is required; after the entry is stored, its
// notice date may not lie on a later day than the entry (the same day, or none, passes).
enum class EsitoDate { Valide, MancaData, AvvisoDopoData };
EsitoDate controllaDate(const QDateTime &data, const QDateTime &dataAvviso);
inline const QString kMancaData = QStringLiteral("Attenzione manca la Data");
inline const QString kAvvisoDopoData =
    QStringLiteral("Attenzione la Data avviso non può essere successiva alla Data dell'appuntamento");

// One entry as the export writes it.
struct Voce {
    qint64 id = 0;
    QDateTime data; // local time, as stored
    QString personale;
    QString tipologia;
    QString cliente;
    QString note;
};

// The entries a query shows, in its order (filtered and sorted), without moving it.
QList<Voce> voci(const db::Query &q);

// The title of an entry's event: "staff - type / customer : note", each part only when given.
QString sommario(const Voce &v);

// The iCalendar file of the entries: one VEVENT each (created today at 0:00, start and end
// the entry's day and time, the summary, its time stamp `adesso` and a UID from the entry's
// id), times in UTC, lines ending CR LF and folded as the shared writer does.
QString testoICal(const QList<Voce> &voci, const QDate &oggi, const QDateTime &adesso);

// Deletes the entry `id` (bound); true when a row went. Throws DbError.
bool elimina(db::Connection &c, qint64 id);

} // namespace calendario

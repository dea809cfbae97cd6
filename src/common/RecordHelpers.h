#pragma once
#include <QString>

namespace db {
class Query;
}

namespace common {

// Saving, deleting and re-reading a form's dataset while keeping the user's place: the row is
// found again by its integer id in the column `campoId`.

// Posts the current row and leaves the dataset in edit state on it, as the detail forms expect.
// A post the database refuses is shown ("Messaggio di errore") and the row keeps the user's
// edits; the result is then false, so that the caller stops what would follow the save.
bool SalvaRecord(db::Query &dataset, const QString &campoId);

// Posts the current row, new or not, re-reads the dataset and makes the saved row current.
// False when the post was refused (shown as above) or the saved row is not among the rows the
// dataset reads (its SQL or filter leaves it out): the dataset is then on its first row.
bool SalvaNuovoRecord(db::Query &dataset, const QString &campoId);

// Deletes the current row; the row before it becomes current (after deleting the first row,
// the one that followed it). Nothing happens on an empty dataset. A row being inserted (never
// stored) is only dropped, and the row that was current before it is current again.
void EliminaRecord(db::Query &dataset, const QString &campoId);

// Re-reads the dataset and makes the same row current again; an empty dataset is not re-read.
// False when the row is no longer among the rows read (the dataset is then on its first row).
bool RicaricaDataset(db::Query &dataset, const QString &campoId);

// Writes the default values that table Personalizzazioni keeps for the kind of record `chiave`
// (its column NomeTabella) into the current row of `destinazione`, which stays in edit or
// insert state. `personalizzazioni` is the dataset over that table; its filter is used and
// cleared. Tipo "t" writes Valore as text, "n" as an integer, "f" as a number with the decimal
// comma; other rows are ignored. A value that does not convert throws std::invalid_argument,
// a column the dataset lacks db::DbError; the values written before stay.
void ImpostaValoriPredefiniti(const QString &chiave, db::Query &destinazione, db::Query &personalizzazioni);

} // namespace common

#pragma once
#include <QString>

namespace db {
class Query;
}
namespace ui {
class DBGrid;
}

namespace common {

// Column layouts of the grids, one row of table griglie per workstation and grid key: the
// user's columns (fields, widths, captions as "|"-terminated lists) and the default ones, the
// columns the form had when the row was first written. `griglie` is the dataset over the table.

// Stores the grid's columns as the user's layout, and as the default one too when `predefinita`
// is set or the row has none yet. A grid without columns stores nothing. A database error
// throws db::DbError.
void SalvaGriglia(const QString &nomeGriglia, ui::DBGrid &griglia, db::Query &griglie, bool predefinita,
                  const QString &nomeComputer);

// Rebuilds the grid's columns from the stored user layout (the default one with
// `usaPredefinita`). The stored row applies only while its default column count equals the
// number of columns the form gives the grid (its count at the first load, so that a reset after
// "Elimina Colonna" still applies). When there is no row, it does not apply or it cannot be read
// (a missing or wrong width), the grid keeps its columns and they are stored as both layouts.
// With `coloraGiacenza` the column of field Giacenza is painted in the stock colour.
void CaricaGriglia(const QString &nomeGriglia, ui::DBGrid &griglia, db::Query &griglie, bool usaPredefinita,
                   bool coloraGiacenza, const QString &nomeComputer);

// Hide or show the first column bound to the field (exact name); nothing when there is none.
void NascondiColonna(const QString &campo, ui::DBGrid &griglia);
void MostraColonna(const QString &campo, ui::DBGrid &griglia);

} // namespace common

#pragma once
// How a menu or a hub shows a list of a code table: the list's shared dataset is unfiltered
// while the list is open and after it closes, so that every other form sees the whole table,
// and the named search boxes are emptied before or after.
#include <QStringList>

namespace forms {
class ListForm;
}

namespace masterdata {

// Shows the list modally. The boxes are emptied quietly: the filter is cleared anyway.
// `filtroPrima` false leaves the dataset as it is before the showing (the town and province
// buttons prepare nothing).
void mostraLista(forms::ListForm *lista, const QStringList &caselleDopo, const QStringList &casellePrima = {},
                 bool filtroPrima = true);

} // namespace masterdata

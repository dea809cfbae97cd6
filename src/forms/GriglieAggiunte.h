#pragma once
// Grids of a registered form that another file of its class lays (a page built apart from the
// file that registers the form): the start-up restores their saved layout with the form's own
// grids (Registro::griglieCreate).
#include "Registro.h"

#include <QList>
#include <QPair>

namespace forms {

// Declares grid `griglia` of form `form` (its pointer's name); the form may register before or
// after. Returns true, for a declaration at static initialisation.
bool dichiaraGriglia(const QString &form, GrigliaSalvata griglia);
// What was declared, in declaration order.
const QList<QPair<QString, GrigliaSalvata>> &griglieAggiunte();

} // namespace forms

#pragma once
// The print requests as the forms make them: the catalogue's service fed with the current rows
// of the data module's shared queries, the globals DaSequestro and NomeComputerLocale and the
// criteria typed on the print forms.
#include "data/services/Stampe.h"
#include "db/Query.h"

class Tform_DB;

// What the user typed on the accounting print forms; the form fills it just before it calls
// the dispatcher.
inline CriteriStampa CriteriStampaDigitati;

namespace stampe {

// The records current in the shared queries (from a seizure, the seizure's invoice and quote).
Chiavi chiaviCorrenti(Tform_DB &dati);

// A column of the options row (the row is read when the start-up has not opened it yet).
db::Field opzione(Tform_DB &dati, const char *campo);

// The request of `codice` from the current rows; see prepara().
Esito preparaRichiesta(int codice, Tform_DB &dati, const CriteriStampa &criteri, const QString &cartellaReport);

} // namespace stampe

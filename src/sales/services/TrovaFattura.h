#pragma once
// The invoice finder's search without its window: the filter its boxes give on the caller's
// query (columns Data, Numero, Cliente and, when the caller has them, Serie and Cliente_ID).
#include <QString>

namespace vendite {

// What the finder's boxes hold, as typed.
struct CriteriTrovaFattura {
    QString daData;   // "Dalla Data", day first (an empty mask "  /  /    " counts as empty)
    QString aData;    // "alla Data"
    QString daNumero; // "Dal numero"
    QString aNumero;  // "al numero"
    QString serie;    // "Serie"
    qint64 cliente = 0;    // the customer chosen (0: none)
    QString nomeCliente;   // its display name, as the box shows it
    bool clientePerId = false; // the caller's query has Cliente_ID: the customer is compared by id
};

// The filter in the dataset filter language, or the message for a box that holds a text which
// is no date or no whole number (then `filtro` is empty and must not be applied; `casella`
// names the box: "maskDaData", "maskAData", "txtDaNumero", "txtANumero").
struct FiltroTrovaFattura {
    QString filtro;
    QString errore;
    QString casella;
    bool valido() const { return errore.isEmpty(); }
};

// The conditions, in this order, each only when its box gives one, joined by " and ": from
// date, to date (that day whole, whatever time a row carries), from number, to number,
// customer (by id when the query has Cliente_ID, else by the name the documents carry),
// series. "*" and empty boxes add nothing; texts go in with their apostrophes doubled; dates
// and numbers are validated.
FiltroTrovaFattura filtroTrovaFattura(const CriteriTrovaFattura &criteri);

} // namespace vendite

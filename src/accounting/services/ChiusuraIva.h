#pragma once
// The VAT settlement of a quarter or a month: its period, the credit carried from the period
// before, the rebuild of its rows and totals from the documents and the cash receipts, a new
// period and the delete of one with its rows. Without widgets; every write in one transaction.
#include <QDate>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace db {
class Connection;
}

namespace contabilita {

enum class Periodicita { Trimestrale, Mensile };

// The names of one kind's tables and columns.
struct TabelleChiusura {
    QString testata;        // ContabilitaChiusuraIvaTrimestre, ContabilitaChiusuraIvaMensile
    QString righe;          // ...Righe
    QString righeNonSoggette; // ...RigheNonSoggetta
    QString legame;         // ContabilitaChiusuraIvaTrimestre_ID, ContabilitaChiusuraIvaMensile_ID
    QString periodo;        // Trimestre, Mese
    QString credito;        // CreditoResiduoTrimestrePassato, CreditoResiduoMesePassato
};
const TabelleChiusura &tabelle(Periodicita p);

// The first and the last day of a period; nothing for a year outside 1000-9999 or a period
// outside 1-4 (quarters) or 1-12 (months). The last day counts up to 23:59:59.
struct Periodo {
    QDate inizio;
    QDate fine;
};
std::optional<Periodo> periodo(Periodicita p, int anno, int numero);
// The period before: quarter 4 (December) of the year before for the first one.
std::pair<int, int> periodoPrecedente(Periodicita p, int anno, int numero);

// The credit carried into a period from the row of the period before (the first row found):
// its carried credit + TotaleIvaCredito - TotaleIvaDebito when above 0, otherwise 0; 0 when the
// period before has no row.
double creditoRiportato(db::Connection &c, Periodicita p, int anno, int numero);

enum class EsitoCalcolo { Fatto, AnnoNonValido, PeriodoNonValido, NonTrovata };

// Rebuilds settlement `id` for `anno` and period `numero` (both written into its header, and for
// a month its name from Mesi): the carried credit, one row per VAT rate and side (purchases less
// supplier credit notes, sales less sales credit notes, cash receipts) in the taxable table, the
// N2.1/N2.2 rates in the non-subject table, and the header's totals. The rows of each document
// are summed by the documents' own VAT summary (vendite::Riepilogo), so a rate's figures are the
// sum of what the documents show. Nothing is written unless it all is. Throws DbError.
EsitoCalcolo calcolaChiusura(db::Connection &c, Periodicita p, qint64 id, int anno, int numero);

// Adds the period after the last one of the list (by year and period), or period 1 of
// `annoCorrente` when there is none or the last has no period, with the provisional carried
// credit: the last row's TotaleIvaCredito less its TotaleIvaDebito (each only when above 0),
// when above 0. Returns the new row's id. Throws DbError.
qint64 nuovoPeriodo(db::Connection &c, Periodicita p, int annoCorrente);

// Deletes a settlement with its taxable and non-subject rows, in one transaction. Throws DbError.
void eliminaChiusura(db::Connection &c, Periodicita p, qint64 id);

} // namespace contabilita

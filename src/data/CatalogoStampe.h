#pragma once
// The report catalogue: for each report code, the template the report program renders and the
// Access SQL it reads. A report is one row of a table; what depends on the current record or on
// a print form is a named placeholder in the SQL text ({Fattura}, {Anno} ...), filled in when
// the request is prepared.
#include "db/Query.h"

#include <QString>
#include <optional>
#include <vector>

class Tform_DB;

// What the user typed on the accounting print forms, read by codes 7, 17 (customer or supplier
// and date range), 24 and 27 (month, year, bank, opening balance). The form fills it just before
// it calls the dispatcher; the texts are taken as they stand in the boxes.
struct CriteriStampa {
    QString soggetto;      // key of the customer or supplier lookup; empty when it shows no choice
    QString daData;        // "dd/mm/yyyy"; a blank box ("  /  /    ") adds no condition
    QString aData;         // the whole last day is included
    QString mese;          // key of the month lookup (1-12)
    QString anno;          // the year box
    QString banca;         // key of the bank lookup
    QString saldoIniziale; // the opening balance box; blank writes no parameter
};
inline CriteriStampa CriteriStampaDigitati;

namespace stampe {

// Documents whose template follows the options: RigaIva adds "NoRigaIva" to the name when
// opzioni.DocumentiRigaIvato is false; Preventivo also takes the "2" templates (no prices)
// when opzioni.PrezzoPreventivo is false.
enum class Variante { Unica, RigaIva, Preventivo };
// SaldoPrimaNota: opzioni.SaldoInizialePrimaNota; SaldoDigitato: the balance of CriteriStampa.
enum class Parametro { Nessuno, SaldoPrimaNota, SaldoDigitato };
// The document codes print nothing without a current record.
enum class Richiede { Niente, NotaCreditoCorrente, FatturaCorrente };

struct Voce {
    int codice = 0;
    const char *report = nullptr;  // template name without ".rpt"
    bool landscape = true;         // false: the labels, whose landscape name repeats the portrait one
    Variante variante = Variante::Unica;
    bool filtro = false;
    bool testata = true;           // PresenzaTestata
    Parametro parametro = Parametro::Nessuno;
    Richiede richiede = Richiede::Niente;
    const char *query = nullptr;   // Access SQL with placeholders (UTF-8)
    const char *sottoreport1 = nullptr;
    const char *sottoreport2 = nullptr;
};

// Every code with an entry, in ascending order.
const std::vector<Voce> &catalogo();
// The entry of a code; nullptr for a code without one (0, 39, 40, 56, 61-64 ...).
const Voce *voce(int codice);

// The values of one TempStampa row, before it is written.
struct Richiesta {
    QString nomeReport;          // full paths; empty for a code without an entry
    QString nomeReportLandscape;
    QString query;               // null when the code writes none
    QString sottoreport1;
    QString sottoreport2;
    bool filtro = false;
    bool presenzaTestata = true;
    std::optional<double> parametro;
};

struct Esito {
    enum Tipo {
        Pronta,           // `richiesta` holds the request
        NienteDaStampare, // no current credit note or invoice: stop without a word
        CriteriNonValidi  // `messaggio` says what to correct on the print form
    };
    Tipo tipo = Pronta;
    Richiesta richiesta;
    QString messaggio;
};

// A column of the options row (the row is read when the start-up has not opened it yet).
db::Field opzione(Tform_DB &dati, const char *campo);

// The request of `codice` from the current rows of the data module's shared queries, the globals
// DaSequestro and NomeComputerLocale, the options row and the typed criteria. The templates are
// looked for in `cartellaReport`. Ids from empty datasets read 0 (an empty report).
Esito preparaRichiesta(int codice, Tform_DB &dati, const CriteriStampa &criteri, const QString &cartellaReport);

} // namespace stampe

#pragma once
// The report catalogue, a service without widgets: for each report code, the template the report program renders and the
// Access SQL it reads. A report is one row of a table; what depends on the current record or on
// a print form is a named placeholder in the SQL text ({Fattura}, {Anno} ...), filled in when
// the request is prepared.
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace db {
class Connection;
}

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

// The current records a report may be about, as ids; an absent one has no current record.
// From a seizure (`daSequestro`), `fattura` and `preventivo` are the seizure's own invoice and
// quote, and the invoice documents print even without one (an empty report).
struct Chiavi {
    std::optional<qint64> notaCredito, fattura, preventivo, cliente, fornitore, vettura, personale;
    bool daSequestro = false;
};

// The options that shape a request.
struct Opzioni {
    bool prezzoPreventivo = false;
    bool documentiRigaIvato = false;
    double saldoInizialePrimaNota = 0;
    bool stampanteDefault = false;
    int tipoEsportazione = 0;
};
Opzioni leggiOpzioni(db::Connection &c);

// The request of `codice` for these records, typed criteria and options; `postazione` names
// this workstation in the codes limited to its rows. The templates are looked for in
// `cartellaReport`. Nothing is written.
Esito prepara(int codice, const Chiavi &chiavi, const CriteriStampa &criteri, const Opzioni &opzioni, const QString &postazione,
              const QString &cartellaReport);

// How the request row is written: with the printer dialog, or exported to a file.
struct Scrittura {
    bool setup = false;
    bool esporta = false;
    QString file;
    int tipoEsportazione = 0;
};
// Replaces this workstation's TempStampa row by `r` (none when null) in one transaction, so the
// report program finds it the moment it starts. Throws DbError (nothing changed).
void scriviRichiesta(db::Connection &c, const QString &postazione, const Richiesta *r, const Scrittura &w);

} // namespace stampe

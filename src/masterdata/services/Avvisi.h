#pragma once
// The customer notice, without widgets: the customers a set of filters finds, this workstation's
// notice text and the customers chosen for it. The report of the notices reads the two
// per-workstation tables, so two workstations preparing notices never touch each other's rows.
#include <QList>
#include <QString>

namespace db {
class Connection;
}

namespace avvisi {

struct Filtri {
    int pagamento = -1;   // payment method key; 0 or less: no filter
    int categoria = -1;   // customer category key
    int comune = -1;      // town key
    QString provincia;    // two-letter code; empty: no filter
    QString note;         // beginning of the notes ("*" is a wildcard); empty: no filter
    QString daScadenza;   // "dd/mm/yyyy": instalments due on or after; empty: no bound
    QString aScadenza;    // "dd/mm/yyyy": instalments due on or before, the whole day
    bool pubblicaAmministrazione = false;
    bool pagamentoEffettuato = false; // paid instalments instead of unpaid ones
};

// The customers' query of the filters. Every typed text is placed as a literal with its
// apostrophes doubled; a date box that is not a date throws std::invalid_argument.
QString sqlClienti(const Filtri &f);

struct Cliente {
    int id = 0;
    QString nominativo; // NominativoVisualizzato
};
// The customers found, in the query's order, those without a displayed name left out.
QList<Cliente> clienti(db::Connection &c, const Filtri &f);

// This workstation's notice text (its one TempAvvisi row, created when missing).
void salvaTesto(db::Connection &c, const QString &postazione, const QString &testo);
QString testo(db::Connection &c, const QString &postazione);

// Replaces this workstation's chosen customers, in one transaction.
void scegli(db::Connection &c, const QString &postazione, const QList<int> &clienti);

} // namespace avvisi

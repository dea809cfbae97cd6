#pragma once
// The balance (TempBilancio) and the account statement (TempContabilitaConto) of a period, built
// into this workstation's rows for the report program. Without widgets; each build is one
// transaction, so a failure leaves the previous build.
#include <QDate>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace db {
class Connection;
}

namespace contabilita {

// A period typed on the accounting print form: both dates as "dd/mm/yyyy", the last day
// counting up to 23:59:59.
struct PeriodoStampa {
    QDate dal;
    QDate al;
    QString etichetta; // "Dal 01/01/2025 al 31/12/2025"
};
// Nothing when either text is not a real date.
std::optional<PeriodoStampa> periodoStampa(const QString &dal, const QString &al);

// Replaces this workstation's balance: one row per account of the chart with movements in the
// period, its signed net (revenues plus, costs minus) rounded to the cent: purchase rows minus,
// supplier credit-note rows plus (by registration date), sales rows plus and sales credit-note
// rows minus (quantity × price less discount, by document date), cash-book incomes plus and
// expenses minus, and one row for the cash receipts without their VAT on the default receipts
// account. Returns the rows written. Throws DbError (nothing changed).
int calcolaBilancio(db::Connection &c, const QString &postazione, const PeriodoStampa &periodo);

// Replaces this workstation's statement of account `conto`: one row per movement of the period
// booked to it, with its kind (1-6) and its own amount. Returns the rows written. Throws DbError
// (nothing changed).
int calcolaSituazioneConto(db::Connection &c, const QString &postazione, qint64 conto, const PeriodoStampa &periodo);

} // namespace contabilita

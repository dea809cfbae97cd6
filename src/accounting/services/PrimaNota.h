#pragma once
// The cash book's money: totals of a set of rows and the opening balance of a period.
#include <QDate>
#include <QVariant>
#include <QtGlobal>

namespace db {
class Connection;
}

namespace primanota {

struct Totali {
    double entrate = 0;
    double uscite = 0;
    double saldo = 0; // entrate - uscite
};

// Adds amounts in whole cents, so that a total is exact for any number of rows: each amount is
// rounded to the cent (halves away from zero) before it is added. Empty amounts count as 0.
class Sommatore {
public:
    void aggiungi(const QVariant &entrata, const QVariant &uscita);
    Totali totali() const;
    qint64 centesimiEntrate() const { return m_entrate; }
    qint64 centesimiUscite() const { return m_uscite; }

private:
    qint64 m_entrate = 0;
    qint64 m_uscite = 0;
};

// An amount rounded to the cent, in cents; empty or not a number gives 0.
qint64 centesimi(const QVariant &importo);

// The opening balance of the whole cash book on `primoGiorno`: opzioni.SaldoInizialePrimaNota
// plus every income minus every outgoing dated before that day (every kind of book, every bank,
// history included). Throws DbError.
double saldoIniziale(db::Connection &c, const QDate &primoGiorno);

// The opening balance of the own bank account `banca` on `primoGiorno`: the bank's
// SaldoInizioAnno (0 when empty or when the bank is missing) plus the incomes minus the
// outgoings of the rows carrying that bank dated before that day, of every kind of book.
// Throws DbError.
double saldoInizialeBanca(db::Connection &c, qint64 banca, const QDate &primoGiorno);

} // namespace primanota

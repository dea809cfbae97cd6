#pragma once
// The registration progressive of a new purchase invoice, taken inside the transaction that
// stores it, and the warnings about numbers already in the archive (they only warn).
#include <QDate>
#include <QString>
#include <functional>

namespace db {
class Connection;
class Query;
}

namespace acquisti {

// The next registration progressive of a purchase document: 1 + the highest ProgressivoCarico
// of the purchase documents not in history and registered in the year of `oggi` (or without a
// registration date), among purchase invoices only, or among purchase invoices and supplier
// credit notes together when opzioni.NumerazioneUnicaNoteCredito is set; 1 when there is none.
// A document of a past year left unmarked (the program running across the new year) never
// continues its year's sequence.
qint64 prossimoProgressivo(db::Connection &c, bool notaCredito, const QDate &oggi);

struct NuovaFattura {
    QDate oggi; // Data and DataRegistrazione of the new invoice, and the year of its progressive
    // Called on the new row, before it is stored, inside the transaction: the saved default
    // values of the purchase invoice ("fatturaCarico"), which may replace any value set here.
    std::function<void(db::Query &nuovo)> valoriPredefiniti;
};

struct FatturaCreata {
    qint64 id = 0;          // fattura.ID
    qint64 progressivo = 0; // ProgressivoCarico
};

// Stores a new purchase invoice in one transaction holding the numbering's lock from the reading
// of the highest progressive to the commit, so that two workstations never take the same one:
// Num 1, the progressive, Storico false (a new invoice is of the current year whatever period the
// list shows), Carico true, FattNota false, Data and DataRegistrazione `oggi`, ModPagamento_Id
// opzioni.Carico_ModPagamento_Id and Banca_ID opzioni.Bank_ID. Throws DbError (nothing stored).
FatturaCreata nuovaFattura(db::Connection &c, const NuovaFattura &d);

// The duplicate checks of the purchase-invoice editor. Each counts the other rows (not `id`)
// and only informs: nothing is refused. Every value is bound.
//
// Other purchase invoices (not credit notes) of the same supplier with the same number and date;
// 0 without a number, a date or a supplier.
int stessoNumeroDelFornitore(db::Connection &c, qint64 id, const QString &numero, const QDate &data, qint64 fornitore);
// Other purchase documents of either kind, history included, with the same registration
// progressive in the year of `dataRegistrazione` (an invalid date counts as the year 1899).
int stessoProgressivo(db::Connection &c, qint64 id, qint64 progressivo, const QDate &dataRegistrazione);
// Other purchase documents of either kind and of any supplier with the same number and date;
// 0 without a number or a date.
int stessoNumeroEData(db::Connection &c, qint64 id, const QString &numero, const QDate &data);

// The texts of the three warnings (message, caption).
struct Avviso {
    QString testo;
    QString titolo;
};
Avviso avvisoNumeroDelFornitore(const QString &numero, int quanti);
Avviso avvisoProgressivo(qint64 progressivo, int quanti);
Avviso avvisoNumeroEData(const QString &numero, int quanti);

} // namespace acquisti

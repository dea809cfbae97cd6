#pragma once
// The rows of a sales invoice (fattdett) the editor adds: rows from tariffs of the price list,
// the transport and collection-cost rows and the free row; the amounts of one row; the last
// price a customer was charged for an article.
#include <QDateTime>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace db {
class Connection;
}

namespace vendite {

// Whose rows: a sales invoice's (fattdett, linked by NumFatt) or a sales credit note's
// (NotaCreditoRighe, linked by NotaCredito_ID). Both are fattura rows; what differs is the rows'
// table and link, the options' default accounts, and what a new row takes from a tariff.
enum class Righe {
    Fattura,
    NotaCredito,
};

// The amounts of one row: the net of quantity × unit price less the discount (not rounded),
// and the gross, net plus VAT at the row's rate, to the cent. The rate keeps its decimals (5.5
// is 5.5%); a discount or a rate of 0 or less is not applied; a quantity or a price of 0 gives 0.
struct ImportiRiga {
    double imponibile = 0; // TotaleImponibile
    double totale = 0;     // ValoreTotale
};
ImportiRiga importiRiga(double quantita, double prezzo, double sconto, double aliquota);

// The NumeroRiga of a new row of the invoice: with opzioni.IncrementaNumeroRigaArticoli the
// invoice's stored rows + 1, else 1.
int numeroNuovaRiga(db::Connection &c, qint64 idFattura);
int numeroNuovaRiga(db::Connection &c, Righe righe, qint64 idDocumento);

// One row per tariff (prezziar.Id), in the order given, in one transaction; returns the Idx of
// the rows written in that order. Each row: quantity 1, the tariff's description, code, price,
// VAT rate and row, department and unit; TipoRiga "N"; dated with the invoice's date (today
// without one); account opzioni.conto_ID_Predefinito_su_FattureVendita_Generale. Discount: the
// tariff's, replaced by the customer's (Clienti.Sconto of the invoice's customer, also when it
// is 0) unless the tariff has a fixed price (PrezzoImposto). Ids that are no tariff are
// skipped. Throws DbError (nothing written) when the invoice does not exist.
QList<qint64> righeDaTariffe(db::Connection &c, qint64 idFattura, const QList<qint64> &tariffe);
// The same for a credit note's rows (Righe::NotaCredito): account
// opzioni.conto_ID_Predefinito_su_NoteCreditoVendita_Generale, and the tariff's department and
// unit are not copied.
QList<qint64> righeDaTariffe(db::Connection &c, Righe righe, qint64 idDocumento, const QList<qint64> &tariffe);

enum class RigaSpeciale {
    SpeseTrasporto, // "T", "Spese di Trasporto": opzioni.Spese_di_Trasporto, VAT included
    SpeseIncasso,   // "S", "Spese di Incasso": opzioni.Spese_di_Incasso, VAT included
    Articolo,       // "A", "Articolo da inserire": unit price 1, for the user to complete
};

// Writes one special row with quantity 1 at the options' VAT rate (opzioni.AliquotaIva and
// Iva_Id) and returns its Idx. The cost rows take the unit price back from their VAT-included
// amount (to 4 decimals) and keep that amount as their gross; the free row's gross is 1 plus
// VAT at that rate. The transport row's period starts on the invoice's transport date (today
// without one). Throws DbError (nothing written) when the invoice does not exist.
qint64 rigaSpeciale(db::Connection &c, qint64 idFattura, RigaSpeciale tipo);
// The same for a credit note's rows: the accounts of the credit notes
// (opzioni.conto_ID_Predefinito_su_NoteCreditoVendita_*), and the transport row has no period.
qint64 rigaSpeciale(db::Connection &c, Righe righe, qint64 idDocumento, RigaSpeciale tipo);

// The rows' table, their link to the document and the options' accounts prefix of a kind.
struct TabellaRighe {
    QString tabella;   // fattdett, NotaCreditoRighe
    QString legame;    // NumFatt, NotaCredito_ID
    QString conti;     // conto_ID_Predefinito_su_FattureVendita_, ..._NoteCreditoVendita_
    bool quattroSconti = false; // the rows carry Sconto2 .. Sconto4 too (purchase rows), applied in cascade
};
TabellaRighe tabellaRighe(Righe righe);

// The last price the customer was charged for the article in another sales invoice of any
// year (credit notes and purchases never count): the latest invoice date first.
struct UltimoPrezzo {
    QDateTime data;
    double valoreUnitario = 0;
    double sconto = 0;
};
std::optional<UltimoPrezzo> ultimoPrezzo(db::Connection &c, qint64 idCliente, qint64 idFatturaEsclusa, qint64 idArticolo);

} // namespace vendite

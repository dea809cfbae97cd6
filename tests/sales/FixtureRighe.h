#pragma once
// A small sales invoice for the tests of its rows: the invoice editor Form7 with the row editor
// and the price list, an invoice of 10/03/2026 with a payment method in two instalments, two
// VAT rates, a customer and a few tariffs. The shared datasets are pointed at the invoice as the
// invoice list points them before it shows the editor.
#include "Banco.h"

#include <QStringList>
#include <memory>

namespace fixture_righe {

// Iva 1 is 22%, 2 is 10%, 3 is 5.5%; payment method 1 pays in two instalments at 30 and 60
// days; customer 1 "Rossi Mario" has discount 5 and 100 km; tariffs (type 2 unless said):
// "TR1" "Traino urbano" 12.50 with discount 10 at 22%, "CU1" "Custodia" 30 at 10%, "SU1"
// "Supplemento notturno" 20 at 22% (type 5, the supplements). Invoice number 1 (tariff type 2)
// has no customer and no rows; opzioni: VAT 22 (Iva 1), transport costs 61, collection costs 5,
// rows numbered after the existing ones.
std::unique_ptr<banco::Banco> crea(const QStringList &altreForm = {}, const QStringList &altroSql = {});

// The id of invoice number `num`.
qint64 idFattura(int num = 1);

// Makes the invoice current in Table3 and points Table4 and TableFatturaScadenze at its rows
// and instalments, with the schedule built from its payment method.
void puntaFattura(qint64 id);

// "TotImponibile/TotImposta/TotFattura" of the invoice as stored, in cents.
QString totali(qint64 id);
// The invoice's instalment amounts as stored, in cents, in due-date order.
QList<qint64> rate(qint64 id);

} // namespace fixture_righe

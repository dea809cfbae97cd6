#pragma once
// A small archive for the quote tests: VAT rates, customers, tariffs and a few quotes, the
// named forms on the form tests' bench, and the quote made current with its rows pointed at it
// as the quote list points them before it shows the editor.
#include "Banco.h"

#include <QStringList>
#include <memory>

namespace fixture_preventivi {

// Iva 1 is 22%, 2 is 10%; opzioni VAT 22 (Iva 1), rows numbered after the existing ones.
// Customers 1 "Rossi Srl" (discount 5) and 2 "d'Amico" (no discount). Tariffs (type 2 unless
// said): "TR1" "Traino urbano" 12.50 (final 15.25) with discount 10 at 22%, "CU1" "Custodia"
// 30 at 10%, "SU1" "Supplemento notturno" 20 at 22% (type 5, the supplements). Quotes of 2026
// not in history: 10 (n. 1, 01/03, "Rossi Srl", customer 1, plate AB'123, tariff type 2, two
// rows), 11 (n. 2, 05/03, "d'Amico", customer 2, plate CD456), 12 (n. 3, 10/03, "Rossi Srl",
// customer 1, plate EF789); 13 (n. 41, 10/01/2025, in history).
std::unique_ptr<banco::Banco> crea(const QStringList &forms, const QStringList &altroSql = {});

// Makes quote `id` current in Table16 and points Table11 at its rows.
void punta(qint64 id);

// "TotImponibile/TotImposta/TotalePreventivo" of the quote as stored, in cents.
QString totali(qint64 id);

} // namespace fixture_preventivi

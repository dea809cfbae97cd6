#pragma once
// A small office for the sales-invoice tests: customers, a bank account, payment methods and a
// few invoices, and the side datasets pointed at one invoice as the invoice list points them.
#include <QStringList>

namespace fixture_fatture {

// Customers 1 "Rossi Srl" (payment method 3, e-mail, split payment) and 2 "Comune di Prova"
// (public administration, no payment method, no e-mail); bank account 1; payment methods
// 2 "Rimessa diretta" (one instalment) and 3 "30 60 gg" (two); the series "B"; the options' defaults bank 1 and
// method 2; invoices of 2026: 10 (n. 1, 01/03, Rossi, plate AB'123, bank 1, method 3, 100 +
// 22), 11 (n. 2, 05/03, Comune, plate CD456, method 2), 12 (n. 3, 10/03, Rossi, series B);
// invoice 13 (n. 7, 2025, in history) with a paid instalment; orders "ORD-10" (10) and
// "ORD-11/ORD-1X" (11).
QStringList righe();

// Makes invoice `id` current in Table3 and points the rows, instalments, quote links, orders
// and attachments at it, as the list does before it shows the editor.
void punta(qint64 id);

} // namespace fixture_fatture

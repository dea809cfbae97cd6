#pragma once
// What the tests of the sales-invoice editor's side pages share: a small archive (customer 5,
// invoice 1 with three instalments of which the first is paid, quote 12 of the customer with
// rows N, T and S, carriage terms, appearances, staff) on the form tests' bench, and the side
// datasets pointed at one invoice as the invoice list points them before showing the editor.
#include "Banco.h"

#include <QStringList>
#include <memory>

namespace fixture_pagine {

// The bench with the named forms over the small archive, plus `altre` rows of the test.
std::unique_ptr<banco::Banco> banco(const QStringList &forms, const QStringList &altre = {});

// Makes the invoice current in Table3 and points its rows, instalments, orders, quote links
// and attachments at it.
void puntaFattura(qint64 id);

// A stand-in for the instalment detail while the program has none of its own: a detail on
// TableFatturaScadenze with the components the invoice editor prepares (Label2, LookFornitori,
// LookClienti). Registered once under "frmScadenziarioDettaglio" when no unit registers it.
void registraDettaglioScadenze();

// The same for the seizure list "frmGrigliaSequestri": a list over TableSequestri whose pick mode
// the invoice editor drives.
void registraGrigliaSequestri();

} // namespace fixture_pagine

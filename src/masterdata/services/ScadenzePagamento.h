#pragma once
// The rule of a payment method's instalments: how many there are (0 to 12), which day boxes
// must be filled for them, and the largest day count kept. The detail form applies it to what
// its boxes show; nothing here reads or writes the database.
#include <QString>
#include <QStringList>

namespace anagrafiche {

inline constexpr int kMassimoScadenze = 12; // ModPagamento has twelve day columns
inline constexpr int kMassimoGiorni = 360;

enum class EsitoScadenze {
    Valide,
    MancaGiornoUnico, // one instalment and its day box empty
    MancaUnGiorno     // 2 to 12 instalments and one of their day boxes empty
};

struct ControlloScadenze {
    EsitoScadenze esito = EsitoScadenze::Valide;
    int casella = 0;    // the day box (1 to 12) that takes the focus: the last one required
    QString messaggio;  // what the user is told; empty when valid
};

// The count as stored: an empty box is 0; the count never goes above 12 nor below 0.
int numeroScadenzeAmmesso(const QString &testo);
// A day count as stored: above 360 it becomes 360.
int giorniAmmessi(int giorni);

// Checks the day boxes (their texts, 1° first) against the count `numero`: for a count of 1 to
// 12 each of the first `numero` boxes must hold something. Boxes beyond the count are not
// looked at; a missing box in `giorni` counts as empty.
ControlloScadenze controllaScadenze(int numero, const QStringList &giorni);

} // namespace anagrafiche

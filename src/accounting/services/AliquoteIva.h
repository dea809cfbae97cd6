#pragma once
// The rule every VAT rate keeps: a rate of 0 names its exemption nature, any other rate none.
#include <QString>

namespace contabilita {

enum class EsitoAliquota {
    Valida,       // stored as it is
    TogliNatura,  // a taxed rate carrying a nature: the nature goes
    MancaNatura   // a rate of 0 without a nature: refused
};

// The rate compared exactly with 0, as stored; `natura` as the nature field holds it.
EsitoAliquota controllaAliquota(double iva, const QString &natura);

} // namespace contabilita

#include "AliquoteIva.h"

namespace contabilita {

EsitoAliquota controllaAliquota(double iva, const QString &natura)
{
    const bool conNatura = !natura.trimmed().isEmpty();
    if (iva != 0) return conNatura ? EsitoAliquota::TogliNatura : EsitoAliquota::Valida;
    return conNatura ? EsitoAliquota::Valida : EsitoAliquota::MancaNatura;
}

} // namespace contabilita

#include "ScadenzePagamento.h"

#include <algorithm>

namespace anagrafiche {

int numeroScadenzeAmmesso(const QString &testo)
{
    bool ok = false;
    const qlonglong n = testo.trimmed().toLongLong(&ok);
    if (!ok) return 0;
    return int(std::clamp<qlonglong>(n, 0, kMassimoScadenze));
}

int giorniAmmessi(int giorni) { return std::min(giorni, kMassimoGiorni); }

ControlloScadenze controllaScadenze(int numero, const QStringList &giorni)
{
    ControlloScadenze r;
    if (numero < 1 || numero > kMassimoScadenze) return r;
    for (int i = 0; i < numero; ++i) {
        if (!giorni.value(i).isEmpty()) continue;
        r.casella = numero;
        if (numero == 1) {
            r.esito = EsitoScadenze::MancaGiornoUnico;
            r.messaggio = QStringLiteral("Attenzione manca il numero dei Giorni di scadenza Pagamento");
        } else {
            r.esito = EsitoScadenze::MancaUnGiorno;
            r.messaggio = QStringLiteral("Attenzione manca un numero dei Giorni di scadenza Pagamento");
        }
        return r;
    }
    return r;
}

} // namespace anagrafiche

#include "Storico.h"

#include "db/Command.h"
#include "db/Transaction.h"

namespace storico {

QStringList istruzioni(const QDate &oggi)
{
    const int anno = oggi.year();
    // 1 January of this year and of the next (day and month read the same either way round);
    // R is this year's first day as the workstation writes a date, which is the same text.
    const QString D = QStringLiteral("01/01/%1").arg(anno);
    const QString E = QStringLiteral("01/01/%1").arg(anno + 1);
    const QString &R = D;
    return {
        "UPDATE finanzia SET Storico = true where Storico = false and Data < #" + D + "#",
        "UPDATE finanzia SET Storico = false where Storico = true and Data >= #" + D + "# and Data <#" + E + "#",
        "UPDATE Calendario SET Storico = true where Conclusa=true and Storico = false and Data < #" + D + "#",
        "UPDATE Calendario SET Storico = false where Conclusa=false and Storico = true and Data >= #" + D + "# and Data <#" + E + "#",
        "UPDATE Fattura SET Storico = false where Storico = true and Carico = false and Data >= #" + D + "# and Data <#" + E + "#",
        "UPDATE Fattura SET Storico = false where Storico = true and Carico = true and DataRegistrazione >= #" + D
            + "# and DataRegistrazione <#" + E + "#",
        "UPDATE PreventiTestata SET Storico = false WHERE Storico = true and Data >= #" + D + "# and Data <#" + E + "#",
        "UPDATE Fattura SET Storico = true WHERE Storico = false and Carico = false and Data < #" + R + "#",
        "UPDATE Fattura SET Storico = true WHERE Storico = false and Carico = true and DataRegistrazione < #" + R + "#",
        "UPDATE PreventiTestata SET Storico = true where Storico = false and Data < #" + R + "#",
        "UPDATE Sequestri SET Storico = true where Storico = false and Data < #" + R + "#",
        "UPDATE FatturaScadenze SET Pagato = true where Pagato = false and DataPagamento Is Not Null",
        "UPDATE FatturaScadenze SET Pagato = false where Pagato = true and DataPagamento Is Null",
    };
}

QList<int> aggiorna(db::Connection &c, const QDate &oggi)
{
    return db::inTransaction(c, [&] {
        QList<int> cambiate;
        for (const QString &s : istruzioni(oggi)) cambiate << db::Command::execute(&c, s);
        return cambiate;
    });
}

} // namespace storico

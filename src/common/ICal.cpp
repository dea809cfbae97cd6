#include "ICal.h"
#include "TextUtils.h"

namespace common {

QString ScriviEventoICal(const iCal &evento)
{
    struct Proprieta {
        const char *nome;
        int campo;
        bool testoLibero; // semicolons would split the value
    };
    static const Proprieta righe[] = {
        {"CREATED:", 0, false},       {"DESCRIPTION:", 1, true}, {"DTEND:", 3, false},
        {"DTSTAMP:", 4, false},       {"DTSTART:", 2, false},    {"LAST-MODIFIED:", 5, false},
        {"LOCATION:", 6, true},       {"PRIORITY:", 7, false},   {"SEQUENCE:", 8, false},
        {"SUMMARY;LANGUAGE=it-IT:", 9, true}, {"TRANSP:", 10, false}, {"UID:", 11, false},
    };
    QString testo = QStringLiteral("BEGIN:VEVENT\n");
    for (const Proprieta &p : righe) {
        const QString &valore = evento.campi[p.campo];
        if (!valore.isEmpty())
            testo += QLatin1String(p.nome) + (p.testoLibero ? SostituisciPuntoEVirgola(valore) : valore) + u'\n';
    }
    testo += QStringLiteral("X-MICROSOFT-CDO-BUSYSTATUS:BUSY\n"
                            "X-MICROSOFT-CDO-IMPORTANCE:1\n"
                            "X-MICROSOFT-DISALLOW-COUNTER:FALSE\n"
                            "X-MS-OLK-ALLOWEXTERNCHECK:TRUE\n"
                            "X-MS-OLK-AUTOFILLLOCATION:FALSE\n"
                            "X-MS-OLK-CONFTYPE:0\n"
                            "END:VEVENT\n");
    return testo;
}

QString DataOraICal(const QDateTime &dataOra)
{
    return dataOra.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

} // namespace common

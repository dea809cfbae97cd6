#include "ICal.h"
#include "ContentLines.h"

namespace common {

QString ScriviEventoICal(const iCal &evento)
{
    struct Proprieta {
        const char *nome;
        int campo;
        bool testo; // a TEXT value, escaped
    };
    static const Proprieta righe[] = {
        {"CREATED:", 0, false},       {"DESCRIPTION:", 1, true}, {"DTEND:", 3, false},
        {"DTSTAMP:", 4, false},       {"DTSTART:", 2, false},    {"LAST-MODIFIED:", 5, false},
        {"LOCATION:", 6, true},       {"PRIORITY:", 7, false},   {"SEQUENCE:", 8, false},
        {"SUMMARY;LANGUAGE=it-IT:", 9, true}, {"TRANSP:", 10, false}, {"UID:", 11, true},
    };
    static const char *const fisse[] = {"X-MICROSOFT-CDO-BUSYSTATUS:BUSY", "X-MICROSOFT-CDO-IMPORTANCE:1",
                                        "X-MICROSOFT-DISALLOW-COUNTER:FALSE", "X-MS-OLK-ALLOWEXTERNCHECK:TRUE",
                                        "X-MS-OLK-AUTOFILLLOCATION:FALSE", "X-MS-OLK-CONFTYPE:0", "END:VEVENT"};
    QString testo = RigaContenuto(QStringLiteral("BEGIN:VEVENT"));
    for (const Proprieta &p : righe) {
        const QString &valore = evento.campi[p.campo];
        if (!valore.isEmpty()) testo += RigaContenuto(QLatin1String(p.nome) + (p.testo ? TestoEscape(valore, true) : valore));
    }
    for (const char *riga : fisse) testo += RigaContenuto(QLatin1String(riga));
    return testo;
}

QString DataOraICal(const QDateTime &dataOra)
{
    return dataOra.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

} // namespace common

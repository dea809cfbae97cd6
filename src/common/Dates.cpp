#include "Dates.h"

#include "db/DateTimeText.h"

#include <QDate>
#include <stdexcept>

namespace common {

namespace {

QDate leggiData(const QString &testo)
{
    const QDateTime letta = db::parseDayFirst(testo);
    if (!letta.isValid())
        throw std::invalid_argument(QStringLiteral("\"%1\" non è una data valida").arg(testo).toStdString());
    return letta.date();
}

QDate fineDelMese(const QDate &d) { return QDate(d.year(), d.month(), d.daysInMonth()); }

} // namespace

QString DataSql(const QString &data)
{
    const QDate d = leggiData(data);
    return QStringLiteral("%1/%2/%3").arg(d.month()).arg(d.day()).arg(d.year());
}

QString CalcolaScadenza(const QString &dataInizio, int giorni, bool fineMese, bool annoCommerciale,
                        bool daFineMeseInizio)
{
    QDate d = leggiData(dataInizio);
    const bool daFineInizio = fineMese && daFineMeseInizio;
    if (!annoCommerciale) {
        if (daFineInizio) d = fineDelMese(d);
        d = d.addDays(giorni);
        if (fineMese && !daFineInizio) d = fineDelMese(d);
    } else {
        const int mesi = giorni / 30;
        const int resto = giorni - 30 * mesi;
        if (mesi > 0) d = d.addMonths(mesi); // a shorter month moves the day back to its last
        if (daFineInizio) d = fineDelMese(d);
        if (resto > 0) d = d.addDays(resto);
        if (fineMese && !daFineInizio) d = fineDelMese(d);
    }
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace common

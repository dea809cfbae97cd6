#include "TrovaFattura.h"

#include "common/SqlText.h"

#include <QDate>
#include <QStringList>

namespace vendite {

namespace {

const QString kFormatoData = QStringLiteral("dd/MM/yyyy");

// A number or series box counts when it holds something other than "*".
bool conta(const QString &testo) { return !testo.trimmed().isEmpty() && testo.trimmed() != QLatin1String("*"); }

// A date box counts when it holds a digit: the empty mask shows only blanks and slashes.
bool haCifre(const QString &testo)
{
    for (const QChar c : testo)
        if (c.isDigit()) return true;
    return false;
}

} // namespace

FiltroTrovaFattura filtroTrovaFattura(const CriteriTrovaFattura &k)
{
    FiltroTrovaFattura f;
    const auto data = [&f](const QString &testo, const char *casella, QDate &d) {
        const QString t = testo.trimmed();
        if (!haCifre(t)) return false;
        d = QDate::fromString(t, kFormatoData);
        if (!d.isValid()) {
            f.errore = QStringLiteral("Attenzione data non valida: %1").arg(t);
            f.casella = QLatin1String(casella);
        }
        return true;
    };
    const auto numero = [&f](const QString &testo, const char *casella, qint64 &n) {
        if (!conta(testo)) return false;
        bool ok = false;
        n = testo.trimmed().toLongLong(&ok);
        if (!ok) {
            f.errore = QStringLiteral("Attenzione numero non valido: %1").arg(testo.trimmed());
            f.casella = QLatin1String(casella);
        }
        return true;
    };

    // Every box is checked before anything is built, so a wrong box never half-filters.
    QDate da, a;
    qint64 daNumero = 0, aNumero = 0;
    const bool conDa = data(k.daData, "maskDaData", da);
    if (!f.valido()) return f;
    const bool conA = data(k.aData, "maskAData", a);
    if (!f.valido()) return f;
    const bool conDaNumero = numero(k.daNumero, "txtDaNumero", daNumero);
    if (!f.valido()) return f;
    const bool conANumero = numero(k.aNumero, "txtANumero", aNumero);
    if (!f.valido()) return f;

    QStringList condizioni;
    // Dates in the filter language are day first; rows of the end day may carry a time.
    if (conDa) condizioni << QStringLiteral("Data >= #%1#").arg(da.toString(kFormatoData));
    if (conA) condizioni << QStringLiteral("Data < #%1#").arg(a.addDays(1).toString(kFormatoData));
    if (conDaNumero) condizioni << QStringLiteral("Numero >= %1").arg(daNumero);
    if (conANumero) condizioni << QStringLiteral("Numero <= %1").arg(aNumero);
    if (k.cliente > 0) {
        // The documents carry the customer's document name, which may differ from the name the
        // box shows: by id whenever the query allows it.
        if (k.clientePerId) condizioni << QStringLiteral("Cliente_ID = %1").arg(k.cliente);
        else condizioni << QStringLiteral("Cliente = '") + common::RaddoppiaApici(k.nomeCliente) + u'\'';
    }
    if (conta(k.serie)) condizioni << QStringLiteral("Serie = '") + common::RaddoppiaApici(k.serie.trimmed()) + u'\'';
    f.filtro = condizioni.join(QStringLiteral(" and "));
    return f;
}

} // namespace vendite

#include "Calendario.h"

#include "common/ICal.h"
#include "common/SqlText.h"
#include "db/Connection.h"
#include "db/DateTimeText.h"
#include "db/Query.h"

#include <QStringList>

namespace calendario {

namespace {

const QString kFormatoData = QStringLiteral("dd/MM/yyyy");

bool conta(const QString &testo) { return !testo.isEmpty() && testo != QLatin1String("*"); }

QString prefisso(const QString &colonna, const QString &testo)
{
    return colonna + QStringLiteral(" like '") + common::RaddoppiaApici(testo) + QStringLiteral("*'");
}

QString giornoFiltro(const QDate &d) { return u'#' + d.toString(kFormatoData) + u'#'; }

QString riga(const QString &testo) { return testo + QStringLiteral("\r\n"); }

} // namespace

FiltroCalendario filtroRicerca(const CriteriCalendario &k)
{
    FiltroCalendario f;
    QStringList condizioni;
    if (conta(k.personale)) condizioni << prefisso(QStringLiteral("Personale"), k.personale);
    if (conta(k.tipologia)) condizioni << prefisso(QStringLiteral("TipologiaCalendario"), k.tipologia);
    if (conta(k.cliente)) condizioni << prefisso(QStringLiteral("Cliente"), k.cliente);
    if (conta(k.note)) condizioni << prefisso(QStringLiteral("Note"), k.note);
    if (k.giornoAttivo && k.giorno.isValid()) {
        condizioni << QStringLiteral("Data >= ") + giornoFiltro(k.giorno);
        condizioni << QStringLiteral("Data < ") + giornoFiltro(k.giorno.addDays(1));
    } else {
        // A date counts only when complete; a complete text that is no date is refused.
        const auto data = [&f](const QString &testo, const char *casella) {
            const QString t = testo.trimmed();
            if (t.size() != 10) return QDate();
            const QDate d = QDate::fromString(t, kFormatoData);
            if (!d.isValid() && f.valido()) {
                f.errore = QStringLiteral("Attenzione data non valida: %1").arg(t);
                f.casella = QLatin1String(casella);
            }
            return d;
        };
        const QDate da = data(k.daData, "maskDaData");
        const QDate a = data(k.aData, "maskAData");
        if (!f.valido()) return f;
        if (da.isValid()) condizioni << QStringLiteral("Data >= ") + giornoFiltro(da);
        // Entries of the end day may carry a time: the bound is the next day's start.
        if (a.isValid()) condizioni << QStringLiteral("Data < ") + giornoFiltro(a.addDays(1));
    }
    f.filtro = condizioni.join(QStringLiteral(" and "));
    return f;
}

EsitoDate controllaDate(const QDateTime &data, const QDateTime &dataAvviso)
{
    if (!data.isValid()) return EsitoDate::MancaData;
    if (dataAvviso.isValid() && data.date() < dataAvviso.date()) return EsitoDate::AvvisoDopoData;
    return EsitoDate::Valide;
}

QList<Voce> voci(const db::Query &q)
{
    QList<Voce> r;
    const int id = q.fieldIndex(QStringLiteral("Id"));
    const int data = q.fieldIndex(QStringLiteral("Data"));
    const int personale = q.fieldIndex(QStringLiteral("Personale"));
    const int tipologia = q.fieldIndex(QStringLiteral("TipologiaCalendario"));
    const int cliente = q.fieldIndex(QStringLiteral("Cliente"));
    const int note = q.fieldIndex(QStringLiteral("Note"));
    const auto testo = [&q](int riga, int col) { return col < 0 ? QString() : q.valueAt(riga, col).toString(); };
    for (int i = 0; i < q.recordCount(); ++i) {
        Voce v;
        v.id = id < 0 ? 0 : q.valueAt(i, id).toLongLong();
        v.data = db::readCanonical(testo(i, data)).toDateTime();
        v.personale = testo(i, personale);
        v.tipologia = testo(i, tipologia);
        v.cliente = testo(i, cliente);
        v.note = testo(i, note);
        r << v;
    }
    return r;
}

QString sommario(const Voce &v)
{
    QString s;
    if (!v.personale.isEmpty()) s += v.personale + QStringLiteral(" - ");
    if (!v.tipologia.isEmpty()) s += v.tipologia + QStringLiteral(" / ");
    if (!v.cliente.isEmpty()) s += v.cliente + QStringLiteral(" : ");
    s += v.note;
    return s;
}

QString testoICal(const QList<Voce> &voci, const QDate &oggi, const QDateTime &adesso)
{
    QString t = riga(QStringLiteral("BEGIN:VCALENDAR")) + riga(QStringLiteral("VERSION:2.0"))
                + riga(QStringLiteral("PRODID:Calendario-Pellavantoria"));
    const QString creato = common::DataOraICal(QDateTime(oggi, QTime(0, 0)));
    const QString timbro = common::DataOraICal(adesso);
    for (const Voce &v : voci) {
        common::iCal e;
        e.campi[0] = creato;
        if (v.data.isValid()) e.campi[2] = e.campi[3] = common::DataOraICal(v.data);
        e.campi[4] = timbro;
        e.campi[9] = sommario(v);
        // The standard asks for a time stamp and a unique identifier: the same entry exported
        // again replaces itself in a calendar program instead of doubling.
        e.campi[11] = QStringLiteral("Calendario-%1@Pellavantoria").arg(v.id);
        t += common::ScriviEventoICal(e);
    }
    t += riga(QStringLiteral("END:VCALENDAR"));
    return t;
}

bool elimina(db::Connection &c, qint64 id)
{
    return c.execute(QStringLiteral("delete from Calendario where Id = :id"), {{QStringLiteral(":id"), id}}) > 0;
}

} // namespace calendario

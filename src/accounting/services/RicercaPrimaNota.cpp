#include "RicercaPrimaNota.h"

#include "common/SqlText.h"
#include "db/Connection.h"
#include "db/Query.h"

#include <QDate>
#include <QStringList>
#include <stdexcept>

namespace primanota {

namespace {

const QString kFormatoData = QStringLiteral("dd/MM/yyyy");

bool haCifre(const QString &testo)
{
    for (const QChar c : testo)
        if (c.isDigit()) return true;
    return false;
}

// The day a box holds, or an invalid date (`vuota` tells an empty box from a wrong text).
QDate leggiData(const QString &testo, bool &vuota)
{
    const QString t = testo.trimmed();
    vuota = !haCifre(t);
    if (vuota) return {};
    return QDate::fromString(t, kFormatoData);
}

QString letterale(const QDate &d) { return u'#' + d.toString(kFormatoData) + u'#'; }

// Access literals are month first.
QString letteraleSql(const QDate &d) { return QStringLiteral("#%1/%2/%3#").arg(d.month()).arg(d.day()).arg(d.year()); }

void prefisso(QStringList &condizioni, const QString &colonna, const QString &testo)
{
    if (testo.isEmpty() || testo == QLatin1String("*")) return;
    condizioni << colonna + QStringLiteral(" like '") + common::RaddoppiaApici(testo) + QStringLiteral("*'");
}

} // namespace

QString sqlElenco()
{
    return QStringLiteral(
        "SELECT finanzia.Data, finanzia.Operazione, Fornitor.Fornitore, Clienti.NominativoVisualizzato as Cliente, "
        "finanzia.Entrata, finanzia.Uscita, finanzia.Note, finanzia.ID, ModPagamento.Descrizione AS ModPagamento, "
        "finanzia.Tipologia_ID, finanzia.Tipo, Bank.Id AS IdeBanca, Bank.Banca, Bank.Iban, "
        "TipologiaPrimaNota.Descrizione AS Tipologia,finanzia.Fattura_ID"
        " FROM ((((finanzia LEFT JOIN Clienti ON finanzia.Cliente_id=Clienti.Id) LEFT JOIN Fornitor ON "
        "finanzia.Fornitore_id=Fornitor.Id) LEFT JOIN ModPagamento ON finanzia.ModPagamento_Id=ModPagamento.id) LEFT JOIN "
        "Bank ON finanzia.Banca_ID=Bank.Id) LEFT JOIN TipologiaPrimaNota ON finanzia.Tipologia_ID=TipologiaPrimaNota.Id");
}

QString sqlElencoAnno(int anno)
{
    return sqlElenco() + QStringLiteral("  where finanzia.storico = false and finanzia.data >=#01/01/%1# order by finanzia.Data desc, finanzia.Operazione").arg(anno);
}

QString sqlElencoPeriodo(const QString &da, const QString &a)
{
    bool vuota = false;
    const QDate inizio = leggiData(da, vuota);
    const QDate fine = leggiData(a, vuota);
    if (!inizio.isValid() || !fine.isValid())
        throw std::invalid_argument("data non valida");
    return sqlElenco() + QStringLiteral(" WHERE finanzia.Data >= ") + letteraleSql(inizio) + QStringLiteral(" AND finanzia.Data < ")
           + letteraleSql(fine.addDays(1)) + QStringLiteral(" order by finanzia.Data desc, finanzia.Operazione");
}

FiltroRicerca filtroRicerca(const CriteriRicerca &c)
{
    FiltroRicerca f;
    QStringList condizioni;
    bool vuota = false;
    const QDate da = leggiData(c.daData, vuota);
    if (!vuota) {
        if (!da.isValid()) {
            f.errore = QStringLiteral("Attenzione data non valida: %1").arg(c.daData.trimmed());
            return f;
        }
        condizioni << QStringLiteral("Data >= ") + letterale(da);
    }
    const QDate a = leggiData(c.aData, vuota);
    if (!vuota) {
        if (!a.isValid()) {
            f.errore = QStringLiteral("Attenzione data non valida: %1").arg(c.aData.trimmed());
            return f;
        }
        // Rows of the end day carry a time too: the bound is the next day's start.
        condizioni << QStringLiteral("Data < ") + letterale(a.addDays(1));
    }
    if (c.tipologia >= 1 && c.tipologia <= 3) condizioni << QStringLiteral("Tipologia_ID = %1").arg(c.tipologia);
    prefisso(condizioni, QStringLiteral("Operazione"), c.operazione);
    prefisso(condizioni, QStringLiteral("Note"), c.note);
    prefisso(condizioni, QStringLiteral("Cliente"), c.cliente);
    prefisso(condizioni, QStringLiteral("Fornitore"), c.fornitore);
    prefisso(condizioni, QStringLiteral("ModPagamento"), c.modPagamento);
    if (c.banca > 0) condizioni << QStringLiteral("IdeBanca = %1").arg(c.banca);
    f.filtro = condizioni.join(QStringLiteral(" and "));
    return f;
}

Totali totaliElenco(db::Query &elenco)
{
    Sommatore s;
    if (!elenco.isActive()) return s.totali();
    const int entrata = elenco.fieldIndex(QStringLiteral("Entrata"));
    const int uscita = elenco.fieldIndex(QStringLiteral("Uscita"));
    const int righe = elenco.recordCount();
    for (int r = 0; r < righe; ++r) s.aggiungi(elenco.valueAt(r, entrata), elenco.valueAt(r, uscita));
    return s.totali();
}

QString testoNumero(double valore)
{
    // As the lists show a number: 15 significant digits, the decimal comma.
    return QString::number(valore, 'g', 15).replace(u'.', u',');
}

QString messaggioLegataAFattura()
{
    return QStringLiteral("Attenzione questo record è legato ad una fattura. Per eliminarlo si deve modificare o cancellare il "
                          "pagamento della fattura!!");
}

bool legataADocumento(db::Connection &c, const QVariant &fatturaId)
{
    if (fatturaId.isNull() || fatturaId.toLongLong() <= 0) return false;
    db::Query q(&c);
    q.setSql(QStringLiteral("select DuplicaFatturazioneInPrimaNota from opzioni"));
    q.open();
    return !q.eof() && q.fieldByName(QStringLiteral("DuplicaFatturazioneInPrimaNota")).asBoolean();
}

} // namespace primanota

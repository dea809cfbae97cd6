#include "Scadenziario.h"

#include "common/SqlText.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Transaction.h"
#include "sales/services/Scadenze.h"

#include <QStringList>

namespace scadenziario {

namespace {

const QString kFormatoData = QStringLiteral("dd/MM/yyyy");

const char *const kSelect =
    "SELECT FatturaScadenze.Id, FatturaScadenze.Numero, FatturaScadenze.DataScadenza, FatturaScadenze.Operazione, "
    "FatturaScadenze.DataPagamento, FatturaScadenze.Dettagli, Fornitor.Fornitore, Clienti.NominativoVisualizzato as Cliente, "
    "ModPagamento.Descrizione AS ModalitaPagamento, FatturaScadenze.Tipo, FatturaScadenze.Importo, FatturaScadenze.Note, "
    "FatturaScadenze.Pagato, Bank.Iban, fattura.Data AS DataFattura, fattura.Num AS NumeroFattura, fattura.SerieFatturazione "
    "FROM ((((FatturaScadenze LEFT JOIN Fornitor ON FatturaScadenze.Fornitore_id = Fornitor.Id) LEFT JOIN Clienti ON "
    "FatturaScadenze.Cliente_id = Clienti.Id) LEFT JOIN ModPagamento ON FatturaScadenze.ModPagamento_Id = ModPagamento.id) "
    "LEFT JOIN Bank ON FatturaScadenze.Banca_ID = Bank.Id) LEFT JOIN fattura ON FatturaScadenze.Fattura_ID = fattura.ID";

const char *const kOrdine = " order by FatturaScadenze.DataScadenza,FatturaScadenze.Numero";

bool haCifre(const QString &testo)
{
    for (const QChar c : testo)
        if (c.isDigit()) return true;
    return false;
}

// A date box: nothing when it holds no digit, else the day it names or the message.
bool data(const QString &testo, const QString &colonna, const QString &operatore, bool fineGiorno, QStringList &condizioni,
          QString &errore)
{
    const QString t = testo.trimmed();
    if (!haCifre(t)) return true;
    const QDate d = QDate::fromString(t, kFormatoData);
    if (!d.isValid()) {
        errore = QStringLiteral("Attenzione data non valida: %1").arg(t);
        return false;
    }
    // The filter reads #dd/mm/yyyy# day first; the end day is whole, whatever time a row carries.
    const QDate limite = fineGiorno ? d.addDays(1) : d;
    condizioni << colonna + operatore + u'#' + limite.toString(kFormatoData) + u'#';
    return true;
}

void prefisso(QStringList &condizioni, const QString &colonna, const QString &testo)
{
    if (testo.isEmpty() || testo == QLatin1String("*")) return;
    condizioni << colonna + QStringLiteral(" like '") + common::RaddoppiaApici(testo) + QStringLiteral("*'");
}

} // namespace

QString sqlVista(Vista v)
{
    QString condizione;
    switch (v) {
    case Vista::ScadenzeClienti:
        condizione = QStringLiteral(" where FatturaScadenze.DataPagamento is Null and (FatturaScadenze.Tipo<>'C' and "
                                    "FatturaScadenze.Tipo<>'B')");
        break;
    case Vista::PagamentiClienti:
        condizione = QStringLiteral(" where DataPagamento Is Not Null and (Tipo<>'C' and Tipo<>'B')");
        break;
    case Vista::ScadenzeFornitori:
        condizione = QStringLiteral(" where DataPagamento is null and (Tipo='C' or Tipo='B')");
        break;
    case Vista::PagamentiFornitori:
        condizione = QStringLiteral(" where DataPagamento Is Not Null and (Tipo='C' or Tipo='B')");
        break;
    }
    return QString::fromLatin1(kSelect) + condizione + QString::fromLatin1(kOrdine);
}

QString titoloVista(Vista v)
{
    switch (v) {
    case Vista::ScadenzeClienti: return QStringLiteral("Scadenziario Clienti");
    case Vista::PagamentiClienti: return QStringLiteral("Pagamenti Clienti");
    case Vista::ScadenzeFornitori: return QStringLiteral("Scadenziario Fornitori");
    case Vista::PagamentiFornitori: return QStringLiteral("Pagamenti Fornitori");
    }
    return {};
}

bool vistaFornitori(Vista v) { return v == Vista::ScadenzeFornitori || v == Vista::PagamentiFornitori; }

FiltroRicerca filtroRicerca(const CriteriRicerca &c)
{
    FiltroRicerca f;
    QStringList condizioni;
    if (!data(c.daScadenza, QStringLiteral("DataScadenza"), QStringLiteral(" >= "), false, condizioni, f.errore)) return f;
    if (!data(c.aScadenza, QStringLiteral("DataScadenza"), QStringLiteral(" < "), true, condizioni, f.errore)) return f;
    prefisso(condizioni, QStringLiteral("Cliente"), c.cliente);
    prefisso(condizioni, QStringLiteral("Fornitore"), c.fornitore);
    prefisso(condizioni, QStringLiteral("ModalitaPagamento"), c.modPagamento);
    prefisso(condizioni, QStringLiteral("Dettagli"), c.dettagli);
    prefisso(condizioni, QStringLiteral("Iban"), c.iban);
    const QString numero = c.numeroDocumento.trimmed();
    if (!numero.isEmpty() && numero != QLatin1String("*")) {
        // Only a whole number reaches the filter, written back as a number.
        bool ok = false;
        const qint64 n = numero.toLongLong(&ok);
        if (!ok) {
            f.errore = QStringLiteral("Attenzione numero non valido: %1").arg(numero);
            return f;
        }
        condizioni << QStringLiteral("NumeroFattura = %1").arg(n);
    }
    prefisso(condizioni, QStringLiteral("SerieFatturazione"), c.serie);
    f.filtro = condizioni.join(QStringLiteral(" and "));
    return f;
}

bool scaduta(bool pagato, const QDate &scadenza, const QDate &oggi)
{
    return !pagato && scadenza.isValid() && scadenza < oggi;
}

EsitoSalvataggio salvaScadenza(db::Connection &c, qint64 id, const std::function<bool()> &posta)
{
    return db::inTransaction(c, [&] {
        EsitoSalvataggio e;
        if (!posta()) throw db::Annulla<EsitoSalvataggio>{e}; // rolled back: nothing of the save stays
        db::Query q(&c);
        q.setSql(QStringLiteral("select * from FatturaScadenze where Id = :id"));
        q.bind(QStringLiteral(":id"), id);
        q.open();
        if (q.eof()) throw db::DbError(QStringLiteral("La scadenza non esiste più: è stata eliminata da un'altra postazione."));
        // An instalment without a due date would vanish from every schedule and reminder.
        if (q.fieldByName(QStringLiteral("DataScadenza")).isNull())
            throw db::DbError(QStringLiteral("Attenzione manca la data della scadenza !!"));
        const db::Field dataPagamento = q.fieldByName(QStringLiteral("DataPagamento"));
        e.pagata = !dataPagamento.isNull() && dataPagamento.asDateTime().isValid();
        const bool primaNota = scadenze::duplicaInPrimaNota(c);
        const db::Params chiave{{QStringLiteral(":id"), id}};
        if (!e.pagata) {
            c.execute(QStringLiteral("update FatturaScadenze set Pagato = :pagato, DataPagamento = null, Finanzia_id = null "
                                     "where Id = :id"),
                      {{QStringLiteral(":pagato"), false}, {QStringLiteral(":id"), id}});
            if (primaNota)
                e.righeEliminate = c.execute(QStringLiteral("delete from finanzia where FatturaScadenze_Id = :id"), chiave);
        } else {
            c.execute(QStringLiteral("update FatturaScadenze set Pagato = :pagato where Id = :id"),
                      {{QStringLiteral(":pagato"), true}, {QStringLiteral(":id"), id}});
            if (primaNota) {
                scadenze::RigaPagamento r;
                r.idScadenza = id;
                r.idDocumento = q.fieldByName(QStringLiteral("Fattura_ID")).asLargeInt();
                r.tipo = q.fieldByName(QStringLiteral("Tipo")).asString();
                r.data = dataPagamento.asDateTime().date();
                r.operazione = q.fieldByName(QStringLiteral("Operazione")).asString();
                r.importo = q.fieldByName(QStringLiteral("Importo")).asFloat();
                r.cliente = q.fieldByName(QStringLiteral("Cliente_id")).asLargeInt();
                r.fornitore = q.fieldByName(QStringLiteral("Fornitore_id")).asLargeInt();
                r.modPagamento = q.fieldByName(QStringLiteral("ModPagamento_Id")).asLargeInt();
                r.banca = q.fieldByName(QStringLiteral("Banca_ID")).asLargeInt();
                r.partiNulle = true;
                e.rigaPrimaNota = scadenze::scriviRigaPagamento(c, r);
            }
        }
        e.salvato = true;
        return e;
    });
}

} // namespace scadenziario

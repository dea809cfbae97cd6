#include "FixtureRighe.h"

#include "data/DB.h"
#include "db/Query.h"
#include "sales/services/Scadenze.h"

namespace fixture_righe {

namespace {
banco::Banco *g_banco = nullptr;
}

std::unique_ptr<banco::Banco> crea(const QStringList &altreForm, const QStringList &altroSql)
{
    QStringList sql{
        "delete from Iva",
        "insert into Iva (ID, Descrizione, Iva) values (1, 'Iva 22%', 22), (2, 'Iva 10%', 10), (3, 'Iva 5,5%', 5.5)",
        "update opzioni set AliquotaIva = 22, Iva_Id = 1, Spese_di_Trasporto = 61, Spese_di_Incasso = 5, "
        "IncrementaNumeroRigaArticoli = true, conto_ID_Predefinito_su_FattureVendita_Generale = 0",
        "insert into ModPagamento (id, Descrizione, NumeroScadenze, GG1Scadenza, GG2Scadenza) values (1, 'Due rate', 2, 30, 60)",
        "insert into Clienti (Id, Cognome, NominativoVisualizzato, NominativoDocumenti, Sconto, Km) "
        "values (1, 'Rossi', 'Rossi Mario', 'Rossi Mario', 5, 100)",
        "insert into prezziar (Codice, Descrizione, Prezzo, AliquotaIva, Iva_Id, Sconto, TipoTariffa_Id, Annullato) values "
        "('TR1', 'Traino urbano', 12.5, 22, 1, 10, 2, false), ('CU1', 'Custodia', 30, 10, 2, null, 2, false), "
        "('SU1', 'Supplemento notturno', 20, 22, 1, null, 5, false)",
        "insert into fattura (Num, Data, Carico, FattNota, Storico, ModPagamento_Id, TipoTariffa_Id) "
        "values (1, #3/10/2026#, false, false, false, 1, 2)"};
    sql << altroSql;
    auto b = std::make_unique<banco::Banco>(QStringList{"Form7", "frmModificaFatture", "Form2", "Form3"} + altreForm, sql);
    g_banco = b.get();
    return b;
}

qint64 idFattura(int num)
{
    return g_banco->valore(QStringLiteral("select ID from fattura where Num = %1").arg(num)).toLongLong();
}

void puntaFattura(qint64 id)
{
    scadenze::generaScadenze(form_DB->Connessione, id, scadenze::Genere::FatturaVendita, false);
    form_DB->Table3->requery();
    form_DB->Table3->locate(QStringLiteral("ID"), id);
    form_DB->Table4->close();
    form_DB->Table4->setSql(QStringLiteral("select * from fattdett where NumFatt = %1 order by NumeroRiga").arg(id));
    form_DB->Table4->open();
    form_DB->TableFatturaScadenze->close();
    form_DB->TableFatturaScadenze->setSql(
        QStringLiteral("select * from FatturaScadenze where Fattura_ID = %1 order by DataScadenza,Numero").arg(id));
    form_DB->TableFatturaScadenze->open();
}

QString totali(qint64 id)
{
    QStringList r;
    for (const char *c : {"TotImponibile", "TotImposta", "TotFattura"})
        r << QString::number(qRound64(g_banco->valore(QStringLiteral("select %1 from fattura where ID = %2").arg(c).arg(id)).toDouble() * 100));
    return r.join(u'/');
}

QList<qint64> rate(qint64 id)
{
    db::Query q(&form_DB->Connessione);
    q.setSql(QStringLiteral("select Importo from FatturaScadenze where Fattura_ID = :id order by DataScadenza"));
    q.bind(QStringLiteral(":id"), id);
    q.open();
    QList<qint64> r;
    for (q.first(); !q.eof(); q.next()) r << qRound64(q.fieldByName(QStringLiteral("Importo")).asFloat() * 100);
    return r;
}

} // namespace fixture_righe

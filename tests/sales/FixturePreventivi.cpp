#include "FixturePreventivi.h"

#include "data/DB.h"
#include "db/Query.h"

namespace fixture_preventivi {

namespace {
banco::Banco *g_banco = nullptr;
}

std::unique_ptr<banco::Banco> crea(const QStringList &forms, const QStringList &altroSql)
{
    QStringList sql{
        "delete from Iva",
        "insert into Iva (ID, Descrizione, Iva) values (1, 'Iva 22%', 22), (2, 'Iva 10%', 10)",
        "update opzioni set AliquotaIva = 22, Iva_Id = 1, IncrementaNumeroRigaArticoli = true",
        "insert into Clienti (Id, Cognome, Cliente, NominativoVisualizzato, NominativoDocumenti, Sconto) values "
        "(1, 'Rossi', 'Rossi Srl', 'Rossi Srl', 'Rossi Srl', 5), (2, 'Amico', 'd''Amico', 'd''Amico', 'd''Amico', null)",
        "insert into prezziar (Codice, Descrizione, Prezzo, PrezzoCompleto, AliquotaIva, Iva_Id, Sconto, TipoTariffa_Id, "
        "Annullato) values ('TR1', 'Traino urbano', 12.5, 15.25, 22, 1, 10, 2, false), "
        "('CU1', 'Custodia', 30, 33, 10, 2, null, 2, false), ('SU1', 'Supplemento notturno', 20, 24.4, 22, 1, null, 5, false)",
        "insert into PreventiTestata (ID, Numero, Data, Cliente, Cliente_ID, Targa1, TipoTariffa_Id, Storico) values "
        "(10, 1, #3/1/2026#, 'Rossi Srl', 1, 'AB''123', 2, false), (11, 2, #3/5/2026#, 'd''Amico', 2, 'CD456', 0, false), "
        "(12, 3, #3/10/2026#, 'Rossi Srl', 1, 'EF789', 0, false), (13, 41, #1/10/2025#, 'Vecchio', 1, 'GH000', 0, true)",
        "insert into PreventiRighe (Prev_ID, NumeroRiga, TipoRiga, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva) "
        "values (10, 1, 'N', 'Traino urbano', 1, 12.5, 0, 22), (10, 2, 'N', 'Custodia', 2, 30, 0, 10)"};
    sql << altroSql;
    auto b = std::make_unique<banco::Banco>(forms, sql);
    g_banco = b.get();
    return b;
}

void punta(qint64 id)
{
    db::Query *q = form_DB->Table16;
    if (q->isEditing()) q->cancel();
    q->requery();
    q->locate(QStringLiteral("ID"), id);
    db::Query *righe = form_DB->Table11;
    righe->setFilter(QString());
    righe->close();
    righe->setSql(QStringLiteral("select * from PreventiRighe where Prev_ID = %1 order by NumeroRiga").arg(id));
    righe->open();
}

QString totali(qint64 id)
{
    QStringList r;
    for (const char *c : {"TotImponibile", "TotImposta", "TotalePreventivo"})
        r << QString::number(
            qRound64(g_banco->valore(QStringLiteral("select %1 from PreventiTestata where ID = %2").arg(c).arg(id)).toDouble() * 100));
    return r.join(u'/');
}

} // namespace fixture_preventivi

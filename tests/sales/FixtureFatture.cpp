#include "FixtureFatture.h"

#include "data/DB.h"
#include "db/Query.h"

namespace fixture_fatture {

QStringList righe()
{
    return {
        "insert into ModPagamento (id, Descrizione, NumeroScadenze, GG1Scadenza, GG2Scadenza) values "
        "(2, 'Rimessa diretta', 1, 0, 0), (3, '30 60 gg', 2, 30, 60)",
        "insert into Bank (Id, Banca, Iban) values (1, 'Banca del Borgo', 'IT60X0542811101000000123456')",
        "insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti, Pagamento_ID, EMail, ScissionePagamenti, "
        "PubblicaAmministrazione) values (1, 'Rossi Srl', 'Rossi Srl', 3, 'rossi@example.it', true, false), "
        "(2, 'Comune di Prova', 'Comune di Prova', 0, '', false, true)",
        "update opzioni set Bank_ID = 1, ModPagamento_Id = 2",
        "insert into SerieFatturazione (Serie, Descrizione) values ('B', 'Rimozioni')",
        "insert into fattura (ID, Num, Data, Cliente_ID, Cliente, Targa, Banca_ID, ModPagamento_Id, TotImponibile, TotImposta, "
        "TotFattura, DatiTrasmissione_NumeroInterno, DatiTrasmissione_ProgressivoInvio) values "
        "(10, 1, #3/1/2026#, 1, 'Rossi Srl', 'AB''123', 1, 3, 100, 22, 122, 1, 1), "
        "(11, 2, #3/5/2026#, 2, 'Comune di Prova', 'CD456', 1, 2, 50, 11, 61, 2, 2)",
        "insert into fattura (ID, Num, Data, Cliente_ID, Cliente, SerieFatturazione, ModPagamento_Id, DatiTrasmissione_NumeroInterno) "
        "values (12, 3, #3/10/2026#, 1, 'Rossi Srl', 'B', 2, 3)",
        "insert into fattura (ID, Num, Data, Cliente_ID, Cliente, Storico, ModPagamento_Id, DatiTrasmissione_NumeroInterno) "
        "values (13, 7, #11/20/2025#, 1, 'Rossi Srl', true, 2, 40)",
        "insert into fattdett (NumFatt, NumeroRiga, TipoRiga, Descrizione, Um, ValoreUnitario, TotaleImponibile, AliquotaIva) "
        "values (10, 1, 'A', 'Traino veicolo', 1, 100, 100, 22)",
        "insert into FatturaScadenze (Fattura_ID, Numero, Importo, DataScadenza, Tipo) values "
        "(10, 1, 61, #3/31/2026#, 'F'), (10, 2, 61, #4/30/2026#, 'F')",
        "insert into FatturaScadenze (Fattura_ID, Numero, Importo, DataScadenza, DataPagamento, Pagato, Tipo) values "
        "(13, 1, 80, #11/20/2025#, #12/1/2025#, true, 'F')",
        "insert into OrdiniClienti (Fattura_ID, Numero, Data) values (10, 'ORD-10', #2/20/2026#), (11, 'ORD-11', #2/21/2026#), "
        "(11, 'ORD-1X', #2/22/2026#)",
    };
}

void punta(qint64 id)
{
    db::Query *t3 = form_DB->Table3;
    t3->setFilter(QString());
    t3->locate(QStringLiteral("ID"), id);
    const auto ripunta = [](db::Query *q, const QString &sql) {
        q->setFilter(QString());
        q->close();
        q->setSql(sql);
        q->open();
    };
    ripunta(form_DB->Table4, QStringLiteral("select * from fattdett where NumFatt = %1 order by NumeroRiga").arg(id));
    ripunta(form_DB->TableFatturaScadenze,
            QStringLiteral("select * from FatturaScadenze where Fattura_ID = %1 order by DataScadenza,Numero").arg(id));
    ripunta(form_DB->TableFatturaPreventiviRighe,
            QStringLiteral("select * from FatturaPreventiviRighe where Fattura_ID = %1 order by Data").arg(id));
    ripunta(form_DB->TableOrdiniClienti, QStringLiteral("select * from OrdiniClienti where Fattura_ID = %1 order by Data").arg(id));
    ripunta(form_DB->TableFatturaAllegati,
            QStringLiteral("select * from Fattura_Allegati where Fattura_Id = %1 order by NomeAttachment").arg(id));
}

} // namespace fixture_fatture

#include "PrintFixture.h"
#include "AttesiStampe.h"

#include "app/Forms.h"
#include "app/Frm1.h"
#include "data/CatalogoStampe.h"
#include "data/DB.h"
#include "db/Query.h"

PrintFixture::PrintFixture() : seams(m_dir.path()), db(testing_support::TestDatabase::WithSchema)
{
    seams.workstation.name = postazione;
    for (const char *sql : {
             "insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti) values (1, 'A Rossi', 'Rossi Srl')",
             "insert into Clienti (Id, NominativoVisualizzato, NominativoDocumenti) values (2, 'B Bianchi', 'Bianchi Spa')",
             "insert into Fornitor (Id, Fornitore) values (1, 'Ricambi Srl')",
             "insert into Bank (Id, Banca) values (1, 'Banca del Borgo')",
             "insert into TipoFatturazione (Id, Descrizione) values (1, 'Privati'), (2, 'Enti')",
             "insert into TipoTariffe (Id, Descrizione) values (1, 'Ordinaria')",
             // Two invoices with the plate of the seizure, which is linked to the first one.
             "insert into fattura (ID, Num, Data, Cliente_ID, Targa, TipoTariffa_Id, TipoFatturazione_Id) "
             "values (10, 1, #3/2/2026#, 1, 'AB''123', 1, 2)",
             "insert into fattura (ID, Num, Data, Cliente_ID, Targa, TipoTariffa_Id, TipoFatturazione_Id) "
             "values (11, 2, #3/9/2026#, 2, 'AB''123', 2, 1)",
             "insert into fattdett (NumFatt, NumeroRiga, Descrizione) values (10, 1, 'Traino')",
             "insert into FatturaScadenze (Fattura_ID, Numero, Importo) values (10, 1, 100), (11, 1, 200)",
             "insert into OrdiniClienti (Fattura_ID, Numero) values (10, 'ORD-10'), (11, 'ORD-11')",
             "insert into fattura (ID, Num, Data, Cliente_ID, FattNota) values (12, 1, #3/5/2026#, 1, true)",
             "insert into NotaCreditoRighe (NotaCredito_ID, NumeroRiga, Descrizione) values (12, 1, 'Storno')",
             "insert into PreventiTestata (ID, Numero, Data, Cliente_ID) values (20, 1, #3/1/2026#, 1)",
             "insert into PreventiRighe (Prev_ID, NumeroRiga, Descrizione) values (20, 1, 'Deposito')",
             "insert into Sequestri (Id, Numero, Fattura_Id, Preventivo_Id, AutoTarga) values (30, 1, 10, 20, 'AB''123')",
             "insert into Vetture (ID, Targa) values (40, 'CD456EF')",
             "insert into Personale (Id, Personale) values (50, 'Verdi Mario')",
             "insert into TempAvvisi (NomeComputer, Testo) values ('POSTAZIONE1', 'Avviso nostro'), ('ALTRA', 'Avviso altrui')",
             "insert into TempAvvisiClienti (NomeComputer, Cliente_ID) values ('POSTAZIONE1', 1), ('ALTRA', 2)",
             "update opzioni set SaldoInizialePrimaNota = 250.5",
             // An earlier request of this workstation, and one of another workstation.
             "insert into TempStampa (NomeComputer, NomeReport) values ('POSTAZIONE1', 'vecchia.rpt')",
             "insert into TempStampa (NomeComputer, NomeProgramma, NomeReport, NomeReportLandscape, Query, Filtro, "
             "Setup, PresenzaTestata) values ('ALTRA', 'Pellavantoria', 'altra.rpt', 'altraLan.rpt', 'select 1', true, true, true)",
         })
        db.conn().execute(QString::fromUtf8(sql));
    CodiceStampa = 0;
    EsportaStampa = false;
    FileEsportazioneStampa.clear();
    PercorsoProgrammaStampa.clear();
    DaSequestro = false;
    CriteriStampaDigitati = {};
    CreaForms();
    form_DB->Connessione.open(db.path());
    Form1->cmdConnessioneClick(); // the shared queries bound as the start-up binds them
}

PrintFixture::~PrintFixture()
{
    DistruggiForms();
    EsportaStampa = false;
    DaSequestro = false;
    CriteriStampaDigitati = {};
}

CriteriStampa PrintFixture::criteriValidi() { return attesi_stampe::criteri(); }

void PrintFixture::opzioniDocumenti(bool rigaIvato, bool prezzoPreventivo)
{
    exec(QStringLiteral("update opzioni set DocumentiRigaIvato = %1, PrezzoPreventivo = %2")
             .arg(rigaIvato ? "true" : "false", prezzoPreventivo ? "true" : "false"));
    form_DB->TableOpzioni->requery();
}

QVariant PrintFixture::scalar(const QString &accessSql) { return form_DB->Connessione.scalar(accessSql); }

void PrintFixture::exec(const QString &accessSql) { form_DB->Connessione.execute(accessSql); }

int PrintFixture::righe(const QString &nomeComputer)
{
    return scalar("select count(*) from TempStampa where NomeComputer = '" + nomeComputer + "'").toInt();
}

QVariantMap PrintFixture::richiesta(const QString &nomeComputer) { return richiestaDa(form_DB->Connessione, nomeComputer); }

QVariantMap PrintFixture::richiestaSalvata(const QString &nomeComputer)
{
    db::Connection propria;
    if (!propria.open(db.path())) return {};
    return richiestaDa(propria, nomeComputer);
}

QVariantMap PrintFixture::richiestaDa(db::Connection &connessione, const QString &nomeComputer)
{
    db::Query q(&connessione);
    q.setSql("select * from TempStampa where NomeComputer = '" + nomeComputer + "'");
    q.open();
    QVariantMap m;
    for (int c = 0; c < q.fieldCount(); ++c)
        if (q.fieldNameAt(c) != QLatin1String("Id")) m.insert(q.fieldNameAt(c), q.value(c));
    return m;
}

int PrintFixture::righeDi(const QString &accessSql)
{
    db::Query q(&form_DB->Connessione);
    q.setSql(accessSql);
    q.open();
    return q.recordCount();
}

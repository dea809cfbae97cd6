#include "FixturePagine.h"

#include "data/DB.h"
#include "db/Query.h"
#include "forms/DetailForm.h"
#include "forms/ListForm.h"
#include "forms/Registro.h"

#include <QLabel>
#include <QPointer>

namespace fixture_pagine {

std::unique_ptr<banco::Banco> banco(const QStringList &forms, const QStringList &altre)
{
    QStringList righe = {
        "insert into Clienti (Id, Cliente, NominativoVisualizzato, NominativoDocumenti) values "
        "(5, 'Rossi Srl', 'Rossi Srl', 'Rossi Srl'), (6, 'Verdi Spa', 'Verdi Spa', 'Verdi Spa')",
        "insert into fattura (ID, Num, Data, Cliente_ID, Cliente, ModPagamento_Id, Banca_ID) values "
        "(1, 1, #3/10/2026#, 5, 'Rossi Srl', 2, 3), (2, 2, #3/11/2026#, 0, null, 0, 0)",
        "insert into fattdett (NumFatt, NumeroRiga, TipoRiga, Descrizione, Um, ValoreUnitario, AliquotaIva) "
        "values (1, 1, 'A', 'Riga propria', 1, 10, 22)",
        "insert into FatturaScadenze (Id, Fattura_ID, Numero, Operazione, DataScadenza, Importo, DataPagamento, Pagato) "
        "values (1, 1, 1, 'Rata 1', #4/10/2026#, 100, #4/9/2026#, true), "
        "(2, 1, 2, 'Rata 2', #5/10/2026#, 100, null, false), (3, 1, 3, 'Rata 3', #6/10/2026#, 100, null, false)",
        "insert into PreventiTestata (ID, Numero, Cliente_ID, Data) values (12, 7, 5, #2/20/2026#), (14, 9, 6, #2/22/2026#)",
        "insert into PreventiRighe (Prev_ID, NumeroRiga, TipoRiga, Descrizione, Um, ValoreUnitario, AliquotaIva) values "
        "(12, 1, 'N', 'Traino', 2, 100, 22), (12, 2, 'T', 'Trasporto', 1, 50, 22), (12, 3, 'S', 'Incasso', 1, 2.5, 22)",
        "update opzioni set conto_ID_Predefinito_su_FattureVendita_Generale = 101, "
        "conto_ID_Predefinito_su_FattureVendita_SpeseTrasporto = 102, "
        "conto_ID_Predefinito_su_FattureVendita_SpeseIncasso = 103, IncrementaNumeroRigaArticoli = true",
        "insert into FatturaPorto (id, Codice, Descrizione) values (1, 'EXW', 'Franco fabbrica')",
        "insert into FatturaAspetto (Id, Descrizione) values (1, 'Scatole')",
        "insert into Personale (Id, Personale) values (1, 'Mario Bianchi')",
    };
    righe << altre;
    return std::make_unique<banco::Banco>(forms, righe);
}

void puntaFattura(qint64 id)
{
    form_DB->Table3->locate(QStringLiteral("ID"), id);
    const QList<std::pair<db::Query *, QString>> laterali = {
        {form_DB->TableFatturaScadenze, "select * from FatturaScadenze where Fattura_ID = %1 order by DataScadenza,Numero"},
        {form_DB->TableOrdiniClienti, "select * from OrdiniClienti where Fattura_ID = %1 order by Data"},
        {form_DB->TableFatturaPreventiviRighe, "select * from FatturaPreventiviRighe where Fattura_ID = %1 order by Data"},
        {form_DB->TableFatturaAllegati, "select * from Fattura_Allegati where Fattura_Id = %1 order by NomeAttachment"},
        {form_DB->Table4, "select * from fattdett where NumFatt = %1 order by NumeroRiga"},
    };
    for (const auto &[q, sql] : laterali) {
        q->close();
        q->setSql(sql.arg(id));
        q->open();
    }
}

namespace {

QPointer<forms::DetailForm> g_dettaglio;
QPointer<forms::ListForm> g_sequestri;

void registraSostituto(const QString &nome, const QString &classe, std::function<QWidget *(QWidget *)> crea,
                       std::function<void()> azzera, std::function<QWidget *()> corrente)
{
    forms::Registro &r = forms::Registro::istanza();
    if (r.voce(nome)) return;
    forms::VoceForm v;
    v.nome = nome;
    v.classe = classe;
    v.crea = std::move(crea);
    v.azzera = std::move(azzera);
    v.corrente = std::move(corrente);
    r.aggiungi(std::move(v));
}

forms::DetailForm *nuovoDettaglio(QWidget *parent)
{
    forms::DetailForm::Config c;
    c.nome = QStringLiteral("frmScadenziarioDettaglio");
    c.titolo = QStringLiteral("Scadenza");
    c.dataset = form_DB->TableFatturaScadenze;
    c.source = form_DB->SourceFatturaScadenze;
    auto *d = new forms::DetailForm(c, parent);
    auto *etichetta = new QLabel(QStringLiteral("Fornitore"), d);
    etichetta->setObjectName(QStringLiteral("Label2"));
    for (const char *nome : {"LookFornitori", "LookClienti"}) {
        auto *w = new QWidget(d);
        w->setObjectName(QLatin1String(nome));
    }
    return d;
}

} // namespace

void registraDettaglioScadenze()
{
    registraSostituto(
        QStringLiteral("frmScadenziarioDettaglio"), QStringLiteral("TfrmScadenziarioDettaglio"),
        [](QWidget *parent) -> QWidget * { return g_dettaglio = nuovoDettaglio(parent); }, [] { g_dettaglio = nullptr; },
        []() -> QWidget * { return g_dettaglio.data(); });
}

void registraGrigliaSequestri()
{
    registraSostituto(
        QStringLiteral("frmGrigliaSequestri"), QStringLiteral("TfrmGrigliaSequestri"),
        [](QWidget *parent) -> QWidget * {
            forms::ListForm::Config c;
            c.nome = QStringLiteral("frmGrigliaSequestri");
            c.titolo = QStringLiteral("Sequestri");
            c.dataset = form_DB->TableSequestri;
            c.source = form_DB->SourceSequestri;
            c.colonne = {{QStringLiteral("Numero"), QStringLiteral("Numero")}, {QStringLiteral("AutoTarga"), QStringLiteral("Targa")}};
            c.ricerca = {};
            return g_sequestri = new forms::ListForm(c, parent);
        },
        [] { g_sequestri = nullptr; }, []() -> QWidget * { return g_sequestri.data(); });
}

} // namespace fixture_pagine

#include "EditorFattura.h"

#include "data/DB.h"
#include "forms/Registro.h"
#include "db/Query.h"

namespace {

forms::EditorDocumento::Tipo tipoFattura()
{
    forms::EditorDocumento::Tipo t;
    t.dettaglio.nome = QStringLiteral("Form7");
    t.dettaglio.titolo = QStringLiteral("Fatturazione");
    t.dettaglio.helpContext = 5500;
    t.dettaglio.dataset = form_DB->Table3;
    t.dettaglio.source = form_DB->Source3;
    t.dettaglio.conAiuto = true;
    t.dettaglio.salvaCambiandoPagina = true;
    t.dettaglio.annulla = forms::DetailForm::Annulla::TramiteLista;
    t.righe.griglia = QStringLiteral("DBGrid2");
    t.righe.dataset = form_DB->Table4;
    t.righe.source = form_DB->Source4;
    t.righe.sql = [](qint64 id) {
        return QStringLiteral("select * from fattdett where NumFatt = %1 order by NumeroRiga").arg(id);
    };
    t.scadenze.griglia = QStringLiteral("DBGrid3");
    t.scadenze.dataset = form_DB->TableFatturaScadenze;
    t.scadenze.source = form_DB->SourceFatturaScadenze;
    t.scadenze.sql = [](qint64 id) {
        return QStringLiteral("select * from FatturaScadenze where Fattura_ID = %1 order by DataScadenza,Numero").arg(id);
    };
    return t;
}

} // namespace

TForm7::TForm7(QWidget *parent) : forms::EditorDocumento(tipoFattura(), parent)
{
    aggiungiPagina(QStringLiteral("TabSheet1"), QStringLiteral("  Testata  "));
    aggiungiRiga(QString(), creaGrigliaScadenze());
    aggiungiPagina(QStringLiteral("TabSheet2"), QStringLiteral("  Righe  "));
    creaPaginaRighe();
    aggiungiPagina(QStringLiteral("TabSheet3"), QStringLiteral("  Ordini  "));
    creaPaginaOrdini();
    aggiungiPagina(QStringLiteral("TabSheet4"), QStringLiteral("  Accompagnatoria  "));
    creaPaginaAccompagnatoria();
    aggiungiPagina(QStringLiteral("TabSheet5"), QStringLiteral("  Importazioni  "));
    creaPaginaImportazioni();
    aggiungiPagina(QStringLiteral("TabSheet6"), QStringLiteral("  Allegati  "));
    creaPaginaAllegati();
    aggiungiPagina(QStringLiteral("TabSheet7"), QStringLiteral("  Altro  "));
    completa();
}

void TForm7::DBLookupComboBox6Click() {}

namespace {
const bool registrato = forms::registra(Form7, "Form7");
}

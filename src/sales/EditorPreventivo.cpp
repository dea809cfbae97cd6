#include "EditorPreventivo.h"

#include "data/DB.h"
#include "db/Query.h"
#include "forms/Registro.h"

namespace {

forms::EditorDocumento::Tipo tipoPreventivo()
{
    forms::EditorDocumento::Tipo t;
    t.dettaglio.nome = QStringLiteral("frmPreventivi");
    t.dettaglio.titolo = QStringLiteral("Preventivi");
    t.dettaglio.helpContext = 4700;
    t.dettaglio.dataset = form_DB->Table16;
    t.dettaglio.source = form_DB->Source16;
    t.dettaglio.annulla = forms::DetailForm::Annulla::TramiteLista;
    t.righe.griglia = QStringLiteral("DBGrid1");
    t.righe.dataset = form_DB->Table11;
    t.righe.source = form_DB->Source11;
    t.righe.sql = [](qint64 id) {
        return QStringLiteral("select * from PreventiRighe where Prev_ID = %1 order by NumeroRiga").arg(id);
    };
    return t;
}

} // namespace

TfrmPreventivi::TfrmPreventivi(QWidget *parent) : forms::EditorDocumento(tipoPreventivo(), parent)
{
    aggiungiPagina(QStringLiteral("TabSheet1"), QStringLiteral("   Testata   "));
    aggiungiPagina(QStringLiteral("TabSheet2"), QStringLiteral("   Righe   "));
    creaPaginaRighe();
    completa();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmPreventivi, "frmPreventivi");
} // namespace

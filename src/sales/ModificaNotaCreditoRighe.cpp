#include "ModificaNotaCreditoRighe.h"

#include "EditorNotaCredito.h"
#include "data/DB.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "widgets/DBEdit.h"

#include <QToolButton>

namespace {

ModificaRigaDocumento::TipoRiga tipoRigaNotaCredito()
{
    ModificaRigaDocumento::TipoRiga t;
    t.dettaglio.nome = QStringLiteral("frmModificaNotaCreditoRighe");
    t.dettaglio.titolo = QStringLiteral("Modifica Nota di Credito");
    t.dettaglio.helpContext = 5900;
    t.dettaglio.dataset = form_DB->TableNCRighe;
    t.dettaglio.source = form_DB->SourceNCRighe;
    t.dettaglio.captionErrore = forms::kAvviso;
    t.dettaglio.conAiuto = true;
    t.chiave = QStringLiteral("IDX");
    t.campoIva = QStringLiteral("Iva_Id");
    t.etichettaAutista = QStringLiteral("Trasportatore");
    t.apriAutista = QStringLiteral("Apri il trasportatore");
    t.aggiungiAutista = QStringLiteral("Aggiungi un trasportatore");
    t.etichettaConto = QStringLiteral("Contabilità conto");
    // Whenever the gross is computed the row counts as modified: "Indietro" saves it.
    t.calcoloModifica = true;
    t.fuocoSulCampo = true;
    t.editore = [] { return static_cast<forms::EditorDocumento *>(frmNotaCredito); };
    return t;
}

} // namespace

TfrmModificaNotaCreditoRighe::TfrmModificaNotaCreditoRighe(QWidget *parent)
    : ModificaRigaDocumento(tipoRigaNotaCredito(), parent)
{
    if (spdHelp) spdHelp->setToolTip(QStringLiteral("Guida in linea del programma"));
    DBEdit12 = aggiungiEdit(QStringLiteral("DBEdit12"), QStringLiteral("Note"), QStringLiteral("Note"));
    completa();
}

namespace {
const bool registrato = forms::registra(frmModificaNotaCreditoRighe, "frmModificaNotaCreditoRighe");
} // namespace

#include "ModificaAllegati.h"

#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "widgets/DBEdit.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QToolButton>

TfrmModifica_Fattura_Allegati::TfrmModifica_Fattura_Allegati(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmModifica_Fattura_Allegati");
              c.titolo = QStringLiteral("Allegati");
              c.helpContext = 800;
              c.dataset = form_DB->TableFatturaAllegati;
              c.source = form_DB->SourceFatturaAllegati;
              c.conAiuto = true;
              return c;
          }(),
          parent)
{
    spdSalva->setToolTip(QStringLiteral("Sava le modifiche effettuate"));
    DBNomeAttachment = aggiungiEdit(QStringLiteral("DBNomeAttachment"), QStringLiteral("Nome allegato"),
                                    QStringLiteral("NomeAttachment"));
    richiesto(DBNomeAttachment, QStringLiteral("Attenzione manca il nome dell'allegato"));
    DBAlgoritmoCompressione = aggiungiEdit(QStringLiteral("DBAlgoritmoCompressione"), QStringLiteral("Algoritmo compressione"),
                                           QStringLiteral("AlgoritmoCompressione"));
    DBFormatoAttachment = aggiungiEdit(QStringLiteral("DBFormatoAttachment"), QStringLiteral("Formato"),
                                       QStringLiteral("FormatoAttachment"));
    DBDescrizioneAttachment = aggiungiEdit(QStringLiteral("DBDescrizioneAttachment"), QStringLiteral("Descrizione"),
                                           QStringLiteral("DescrizioneAttachment"));
    // The path with "Cerca" beside it, on one row.
    auto *riga = new QWidget(this);
    auto *h = new QHBoxLayout(riga);
    h->setContentsMargins(0, 0, 0, 0);
    DBPercorsoCompleto = new ui::DBEdit(riga);
    DBPercorsoCompleto->setObjectName(QStringLiteral("DBPercorsoCompleto"));
    DBPercorsoCompleto->setDataSource(form_DB->SourceFatturaAllegati);
    DBPercorsoCompleto->setDataField(QStringLiteral("PercorsoCompleto"));
    Cerca = ui::toolButton(riga, QStringLiteral("Cerca"), QStringLiteral("Cerca"), QStringLiteral("Cerca"), "document-open",
                           QStyle::SP_DialogOpenButton);
    Cerca->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    h->addWidget(DBPercorsoCompleto, 1);
    h->addWidget(Cerca);
    aggiungiRiga(QStringLiteral("Percorso"), riga);
    richiesto(DBPercorsoCompleto, QStringLiteral("Attenzione manca il Percorso dell'allegato"));
    connect(Cerca, &QToolButton::clicked, this, &TfrmModifica_Fattura_Allegati::CercaClick);
    setMinimumWidth(640);
    completa();
}

int TfrmModifica_Fattura_Allegati::mostraNuovo(bool conAnnulla)
{
    m_nuovo = true;
    const int r = mostra(conAnnulla);
    m_nuovo = false;
    return r;
}

void TfrmModifica_Fattura_Allegati::CercaClick()
{
    const QString file = ui::Dialogs::instance().openFile(this, QString(), QString(), QString());
    if (file.isEmpty()) return;
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    q->fieldByName(QStringLiteral("PercorsoCompleto")).setAsString(QFileInfo(file).absoluteFilePath());
    DatiModificati = true;
}

void TfrmModifica_Fattura_Allegati::spdIndietroClick()
{
    // Nothing typed into a new attachment: it goes as it came, without the checks.
    if (m_nuovo && !DatiModificati) {
        db::Query *q = dataset();
        if (q->isEditing()) q->cancel();
        common::EliminaRecord(*q, QStringLiteral("ID"));
        m_nuovo = false;
    }
    forms::DetailForm::spdIndietroClick();
}

bool TfrmModifica_Fattura_Allegati::controllaSalvataggio()
{
    // Links are followed: a link to a file that is gone is no file.
    if (!QFileInfo::exists(DBPercorsoCompleto->text())) {
        forms::avvisa(this, QStringLiteral("Attenzione il File non risulta esistere nel percorso definito !"),
                      config().captionErrore);
        DBPercorsoCompleto->setFocus();
        return false;
    }
    return true;
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmModifica_Fattura_Allegati, "frmModifica_Fattura_Allegati");
} // namespace

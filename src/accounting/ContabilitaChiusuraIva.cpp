#include "ContabilitaChiusuraIva.h"

#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QTabWidget>
#include <QToolButton>

namespace {

using contabilita::Periodicita;

const QString kAvvisoCalcolo = QStringLiteral("Messaggio di avviso!!");

forms::DetailForm::Config configurazione(Periodicita p)
{
    const bool mese = p == Periodicita::Mensile;
    forms::DetailForm::Config c;
    c.nome = mese ? QStringLiteral("frmContabilitaChiusuraIvaMensile") : QStringLiteral("frmContabilitaChiusuraIva");
    c.titolo = mese ? QStringLiteral("Chiusura Iva Mensile") : QStringLiteral("Chiusura Iva");
    c.helpContext = mese ? 0 : 8700;
    c.dataset = mese ? form_DB->TableContabilitaChiusuraIvaMensile : form_DB->TableContabilitaChiusuraIvaTrimestre;
    c.source = mese ? form_DB->SourceContabilitaChiusuraIvaMensile : form_DB->SourceContabilitaChiusuraIvaTrimestre;
    c.captionErrore = QStringLiteral("Messaggio di Errore");
    c.conAiuto = true;
    c.annulla = forms::DetailForm::Annulla::TramiteLista;
    return c;
}

ui::DBGrid *griglia(QWidget *parent, const char *nome, db::DataSource *source, bool conIva)
{
    auto *g = new ui::DBGrid(parent);
    g->setObjectName(QString::fromLatin1(nome));
    g->setDataSource(source);
    g->addColumn(QStringLiteral("IvaDescrizione"), QStringLiteral("Iva"), 220);
    g->addColumn(QStringLiteral("TotaleImponibile"), QStringLiteral("Imponibile"), 110);
    if (conIva) g->addColumn(QStringLiteral("TotaleIva"), QStringLiteral("Tot. Iva"), 110);
    return g;
}

bool soloCifre(const QString &s)
{
    for (QChar c : s)
        if (!c.isDigit()) return false;
    return !s.isEmpty();
}

} // namespace

TfrmContabilitaChiusuraIva::TfrmContabilitaChiusuraIva(QWidget *parent) : TfrmContabilitaChiusuraIva(Periodicita::Trimestrale, parent) {}

TfrmContabilitaChiusuraIvaMensile::TfrmContabilitaChiusuraIvaMensile(QWidget *parent)
    : TfrmContabilitaChiusuraIva(Periodicita::Mensile, parent)
{
}

TfrmContabilitaChiusuraIva::TfrmContabilitaChiusuraIva(Periodicita p, QWidget *parent)
    : forms::DetailForm(configurazione(p), parent), m_periodicita(p)
{
    const bool mese = p == Periodicita::Mensile;
    const contabilita::TabelleChiusura &t = contabilita::tabelle(p);
    db::DataSource *sorgenteRighe =
        mese ? form_DB->SourceContabilitaChiusuraIvaMensileRighe : form_DB->SourceContabilitaChiusuraIvaTrimestreRighe;
    db::DataSource *sorgenteNonSoggette = mese ? form_DB->SourceContabilitaChiusuraIvaMensileRigheNonSoggetta
                                               : form_DB->SourceContabilitaChiusuraIvaTrimestreRigheNonSoggetta;

    QWidget *generale = aggiungiPagina(QStringLiteral("TabSheet1"), QStringLiteral("Generale   "));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Anno"), QStringLiteral("Anno"));
    DBLookupComboBox10 =
        mese ? aggiungiLookup(QStringLiteral("DBLookupComboBox10"), QStringLiteral("Mese"), QStringLiteral("Mese"), form_DB->SourceMesi,
                              QStringLiteral("numero"), QStringLiteral("Mese"))
             : aggiungiLookup(QStringLiteral("DBLookupComboBox10"), QStringLiteral("Trimestre"), QStringLiteral("Trimestre"),
                              form_DB->SourceContabilitaTrimestri, QStringLiteral("Numero"), QStringLiteral("Descrizione"));
    DBEdit11 = aggiungiEdit(QStringLiteral("DBEdit11"), QStringLiteral("Credito Precedente"), t.credito);
    DBEdit8 = aggiungiEdit(QStringLiteral("DBEdit8"), QStringLiteral("Debito"), QStringLiteral("TotaleIvaDebito"));
    DBEdit9 = aggiungiEdit(QStringLiteral("DBEdit9"), QStringLiteral("Credito"), QStringLiteral("TotaleIvaCredito"));
    SpeedButton3 = ui::toolButton(generale, QStringLiteral("SpeedButton3"), QStringLiteral("Calcola"),
                                  QStringLiteral("calcola la chiusura Iva per questo trimestre"), "accessories-calculator",
                                  QStyle::SP_BrowserReload);
    SpeedButton3->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    aggiungiRiga(QString(), SpeedButton3);
    connect(SpeedButton3, &QToolButton::clicked, this, &TfrmContabilitaChiusuraIva::SpeedButton3Click);

    QWidget *pagina = aggiungiPagina(QStringLiteral("TabSheet2"), QStringLiteral("  Acquisti  "));
    DBGrid1 = griglia(pagina, "DBGrid1", sorgenteRighe, true);
    aggiungiRiga(QString(), DBGrid1);
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Imponibile"), QStringLiteral("AcquistiImponibile"));
    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Iva"), QStringLiteral("AcquistiImposta"));
    pagina = aggiungiPagina(QStringLiteral("TabSheet3"), QStringLiteral("  Vendite  "));
    DBGrid2 = griglia(pagina, "DBGrid2", sorgenteRighe, true);
    aggiungiRiga(QString(), DBGrid2);
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Imponibile"), QStringLiteral("VenditaImponibile"));
    DBEdit5 = aggiungiEdit(QStringLiteral("DBEdit5"), QStringLiteral("Iva"), QStringLiteral("VenditaImposta"));
    pagina = aggiungiPagina(QStringLiteral("TabSheet4"), mese ? QStringLiteral("Acquisti Non Sogg.") : QStringLiteral("Acquisti non Sogg."));
    DBGrid3 = griglia(pagina, "DBGrid3", sorgenteNonSoggette, false);
    aggiungiRiga(QString(), DBGrid3);
    DBEdit6 = aggiungiEdit(QStringLiteral("DBEdit6"), QStringLiteral("Imponibile"), QStringLiteral("AcquistiImponibileNonSoggetta"));
    pagina = aggiungiPagina(QStringLiteral("TabSheet5"), mese ? QStringLiteral("Vendita Non Sogg.") : QStringLiteral("Vendite non Sogg."));
    DBGrid4 = griglia(pagina, "DBGrid4", sorgenteNonSoggette, false);
    aggiungiRiga(QString(), DBGrid4);
    DBEdit7 = aggiungiEdit(QStringLiteral("DBEdit7"), QStringLiteral("Imponibile"), QStringLiteral("VenditaImponibileNonSoggetta"));
    connect(PageControl1, &QTabWidget::currentChanged, this, &TfrmContabilitaChiusuraIva::PageControl1Change);
    setMinimumWidth(760); // the five page tabs side by side
    completa();
}

db::Query *righeChiusura(Periodicita p, bool nonSoggette)
{
    if (p == Periodicita::Mensile)
        return nonSoggette ? form_DB->TableContabilitaChiusuraIvaMensileRigheNonSoggetta : form_DB->TableContabilitaChiusuraIvaMensileRighe;
    return nonSoggette ? form_DB->TableContabilitaChiusuraIvaTrimestreRigheNonSoggetta : form_DB->TableContabilitaChiusuraIvaTrimestreRighe;
}

void caricaRigheChiusura(Periodicita p, qint64 id)
{
    const contabilita::TabelleChiusura &t = contabilita::tabelle(p);
    for (bool nonSoggette : {false, true}) {
        db::Query *q = righeChiusura(p, nonSoggette);
        q->setFilter(QString());
        q->close();
        q->setSql(QStringLiteral("select * from %1 where %2 = %3 order by Iva_ID").arg(nonSoggette ? t.righeNonSoggette : t.righe, t.legame).arg(id));
        q->open();
    }
}

void TfrmContabilitaChiusuraIva::mancaPeriodo()
{
    forms::avvisa(this,
                  m_periodicita == Periodicita::Mensile ? QStringLiteral("Attenzione E' necessario definire il mese di calcolo...")
                                                        : QStringLiteral("Attenzione E' necessario definire il trimestre di calcolo..."),
                  kAvvisoCalcolo);
    DBLookupComboBox10->setFocus();
}

// Each page shows its side of the rows.
void TfrmContabilitaChiusuraIva::PageControl1Change()
{
    switch (PageControl1->currentIndex()) {
    case 1: righeChiusura(m_periodicita, false)->setFilter(QStringLiteral("Carico = true")); break;
    case 2: righeChiusura(m_periodicita, false)->setFilter(QStringLiteral("Carico = false")); break;
    case 3: righeChiusura(m_periodicita, true)->setFilter(QStringLiteral("Carico = true")); break;
    case 4: righeChiusura(m_periodicita, true)->setFilter(QStringLiteral("Carico = false")); break;
    default: break;
    }
}

void TfrmContabilitaChiusuraIva::SpeedButton3Click()
{
    const bool mese = m_periodicita == Periodicita::Mensile;
    if (!forms::chiedi(this, mese ? QStringLiteral("Sei sicuro di voler ricalcolare questo mese ?")
                                  : QStringLiteral("Sei sicuro di voler ricalcolare questo Trimestre ?")))
        return;
    // The year reaches the computation only as four digits.
    const QString anno = DBEdit2->text().trimmed();
    if (DBEdit2->text().size() != 4 || !soloCifre(anno)) {
        forms::avvisa(this, QStringLiteral("Attenzione E' necessario definire correttamente l'anno di calcolo..."), kAvvisoCalcolo);
        DBEdit2->setFocus();
        return;
    }
    if (DBLookupComboBox10->currentText().isEmpty()) return mancaPeriodo();
    db::Query *q = dataset();
    Q_EMIT q->updateRecord(); // the period picked, the year typed
    const int numero = q->fieldByName(contabilita::tabelle(m_periodicita).periodo).asInteger();
    const qint64 id = q->fieldByName(QStringLiteral("Id")).asLargeInt();
    // What the computation writes replaces what was typed; nothing typed is posted on its own.
    if (q->isEditing()) q->cancel();
    try {
        const contabilita::EsitoCalcolo e = contabilita::calcolaChiusura(form_DB->Connessione, m_periodicita, id, anno.toInt(), numero);
        if (e == contabilita::EsitoCalcolo::PeriodoNonValido) return mancaPeriodo();
    } catch (const db::DbError &err) {
        ui::showError(err.message(), QStringLiteral("Messaggio di errore"), this);
        return;
    }
    q->requery();
    q->locate(QStringLiteral("Id"), id);
    caricaRigheChiusura(m_periodicita, id);
    DatiModificati = true;
}

bool TfrmContabilitaChiusuraIva::controllaSalvataggio()
{
    const QString anno = DBEdit2->text().trimmed();
    if (anno.size() <= 3 || !soloCifre(anno)) {
        forms::avvisa(this, QStringLiteral("Attenzione manca l' Anno"), config().captionErrore);
        DBEdit2->setFocus();
        return false;
    }
    if (DBLookupComboBox10->currentText().isEmpty()) {
        forms::avvisa(this,
                      m_periodicita == Periodicita::Mensile ? QStringLiteral("Attenzione manca il mese")
                                                            : QStringLiteral("Attenzione manca il trimestre"),
                      config().captionErrore);
        DBLookupComboBox10->setFocus();
        return false;
    }
    return true;
}

// A month picked carries its name, which the list and the print show.
void TfrmContabilitaChiusuraIva::primaDiSalvare()
{
    if (m_periodicita != Periodicita::Mensile) return;
    db::Query *q = dataset();
    const QString nome = DBLookupComboBox10->currentText();
    if (q->fieldByName(QStringLiteral("DescrizioneMese")).asString() == nome) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("DescrizioneMese")).setAsString(nome);
}

namespace {
const bool registrati = forms::registra(frmContabilitaChiusuraIva, "frmContabilitaChiusuraIva",
                                        {.griglie = {{QStringLiteral("frmContabilitaChiusuraIva_DBGrid1"), QStringLiteral("DBGrid1")},
                                                     {QStringLiteral("frmContabilitaChiusuraIva_DBGrid2"), QStringLiteral("DBGrid2")}}}) &&
                        forms::registra(frmContabilitaChiusuraIvaMensile, "frmContabilitaChiusuraIvaMensile",
                                        {.griglie = {{QStringLiteral("frmContabilitaChiusuraIvaMensile_DBGrid1"), QStringLiteral("DBGrid1")},
                                                     {QStringLiteral("frmContabilitaChiusuraIvaMensile_DBGrid2"), QStringLiteral("DBGrid2")}}});
} // namespace

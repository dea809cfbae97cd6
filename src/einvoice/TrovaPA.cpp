#include "TrovaPA.h"

#include "common/GridLayouts.h"
#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "einvoice/services/RicercaPA.h"
#include "masterdata/services/Clienti.h"
#include "db/DbError.h"
#include "widgets/FieldLink.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "widgets/DBGrid.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const int kContestoGuida = 8900;
const QString kNomeGriglia = QStringLiteral("frmTrovaPA");

// What a name, an address of the customer can hold.
const int kLunghezzaNome = 80, kLunghezzaVia = 60;

db::Query *risultato() { return form_DB->TablePA_fatturazioneElettronica; }

} // namespace

TfrmTrovaPA::TfrmTrovaPA(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTrovaPA"));
    setWindowTitle(QStringLiteral("Trova Pubblica Amministrazione"));
    setProperty("helpContext", kContestoGuida);
    resize(1000, 600);
    auto *layout = new QVBoxLayout(this);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    spdHelp = ui::pulsanteAiuto(this);
    spdIndietro = ui::pulsanteIndietro(this);
    spdAvanti = ui::toolButton(this, QStringLiteral("spdAvanti"), QStringLiteral("Avanti"),
                               QStringLiteral("Copia i dati della P.A. scelta nel Cliente"), "go-next", QStyle::SP_ArrowForward);
    for (QToolButton *b : {spdHelp, spdIndietro, spdAvanti}) ToolBar1->addWidget(b);
    layout->addWidget(ToolBar1);

    auto *gruppo = new QGroupBox(QStringLiteral("Cerca"), this);
    auto *griglia = new QGridLayout(gruppo);
    const char *etichette[ricerca_pa::NumeroCaselle] = {"Comune", "Desc. PA", "Cod. univoco", "Ufficio",
                                                        "Cod. fiscale", "Provincia", "Indirizzo", "Tipologia"};
    for (int i = 0; i < ricerca_pa::NumeroCaselle; ++i) {
        auto *box = new QLineEdit(gruppo);
        box->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        auto *etichetta = new QLabel(QString::fromUtf8(etichette[i]), gruppo);
        etichetta->setBuddy(box);
        griglia->addWidget(etichetta, 0, i);
        griglia->addWidget(box, 1, i);
        box->installEventFilter(this);
        m_caselle << box;
    }
    Edit1 = m_caselle[0], Edit2 = m_caselle[1], Edit3 = m_caselle[2], Edit4 = m_caselle[3];
    Edit5 = m_caselle[4], Edit6 = m_caselle[5], Edit7 = m_caselle[6], Edit8 = m_caselle[7];
    Edit6->setMaximumWidth(60);
    BitBtn2 = new QPushButton(QStringLiteral("cerca"), gruppo);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3 = new QPushButton(QStringLiteral("reset"), gruppo);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    for (QPushButton *b : {BitBtn2, BitBtn3}) b->setAutoDefault(false);
    griglia->addWidget(BitBtn2, 1, ricerca_pa::NumeroCaselle);
    griglia->addWidget(BitBtn3, 1, ricerca_pa::NumeroCaselle + 1);
    layout->addWidget(gruppo);

    DBGrid1 = new ui::DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(form_DB->SourcePA_fatturazioneElettronica);
    DBGrid1->addColumn(QStringLiteral("Comune"), QStringLiteral("Comune"), 140);
    DBGrid1->addColumn(QStringLiteral("DescrizionePA"), QStringLiteral("Descrizione P.A. "), 260);
    DBGrid1->addColumn(QStringLiteral("DescrizioneUfficio"), QStringLiteral("Ufficio"), 220);
    DBGrid1->addColumn(QStringLiteral("codice_univoco"), QStringLiteral("Cod.Univoco"), 90);
    DBGrid1->addColumn(QStringLiteral("tipologia_istat"), QStringLiteral("Tipologia"), 160);
    DBGrid1->addColumn(QStringLiteral("indirizzo"), QStringLiteral("Indirizzo"), 200);
    DBGrid1->addColumn(QStringLiteral("cf"), QStringLiteral("cod.fiscale"), 110);
    DBGrid1->addColumn(QStringLiteral("Provincia"), QStringLiteral("Prov."), 45);
    layout->addWidget(DBGrid1, 1);

    PopupMenu1 = new QMenu(this);
    SalvaGriglia1 = PopupMenu1->addAction(QStringLiteral("Salva Griglia"), this, &TfrmTrovaPA::SalvaGriglia1Click);
    EliminaColonna1 = PopupMenu1->addAction(QStringLiteral("Elimina Colonna"), this, &TfrmTrovaPA::EliminaColonna1Click);
    ResetGriglia1 = PopupMenu1->addAction(QStringLiteral("Reset Griglia"), this, &TfrmTrovaPA::ResetGriglia1Click);
    DBGrid1->setPopupMenu(PopupMenu1);

    connect(spdHelp, &QToolButton::clicked, this, &TfrmTrovaPA::spdHelpClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmTrovaPA::spdIndietroClick);
    connect(spdAvanti, &QToolButton::clicked, this, &TfrmTrovaPA::spdAvantiClick);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmTrovaPA::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmTrovaPA::BitBtn3Click);
    connect(DBGrid1, &ui::DBGrid::doubleClicked, this, &TfrmTrovaPA::DBGrid1DblClick);
    connect(DBGrid1, &ui::DBGrid::titleClicked, this, &TfrmTrovaPA::DBGrid1TitleClick);
}

void TfrmTrovaPA::showEvent(QShowEvent *e)
{
    setWindowState(windowState() | Qt::WindowMaximized);
    QDialog::showEvent(e);
}

bool TfrmTrovaPA::eventFilter(QObject *watched, QEvent *e)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box || !m_caselle.contains(box)) return QDialog::eventFilter(watched, e);
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
        QPalette p = box->palette();
        p.setColor(QPalette::Base, e->type() == QEvent::FocusIn ? QColor(0, 255, 255) : QColor(Qt::white));
        box->setPalette(p);
    } else if (e->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent *>(e)->key();
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
            BitBtn2Click();
            return true;
        }
        if (tasto == Qt::Key_Down) {
            focusNextChild();
            return true;
        }
        if (tasto == Qt::Key_Up) {
            focusPreviousChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TfrmTrovaPA::BitBtn2Click()
{
    db::Query *q = risultato();
    q->close();
    ricerca_pa::Criteri criteri;
    for (int i = 0; i < ricerca_pa::NumeroCaselle; ++i) criteri[i] = m_caselle[i]->text();
    const std::optional<QString> sql = ricerca_pa::sql(criteri);
    if (!sql) {
        forms::avvisa(this, QStringLiteral("Attenzione ! E' necessario inserire i criteri di ricerca !"), forms::kAvviso);
        return;
    }
    // The register's rows are not shipped with a new archive: say so rather than find nothing.
    if (ricerca_pa::registroVuoto(form_DB->Connessione)) {
        forms::avvisa(this,
                      QStringLiteral("Attenzione ! L'archivio delle Pubbliche Amministrazioni è vuoto: "
                                     "non ci sono uffici in cui cercare."),
                      forms::kAvviso);
        return;
    }
    q->setSql(*sql);
    q->open();
    q->first();
}

void TfrmTrovaPA::BitBtn3Click()
{
    for (QLineEdit *b : m_caselle) b->clear();
    risultato()->close();
    risultato()->setFilter(QString());
}

void TfrmTrovaPA::spdAvantiClick()
{
    db::Query *pa = risultato();
    if (!pa->isActive() || pa->isEmpty()) return;
    db::Query *cliente = form_DB->Table7;
    if (!cliente->isActive() || cliente->isEmpty()) return;
    if (!forms::chiedi(this, QStringLiteral("Posso sovrascrivere i dati della PA scelta con quelli del Cliente ? Vuoi proseguire ?")))
        return;
    const auto valore = [pa](const char *colonna) { return pa->fieldByName(QLatin1String(colonna)).value(); };
    const auto tagliato = [pa](const char *colonna, int lunghezza) {
        const db::Field f = pa->fieldByName(QLatin1String(colonna));
        return f.isNull() ? QVariant() : QVariant(f.asString().left(lunghezza));
    };
    if (!cliente->isEditing()) cliente->edit();
    const auto scrivi = [cliente](const char *colonna, const QVariant &v) { cliente->fieldByName(QLatin1String(colonna)).setValue(v); };
    scrivi("Cliente", tagliato("DescrizionePA", kLunghezzaNome));
    scrivi("NominativoDocumenti", tagliato("DescrizionePA", kLunghezzaNome));
    scrivi("NominativoVisualizzato", tagliato("DescrizionePA", kLunghezzaNome));
    scrivi("Comune_id", valore("Comune_id"));
    scrivi("Citta", valore("Comune"));
    scrivi("Cap", valore("cap"));
    scrivi("CodFiscale", valore("cf"));
    scrivi("CodiceUnivocoUfficio", valore("codice_univoco"));
    scrivi("PubblicaAmministrazione", true);
    scrivi("Via", tagliato("indirizzo", kLunghezzaVia));
    scrivi("DestinazioneMerce", valore("DescrizioneUfficio"));
    // Saved as the customer detail saves: its documents not yet exported take the public
    // administration's format in the same transaction.
    clienti::EsitoSalvataggio esito;
    try {
        esito = clienti::salva(form_DB->Connessione, cliente->fieldByName(QStringLiteral("Id")).asLargeInt(), true, false,
                               [cliente] { return common::SalvaRecord(*cliente, QStringLiteral("Id")); });
    } catch (const db::DbError &e) {
        ui::reportDbError(e, this);
        return;
    }
    if (!esito.salvato) return;
    if (esito.documentiRiformattati > 0)
        for (db::Query *d : {form_DB->Table3, form_DB->TableNotaCredito})
            if (d->isActive()) common::RicaricaDataset(*d, QStringLiteral("ID"));
    accept();
}

void TfrmTrovaPA::DBGrid1DblClick() { spdAvantiClick(); }

void TfrmTrovaPA::spdIndietroClick() { reject(); }

void TfrmTrovaPA::spdHelpClick() { ui::apriGuida(kContestoGuida); }

void TfrmTrovaPA::DBGrid1TitleClick(const QString &campo)
{
    db::Query *q = risultato();
    if (!q->isActive()) return;
    // The direction follows the previous sort, whatever column it named.
    q->setSort(campo + (q->sort().endsWith(QLatin1String("ASC")) ? QStringLiteral(" DESC") : QStringLiteral(" ASC")));
}

void TfrmTrovaPA::SalvaGriglia1Click()
{
    common::SalvaGriglia(kNomeGriglia, *DBGrid1, *form_DB->TableGriglie, false, NomeComputerLocale);
}

void TfrmTrovaPA::EliminaColonna1Click()
{
    const int col = DBGrid1->selectedColumn();
    if (col >= 0) DBGrid1->removeColumn(col);
}

void TfrmTrovaPA::ResetGriglia1Click()
{
    common::CaricaGriglia(kNomeGriglia, *DBGrid1, *form_DB->TableGriglie, true, false, NomeComputerLocale);
    SalvaGriglia1Click();
}

namespace {
// Created once at start-up, in the program's order; its grid's layout is restored then.
const bool registrati = forms::registra(frmTrovaPA, "frmTrovaPA", {.griglie = {{QStringLiteral("frmTrovaPA")}}});
} // namespace

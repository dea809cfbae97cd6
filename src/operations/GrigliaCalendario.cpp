#include "GrigliaCalendario.h"
#include "Calendario.h"

#include "common/RecordHelpers.h"
#include "common/TextUtils.h"
#include "core/Clock.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/DetailForm.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "operations/services/Calendario.h"
#include "widgets/DBGrid.h"
#include "widgets/FieldLink.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");

QDate oggi() { return core::Clock::instance().today(); }

} // namespace

TfrmGrigliaCalendario::TfrmGrigliaCalendario(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaCalendario");
              c.titolo = QStringLiteral("Calendario");
              c.helpContext = 8300;
              c.dataset = form_DB->TableCalendario;
              c.source = form_DB->SourceCalendario;
              c.colonne = {{QStringLiteral("Data"), QStringLiteral("Data"), 110},
                           {QStringLiteral("TipologiaCalendario"), QStringLiteral("Tipologia"), 180},
                           {QStringLiteral("Personale"), QStringLiteral("Personale"), 180},
                           {QStringLiteral("Cliente"), QStringLiteral("Cliente"), 240},
                           {QStringLiteral("Note"), QStringLiteral("Note"), 320}};
              c.ricerca = {};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la data del Calendario ??");
              c.nomeGriglia = QStringLiteral("frmGrigliaCalendario");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.pulsanteRicarica = true;
              return c;
          }(),
          parent)
{
    resize(1000, 640);
    spdEsportaCalendario = ui::toolButton(this, QStringLiteral("spdEsportaCalendario"), QStringLiteral("Esporta calendario"),
                                          QStringLiteral("Esporta i dati in formato ICal"), "x-office-calendar",
                                          QStyle::SP_DialogSaveButton);
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdAggiorna) ToolBar2->insertWidget(a, spdEsportaCalendario);

    GroupBox1 = new QGroupBox(QStringLiteral("Ricerca per"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    // The boxes with their labels above them, the two buttons, the month calendar at the right.
    auto *riga = new QHBoxLayout(GroupBox1);
    auto *g = new QGridLayout;
    int col = 0;
    const auto posa = [&](QWidget *w, const char *etichetta) {
        auto *l = new QLabel(QString::fromUtf8(etichetta), GroupBox1);
        l->setBuddy(w);
        g->addWidget(l, 0, col);
        g->addWidget(w, 1, col);
        ++col;
        w->installEventFilter(this);
        m_caselle << w;
    };
    const auto casella = [&](const char *nome, const char *etichetta) {
        auto *e = new QLineEdit(GroupBox1);
        e->setObjectName(QLatin1String(nome));
        posa(e, etichetta);
        return e;
    };
    const auto data = [&](const char *nome, const char *etichetta) {
        auto *e = new ui::MaskedDateEdit(GroupBox1);
        e->setObjectName(QLatin1String(nome));
        e->setMaximumWidth(110);
        posa(e, etichetta);
        return e;
    };
    Edit1 = casella("Edit1", "Personale");
    Edit2 = casella("Edit2", "Cliente");
    Edit3 = casella("Edit3", "Tipologia");
    Edit4 = casella("Edit4", "Note");
    maskDaData = data("maskDaData", "Dalla Data");
    maskAData = data("maskAData", "alla Data");
    g->setRowStretch(2, 1);
    riga->addLayout(g, 1);
    auto *pulsanti = new QVBoxLayout;
    BitBtn2 = ui::toolButton(GroupBox1, QStringLiteral("BitBtn2"), QStringLiteral("cerca"), QString(), "edit-find",
                             QStyle::SP_FileDialogContentsView);
    BitBtn3 = ui::toolButton(GroupBox1, QStringLiteral("BitBtn3"), QStringLiteral("reset"), QString(), "edit-clear",
                             QStyle::SP_DialogResetButton);
    pulsanti->addWidget(BitBtn2);
    pulsanti->addWidget(BitBtn3);
    pulsanti->addStretch(1);
    riga->addLayout(pulsanti);
    auto *giorno = new QVBoxLayout;
    giorno->addWidget(new QLabel(QStringLiteral("Giorno"), GroupBox1));
    MonthCalendar1 = new QCalendarWidget(GroupBox1);
    MonthCalendar1->setObjectName(QStringLiteral("MonthCalendar1"));
    MonthCalendar1->setMinimumDate(QDate(2011, 7, 1));
    MonthCalendar1->setGridVisible(true);
    MonthCalendar1->setSelectedDate(oggi());
    giorno->addWidget(MonthCalendar1);
    riga->addLayout(giorno);
    layoutPrincipale()->addWidget(GroupBox1);

    connect(spdEsportaCalendario, &QToolButton::clicked, this, &TfrmGrigliaCalendario::spdEsportaCalendarioClick);
    connect(BitBtn2, &QToolButton::clicked, this, &TfrmGrigliaCalendario::BitBtn2Click);
    connect(BitBtn3, &QToolButton::clicked, this, &TfrmGrigliaCalendario::BitBtn3Click);
    connect(MonthCalendar1, &QCalendarWidget::clicked, this, [this](const QDate &giorno) {
        MonthCalendar1->setSelectedDate(giorno);
        MonthCalendar1Click();
    });
}

bool TfrmGrigliaCalendario::eventFilter(QObject *watched, QEvent *e)
{
    auto *w = qobject_cast<QWidget *>(watched);
    const int i = m_caselle.indexOf(w);
    if (i < 0) return forms::ListForm::eventFilter(watched, e);
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)
        w->setStyleSheet(e->type() == QEvent::FocusIn ? QStringLiteral("background-color: aqua;")
                                                      : QStringLiteral("background-color: white;"));
    if (e->type() != QEvent::KeyPress) return forms::ListForm::eventFilter(watched, e);
    switch (static_cast<QKeyEvent *>(e)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        BitBtn2Click();
        return true;
    case Qt::Key_Up:
        m_caselle.value(i - 1, m_caselle.last())->setFocus();
        return true;
    case Qt::Key_Escape:
        if (w == maskDaData || w == maskAData) {
            static_cast<QLineEdit *>(w)->clear();
            Edit1->setFocus();
            return true;
        }
        break;
    default:
        break;
    }
    return forms::ListForm::eventFilter(watched, e);
}

void TfrmGrigliaCalendario::BitBtn2Click()
{
    calendario::CriteriCalendario k;
    k.personale = Edit1->text();
    k.cliente = Edit2->text();
    k.tipologia = Edit3->text();
    k.note = Edit4->text();
    k.daData = maskDaData->text();
    k.aData = maskAData->text();
    k.giornoAttivo = FiltroGiornoAttivo;
    k.giorno = MonthCalendar1->selectedDate();
    const calendario::FiltroCalendario f = calendario::filtroRicerca(k);
    if (!f.valido()) {
        // The filter in force stays: nothing is filtered by a text that is not a date.
        forms::avvisa(this, f.errore, forms::kAvviso);
        if (auto *w = findChild<QWidget *>(f.casella)) w->setFocus();
        return;
    }
    dataset()->setFilter(f.filtro);
}

void TfrmGrigliaCalendario::BitBtn3Click()
{
    for (QLineEdit *e : {Edit1, Edit2, Edit3, Edit4, static_cast<QLineEdit *>(maskDaData), static_cast<QLineEdit *>(maskAData)})
        e->clear();
    MonthCalendar1->setSelectedDate(oggi());
    FiltroGiornoAttivo = false;
    forms::ListForm::BitBtn3Click();
}

void TfrmGrigliaCalendario::MonthCalendar1Click()
{
    FiltroGiornoAttivo = true;
    BitBtn2Click();
}

void TfrmGrigliaCalendario::spdInserisciClick()
{
    forms::DetailForm *editor = dettaglio();
    if (!editor) return;
    db::Query *q = dataset();
    if (q->isEditing()) q->cancel();
    const qint64 prima = q->isEmpty() ? 0 : q->fieldByName(QStringLiteral("Id")).asLargeInt();
    // The search boxes keep their text; the new entry must be seen while it is edited. An
    // unfiltered list keeps its row, which an abandoned entry gives back.
    if (!q->filter().isEmpty()) q->setFilter(QString());
    const int righe = q->recordCount();
    q->append();
    try {
        q->fieldByName(QStringLiteral("Data")).setValue(MonthCalendar1->selectedDate());
        q->fieldByName(QStringLiteral("Storico")).setAsBoolean(ModalitaStorico);
        q->fieldByName(QStringLiteral("Conclusa")).setAsBoolean(false);
        common::ImpostaValoriPredefiniti(QStringLiteral("Calendario"), *q, *form_DB->TablePersonalizzazioni);
    } catch (const db::DbError &e) {
        q->cancel();
        ui::reportDbError(e, this);
        return;
    } catch (const std::exception &e) {
        // A default value of the calendar that does not convert.
        q->cancel();
        forms::avvisa(this, QString::fromUtf8(e.what()), kErrore);
        return;
    }
    // Stored by the editor's first save, or dropped by its "Annulla".
    editor->DatiModificati = true;
    editor->mostra(true);
    // An entry abandoned gives the list back the row it stood on.
    if (q->recordCount() == righe && prima > 0 && !q->locate(QStringLiteral("Id"), prima)) q->first();
}

void TfrmGrigliaCalendario::spdAvantiClick()
{
    db::Query *q = dataset();
    if (ModalitaScelta) {
        forms::ListForm::spdAvantiClick();
        return;
    }
    if (q->recordCount() < 1 || !dettaglio()) return;
    dettaglio()->mostra(false);
    if (q->isEditing()) q->cancel();
    common::RicaricaDataset(*q, QStringLiteral("Id"));
}

void TfrmGrigliaCalendario::spdEsportaCalendarioClick()
{
    db::Query *q = dataset();
    const QString testo =
        calendario::testoICal(calendario::voci(*q), core::Clock::instance().today(), core::Clock::instance().now());
    if (!q->isEmpty()) q->last();
    QString file = ui::Dialogs::instance().saveFile(this, QStringLiteral("Esporta calendario"), QStringLiteral("Calendario.ics"),
                                                    QStringLiteral("Files Ical (*.ics)"));
    if (file.isEmpty()) return;
    if (common::EstensioneFile(file).isEmpty()) file += QStringLiteral(".ics");
    try {
        common::ScriviFileTesto(file, testo, false);
    } catch (const std::exception &e) {
        ui::showError(QStringLiteral("Attenzione il file del calendario non è stato scritto.\n") + QString::fromUtf8(e.what()),
                      kErrore, this);
    }
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati = forms::registra(frmGrigliaCalendario, "frmGrigliaCalendario",
                                        {.dettaglio = QStringLiteral("frmCalendario"),
                                         .griglie = {{QStringLiteral("frmGrigliaCalendario")}}})
                        && forms::registra(frmCalendario, "frmCalendario");
} // namespace

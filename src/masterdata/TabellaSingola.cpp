#include "TabellaSingola.h"

#include "Navigatore.h"
#include "common/RecordHelpers.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "widgets/DBEdit.h"
#include "widgets/EditingHelper.h"
#include "widgets/ToolButton.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace masterdata {

namespace {

// Turns a typed apostrophe into the acute accent, so stored descriptions never hold one.
class ApostrofoAcuto : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(e)->text() != QLatin1String("'")) return false;
        // Sent as a key of its own, so the edit starts editing its row as for any typed key.
        QKeyEvent acuto(QEvent::KeyPress, Qt::Key_acute, Qt::NoModifier, QString(QChar(0x00B4)));
        QCoreApplication::sendEvent(watched, &acuto);
        return true;
    }
};

} // namespace

void apostrofoAcuto(QWidget *campo) { campo->installEventFilter(new ApostrofoAcuto(campo)); }

TabellaSingola::TabellaSingola(Config config, QWidget *parent) : QDialog(parent), m_cfg(std::move(config))
{
    setObjectName(m_cfg.nome);
    setWindowTitle(m_cfg.titolo);
    setProperty("helpContext", m_cfg.helpContext);
    auto *layout = new QVBoxLayout(this);
    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    spdIndietro = ui::pulsanteIndietro(this);
    ToolBar2->addWidget(spdIndietro);
    layout->addWidget(ToolBar2);

    auto *comandi = new QHBoxLayout;
    DBNavigator = new Navigatore(m_cfg.dataset, m_cfg.nomeNavigatore, this);
    Button3 = pulsanteRiga(this, QStringLiteral("Button3"), QStringLiteral("-"));
    Button4 = pulsanteRiga(this, QStringLiteral("Button4"), QStringLiteral("+"));
    bitSalva = pulsanteRiga(this, QStringLiteral("bitSalva"), QStringLiteral("salva"));
    comandi->addWidget(DBNavigator);
    comandi->addWidget(Button3);
    comandi->addWidget(Button4);
    comandi->addStretch(1);
    comandi->addWidget(bitSalva);
    layout->addLayout(comandi);

    auto *campi = new QFormLayout;
    DBEdit2 = new ui::DBEdit(this);
    DBEdit2->setObjectName(QStringLiteral("DBEdit2"));
    DBEdit2->setDataSource(m_cfg.source);
    DBEdit2->setDataField(QStringLiteral("Descrizione"));
    campi->addRow(QStringLiteral("Descrizione"), DBEdit2);
    layout->addLayout(campi);
    layout->addStretch(1);

    if (m_cfg.apostrofoAcuto) apostrofoAcuto(DBEdit2);
    if (m_cfg.comeDettaglio) new ui::EditingHelper(this);

    connect(spdIndietro, &QToolButton::clicked, this, &TabellaSingola::spdIndietroClick);
    connect(Button3, &QPushButton::clicked, this, &TabellaSingola::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TabellaSingola::Button4Click);
    connect(bitSalva, &QPushButton::clicked, this, &TabellaSingola::bitSalvaClick);
}

void TabellaSingola::Button3Click() { eliminaRiga(this, *m_cfg.dataset, m_cfg.domandaElimina); }

void TabellaSingola::Button4Click()
{
    db::Query *q = m_cfg.dataset;
    // A refused save keeps the row on screen with what was typed: no new row over it.
    if (m_cfg.salvaPrimaDiIniziare && !q->isEmpty() && !common::SalvaRecord(*q, QStringLiteral("Id"))) return;
    iniziaRiga(*q);
}

void TabellaSingola::bitSalvaClick()
{
    if (DBEdit2->text().isEmpty()) {
        forms::avvisa(this, m_cfg.messaggioDescrizione, m_cfg.captionErrore);
        DBEdit2->setFocus();
        return;
    }
    common::SalvaNuovoRecord(*m_cfg.dataset, QStringLiteral("Id"));
}

void TabellaSingola::spdIndietroClick() { accept(); }

void TabellaSingola::done(int r)
{
    // "Indietro" saves nothing: a row begun with "+" and not stored is dropped, not left pending.
    if (m_cfg.dataset->state() == db::Query::State::Insert) m_cfg.dataset->cancel();
    QDialog::done(r);
}

void TabellaSingola::showEvent(QShowEvent *e)
{
    // A dynamic cursor shows what other workstations wrote since it was read.
    if (m_cfg.dataset) m_cfg.dataset->rileggiSeDinamica();
    QDialog::showEvent(e);
}

} // namespace masterdata

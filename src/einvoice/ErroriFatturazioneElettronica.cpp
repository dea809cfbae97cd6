#include "ErroriFatturazioneElettronica.h"

#include "data/DB.h"
#include "db/Query.h"
#include "forms/Registro.h"
#include "widgets/DBMemo.h"
#include "widgets/DBText.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QAction>
#include <QFormLayout>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TfrmGrigliaErroriFatturazioneElettronica::TfrmGrigliaErroriFatturazioneElettronica(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaErroriFatturazioneElettronica");
              c.titolo = QStringLiteral("Elenco Errori scarto fatturazione elettronica");
              c.helpContext = 9500;
              c.dataset = form_DB->TableErroriScartoFatturazioneElettronica;
              c.source = form_DB->SourceErroriScartoFatturazioneElettronica;
              c.colonne = {{QStringLiteral("Codice"), QStringLiteral("Codice"), 80},
                           {QStringLiteral("Titolo"), QStringLiteral("Titolo"), 300},
                           {QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 450},
                           {QStringLiteral("Suggerimenti"), QStringLiteral("Suggerimenti"), 450}};
              c.ricerca = {{QStringLiteral("Edit2"), QStringLiteral("Codice"), QStringLiteral("Codice")},
                           {QStringLiteral("Edit4"), QStringLiteral("Titolo"), QStringLiteral("Titolo")}};
              c.nomeGriglia = QStringLiteral("frmGrigliaErroriFatturazioneElettronica");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.pulsanteRicarica = true;
              c.titoloRicerca = QStringLiteral("Cerca Per");
              c.ricercaNavigazione = true;
              c.massimizzata = true;
              return c;
          }(),
          parent)
{
    Edit2 = casella(QStringLiteral("Edit2"));
    Edit4 = casella(QStringLiteral("Edit4"));
    // A list to look codes up in: nothing is added or deleted here.
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdInserisci || ToolBar2->widgetForAction(a) == spdElimina) a->setVisible(false);
    if (QWidget *gruppo = gruppoRicerca()) {
        gruppo->setObjectName(QStringLiteral("GroupBox1"));
        gruppo->setStyleSheet(QStringLiteral("QGroupBox#GroupBox1 { background-color: rgb(128, 255, 128); }"));
    }
}

void TfrmGrigliaErroriFatturazioneElettronica::spdAvantiClick()
{
    if (dataset()->recordCount() < 1) return;
    frmDettaglioErroriFatturazioneElettronica->exec();
}

TfrmDettaglioErroriFatturazioneElettronica::TfrmDettaglioErroriFatturazioneElettronica(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDettaglioErroriFatturazioneElettronica"));
    setWindowTitle(QStringLiteral("Errore Fatturazione Elettronica"));
    setProperty("helpContext", 9600);
    resize(640, 480);
    auto *layout = new QVBoxLayout(this);
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    spdHelp = ui::pulsanteAiuto(this);
    spdIndietro = ui::pulsanteIndietro(this);
    ToolBar1->addWidget(spdHelp);
    ToolBar1->addWidget(spdIndietro);
    layout->addWidget(ToolBar1);

    auto *campi = new QFormLayout;
    db::DataSource *sorgente = form_DB->SourceErroriScartoFatturazioneElettronica;
    DBText1 = new ui::DBText(this);
    DBText1->setObjectName(QStringLiteral("DBText1"));
    DBText1->setDataSource(sorgente);
    DBText1->setDataField(QStringLiteral("Codice"));
    campi->addRow(QStringLiteral("Codice"), DBText1);
    auto memo = [&](const char *nome, const QString &campo, int righe) {
        auto *m = new ui::DBMemo(this);
        m->setObjectName(QString::fromLatin1(nome));
        m->setDataSource(sorgente);
        m->setDataField(campo);
        m->setReadOnly(true);
        m->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        m->setMinimumHeight(m->fontMetrics().lineSpacing() * righe + 12);
        campi->addRow(campo, m);
        return m;
    };
    DBMemo1 = memo("DBMemo1", QStringLiteral("Titolo"), 2);
    DBMemo2 = memo("DBMemo2", QStringLiteral("Descrizione"), 5);
    DBMemo3 = memo("DBMemo3", QStringLiteral("Suggerimenti"), 5);
    layout->addLayout(campi);

    connect(spdHelp, &QToolButton::clicked, this, &TfrmDettaglioErroriFatturazioneElettronica::spdHelpClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmDettaglioErroriFatturazioneElettronica::spdIndietroClick);
}

void TfrmDettaglioErroriFatturazioneElettronica::spdHelpClick() { ui::apriGuida(9600); }
void TfrmDettaglioErroriFatturazioneElettronica::spdIndietroClick() { close(); }

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaErroriFatturazioneElettronica, "frmGrigliaErroriFatturazioneElettronica",
                    {.griglie = {{QStringLiteral("frmGrigliaErroriFatturazioneElettronica")}}})
    && forms::registra(frmDettaglioErroriFatturazioneElettronica, "frmDettaglioErroriFatturazioneElettronica");
} // namespace

#include "Province.h"
#include "forms/Registro.h"

#include "data/DB.h"
#include "widgets/DBEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>

TfrmGrigliaProvince::TfrmGrigliaProvince(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaProvince");
              c.titolo = QStringLiteral("Province");
              c.helpContext = 3700;
              c.dataset = form_DB->TableProvince;
              c.source = form_DB->SourceProvince;
              c.colonne = {{QStringLiteral("PROVINCIA"), QStringLiteral("Prov"), 50},
                           {QStringLiteral("CAPOLUOGO"), QStringLiteral("Capoluogo"), 250}};
              c.ricerca = {{QStringLiteral("Edit1"), QStringLiteral("Ricerca Per Provincia"), QStringLiteral("PROVINCIA")},
                           {QStringLiteral("Edit2"), QStringLiteral("Capoluogo"), QStringLiteral("CAPOLUOGO")}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la provincia ?");
              c.descrizioneSpazio = false;
              c.nomeGriglia = QStringLiteral("frmGrigliaProvince");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.massimizzata = true;
              return c;
          }(),
          parent)
{
    auto *etichetta = new QLabel(QStringLiteral("Regione"), this);
    DBLookupComboBox2 = new QComboBox(this);
    DBLookupComboBox2->setObjectName(QStringLiteral("DBLookupComboBox2"));
    etichetta->setBuddy(DBLookupComboBox2);
    const int colonna = grigliaRicerca()->columnCount();
    grigliaRicerca()->addWidget(etichetta, 0, colonna);
    grigliaRicerca()->addWidget(DBLookupComboBox2, 1, colonna);
    DBLookupComboBox2->installEventFilter(this);
    // A pick, by mouse or by keys, filters at once.
    connect(DBLookupComboBox2, &QComboBox::activated, this, &TfrmGrigliaProvince::Edit1Change);
}

void TfrmGrigliaProvince::caricaRegioni()
{
    const QVariant scelta = DBLookupComboBox2->currentData();
    const QSignalBlocker quiet(DBLookupComboBox2);
    DBLookupComboBox2->clear();
    db::Query *regioni = form_DB->TableRegioni;
    const int chiave = regioni->fieldIndex(QStringLiteral("IDRegione"));
    const int nome = regioni->fieldIndex(QStringLiteral("Descrizione"));
    for (int riga = 0; chiave >= 0 && riga < regioni->recordCount(); ++riga)
        DBLookupComboBox2->addItem(regioni->displayTextAt(riga, nome), regioni->valueAt(riga, chiave));
    DBLookupComboBox2->setCurrentIndex(scelta.isValid() ? DBLookupComboBox2->findData(scelta) : -1);
}

void TfrmGrigliaProvince::impostaRegione(qint64 idRegione)
{
    const QSignalBlocker quiet(DBLookupComboBox2);
    DBLookupComboBox2->setCurrentIndex(idRegione == 0 ? -1 : DBLookupComboBox2->findData(idRegione));
}

QString TfrmGrigliaProvince::filtroRicerca() const
{
    QString filtro = ListForm::filtroRicerca();
    if (DBLookupComboBox2->currentIndex() >= 0) {
        if (!filtro.isEmpty()) filtro += QStringLiteral(" and ");
        filtro += QStringLiteral("Regione_ID = ") + QString::number(DBLookupComboBox2->currentData().toLongLong());
    }
    return filtro;
}

// A province added here has a placeholder code until the user types its own.
void TfrmGrigliaProvince::impostaNuovo() { dataset()->fieldByName(QStringLiteral("PROVINCIA")).setAsString(QStringLiteral("ZZ")); }

void TfrmGrigliaProvince::showEvent(QShowEvent *e)
{
    caricaRegioni();
    ListForm::showEvent(e);
}

bool TfrmGrigliaProvince::eventFilter(QObject *watched, QEvent *e)
{
    // As in every lookup, Backspace and Delete take the region away.
    if (watched == DBLookupComboBox2 && e->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent *>(e)->key();
        if (tasto == Qt::Key_Backspace || tasto == Qt::Key_Delete) {
            DBLookupComboBox2->setCurrentIndex(-1);
            Edit1Change();
            return true;
        }
    }
    return ListForm::eventFilter(watched, e);
}

TfrmProvinceDettaglio::TfrmProvinceDettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmProvinceDettaglio");
              c.titolo = QStringLiteral("Province");
              c.helpContext = 4100;
              c.dataset = form_DB->TableProvince;
              c.source = form_DB->SourceProvince;
              c.captionSalva = QStringLiteral("salva");
              return c;
          }(),
          parent)
{
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Sigla"), QStringLiteral("PROVINCIA"));
    DBEdit2 = aggiungiEdit(QStringLiteral("DBEdit2"), QStringLiteral("Provincia"), QStringLiteral("CAPOLUOGO"));
    richiesto(DBEdit1, QStringLiteral("Attenzione la Sigla"));
    richiesto(DBEdit2, QStringLiteral("Attenzione manca la provincia"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaProvince, "frmGrigliaProvince",
                    {.dettaglio = QStringLiteral("frmProvinceDettaglio"), .griglie = {{QStringLiteral("frmGrigliaProvince")}}})
    && forms::registra(frmProvinceDettaglio, "frmProvinceDettaglio");
} // namespace

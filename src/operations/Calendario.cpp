#include "Calendario.h"

#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/DataSource.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/ListForm.h"
#include "forms/Registro.h"
#include "masterdata/Tariffe.h"
#include "operations/services/Calendario.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/FieldLink.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QToolButton>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");

QWidget *formRegistrato(const QString &nome)
{
    const forms::VoceForm *v = forms::Registro::istanza().voce(nome);
    return v ? v->corrente() : nullptr;
}

} // namespace

TfrmCalendario::TfrmCalendario(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmCalendario");
              c.titolo = QStringLiteral("Calendario");
              c.helpContext = 8400;
              c.dataset = form_DB->TableCalendario;
              c.source = form_DB->SourceCalendario;
              c.conAiuto = true;
              return c;
          }(),
          parent)
{
    setMinimumWidth(560);
    DBCheckBox1 = aggiungiCheck(QStringLiteral("DBCheckBox1"), QStringLiteral("Conclusa"), QStringLiteral("Conclusa"));
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Data"), QStringLiteral("Data"));
    DBEdit3 = aggiungiEdit(QStringLiteral("DBEdit3"), QStringLiteral("Data avviso"), QStringLiteral("DataAvviso"));
    const auto lookup = [this](const char *nome, const char *etichetta, const char *campo, db::DataSource *lista,
                               const char *chiave, const char *testo, const char *listaForm, const char *apri,
                               const char *aggiungi, const char *cosa) {
        const LookupConPulsanti l =
            aggiungiLookup(QString::fromLatin1(nome), QString::fromUtf8(etichetta), QString::fromLatin1(campo), lista,
                           QString::fromLatin1(chiave), QString::fromLatin1(testo),
                           {QString::fromLatin1(listaForm),
                            {QString::fromLatin1(apri), QStringLiteral("Modifica ") + QString::fromUtf8(cosa)},
                            {QString::fromLatin1(aggiungi), QStringLiteral("Aggiungi ") + QString::fromUtf8(cosa)}});
        l.modifica->setProperty("listaForm", QString::fromLatin1(listaForm));
        l.aggiungi->setProperty("listaForm", QString::fromLatin1(listaForm));
        return l;
    };
    const LookupConPulsanti tipologia = lookup("DBLookupComboBox1", "Tipologia", "TipologiaCalendario",
                                               form_DB->SourceTipologiaCalendario, "Descrizione", "Descrizione",
                                               "frmGrigliaTipologieCalendario", "SpeedButton1", "SpeedButton2", "la Tipologia");
    DBLookupComboBox1 = tipologia.lookup;
    SpeedButton1 = tipologia.modifica;
    SpeedButton2 = tipologia.aggiungi;
    const LookupConPulsanti personale = lookup("DBLookupComboBox2", "Personale", "Personale_Id", form_DB->SourcePersonale, "Id",
                                               "Personale", "frmGrigliaPersonale", "SpeedButton3", "SpeedButton4", "il Personale");
    DBLookupComboBox2 = personale.lookup;
    SpeedButton3 = personale.modifica;
    SpeedButton4 = personale.aggiungi;
    const LookupConPulsanti cliente = lookup("DBLookupComboBox3", "Cliente", "Cliente_ID", form_DB->Source7, "Id",
                                             "NominativoVisualizzato", "frmClienti", "SpeedButton5", "SpeedButton6", "il Cliente");
    DBLookupComboBox3 = cliente.lookup;
    SpeedButton5 = cliente.modifica;
    SpeedButton6 = cliente.aggiungi;
    DBLookupComboBox4 = aggiungiLookup(QStringLiteral("DBLookupComboBox4"), QStringLiteral("Tariffa"), QStringLiteral("Tariffa_ID"),
                                       form_DB->Source1, QStringLiteral("Id"), QStringLiteral("Descrizione"));
    {
        // The tariff's lookup and its price-list button share one row.
        QFormLayout *f = nullptr;
        for (QFormLayout *l : findChildren<QFormLayout *>())
            if (l->indexOf(DBLookupComboBox4) >= 0) f = l;
        auto *riga = new QWidget(this);
        f->replaceWidget(DBLookupComboBox4, riga);
        auto *h = new QHBoxLayout(riga);
        h->setContentsMargins(0, 0, 0, 0);
        DBLookupComboBox4->setParent(riga);
        SpeedButton7 = ui::toolButton(riga, QStringLiteral("SpeedButton7"), QString(), QStringLiteral("Scegli la tariffa dal tariffario"),
                                      "view-list-details", QStyle::SP_FileDialogListView);
        h->addWidget(DBLookupComboBox4, 1);
        h->addWidget(SpeedButton7);
    }
    DBEdit4 = aggiungiEdit(QStringLiteral("DBEdit4"), QStringLiteral("Note"), QStringLiteral("Note"));

    // This editor's save checks the notice date after storing: the family's save is replaced.
    disconnect(spdSalva, nullptr, this, nullptr);
    connect(spdSalva, &QToolButton::clicked, this, &TfrmCalendario::spdSalvaClick);
    disconnect(spdAnnulla, nullptr, this, nullptr);
    connect(spdAnnulla, &QToolButton::clicked, this, &TfrmCalendario::spdAnnullaClick);
    // The staff member's record needs its sub-lists pointed first.
    disconnect(SpeedButton3, nullptr, this, nullptr);
    connect(SpeedButton3, &QToolButton::clicked, this, &TfrmCalendario::SpeedButton3Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TfrmCalendario::SpeedButton7Click);

    connect(DBLookupComboBox2, &ui::DBLookupComboBox::picked, this, &TfrmCalendario::DBLookupComboBox2Click);
    connect(DBLookupComboBox3, &ui::DBLookupComboBox::picked, this, &TfrmCalendario::DBLookupComboBox3Click);
    // Emptying a lookup empties the name copied with it; every pick or emptying is a change.
    const auto svuota = [this](const QString &campo) {
        db::Query *q = dataset();
        if (q->isEmpty()) return;
        q->edit();
        q->fieldByName(campo).clear();
    };
    connect(DBLookupComboBox2, &ui::DBLookupComboBox::cleared, this, [svuota] { svuota(QStringLiteral("Personale")); });
    connect(DBLookupComboBox3, &ui::DBLookupComboBox::cleared, this, [svuota] { svuota(QStringLiteral("Cliente")); });
    for (ui::DBLookupComboBox *l : {DBLookupComboBox1, DBLookupComboBox2, DBLookupComboBox3, DBLookupComboBox4}) {
        connect(l, &ui::DBLookupComboBox::cleared, this, [this] { DatiModificati = true; });
        connect(l, &ui::DBLookupComboBox::picked, this, [this] { DatiModificati = true; });
    }
    connect(DBCheckBox1, &QCheckBox::clicked, this, [this] { DatiModificati = true; });
}

void TfrmCalendario::showEvent(QShowEvent *e)
{
    m_idNuovo = 0;
    // A button whose form the program does not have yet stays off.
    for (QToolButton *b : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6})
        b->setEnabled(formRegistrato(b->property("listaForm").toString()) != nullptr);
    SpeedButton7->setEnabled(Form2 != nullptr);
    forms::DetailForm::showEvent(e);
}

void TfrmCalendario::spdSalvaClick()
{
    SalvataggioFallito = false;
    db::Query *q = dataset();
    if (q->isEmpty() && q->state() != db::Query::State::Insert) return;
    // What is still being typed goes into the row before it is checked.
    Q_EMIT q->updateRecord();
    if (DBEdit1->text().trimmed().isEmpty() || q->fieldByName(QStringLiteral("Data")).isNull()) {
        forms::avvisa(this, calendario::kMancaData, kErrore);
        DBEdit1->setFocus();
        SalvataggioFallito = true;
        return;
    }
    const bool nuovo = q->state() == db::Query::State::Insert;
    if (!common::SalvaRecord(*q, QStringLiteral("Id"))) {
        SalvataggioFallito = true;
        return;
    }
    if (nuovo) m_idNuovo = q->fieldByName(QStringLiteral("Id")).asLargeInt();
    const calendario::EsitoDate esito = calendario::controllaDate(q->fieldByName(QStringLiteral("Data")).asDateTime(),
                                                                  q->fieldByName(QStringLiteral("DataAvviso")).asDateTime());
    if (esito == calendario::EsitoDate::AvvisoDopoData) {
        // Stored all the same; the editor stays open until one of the dates is corrected.
        forms::avvisa(this, calendario::kAvvisoDopoData, kErrore);
        DBEdit3->setFocus();
        SalvataggioFallito = true;
        return;
    }
    DatiModificati = false;
}

void TfrmCalendario::spdIndietroClick()
{
    if (DatiModificati) {
        spdSalvaClick();
        if (SalvataggioFallito) return;
    }
    forms::DetailForm::spdIndietroClick();
}

void TfrmCalendario::spdAnnullaClick()
{
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler annullare l'inserimento ?"))) return;
    DatiModificati = false;
    db::Query *q = dataset();
    if (q->state() == db::Query::State::Insert) {
        // Never stored: dropping the row is all; the row current before it is current again.
        q->cancel();
    } else {
        if (q->isEditing()) q->cancel();
        if (m_idNuovo > 0) {
            try {
                calendario::elimina(form_DB->Connessione, m_idNuovo);
            } catch (const db::DbError &e) {
                ui::reportDbError(e, this);
                return;
            }
            const int posizione = q->currentIndex();
            q->requery();
            if (!q->isEmpty()) q->setCurrentIndex(qBound(0, posizione - 1, q->recordCount() - 1));
        }
    }
    m_idNuovo = 0;
    accept();
}

void TfrmCalendario::DBLookupComboBox2Click()
{
    forms::copiaDallaScelta(form_DB->TablePersonale, dataset(), {{QStringLiteral("Personale"), QStringLiteral("Personale")}});
}

void TfrmCalendario::DBLookupComboBox3Click()
{
    forms::copiaDallaScelta(form_DB->Table7, dataset(), {{QStringLiteral("NominativoDocumenti"), QStringLiteral("Cliente")}});
}

void TfrmCalendario::SpeedButton3Click()
{
    auto *lista = qobject_cast<forms::ListForm *>(formRegistrato(QStringLiteral("frmGrigliaPersonale")));
    if (!lista || !lista->dettaglio()) return;
    const qint64 id = dataset()->isEmpty() ? 0 : dataset()->fieldByName(QStringLiteral("Personale_Id")).asLargeInt();
    if (id < 1 || !lista->dataset()->locate(QStringLiteral("Id"), id)) return;
    QMetaObject::invokeMethod(lista, "btnRequeryClick");
    lista->dettaglio()->mostra();
}

void TfrmCalendario::SpeedButton7Click()
{
    if (!Form2) return;
    db::Query *q = dataset();
    db::Query *listino = form_DB->Table1;
    db::Query *opzioni = form_DB->TableOpzioni;
    QString filtro = QStringLiteral("annullato = false");
    if (!opzioni->isEmpty() && opzioni->fieldByName(QStringLiteral("Inserimento_articoli_FiltraTuttiDocumenti_per_cliente")).asBoolean())
        filtro += QStringLiteral(" and Cliente_ID = %1").arg(q->isEmpty() ? 0 : q->fieldByName(QStringLiteral("Cliente_ID")).asLargeInt());
    listino->setFilter(filtro);
    FiltroTariffe = filtro;
    Form2->SceltaEffettuata = false;
    Form2->exec();
    FiltroTariffe.clear();
    if (Form2->SceltaEffettuata && !TariffeScelte.isEmpty()) {
        try {
            db::Query scelte(&form_DB->Connessione);
            scelte.setSql(QStringLiteral("SELECT * FROM prezziar ") + TariffeScelte);
            scelte.open();
            // One tariff per entry: the first the query returns.
            if (!scelte.isEmpty()) {
                q->edit();
                q->fieldByName(QStringLiteral("Tariffa_ID")).setAsInteger(scelte.fieldByName(QStringLiteral("Id")).asLargeInt());
                DatiModificati = true;
            }
        } catch (const db::DbError &e) {
            ui::reportDbError(e, this);
        }
    }
    listino->setFilter(QStringLiteral("Annullato = false"));
    Form2->svuotaCaselle();
}

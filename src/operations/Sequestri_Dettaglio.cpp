#include "Sequestri_Dettaglio.h"

#include "common/RecordHelpers.h"
#include "common/SqlText.h"
#include "common/TextUtils.h"
#include "core/Clock.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/ListForm.h"
#include "forms/Registro.h"
#include "operations/services/Sequestri.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBText.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QCheckBox>
#include <QDateTime>
#include <array>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <utility>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");
const QString kNessunRecord = QStringLiteral("Attenzione la targa non e' presente nessun record !");

// Another form of the program, when it has been created.
QWidget *forma(const char *nome)
{
    const forms::VoceForm *v = forms::Registro::istanza().voce(QString::fromLatin1(nome));
    return v ? v->corrente() : nullptr;
}

// A field with the buttons after it on one row.
QWidget *riga(QWidget *parent, QWidget *campo, const QList<QWidget *> &dopo)
{
    auto *r = new QWidget(parent);
    auto *h = new QHBoxLayout(r);
    h->setContentsMargins(0, 0, 0, 0);
    campo->setParent(r);
    h->addWidget(campo, 1);
    for (QWidget *w : dopo) {
        w->setParent(r);
        h->addWidget(w);
    }
    return r;
}

bool vuoto(const db::Field &f) { return f.isNull() || f.asLargeInt() == 0; }

} // namespace

TfrmSequestri_Dettaglio::TfrmSequestri_Dettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmSequestri_Dettaglio");
              c.titolo = QStringLiteral("Sequestri");
              c.helpContext = 8600;
              c.dataset = form_DB->TableSequestri;
              c.source = form_DB->SourceSequestri;
              c.conAiuto = true;
              c.annulla = Annulla::TramiteLista;
              return c;
          }(),
          parent)
{
    setMinimumWidth(640);
    db::DataSource *s = form_DB->SourceSequestri;
    const auto edit = [&](const char *nome, const char *campo) {
        auto *e = new ui::DBEdit(this);
        e->setObjectName(QLatin1String(nome));
        e->setDataSource(s);
        e->setDataField(QLatin1String(campo));
        return e;
    };
    const auto pulsante = [&](const char *nome, const char *suggerimento, const char *icona, QStyle::StandardPixmap riserva) {
        return ui::toolButton(this, QLatin1String(nome), QString(), QString::fromUtf8(suggerimento), icona, riserva);
    };
    const auto lookup = [&](const char *nome, const char *campo, db::DataSource *lista) {
        auto *l = new ui::DBLookupComboBox(this);
        l->setObjectName(QLatin1String(nome));
        l->setListSource(lista);
        l->setKeyField(QStringLiteral("ID"));
        l->setListField(QStringLiteral("Descrizione"));
        l->setDataSource(s);
        l->setDataField(QLatin1String(campo));
        return l;
    };

    DBEdit21 = edit("DBEdit21", "Numero");
    DBEdit4 = edit("DBEdit4", "NumeroLettera");
    auto *numero = new QWidget(this);
    {
        auto *h = new QHBoxLayout(numero);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(DBEdit21, 1);
        h->addWidget(new QLabel(QStringLiteral("Lettera"), numero));
        h->addWidget(DBEdit4);
        DBEdit21->setParent(numero);
        DBEdit4->setParent(numero);
        DBEdit4->setMaximumWidth(80);
    }
    aggiungiRiga(QStringLiteral("Numero"), numero);
    DBEdit20 = edit("DBEdit20", "Data");
    aggiungiRiga(QStringLiteral("Data"), DBEdit20);
    DBEdit2 = edit("DBEdit2", "Proprietario");
    aggiungiRiga(QStringLiteral("Proprietario"), DBEdit2);
    DBLookupComboBox4 = lookup("DBLookupComboBox4", "EnteSequestratore_Id", form_DB->SourceEntiSequestratori);
    SpeedButton5 = pulsante("SpeedButton5", "Modifica l'Ente Sequestratore", "document-edit", QStyle::SP_FileDialogDetailedView);
    SpeedButton3 = pulsante("SpeedButton3", "Aggiungi un Ente Sequestratore", "list-add", QStyle::SP_FileDialogNewFolder);
    aggiungiRiga(QStringLiteral("Ente Sequestr."), riga(this, DBLookupComboBox4, {SpeedButton5, SpeedButton3}));
    DBLookupComboBox1 = lookup("DBLookupComboBox1", "TipoSequestro_Id", form_DB->SourceTipoSequestri);
    aggiungiRiga(QStringLiteral("Tipo Sequestro"), DBLookupComboBox1);
    DBEdit17 = edit("DBEdit17", "AutoModello");
    aggiungiRiga(QStringLiteral("Modello Veic."), DBEdit17);
    DBEdit3 = edit("DBEdit3", "Matricola");
    aggiungiRiga(QStringLiteral("Matricola"), DBEdit3);
    DBEdit6 = edit("DBEdit6", "AutoTarga");
    aggiungiRiga(QStringLiteral("Targa"), DBEdit6);
    DBCheckBox1 = aggiungiCheck(QStringLiteral("DBCheckBox1"), QStringLiteral("Confisca"), QStringLiteral("Confisca"));
    DBEdit18 = edit("DBEdit18", "DataDissequestro");
    Button1 = new QPushButton(QStringLiteral("Oggi"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFocusPolicy(Qt::NoFocus);
    aggiungiRiga(QStringLiteral("Data Dissequ."), riga(this, DBEdit18, {Button1}));
    DBEdit5 = edit("DBEdit5", "Cartella");
    SpeedButton11 = pulsante("SpeedButton11", "Scegli la cartella", "folder", QStyle::SP_DirIcon);
    SpeedButton12 = pulsante("SpeedButton12", "Apri la cartella", "folder-open", QStyle::SP_DirOpenIcon);
    aggiungiRiga(QStringLiteral("Cartella Dati"), riga(this, DBEdit5, {SpeedButton11, SpeedButton12}));
    DBEdit1 = edit("DBEdit1", "Note");
    aggiungiRiga(QStringLiteral("Note"), DBEdit1);

    // The document rows: remove the link, make or link, find, print, and the linked label.
    const auto documento = [&](const char *gruppo, const char *titolo, const char *rif, const char *campo,
                               std::array<const char *, 4> nomi, const char *cosa, ui::DBText *&testo) {
        auto *g = new QGroupBox(QString::fromUtf8(titolo), this);
        g->setObjectName(QLatin1String(gruppo));
        auto *h = new QHBoxLayout(g);
        QList<QToolButton *> b;
        const char *icone[] = {"edit-delete", "document-new", "edit-find", "document-print"};
        const QStyle::StandardPixmap riserve[] = {QStyle::SP_TrashIcon, QStyle::SP_FileDialogNewFolder,
                                                  QStyle::SP_FileDialogContentsView, QStyle::SP_FileIcon};
        const QString suggerimenti[] = {QStringLiteral("Elimina il riferimento ") + QString::fromUtf8(cosa),
                                        QStringLiteral("Crea o collega ") + QString::fromUtf8(cosa),
                                        QStringLiteral("Cerca il documento"), QStringLiteral("Stampa ") + QString::fromUtf8(cosa)};
        for (int i = 0; i < 4; ++i) {
            b << ui::toolButton(g, QLatin1String(nomi[i]), QString(), suggerimenti[i], icone[i], riserve[i]);
            h->addWidget(b.last());
        }
        h->addWidget(new QLabel(QString::fromUtf8(rif), g));
        testo = new ui::DBText(g);
        testo->setObjectName(QLatin1String(gruppo) == QLatin1String("GroupBox1") ? QStringLiteral("DBText1") : QStringLiteral("DBText2"));
        testo->setDataSource(s);
        testo->setDataField(QLatin1String(campo));
        h->addWidget(testo, 1);
        aggiungiRiga(QString(), g);
        return std::make_pair(g, b);
    };
    auto [preventivo, bp] = documento("GroupBox1", "Preventivo", "rif:", "Preventivo_Descrizione",
                                      {"SpeedButton7", "SpeedButton4", "SpeedButton9", "SpeedButton1"}, "al preventivo", DBText1);
    GroupBox1 = preventivo;
    SpeedButton7 = bp[0];
    SpeedButton4 = bp[1];
    SpeedButton9 = bp[2];
    SpeedButton1 = bp[3];
    auto [fattura, bf] = documento("GroupBox2", "Fattura", "rif.", "Fattura_Descrizione",
                                   {"SpeedButton8", "SpeedButton6", "SpeedButton10", "SpeedButton2"}, "alla fattura", DBText2);
    GroupBox2 = fattura;
    SpeedButton8 = bf[0];
    SpeedButton6 = bf[1];
    SpeedButton10 = bf[2];
    SpeedButton2 = bf[3];
    chkFiltroTarga = new QCheckBox(QStringLiteral(" filtra targa"), this);
    chkFiltroTarga->setObjectName(QStringLiteral("chkFiltroTarga"));
    chkFiltroTarga->setChecked(true);
    aggiungiRiga(QString(), chkFiltroTarga);

    richiesto(DBEdit20, QStringLiteral("Attenzione manca la data"));
    richiesto(DBEdit21, QStringLiteral("Attenzione manca il Numero"));

    connect(DBLookupComboBox4, &ui::DBLookupComboBox::picked, this, &TfrmSequestri_Dettaglio::DBLookupComboBox4Click);
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::picked, this, &TfrmSequestri_Dettaglio::DBLookupComboBox1Click);
    // Emptying a lookup empties the copied name with the key.
    const auto svuota = [this](const char *id, const char *nome) {
        db::Query *q = dataset();
        if (q->isEmpty()) return;
        q->edit();
        q->fieldByName(QLatin1String(id)).clear();
        q->fieldByName(QLatin1String(nome)).clear();
        DatiModificati = true;
    };
    connect(DBLookupComboBox4, &ui::DBLookupComboBox::cleared, this, [svuota] { svuota("EnteSequestratore_Id", "EnteSequestratore"); });
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::cleared, this, [svuota] { svuota("TipoSequestro_Id", "TipoSequestro"); });
    connect(SpeedButton3, &QToolButton::clicked, this, &TfrmSequestri_Dettaglio::SpeedButton3Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TfrmSequestri_Dettaglio::SpeedButton5Click);
    connect(Button1, &QPushButton::clicked, this, &TfrmSequestri_Dettaglio::Button1Click);
    connect(SpeedButton11, &QToolButton::clicked, this, &TfrmSequestri_Dettaglio::SpeedButton11Click);
    connect(SpeedButton12, &QToolButton::clicked, this, &TfrmSequestri_Dettaglio::SpeedButton12Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TfrmSequestri_Dettaglio::SpeedButton7Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TfrmSequestri_Dettaglio::SpeedButton4Click);
    connect(SpeedButton9, &QToolButton::clicked, this, &TfrmSequestri_Dettaglio::SpeedButton9Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmSequestri_Dettaglio::SpeedButton1Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TfrmSequestri_Dettaglio::SpeedButton8Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TfrmSequestri_Dettaglio::SpeedButton6Click);
    connect(SpeedButton10, &QToolButton::clicked, this, &TfrmSequestri_Dettaglio::SpeedButton10Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmSequestri_Dettaglio::SpeedButton2Click);
}

void TfrmSequestri_Dettaglio::showEvent(QShowEvent *e)
{
    // The buttons that reach a form of the program wait for it.
    SpeedButton3->setEnabled(forma("frmGrigliaEntiSequestratori") != nullptr);
    SpeedButton5->setEnabled(forma("frmEntiSequestratori_Dettaglio") != nullptr);
    forms::DetailForm::showEvent(e);
}

qint64 TfrmSequestri_Dettaglio::idSequestro() const
{
    db::Query *q = dataset();
    return q->isEmpty() ? 0 : q->fieldByName(QStringLiteral("Id")).asLargeInt();
}

void TfrmSequestri_Dettaglio::ritrova(qint64 id)
{
    db::Query *q = dataset();
    if (q->isEditing()) q->cancel();
    q->requery();
    q->locate(QStringLiteral("Id"), id);
}

bool TfrmSequestri_Dettaglio::controllaTarga()
{
    if (!DBEdit6->text().trimmed().isEmpty()) return true;
    forms::avvisa(this, QStringLiteral("Attenzione manca la targa"), kErrore);
    DBEdit6->setFocus();
    return false;
}

// ---------------------------------------------------------------- lookups

void TfrmSequestri_Dettaglio::DBLookupComboBox4Click()
{
    db::Query *q = dataset();
    db::Query *enti = form_DB->TableEntiSequestratori;
    q->edit();
    if (enti->isEmpty() || enti->fieldByName(QStringLiteral("Id")).isNull()) return;
    q->fieldByName(QStringLiteral("EnteSequestratore")).setValue(enti->fieldByName(QStringLiteral("Descrizione")).value());
    q->fieldByName(QStringLiteral("EnteSequestratore_Id")).setValue(enti->fieldByName(QStringLiteral("Id")).value());
    DatiModificati = true;
}

void TfrmSequestri_Dettaglio::DBLookupComboBox1Click()
{
    db::Query *q = dataset();
    db::Query *tipi = form_DB->TableTipoSequestri;
    q->edit();
    if (tipi->isEmpty() || tipi->fieldByName(QStringLiteral("ID")).isNull()) return;
    q->fieldByName(QStringLiteral("TipoSequestro")).setValue(tipi->fieldByName(QStringLiteral("Descrizione")).value());
    q->fieldByName(QStringLiteral("TipoSequestro_Id")).setValue(tipi->fieldByName(QStringLiteral("ID")).value());
    DatiModificati = true;
}

void TfrmSequestri_Dettaglio::SpeedButton3Click()
{
    // The new authority is then offered by the lookup; the seizure is not changed.
    if (auto *lista = qobject_cast<forms::ListForm *>(forma("frmGrigliaEntiSequestratori"))) lista->spdInserisciClick();
}

void TfrmSequestri_Dettaglio::SpeedButton5Click()
{
    auto *dettaglio = qobject_cast<forms::DetailForm *>(forma("frmEntiSequestratori_Dettaglio"));
    if (!dettaglio || dataset()->isEmpty()) return;
    const db::Field ente = dataset()->fieldByName(QStringLiteral("EnteSequestratore_Id"));
    if (ente.asLargeInt() < 1) return;
    // The seizure is saved (with its checks) before the authority's save re-reads the register,
    // which must never store it unchecked.
    if (DatiModificati) {
        spdSalvaClick();
        if (SalvataggioFallito) return;
    }
    const qint64 id = idSequestro();
    if (!form_DB->TableEntiSequestratori->locate(QStringLiteral("Id"), ente.value())) return;
    dettaglio->mostra();
    // The new name shows here and in the register.
    ritrova(id);
}

// ---------------------------------------------------------------- release and folder

void TfrmSequestri_Dettaglio::Button1Click()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    q->edit();
    q->fieldByName(QStringLiteral("DataDissequestro")).setValue(QDateTime(core::Clock::instance().today(), QTime(0, 0)));
    DatiModificati = true;
}

void TfrmSequestri_Dettaglio::SpeedButton11Click()
{
    db::Query *opzioni = form_DB->TableOpzioni;
    if (!opzioni->isActive()) opzioni->open();
    const QString inizio = opzioni->isEmpty() ? QString()
                                              : opzioni->fieldByName(QStringLiteral("CartellaPredefinitaSequestri")).asString();
    const QString cartella = ui::Dialogs::instance().folder(this, QStringLiteral("Cartella Dati"), inizio);
    if (cartella.isEmpty() || !QDir(cartella).exists()) return;
    db::Query *q = dataset();
    q->edit();
    q->fieldByName(QStringLiteral("Cartella")).setAsString(common::AggiungiSeparatore(cartella));
    DatiModificati = true;
}

void TfrmSequestri_Dettaglio::SpeedButton12Click()
{
    const QString cartella = dataset()->isEmpty() ? QString() : dataset()->fieldByName(QStringLiteral("Cartella")).asString();
    if (cartella.isEmpty()) {
        forms::avvisa(this, QStringLiteral("Attenzione manca la Cartella di Lavoro"), kErrore);
        return;
    }
    if (QDir(cartella).exists()) ui::Launcher::instance().open(cartella);
    else
        forms::avvisa(this, QStringLiteral("la Cartella: ") + cartella + QStringLiteral(" non esiste più o non è raggiungibile!!!"), kErrore);
}

// ---------------------------------------------------------------- quote

void TfrmSequestri_Dettaglio::SpeedButton7Click()
{
    if (dataset()->isEmpty()) return;
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare il riferimento al preventivo?"))) return;
    db::Query *q = dataset();
    q->edit();
    q->fieldByName(QStringLiteral("Preventivo_Id")).setAsInteger(0);
    q->fieldByName(QStringLiteral("Preventivo_Descrizione")).clear();
    DatiModificati = true;
}

void TfrmSequestri_Dettaglio::SpeedButton4Click()
{
    if (!controllaTarga()) return;
    spdSalvaClick();
    if (SalvataggioFallito) return;
    db::Query *q = dataset();
    const qint64 id = idSequestro();
    const QString targa = q->fieldByName(QStringLiteral("AutoTarga")).asString();
    db::Connection &c = form_DB->Connessione;
    try {
        const auto esistente = sequestri::preventivoDellaTarga(c, targa);
        if (!esistente) {
            // The quote list makes the quote from the seizure and links it back.
            auto *lista = qobject_cast<forms::ListForm *>(forma("frmGrigliaPreventivi"));
            if (!lista) return;
            DaSequestro = true;
            lista->spdInserisciClick();
            DaSequestro = false;
            ritrova(id);
            return;
        }
        // A seizure that already has a quote keeps it.
        if (vuoto(q->fieldByName(QStringLiteral("Preventivo_Id")))) {
            sequestri::collegaPreventivo(c, id, *esistente);
            ritrova(id);
        }
    } catch (const db::DbError &e) {
        DaSequestro = false;
        forms::avvisa(this, e.message(), kErrore);
        return;
    }
    forms::avvisa(this, QStringLiteral("Attenzione il preventivo è stato già realizzato"), kErrore);
}

bool TfrmSequestri_Dettaglio::trova(const QString &sql, bool conSerie)
{
    db::Query *t = form_DB->TableTrovaFattura;
    auto *finder = qobject_cast<QDialog *>(forma("frmTrovaFattura"));
    t->close();
    // An earlier search of any caller (its boxes, filter or a sort by a column this query lacks)
    // must neither hide rows nor stop this query opening.
    if (finder) QMetaObject::invokeMethod(finder, "BitBtn3Click");
    t->setFilter(QString());
    t->setSort(QString());
    t->setSql(sql);
    t->open();
    if (t->isEmpty()) {
        forms::avvisa(this, kNessunRecord, kErrore);
        return false;
    }
    if (t->recordCount() == 1) return true;
    if (!finder) return false;
    // The quotes have no series: the finder's series box is not offered for them.
    QList<QWidget *> serie;
    if (!conSerie)
        for (QWidget *w : finder->findChildren<QWidget *>())
            if (w->objectName().contains(QLatin1String("Serie"), Qt::CaseInsensitive) && w->isVisibleTo(finder)) serie << w;
    for (QWidget *w : serie) {
        if (auto *e = qobject_cast<QLineEdit *>(w)) e->clear();
        w->setVisible(false);
    }
    const int esito = finder->exec();
    for (QWidget *w : serie) w->setVisible(true);
    const bool annullata = esito != QDialog::Accepted || finder->property("RicercaAnnullata").toBool() || t->isEmpty();
    // The reset moves the list to its first row: the choice is found again after it.
    const QVariant scelta = annullata ? QVariant() : t->fieldByName(QStringLiteral("ID")).value();
    QMetaObject::invokeMethod(finder, "BitBtn3Click");
    return !annullata && t->locate(QStringLiteral("ID"), scelta);
}

void TfrmSequestri_Dettaglio::SpeedButton9Click()
{
    if (dataset()->isEmpty()) return;
    QString sql = QStringLiteral("SELECT PreventiTestata.ID, PreventiTestata.Data, PreventiTestata.Numero, '' AS Serie, "
                                 "PreventiTestata.TotalePreventivo as Totale, PreventiTestata.Cliente, PreventiTestata.Cliente_ID "
                                 "FROM PreventiTestata ");
    if (chkFiltroTarga->isChecked())
        sql += QStringLiteral(" where Targa1='") + common::RaddoppiaApici(DBEdit6->text()) + u'\'';
    sql += QStringLiteral(" ORDER BY PreventiTestata.Data, PreventiTestata.Numero, PreventiTestata.ID");
    if (!trova(sql, false)) return;
    db::Query *t = form_DB->TableTrovaFattura;
    const bool unaSola = t->recordCount() == 1;
    db::Query *q = dataset();
    q->edit();
    q->fieldByName(QStringLiteral("Preventivo_Id")).setValue(t->fieldByName(QStringLiteral("ID")).value());
    q->fieldByName(QStringLiteral("Preventivo_Descrizione"))
        .setAsString(sequestri::descrizionePreventivo(t->fieldByName(QStringLiteral("Numero")).value(),
                                                      t->fieldByName(QStringLiteral("Data")).value()));
    DatiModificati = true;
    if (unaSola) forms::avvisa(this, QStringLiteral("Preventivo collegato correttamente !"), QStringLiteral("Informazione"));
}

void TfrmSequestri_Dettaglio::SpeedButton1Click()
{
    if (!controllaTarga()) return;
    if (vuoto(dataset()->fieldByName(QStringLiteral("Preventivo_Id")))) {
        forms::avvisa(this, QStringLiteral("Attenzione non e' collegato nessun preventivo !"), kErrore);
        return;
    }
    spdSalvaClick();
    if (SalvataggioFallito) return;
    DaSequestro = true;
    CodiceStampa = 5;
    form_DB->Button2Click();
    DaSequestro = false;
}

// ---------------------------------------------------------------- invoice

void TfrmSequestri_Dettaglio::SpeedButton8Click()
{
    if (dataset()->isEmpty()) return;
    if (!forms::chiedi(this, QStringLiteral("Sei sicuro di voler eliminare il riferimento alla fattura?"))) return;
    db::Query *q = dataset();
    q->edit();
    q->fieldByName(QStringLiteral("Fatturato")).setAsBoolean(false);
    q->fieldByName(QStringLiteral("Fattura_Id")).setAsInteger(0);
    q->fieldByName(QStringLiteral("Fattura_Descrizione")).clear();
    DatiModificati = true;
}

void TfrmSequestri_Dettaglio::SpeedButton6Click()
{
    if (!controllaTarga()) return;
    spdSalvaClick();
    if (SalvataggioFallito) return;
    db::Query *q = dataset();
    const qint64 id = idSequestro();
    db::Connection &c = form_DB->Connessione;
    try {
        const auto esistente = sequestri::fatturaDelSequestro(c, id);
        if (!esistente) {
            // The invoice list bills the seizure: the invoice takes its plate and dates and both
            // are linked in the transaction that stores it.
            auto *lista = qobject_cast<forms::ListForm *>(forma("frmGrigliaFatture"));
            if (!lista) return;
            DaSequestro = true;
            lista->spdInserisciClick();
            DaSequestro = false;
            ritrova(id);
            return;
        }
        if (vuoto(q->fieldByName(QStringLiteral("Fattura_Id")))) {
            sequestri::collegaFattura(c, id, *esistente);
            ritrova(id);
        }
        forms::avvisa(this,
                      QStringLiteral("Attenzione il sequestro e' stato già registrato con la fattura del ")
                          + esistente->data.toDateTime().date().toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" numero:")
                          + sequestri::testoNumero(esistente->numero),
                      kErrore);
    } catch (const db::DbError &e) {
        DaSequestro = false;
        forms::avvisa(this, e.message(), kErrore);
    }
}

void TfrmSequestri_Dettaglio::SpeedButton10Click()
{
    if (dataset()->isEmpty()) return;
    QString sql = QStringLiteral("SELECT ID, Data, Num as Numero, SerieFatturazione as Serie,TotFattura as Totale, Cliente, Cliente_ID "
                                 " FROM fattura WHERE FattNota=False AND Carico=false ");
    if (chkFiltroTarga->isChecked()) sql += QStringLiteral(" and Targa='") + common::RaddoppiaApici(DBEdit6->text()) + u'\'';
    sql += QStringLiteral(" order by Data, Num, ID");
    if (!trova(sql, true)) return;
    db::Query *t = form_DB->TableTrovaFattura;
    db::Query *q = dataset();
    q->edit();
    q->fieldByName(QStringLiteral("Fattura_Id")).setValue(t->fieldByName(QStringLiteral("ID")).value());
    q->fieldByName(QStringLiteral("Fatturato")).setAsBoolean(true);
    q->fieldByName(QStringLiteral("Fattura_Descrizione"))
        .setAsString(sequestri::descrizioneFattura(t->fieldByName(QStringLiteral("Numero")).value(),
                                                   t->fieldByName(QStringLiteral("Serie")).asString(),
                                                   t->fieldByName(QStringLiteral("Data")).value()));
    DatiModificati = true;
}

void TfrmSequestri_Dettaglio::SpeedButton2Click()
{
    if (!controllaTarga()) return;
    if (vuoto(dataset()->fieldByName(QStringLiteral("Fattura_Id")))) {
        forms::avvisa(this, QStringLiteral("Attenzione non e' collegata nessuna fattura !"), kErrore);
        return;
    }
    spdSalvaClick();
    if (SalvataggioFallito) return;
    DaSequestro = true;
    CodiceStampa = 8;
    form_DB->Button2Click();
    DaSequestro = false;
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmSequestri_Dettaglio, "frmSequestri_Dettaglio");
} // namespace

#include "ClientiDett.h"
#include "DettaglioAnagrafica.h"
#include "forms/Family.h"
#include "forms/ListForm.h"
#include "forms/Registro.h"

#include "common/RecordHelpers.h"
#include "common/TextUtils.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "widgets/ColorBox.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"
#include "widgets/EditingHelper.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QDialog>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");
const QString kGiaPresente = QStringLiteral("Attenzione si è caricato un cliente già presente in archivio");

QWidget *creata(const char *nome)
{
    const forms::VoceForm *v = forms::Registro::istanza().voce(QLatin1String(nome));
    return v && v->corrente ? v->corrente() : nullptr;
}

} // namespace

TfrmClientiDett::TfrmClientiDett(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmClientiDett");
              c.titolo = QStringLiteral("Clienti");
              c.helpContext = 2700;
              c.dataset = form_DB->Table7;
              c.source = form_DB->Source7;
              c.conAiuto = true;
              return c;
          }(),
          parent)
{
    // Between "Aiuto" and "Indietro": the finder of public administrations and the print.
    spdTrovaPa = ui::toolButton(this, QStringLiteral("spdTrovaPa"), QStringLiteral("Trova P.A."),
                                QStringLiteral("Trova il cliente tra l'archivio della pubblica amministrazione"), "edit-find",
                                QStyle::SP_FileDialogContentsView);
    spdStampa = ui::toolButton(this, QStringLiteral("spdStampa"), QStringLiteral("Stampa"), QStringLiteral("Stampa il documento"),
                               "document-print", QStyle::SP_FileIcon);
    QAction *indietro = nullptr;
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdIndietro) indietro = a;
    ToolBar2->insertWidget(indietro, spdTrovaPa);
    ToolBar2->insertWidget(indietro, spdStampa);

    // Generale: two columns of fields, in the order Enter walks them.
    TabSheet1 = aggiungiPagina(QStringLiteral("TabSheet1"), QStringLiteral("  Generale "));
    QFormLayout *sx = nullptr;
    QFormLayout *dx = nullptr;
    QWidget *colonne = masterdata::colonne(TabSheet1, sx, dx);

    const auto categoria = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Categoria"),
                                          QStringLiteral("Categoria_ID"), form_DB->SourceCategoriaClienti, QStringLiteral("ID"),
                                          QStringLiteral("Descrizione"),
                                          {QStringLiteral("frmCategorieClienti_Griglia"),
                                           {QStringLiteral("SpeedButton5"), QStringLiteral("Modifica la categoria")},
                                           {QStringLiteral("SpeedButton3"), QStringLiteral("Aggiungi una categoria")}});
    sposta(TabSheet1, sx);
    DBLookupComboBox1 = categoria.lookup;
    SpeedButton5 = categoria.modifica;
    SpeedButton3 = categoria.aggiungi;
    DBCheckBox1 = check(sx, "DBCheckBox1", QStringLiteral("Annullato"), "Annullato");
    DBCheckBox2 = check(sx, "DBCheckBox2", QStringLiteral("Consenso Privacy"), "PrivacyFirmata");
    DBEdit1 = edit(sx, "DBEdit1", QStringLiteral("Ragione soci."), "Cliente");
    DBEdit2 = edit(sx, "DBEdit2", QStringLiteral("Cognome"), "Cognome");
    DBEdit3 = edit(sx, "DBEdit3", QStringLiteral("Nome"), "Nome");
    edit(sx, "DBEdit4", QStringLiteral("Titolo"), "Titolo");
    edit(sx, "DBEdit5", QStringLiteral("Cod. Eori"), "CodEORI");
    DBLookupComboBox2 = lookup(sx, "DBLookupComboBox2", QStringLiteral("Nazione"), "IdPaese", form_DB->SourceNazioni, "SIGLA",
                               "DENOMINAZ");
    DBEdit9 = edit(sx, "DBEdit9", QStringLiteral("Partita iva"), "Iva");
    DBEdit11 = edit(sx, "DBEdit11", QStringLiteral("Codice Fiscale"), "CodFiscale");
    edit(sx, "DBEdit6", QStringLiteral("Telefono"), "Telefono");
    edit(sx, "DBEdit7", QStringLiteral("2° Telefono"), "Telefono2");
    edit(sx, "DBEdit8", QStringLiteral("Contatto"), "Contatto");
    edit(sx, "DBEdit10", QStringLiteral("Fax"), "Fax");
    edit(dx, "DBEdit12", QStringLiteral("Banca"), "DescBanca");
    edit(dx, "DBEdit13", QStringLiteral("Iban"), "Iban");
    const auto pagamento = aggiungiLookup(QStringLiteral("DBLookupComboBox3"), QStringLiteral("Modalità di Pagamento"),
                                          QStringLiteral("Pagamento_ID"), form_DB->SourceModPaga, QStringLiteral("Id"),
                                          QStringLiteral("Descrizione"),
                                          {QStringLiteral("frmModPagam"),
                                           {QStringLiteral("SpeedButton8"), QStringLiteral("Modifica la modalità di pagamento")},
                                           {QStringLiteral("SpeedButton9"), QStringLiteral("Aggiungi una modalità di pagamento")}});
    sposta(TabSheet1, dx);
    DBLookupComboBox3 = pagamento.lookup;
    SpeedButton8 = pagamento.modifica;
    SpeedButton9 = pagamento.aggiungi;
    edit(dx, "DBEdit14", QStringLiteral("Cellulare"), "Cellulare");
    edit(dx, "DBEdit15", QStringLiteral("Email"), "EMail");
    edit(dx, "DBEdit16", QStringLiteral("Skype"), "Skype");
    edit(dx, "DBEdit17", QStringLiteral("Km traino"), "Km");
    edit(dx, "DBEdit18", QStringLiteral("Saldo iniziale"), "SaldoInizioAnno");
    DBEdit19 = edit(dx, "DBEdit19", QStringLiteral("Sconto"), "Sconto");
    DBEdit19->setToolTip(QStringLiteral("E' la percentuale di sconto che verrà applicata nei preventivi, fatture, ecc.ecc."));
    edit(dx, "DBEdit20", QStringLiteral("Internet"), "Internet");
    DBMemo1 = new ui::DBMemo(colonne);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setDataSource(form_DB->Source7);
    DBMemo1->setDataField(QStringLiteral("DestinazioneMerce"));
    DBMemo1->setMaximumHeight(70);
    dx->addRow(QStringLiteral("Destinazione Merce"), DBMemo1);
    edit(dx, "DBEdit21", QStringLiteral("Note"), "Note");
    btnAssegnoFornitori = new QPushButton(QStringLiteral("Paga fatture"), colonne);
    btnAssegnoFornitori->setObjectName(QStringLiteral("btnAssegnoFornitori"));
    btnAssegnoFornitori->setAutoDefault(false);
    dx->addRow(QString(), btnAssegnoFornitori);
    ColorBox1 = new ui::ColorBox(colonne);
    ColorBox1->setObjectName(QStringLiteral("ColorBox1"));
    dx->addRow(QStringLiteral("Colore visualizzazione"), ColorBox1);
    aggiungiRiga(QString(), colonne);

    // Fatturazione Elettronica: the codes, the head office, the permanent establishment and
    // the fiscal representative.
    TabSheet2 = aggiungiPagina(QStringLiteral("TabSheet2"), QStringLiteral("  Fatturazione Elettronica"));
    auto *gruppi = new QWidget(TabSheet2);
    auto *g = new QGridLayout(gruppi);
    g->setContentsMargins(0, 0, 0, 0);
    const auto gruppo = [&](const QString &titolo, int riga, int col) {
        auto *box = new QGroupBox(titolo, gruppi);
        auto *f = new QFormLayout(box);
        g->addWidget(box, riga, col);
        return f;
    };
    QFormLayout *codici = gruppo(QString(), 0, 0);
    DBEdit22 = edit(codici, "DBEdit22", QStringLiteral("Codice sdi"), "Codice");
    DBEdit23 = edit(codici, "DBEdit23", QStringLiteral("Codice Univoco Pubblica Amm."), "CodiceUnivocoUfficio");
    if (auto *etichetta = qobject_cast<QLabel *>(codici->labelForField(DBEdit23)))
        etichetta->setToolTip(QStringLiteral("Il codice dell'ufficio si trova nell'Indice delle Pubbliche Amministrazioni "
                                             "(www.indicepa.gov.it)"));
    check(codici, "DBCheckBox3", QStringLiteral("Scissione pagamenti"), "ScissionePagamenti");
    DBCheckBox4 = check(codici, "DBCheckBox4", QStringLiteral("Pubblica Amministrazione"), "PubblicaAmministrazione");
    edit(codici, "DBEdit24", QStringLiteral("Pec"), "Pec");

    QFormLayout *sede = gruppo(QStringLiteral("Sede"), 0, 1);
    DBLookupComboBox4 = lookup(sede, "DBLookupComboBox4", QStringLiteral("Nazione"), "Sede_Nazione", form_DB->SourceNazioni,
                               "SIGLA", "DENOMINAZ");
    DBEdit25 = edit(sede, "DBEdit25", QStringLiteral("Indirizzo"), "Via");
    edit(sede, "DBEdit26", QStringLiteral("N°"), "Numero");
    const auto comune = aggiungiLookup(QStringLiteral("DBLookupComboBox5"), QStringLiteral("Comune"), QStringLiteral("Citta"),
                                       form_DB->Source8, QStringLiteral("Comune"), QStringLiteral("Comune"),
                                       {QStringLiteral("frmGrigliaComuni"),
                                        {QStringLiteral("SpeedButton4"), QStringLiteral("Modifica il comune")},
                                        {QStringLiteral("SpeedButton2"), QStringLiteral("Aggiungi un comune")},
                                        QStringLiteral("Comune_id")});
    sposta(TabSheet2, sede);
    DBLookupComboBox5 = comune.lookup;
    SpeedButton4 = comune.modifica;
    SpeedButton2 = comune.aggiungi;
    {
        auto *riga = new QWidget(gruppi);
        auto *hc = new QHBoxLayout(riga);
        hc->setContentsMargins(0, 0, 0, 0);
        DBEdit27 = new ui::DBEdit(riga);
        DBEdit27->setObjectName(QStringLiteral("DBEdit27"));
        DBEdit27->setDataSource(form_DB->Source7);
        DBEdit27->setDataField(QStringLiteral("Cap"));
        SpeedButton23 = ui::toolButton(riga, QStringLiteral("SpeedButton23"), QString(), QStringLiteral("Trova il Cap"),
                                       "edit-find", QStyle::SP_FileDialogContentsView);
        hc->addWidget(DBEdit27, 1);
        hc->addWidget(SpeedButton23);
        sede->addRow(QStringLiteral("Cap"), riga);
    }
    edit(sede, "DBEdit28", QStringLiteral("Provincia"), "Provincia");

    QFormLayout *stabile = gruppo(QStringLiteral("Stabile  organizzazione"), 1, 0);
    DBCheckBox5 = check(stabile, "DBCheckBox5", QStringLiteral("Includi"), "StabileOrganizzazione");
    DBEdit29 = edit(stabile, "DBEdit29", QStringLiteral("Indirizzo"), "StabileOrganizzazione_Indirizzo");
    edit(stabile, "DBEdit30", QStringLiteral("N° Civico"), "StabileOrganizzazione_NumeroCivico");
    DBLookupComboBox6 = lookup(stabile, "DBLookupComboBox6", QStringLiteral("Comune"), "StabileOrganizzazione_Comune",
                               form_DB->Source8, "Comune", "Comune");
    DBEdit31 = edit(stabile, "DBEdit31", QStringLiteral("CAP"), "StabileOrganizzazione_CAP");
    DBLookupComboBox7 = lookup(stabile, "DBLookupComboBox7", QStringLiteral("Provincia"), "StabileOrganizzazione_Provincia",
                               form_DB->SourceProvince, "PROVINCIA", "CAPOLUOGO");
    DBLookupComboBox8 = lookup(stabile, "DBLookupComboBox8", QStringLiteral("Nazione"), "StabileOrganizzazione_Nazione",
                               form_DB->SourceNazioni, "SIGLA", "DENOMINAZ");

    QFormLayout *rappresentante = gruppo(QStringLiteral("Rappresentante fiscale"), 1, 1);
    DBCheckBox6 = check(rappresentante, "DBCheckBox6", QStringLiteral("Includi"), "RappresentanteFiscale");
    DBLookupComboBox9 = lookup(rappresentante, "DBLookupComboBox9", QStringLiteral("Nazione"), "RappresentanteFiscale_Nazione",
                               form_DB->SourceNazioni, "SIGLA", "DENOMINAZ");
    DBEdit32 = edit(rappresentante, "DBEdit32", QStringLiteral("Rag. Sociale"), "RappresentanteFiscale_Denominazione");
    DBEdit33 = edit(rappresentante, "DBEdit33", QStringLiteral("Cognome"), "RappresentanteFiscale_Cognome");
    DBEdit34 = edit(rappresentante, "DBEdit34", QStringLiteral("Nome"), "RappresentanteFiscale_Nome");
    DBEdit35 = edit(rappresentante, "DBEdit35", QStringLiteral("P.Iva"), "RappresentanteFiscale_IdCodice");
    g->setRowStretch(2, 1);
    aggiungiRiga(QString(), gruppi);

    // The buttons beside a field are small, so that the field's row keeps its height.
    for (QToolButton *b : {SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton8, SpeedButton9, SpeedButton23}) {
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setIconSize(QSize(16, 16));
        b->setAutoRaise(true);
    }
    for (QFormLayout *f : findChildren<QFormLayout *>()) f->setRowWrapPolicy(QFormLayout::DontWrapRows);

    for (QWidget *w : {static_cast<QWidget *>(DBEdit1), static_cast<QWidget *>(DBEdit2), static_cast<QWidget *>(DBEdit3),
                       static_cast<QWidget *>(DBEdit9), static_cast<QWidget *>(DBEdit11)})
        w->installEventFilter(this);

    // The family's "Salva" saves with the checks; this detail's save has none of its own.
    disconnect(spdSalva, nullptr, this, nullptr);
    connect(spdSalva, &QToolButton::clicked, this, &TfrmClientiDett::spdSalvaClick);
    // "Annulla" with Yes abandons the name typed too.
    connect(spdAnnulla, &QToolButton::clicked, this, [this] {
        if (!isVisible()) NominativoModificato = false;
    });
    connect(spdTrovaPa, &QToolButton::clicked, this, &TfrmClientiDett::spdTrovaPaClick);
    connect(btnAssegnoFornitori, &QPushButton::clicked, this, &TfrmClientiDett::btnAssegnoFornitoriClick);
    connect(spdStampa, &QToolButton::clicked, this, &TfrmClientiDett::spdStampaClick);
    connect(SpeedButton23, &QToolButton::clicked, this, &TfrmClientiDett::SpeedButton23Click);
    disconnect(SpeedButton4, nullptr, this, nullptr);
    connect(SpeedButton4, &QToolButton::clicked, this, &TfrmClientiDett::SpeedButton4Click);
    disconnect(SpeedButton5, nullptr, this, nullptr);
    connect(SpeedButton5, &QToolButton::clicked, this, &TfrmClientiDett::SpeedButton5Click);
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::picked, this, &TfrmClientiDett::DBLookupComboBox1Click);
    connect(DBLookupComboBox5, &ui::DBLookupComboBox::picked, this, &TfrmClientiDett::DBLookupComboBox5Click);
    connect(DBLookupComboBox6, &ui::DBLookupComboBox::picked, this, &TfrmClientiDett::DBLookupComboBox6Click);
    connect(DBLookupComboBox1, &ui::DBLookupComboBox::cleared, this, [this] {
        dataset()->edit();
        dataset()->fieldByName(QStringLiteral("ColoreCategoria")).clear();
        DatiModificati = true;
    });
    connect(DBLookupComboBox5, &ui::DBLookupComboBox::cleared, this, [this] {
        db::Query *q = dataset();
        q->edit();
        for (const char *campo : {"Citta", "Cap", "Provincia", "Comune_id"}) q->fieldByName(QLatin1String(campo)).clear();
        DatiModificati = true;
    });
    connect(PageControl1, &QTabWidget::currentChanged, this, &TfrmClientiDett::PageControl1Change);
}

ui::DBEdit *TfrmClientiDett::edit(QFormLayout *f, const char *nome, const QString &etichetta, const char *campo)
{
    auto *e = new ui::DBEdit(f->parentWidget());
    e->setObjectName(QLatin1String(nome));
    e->setDataSource(form_DB->Source7);
    e->setDataField(QLatin1String(campo));
    f->addRow(etichetta, e);
    return e;
}

ui::DBCheckBox *TfrmClientiDett::check(QFormLayout *f, const char *nome, const QString &etichetta, const char *campo)
{
    auto *c = new ui::DBCheckBox(etichetta, f->parentWidget());
    c->setObjectName(QLatin1String(nome));
    c->setDataSource(form_DB->Source7);
    c->setDataField(QLatin1String(campo));
    f->addRow(QString(), c);
    return c;
}

ui::DBLookupComboBox *TfrmClientiDett::lookup(QFormLayout *f, const char *nome, const QString &etichetta, const char *campo,
                                              db::DataSource *lista, const char *chiave, const char *mostrato)
{
    auto *l = new ui::DBLookupComboBox(f->parentWidget());
    l->setObjectName(QLatin1String(nome));
    l->setListSource(lista);
    l->setKeyField(QLatin1String(chiave));
    l->setListField(QLatin1String(mostrato));
    l->setDataSource(form_DB->Source7);
    l->setDataField(QLatin1String(campo));
    f->addRow(etichetta, l);
    return l;
}

void TfrmClientiDett::sposta(QWidget *pagina, QFormLayout *f)
{
    auto *da = qobject_cast<QFormLayout *>(pagina->layout());
    const QFormLayout::TakeRowResult r = da->takeRow(da->rowCount() - 1);
    QWidget *etichetta = r.labelItem ? r.labelItem->widget() : nullptr;
    QWidget *campo = r.fieldItem ? r.fieldItem->widget() : nullptr;
    delete r.labelItem;
    delete r.fieldItem;
    if (etichetta) f->addRow(etichetta, campo);
    else f->addRow(campo);
}

qint64 TfrmClientiDett::idCorrente()
{
    return dataset()->isEmpty() ? 0 : dataset()->fieldByName(QStringLiteral("Id")).asLargeInt();
}

void TfrmClientiDett::coloreDaArchivio()
{
    ColorBox1->setColore(dataset()->isEmpty() ? ui::kBianco
                                              : dataset()->fieldByName(QStringLiteral("NumeroColore")).asLargeInt());
}

void TfrmClientiDett::showEvent(QShowEvent *e)
{
    coloreDaArchivio();
    // Buttons that reach forms not in this program yet stay off.
    SpeedButton8->setEnabled(creata("frmModPagam"));
    SpeedButton9->setEnabled(creata("frmModPagam"));
    spdTrovaPa->setEnabled(creata("frmTrovaPA"));
    btnAssegnoFornitori->setEnabled(creata("frmPagaFatture"));
    forms::DetailForm::showEvent(e);
    m_editing->markAmountField(DBEdit19);
}

bool TfrmClientiDett::eventFilter(QObject *watched, QEvent *e)
{
    if ((watched == DBEdit1 || watched == DBEdit2 || watched == DBEdit3 || watched == DBEdit11) && masterdata::modificaNome(e))
        NominativoModificato = true;
    if (watched == DBEdit9 && masterdata::uscitaUtente(e)) DBEdit9Exit();
    if (watched == DBEdit11 && masterdata::uscitaUtente(e)) DBEdit11Exit();
    return forms::DetailForm::eventFilter(watched, e);
}

clienti::DatiMostrati TfrmClientiDett::datiMostrati() const
{
    clienti::DatiMostrati d;
    d.ragioneSociale = DBEdit1->text();
    d.cognome = DBEdit2->text();
    d.nome = DBEdit3->text();
    d.nazionalita = DBLookupComboBox2->currentText();
    d.sedeNazione = DBLookupComboBox4->currentText();
    d.comune = DBLookupComboBox5->currentText();
    d.cap = DBEdit27->text();
    d.via = DBEdit25->text();
    d.pubblicaAmministrazione = DBCheckBox4->isChecked();
    d.codiceUnivocoUfficio = DBEdit23->text();
    d.partitaIva = DBEdit9->text();
    d.codiceSdi = DBEdit22->text();
    d.stabile = DBCheckBox5->isChecked();
    d.stabileIndirizzo = DBEdit29->text();
    d.stabileCap = DBEdit31->text();
    d.stabileComune = DBLookupComboBox6->currentText();
    d.stabileNazione = DBLookupComboBox8->currentText();
    d.rappresentante = DBCheckBox6->isChecked();
    d.rappresentantePartitaIva = DBEdit35->text();
    d.rappresentanteNazione = DBLookupComboBox9->currentText();
    d.rappresentanteDenominazione = DBEdit32->text();
    d.rappresentanteCognome = DBEdit33->text();
    d.rappresentanteNome = DBEdit34->text();
    return d;
}

void TfrmClientiDett::mostraRegola(const clienti::Regola &r)
{
    forms::avvisa(this, r.messaggio, kErrore);
    {
        // A page the program shows runs no check.
        const QSignalBlocker quiet(PageControl1);
        PageControl1->setCurrentIndex(r.pagina);
    }
    if (r.fuoco.isEmpty()) return;
    if (auto *w = findChild<QWidget *>(r.fuoco)) w->setFocus(Qt::OtherFocusReason);
}

void TfrmClientiDett::spdSalvaClick()
{
    SalvataggioFallito = false;
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    // What is still being typed belongs to the row.
    Q_EMIT q->updateRecord();
    q->edit();
    if (NominativoModificato) {
        const clienti::Nominativi n = clienti::calcolaNominativi(DBEdit1->text(), DBEdit2->text(), DBEdit3->text(), DBEdit11->text());
        q->fieldByName(QStringLiteral("NominativoDocumenti")).setAsString(n.documenti);
        q->fieldByName(QStringLiteral("NominativoVisualizzato")).setAsString(n.visualizzato);
    }
    const qint64 id = idCorrente();
    clienti::EsitoSalvataggio esito;
    const bool riuscito = masterdata::salvaRiga(this, q, id, [&] {
        esito = clienti::salva(form_DB->Connessione, id, DBCheckBox4->isChecked(), NominativoModificato,
                               [q] { return common::SalvaRecord(*q, QStringLiteral("Id")); });
        return esito.salvato;
    });
    if (!riuscito) {
        SalvataggioFallito = true;
        return;
    }
    QList<db::Query *> daRileggere;
    if (esito.documentiRiformattati > 0) daRileggere << form_DB->Table3 << form_DB->TableNotaCredito;
    if (NominativoModificato) {
        NominativoModificato = false;
        daRileggere << form_DB->Table3 << form_DB->TableNotaCredito << form_DB->TableCalendario << form_DB->Table16
                    << form_DB->Table1;
    }
    QList<db::Query *> fatte;
    for (db::Query *d : daRileggere) {
        if (fatte.contains(d) || !d->isActive()) continue;
        fatte << d;
        common::RicaricaDataset(*d, QStringLiteral("ID"));
    }
    DatiModificati = false;
}

void TfrmClientiDett::spdIndietroClick()
{
    if (!DatiModificati) {
        SalvataggioFallito = false;
        accept();
        return;
    }
    if (const auto regola = clienti::valida(datiMostrati())) {
        mostraRegola(*regola);
        SalvataggioFallito = true;
        return;
    }
    scriviColore();
    spdSalvaClick();
    if (!SalvataggioFallito) accept();
}

void TfrmClientiDett::scriviColore()
{
    db::Query *q = dataset();
    q->edit();
    q->fieldByName(QStringLiteral("Annullato")).setAsBoolean(DBCheckBox1->isChecked());
    q->fieldByName(QStringLiteral("NumeroColore")).setAsInteger(ColorBox1->colore());
}

void TfrmClientiDett::PageControl1Change()
{
    if (PageControl1->currentIndex() == 0) {
        // A colour chosen but not saved is forgotten.
        coloreDaArchivio();
        return;
    }
    if (const auto regola = clienti::valida(datiMostrati(), true)) mostraRegola(*regola);
}

void TfrmClientiDett::DBEdit9Exit()
{
    masterdata::controllaPartitaIva(
        this, DBEdit9->text(), [this] { return clienti::duplicatiPartitaIva(form_DB->Connessione, DBEdit9->text(), idCorrente()); },
        kGiaPresente);
}

void TfrmClientiDett::DBEdit11Exit()
{
    masterdata::controllaCodiceFiscale(
        this, DBEdit11->text(),
        [this] { return clienti::duplicatiCodiceFiscale(form_DB->Connessione, DBEdit11->text(), idCorrente()); }, kGiaPresente);
}

void TfrmClientiDett::DBLookupComboBox1Click()
{
    DatiModificati = true;
    db::Query *q = dataset();
    q->edit();
    const db::Field colore = form_DB->TableCategoriaClienti->fieldByName(QStringLiteral("ColoreCategoria"));
    q->fieldByName(QStringLiteral("ColoreCategoria")).setValue(colore.value());
}

void TfrmClientiDett::DBLookupComboBox5Click()
{
    DatiModificati = true;
    masterdata::copiaComune(dataset());
}

void TfrmClientiDett::DBLookupComboBox6Click()
{
    db::Query *comuni = form_DB->Table8;
    if (!comuni->fieldByName(QStringLiteral("ID")).isNull()) {
        db::Query *q = dataset();
        q->edit();
        q->fieldByName(QStringLiteral("StabileOrganizzazione_CAP")).setAsString(comuni->fieldByName(QStringLiteral("CAP")).asString());
        q->fieldByName(QStringLiteral("StabileOrganizzazione_Provincia"))
            .setAsString(comuni->fieldByName(QStringLiteral("Provincia")).asString());
        db::Query *nazioni = form_DB->TableNazioni;
        const bool trovata = nazioni->locate(QStringLiteral("Id"), comuni->fieldByName(QStringLiteral("Nazione_ID")).value());
        q->fieldByName(QStringLiteral("StabileOrganizzazione_Nazione"))
            .setAsString(trovata ? nazioni->fieldByName(QStringLiteral("SIGLA")).asString() : QStringLiteral("IT"));
    }
    DatiModificati = true;
}

void TfrmClientiDett::SpeedButton23Click()
{
    if (masterdata::trovaCap(this, DBLookupComboBox5, DBLookupComboBox5->currentText(), dataset())) DatiModificati = true;
}

void TfrmClientiDett::spdTrovaPaClick()
{
    if (!forms::chiedi(this, QStringLiteral("Attenzione la ricerca del cliente della pubblica amministrazione potrebbe "
                                            "sovrascrivere i dati di questo cliente ! Vuoi proseguire ?")))
        return;
    if (QWidget *w = creata("frmTrovaPA")) {
        QMetaObject::invokeMethod(w, "BitBtn3Click");
        if (auto *finestra = qobject_cast<QDialog *>(w)) finestra->exec();
    }
    form_DB->TablePA_fatturazioneElettronica->close();
}

void TfrmClientiDett::btnAssegnoFornitoriClick()
{
    // The open instalments of this customer's sales invoices, paid several at once.
    QWidget *w = creata("frmPagaFatture");
    if (!w || dataset()->isEmpty()) return;
    QMetaObject::invokeMethod(w, "apri", Q_ARG(bool, false), Q_ARG(qlonglong, idCorrente()));
}

void TfrmClientiDett::spdStampaClick()
{
    if (dataset()->isEmpty()) return;
    if (DatiModificati) {
        // The colour chosen is saved with the rest, as "Indietro" saves it.
        scriviColore();
        spdSalvaClick();
        // What is printed is what is stored.
        if (SalvataggioFallito) return;
    }
    CodiceStampa = 58;
    form_DB->Button2Click();
}

void TfrmClientiDett::SpeedButton4Click()
{
    const qint64 comune = dataset()->isEmpty() ? 0 : dataset()->fieldByName(QStringLiteral("Comune_id")).asLargeInt();
    if (comune > 0) form_DB->Table8->locate(QStringLiteral("ID"), comune);
    if (auto *d = qobject_cast<forms::DetailForm *>(creata("frmComuniDett"))) d->mostra();
}

void TfrmClientiDett::SpeedButton5Click()
{
    if (dataset()->isEmpty() || dataset()->fieldByName(QStringLiteral("Categoria_ID")).asLargeInt() < 1) return;
    modificaDaLookup(DBLookupComboBox1);
    form_DB->TableCategoriaClienti->requery();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati = forms::registra(frmClientiDett, "frmClientiDett");
} // namespace

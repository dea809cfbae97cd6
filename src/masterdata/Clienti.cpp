#include "Clienti.h"
#include "ClientiDett.h"
#include "VCardClientiForm.h"
#include "forms/DetailForm.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "masterdata/services/Clienti.h"

#include "common/SqlText.h"
#include "data/DB.h"
#include "db/Query.h"
#include "mail/Email.h"
#include "widgets/ColorBox.h"
#include "widgets/DBGrid.h"
#include "widgets/ToolButton.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kMessaggioSelezione = QStringLiteral("Attenzione devi selezionare i contatti da copiare le email");

// The customer's own colour, else its category's, else white.
QColor coloreCliente(db::Query *q, int riga)
{
    for (const char *campo : {"NumeroColore", "ColoreCategoria"}) {
        const int col = q->fieldIndex(QLatin1String(campo));
        if (col < 0) continue;
        const QColor c = ui::coloreVisualizzato(q->valueAt(riga, col).toLongLong());
        if (c.isValid()) return c;
    }
    return QColor(Qt::white);
}

// Every cell of a row filled with the row's colour and its text in black, the current and the
// selected rows too (a dotted frame keeps the selection visible).
class DelegatoColori : public QStyledItemDelegate {
public:
    DelegatoColori(db::Query *q, QObject *parent) : QStyledItemDelegate(parent), m_q(q) {}
    void paint(QPainter *p, const QStyleOptionViewItem &opzione, const QModelIndex &indice) const override
    {
        p->save();
        p->fillRect(opzione.rect, coloreCliente(m_q, indice.row()));
        p->setPen(Qt::black);
        const QRect area = opzione.rect.adjusted(2, 2, -2, 0);
        p->drawText(area, Qt::AlignLeft | Qt::AlignTop,
                    opzione.fontMetrics.elidedText(indice.data(Qt::DisplayRole).toString(), Qt::ElideRight, area.width()));
        if (opzione.state & QStyle::State_Selected) {
            p->setPen(QPen(Qt::black, 1, Qt::DotLine));
            p->drawRect(opzione.rect.adjusted(0, 0, -1, -1));
        }
        p->restore();
    }

private:
    db::Query *m_q;
};

} // namespace

TfrmClienti::TfrmClienti(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmClienti");
              c.titolo = QStringLiteral("Clienti");
              c.helpContext = 2600;
              c.dataset = form_DB->Table7;
              c.source = form_DB->Source7;
              c.colonne = {{QStringLiteral("NominativoVisualizzato"), QStringLiteral("Cliente"), 300},
                           {QStringLiteral("Codice"), QStringLiteral("Codice"), 90},
                           {QStringLiteral("Telefono"), QStringLiteral("Telefono"), 110},
                           {QStringLiteral("Fax"), QStringLiteral("Fax"), 110},
                           {QStringLiteral("Cellulare"), QStringLiteral("Cellulare"), 110},
                           {QStringLiteral("Citta"), QStringLiteral("Citta"), 160},
                           {QStringLiteral("Provincia"), QStringLiteral("Prov."), 50}};
              c.ricerca = {};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il cliente?");
              c.descrizioneSpazio = false;
              c.chiavePredefiniti = QStringLiteral("Clienti");
              c.nomeGriglia = QStringLiteral("frmClienti_Griglia");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.multiSelezione = true;
              c.massimizzata = true;
              return c;
          }(),
          parent)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    if (SelezionaTutti1) SelezionaTutti1->setText(QStringLiteral("Seleziona tutti"));

    // The exchange and e-mail buttons sit between "Ricarica" and "Indietro".
    btImportaVCard = ui::toolButton(this, QStringLiteral("btImportaVCard"), QStringLiteral("Importa Vcard"),
                                    QStringLiteral("Importa in archivio i Dati di una VCard"), "document-import",
                                    QStyle::SP_DialogOpenButton);
    btEsportaVCard = ui::toolButton(this, QStringLiteral("btEsportaVCard"), QStringLiteral("Esporta Vcard"),
                                    QStringLiteral("Esporta i record selezionati in Vcard"), "document-export",
                                    QStyle::SP_DialogSaveButton);
    spdCopyEmail = ui::toolButton(this, QStringLiteral("spdCopyEmail"), QStringLiteral("Copia email"),
                                  QStringLiteral("Copia gli indirizzi email dei clienti selezionati"), "edit-copy",
                                  QStyle::SP_FileDialogContentsView);
    spdEmail = ui::toolButton(this, QStringLiteral("spdEmail"), QStringLiteral("Invia Email"),
                              QStringLiteral("Invia una email ai clienti selezionati"), "mail-send", QStyle::SP_ArrowRight);
    QAction *prima = nullptr;
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdIndietro) prima = a;
    for (QToolButton *b : {btImportaVCard, btEsportaVCard, spdCopyEmail, spdEmail}) ToolBar2->insertWidget(prima, b);

    // The search group under the grid: five boxes, the category and the two buttons.
    auto *gruppo = new QGroupBox(this);
    auto *g = new QGridLayout(gruppo);
    int col = 0;
    const auto casella = [&](const char *nome, const QString &etichetta) {
        auto *box = new QLineEdit(gruppo);
        box->setObjectName(QLatin1String(nome));
        auto *label = new QLabel(etichetta, gruppo);
        label->setBuddy(box);
        g->addWidget(label, 0, col);
        g->addWidget(box, 1, col++);
        box->installEventFilter(this);
        m_caselleClienti << box;
        return box;
    };
    Edit1 = casella("Edit1", QStringLiteral("Ricerca Per Cliente"));
    Edit2 = casella("Edit2", QStringLiteral("Cellulare"));
    Edit3 = casella("Edit3", QStringLiteral("Prov."));
    Edit4 = casella("Edit4", QStringLiteral("Città"));
    Edit5 = casella("Edit5", QStringLiteral("Per Note"));
    g->setColumnStretch(0, 3);
    ComboBox1 = new QComboBox(gruppo);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->installEventFilter(this);
    ComboBox1->lineEdit()->installEventFilter(this);
    auto *labelCategoria = new QLabel(QStringLiteral("Categoria"), gruppo);
    labelCategoria->setBuddy(ComboBox1);
    g->addWidget(labelCategoria, 0, col);
    g->addWidget(ComboBox1, 1, col++);
    Filtra = new QPushButton(QStringLiteral("cerca"), gruppo);
    Filtra->setObjectName(QStringLiteral("Filtra"));
    BitBtn3 = new QPushButton(QStringLiteral("reset"), gruppo);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    for (QPushButton *b : {Filtra, BitBtn3}) b->setAutoDefault(false);
    g->addWidget(Filtra, 1, col++);
    g->addWidget(BitBtn3, 1, col++);
    layoutPrincipale()->addWidget(gruppo);

    DBGrid1->setRowColorCallback([](int riga) { return coloreCliente(form_DB->Table7, riga); });
    DBGrid1->setItemDelegate(new DelegatoColori(form_DB->Table7, DBGrid1));

    disconnect(spdAggiorna, nullptr, this, nullptr);
    connect(spdAggiorna, &QToolButton::clicked, this, &TfrmClienti::spdAggiornaClick);
    connect(btImportaVCard, &QToolButton::clicked, this, &TfrmClienti::btImportaVCardClick);
    connect(btEsportaVCard, &QToolButton::clicked, this, &TfrmClienti::btEsportaVCardClick);
    connect(spdCopyEmail, &QToolButton::clicked, this, &TfrmClienti::spdCopyEmailClick);
    connect(spdEmail, &QToolButton::clicked, this, &TfrmClienti::spdEmailClick);
    connect(Filtra, &QPushButton::clicked, this, &TfrmClienti::FiltraClick);
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmClienti::BitBtn3Click);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &TfrmClienti::FiltraClick);
}

QString TfrmClienti::filtroRicerca() const
{
    QStringList condizioni;
    const auto prefisso = [&condizioni](const QString &colonna, const QLineEdit *box) {
        const QString testo = box->text();
        if (testo.isEmpty() || testo == QLatin1String("*")) return;
        condizioni << colonna + QStringLiteral(" like '") + common::RaddoppiaApici(testo) + QStringLiteral("*'");
    };
    prefisso(QStringLiteral("NominativoVisualizzato"), Edit1);
    prefisso(QStringLiteral("Citta"), Edit4);
    prefisso(QStringLiteral("Cellulare"), Edit2);
    prefisso(QStringLiteral("Provincia"), Edit3);
    prefisso(QStringLiteral("Note"), Edit5);
    const QString categoria = ComboBox1->currentText();
    if (!categoria.isEmpty())
        if (const auto id = clienti::idCategoria(form_DB->Connessione, categoria))
            condizioni << QStringLiteral("Categoria_ID = ") + QString::number(*id);
    return condizioni.join(QStringLiteral(" and "));
}

void TfrmClienti::FiltraClick() { dataset()->setFilter(filtroRicerca()); }

void TfrmClienti::BitBtn3Click()
{
    primaDiAggiungere();
    ListForm::BitBtn3Click();
    abilitaPulsanti();
}

void TfrmClienti::abilitaPulsanti()
{
    // While picking, a customer can be chosen and nothing else.
    for (QToolButton *b : {btImportaVCard, btEsportaVCard, spdCopyEmail, spdEmail, spdElimina, spdInserisci})
        b->setEnabled(!ModalitaScelta);
}

void TfrmClienti::primaDiAggiungere()
{
    // The search boxes emptied without searching; also when another form adds a customer on
    // the fly, so that the new row is not filtered out.
    for (QLineEdit *b : m_caselleClienti) {
        const QSignalBlocker quiet(b);
        b->clear();
    }
    const QSignalBlocker quiet(ComboBox1);
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QString());
}

void TfrmClienti::impostaNuovo()
{
    db::Query *q = dataset();
    q->fieldByName(QStringLiteral("NumeroColore")).setAsInteger(ui::kBianco);
    q->fieldByName(QStringLiteral("Annullato")).setAsBoolean(false);
    q->fieldByName(QStringLiteral("ScissionePagamenti")).setAsBoolean(false);
    q->fieldByName(QStringLiteral("IdPaese")).setAsString(QStringLiteral("IT"));
    q->fieldByName(QStringLiteral("Sede_Nazione")).setAsString(QStringLiteral("IT"));
}

void TfrmClienti::showEvent(QShowEvent *e)
{
    // The categories are read once per run: those added later appear after the next start.
    if (!m_categorieCaricate) {
        m_categorieCaricate = true;
        db::Query *cat = form_DB->TableCategoriaClienti;
        const int col = cat->fieldIndex(QStringLiteral("Descrizione"));
        const QSignalBlocker quiet(ComboBox1);
        for (int i = 0; col >= 0 && i < cat->recordCount(); ++i) {
            const QVariant d = cat->valueAt(i, col);
            if (!d.isNull()) ComboBox1->addItem(d.toString());
        }
        ComboBox1->setCurrentIndex(-1);
        ComboBox1->setEditText(QString());
    }
    ListForm::showEvent(e);
}

bool TfrmClienti::eventFilter(QObject *watched, QEvent *e)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    const bool casella = box && m_caselleClienti.contains(box);
    const bool combo = watched == ComboBox1 || watched == ComboBox1->lineEdit();
    if (!casella && !combo) return ListForm::eventFilter(watched, e);
    if (box == Edit1 && (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)) {
        QPalette p = box->palette();
        p.setColor(QPalette::Base, e->type() == QEvent::FocusIn ? QColor(0, 255, 255) : QColor(Qt::white));
        box->setPalette(p);
    }
    if (e->type() != QEvent::KeyPress) return false;
    const int tasto = static_cast<QKeyEvent *>(e)->key();
    const bool invio = tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
    if (combo) {
        if (tasto == Qt::Key_Backspace || tasto == Qt::Key_Delete) {
            {
                const QSignalBlocker quiet(ComboBox1);
                ComboBox1->setCurrentIndex(-1);
                ComboBox1->setEditText(QString());
            }
            FiltraClick();
            return true;
        }
        if (invio) {
            FiltraClick();
            return true;
        }
        return false;
    }
    if (invio || tasto == Qt::Key_Down) {
        if (invio) FiltraClick();
        focusNextChild();
        return true;
    }
    if (tasto == Qt::Key_Up) {
        focusPreviousChild();
        return true;
    }
    return false;
}

void TfrmClienti::spdAggiornaClick()
{
    for (db::Query *q : {form_DB->Table8, form_DB->Table5, form_DB->Table7, form_DB->TableModPaga}) q->requery();
}

QList<qint64> TfrmClienti::clientiSelezionati() const { return dataset()->selectedIds(QStringLiteral("Id")); }

bool TfrmClienti::indirizziSelezionati(QStringList &indirizzi)
{
    const QList<qint64> scelti = clientiSelezionati();
    if (scelti.isEmpty()) {
        forms::avvisa(this, kMessaggioSelezione, QStringLiteral("Messaggio di errore"));
        return false;
    }
    db::Query *q = dataset();
    for (qint64 id : scelti) {
        if (!q->locate(QStringLiteral("Id"), id)) continue;
        const QString email = q->fieldByName(QStringLiteral("EMail")).asString();
        if (!email.isEmpty()) indirizzi << email;
    }
    return true;
}

void TfrmClienti::spdEmailClick()
{
    QStringList indirizzi;
    if (indirizziSelezionati(indirizzi)) posta::componiEmail(indirizzi);
}

void TfrmClienti::spdCopyEmailClick()
{
    QStringList indirizzi;
    if (indirizziSelezionati(indirizzi)) posta::mostraIndirizzi(indirizzi);
}

void TfrmClienti::btImportaVCardClick() { importaVCardClienti(this); }

void TfrmClienti::btEsportaVCardClick() { esportaVCardClienti(this, clientiSelezionati()); }

namespace {
// Created once at start-up, in the program's order.
const bool registrati = forms::registra(frmClienti, "frmClienti",
                                        {.dettaglio = QStringLiteral("frmClientiDett"),
                                         .griglie = {{QStringLiteral("frmClienti_Griglia")}}});
} // namespace

#include "ListaAnagrafica.h"

#include "common/SqlText.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "mail/Email.h"
#include "widgets/DBGrid.h"
#include "widgets/ToolButton.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace masterdata {

namespace {
const QString kMessaggioSelezione = QStringLiteral("Attenzione devi selezionare i contatti da copiare le email");
} // namespace

ListaAnagrafica::ListaAnagrafica(Config config, Anagrafica anagrafica, QWidget *parent)
    : forms::ListForm(std::move(config), parent), m_anagrafica(std::move(anagrafica))
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    // The exchange and e-mail buttons sit between "Ricarica" and "Indietro".
    btImportaVCard = ui::toolButton(this, QStringLiteral("btImportaVCard"), QStringLiteral("Importa Vcard"),
                                    QStringLiteral("Importa in archivio i Dati di una VCard"), "document-import",
                                    QStyle::SP_DialogOpenButton);
    btEsportaVCard = ui::toolButton(this, QStringLiteral("btEsportaVCard"), QStringLiteral("Esporta Vcard"),
                                    QStringLiteral("Esporta i record selezionati in Vcard"), "document-export",
                                    QStyle::SP_DialogSaveButton);
    spdCopyEmail = ui::toolButton(this, QStringLiteral("spdCopyEmail"), m_anagrafica.copiaEmail.caption,
                                  m_anagrafica.copiaEmail.suggerimento, "edit-copy", QStyle::SP_FileDialogContentsView);
    spdEmail = ui::toolButton(this, QStringLiteral("spdEmail"), m_anagrafica.inviaEmail.caption,
                              m_anagrafica.inviaEmail.suggerimento, "mail-send", QStyle::SP_ArrowRight);
    QAction *prima = nullptr;
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdIndietro) prima = a;
    for (QToolButton *b : {btImportaVCard, btEsportaVCard, spdCopyEmail, spdEmail}) ToolBar2->insertWidget(prima, b);

    // The search group under the grid: five boxes, the category and the two buttons.
    auto *gruppo = new QGroupBox(this);
    auto *g = new QGridLayout(gruppo);
    int col = 0;
    for (const Casella &c : m_anagrafica.caselle) {
        auto *box = new QLineEdit(gruppo);
        box->setObjectName(QLatin1String(c.nome));
        auto *label = new QLabel(c.etichetta, gruppo);
        label->setBuddy(box);
        g->addWidget(label, 0, col);
        g->addWidget(box, 1, col++);
        box->installEventFilter(this);
        m_caselle << box;
    }
    g->setColumnStretch(0, 3);
    Categorie = new QComboBox(gruppo);
    Categorie->setObjectName(m_anagrafica.nomeCategorie);
    Categorie->setEditable(true);
    Categorie->setInsertPolicy(QComboBox::NoInsert);
    Categorie->installEventFilter(this);
    Categorie->lineEdit()->installEventFilter(this);
    auto *labelCategoria = new QLabel(QStringLiteral("Categoria"), gruppo);
    labelCategoria->setBuddy(Categorie);
    g->addWidget(labelCategoria, 0, col);
    g->addWidget(Categorie, 1, col++);
    Filtra = new QPushButton(QStringLiteral("cerca"), gruppo);
    Filtra->setObjectName(QStringLiteral("Filtra"));
    BitBtn3 = new QPushButton(QStringLiteral("reset"), gruppo);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    for (QPushButton *b : {Filtra, BitBtn3}) b->setAutoDefault(false);
    g->addWidget(Filtra, 1, col++);
    g->addWidget(BitBtn3, 1, col++);
    layoutPrincipale()->addWidget(gruppo);

    disconnect(spdAggiorna, nullptr, this, nullptr);
    connect(spdAggiorna, &QToolButton::clicked, this, &ListaAnagrafica::spdAggiornaClick);
    connect(btImportaVCard, &QToolButton::clicked, this, &ListaAnagrafica::btImportaVCardClick);
    connect(btEsportaVCard, &QToolButton::clicked, this, &ListaAnagrafica::btEsportaVCardClick);
    connect(spdCopyEmail, &QToolButton::clicked, this, &ListaAnagrafica::spdCopyEmailClick);
    connect(spdEmail, &QToolButton::clicked, this, &ListaAnagrafica::spdEmailClick);
    connect(Filtra, &QPushButton::clicked, this, &ListaAnagrafica::FiltraClick);
    connect(BitBtn3, &QPushButton::clicked, this, &ListaAnagrafica::BitBtn3Click);
    connect(Categorie, &QComboBox::currentTextChanged, this, &ListaAnagrafica::FiltraClick);
}

forms::ListForm::Config ListaAnagrafica::configurazione(const QString &nome, const QString &titolo, int helpContext,
                                                        db::Query *dataset, db::DataSource *source,
                                                        QList<forms::ColonnaGriglia> colonne, const QString &domandaElimina,
                                                        const QString &chiavePredefiniti, const QString &nomeGriglia)
{
    Config c;
    c.nome = nome;
    c.titolo = titolo;
    c.helpContext = helpContext;
    c.dataset = dataset;
    c.source = source;
    c.colonne = std::move(colonne);
    c.ricerca = {};
    c.domandaElimina = domandaElimina;
    c.descrizioneSpazio = false;
    c.chiavePredefiniti = chiavePredefiniti;
    c.nomeGriglia = nomeGriglia;
    c.menuGrigliaCompleto = true;
    c.ordinabile = true;
    c.multiSelezione = true;
    c.massimizzata = true;
    return c;
}

QLineEdit *ListaAnagrafica::casellaRicerca(const char *nome) const
{
    for (QLineEdit *b : m_caselle)
        if (b->objectName() == QLatin1String(nome)) return b;
    return nullptr;
}

QString ListaAnagrafica::filtroRicerca() const
{
    QList<std::pair<int, QString>> condizioni;
    for (int i = 0; i < m_caselle.size(); ++i) {
        const QString testo = m_caselle[i]->text();
        if (testo.isEmpty() || testo == QLatin1String("*")) continue;
        const Casella &c = m_anagrafica.caselle[i];
        condizioni.append({c.ordine, c.colonna + QStringLiteral(" like '") + common::RaddoppiaApici(testo) + QStringLiteral("*'")});
    }
    std::stable_sort(condizioni.begin(), condizioni.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList testi;
    for (const auto &c : condizioni) testi << c.second;
    const QString categoria = Categorie->currentText();
    if (!categoria.isEmpty())
        if (const auto id = m_anagrafica.idCategoria(categoria)) testi << QStringLiteral("Categoria_ID = ") + QString::number(*id);
    return testi.join(QStringLiteral(" and "));
}

void ListaAnagrafica::FiltraClick() { dataset()->setFilter(filtroRicerca()); }

void ListaAnagrafica::svuotaRicerca()
{
    for (QLineEdit *b : m_caselle) {
        const QSignalBlocker quiet(b);
        b->clear();
    }
    const QSignalBlocker quiet(Categorie);
    Categorie->setCurrentIndex(-1);
    Categorie->setEditText(QString());
}

void ListaAnagrafica::BitBtn3Click()
{
    svuotaRicerca();
    ListForm::BitBtn3Click();
    // While picking, a row can be chosen and nothing else.
    for (QToolButton *b : {btImportaVCard, btEsportaVCard, spdCopyEmail, spdEmail, spdElimina, spdInserisci})
        b->setEnabled(!ModalitaScelta);
}

// Also when another form adds a record on the fly: the new row must not be filtered out.
void ListaAnagrafica::primaDiAggiungere() { svuotaRicerca(); }

void ListaAnagrafica::showEvent(QShowEvent *e)
{
    // The categories are read once per run: those added later appear after the next start.
    if (!m_categorieCaricate) {
        m_categorieCaricate = true;
        db::Query *cat = m_anagrafica.categorie;
        const int col = cat->fieldIndex(QStringLiteral("Descrizione"));
        const QSignalBlocker quiet(Categorie);
        for (int i = 0; col >= 0 && i < cat->recordCount(); ++i) {
            const QVariant d = cat->valueAt(i, col);
            if (!d.isNull()) Categorie->addItem(d.toString());
        }
        Categorie->setCurrentIndex(-1);
        Categorie->setEditText(QString());
    }
    ListForm::showEvent(e);
}

bool ListaAnagrafica::eventFilter(QObject *watched, QEvent *e)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    const bool casella = box && m_caselle.contains(box);
    const bool combo = watched == Categorie || watched == Categorie->lineEdit();
    if (!casella && !combo) return ListForm::eventFilter(watched, e);
    const bool colorata = m_anagrafica.ricercaColorata || (casella && box == m_caselle.first());
    if (colorata && (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)) {
        QWidget *w = combo ? static_cast<QWidget *>(Categorie) : box;
        QPalette p = w->palette();
        p.setColor(QPalette::Base, e->type() == QEvent::FocusIn ? QColor(0, 255, 255) : QColor(Qt::white));
        w->setPalette(p);
    }
    if (e->type() != QEvent::KeyPress) return false;
    const int tasto = static_cast<QKeyEvent *>(e)->key();
    const bool invio = tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
    if (combo) {
        if (tasto == Qt::Key_Backspace || tasto == Qt::Key_Delete) {
            {
                const QSignalBlocker quiet(Categorie);
                Categorie->setCurrentIndex(-1);
                Categorie->setEditText(QString());
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

void ListaAnagrafica::spdAggiornaClick()
{
    for (db::Query *q : m_anagrafica.daRicaricare) q->requery();
}

QList<qint64> ListaAnagrafica::selezionati() const { return dataset()->selectedIds(QStringLiteral("Id")); }

bool ListaAnagrafica::indirizziSelezionati(QStringList &indirizzi)
{
    const QList<qint64> scelti = selezionati();
    if (scelti.isEmpty()) {
        forms::avvisa(this, kMessaggioSelezione, QStringLiteral("Messaggio di errore"));
        return false;
    }
    db::Query *q = dataset();
    for (qint64 id : scelti) {
        if (!q->locate(QStringLiteral("Id"), id)) continue;
        const QString email = q->fieldByName(m_anagrafica.colonnaEmail).asString();
        if (!email.isEmpty()) indirizzi << email;
    }
    return true;
}

void ListaAnagrafica::spdEmailClick()
{
    QStringList indirizzi;
    if (indirizziSelezionati(indirizzi)) posta::componiEmail(indirizzi);
}

void ListaAnagrafica::spdCopyEmailClick()
{
    QStringList indirizzi;
    if (indirizziSelezionati(indirizzi)) posta::mostraIndirizzi(indirizzi);
}

void ListaAnagrafica::btImportaVCardClick() { m_anagrafica.importaVCard(this); }

void ListaAnagrafica::btEsportaVCardClick() { m_anagrafica.esportaVCard(this, selezionati()); }

} // namespace masterdata

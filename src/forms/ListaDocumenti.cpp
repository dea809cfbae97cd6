#include "ListaDocumenti.h"

#include "db/DbError.h"
#include "db/Query.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/ToolButton.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace forms {

namespace {
const QString kId = QStringLiteral("ID");
}

ListaDocumenti::ListaDocumenti(Config c, QWidget *parent) : ListForm(std::move(c), parent)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    btnRequery = ui::toolButton(this, QStringLiteral("btnRequery"), QStringLiteral("REquery"), QString(), "view-refresh",
                                QStyle::SP_BrowserReload);
    ToolBar2->addWidget(btnRequery)->setVisible(false);
    connect(btnRequery, &QToolButton::clicked, this, &ListaDocumenti::btnRequeryClick);
}

QGridLayout *ListaDocumenti::creaGruppoRicerca(const QString &titolo)
{
    GroupBox1 = new QGroupBox(titolo, this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setStyleSheet(QStringLiteral("QGroupBox#GroupBox1 { background-color: rgb(128, 255, 128); }"));
    return new QGridLayout(GroupBox1);
}

void ListaDocumenti::posaCasella(QWidget *casella, const QString &etichetta, int riga, int colonna)
{
    auto *g = static_cast<QGridLayout *>(GroupBox1->layout());
    auto *l = new QLabel(etichetta, GroupBox1);
    l->setBuddy(casella);
    g->addWidget(l, 2 * riga, colonna);
    g->addWidget(casella, 2 * riga + 1, colonna);
    casella->installEventFilter(this);
    m_caselle << casella;
}

void ListaDocumenti::evidenzia(QWidget *w, bool fuoco)
{
    if (!m_tasti.evidenziaDate && qobject_cast<ui::MaskedDateEdit *>(w)) return;
    if (!m_tasti.evidenziaConPalette) {
        w->setStyleSheet(fuoco ? QStringLiteral("background-color: aqua;") : QString());
        return;
    }
    QPalette p = w->palette();
    p.setColor(QPalette::Base, fuoco ? QColor(0, 255, 255) : QColor(Qt::white));
    w->setPalette(p);
}

bool ListaDocumenti::eventFilter(QObject *watched, QEvent *e)
{
    auto *w = qobject_cast<QWidget *>(watched);
    const int i = m_caselle.indexOf(w);
    if (i < 0) return ListForm::eventFilter(watched, e);
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) evidenzia(w, e->type() == QEvent::FocusIn);
    if (e->type() != QEvent::KeyPress) return ListForm::eventFilter(watched, e);
    auto *scelta = qobject_cast<QComboBox *>(w);
    switch (static_cast<QKeyEvent *>(e)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_tasti.invioCerca) {
            cerca();
            return true;
        }
        m_caselle.value(i + 1, m_caselle.first())->setFocus();
        return true;
    case Qt::Key_Down:
        // A choice opens its list with Down.
        if (scelta) break;
        m_caselle.value(i + 1, m_caselle.first())->setFocus();
        return true;
    case Qt::Key_Up:
        if (scelta) break;
        m_caselle.value(i - 1, m_caselle.last())->setFocus();
        return true;
    case Qt::Key_Escape:
        if (auto *data = qobject_cast<ui::MaskedDateEdit *>(w)) {
            data->clear();
            if (m_dopoEscape) m_dopoEscape->setFocus();
            if (m_tasti.escapeCerca) cerca();
            return true;
        }
        break;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        if (scelta) {
            scelta->setCurrentIndex(-1);
            cerca();
            return true;
        }
        break;
    default:
        break;
    }
    return ListForm::eventFilter(watched, e);
}

qint64 ListaDocumenti::idCorrente() const
{
    db::Query *q = dataset();
    return q->isEmpty() ? 0 : q->fieldByName(kId).asLargeInt();
}

qint64 ListaDocumenti::idAccanto() const
{
    db::Query *q = dataset();
    const int riga = q->currentIndex();
    const int colonna = q->fieldIndex(kId);
    if (riga > 0) return q->valueAt(riga - 1, colonna).toLongLong();
    if (riga + 1 < q->recordCount()) return q->valueAt(riga + 1, colonna).toLongLong();
    return 0;
}

QString ListaDocumenti::rendiCorrente(qint64 id, const QString &sqlSolo, bool soloLaRiga)
{
    db::Query *q = dataset();
    bool trovato = false;
    if (soloLaRiga) {
        try {
            trovato = q->aggiungiRigaSalvata(id);
        } catch (const db::DbError &) {
            // A query the narrowed read cannot run is read again.
            q->requery();
            trovato = q->locate(kId, id);
        }
    } else {
        q->requery();
        trovato = q->locate(kId, id);
    }
    if (trovato) return QString();
    const QString sqlPrima = q->sql();
    ripunta(q, sqlSolo);
    return sqlPrima;
}

void ListaDocumenti::ridaiSql(const QString &sqlPrima, qint64 id)
{
    if (sqlPrima.isEmpty()) return;
    db::Query *q = dataset();
    if (q->isEditing()) q->cancel();
    ripunta(q, sqlPrima);
    q->locate(kId, id);
}

void ListaDocumenti::ripunta(db::Query *q, const QString &sql)
{
    q->setFilter(QString());
    q->close();
    q->setSql(sql);
    q->open();
}

} // namespace forms

#include "DettaglioAnagrafica.h"
#include "TrovaCap.h"

#include "common/TextUtils.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "masterdata/services/Anagrafiche.h"
#include "widgets/Seams.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace masterdata {

void copiaComune(db::Query *q)
{
    forms::copiaDallaScelta(form_DB->Table8, q,
                            {{QStringLiteral("Cap"), QStringLiteral("Cap")},
                             {QStringLiteral("Provincia"), QStringLiteral("Provincia")},
                             {QStringLiteral("ID"), QStringLiteral("Comune_id")}});
}

bool trovaCap(QWidget *finestra, QWidget *lookup, const QString &comune, db::Query *q)
{
    if (comune.isEmpty()) {
        forms::avvisa(finestra, QStringLiteral("Prima devi selezionare la Città !"), forms::kAvviso);
        lookup->setFocus();
        return false;
    }
    const QStringList cap = anagrafiche::capDelComune(form_DB->Connessione, comune);
    if (cap.size() == 1) {
        q->edit();
        q->fieldByName(QStringLiteral("Cap")).setAsString(cap.first());
        return true;
    }
    if (!frmTrovaCap) return false;
    db::Query *indirizzi = form_DB->TableIndirizzi;
    indirizzi->close();
    indirizzi->setFilter(QString());
    indirizzi->setSql(QStringLiteral("SELECT id_cap, Frazione, NumeroCivico, Indirizzi.Cap, Comune_ID, Indirizzo, Comuni.Comune "
                                     "FROM Indirizzi INNER JOIN Comuni ON Indirizzi.Comune_ID = Comuni.ID where Comune = "
                                     ":comune order by Frazione, Indirizzo"));
    indirizzi->bind(QStringLiteral(":comune"), comune);
    indirizzi->open();
    for (const char *nome : {"Edit1", "Edit2"})
        if (QLineEdit *box = frmTrovaCap->casella(QLatin1String(nome))) box->clear();
    frmTrovaCap->exec();
    if (frmTrovaCap->RicercaAnnullata || indirizzi->isEmpty()) return false;
    q->edit();
    q->fieldByName(QStringLiteral("Cap")).setAsString(indirizzi->fieldByName(QStringLiteral("Cap")).asString());
    return true;
}

void controllaPartitaIva(QWidget *finestra, const QString &iva, const std::function<int()> &duplicati,
                         const QString &caption)
{
    if (iva.isEmpty()) return;
    if (!common::ControllaPartitaIva(iva)) {
        ui::showInformation(QStringLiteral("Attenzione la partita Iva appena inserita non è valida!!!"),
                            QStringLiteral("Pellavantoria"), finestra);
        return;
    }
    if (const int n = duplicati(); n > 0)
        forms::avvisa(finestra,
                      QStringLiteral("Attenzione la partita Iva ") + iva + QStringLiteral(" è già presente in altri ")
                          + QString::number(n) + QStringLiteral(" Record."),
                      caption);
}

void controllaCodiceFiscale(QWidget *finestra, const QString &codiceFiscale, const std::function<int()> &duplicati,
                            const QString &caption)
{
    if (codiceFiscale.isEmpty()) return;
    if (const int n = duplicati(); n > 0)
        forms::avvisa(finestra,
                      QStringLiteral("Attenzione il Codice fiscale ") + codiceFiscale
                          + QStringLiteral(" è già presente in altri ") + QString::number(n) + QStringLiteral(" Record."),
                      caption);
}

bool salvaRiga(QWidget *finestra, db::Query *q, qint64 id, const std::function<bool()> &salva)
{
    QList<QVariant> valori;
    for (int i = 0; i < q->fieldCount(); ++i) valori << q->value(i);
    try {
        return salva();
    } catch (const db::DbError &e) {
        if (q->isEditing()) q->cancel();
        q->requery();
        if (q->locate(QStringLiteral("Id"), id)) {
            q->edit();
            for (int i = 0; i < q->fieldCount() && i < valori.size(); ++i)
                if (q->value(i) != valori[i]) q->setValue(i, valori[i]);
        }
        ui::showError(e.message(), QStringLiteral("Messaggio di errore"), finestra);
        return false;
    }
}

QWidget *colonne(QWidget *pagina, QFormLayout *&sx, QFormLayout *&dx)
{
    auto *w = new QWidget(pagina);
    auto *h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    sx = new QFormLayout;
    dx = new QFormLayout;
    h->addLayout(sx, 1);
    h->addSpacing(16);
    h->addLayout(dx, 1);
    return w;
}

void dueColonne(QWidget *pagina, int primaDestra)
{
    auto *f = qobject_cast<QFormLayout *>(pagina->layout());
    if (!f) return;
    QFormLayout *sx = nullptr;
    QFormLayout *dx = nullptr;
    QWidget *due = colonne(pagina, sx, dx);
    for (int i = 0; f->rowCount() > 0; ++i) {
        const QFormLayout::TakeRowResult r = f->takeRow(0);
        QWidget *etichetta = r.labelItem ? r.labelItem->widget() : nullptr;
        QWidget *campo = r.fieldItem ? r.fieldItem->widget() : nullptr;
        QLayout *interno = r.fieldItem ? r.fieldItem->layout() : nullptr;
        delete r.labelItem;
        if (!interno) delete r.fieldItem;
        QFormLayout *destinazione = i < primaDestra ? sx : dx;
        if (interno) {
            if (etichetta) destinazione->addRow(etichetta, interno);
            else destinazione->addRow(interno);
        } else if (etichetta) {
            destinazione->addRow(etichetta, campo);
        } else if (campo) {
            destinazione->addRow(campo);
        }
    }
    for (QFormLayout *c : {sx, dx}) c->setRowWrapPolicy(QFormLayout::DontWrapRows);
    f->addRow(due);
}

bool modificaNome(QEvent *e)
{
    if (e->type() == QEvent::KeyPress) {
        const auto *k = static_cast<QKeyEvent *>(e);
        return k->key() != Qt::Key_Tab && k->key() != Qt::Key_Backtab
            && (!k->text().isEmpty() || k->key() == Qt::Key_Backspace || k->key() == Qt::Key_Delete);
    }
    return e->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent *>(e)->button() == Qt::RightButton;
}

bool uscitaUtente(QEvent *e)
{
    if (e->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason r = static_cast<QFocusEvent *>(e)->reason();
    return r == Qt::TabFocusReason || r == Qt::BacktabFocusReason || r == Qt::MouseFocusReason;
}

} // namespace masterdata

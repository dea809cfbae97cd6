#pragma once
// What the document lists share (sales invoices, credit notes, quotes; the purchase documents
// next): the green group of search boxes with their keys, the hidden "REquery" that re-points
// the editor's side datasets at the current document, the new document made current (held
// alone while a past period is browsed), and where the list stands after a delete. Each list
// declares its boxes, its search and its side datasets.
#include "ListForm.h"

class QGridLayout;
class QGroupBox;
class QToolButton;

namespace forms {

class ListaDocumenti : public ListForm {
    Q_OBJECT
public:
    // How the search boxes answer their keys.
    struct TastiRicerca {
        bool invioCerca = false;       // Enter searches (else it goes to the next box)
        bool escapeCerca = true;       // a date box emptied with Escape searches at once
        bool evidenziaDate = true;     // the date boxes turn aqua with the focus too
        bool evidenziaConPalette = false; // the aqua is the box's base colour (else its style)
    };

    ListaDocumenti(Config c, QWidget *parent = nullptr);

    QToolButton *btnRequery; // hidden
    QGroupBox *GroupBox1;    // the search boxes

    // The id of the document just stored by "Aggiungi" (0 before one, or when it failed).
    qint64 ultimaAggiunta() const { return m_ultimaAggiunta; }

public Q_SLOTS:
    // The editor's side datasets pointed at the current document.
    virtual void btnRequeryClick() {}

protected:
    // The search group, titled (empty: no title).
    QGridLayout *creaGruppoRicerca(const QString &titolo);
    // A box with its caption above it, at a place of the group's grid; boxes are walked in the
    // order they are laid.
    void posaCasella(QWidget *casella, const QString &etichetta, int riga, int colonna);
    void impostaTasti(const TastiRicerca &tasti, QWidget *dopoEscape) { m_tasti = tasti, m_dopoEscape = dopoEscape; }
    // The list's search from what the boxes hold.
    virtual void cerca() {}
    bool eventFilter(QObject *watched, QEvent *e) override;

    qint64 idCorrente() const;
    // The document the list stands on after the current one is deleted: the one above, else
    // the one that followed (0: none).
    qint64 idAccanto() const;
    // The new document `id` made current. When the rows shown do not hold it (a past period is
    // browsed) the list holds it alone (`sqlSolo`) and the SQL to give back afterwards is
    // returned (empty otherwise). `soloLaRiga`: only the new row is read into the list.
    QString rendiCorrente(qint64 id, const QString &sqlSolo, bool soloLaRiga = false);
    // The period's SQL back after the editor closed, standing on `id`.
    void ridaiSql(const QString &sqlPrima, qint64 id);
    // A side dataset pointed at `sql`, with no filter.
    static void ripunta(db::Query *q, const QString &sql);

    QList<QWidget *> m_caselle;
    qint64 m_ultimaAggiunta = 0;

private:
    void evidenzia(QWidget *w, bool fuoco);
    TastiRicerca m_tasti;
    QWidget *m_dopoEscape = nullptr;
};

} // namespace forms

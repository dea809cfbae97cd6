#pragma once
// What the document editors share (sales invoices and credit notes, quotes, purchase invoices
// and supplier credit notes): the header on pages, the rows of the current document in a grid
// on a page of their own, the totals panel, the instalment grid, the modified and failed-save
// flags and the save the program starts without checks. Each editor declares its kind (header
// query, rows, instalments, totals, the checks in its order) and overrides only its own
// differences.
#include "DetailForm.h"
#include "ListForm.h"

#include <QPair>
#include <functional>

namespace forms {

class DatiCollegati;

class EditorDocumento : public DetailForm {
    Q_OBJECT
public:
    // Rows that follow the current document (its rows, its instalments ...), shown in a grid.
    struct Collegate {
        QString griglia; // the grid's component name
        db::Query *dataset = nullptr;
        db::DataSource *source = nullptr;
        std::function<QString(qint64)> sql; // their SQL for the document's key
        QList<ColonnaGriglia> colonne;
    };
    // What one save of the rows did, as the document's service answers it.
    struct EsitoRighe {
        bool salvato = false;   // rows, totals and instalments stored together
        QString errore;         // nothing stored: why (empty when `scrivi` refused: its own message)
        QString avviso;         // stored, with a warning to show (instalments left as they were ...)
        bool primaNota = false; // the document's cash-book row was written with it
    };
    // In one transaction: the document `id` checked to exist, `scrivi` (false: refused, nothing
    // stored), the totals and the instalments.
    using SalvaRighe = std::function<EsitoRighe(qint64 id, const std::function<bool()> &scrivi)>;
    struct CampoTotale {
        QString nome; // the edit's component name
        QString etichetta;
        QString campo;
    };
    struct Tipo {
        DetailForm::Config dettaglio; // the header's query, captions, help ...
        QString campoChiave = QStringLiteral("ID");
        Collegate righe;
        Collegate scadenze;
        QList<CampoTotale> totali;
        // The document's totals from its stored rows, column by column (a service's result).
        std::function<QList<QPair<QString, double>>(qint64)> calcolaTotali;
        // The rows' key column, and the service that stores a change of the rows.
        QString chiaveRighe = QStringLiteral("Idx");
        SalvaRighe salvaRighe;
    };

    EditorDocumento(Tipo tipo, QWidget *parent = nullptr);

    ui::DBGrid *grigliaRighe = nullptr;
    ui::DBGrid *grigliaScadenze = nullptr;
    DatiCollegati *righe;
    DatiCollegati *scadenze = nullptr;

    // While set, the save skips its checks: set only around a save the program starts itself.
    bool SalvataggioSenzaControlli = false;

    // The current document's key (0 without one).
    qint64 idDocumento() const;
    // Recomputes the totals from the stored rows and stores them in the header; the checks do
    // not run and DatiModificati is left as it is.
    virtual void ricalcolaTotali();
    // Saves with the checks skipped.
    void salvaSenzaControlli();
    // One change of the rows as one transaction: `scrivi` (the rows' writes; false with the
    // message in `errore` when refused), the header as shown, the totals and the instalments
    // (the kind's salvaRighe); then the header, rows and instalments are read again and the
    // current row kept. False when nothing was stored (the message shown, a row being edited
    // keeps what the user typed).
    bool aggiornaDocumento(const std::function<bool(QString &errore)> &scrivi);
    // The key of the current row of the rows (0 without one), and the row made current by key.
    qint64 rigaCorrente() const;
    void posizionaRiga(qint64 chiave);

protected:
    // A page holding only the rows' grid.
    QWidget *aggiungiPaginaRighe(const QString &nome, const QString &titolo);
    // The totals' edits, on the page being laid out.
    void aggiungiTotali();
    // The instalments' grid, on the page being laid out.
    void aggiungiScadenze(const QString &etichetta);
    bool senzaControlli() const override { return SalvataggioSenzaControlli; }
    // After aggiornaDocumento, stored or not: what the kind does besides.
    virtual void dopoAggiornamento(bool salvato) { Q_UNUSED(salvato); }

private:
    ui::DBGrid *griglia(const Collegate &c);
    Tipo m_tipo;
};

} // namespace forms

#pragma once
// The detail half of the list-and-detail family: data-aware fields over the current row of the
// list's shared query, a required-field check, "Indietro" that saves what was modified,
// "Annulla" that abandons a row just added. Each detail declares its fields and texts; a
// detail whose save reaches other tables overrides dopoSalva().
#include <QDialog>
#include <QList>
#include <QStyle>
#include <QString>
#include <functional>

class QFormLayout;
class QTabWidget;
class QToolBar;
class QToolButton;
class QVBoxLayout;

namespace db {
class DataSource;
class Query;
} // namespace db
namespace ui {
class DBCheckBox;
class DBEdit;
class DBLookupComboBox;
class EditingHelper;
} // namespace ui

namespace forms {

class ListForm;

class DetailForm : public QDialog {
    Q_OBJECT
public:
    enum class Annulla {
        Chiedi,       // asks, then deletes the new row itself
        TramiteLista, // asks, then the list deletes it (with its dependent rows) without asking
        SenzaChiedere // deletes at once
    };
    struct Config {
        QString nome;
        QString titolo;
        int helpContext = 0;
        db::Query *dataset = nullptr;
        db::DataSource *source = nullptr;
        QString captionErrore = QStringLiteral("Messaggio di errore");
        bool conAiuto = false;
        bool navigazione = true;        // Enter/Down/Up between fields
        QString captionSalva = QStringLiteral("Salva");
        bool salvaNuovo = false; // saves as a new record is saved: re-read with its id, current again
        Annulla annulla = Annulla::Chiedi;
        bool salvaCambiandoPagina = false; // another page than the first is reached only through a save
    };

    // The buttons beside a lookup: edit opens the target list's detail on the row the field
    // names, "+" adds a row through the target list (component name and hint of each).
    struct PulsanteLookup {
        QString nome;
        QString suggerimento;
    };
    struct PulsantiLookup {
        QString lista; // the target list's pointer name
        PulsanteLookup modifica;
        PulsanteLookup aggiungi;
        // For a lookup keyed on a name (a town): the row's column holding the listed row's ID,
        // by which "modifica" finds it (two towns may share a name).
        QString campoId = {};
    };
    struct LookupConPulsanti {
        ui::DBLookupComboBox *lookup;
        QToolButton *modifica;
        QToolButton *aggiungi;
    };

    explicit DetailForm(Config config, QWidget *parent = nullptr);

    const Config &config() const { return m_cfg; }
    db::Query *dataset() const { return m_cfg.dataset; }
    void setLista(ListForm *l) { m_lista = l; }

    QToolBar *ToolBar2;
    QToolButton *spdAnnulla;
    QToolButton *spdSalva;
    QToolButton *spdHelp = nullptr;
    QToolButton *spdIndietro;
    ui::DBEdit *DBEdit2 = nullptr; // the description, on the forms that have one
    QTabWidget *PageControl1 = nullptr; // the pages, on the details that have them

    bool DatiModificati = false;
    bool SalvataggioFallito = false;

    // Shows the detail modally on the dataset's current row; "Annulla" only for a new row.
    int mostra(bool nuovo = false);

public Q_SLOTS:
    void spdSalvaClick();
    virtual void spdIndietroClick();
    void spdAnnullaClick();
    void spdHelpClick();
    // A page was selected: on details that save on a change of page, a modified row is saved
    // and a failed save brings the first page back.
    virtual void PageControl1Change();
    // The buttons beside a lookup (declared with aggiungiLookup).
    void modificaDaLookup(ui::DBLookupComboBox *lookup);
    void aggiungiDaLookup(ui::DBLookupComboBox *lookup);

protected:
    // Fields, in tab order.
    ui::DBEdit *aggiungiEdit(const QString &nome, const QString &etichetta, const QString &campo);
    ui::DBCheckBox *aggiungiCheck(const QString &nome, const QString &etichetta, const QString &campo);
    ui::DBLookupComboBox *aggiungiLookup(const QString &nome, const QString &etichetta, const QString &campo,
                                         db::DataSource *lista, const QString &campoChiave, const QString &campoLista);
    // The lookup with its edit and "+" buttons beside it.
    LookupConPulsanti aggiungiLookup(const QString &nome, const QString &etichetta, const QString &campo,
                                     db::DataSource *lista, const QString &campoChiave, const QString &campoLista,
                                     const PulsantiLookup &pulsanti);
    void aggiungiRiga(const QString &etichetta, QWidget *campo);
    // A button beside a field, in the field's row `riga`: an icon only, as high as the field.
    static QToolButton *pulsanteAccanto(QWidget *riga, const QString &nome, const QString &suggerimento, const char *icona,
                                        QStyle::StandardPixmap riserva);
    // A page (tab) of the detail: the fields declared after it are laid on it.
    QWidget *aggiungiPagina(const QString &nome, const QString &titolo);
    // The description edit DBEdit2 on Descrizione, required with this message.
    void aggiungiDescrizione(const QString &messaggio = QStringLiteral("Attenzione manca la Descrizione"));
    // A field that must not be empty (no characters at all; a blank counts), checked in order;
    // a failure shows the field's page and, unless `spostaFuoco` is false, gives it the focus.
    void richiesto(QWidget *campo, const QString &messaggio, bool spostaFuoco = true);
    // Installs the editing behaviour once every field exists.
    void completa();
    // Steps of the save after the row is stored (a name copied into other tables ...).
    virtual void dopoSalva() {}
    // The save's store of the row (a refusal shown, false). A detail whose row makes other
    // tables change (a document's totals ...) overrides it with one service call, one
    // transaction for the row and what follows it.
    virtual bool salvaRiga();
    // Values the save writes into the row before storing it.
    virtual void primaDiSalvare() {}
    // A check of the detail's own after the required fields: false stops the save (the detail
    // has shown its message and placed the focus).
    virtual bool controllaSalvataggio() { return true; }
    // A save the program starts itself may skip the required fields.
    virtual bool senzaControlli() const { return false; }

    void showEvent(QShowEvent *e) override;
    // The field the detail opens in: the first that takes the focus, in tab order.
    QWidget *primoCampo() const;
    void done(int r) override;
    void reject() override; // Escape: as "Indietro"
    void closeEvent(QCloseEvent *e) override;

    ui::EditingHelper *m_editing = nullptr;

private:
    struct Richiesto {
        QWidget *campo;
        QString messaggio;
        bool spostaFuoco;
    };
    struct Collegamento {
        ui::DBLookupComboBox *lookup;
        QString campo;
        QString lista;
        QString campoId;
    };
    const Collegamento *collegamento(ui::DBLookupComboBox *lookup) const;
    ListForm *listaDi(const Collegamento &c) const;
    Config m_cfg;
    ListForm *m_lista = nullptr;
    QVBoxLayout *m_corpo;
    QFormLayout *m_campi;
    QList<Collegamento> m_collegamenti;
    QList<Richiesto> m_richiesti;
    bool m_chiusuraConsentita = false;
};

} // namespace forms

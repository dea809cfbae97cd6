#pragma once
// The detail half of the list-and-detail family: data-aware fields over the current row of the
// list's shared query, a required-field check, "Indietro" that saves what was modified,
// "Annulla" that abandons a row just added. Each detail declares its fields and texts; a
// detail whose save reaches other tables overrides dopoSalva().
#include <QDialog>
#include <QList>
#include <QString>
#include <functional>

class QFormLayout;
class QToolBar;
class QToolButton;

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

    bool DatiModificati = false;
    bool SalvataggioFallito = false;

    // Shows the detail modally on the dataset's current row; "Annulla" only for a new row.
    int mostra(bool nuovo = false);

public Q_SLOTS:
    void spdSalvaClick();
    virtual void spdIndietroClick();
    void spdAnnullaClick();
    void spdHelpClick();

protected:
    // Fields, in tab order.
    ui::DBEdit *aggiungiEdit(const QString &nome, const QString &etichetta, const QString &campo);
    ui::DBCheckBox *aggiungiCheck(const QString &nome, const QString &etichetta, const QString &campo);
    ui::DBLookupComboBox *aggiungiLookup(const QString &nome, const QString &etichetta, const QString &campo,
                                         db::DataSource *lista, const QString &campoChiave, const QString &campoLista);
    void aggiungiRiga(const QString &etichetta, QWidget *campo);
    // The description edit DBEdit2 on Descrizione, required with this message.
    void aggiungiDescrizione(const QString &messaggio = QStringLiteral("Attenzione manca la Descrizione"));
    // A field that must not be empty (no characters at all; a blank counts), checked in order.
    void richiesto(QWidget *campo, const QString &messaggio);
    // Installs the editing behaviour once every field exists.
    void completa();
    // Steps of the save after the row is stored (a name copied into other tables ...).
    virtual void dopoSalva() {}

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
    };
    Config m_cfg;
    ListForm *m_lista = nullptr;
    QFormLayout *m_campi;
    QList<Richiesto> m_richiesti;
    bool m_chiusuraConsentita = false;
};

} // namespace forms

#pragma once
// The list half of the list-and-detail family: a read-only grid over one shared query, search
// boxes that filter it, a toolbar to add, open, delete and reload rows, an optional grid menu,
// and a pick mode for other forms. Each list declares its table, columns, texts and switches
// in a Config and overrides only what its own behaviour changes.
#include <QDialog>
#include <QList>
#include <QString>
#include <optional>

class QAction;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class QToolButton;
class QVBoxLayout;

namespace db {
class DataSource;
class Query;
} // namespace db
namespace ui {
class DBGrid;
}

namespace forms {

class DetailForm;

struct ColonnaGriglia {
    QString campo;
    QString titolo;
    int larghezza = 150;
};

// A search box: its component name, label and the column its text filters (prefix match).
struct CampoRicerca {
    QString nome;
    QString etichetta;
    QString colonna;
    int ordineFiltro = 0; // the conditions follow this order (boxes are laid out in list order)
};

class ListForm : public QDialog {
    Q_OBJECT
public:
    struct Config {
        QString nome;       // the form's global pointer name
        QString titolo;     // window caption
        int helpContext = 0;
        db::Query *dataset = nullptr;
        db::DataSource *source = nullptr;
        QList<ColonnaGriglia> colonne;
        QList<CampoRicerca> ricerca = {{QStringLiteral("Edit1"), QStringLiteral("Ricerca Per Descrizione"), QStringLiteral("Descrizione")}};
        QString domandaElimina;
        // "Aggiungi": the placeholder description " " (kept, or emptied again after the row is
        // stored), the defaults kept in Personalizzazioni for this key.
        bool descrizioneSpazio = true;
        bool descrizioneSvuotata = false;
        QString chiavePredefiniti;
        QString nomeGriglia;          // grid menu ("Salva Griglia") when set
        bool menuGrigliaCompleto = false; // also "Elimina Colonna" and "Reset Griglia"
        bool ordinabile = false;      // title click sorts
        bool multiSelezione = false;
        bool pulsanteRicarica = false; // spdRicarica "Ricarica dati dal database" instead of spdAggiorna
        QString titoloRicerca;         // caption of the search group
        bool ricercaColorata = true;   // search boxes aqua/white
        bool ricercaNavigazione = false; // Enter/Down/Up between search boxes
        bool apostrofoAcuto = false;   // a typed apostrophe becomes "´"
        bool massimizzata = false;
        bool eliminaSenzaConferma = false; // honours the global flag (deletes through the list)
    };

    explicit ListForm(Config config, QWidget *parent = nullptr);

    const Config &config() const { return m_cfg; }
    db::Query *dataset() const { return m_cfg.dataset; }
    void setDettaglio(DetailForm *d) { m_dettaglio = d; }
    DetailForm *dettaglio() const { return m_dettaglio; }

    QToolBar *ToolBar2;
    QToolButton *spdHelp;
    QToolButton *spdAggiorna; // "Ricarica" (spdRicarica on some lists)
    QToolButton *spdIndietro;
    QToolButton *spdElimina;
    QToolButton *spdInserisci;
    QToolButton *spdAvanti;
    ui::DBGrid *DBGrid1;
    QMenu *PopupMenu1 = nullptr;
    QAction *SalvaGriglia1 = nullptr;
    QAction *EliminaColonna1 = nullptr;
    QAction *ResetGriglia1 = nullptr;
    QAction *SelezionaTutti1 = nullptr;

    // The search box by component name ("Edit1" ...), nullptr when there is none.
    QLineEdit *casella(const QString &nome) const;
    QLineEdit *Edit1 = nullptr;

    // Pick mode: set by the caller around one modal showing.
    bool ModalitaScelta = false;
    bool SceltaEffettuata = false;
    // Shows the list to choose a row: the id in `campoId` of the chosen row, or nothing. The
    // flags are cleared before and after, so a cancelled pick never returns an earlier choice.
    std::optional<qint64> scegli(const QString &filtro = QString(), const QString &campoId = QStringLiteral("Id"));

    // The filter the search boxes give now (empty when none has a condition).
    virtual QString filtroRicerca() const;

public Q_SLOTS:
    virtual void spdInserisciClick();
    virtual void spdAvantiClick();
    virtual void spdEliminaClick();
    void spdAggiornaClick();
    void spdIndietroClick();
    void spdHelpClick();
    void Edit1Change();
    void DBGrid1TitleClick(const QString &campo);
    void DBGrid1DblClick();
    void SalvaGriglia1Click();
    void ResetGriglia1Click();
    void EliminaColonna1Click();
    void SelezionaTutti1Click();
    // Reset: empties the search boxes and the filter; in pick mode only picking is allowed.
    virtual void BitBtn3Click();

protected:
    // What "Aggiungi" does before it empties the filter (a list that re-queries first).
    virtual void primaDiAggiungere() {}
    // The fixed values of a new row, before it is stored (the placeholder description and the
    // defaults of Personalizzazioni come after).
    virtual void impostaNuovo() {}
    // The search group, for lists that dress it.
    QWidget *gruppoRicerca() const;
    // The search group, for lists that add controls beside the boxes.
    QGridLayout *grigliaRicerca() const { return m_ricercaLayout; }
    QVBoxLayout *layoutPrincipale() const { return m_layout; }
    void showEvent(QShowEvent *e) override;
    void done(int r) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void aggiornaPulsanti();

    Config m_cfg;
    DetailForm *m_dettaglio = nullptr;
    QList<QLineEdit *> m_caselle;
    QGridLayout *m_ricercaLayout = nullptr;
    QVBoxLayout *m_layout = nullptr;
};

} // namespace forms

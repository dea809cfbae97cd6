#pragma once
// What the customers' and the suppliers' lists share: five search boxes and a category box
// under the grid with "cerca" and "reset", the vCard and e-mail buttons of the toolbar that work
// on the grid's selection, and the pick mode that leaves only picking enabled.
#include "forms/ListForm.h"

#include <QList>
#include <functional>
#include <optional>

class QComboBox;
class QPushButton;

namespace masterdata {

class ListaAnagrafica : public forms::ListForm {
    Q_OBJECT
public:
    // A search box: component name, label, the column it filters (prefix match) and its place
    // among the conditions of the filter (the boxes are laid out in list order).
    struct Casella {
        const char *nome;
        QString etichetta;
        QString colonna;
        int ordine;
    };
    // A toolbar button's caption and hint.
    struct Testo {
        QString caption;
        QString suggerimento;
    };
    struct Anagrafica {
        QList<Casella> caselle;
        QString nomeCategorie;               // the category box's component name
        db::Query *categorie = nullptr;      // the categories' shared query
        std::function<std::optional<qint64>(const QString &)> idCategoria; // by exact description
        QString colonnaEmail;
        Testo copiaEmail, inviaEmail;
        QList<db::Query *> daRicaricare;     // what "Ricarica" reads again, in order
        bool ricercaColorata = false;        // every box aqua on entry (else the first only)
        std::function<void(QWidget *)> importaVCard;
        std::function<void(QWidget *, const QList<qint64> &)> esportaVCard;
    };

    ListaAnagrafica(Config config, Anagrafica anagrafica, QWidget *parent = nullptr);

    // The family's configuration both lists share: maximized, multi-select, title sort, the
    // whole grid menu under `nomeGriglia`, no search boxes of the family's own; "Aggiungi" takes
    // the defaults kept for `chiavePredefiniti`.
    static Config configurazione(const QString &nome, const QString &titolo, int helpContext, db::Query *dataset,
                                 db::DataSource *source, QList<forms::ColonnaGriglia> colonne, const QString &domandaElimina,
                                 const QString &chiavePredefiniti, const QString &nomeGriglia);

    QToolButton *btImportaVCard;
    QToolButton *btEsportaVCard;
    QToolButton *spdCopyEmail;
    QToolButton *spdEmail;
    QComboBox *Categorie; // the category box (ComboBox1, cboCategorie)
    QPushButton *Filtra;  // "cerca"
    QPushButton *BitBtn3; // "reset"

    // The search box by component name.
    QLineEdit *casellaRicerca(const char *nome) const;
    // The ids of the rows selected in the grid, in the grid's order.
    QList<qint64> selezionati() const;
    // The filter the search group gives now.
    QString filtroRicerca() const override;

public Q_SLOTS:
    void FiltraClick();
    void BitBtn3Click() override;
    void spdAggiornaClick();
    void spdEmailClick();
    void spdCopyEmailClick();
    void btImportaVCardClick();
    void btEsportaVCardClick();

protected:
    void primaDiAggiungere() override;
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void svuotaRicerca();
    // The e-mail addresses of the selected rows, empty ones left out; false (after the
    // message) when nothing is selected.
    bool indirizziSelezionati(QStringList &indirizzi);
    Anagrafica m_anagrafica;
    QList<QLineEdit *> m_caselle; // in layout order
    bool m_categorieCaricate = false;
};

} // namespace masterdata

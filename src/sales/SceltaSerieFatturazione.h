#pragma once
// The choosers that ask for the series of a new sales document. The lookup is bound to the
// column SerieFatturazione of the document row the caller has begun (Table3 for an invoice,
// TableNotaCredito for a credit note): a pick writes the series' code there. "Avanti" closes;
// there is no cancel, and leaving without a pick leaves the row without series.
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QToolBar;
class QToolButton;

namespace db {
class DataSource;
class Query;
} // namespace db
namespace ui {
class DBLookupComboBox;
}

namespace vendite {

class SceltaSerie : public QDialog {
    Q_OBJECT
public:
    struct Config {
        QString nome;
        QString titolo;
        db::Query *documenti = nullptr;     // the dataset of the document row
        db::DataSource *sorgente = nullptr; // its data source
        bool centrata = false;              // centred on the screen
    };
    explicit SceltaSerie(Config config, QWidget *parent = nullptr);

    QToolBar *ToolBar2;
    QToolButton *spdIndietro; // "Avanti"
    QLabel *Label1;
    ui::DBLookupComboBox *DBLookupComboBox1;
    QPushButton *Button1;     // "....." the series editor

    // Shows the chooser modally on the document row current in its dataset, and returns the
    // series the row then carries (empty when none was picked).
    QString scegli();

public Q_SLOTS:
    void Button1Click();
    void spdIndietroClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    Config m_cfg;
};

} // namespace vendite

// Sales invoices: the series of the new row of Table3.
class TfrmSceltaSerieFatturazione : public vendite::SceltaSerie {
    Q_OBJECT
public:
    explicit TfrmSceltaSerieFatturazione(QWidget *parent = nullptr);
};

inline TfrmSceltaSerieFatturazione *frmSceltaSerieFatturazione = nullptr;

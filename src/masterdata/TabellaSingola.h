#pragma once
// A small table kept in one form without a list: one description at a time, a navigator,
// "+" to begin a row, "-" to delete one, "salva" to store it, "Indietro" to leave without
// saving (a changed row stays pending in the shared dataset; a row begun and not stored is
// dropped).
#include <QDialog>
#include <QString>

class QPushButton;
class QToolBar;
class QToolButton;

namespace db {
class DataSource;
class Query;
} // namespace db
namespace ui {
class DBEdit;
}

namespace masterdata {

class Navigatore;

// A typed apostrophe becomes the acute accent in this field, so a stored text never holds one.
void apostrofoAcuto(QWidget *campo);

class TabellaSingola : public QDialog {
    Q_OBJECT
public:
    struct Config {
        QString nome;
        QString titolo;
        int helpContext = 0; // what F1 opens; 0 the help's start page
        db::Query *dataset = nullptr;
        db::DataSource *source = nullptr;
        QString nomeNavigatore = QStringLiteral("DBNavigator2");
        QString domandaElimina;
        QString messaggioDescrizione = QStringLiteral("Attenzione manca la Descrizione");
        QString captionErrore = QStringLiteral("Messaggio di errore");
        bool salvaPrimaDiIniziare = false; // "+" first stores the row on screen
        bool comeDettaglio = false;        // focus colours and Enter/Down/Up in the edit
        bool apostrofoAcuto = false;       // a typed apostrophe becomes "´"
    };

    explicit TabellaSingola(Config config, QWidget *parent = nullptr);

    QToolBar *ToolBar2;
    QToolButton *spdIndietro;
    Navigatore *DBNavigator;
    QPushButton *Button3; // "-"
    QPushButton *Button4; // "+"
    QPushButton *bitSalva;
    ui::DBEdit *DBEdit2;

public Q_SLOTS:
    void Button3Click();
    void Button4Click();
    void bitSalvaClick();
    void spdIndietroClick();

protected:
    void done(int r) override;
    void showEvent(QShowEvent *e) override;

private:
    Config m_cfg;
};

} // namespace masterdata

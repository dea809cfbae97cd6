#pragma once
// The company editor: the single row of table ditta (name, head office, contacts, tax codes,
// the sender data of the electronic invoices) through the data module's Table12. The row heads
// every printed document and the main window. "salva" stores it; closing the editor stores
// what was changed too, so no edit is ever left pending in the shared dataset.
#include "forms/DetailForm.h"

class QLabel;
class QPushButton;
namespace db {
class DataSource;
class Query;
} // namespace db
namespace ui {
class DBCheckBox;
class DBEdit;
class DBLookupComboBox;
} // namespace ui

class TfrmDitta : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmDitta(QWidget *parent = nullptr);

    // Lookup lists of the editor's own.
    db::Query *TablePA_RegimeFiscale;
    db::Query *TablePA_IscrizRea_SocioUnico;
    db::Query *TablePA_IscrizRea_StatoLiquidazione;
    db::DataSource *SourcePA_RegimeFiscale;
    db::DataSource *SourcePA_IscrizRea_SocioUnico;
    db::DataSource *SourcePA_IscrizRea_StatoLiquidazione;

    QToolButton *bitSalva; // "salva" (the family's spdSalva)
    ui::DBEdit *DBEdit1;   // Ragione Sociale
    ui::DBEdit *DBEdit8;   // P.Iva
    ui::DBEdit *DBEdit10;  // Cod Fiscale
    ui::DBLookupComboBox *DBLookupComboBox1; // head office town
    ui::DBEdit *DBEdit3;   // Numero
    ui::DBEdit *DBEdit4;   // Cap
    ui::DBEdit *DBEdit5;   // Provincia
    ui::DBEdit *DBEdit31;  // Cap. sociale
    QPushButton *Button4;  // "Cancella" the town
    QLabel *Label26;       // "Rappresentante fiscale"
    QLabel *Label29;       // "Terzo intermediario"

    // Shows the editor modally on the company row (a new one when the table is empty).
    int apri();

public Q_SLOTS:
    void bitSalvaClick();
    void DBEdit8Exit();
    void DBLookupComboBox1Click();
    void Button4Click();
    void Label26Click();
    void Label29Click();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void spdIndietroClick() override;

private:
    void dueColonne(QWidget *campo, int righe);
};

inline TfrmDitta *frmDitta = nullptr;

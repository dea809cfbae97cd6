#pragma once
// The quote editor: one quote of Table16 (its header page) and its rows (Table11) with the
// quote's totals. The quote list shows it modally on the quote it has made current and whose
// rows it has re-pointed.
//
// The class is implemented in two files: the header page, the checks, the save, the seizure
// link and the print (EditorPreventivo.cpp); the rows page and the totals
// (EditorPreventivoRighe.cpp).
#include "forms/EditorDocumento.h"

class TfrmPreventivi : public forms::EditorDocumento {
    Q_OBJECT
public:
    explicit TfrmPreventivi(QWidget *parent = nullptr);

    // ---------------------------------------------------------------- header, save, ways out
public:

    // ---------------------------------------------------------------- rows page and totals
public:
    // (the class keys declare the Qt classes this section alone uses)
    class QGroupBox *GroupBox1 = nullptr;           // the rows page's content; the header checks hide it
    class QLabel *lblTotalePreventivo = nullptr;    // "Totale Preventivo"
    class QLabel *DBTextTotale = nullptr;           // TotalePreventivo of Table16
    class QToolBar *ToolBar1 = nullptr;
    class QToolButton *spdEliminaDett = nullptr;    // "Eimina"
    QToolButton *SpeedButton4 = nullptr;            // "Supplementi"
    QToolButton *spdInserisciDett = nullptr;        // "Tariffa"
    QToolButton *spdArticoloNonArchivio = nullptr;  // "Articolo non in archivio"
    QToolButton *spdAvantiDett = nullptr;           // "Avanti"
    QToolButton *SpeedButton15 = nullptr;           // adds a tariff to the price list
    QToolButton *SpeedButton14 = nullptr;           // opens the tariff of the current row
    ui::DBGrid *DBGrid1 = nullptr;                  // the rows, on Table11
    class QMenu *PopupMenu1 = nullptr;              // DBGrid1's layout menu
    class QAction *SalvaGriglia1 = nullptr;
    QAction *EliminaColonna1 = nullptr;
    QAction *ResetGriglia1 = nullptr;

public Q_SLOTS:
    // The quote's totals from its stored rows, written into Table16's row and posted with what
    // the header holds (no checks, DatiModificati left as it is); every change of the rows ends
    // with it (the row editor too).
    void RicalcolaTotaliPreventivo();
    // Rows from tariffs picked in the price list; "Supplementi" offers the supplements only.
    void spdInserisciDettClick();
    void SpeedButton4Click();
    // The row "Articolo non in archivio", stored and then completed in the row editor (or
    // removed there with "Annulla").
    void spdArticoloNonArchivioClick();
    // The row editor on the current row; the double click on the grid does the same.
    void spdAvantiDettClick();
    void DBGrid1DblClick();
    void spdEliminaDettClick();
    void DBGrid1TitleClick(const QString &campo);
    void SalvaGriglia1Click();
    void EliminaColonna1Click();
    void ResetGriglia1Click();
    void SpeedButton15Click();
    void SpeedButton14Click();

private:
    void creaPaginaRighe();
    // The price-list pick of "Tariffa" and "Supplementi".
    void aggiungiDaListino(bool supplementi);
    // Makes the row `id` current in Table11 again (after a re-read).
    void posizionaRiga(qint64 id);
};

inline TfrmPreventivi *frmPreventivi = nullptr;

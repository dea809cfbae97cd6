#pragma once
// The reminder window the start-up shows: the instalments due and not paid, the vehicle and
// staff deadlines and the calendar entries whose notice day has come. Filled once per start of
// the program from what the reminders' service read; it never reads the database itself. A
// double click opens the row's item in its own editor.
#include <QDialog>

class QLabel;
class QTableWidget;
class QToolBar;
class QToolButton;

namespace promemoria {
struct Elenco;
struct Promemoria;
} // namespace promemoria

class TfrmPromemoriaScadenze : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPromemoriaScadenze(QWidget *parent = nullptr);

    QToolBar *ToolBar2;
    QToolButton *spdHelp;
    QToolButton *spdIndietro;
    QLabel *Label1;              // "Scadenze pagamenti scaduti"
    QTableWidget *StringGrid1;   // instalments
    QLabel *Label2;              // "Scadenze Vetture"
    QTableWidget *StringGrid2;   // vehicle deadlines
    QLabel *Label4;              // "Scadenze Personale"
    QTableWidget *StringGrid4;   // staff deadlines
    QLabel *Label3;              // "Avvisi Calendario"
    QTableWidget *StringGrid3;   // calendar entries

    // Puts the lists into the grids. The instalment, vehicle and staff grids are filled only
    // from a list with rows (an empty list leaves the grid blank, without titles); the calendar
    // grid always gets its titles. Each grid ends with one blank row.
    void riempi(const promemoria::Promemoria &p);

public Q_SLOTS:
    // Each opens the item of the grid's current row; nothing on a row without an id.
    void StringGrid1DblClick();
    void StringGrid2DblClick();
    void StringGrid4DblClick();
    void StringGrid3DblClick();
    void spdIndietroClick();
    void spdHelpClick();

private:
    // The text of a cell of the current row, empty when there is none.
    static QString cellaCorrente(QTableWidget *griglia, int colonna);
};

inline TfrmPromemoriaScadenze *frmPromemoriaScadenze = nullptr;

#pragma once
// The appointments calendar's list: the entries TableCalendario holds (the current ones, or a
// past period while the main window browses the history), searched by staff member, customer,
// type, note, a range of dates or one day of the month calendar; it adds, opens and deletes
// entries and writes the entries listed to an iCalendar file.
#include "forms/ListForm.h"

class QCalendarWidget;
class QGroupBox;

namespace ui {
class MaskedDateEdit;
}

class TfrmGrigliaCalendario : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaCalendario(QWidget *parent = nullptr);

    QToolButton *spdEsportaCalendario; // "Esporta calendario"
    QGroupBox *GroupBox1;              // "Ricerca per"
    QLineEdit *Edit2;                  // Cliente (Edit1, the family's member, is Personale)
    QLineEdit *Edit3;                  // Tipologia
    QLineEdit *Edit4;                  // Note
    ui::MaskedDateEdit *maskDaData;
    ui::MaskedDateEdit *maskAData;
    QCalendarWidget *MonthCalendar1;   // "Giorno"
    QToolButton *BitBtn2;              // cerca
    QToolButton *BitBtn3;              // reset

    // Set by a click on the month calendar, cleared by the reset: the search then takes that
    // day and leaves the two date boxes aside.
    bool FiltroGiornoAttivo = false;

public Q_SLOTS:
    // "cerca": the boxes' filter; a complete date that is no date is said and the filter in
    // force stays.
    void BitBtn2Click();
    // "reset": every box empty, the month calendar on today, no filter.
    void BitBtn3Click() override;
    // A day clicked on the month calendar: the entries of that day.
    void MonthCalendar1Click();
    // A new entry on the month calendar's day, not stored until the editor saves it.
    void spdInserisciClick() override;
    void spdAvantiClick() override;
    // The entries listed, as filtered and sorted, into an iCalendar file.
    void spdEsportaCalendarioClick();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QList<QWidget *> m_caselle;
};

inline TfrmGrigliaCalendario *frmGrigliaCalendario = nullptr;

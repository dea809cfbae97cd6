#pragma once
// The exchange system's rejection codes: the list with its search by code and title, and the
// read-only card of the current code. The rows come with the database; nothing here writes.
#include "forms/ListForm.h"

#include <QDialog>

class QToolBar;
class QToolButton;

namespace ui {
class DBMemo;
class DBText;
} // namespace ui

class TfrmGrigliaErroriFatturazioneElettronica : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmGrigliaErroriFatturazioneElettronica(QWidget *parent = nullptr);

    QLineEdit *Edit2 = nullptr; // Codice
    QLineEdit *Edit4 = nullptr; // Titolo

public Q_SLOTS:
    // "Avanti" and the grid's double click: the card of the current code, when there is one.
    void spdAvantiClick() override;
};

class TfrmDettaglioErroriFatturazioneElettronica : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDettaglioErroriFatturazioneElettronica(QWidget *parent = nullptr);

    QToolBar *ToolBar1;
    QToolButton *spdHelp;
    QToolButton *spdIndietro;
    ui::DBText *DBText1;   // Codice
    ui::DBMemo *DBMemo1;   // Titolo
    ui::DBMemo *DBMemo2;   // Descrizione
    ui::DBMemo *DBMemo3;   // Suggerimenti

public Q_SLOTS:
    void spdHelpClick();
    void spdIndietroClick();
};

inline TfrmGrigliaErroriFatturazioneElettronica *frmGrigliaErroriFatturazioneElettronica = nullptr;
inline TfrmDettaglioErroriFatturazioneElettronica *frmDettaglioErroriFatturazioneElettronica = nullptr;

#pragma once
#include "forms/DetailForm.h"
#include "forms/ListForm.h"

namespace ui {
class ColorBox;
}

// Customer categories (Clienti.Categoria_ID), each with the colour that paints the list rows of
// its customers without a colour of their own. A customer keeps a copy of the colour taken when
// the category was picked.
class TfrmCategorieClienti_Griglia : public forms::ListForm {
    Q_OBJECT
public:
    explicit TfrmCategorieClienti_Griglia(QWidget *parent = nullptr);

public Q_SLOTS:
    // Deletes the category and clears the colour its customers copied, in one transaction.
    void spdEliminaClick() override;

protected:
    void impostaNuovo() override;
};

class TfrmCategorieClienti : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmCategorieClienti(QWidget *parent = nullptr);

    ui::ColorBox *ColorBox1; // "Colore visualizzazione"

protected:
    void showEvent(QShowEvent *e) override;
    void primaDiSalvare() override;
};

inline TfrmCategorieClienti_Griglia *frmCategorieClienti_Griglia = nullptr;
inline TfrmCategorieClienti *frmCategorieClienti = nullptr;

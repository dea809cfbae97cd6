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
    // The quote's totals from its rows, posted to the header; every change of the rows ends
    // with it (the row editor too).
    void RicalcolaTotaliPreventivo();

private:
    void creaPaginaRighe();
};

inline TfrmPreventivi *frmPreventivi = nullptr;

#include "Forms.h"

#include "Frm1.h"
#include "data/DB.h"
#include "settings/Password.h"
#include "settings/Realizzazione.h"

// The forms are created in this order; a form joins the list when its work is built.
void CreaForms()
{
    Form1 = new TForm1;
    form_DB = new Tform_DB;
    frmRealizzazione = new TfrmRealizzazione(Form1);
    frmPass = new TfrmPass(Form1);
}

void DistruggiForms()
{
    delete Form1; // owns the dialogs
    Form1 = nullptr;
    frmRealizzazione = nullptr;
    frmPass = nullptr;
    delete form_DB;
    form_DB = nullptr;
}

#include "Forms.h"

#include "Frm1.h"
#include "data/DB.h"
#include "forms/Registro.h"
#include "widgets/Seams.h"

#include <exception>

// The main window first and the data module second; then every form its unit registered, in
// the program's creation order, owned by the main window.
void CreaForms()
{
    Form1 = new TForm1;
    form_DB = new Tform_DB;
    forms::Registro::istanza().creaTutte(Form1);
}

void DistruggiForms()
{
    delete Form1; // owns the dialogs
    Form1 = nullptr;
    forms::Registro::istanza().azzeraTutte();
    delete form_DB;
    form_DB = nullptr;
}

bool CreaFormsSegnalando(const std::function<void()> &crea)
{
    try {
        crea();
        return true;
    } catch (const std::exception &e) {
        DistruggiForms();
        ui::showError(QStringLiteral("Il programma non può essere avviato: errore nella creazione delle finestre.\n%1")
                          .arg(QString::fromUtf8(e.what())),
                      QStringLiteral("Messaggio di errore"));
    } catch (...) {
        DistruggiForms();
        ui::showError(QStringLiteral("Il programma non può essere avviato: errore sconosciuto nella creazione delle finestre."),
                      QStringLiteral("Messaggio di errore"));
    }
    return false;
}

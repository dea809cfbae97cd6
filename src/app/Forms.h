#pragma once

#include <functional>

// Creates every form of the program once, in the fixed order (main window first, data module
// second); each is reached through its global pointer until the program ends.
void CreaForms();
void DistruggiForms();

// Creates the forms with `crea`; an error while they are built is shown ("Messaggio di errore"),
// whatever was built is destroyed, and false tells the program to end with a failure code.
bool CreaFormsSegnalando(const std::function<void()> &crea = CreaForms);

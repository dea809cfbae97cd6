#pragma once

// Creates every form of the program once, in the fixed order (main window first, data module
// second); each is reached through its global pointer until the program ends.
void CreaForms();
void DistruggiForms();

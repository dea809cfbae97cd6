// The rows page of the sales-invoice editor and the invoice's totals.
#include "EditorFattura.h"

void TForm7::creaPaginaRighe() {}

void TForm7::SpeedButton3Click() { ricalcolaTotali(); }

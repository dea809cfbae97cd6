// The rows page of the quote editor and the quote's totals.
#include "EditorPreventivo.h"

void TfrmPreventivi::creaPaginaRighe() {}

void TfrmPreventivi::RicalcolaTotaliPreventivo() {}

#pragma once
// The sales documents' change of rows for the document editors' frame: vendite::salvaRighe of
// the kind, its answer as the frame shows it.
#include "forms/EditorDocumento.h"
#include "sales/services/RigheFattura.h"

namespace vendite {

forms::EditorDocumento::SalvaRighe salvataggioRighe(Righe righe);

} // namespace vendite

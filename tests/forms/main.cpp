#include "support/TestMain.h"
#include "tst_documento.h"
#include "tst_family.h"
#include "tst_registro.h"

PELLA_TEST_MAIN(TestFamily, TestRegistro, TestDocumento)

#include "support/TestMain.h"
#include "tst_iva.h"

PELLA_TEST_MAIN(TestIva)

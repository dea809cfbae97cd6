#include "support/TestMain.h"
#include "tst_iva.h"
#include "tst_pianoconti.h"

PELLA_TEST_MAIN(TestIva, TestPianoConti)

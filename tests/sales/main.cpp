#include "support/TestMain.h"
#include "tst_seriefatturazione.h"

PELLA_TEST_MAIN(TestSerieFatturazione)

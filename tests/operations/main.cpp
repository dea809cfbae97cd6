#include "support/TestMain.h"
#include "tst_vetture.h"

PELLA_TEST_MAIN(TestVetture)

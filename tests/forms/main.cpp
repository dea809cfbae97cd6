#include "support/TestMain.h"
#include "tst_family.h"

PELLA_TEST_MAIN(TestFamily)

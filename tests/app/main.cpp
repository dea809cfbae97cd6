#include "support/TestMain.h"
#include "tst_rete.h"
#include "tst_startup.h"

PELLA_TEST_MAIN(TestStartup, TestLavoraInRete)

#include "support/TestMainCore.h"
#include "tst_avvio.h"

PELLA_TEST_MAIN_CORE(TestServiziAvvio)

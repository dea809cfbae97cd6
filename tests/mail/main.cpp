#include "support/TestMain.h"
#include "tst_email.h"

PELLA_TEST_MAIN(TestEmail)

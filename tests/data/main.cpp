#include "support/TestMain.h"
#include "tst_indici.h"
#include "tst_schema.h"

PELLA_TEST_MAIN(TestSchema, TestIndici)

#include "support/TestMain.h"
#include "tst_carburanti.h"
#include "tst_cisterne.h"

PELLA_TEST_MAIN(TestCarburanti, TestCisterne)

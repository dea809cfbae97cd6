#include "support/TestMain.h"
#include "tst_vetture.h"
#include "tst_vetturestampe.h"

PELLA_TEST_MAIN(TestVetture, TestVettureStampe)

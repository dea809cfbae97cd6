#include "support/TestMain.h"
#include "tst_arithmetic.h"
#include "tst_exchange.h"
#include "tst_gridlayouts.h"
#include "tst_records.h"
#include "tst_text.h"

PELLA_TEST_MAIN(TestArithmetic, TestText, TestRecords, TestGridLayouts, TestExchange)

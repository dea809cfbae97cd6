#include "support/TestMain.h"
#include "tst_reports.h"
#include "tst_templates.h"

PELLA_TEST_MAIN(TestTemplates, TestReports)

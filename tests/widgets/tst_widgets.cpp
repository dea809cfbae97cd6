#include "support/TestMain.h"
#include "tst_datacontrols.h"
#include "tst_dbgrid.h"
#include "tst_editinghelper.h"

PELLA_TEST_MAIN(TestDataControls, TestDBGrid, TestEditingHelper)

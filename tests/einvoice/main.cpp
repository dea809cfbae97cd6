#include "support/TestMain.h"
#include "tst_datifatturapa.h"
#include "tst_importaxml.h"
#include "tst_trovapa.h"

PELLA_TEST_MAIN(TestTrovaPA, TestErroriScarto, TestSoggettiTerzi, TestMenuImportaXml)

#include "support/TestMain.h"
#include "tst_editorfattura.h"
#include "tst_grigliafatture.h"
#include "tst_seriefatturazione.h"

PELLA_TEST_MAIN(TestSerieFatturazione, TestGrigliaFatture, TestEditorFattura, TestMenuFatture)

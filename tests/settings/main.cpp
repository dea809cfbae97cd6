#include "support/TestMain.h"
#include "tst_ditta.h"
#include "tst_logo.h"
#include "tst_opzioni.h"
#include "tst_opzionicontabilita.h"

PELLA_TEST_MAIN(TestOpzioni, TestDitta, TestCaricaDitta, TestLogo, TestOpzioniContabilita, TestImmagineDocumento)

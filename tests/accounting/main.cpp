#include "support/TestMain.h"
#include "tst_cassa.h"
#include "tst_cassastorico.h"
#include "tst_chiusuraiva.h"
#include "tst_iva.h"
#include "tst_pianoconti.h"
#include "tst_promemoria.h"
#include "tst_promemoriaaperture.h"
#include "tst_scadenziario.h"

PELLA_TEST_MAIN(TestCassa, TestCassaStorico, TestIva, TestPianoConti,
                TestPromemoria, TestScadenziario, TestMenuScadenziario,
                TestPromemoriaAperture, TestChiusuraIva)

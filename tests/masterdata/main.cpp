#include "support/TestMain.h"
#include "tst_codici.h"
#include "tst_luoghi.h"
#include "tst_menu.h"
#include "tst_testiavvisi.h"
#include "tst_avvisiclienti.h"
#include "tst_clienti.h"
#include "tst_banche.h"
#include "tst_vcardclientiform.h"
#include "tst_modpagamento.h"
#include "tst_fornitori.h"
#include "tst_tariffe.h"

PELLA_TEST_MAIN(TestCodici, TestLuoghi, TestMenuArchivio, TestTestiAvvisi, TestAvvisiClienti, TestClienti, TestBanche,
                TestVCardClientiForm, TestModPagamento, TestFornitori, TestTariffe)

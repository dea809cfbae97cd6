#include "support/TestMain.h"
#include "tst_catalogo.h"
#include "tst_menustampe.h"
#include "tst_modellistampe.h"
#include "tst_stampa.h"
#include "tst_stampeprimanota.h"
#include "tst_logostampa.h"

PELLA_TEST_MAIN(TestStampa, TestCatalogoStampe, TestModelliStampe, TestMenuStampe, TestStampePrimaNota, TestLogoStampa)

#include "support/TestMain.h"
#include "tst_carburanti.h"
#include "tst_cisterne.h"
#include "tst_vetture.h"
#include "tst_vetturestampe.h"
#include "tst_sequestri.h"
#include "tst_calendario.h"
#include "tst_personale.h"
#include "tst_personalestampe.h"
#include "tst_collegamenti.h"

PELLA_TEST_MAIN(TestCarburanti, TestCisterne, TestVetture, TestVettureStampe, TestSequestri, TestSequestriStampe,
                TestCalendario, TestCalendarioMenu, TestPersonale, TestPersonaleStampe, TestCollegamenti)

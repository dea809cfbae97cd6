#include "support/TestMain.h"
#include "tst_accesssql.h"
#include "tst_query.h"
#include "tst_archivefile.h"
#include "tst_params.h"
#include "tst_postazioni.h"
#include "tst_copia.h"

PELLA_TEST_MAIN(TestAccessSql, TestQuery, TestArchiveFile, TestParams, TestPostazioni, TestCopia)

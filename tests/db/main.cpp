#include "support/TestMain.h"
#include "tst_accesssql.h"
#include "tst_query.h"
#include "tst_archivefile.h"

PELLA_TEST_MAIN(TestAccessSql, TestQuery, TestArchiveFile)

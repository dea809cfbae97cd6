// The loadable extension: the stock sqlite3 tool gets the collation, like and the Access
// functions of the program, so it can check or repair the archive (".load pellavantoria_sqlite").
#include "SqliteFunctions.h"

#include <QtGlobal>
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

// The engine derives this name from the file name pellavantoria_sqlite.
extern "C" Q_DECL_EXPORT int sqlite3_pellavantoriasqlite_init(sqlite3 *handle, char **, const sqlite3_api_routines *api)
{
    SQLITE_EXTENSION_INIT2(api);
    return db::registerAccessFunctions(handle, nullptr);
}

#pragma once
// The copy tool's work, apart from its main so that tests run it in-process.
#include <QString>
#include <QStringList>

namespace copia {

struct Esito {
    int codice = 0;      // the exit status: 0 copied, 1 refused or failed, 2 wrong arguments
    QStringList righe;   // what to print: the tables copied, or the reason nothing was
};

// `argomenti` as the command line gives them, the program's name first:
//     pellavantoria-copia ARCHIVIO.db "host=... port=... dbname=... user=..."
// Copies the file's tables into the server database (see db::copyDatabase); the file is never
// created, and is brought to the current schema version before the copy.
Esito esegui(const QStringList &argomenti);

} // namespace copia

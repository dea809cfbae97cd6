#include "Statement.h"
#include "DbError.h"

#include <sqlite3.h>

namespace db {

QString engineMessage(int code, const QString &engineText)
{
    const char *sentence = nullptr;
    switch (code) {
    case SQLITE_READONLY_DBMOVED:
        sentence = "Il file dell'archivio è stato spostato, rinominato o cancellato mentre il programma lo usava: "
                   "le modifiche non possono essere salvate. Chiudere il programma, rimettere il file al suo posto "
                   "e riaprire il programma.";
        break;
    case SQLITE_CONSTRAINT_NOTNULL:
        sentence = "Manca un dato obbligatorio: inserirlo e riprovare.";
        break;
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        sentence = "Il valore è già presente nell'archivio e non può essere ripetuto: cambiarlo e riprovare.";
        break;
    default:
        switch (code & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            sentence = "L'archivio è occupato da un'altra postazione o da un altro programma: "
                       "attendere qualche istante e riprovare.";
            break;
        case SQLITE_READONLY:
            sentence = "L'archivio è in sola lettura: le modifiche non possono essere salvate. "
                       "Controllare i permessi del file dell'archivio e della sua cartella.";
            break;
        case SQLITE_CORRUPT:
            sentence = "L'archivio è danneggiato. Non fare altre modifiche: fare subito una copia del file "
                       "dell'archivio, poi ripristinare l'ultima copia di sicurezza o farlo riparare.";
            break;
        case SQLITE_NOTADB:
            sentence = "Il file aperto non è un archivio del programma, oppure è danneggiato fin dall'inizio. "
                       "Controllare il percorso dell'archivio o ripristinare l'ultima copia di sicurezza.";
            break;
        case SQLITE_FULL:
            sentence = "Il disco dell'archivio è pieno: le modifiche non sono state salvate. "
                       "Liberare spazio sul disco e riprovare.";
            break;
        case SQLITE_CANTOPEN:
            sentence = "Impossibile aprire il file dell'archivio: controllare che la cartella esista e sia "
                       "raggiungibile (disco o cartella di rete) e che si possa scriverci.";
            break;
        case SQLITE_IOERR:
            sentence = "Errore di lettura o scrittura sul disco dell'archivio: controllare il disco o il "
                       "collegamento alla cartella di rete e riprovare.";
            break;
        case SQLITE_CONSTRAINT:
            sentence = "I dati non rispettano le regole dell'archivio (un dato obbligatorio mancante, un valore "
                       "ripetuto o un collegamento a un dato che non esiste): correggerli e riprovare.";
            break;
        }
    }
    return sentence ? QString::fromUtf8(sentence) + u'\n' + engineText : engineText;
}

QString engineError(sqlite3 *handle)
{
    return engineMessage(sqlite3_extended_errcode(handle), QString::fromUtf8(sqlite3_errmsg(handle)));
}

Statement::Statement(sqlite3 *handle, const QString &nativeSql) : m_handle(handle), m_sql(nativeSql)
{
    if (!handle) throw DbError(QStringLiteral("Database non aperto"));
    const QByteArray u = nativeSql.toUtf8();
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(handle, u.constData(), int(u.size()), &m_stmt, &tail) != SQLITE_OK) {
        const QString msg = engineError(handle);
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw DbError(msg + QStringLiteral("\n") + nativeSql);
    }
    if (!m_stmt) throw DbError(QStringLiteral("Istruzione SQL vuota"));
    // A trailing ";" is fine; a second statement is not run silently.
    if (tail) {
        QString rest = QString::fromUtf8(tail).trimmed();
        while (rest.startsWith(u';')) rest = rest.mid(1).trimmed();
        if (!rest.isEmpty()) {
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
            throw DbError(QStringLiteral("Più istruzioni in un solo comando:\n") + nativeSql);
        }
    }
}

Statement::~Statement() { sqlite3_finalize(m_stmt); }

void Statement::bind(int index1, const QVariant &v)
{
    int rc;
    if (v.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index1);
    } else {
        switch (v.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(m_stmt, index1, v.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Long:
            rc = sqlite3_bind_int64(m_stmt, index1, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index1, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob(m_stmt, index1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray u = v.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, index1, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK) throw DbError(engineError(m_handle));
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    const QString msg = engineError(m_handle);
    sqlite3_reset(m_stmt);
    throw DbError(msg);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const { return sqlite3_column_count(m_stmt); }

QVariant Statement::value(int col) const
{
    switch (sqlite3_column_type(m_stmt, col)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, col)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, col));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, col)),
                                          sqlite3_column_bytes(m_stmt, col)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, col)),
                                   sqlite3_column_bytes(m_stmt, col)));
    default:
        return QVariant();
    }
}

static QString fromC(const char *s) { return s ? QString::fromUtf8(s) : QString(); }

QString Statement::columnName(int col) const { return fromC(sqlite3_column_name(m_stmt, col)); }
QString Statement::declaredType(int col) const { return fromC(sqlite3_column_decltype(m_stmt, col)); }
QString Statement::originTable(int col) const { return fromC(sqlite3_column_table_name(m_stmt, col)); }
QString Statement::originColumn(int col) const { return fromC(sqlite3_column_origin_name(m_stmt, col)); }

} // namespace db

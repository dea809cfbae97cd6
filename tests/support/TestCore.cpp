#include "TestCore.h"

#include "db/DbError.h"
#include "db/Schema.h"

#include <QFile>

namespace testing_support {

CoreSeams::CoreSeams(const QString &programFolder, const QDateTime &now) : clock(now)
{
    workstation.folder = programFolder;
    core::Clock::setInstance(&clock);
    core::Workstation::setInstance(&workstation);
}

CoreSeams::~CoreSeams()
{
    core::Clock::setInstance(nullptr);
    core::Workstation::setInstance(nullptr);
}

// A database with the schema and the reference rows, made once per test process: every
// test database is a copy of it, which is much faster than creating the schema again.
QString percorsoModello()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        if (!dir.isValid()) throw db::DbError(QStringLiteral("cannot create a temporary folder"));
        const QString p = dir.filePath(QStringLiteral("modello.db"));
        db::Connection c;
        if (!c.open(p)) throw db::DbError(c.error());
        db::schema::createNew(c);
        c.close();
        return p;
    }();
    return path;
}

TestDatabase::TestDatabase(Kind kind) : m_conn(std::make_unique<db::Connection>())
{
    if (!m_dir.isValid()) throw db::DbError(QStringLiteral("cannot create a temporary folder"));
    if (kind == WithSchema && !QFile::copy(percorsoModello(), path()))
        throw db::DbError(QStringLiteral("cannot copy the template database"));
    m_conn->setNow([] { return core::Clock::instance().now(); });
    if (!m_conn->open(path())) throw db::DbError(m_conn->error());
}

} // namespace testing_support

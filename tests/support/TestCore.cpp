#include "TestCore.h"

#include "db/DbError.h"
#include "db/Schema.h"

#include <QCoreApplication>
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

namespace {

QString serverAddress()
{
    const QString a = qEnvironmentVariable("PELLA_PG");
    if (a.isEmpty()) throw db::DbError(QStringLiteral("PELLA_ENGINE=postgres needs PELLA_PG, the address of the tests' server"));
    return a;
}

QString onServer(const QString &database) { return serverAddress() + QStringLiteral(" dbname=") + database; }

// Creates a database on the tests' server, optionally as a copy of another.
QString newServerDatabase(const QString &copyOf = {})
{
    static int counter = 0;
    const QString name = QStringLiteral("pella_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
    db::Connection admin;
    if (!admin.open(serverAddress())) throw db::DbError(admin.error());
    admin.executeNative(copyOf.isEmpty() ? QStringLiteral("CREATE DATABASE %1").arg(name)
                                         : QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(name, copyOf));
    return name;
}

void dropServerDatabase(const QString &name)
{
    db::Connection admin;
    if (admin.open(serverAddress())) admin.executeNative(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
}

// Created with the schema once; dropped when the test process ends.
struct ServerModel {
    QString name;
    ServerModel()
    {
        name = newServerDatabase();
        db::Connection c;
        if (!c.open(onServer(name))) throw db::DbError(c.error());
        db::schema::createNew(c);
    }
    ~ServerModel()
    {
        try {
            dropServerDatabase(name);
        } catch (...) {
        }
    }
};

} // namespace

bool suServer() { return qEnvironmentVariable("PELLA_ENGINE") == QLatin1String("postgres"); }

// A database with the schema and the reference rows, made once per test process: every
// test database is a copy of it, which is much faster than creating the schema again.
QString percorsoModello()
{
    if (suServer()) {
        static ServerModel model;
        return model.name;
    }
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
    if (suServer())
        m_serverDb = newServerDatabase(kind == WithSchema ? percorsoModello() : QString());
    else if (kind == WithSchema && !QFile::copy(percorsoModello(), path()))
        throw db::DbError(QStringLiteral("cannot copy the template database"));
    m_conn->setNow([] { return core::Clock::instance().now(); });
    if (!m_conn->open(path())) throw db::DbError(m_conn->error());
}

TestDatabase::~TestDatabase()
{
    m_conn.reset();
    if (m_serverDb.isEmpty()) return;
    try {
        dropServerDatabase(m_serverDb);
    } catch (...) {
        // The server went away: its folder goes at the end of the run.
    }
}

QString TestDatabase::path() const
{
    return m_serverDb.isEmpty() ? m_dir.filePath(QStringLiteral("test.db")) : onServer(m_serverDb);
}

} // namespace testing_support

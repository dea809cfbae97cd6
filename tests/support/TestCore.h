#pragma once
// Fixtures that need no window: a fresh database in a temporary folder, a fixed clock and a
// fake workstation. Service tests link only these.
#include "core/Clock.h"
#include "core/Workstation.h"
#include "db/Connection.h"

#include <QDateTime>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace testing_support {

class FixedClock : public core::Clock {
public:
    explicit FixedClock(const QDateTime &t) : m_now(t) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &t) { m_now = t; }

private:
    QDateTime m_now;
};

class FakeWorkstation : public core::Workstation {
public:
    QString name = QStringLiteral("POSTAZIONE1");
    bool printer = true;
    QString folder;
    QString computerName() const override { return name; }
    bool hasPrinter() const override { return printer; }
    QString programFolder() const override { return folder; }
    QString installFolder() const override { return folder; }
};

// Installs the fixed clock and the fake workstation for the life of a test.
class CoreSeams {
public:
    explicit CoreSeams(const QString &programFolder = QString(),
                       const QDateTime &now = QDateTime(QDate(2026, 3, 15), QTime(10, 30, 0)));
    ~CoreSeams();
    FixedClock clock;
    FakeWorkstation workstation;
};

// The database with the program's schema and reference rows, built once per test process:
// tests copy it rather than create the schema again. On the server, the name of a database
// to copy.
QString percorsoModello();

// True when the tests run on the PostgreSQL server (PELLA_ENGINE=postgres); its address is
// PELLA_PG, and a missing address fails the test rather than skip it.
bool suServer();

// A fresh database, opened, with Date() answered by the clock: with the program's schema and
// reference rows (a copy of one built once per test process), or empty for tests of the
// database layer. A file in a temporary folder, or a database of its own on the tests' server.
class TestDatabase {
public:
    enum Kind { WithSchema, Empty };
    explicit TestDatabase(Kind kind = Empty);
    ~TestDatabase();
    QString folder() const { return m_dir.path(); }
    // The address to open the same database again (a file path, or a server address).
    QString path() const;
    db::Connection &conn() { return *m_conn; }
    // Runs engine SQL (CREATE TABLE ... for a test's own tables).
    void exec(const QString &nativeSql) { m_conn->executeNative(nativeSql); }
    QVariant scalar(const QString &accessSql) { return m_conn->scalar(accessSql); }

private:
    QTemporaryDir m_dir;
    QString m_serverDb; // the database's name on the server
    std::unique_ptr<db::Connection> m_conn;
};

// The user's configuration folder ($XDG_CONFIG_HOME) of a test: a new empty one while it lives,
// the previous one back after, so that no test writes into the real user's files.
class CartellaConfigurazione {
public:
    CartellaConfigurazione() : m_prima(qgetenv("XDG_CONFIG_HOME")) { qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit()); }
    ~CartellaConfigurazione()
    {
        if (m_prima.isNull()) qunsetenv("XDG_CONFIG_HOME");
        else qputenv("XDG_CONFIG_HOME", m_prima);
    }
    CartellaConfigurazione(const CartellaConfigurazione &) = delete;
    CartellaConfigurazione &operator=(const CartellaConfigurazione &) = delete;
    QString percorso() const { return m_dir.path(); }

private:
    QByteArray m_prima;
    QTemporaryDir m_dir;
};

} // namespace testing_support

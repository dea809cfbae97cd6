#pragma once
// A form test's own small program: the data module over a copy of the template database (built
// once per test process) and only the forms the test drives, created through the registry as
// the program creates them. No main window and no start-up run.
#include "support/TestSupport.h"

#include <QStringList>
#include <QWidget>
#include <memory>

namespace banco {

class Banco {
public:
    // Creates the data module, binds its shared queries to this workstation and opens them,
    // then creates the named forms (with their details). `prima` runs on the database first
    // (a test's fixture rows), so the queries open on them.
    explicit Banco(const QStringList &forms, const QStringList &prima = {});
    ~Banco();
    testing_support::ScriptedDialogs &dialoghi() { return m_seams.dialogs; }
    testing_support::ScriptedLauncher &launcher() { return m_seams.launcher; }
    QVariant valore(const QString &sql);
    void esegui(const QString &sql);
    // The owner of the forms created (what the main window is for the program).
    QWidget *finestra() { return m_finestra.get(); }

private:
    testing_support::Seams m_seams;
    testing_support::TestDatabase m_db;
    std::unique_ptr<QWidget> m_finestra;
};

} // namespace banco

#pragma once
// Fixtures of the tests that drive windows: scripted dialogs and launcher, and all the seams
// installed at once. The database and the core doubles are in TestCore.h.
#include "TestCore.h"
#include "widgets/Seams.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

namespace testing_support {

// Every message box asked, in order.
struct AskedMessage {
    QString text;
    QString caption;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

// Answers dialogs from queues and records what was asked. A message box that no queued
// answer expects is recorded in unexpected(); tests check it with QVERIFY2(d.clean(), ...).
class ScriptedDialogs : public ui::Dialogs {
public:
    // The next message box must contain `textPart` (empty: any) and is answered with `answer`.
    void expectMessage(const QString &textPart, QMessageBox::StandardButton answer = QMessageBox::Ok);
    void queueOpenFile(const QString &path) { m_files.push_back(path); }
    void queueSaveFile(const QString &path) { m_files.push_back(path); }
    void queueFolder(const QString &path) { m_files.push_back(path); }
    void queueInput(const QString &text, bool ok = true) { m_inputs.push_back({text, ok}); }
    // The answer of the next choice (-1: cancelled).
    void queueChoice(int index) { m_choices.push_back(index); }
    // The answers of the next small form (ok false: cancelled).
    void queueFields(const QStringList &values, bool ok = true) { m_fields.push_back({values, ok}); }
    // The initial texts the last small form showed.
    const QStringList &lastFieldsShown() const { return m_lastFields; }

    // Runs at every message box, before it is answered (a test looks at the world the user
    // would see while the box is open).
    void setOnMessage(std::function<void(const QString &text)> f) { m_onMessage = std::move(f); }
    const QList<AskedMessage> &messages() const { return m_messages; }
    QStringList messageTexts() const;
    const QStringList &unexpected() const { return m_unexpected; }
    int pendingAnswers() const { return int(m_expect.size()); }
    // True when no message came unexpected and every expected one was asked.
    bool clean() const { return m_unexpected.isEmpty() && m_expect.empty(); }
    QString report() const;
    void clear();

    QMessageBox::StandardButton message(QWidget *, const QString &text, const QString &caption, QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton def) override;
    QString openFile(QWidget *, const QString &, const QString &, const QString &) override { return nextFile(); }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override { return nextFile(); }
    QString folder(QWidget *, const QString &, const QString &) override { return nextFile(); }
    bool inputText(QWidget *, const QString &caption, const QString &prompt, QString &value, bool) override;
    int choose(QWidget *, const QString &caption, const QString &prompt, const QStringList &options, int current) override;
    bool inputFields(QWidget *, const QString &caption, const QString &prompt, const QStringList &labels,
                     QStringList &values) override;

private:
    QString nextFile();
    std::deque<std::pair<QString, QMessageBox::StandardButton>> m_expect;
    std::deque<QString> m_files;
    std::deque<std::pair<QString, bool>> m_inputs;
    std::deque<int> m_choices;
    std::deque<std::pair<QStringList, bool>> m_fields;
    QStringList m_lastFields;
    QList<AskedMessage> m_messages;
    QStringList m_unexpected;
    std::function<void(const QString &)> m_onMessage;
};

class ScriptedLauncher : public ui::Launcher {
public:
    struct Started {
        QString program;
        QStringList args;
        bool wait;
    };
    // What a started program "does": may write files; returns its exit code.
    std::function<int(const QString &program, const QStringList &args)> behaviour;
    bool startable = true;
    QList<Started> started;
    QStringList opened;

    bool start(const QString &program, const QStringList &args, bool wait, int *exitCode) override;
    bool open(const QString &pathOrUrl) override
    {
        opened << pathOrUrl;
        return true;
    }
};

// Installs the doubles for the life of a test and removes them after.
class Seams {
public:
    explicit Seams(const QString &programFolder = QString(),
                   const QDateTime &now = QDateTime(QDate(2026, 3, 15), QTime(10, 30, 0)));
    ~Seams();
    ScriptedDialogs dialogs;
    ScriptedLauncher launcher;
    FixedClock clock;
    FakeWorkstation workstation;
};

} // namespace testing_support

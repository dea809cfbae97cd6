#include "TestSupport.h"


namespace testing_support {

void ScriptedDialogs::expectMessage(const QString &textPart, QMessageBox::StandardButton answer)
{
    m_expect.emplace_back(textPart, answer);
}

QStringList ScriptedDialogs::messageTexts() const
{
    QStringList out;
    for (const AskedMessage &m : m_messages) out << m.text;
    return out;
}

QString ScriptedDialogs::report() const
{
    QStringList lines;
    for (const QString &u : m_unexpected) lines << QStringLiteral("unexpected message: ") + u;
    for (const auto &e : m_expect) lines << QStringLiteral("expected but not asked: ") + e.first;
    return lines.join(u'\n');
}

void ScriptedDialogs::clear()
{
    m_expect.clear();
    m_files.clear();
    m_inputs.clear();
    m_choices.clear();
    m_fields.clear();
    m_messages.clear();
    m_unexpected.clear();
}

QMessageBox::StandardButton ScriptedDialogs::message(QWidget *, const QString &text, const QString &caption,
                                                     QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                                     QMessageBox::StandardButton def)
{
    m_messages << AskedMessage{text, caption, icon, buttons};
    if (m_onMessage) m_onMessage(text);
    if (!m_expect.empty() && (m_expect.front().first.isEmpty() || text.contains(m_expect.front().first))) {
        const QMessageBox::StandardButton answer = m_expect.front().second;
        m_expect.pop_front();
        return answer;
    }
    m_unexpected << caption + QStringLiteral(": ") + text;
    if (def != QMessageBox::NoButton) return def;
    return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::No;
}

bool ScriptedDialogs::inputText(QWidget *, const QString &caption, const QString &prompt, QString &value, bool)
{
    if (m_inputs.empty()) {
        m_unexpected << QStringLiteral("input box ") + caption + QStringLiteral(": ") + prompt;
        return false;
    }
    const auto [text, ok] = m_inputs.front();
    m_inputs.pop_front();
    if (ok) value = text;
    return ok;
}

int ScriptedDialogs::choose(QWidget *, const QString &caption, const QString &prompt, const QStringList &, int)
{
    if (m_choices.empty()) {
        m_unexpected << QStringLiteral("choice ") + caption + QStringLiteral(": ") + prompt;
        return -1;
    }
    const int c = m_choices.front();
    m_choices.pop_front();
    return c;
}

bool ScriptedDialogs::inputFields(QWidget *, const QString &caption, const QString &prompt, const QStringList &,
                                  QStringList &values)
{
    m_lastFields = values;
    if (m_fields.empty()) {
        m_unexpected << QStringLiteral("form ") + caption + QStringLiteral(": ") + prompt;
        return false;
    }
    const auto [answer, ok] = m_fields.front();
    m_fields.pop_front();
    if (ok) values = answer;
    return ok;
}

QString ScriptedDialogs::nextFile()
{
    if (m_files.empty()) {
        m_unexpected << QStringLiteral("file dialog with no queued answer");
        return QString();
    }
    const QString f = m_files.front();
    m_files.pop_front();
    return f;
}

bool ScriptedLauncher::start(const QString &program, const QStringList &args, bool wait, int *exitCode)
{
    started << Started{program, args, wait};
    if (!startable) return false;
    const int code = behaviour ? behaviour(program, args) : 0;
    if (exitCode) *exitCode = code;
    return true;
}

Seams::Seams(const QString &programFolder, const QDateTime &now) : clock(now)
{
    workstation.folder = programFolder;
    ui::Dialogs::setInstance(&dialogs);
    ui::Launcher::setInstance(&launcher);
    core::Clock::setInstance(&clock);
    core::Workstation::setInstance(&workstation);
}

Seams::~Seams()
{
    ui::Dialogs::setInstance(nullptr);
    ui::Launcher::setInstance(nullptr);
    core::Clock::setInstance(nullptr);
    core::Workstation::setInstance(nullptr);
}

} // namespace testing_support

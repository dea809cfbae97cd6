#include "Clock.h"
#include "Workstation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace core {

namespace {

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

Clock *g_clock = nullptr;
Workstation *g_workstation = nullptr;
Workstation *g_defaultWorkstation = nullptr;

} // namespace

Clock &Clock::instance()
{
    static SystemClock system;
    return g_clock ? *g_clock : system;
}
void Clock::setInstance(Clock *c) { g_clock = c; }

Workstation &Workstation::instance()
{
    static SystemWorkstation system;
    if (g_workstation) return *g_workstation;
    return g_defaultWorkstation ? *g_defaultWorkstation : system;
}
void Workstation::setInstance(Workstation *w) { g_workstation = w; }
void Workstation::setDefault(Workstation *w) { g_defaultWorkstation = w; }

QString SystemWorkstation::computerName() const
{
    char buf[256] = {};
    if (gethostname(buf, sizeof buf - 1) != 0) return QString();
    return QString::fromLocal8Bit(buf);
}

QString SystemWorkstation::programFolder() const
{
    const QString exe = QCoreApplication::applicationDirPath();
    if (QFileInfo(exe).isWritable()) return exe;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

QString SystemWorkstation::installFolder() const { return QCoreApplication::applicationDirPath(); }

} // namespace core

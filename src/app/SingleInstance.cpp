#include "SingleInstance.h"

#include "widgets/Seams.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString &folder)
{
    QString dir = folder;
    if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    QDir().mkpath(dir);
    m_lock = std::make_unique<QLockFile>(QDir(dir).filePath(QStringLiteral("Pellavantoria")));
    m_lock->setStaleLockTime(0); // only a lock whose process is gone is stale
    m_first = m_lock->tryLock(0);
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::avvisaGiaInEsecuzione()
{
    ui::Dialogs::instance().message(nullptr, QStringLiteral("Pellavantoria e' già in esecuzione"),
                                    QStringLiteral("Messaggio di Avviso !"), QMessageBox::Information, QMessageBox::Ok,
                                    QMessageBox::Ok);
}

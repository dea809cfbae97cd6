#pragma once
#include <QString>
#include <memory>

class QLockFile;

// One running copy per user logon: a lock file named "Pellavantoria" in the user's runtime
// folder, held for the life of the process (a crashed copy's stale lock is taken over).
class SingleInstance {
public:
    explicit SingleInstance(const QString &folder = QString());
    ~SingleInstance();
    bool isFirst() const { return m_first; }
    // Tells the user that another copy runs (the caller then ends).
    static void avvisaGiaInEsecuzione();

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_first = false;
};

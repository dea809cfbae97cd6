#pragma once
// Two workstations on one database at the same moment: each with its own connection, in its own
// thread, starting together.
#include "TestCore.h"

#include "db/DbError.h"

#include <QStringList>
#include <atomic>
#include <functional>
#include <thread>

namespace testing_support {

// Runs `lavoro(k, connessione)` for k = 0 and 1 at once, each on a connection of its own to `d`;
// returns what either threw (empty when both ended well).
inline QStringList suDuePostazioni(const TestDatabase &d, const std::function<void(int, db::Connection &)> &lavoro)
{
    std::atomic<int> pronte{0};
    QStringList errori[2];
    auto postazione = [&](int k) {
        try {
            db::Connection c;
            if (!c.open(d.path())) throw db::DbError(c.error());
            ++pronte;
            while (pronte < 2) std::this_thread::yield();
            lavoro(k, c);
        } catch (const std::exception &e) {
            ++pronte;
            errori[k] << QString::fromUtf8(e.what());
        }
    };
    std::thread a(postazione, 0), b(postazione, 1);
    a.join();
    b.join();
    return errori[0] + errori[1];
}

} // namespace testing_support

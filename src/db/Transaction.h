#pragma once
#include "Connection.h"
#include "DbError.h"

#include <type_traits>
#include <utility>

namespace db {

// One unit of work: begun on construction, rolled back on destruction unless committed.
// Nested guards become savepoints, so an operation can call another that opens its own.
// On the server the transaction is SERIALIZABLE: see inTransaction for running it again when
// the server cancels it.
class Transaction {
public:
    explicit Transaction(Connection &c);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();   // throws DbError when the engine refuses
    void rollback();
    bool isOpen() const { return m_open; }

private:
    Connection &m_conn;
    int m_level;
    bool m_open = true;
};

// How many times inTransaction runs an operation the server keeps cancelling before it gives up.
constexpr int kTentativiTransazione = 8;

namespace detail {
// Waits a little, longer at each attempt and not the same on two workstations, before a retry.
void attendiPrimaDiRiprovare(int tentativo);
// The message of the last attempt given up.
DbError conflittoPersistente(const DbError &ultimo);
} // namespace detail

// Thrown by the work of inTransaction to roll back everything it wrote and answer `esito`
// (a refused post, a document found deleted): inTransaction returns it, committing nothing.
template <class R>
struct Annulla {
    R esito;
};

// Runs `work` (a callable taking nothing) as one transaction and commits it; returns what `work`
// returns. When the server cancels the transaction because another workstation's one read or
// wrote the same data at once (DbError::Kind::Conflict: a serialization failure or a deadlock),
// everything is rolled back, queries that posted inside are put back as they were before the
// post, and `work` runs again from the start, up to kTentativiTransazione times; then the
// Conflict is thrown with its Italian message and nothing is written. Any other error rolls
// back and is thrown at once. Inside an open transaction `work` runs in a savepoint and a
// Conflict goes up to the outermost inTransaction, the only one that can run the whole again.
// `work` must start from scratch each time: state it keeps outside itself is reset by it.
template <class F>
auto inTransaction(Connection &c, F &&work) -> std::invoke_result_t<F &>
{
    using R = std::invoke_result_t<F &>;
    if (c.transactionDepth() > 0) {
        if constexpr (std::is_void_v<R>) {
            Transaction t(c);
            work();
            t.commit();
        } else {
            try {
                Transaction t(c);
                R r = work();
                t.commit();
                return r;
            } catch (Annulla<R> &a) {
                return std::move(a.esito);
            }
        }
    } else {
        for (int tentativo = 1;; ++tentativo) {
            try {
                Transaction t(c);
                if constexpr (std::is_void_v<R>) {
                    work();
                    t.commit();
                    return;
                } else {
                    R r = work();
                    t.commit();
                    return r;
                }
            } catch (std::conditional_t<std::is_void_v<R>, Annulla<int>, Annulla<R>> &a) {
                if constexpr (!std::is_void_v<R>) return std::move(a.esito);
                else return;
            } catch (const DbError &e) {
                if (e.kind() != DbError::Kind::Conflict) throw;
                if (tentativo >= kTentativiTransazione) throw detail::conflittoPersistente(e);
                detail::attendiPrimaDiRiprovare(tentativo);
            }
        }
    }
}

} // namespace db

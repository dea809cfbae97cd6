#pragma once

namespace db {

class Connection;

// One unit of work: begun on construction, rolled back on destruction unless committed.
// Nested guards become savepoints, so an operation can call another that opens its own.
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

} // namespace db

#pragma once
#include "Engine.h"
#include "FieldType.h"
#include "FilterExpr.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace db {

class Connection;
class Query;

// A handle on one column of a query's current row. Cheap to copy; valid while the query
// keeps the same columns.
class Field {
public:
    Field() = default;
    Field(Query *q, int col) : m_q(q), m_col(col) {}

    bool isValid() const { return m_q && m_col >= 0; }
    int index() const { return m_col; }
    QString fieldName() const;
    FieldType type() const;
    Query *dataset() const { return m_q; }

    QVariant value() const;
    bool isNull() const;
    QString asString() const;     // dates day first, floats with the decimal comma, yes/no True/False
    int asInteger() const;        // null reads 0
    qint64 asLargeInt() const;
    double asFloat() const;       // null reads 0
    bool asBoolean() const;       // any non-zero is true
    QDateTime asDateTime() const; // invalid when null
    QString displayText() const;  // the query's display hook for this field, else asString()

    // Writing puts the query in edit state when it is browsing.
    void setValue(const QVariant &v) const;
    void setAsString(const QString &s) const;
    void setAsInteger(qint64 v) const { setValue(QVariant(v)); }
    void setAsFloat(double v) const { setValue(QVariant(v)); }
    void setAsBoolean(bool v) const { setValue(QVariant(v)); }
    void setAsDateTime(const QDateTime &v) const { setValue(QVariant(v)); }
    void clear() const { setValue(QVariant()); }

private:
    Query *m_q = nullptr;
    int m_col = -1;
};

// The dataset every form works on: a client-side query whose rows are all read at open,
// filtered and sorted in memory, and written back one row at a time through its update
// table by that table's key.
class Query : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    using DisplayHook = std::function<QString(const QVariant &)>;

    explicit Query(Connection *conn = nullptr, QObject *parent = nullptr);
    ~Query() override;

    Connection *connection() const { return m_conn; }
    void setConnection(Connection *c);

    // The Access SQL. Changing it closes an open query (the filter and sort stay) and drops the
    // values bound for the previous SQL.
    QString sql() const { return m_sql; }
    void setSql(const QString &accessSql);
    // Values of the SQL's ":name" parameters (see Param), used at every open and requery:
    //     q.setSql("select * from fattura where Cliente_ID = :cliente and Data >= :dal");
    //     q.bind(":cliente", id).bind(":dal", QDate(2025, 1, 1));
    //     q.open();
    // Binding a name again replaces its value (takes effect at the next open or requery).
    Query &bind(const QString &name, const QVariant &value);
    const Params &params() const { return m_params; }
    // Table that edits are written to; by default the first table after FROM.
    QString updateTable() const;
    void setUpdateTable(const QString &table) { m_updateTable = table; }

    // Opening reads every row; errors throw DbError and leave the query closed.
    void open();
    void close();
    void requery(); // reads again and goes to the first row

    // A dynamic cursor shows what other workstations wrote since it was read: its form calls
    // rileggiSeDinamica() when it is shown again, which reads the rows again and keeps the
    // current row (by the update table's key). Nothing happens for a static query, a closed
    // one, or one with a row being edited. True when the rows were read again.
    void setDynamicCursor(bool dynamic) { m_dynamic = dynamic; }
    bool isDynamicCursor() const { return m_dynamic; }
    bool rileggiSeDinamica();
    // Open, or armed to open at its first use.
    bool isActive() const { return m_state != State::Inactive || m_lazy; }
    // Arms the query to read its rows at their first use (any row, column or navigation call)
    // instead of now: a start-up that binds a hundred queries reads only those it uses. Throws
    // DbError when there is no open connection. An armed query's filter and sort are kept and
    // take effect when it reads; requery() leaves it armed; close() disarms it.
    void openOnFirstUse();
    // True while armed and not yet read.
    bool isArmed() const { return m_lazy; }
    // How many times any query of the process has read its rows from the database (open,
    // requery, first use): what a start-up or a window costs, counted rather than timed.
    static quint64 lettureEseguite() { return s_letture; }
    void setActive(bool a) { a ? open() : close(); }

    // Filter in the dataset filter language; survives requery and a change of SQL.
    // An invalid filter throws DbError and leaves the previous filter in force. The filter
    // already in force, given again, changes nothing (the rows are not filtered again).
    QString filter() const { return m_filterText; }
    void setFilter(const QString &filter);
    // "Col ASC, Other DESC"; empty restores the order of the SQL. Throws on unknown columns.
    QString sort() const { return m_sortText; }
    void setSort(const QString &sort);

    // Navigation over the filtered, sorted rows.
    void first();
    void last();
    void next();
    void prior();
    void moveBy(int delta);
    bool eof() const { return carica(), m_eof; }
    bool bof() const { return carica(), m_bof; }
    bool isEmpty() const { return carica(), m_view.empty(); }
    int recordCount() const { return carica(), int(m_view.size()); }
    int recNo() const { return carica(), m_cur + 1; } // 1-based, 0 when empty
    void setRecNo(int recNo);
    int currentIndex() const { return carica(), m_cur; } // 0-based, -1 when empty
    void setCurrentIndex(int viewRow);

    // A row another operation has just stored, read by its key through this query's own SQL
    // and added to the rows held (filter and sort applied), instead of reading them all again.
    // True, with the row current, when the SQL gives that row and the filter shows it; false
    // otherwise (nothing added, the current row unchanged). Not while a row is being edited.
    bool aggiungiRigaSalvata(const QVariant &key);
    // Forgets the row of this key, which another operation has deleted from the database,
    // without reading the others again. False when no row held has that key.
    bool dimenticaRiga(const QVariant &key);

    enum LocateOption { CaseInsensitive = 1, PartialKey = 2 };
    // Finds the first row (from the top) whose field equals the value; the current row
    // stays where it was when none does.
    bool locate(const QString &fieldName, const QVariant &value, int options = 0);

    // Columns.
    int fieldCount() const { return carica(), int(m_columns.size()); }
    QStringList fieldNames() const;
    Field field(int index);
    Field fieldByName(const QString &name); // throws DbError when missing
    Field findField(const QString &name);   // invalid when missing
    int fieldIndex(const QString &name) const;
    QString fieldNameAt(int col) const;
    FieldType fieldTypeAt(int col) const;

    // Editing.
    State state() const { return m_lazy ? State::Browse : m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }
    void edit();
    void insert(); // a new row before the current one
    void append(); // a new row at the end
    // Writes the row. On failure returns false, keeps the edit buffer and state, and the
    // engine's message is in lastError(); the database is unchanged. An edit writes its changed
    // columns only where the row still holds the values read here; when another workstation
    // changed the row meanwhile the post fails with changedElsewhereMessage(), when it deleted
    // it with a message saying that the row no longer exists.
    bool post();
    static QString changedElsewhereMessage();
    void cancel();
    void deleteRecord(); // throws DbError; the next row (or the previous at the end) becomes current
    QString lastError() const { return m_lastError; }
    bool isModified(int col) const;

    // Values of the current row (the edit buffer while editing).
    QVariant value(int col) const;
    void setValue(int col, const QVariant &v);

    // Rows of the view for grids (0-based view rows).
    QVariant valueAt(int viewRow, int col) const;
    QString displayTextAt(int viewRow, int col) const;
    QString textOf(int col, const QVariant &v) const;

    void setDisplayHook(const QString &fieldName, DisplayHook hook);
    bool hasDisplayHook(int col) const;

    // While disabled, bound controls are not told of moves and changes; enabling tells them once.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

    // Multi-selection of a grid, by row.
    void setRowSelected(int viewRow, bool selected);
    bool isRowSelected(int viewRow) const;
    void clearSelection();
    int selectedCount() const { return int(m_selected.size()); }
    QList<qint64> selectedIds(const QString &idField) const;

Q_SIGNALS:
    void layoutReset();     // rows replaced, filtered, sorted, added or removed; or opened/closed
    void currentChanged();  // another row became current
    void stateChanged();
    void fieldChanged(int col); // a value of the current row changed (-1: the whole row)
    void afterPost();
    void afterOpen();
    // Before a row is written or left: bound controls hand over what is still being typed.
    void updateRecord();

private:
    struct Column {
        QString name;
        QString originTable;
        QString originColumn;
        FieldType type = FieldType::Unknown;
        bool updatable = false;
    };
    using Row = std::vector<QVariant>;

    void readRows();
    // Reads an armed query's rows now (const readers call it too: reading is not a change).
    void carica() const
    {
        if (m_lazy) const_cast<Query *>(this)->caricaOra();
    }
    void caricaOra();
    void rebuildView(bool keepCurrent);
    void applySort();
    std::vector<std::pair<int, bool>> sortKeys(const QString &sort) const; // throws on unknown columns
    void setCurrent(int idx);
    void ensureBrowse(const char *what) const;
    void startInsert(bool atEnd);
    Row *currentRow() const;
    // Puts back a row posted inside a transaction that was rolled back, with its edit.
    void undoPost(Row *target, const Row &before, const Row &buffer, const std::vector<bool> &modified, State state);
    QVariant normalise(int col, const QVariant &v) const;
    bool postEdit();
    bool postInsert();
    void refreshFromTable(Row &row);
    int keyColumn();
    void notifyReset();
    void notifyCurrent();
    void notifyState();
    void notifyField(int col);
    void removeRow(Row *r);
    void checkBrowseMode();
    const DisplayHook *hookFor(int col) const;

    Connection *m_conn = nullptr;
    QString m_sql;
    Params m_params;
    static inline quint64 s_letture = 0;
    bool m_dynamic = false;
    bool m_lazy = false; // armed: reads at first use
    QString m_updateTable;
    QString m_filterText;
    FilterExpr m_filter;
    QString m_sortText;
    std::vector<std::pair<int, bool>> m_sortKeys; // column, descending

    std::vector<Column> m_columns;
    QHash<QString, int> m_columnIndex; // lower-case name -> position
    std::vector<std::unique_ptr<Row>> m_rows; // in SQL order
    std::vector<Row *> m_view;
    int m_cur = -1;
    bool m_eof = true;
    bool m_bof = true;

    State m_state = State::Inactive;
    Row m_buffer;
    std::vector<bool> m_modified;
    Row *m_pending = nullptr; // the row being inserted
    QString m_lastError;
    int m_disabled = 0;
    QHash<QString, DisplayHook> m_hooksByName;
    QSet<const Row *> m_selected;
};

} // namespace db

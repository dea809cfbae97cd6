#include "Query.h"

#include <QPointer>
#include <algorithm>
#include "AccessSql.h"
#include "Connection.h"
#include "DateTimeText.h"
#include "DbError.h"
#include "SqliteFunctions.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace db {

// ================================================================ Field

QString Field::fieldName() const { return m_q ? m_q->fieldNameAt(m_col) : QString(); }
FieldType Field::type() const { return m_q ? m_q->fieldTypeAt(m_col) : FieldType::Unknown; }
QVariant Field::value() const { return m_q ? m_q->value(m_col) : QVariant(); }
bool Field::isNull() const { return value().isNull(); }
QString Field::asString() const { return m_q ? m_q->textOf(m_col, value()) : QString(); }

static bool parseLocaleDouble(QString s, double &out)
{
    s = s.trimmed();
    if (s.isEmpty()) return false;
    // The user types the Italian decimal comma; a dot with a comma is a thousands separator.
    if (s.contains(u',')) {
        s.remove(u'.');
        s.replace(u',', u'.');
    }
    bool ok = false;
    out = s.toDouble(&ok);
    return ok;
}

// A number typed into a field: digits, a sign, one decimal comma or point, the Italian grouping
// "1.234,56"; no other thousands separators ("1,234.56" is not 1.23456), exponents or words
// ("NaN", "inf"); at most
// 999,999,999.99 in magnitude, which no amount of an office reaches. False with the message.
static bool parseTypedNumber(const QString &testo, double &out, QString &errore)
{
    const QString s = testo.trimmed();
    QString t = s;
    // The Italian grouping with a decimal comma, "1.234.567,89", is read without its dots.
    const qsizetype virgola = t.indexOf(u',');
    if (virgola > 0 && t.indexOf(u'.') >= 0) {
        const QStringList gruppi = t.left(virgola).split(u'.');
        bool raggruppato = gruppi.size() > 1 && gruppi[0].size() >= 1 && gruppi[0].size() <= 3 + (gruppi[0].startsWith(u'-') ? 1 : 0);
        for (qsizetype g = 1; g < gruppi.size(); ++g) raggruppato = raggruppato && gruppi[g].size() == 3;
        if (raggruppato) t.remove(u'.');
    }
    qsizetype i = (t.startsWith(u'-') || t.startsWith(u'+')) ? 1 : 0;
    int cifre = 0, separatori = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u',' || c == u'.') ++separatori;
        else if (c >= u'0' && c <= u'9') ++cifre;
        else break;
    }
    if (i != t.size() || cifre == 0 || separatori > 1) {
        errore = QStringLiteral("\"%1\" non è un numero valido: si scrivono solo cifre, con la virgola o il punto per i "
                                "decimali e il punto solo per le migliaia (1.234,56).")
                     .arg(s);
        return false;
    }
    t.replace(u',', u'.');
    out = t.toDouble();
    if (std::fabs(out) > 999999999.99) {
        errore = QStringLiteral("\"%1\" supera il massimo ammesso (999.999.999,99).").arg(s);
        return false;
    }
    return true;
}

qint64 Field::asLargeInt() const
{
    const QVariant v = value();
    if (v.isNull()) return 0;
    bool ok = false;
    const qint64 i = v.toLongLong(&ok);
    if (ok) return i;
    double d = 0;
    if (parseLocaleDouble(v.toString(), d)) return qint64(d);
    return 0;
}

int Field::asInteger() const { return int(asLargeInt()); }

double Field::asFloat() const
{
    const QVariant v = value();
    if (v.isNull()) return 0;
    if (v.typeId() == QMetaType::QString) {
        double d = 0;
        return parseLocaleDouble(v.toString(), d) ? d : 0;
    }
    return v.toDouble();
}

bool Field::asBoolean() const
{
    const QVariant v = value();
    if (v.isNull()) return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
        double d = 0;
        return parseLocaleDouble(s, d) && d != 0;
    }
    return v.toDouble() != 0;
}

QDateTime Field::asDateTime() const
{
    const QVariant v = value();
    if (v.isNull()) return {};
    const QString s = v.toString();
    QDateTime dt = parseCanonical(s);
    return dt.isValid() ? dt : parseDayFirst(s);
}

QString Field::displayText() const { return m_q ? m_q->displayTextAt(m_q->currentIndex(), m_col) : QString(); }

void Field::setValue(const QVariant &v) const
{
    if (!m_q) throw DbError(QStringLiteral("Campo non valido"));
    m_q->setValue(m_col, v);
}

void Field::setAsString(const QString &s) const { setValue(s.isEmpty() && type() != FieldType::Text ? QVariant() : QVariant(s)); }

// ================================================================ Query

Query::Query(Connection *conn, QObject *parent) : QObject(parent), m_conn(conn) {}
Query::~Query() = default;

void Query::setConnection(Connection *c)
{
    close();
    m_conn = c;
}

void Query::setSql(const QString &accessSql)
{
    if (isActive()) close();
    m_sql = accessSql;
    m_params.clear();
}

Query &Query::bind(const QString &name, const QVariant &value)
{
    setParam(m_params, name, value);
    return *this;
}

QString Query::updateTable() const { return m_updateTable.isEmpty() ? AccessSql::firstFromTable(m_sql) : m_updateTable; }

void Query::openOnFirstUse()
{
    if (isActive()) return;
    if (!m_conn || !m_conn->isOpen()) throw DbError(QStringLiteral("Database non aperto"));
    m_lazy = true;
}

void Query::caricaOra()
{
    m_lazy = false;
    open();
}

void Query::open()
{
    m_lazy = false;
    if (m_state != State::Inactive) return;
    if (!m_conn || !m_conn->isOpen()) throw DbError(QStringLiteral("Database non aperto"));
    readRows();
    try {
        m_filter.bind([this](const QString &n) { return fieldIndex(n); },
                      [this] {
                          std::vector<FieldType> t;
                          for (const Column &c : m_columns) t.push_back(c.type);
                          return t;
                      }());
        m_sortKeys = sortKeys(m_sortText);
    } catch (...) {
        m_rows.clear();
        m_columns.clear();
        m_columnIndex.clear();
        throw;
    }
    m_state = State::Browse;
    rebuildView(false);
    notifyReset();
    notifyState();
    Q_EMIT afterOpen();
}

void Query::readRows()
{
    ++s_letture;
    const auto st = m_conn->engine().prepare(m_conn->translate(m_sql));
    st->bindAll(m_params);
    const int n = st->columnCount();
    std::vector<Column> cols(n);
    const QString table = updateTable();
    QHash<QString, int> index;
    for (int i = 0; i < n; ++i) {
        Column &c = cols[i];
        c.name = st->columnName(i);
        // SQLite tells apart equal names of nested joins as "Data:1"; the program knows "Data".
        static const QRegularExpression suffix(QStringLiteral(":\\d+$"));
        c.name.remove(suffix);
        c.originTable = st->originTable(i);
        c.originColumn = st->originColumn(i);
        c.type = fieldTypeFromDeclared(st->declaredType(i));
        c.updatable = !c.originColumn.isEmpty() && c.originTable.compare(table, Qt::CaseInsensitive) == 0;
        const QString key = c.name.toLower();
        if (!index.contains(key)) index.insert(key, i);
    }
    std::vector<std::unique_ptr<Row>> rows;
    while (st->step()) {
        auto r = std::make_unique<Row>(n);
        st->readRow(r->data());
        rows.push_back(std::move(r));
    }
    // Expressions have no declared type: take it from the first value.
    for (int i = 0; i < n; ++i) {
        if (cols[i].type != FieldType::Unknown) continue;
        for (const auto &r : rows) {
            const QVariant &v = (*r)[i];
            if (v.isNull()) continue;
            if (v.typeId() == QMetaType::LongLong) cols[i].type = FieldType::Integer;
            else if (v.typeId() == QMetaType::Double) cols[i].type = FieldType::Float;
            else if (v.typeId() == QMetaType::QByteArray) cols[i].type = FieldType::Blob;
            else cols[i].type = (looksCanonical(v.toString()) && v.toString().size() == 19) ? FieldType::DateTime : FieldType::Text;
            break;
        }
    }
    m_columns = std::move(cols);
    m_columnIndex = std::move(index);
    m_rows = std::move(rows);
    m_pending = nullptr;
    m_selected.clear();
}

void Query::close()
{
    if (m_lazy) {
        m_lazy = false;
        return;
    }
    if (!isActive()) return;
    m_rows.clear();
    m_view.clear();
    m_columns.clear();
    m_columnIndex.clear();
    m_buffer.clear();
    m_modified.clear();
    m_pending = nullptr;
    m_selected.clear();
    m_cur = -1;
    m_eof = m_bof = true;
    m_state = State::Inactive;
    notifyReset();
    notifyState();
}

void Query::requery()
{
    if (m_lazy) return; // nothing read yet: the first use reads the rows as they are then
    if (!isActive()) {
        open();
        return;
    }
    checkBrowseMode();
    const QString filter = m_filterText;
    m_state = State::Inactive;
    try {
        readRows();
        m_filter.bind([this](const QString &n) { return fieldIndex(n); }, [this] {
            std::vector<FieldType> t;
            for (const Column &c : m_columns) t.push_back(c.type);
            return t;
        }());
    } catch (...) {
        m_state = State::Inactive;
        close();
        throw;
    }
    m_state = State::Browse;
    rebuildView(false);
    notifyReset();
    notifyState();
}

bool Query::rileggiSeDinamica()
{
    if (!m_dynamic || m_lazy || !isActive() || isEditing()) return false;
    const int key = keyColumn();
    const Row *cur = currentRow();
    const QVariant id = (key >= 0 && cur) ? (*cur)[key] : QVariant();
    const int at = m_cur;
    requery();
    int found = -1;
    if (!id.isNull()) {
        for (size_t i = 0; i < m_view.size() && found < 0; ++i)
            if ((*m_view[i])[key] == id) found = int(i);
    } else if (at >= 0 && at < int(m_view.size())) {
        found = at;
    }
    if (found > 0) {
        m_bof = m_eof = false;
        setCurrent(found);
    }
    return true;
}

void Query::checkBrowseMode()
{
    // As a dataset does before it moves: a changed row is posted, an untouched one cancelled.
    if (m_state != State::Inactive) Q_EMIT updateRecord();
    if (!isEditing()) return;
    if (std::find(m_modified.begin(), m_modified.end(), true) != m_modified.end()) {
        if (!post()) throw DbError(m_lastError);
    } else {
        cancel();
    }
}

void Query::setFilter(const QString &filter)
{
    if (filter == m_filterText) return;
    FilterExpr parsed = FilterExpr::parse(filter);
    const bool letta = m_state != State::Inactive;
    if (letta) {
        std::vector<FieldType> types;
        for (const Column &c : m_columns) types.push_back(c.type);
        parsed.bind([this](const QString &n) { return fieldIndex(n); }, types);
        checkBrowseMode();
    }
    m_filter = std::move(parsed);
    m_filterText = filter;
    if (letta) {
        rebuildView(false);
        notifyReset();
    }
}

std::vector<std::pair<int, bool>> Query::sortKeys(const QString &sort) const
{
    std::vector<std::pair<int, bool>> keys;
    for (const QString &part : sort.split(u',', Qt::SkipEmptyParts)) {
        QStringList words = part.trimmed().split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty()) continue;
        bool desc = false;
        if (words.size() > 1) {
            const QString dir = words.last().toUpper();
            if (dir == u"DESC") desc = true;
            else if (dir != u"ASC") throw DbError(QStringLiteral("Ordinamento non valido: ") + sort);
            words.removeLast();
        }
        QString name = words.join(u' ');
        if (name.startsWith(u'[') && name.endsWith(u']')) name = name.mid(1, name.size() - 2);
        const int col = m_columnIndex.value(name.toLower(), -1);
        if (col < 0) throw DbError(QStringLiteral("Ordinamento non valido: il campo \"%1\" non esiste").arg(name));
        keys.emplace_back(col, desc);
    }
    return keys;
}

void Query::setSort(const QString &sort)
{
    // A sort given to a closed or armed query takes effect when it reads its rows.
    std::vector<std::pair<int, bool>> keys;
    const bool letta = m_state != State::Inactive;
    if (letta) {
        keys = sortKeys(sort);
        checkBrowseMode();
    }
    m_sortText = sort;
    m_sortKeys = std::move(keys);
    if (letta) {
        rebuildView(true);
        notifyReset();
    }
}

void Query::rebuildView(bool keepCurrent)
{
    Row *prev = currentRow();
    m_view.clear();
    m_view.reserve(m_rows.size());
    const bool all = m_filter.isEmpty();
    for (const auto &r : m_rows) {
        if (all || r.get() == m_pending || m_filter.matches(r->data())) m_view.push_back(r.get());
    }
    applySort();
    m_selected.clear();
    int idx = m_view.empty() ? -1 : 0;
    if (keepCurrent && prev) {
        auto it = std::find(m_view.begin(), m_view.end(), prev);
        if (it != m_view.end()) idx = int(it - m_view.begin());
    }
    m_cur = idx;
    m_bof = true;
    m_eof = m_view.empty();
    if (keepCurrent && idx > 0) m_bof = false;
}

namespace {


} // namespace

namespace {

bool isNumeric(FieldType t) { return t == FieldType::Integer || t == FieldType::Float || t == FieldType::Boolean; }

// Order of two values of one column: nulls first, numbers as numbers, text ignoring case.
int compareValues(const QVariant &a, const QVariant &b, bool numeric)
{
    if (a.isNull() || b.isNull()) return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    if (numeric) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    return compareNoCase(a.toString(), b.toString());
}

// A row's place in a sort. Texts are case-folded once into one shared buffer and sorted
// eight units at a time (packed into two integers, compared on contiguous memory); only runs
// that tie on those eight go on to the next eight. Numbers use an order-preserving image.
struct SortItem {
    quint64 h0;
    quint64 h1;
    quint32 offset; // of the folded text in the buffer
    quint32 length;
    int index;
    bool present; // false for null: nulls come first
};

struct TextSorter {
    const char16_t *buf;
    bool desc;
    std::function<bool(const SortItem &, const SortItem &)> tieBreak; // further keys, then index

    static bool sameHead(const SortItem &a, const SortItem &b)
    {
        return a.present == b.present && a.h0 == b.h0 && a.h1 == b.h1;
    }
    void fillHead(SortItem &it, size_t from) const
    {
        quint64 k[2] = {0, 0};
        for (size_t c = 0; c < 8; ++c) {
            const size_t p = from + c;
            const quint64 u = p < it.length ? buf[it.offset + p] : 0;
            k[c / 4] |= u << (16 * (3 - c % 4));
        }
        it.h0 = k[0];
        it.h1 = k[1];
    }
    void sort(SortItem *begin, SortItem *end, size_t depth, bool text) const
    {
        if (text)
            for (SortItem *it = begin; it != end; ++it) fillHead(*it, depth * 8);
        const bool d = desc;
        std::sort(begin, end, [d](const SortItem &a, const SortItem &b) {
            if (a.present != b.present) return d ? a.present : b.present;
            if (a.h0 != b.h0) return d ? a.h0 > b.h0 : a.h0 < b.h0;
            if (a.h1 != b.h1) return d ? a.h1 > b.h1 : a.h1 < b.h1;
            return a.index < b.index;
        });
        for (SortItem *run = begin; run != end;) {
            SortItem *next = run + 1;
            while (next != end && sameHead(*next, *run)) ++next;
            if (next - run > 1) {
                bool longer = false;
                for (SortItem *it = run; text && it != next; ++it) longer = longer || it->length > (depth + 1) * 8;
                if (longer) sort(run, next, depth + 1, true);
                else if (tieBreak) std::sort(run, next, tieBreak);
            }
            run = next;
        }
    }
};

} // namespace

void Query::applySort()
{
    if (m_sortKeys.empty() || m_view.size() < 2) return;
    const size_t n = m_view.size();
    const int firstCol = m_sortKeys.front().first;
    const bool firstNumeric = isNumeric(m_columns[firstCol].type);
    std::vector<SortItem> items(n);
    std::u16string folded;
    if (!firstNumeric) folded.reserve(n * 16);
    for (size_t i = 0; i < n; ++i) {
        const QVariant &v = (*m_view[i])[firstCol];
        SortItem &it = items[i];
        it = SortItem{0, 0, 0, 0, int(i), !v.isNull()};
        if (v.isNull()) continue;
        if (firstNumeric) {
            quint64 bits;
            const double d = v.toDouble();
            std::memcpy(&bits, &d, sizeof bits);
            it.h0 = (bits & (quint64(1) << 63)) ? ~bits : (bits | (quint64(1) << 63));
            continue;
        }
        const QString text = v.toString();
        it.offset = quint32(folded.size());
        it.length = quint32(text.size());
        for (QChar ch : text) {
            const char16_t u = ch.unicode();
            folded.push_back(u < 128 ? ((u >= 'A' && u <= 'Z') ? char16_t(u + 32) : u) : ch.toCaseFolded().unicode());
        }
    }
    TextSorter sorter{folded.data(), m_sortKeys.front().second, {}};
    if (m_sortKeys.size() > 1) {
        const std::vector<Row *> &rows = m_view;
        sorter.tieBreak = [this, &rows](const SortItem &a, const SortItem &b) {
            for (size_t k = 1; k < m_sortKeys.size(); ++k) {
                const auto [col, desc] = m_sortKeys[k];
                const int c = compareValues((*rows[a.index])[col], (*rows[b.index])[col], isNumeric(m_columns[col].type));
                if (c != 0) return desc ? c > 0 : c < 0;
            }
            return a.index < b.index; // equal keys keep the order they had
        };
    }
    sorter.sort(items.data(), items.data() + n, 0, !firstNumeric);
    std::vector<Row *> sorted(n);
    for (size_t i = 0; i < n; ++i) sorted[i] = m_view[items[i].index];
    m_view = std::move(sorted);
}

Query::Row *Query::currentRow() const
{
    return (m_cur >= 0 && m_cur < int(m_view.size())) ? m_view[m_cur] : nullptr;
}

void Query::setCurrent(int idx)
{
    if (idx == m_cur) return;
    m_cur = idx;
    notifyCurrent();
}

void Query::first()
{
    carica();
    checkBrowseMode();
    m_bof = true;
    m_eof = m_view.empty();
    setCurrent(m_view.empty() ? -1 : 0);
}

void Query::last()
{
    carica();
    checkBrowseMode();
    m_eof = true;
    m_bof = m_view.empty();
    setCurrent(int(m_view.size()) - 1);
}

void Query::next()
{
    carica();
    checkBrowseMode();
    if (m_cur + 1 < int(m_view.size())) {
        m_bof = m_eof = false;
        setCurrent(m_cur + 1);
    } else {
        m_eof = true;
    }
}

void Query::prior()
{
    carica();
    checkBrowseMode();
    if (m_cur > 0) {
        m_bof = m_eof = false;
        setCurrent(m_cur - 1);
    } else {
        m_bof = true;
    }
}

void Query::moveBy(int delta)
{
    carica();
    for (; delta > 0 && !m_eof; --delta) next();
    for (; delta < 0 && !m_bof; ++delta) prior();
}

void Query::setRecNo(int recNo) { setCurrentIndex(recNo - 1); }

void Query::setCurrentIndex(int viewRow)
{
    carica();
    if (viewRow < 0 || viewRow >= int(m_view.size()) || viewRow == m_cur) return;
    checkBrowseMode();
    m_bof = m_eof = false;
    setCurrent(viewRow);
}

bool Query::locate(const QString &fieldName, const QVariant &value, int options)
{
    carica();
    const int col = fieldIndex(fieldName);
    if (col < 0) throw DbError(QStringLiteral("Campo \"%1\" non trovato").arg(fieldName));
    checkBrowseMode();
    const bool numeric = m_columns[col].type == FieldType::Integer || m_columns[col].type == FieldType::Float
        || m_columns[col].type == FieldType::Boolean;
    bool isNum = false;
    const double wanted = value.toDouble(&isNum);
    const QString wantedText = value.toString();
    const Qt::CaseSensitivity cs = (options & CaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (size_t i = 0; i < m_view.size(); ++i) {
        const QVariant &v = (*m_view[i])[col];
        bool hit;
        if (value.isNull()) hit = v.isNull();
        else if (v.isNull()) hit = false;
        else if (numeric && isNum) hit = v.toDouble() == wanted;
        else if (options & PartialKey) hit = textOf(col, v).startsWith(wantedText, cs);
        else hit = textOf(col, v).compare(wantedText, cs) == 0 || v.toString().compare(wantedText, cs) == 0;
        if (hit) {
            m_bof = m_eof = false;
            setCurrent(int(i));
            return true;
        }
    }
    return false;
}

QStringList Query::fieldNames() const
{
    carica();
    QStringList out;
    for (const Column &c : m_columns) out << c.name;
    return out;
}

int Query::fieldIndex(const QString &name) const
{
    carica();
    return m_columnIndex.value(name.toLower(), -1);
}
QString Query::fieldNameAt(int col) const { return (col >= 0 && col < fieldCount()) ? m_columns[col].name : QString(); }
FieldType Query::fieldTypeAt(int col) const { return (col >= 0 && col < fieldCount()) ? m_columns[col].type : FieldType::Unknown; }

Field Query::field(int index)
{
    carica();
    if (index < 0 || index >= fieldCount()) throw DbError(QStringLiteral("Campo numero %1 inesistente").arg(index));
    return Field(this, index);
}

Field Query::fieldByName(const QString &name)
{
    carica();
    const int col = fieldIndex(name);
    if (col < 0) throw DbError(QStringLiteral("Campo \"%1\" non trovato").arg(name));
    return Field(this, col);
}

Field Query::findField(const QString &name)
{
    carica();
    const int col = fieldIndex(name);
    return col < 0 ? Field() : Field(this, col);
}

void Query::ensureBrowse(const char *what) const
{
    if (!isActive()) throw DbError(QStringLiteral("Dataset chiuso: impossibile %1").arg(QLatin1String(what)));
}

void Query::edit()
{
    carica();
    ensureBrowse("modificare");
    if (isEditing()) return;
    Row *r = currentRow();
    if (!r) throw DbError(QStringLiteral("Nessun record corrente da modificare"));
    m_buffer = *r;
    m_modified.assign(m_columns.size(), false);
    m_state = State::Edit;
    notifyState();
}

void Query::startInsert(bool atEnd)
{
    carica();
    ensureBrowse("inserire");
    checkBrowseMode();
    auto row = std::make_unique<Row>(m_columns.size());
    Row *raw = row.get();
    Row *cur = currentRow();
    if (atEnd || !cur) {
        m_rows.push_back(std::move(row));
        m_view.push_back(raw);
        m_cur = int(m_view.size()) - 1;
    } else {
        auto it = std::find_if(m_rows.begin(), m_rows.end(), [cur](const auto &p) { return p.get() == cur; });
        m_rows.insert(it, std::move(row));
        m_view.insert(m_view.begin() + m_cur, raw);
    }
    m_pending = raw;
    m_buffer = *raw;
    m_modified.assign(m_columns.size(), false);
    m_state = State::Insert;
    m_bof = m_eof = false;
    notifyReset();
    notifyCurrent();
    notifyState();
}

void Query::insert() { startInsert(false); }
void Query::append() { startInsert(true); }

QVariant Query::normalise(int col, const QVariant &v) const
{
    const FieldType t = m_columns[col].type;
    const bool blank = v.isNull() || (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty());
    switch (t) {
    case FieldType::Boolean: {
        if (blank) return QVariant(qint64(0)); // yes/no is never null
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed();
            if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return QVariant(qint64(1));
            if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return QVariant(qint64(0));
            double d = 0;
            if (!parseLocaleDouble(s, d)) throw DbError(QStringLiteral("\"%1\" non è un valore Sì/No valido").arg(s));
            return QVariant(qint64(d != 0 ? 1 : 0));
        }
        return QVariant(qint64(v.toDouble() != 0 ? 1 : 0));
    }
    case FieldType::Integer: {
        if (blank) return QVariant();
        bool ok = false;
        const qint64 i = v.toLongLong(&ok);
        if (ok && v.typeId() != QMetaType::Double) return QVariant(i);
        double d = 0;
        if (v.typeId() == QMetaType::Double) d = v.toDouble();
        else if (!parseLocaleDouble(v.toString(), d) || d != std::floor(d))
            throw DbError(QStringLiteral("\"%1\" non è un numero intero valido").arg(v.toString()));
        return QVariant(qint64(std::llround(d)));
    }
    case FieldType::Float: {
        if (blank) return QVariant();
        if (v.typeId() == QMetaType::QString) {
            double d = 0;
            QString errore;
            if (!parseTypedNumber(v.toString(), d, errore)) throw DbError(errore);
            return QVariant(d);
        }
        // A computed value that is no number never reaches the database.
        if (!std::isfinite(v.toDouble())) throw DbError(QStringLiteral("\"%1\" non è un numero valido").arg(v.toString()));
        return QVariant(v.toDouble());
    }
    case FieldType::DateTime: {
        bool ok = true;
        const QVariant c = toCanonicalValue(v, &ok);
        if (!ok) throw DbError(QStringLiteral("\"%1\" non è una data valida").arg(v.toString()));
        return c;
    }
    case FieldType::Text:
        if (v.isNull()) return QVariant();
        return QVariant(v.toString());
    default:
        if (v.typeId() == QMetaType::Bool) return QVariant(qint64(v.toBool() ? 1 : 0));
        if (v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate) return toCanonicalValue(v);
        if (v.typeId() == QMetaType::Int) return QVariant(v.toLongLong());
        return v;
    }
}

QVariant Query::value(int col) const
{
    carica();
    if (col < 0 || col >= fieldCount()) return QVariant();
    if (isEditing()) return m_buffer[col];
    const Row *r = currentRow();
    return r ? (*r)[col] : QVariant();
}

void Query::setValue(int col, const QVariant &v)
{
    carica();
    if (col < 0 || col >= fieldCount()) throw DbError(QStringLiteral("Campo numero %1 inesistente").arg(col));
    const QVariant n = normalise(col, v); // a refused value leaves the row as it was
    if (!isEditing()) edit();
    if (m_state == State::Insert) {
        m_modified[col] = m_modified[col] || !n.isNull();
    } else {
        const QVariant &orig = (*currentRow())[col];
        m_modified[col] = m_modified[col] || orig.isNull() != n.isNull() || orig != n;
    }
    m_buffer[col] = n;
    notifyField(col);
}

bool Query::isModified(int col) const
{
    carica();
    return isEditing() && col >= 0 && col < int(m_modified.size()) && m_modified[col];
}

int Query::keyColumn()
{
    const QString table = updateTable();
    const QString pk = m_conn->primaryKey(table);
    if (pk.isEmpty()) return -1;
    for (int i = 0; i < fieldCount(); ++i) {
        const Column &c = m_columns[i];
        if (c.updatable && c.originColumn.compare(pk, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}


QString Query::changedElsewhereMessage()
{
    return QStringLiteral("Attenzione: il record è stato modificato da un'altra postazione dopo che è stato letto qui. "
                          "Le modifiche non sono state salvate: annullarle, rileggere i dati e ripetere la modifica.");
}

bool Query::postEdit()
{
    std::vector<int> changed;
    for (int i = 0; i < fieldCount(); ++i)
        if (m_modified[i] && m_columns[i].updatable) changed.push_back(i);
    if (!changed.empty()) {
        const int key = keyColumn();
        if (key < 0) {
            m_lastError = QStringLiteral("La query non contiene la chiave della tabella %1: impossibile salvare").arg(updateTable());
            return false;
        }
        // Each changed column is written only where the row still holds the value read here:
        // a change made meanwhile by another workstation is never overwritten silently.
        Engine &engine = m_conn->engine();
        QStringList sets, still;
        for (size_t k = 0; k < changed.size(); ++k) {
            const QString column = m_conn->engine().quoteName(m_columns[changed[k]].originColumn);
            sets << QStringLiteral("%1 = :v%2").arg(column).arg(k);
            still << engine.sameValueCondition(column, QStringLiteral(":o%1").arg(k));
        }
        const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = :k AND %4")
                                .arg(m_conn->engine().quoteName(updateTable()), sets.join(QStringLiteral(", ")),
                                     m_conn->engine().quoteName(m_columns[key].originColumn), still.join(QStringLiteral(" AND ")));
        const Row &read = *currentRow();
        const auto st = engine.prepare(sql);
        for (size_t k = 0; k < changed.size(); ++k) {
            st->bind(QStringLiteral(":v%1").arg(k), m_buffer[changed[k]]);
            st->bind(QStringLiteral(":o%1").arg(k), read[changed[k]]);
        }
        st->bind(QStringLiteral(":k"), read[key]);
        st->step();
        if (engine.changes() == 0) {
            const auto exists = engine.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = :k")
                                                   .arg(m_conn->engine().quoteName(updateTable()), m_conn->engine().quoteName(m_columns[key].originColumn)));
            exists->bind(QStringLiteral(":k"), read[key]);
            m_lastError = exists->step() ? changedElsewhereMessage()
                                         : QStringLiteral("Il record non esiste più nella tabella %1: forse è stato "
                                                          "eliminato da un'altra postazione").arg(updateTable());
            return false;
        }
        // The row now holds what the table holds, so that the next edit compares the same.
        refreshFromTable(m_buffer);
    }
    *currentRow() = m_buffer;
    return true;
}

bool Query::postInsert()
{
    const QString table = updateTable();
    if (table.isEmpty() || !m_conn->hasTable(table)) {
        m_lastError = QStringLiteral("Nessuna tabella da aggiornare per la query");
        return false;
    }
    QStringList cols, marks;
    std::vector<int> changed;
    for (int i = 0; i < fieldCount(); ++i) {
        if (m_modified[i] && m_columns[i].updatable) {
            marks << QStringLiteral(":v%1").arg(changed.size());
            changed.push_back(i);
            cols << m_conn->engine().quoteName(m_columns[i].originColumn);
        }
    }
    const QString sql = changed.empty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_conn->engine().quoteName(table))
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(m_conn->engine().quoteName(table), cols.join(u','), marks.join(u','));
    const auto st = m_conn->engine().prepare(sql);
    for (size_t k = 0; k < changed.size(); ++k) st->bind(QStringLiteral(":v%1").arg(k), m_buffer[changed[k]]);
    st->step();
    const qint64 id = m_conn->lastInsertId();
    const int key = keyColumn();
    if (key >= 0) m_buffer[key] = QVariant(id);
    refreshFromTable(m_buffer);
    *m_pending = m_buffer;
    m_pending = nullptr;
    return true;
}

void Query::undoPost(Row *target, const Row &before, const Row &buffer, const std::vector<bool> &modified, State state)
{
    // Rows read again since the post are what the table holds: nothing to put back.
    if (std::none_of(m_rows.begin(), m_rows.end(), [&](const auto &r) { return r.get() == target; })) return;
    // An edit begun again on the posted row after the post (forms do) gives way to the one posted.
    if (isEditing() && !(m_state == State::Edit && currentRow() == target)) return;
    *target = before;
    m_buffer = buffer;
    m_modified = modified;
    m_state = state;
    if (state == State::Insert) m_pending = target;
    const auto shown = std::find(m_view.begin(), m_view.end(), target);
    if (shown != m_view.end()) m_cur = int(shown - m_view.begin());
    notifyReset();
    notifyState();
}

void Query::refreshFromTable(Row &row)
{
    // Defaults the engine filled in (yes/no 0, dates) become visible without a requery.
    const int key = keyColumn();
    if (key < 0 || row[key].isNull()) return;
    QStringList cols;
    std::vector<int> idx;
    for (int i = 0; i < fieldCount(); ++i) {
        if (!m_columns[i].updatable) continue;
        cols << m_conn->engine().quoteName(m_columns[i].originColumn);
        idx.push_back(i);
    }
    const auto st = m_conn->engine().prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = :k")
                                                 .arg(cols.join(u','), m_conn->engine().quoteName(updateTable()), m_conn->engine().quoteName(m_columns[key].originColumn)));
    st->bind(QStringLiteral(":k"), row[key]);
    if (st->step())
        for (size_t k = 0; k < idx.size(); ++k) row[idx[k]] = st->value(int(k));
}

bool Query::post()
{
    if (isActive()) Q_EMIT updateRecord();
    if (!isEditing()) return true;
    m_lastError.clear();
    // Inside a transaction the post is undone with it: the row and the edit come back as they
    // were, so a rolled-back save keeps the user's values and an operation run again posts again.
    Row *target = m_state == State::Edit ? currentRow() : m_pending;
    const bool inTransaction = m_conn->transactionDepth() > 0;
    const Row before = (inTransaction && target) ? *target : Row();
    const Row buffer = inTransaction ? m_buffer : Row();
    const std::vector<bool> modified = inTransaction ? m_modified : std::vector<bool>();
    const State state = m_state;
    bool ok = false;
    try {
        ok = m_state == State::Edit ? postEdit() : postInsert();
    } catch (const DbError &e) {
        // A cancelled transaction is its runner's to run again, not a refused post.
        if (inTransaction && e.kind() == DbError::Kind::Conflict) throw;
        m_lastError = e.message();
        ok = false;
    }
    if (!ok) return false;
    if (inTransaction && target) {
        QPointer<Query> self(this);
        m_conn->onRollback([self, target, before, buffer, modified, state] {
            if (self) self->undoPost(target, before, buffer, modified, state);
        });
    }
    m_state = State::Browse;
    m_buffer.clear();
    m_modified.clear();
    notifyReset();
    notifyState();
    Q_EMIT afterPost();
    return true;
}

void Query::cancel()
{
    carica();
    if (!isEditing()) return;
    if (m_state == State::Insert && m_pending) {
        Row *r = m_pending;
        m_pending = nullptr;
        removeRow(r);
    }
    m_buffer.clear();
    m_modified.clear();
    m_state = State::Browse;
    notifyReset();
    notifyCurrent();
    notifyState();
}

bool Query::aggiungiRigaSalvata(const QVariant &key)
{
    carica();
    ensureBrowse("aggiungere una riga");
    if (m_state != State::Browse) return false;
    const int col = keyColumn();
    if (col < 0 || key.isNull()) return false;
    // The query's own SQL narrowed to the key: a row its conditions leave out is not added.
    Params params = m_params;
    setParam(params, QStringLiteral(":pella_chiave_riga"), key);
    const auto st = m_conn->engine().prepare(QStringLiteral("SELECT * FROM (%1) pella_riga WHERE pella_riga.%2 = :pella_chiave_riga")
                                                 .arg(m_conn->translate(m_sql), m_conn->engine().quoteName(m_columns[col].name)));
    st->bindAll(params);
    if (st->columnCount() != fieldCount() || !st->step()) return false;
    // Held already: read again, as the table holds it now.
    auto held = std::find_if(m_rows.begin(), m_rows.end(), [&](const auto &r) { return (*r)[col] == key; });
    if (held != m_rows.end()) removeRow(held->get());
    auto row = std::make_unique<Row>(fieldCount());
    st->readRow(row->data());
    Row *added = row.get();
    m_rows.push_back(std::move(row));
    Row *prev = currentRow();
    rebuildView(false);
    auto it = std::find(m_view.begin(), m_view.end(), added);
    const bool shown = it != m_view.end();
    auto back = std::find(m_view.begin(), m_view.end(), shown ? added : prev);
    if (back != m_view.end()) {
        m_cur = int(back - m_view.begin());
        m_bof = m_eof = false;
    }
    notifyReset();
    notifyCurrent();
    return shown;
}

bool Query::dimenticaRiga(const QVariant &key)
{
    carica();
    const int col = keyColumn();
    if (col < 0 || key.isNull() || isEditing()) return false;
    for (const auto &r : m_rows) {
        if ((*r)[col] != key) continue;
        removeRow(r.get());
        notifyReset();
        notifyCurrent();
        return true;
    }
    return false;
}

void Query::removeRow(Row *r)
{
    auto v = std::find(m_view.begin(), m_view.end(), r);
    if (v != m_view.end()) {
        const int at = int(v - m_view.begin());
        m_view.erase(v);
        if (m_cur >= int(m_view.size())) m_cur = int(m_view.size()) - 1;
        else if (at < m_cur) --m_cur;
    }
    m_selected.remove(r);
    auto it = std::find_if(m_rows.begin(), m_rows.end(), [r](const auto &p) { return p.get() == r; });
    if (it != m_rows.end()) m_rows.erase(it);
    m_eof = m_view.empty();
    m_bof = m_view.empty();
}

void Query::deleteRecord()
{
    carica();
    ensureBrowse("eliminare");
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit) cancel();
    Row *r = currentRow();
    if (!r) throw DbError(QStringLiteral("Nessun record da eliminare"));
    const int key = keyColumn();
    if (key < 0) throw DbError(QStringLiteral("La query non contiene la chiave della tabella %1: impossibile eliminare").arg(updateTable()));
    const auto st = m_conn->engine().prepare(
        QStringLiteral("DELETE FROM %1 WHERE %2 = :k").arg(m_conn->engine().quoteName(updateTable()), m_conn->engine().quoteName(m_columns[key].originColumn)));
    st->bind(QStringLiteral(":k"), (*r)[key]);
    st->step();
    removeRow(r);
    notifyReset();
    notifyCurrent();
}

QVariant Query::valueAt(int viewRow, int col) const
{
    carica();
    if (viewRow < 0 || viewRow >= int(m_view.size()) || col < 0 || col >= fieldCount()) return QVariant();
    if (viewRow == m_cur && isEditing()) return m_buffer[col];
    return (*m_view[viewRow])[col];
}

QString Query::textOf(int col, const QVariant &v) const
{
    carica();
    if (v.isNull()) return QString();
    switch (fieldTypeAt(col)) {
    case FieldType::DateTime: {
        const DateTimeValue dt = readCanonical(v.toString());
        return dt.isValid() ? displayText(dt) : v.toString();
    }
    case FieldType::Boolean:
        return v.toDouble() != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Float: {
        if (v.typeId() == QMetaType::QString) return v.toString();
        QString s = QString::number(v.toDouble(), 'g', 15);
        s.replace(u'.', u',');
        return s;
    }
    default:
        return v.toString();
    }
}

const Query::DisplayHook *Query::hookFor(int col) const
{
    if (m_hooksByName.isEmpty() || col < 0 || col >= fieldCount()) return nullptr;
    auto it = m_hooksByName.constFind(m_columns[col].name.toLower());
    return it == m_hooksByName.constEnd() ? nullptr : &it.value();
}

QString Query::displayTextAt(int viewRow, int col) const
{
    carica();
    const QVariant v = valueAt(viewRow, col);
    if (const DisplayHook *h = hookFor(col)) return (*h)(v);
    return textOf(col, v);
}

void Query::setDisplayHook(const QString &fieldName, DisplayHook hook)
{
    if (hook) m_hooksByName.insert(fieldName.toLower(), std::move(hook));
    else m_hooksByName.remove(fieldName.toLower());
    notifyReset();
}

bool Query::hasDisplayHook(int col) const { return hookFor(col) != nullptr; }

void Query::disableControls() { ++m_disabled; }

void Query::enableControls()
{
    if (m_disabled == 0) return;
    if (--m_disabled == 0) {
        Q_EMIT layoutReset();
        Q_EMIT currentChanged();
        Q_EMIT stateChanged();
    }
}

void Query::setRowSelected(int viewRow, bool selected)
{
    carica();
    if (viewRow < 0 || viewRow >= int(m_view.size())) return;
    if (selected) m_selected.insert(m_view[viewRow]);
    else m_selected.remove(m_view[viewRow]);
}

bool Query::isRowSelected(int viewRow) const
{
    carica();
    return viewRow >= 0 && viewRow < int(m_view.size()) && m_selected.contains(m_view[viewRow]);
}

void Query::clearSelection() { m_selected.clear(); }

QList<qint64> Query::selectedIds(const QString &idField) const
{
    carica();
    QList<qint64> out;
    const int col = fieldIndex(idField);
    if (col < 0) return out;
    for (const Row *r : m_view)
        if (m_selected.contains(r)) out << (*r)[col].toLongLong();
    return out;
}

void Query::notifyReset()
{
    if (!m_disabled) Q_EMIT layoutReset();
}
void Query::notifyCurrent()
{
    if (!m_disabled) Q_EMIT currentChanged();
}
void Query::notifyState()
{
    if (!m_disabled) Q_EMIT stateChanged();
}
void Query::notifyField(int col)
{
    if (!m_disabled) Q_EMIT fieldChanged(col);
}

} // namespace db

#include "FilterExpr.h"
#include "DateTimeText.h"
#include "DbError.h"
#include "SqliteFunctions.h"

#include <cmath>

namespace db {

FieldType fieldTypeFromDeclared(const QString &declared)
{
    const QString d = declared.toUpper();
    if (d.isEmpty()) return FieldType::Unknown;
    if (d.contains(QLatin1String("BOOL")) || d.contains(QLatin1String("YESNO")) || d == QLatin1String("BIT"))
        return FieldType::Boolean;
    if (d.contains(QLatin1String("DATE")) || d.contains(QLatin1String("TIME"))) return FieldType::DateTime;
    if (d.contains(QLatin1String("INT")) || d.contains(QLatin1String("COUNTER"))) return FieldType::Integer;
    if (d.contains(QLatin1String("CHAR")) || d.contains(QLatin1String("TEXT")) || d.contains(QLatin1String("CLOB"))
        || d.contains(QLatin1String("MEMO")))
        return FieldType::Text;
    if (d.contains(QLatin1String("BLOB")) || d.contains(QLatin1String("IMAGE"))) return FieldType::Blob;
    return FieldType::Float;
}

namespace {

enum class Op { Eq, Ne, Lt, Le, Gt, Ge, Like };
enum class LitKind { Null, Text, Number, Date, Bool };

struct Literal {
    LitKind kind = LitKind::Null;
    QString text;
    double number = 0;
    DateTimeValue date;
    bool boolean = false;
};

// A LIKE pattern: '*' and '%' are the wildcards, everything else is literal.
struct Pattern {
    QStringList parts; // split on wildcards
    bool anchoredStart = true;
    bool anchoredEnd = true;

    static Pattern from(const QString &p)
    {
        Pattern r;
        QString cur;
        bool first = true;
        for (QChar c : p) {
            if (c == u'*' || c == u'%') {
                if (first && cur.isEmpty()) r.anchoredStart = false;
                r.parts << cur;
                cur.clear();
            } else {
                cur += c;
            }
            first = false;
        }
        r.parts << cur;
        r.anchoredEnd = !(p.endsWith(u'*') || p.endsWith(u'%'));
        // Drop empty pieces produced by the wildcards themselves.
        QStringList kept;
        for (const QString &s : r.parts)
            if (!s.isEmpty()) kept << s;
        if (p.isEmpty()) kept.clear();
        r.parts = kept;
        return r;
    }

    bool matches(const QString &s) const
    {
        if (parts.isEmpty()) return anchoredStart && anchoredEnd ? s.isEmpty() : true;
        if (parts.size() == 1) {
            const QString &p = parts.first();
            if (anchoredStart && anchoredEnd) return s.compare(p, Qt::CaseInsensitive) == 0;
            if (anchoredStart) return s.startsWith(p, Qt::CaseInsensitive);
            if (anchoredEnd) return s.endsWith(p, Qt::CaseInsensitive);
            return s.contains(p, Qt::CaseInsensitive);
        }
        qsizetype pos = 0;
        for (int i = 0; i < parts.size(); ++i) {
            const QString &p = parts[i];
            if (i == 0 && anchoredStart) {
                if (!s.startsWith(p, Qt::CaseInsensitive)) return false;
                pos = p.size();
                continue;
            }
            if (i == parts.size() - 1 && anchoredEnd) {
                return s.size() - p.size() >= pos && s.endsWith(p, Qt::CaseInsensitive);
            }
            const qsizetype at = s.indexOf(p, pos, Qt::CaseInsensitive);
            if (at < 0) return false;
            pos = at + p.size();
        }
        return true;
    }
};

} // namespace

struct FilterExpr::Node {
    enum class Kind { And, Or, Not, Compare } kind = Kind::Compare;
    // And/Or: every term of a chain side by side, so a long chain stays one level deep; Not: one.
    std::vector<std::unique_ptr<Node>> terms;
    // Compare
    QString column;
    int col = -1;
    FieldType type = FieldType::Unknown;
    Op op = Op::Eq;
    Literal lit;
    Pattern pattern;

    bool eval(const QVariant *row) const;
    bool compare(const QVariant &v) const;
};

namespace {

template <typename T> bool applyOp(Op op, const T &a, const T &b)
{
    switch (op) {
    case Op::Eq: return a == b;
    case Op::Ne: return !(a == b);
    case Op::Lt: return a < b;
    case Op::Le: return !(b < a);
    case Op::Gt: return b < a;
    case Op::Ge: return !(a < b);
    case Op::Like: return false;
    }
    return false;
}

bool applyCmp(Op op, int c)
{
    switch (op) {
    case Op::Eq: return c == 0;
    case Op::Ne: return c != 0;
    case Op::Lt: return c < 0;
    case Op::Le: return c <= 0;
    case Op::Gt: return c > 0;
    case Op::Ge: return c >= 0;
    case Op::Like: return false;
    }
    return false;
}

bool numberOf(const QVariant &v, double &out)
{
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Double:
    case QMetaType::Bool:
        out = v.toDouble();
        return true;
    default: {
        bool ok = false;
        out = v.toString().trimmed().toDouble(&ok);
        return ok;
    }
    }
}

} // namespace

bool FilterExpr::Node::compare(const QVariant &v) const
{
    if (lit.kind == LitKind::Null) {
        const bool isNull = v.isNull();
        if (op == Op::Eq) return isNull;
        if (op == Op::Ne) return !isNull;
        return false;
    }
    if (v.isNull()) return false;
    if (op == Op::Like) return pattern.matches(v.toString());
    switch (lit.kind) {
    case LitKind::Bool: {
        double d = 0;
        const bool b = numberOf(v, d) ? d != 0 : v.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
        return applyOp(op, b, lit.boolean);
    }
    case LitKind::Number: {
        double d = 0;
        if (numberOf(v, d)) return applyOp(op, d, lit.number);
        return applyCmp(op, compareNoCase(v.toString(), lit.text));
    }
    case LitKind::Date: {
        const DateTimeValue dt = readCanonical(v.toString());
        if (!dt.isValid()) return false;
        return applyOp(op, dt, lit.date);
    }
    case LitKind::Text:
    default: {
        if (type == FieldType::Integer || type == FieldType::Float || type == FieldType::Boolean) {
            double d = 0;
            bool ok = false;
            const double ld = lit.text.trimmed().toDouble(&ok);
            if (ok && numberOf(v, d)) return applyOp(op, d, ld);
        }
        if (type == FieldType::DateTime) {
            DateTimeValue ld = readDayFirst(lit.text);
            if (!ld.isValid()) ld = readCanonical(lit.text);
            const DateTimeValue dt = readCanonical(v.toString());
            if (ld.isValid() && dt.isValid()) return applyOp(op, dt, ld);
        }
        return applyCmp(op, compareNoCase(v.toString(), lit.text));
    }
    }
}

bool FilterExpr::Node::eval(const QVariant *row) const
{
    switch (kind) {
    case Kind::And:
        for (const auto &t : terms)
            if (!t->eval(row)) return false;
        return true;
    case Kind::Or:
        for (const auto &t : terms)
            if (t->eval(row)) return true;
        return false;
    case Kind::Not: return !terms.front()->eval(row);
    case Kind::Compare: return compare(row[col]);
    }
    return false;
}

namespace {

class Parser {
public:
    explicit Parser(const QString &s) : m_s(s) {}

    std::unique_ptr<FilterExpr::Node> parseAll()
    {
        auto n = parseOr();
        skipSpace();
        if (m_pos < m_s.size()) fail(QStringLiteral("testo inatteso \"%1\"").arg(m_s.mid(m_pos)));
        return n;
    }

private:
    [[noreturn]] void fail(const QString &why) const
    {
        const QString shown = m_s.size() > 200 ? m_s.left(200) + QStringLiteral("...") : m_s;
        throw DbError(QStringLiteral("Filtro non valido (%1): %2").arg(why, shown));
    }
    // Parentheses and "not" nest by recursion: a limit keeps absurd input off the stack.
    static constexpr int kMaxNesting = 100;
    struct Nested {
        explicit Nested(Parser &p) : m_p(p)
        {
            if (++m_p.m_depth > kMaxNesting)
                m_p.fail(QStringLiteral("troppe parentesi o \"not\" uno dentro l'altro, al massimo %1").arg(kMaxNesting));
        }
        ~Nested() { --m_p.m_depth; }
        Parser &m_p;
    };
    void skipSpace()
    {
        while (m_pos < m_s.size() && m_s[m_pos].isSpace()) ++m_pos;
    }
    bool keyword(const char *kw)
    {
        skipSpace();
        const QLatin1String k(kw);
        if (m_s.mid(m_pos, k.size()).compare(k, Qt::CaseInsensitive) != 0) return false;
        const qsizetype end = m_pos + k.size();
        if (end < m_s.size() && (m_s[end].isLetterOrNumber() || m_s[end] == u'_')) return false;
        m_pos = end;
        return true;
    }
    // A chain of terms joined by `word`; a single term is returned as it is.
    std::unique_ptr<FilterExpr::Node> chain(FilterExpr::Node::Kind k, const char *word,
                                            std::unique_ptr<FilterExpr::Node> (Parser::*term)())
    {
        auto first = (this->*term)();
        if (!keyword(word)) return first;
        auto n = std::make_unique<FilterExpr::Node>();
        n->kind = k;
        n->terms.push_back(std::move(first));
        do n->terms.push_back((this->*term)());
        while (keyword(word));
        return n;
    }
    std::unique_ptr<FilterExpr::Node> parseOr() { return chain(FilterExpr::Node::Kind::Or, "or", &Parser::parseAnd); }
    std::unique_ptr<FilterExpr::Node> parseAnd() { return chain(FilterExpr::Node::Kind::And, "and", &Parser::parseUnary); }
    std::unique_ptr<FilterExpr::Node> parseUnary()
    {
        if (keyword("not")) {
            Nested nested(*this);
            auto n = std::make_unique<FilterExpr::Node>();
            n->kind = FilterExpr::Node::Kind::Not;
            n->terms.push_back(parseUnary());
            return n;
        }
        skipSpace();
        if (m_pos < m_s.size() && m_s[m_pos] == u'(') {
            Nested nested(*this);
            ++m_pos;
            auto n = parseOr();
            skipSpace();
            if (m_pos >= m_s.size() || m_s[m_pos] != u')') fail(QStringLiteral("manca una parentesi chiusa"));
            ++m_pos;
            return n;
        }
        return parseComparison();
    }
    QString parseName()
    {
        skipSpace();
        if (m_pos < m_s.size() && m_s[m_pos] == u'[') {
            const qsizetype end = m_s.indexOf(u']', m_pos);
            if (end < 0) fail(QStringLiteral("manca ]"));
            const QString n = m_s.mid(m_pos + 1, end - m_pos - 1);
            m_pos = end + 1;
            return n;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_s.size() && (m_s[m_pos].isLetterOrNumber() || m_s[m_pos] == u'_' || m_s[m_pos] == u'.')) ++m_pos;
        if (m_pos == start) fail(QStringLiteral("manca il nome di un campo"));
        return m_s.mid(start, m_pos - start);
    }
    Op parseOp()
    {
        skipSpace();
        static const std::pair<const char *, Op> ops[] = {{"<>", Op::Ne}, {"!=", Op::Ne}, {"<=", Op::Le},
                                                          {">=", Op::Ge}, {"=", Op::Eq},  {"<", Op::Lt},
                                                          {">", Op::Gt}};
        for (const auto &[text, op] : ops) {
            const QLatin1String t(text);
            if (m_s.mid(m_pos, t.size()) == t) {
                m_pos += t.size();
                return op;
            }
        }
        if (keyword("like")) return Op::Like;
        fail(QStringLiteral("manca l'operatore di confronto"));
    }
    Literal parseLiteral()
    {
        skipSpace();
        Literal l;
        if (m_pos >= m_s.size()) fail(QStringLiteral("manca il valore"));
        const QChar c = m_s[m_pos];
        if (c == u'\'' || c == u'"') {
            ++m_pos;
            QString text;
            for (;;) {
                if (m_pos >= m_s.size()) fail(QStringLiteral("testo non chiuso"));
                if (m_s[m_pos] == c) {
                    if (m_pos + 1 < m_s.size() && m_s[m_pos + 1] == c) {
                        text += c;
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    break;
                }
                text += m_s[m_pos++];
            }
            l.kind = LitKind::Text;
            l.text = text;
            return l;
        }
        if (c == u'#') {
            const qsizetype end = m_s.indexOf(u'#', m_pos + 1);
            if (end < 0) fail(QStringLiteral("data non chiusa"));
            const QString body = m_s.mid(m_pos + 1, end - m_pos - 1);
            l.date = readDayFirst(body);
            if (!l.date.isValid()) l.date = readCanonical(body.trimmed());
            if (!l.date.isValid()) fail(QStringLiteral("data non valida #%1#").arg(body));
            l.kind = LitKind::Date;
            m_pos = end + 1;
            return l;
        }
        if (keyword("null")) return l;
        if (keyword("true") || keyword("yes")) {
            l.kind = LitKind::Bool;
            l.boolean = true;
            return l;
        }
        if (keyword("false") || keyword("no")) {
            l.kind = LitKind::Bool;
            return l;
        }
        const qsizetype start = m_pos;
        if (c == u'-' || c == u'+') ++m_pos;
        while (m_pos < m_s.size() && (m_s[m_pos].isDigit() || m_s[m_pos] == u'.')) ++m_pos;
        bool ok = false;
        l.text = m_s.mid(start, m_pos - start);
        l.number = l.text.toDouble(&ok);
        if (!ok) fail(QStringLiteral("valore non valido"));
        l.kind = LitKind::Number;
        return l;
    }
    std::unique_ptr<FilterExpr::Node> parseComparison()
    {
        auto n = std::make_unique<FilterExpr::Node>();
        n->column = parseName();
        if (keyword("is")) {
            const bool negate = keyword("not");
            if (!keyword("null")) fail(QStringLiteral("manca null dopo is"));
            n->op = negate ? Op::Ne : Op::Eq;
            return n;
        }
        n->op = parseOp();
        n->lit = parseLiteral();
        if (n->op == Op::Like) {
            if (n->lit.kind != LitKind::Text) fail(QStringLiteral("like vuole un testo"));
            n->pattern = Pattern::from(n->lit.text);
        }
        return n;
    }

    const QString &m_s;
    qsizetype m_pos = 0;
    int m_depth = 0;
};

void bindNode(FilterExpr::Node *n, const std::function<int(const QString &)> &index, const std::vector<FieldType> &types)
{
    if (!n) return;
    if (n->kind != FilterExpr::Node::Kind::Compare) {
        for (const auto &t : n->terms) bindNode(t.get(), index, types);
        return;
    }
    QString name = n->column;
    int c = index(name);
    if (c < 0 && name.contains(u'.')) c = index(name.section(u'.', -1));
    if (c < 0) throw DbError(QStringLiteral("Filtro non valido: il campo \"%1\" non esiste").arg(n->column));
    n->col = c;
    n->type = (c < int(types.size())) ? types[c] : FieldType::Unknown;
}

} // namespace

FilterExpr::FilterExpr() = default;
FilterExpr::~FilterExpr() = default;
FilterExpr::FilterExpr(FilterExpr &&) noexcept = default;
FilterExpr &FilterExpr::operator=(FilterExpr &&) noexcept = default;

FilterExpr FilterExpr::parse(const QString &text)
{
    FilterExpr f;
    if (!text.trimmed().isEmpty()) {
        Parser p(text);
        f.m_root = p.parseAll();
    }
    return f;
}

bool FilterExpr::isEmpty() const { return !m_root; }

void FilterExpr::bind(const std::function<int(const QString &)> &columnIndex, const std::vector<FieldType> &types)
{
    bindNode(m_root.get(), columnIndex, types);
}

bool FilterExpr::matches(const QVariant *row) const { return !m_root || m_root->eval(row); }

} // namespace db

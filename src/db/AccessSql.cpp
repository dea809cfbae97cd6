#include "AccessSql.h"
#include "DateTimeText.h"
#include "DbError.h"

#include <vector>

namespace db {

namespace {

enum class Kind { String, Name, Date, Number, Word, Punct, Param };

struct Token {
    Kind kind;
    QString text;   // as it will be written
    bool spaceBefore = false;
};

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'$'; }

QString quoteString(const QString &content)
{
    QString s = content;
    s.replace(u'\'', QLatin1String("''"));
    return u'\'' + s + u'\'';
}

// Where the comment starting at `i` ends ("--" to the end of the line, "/* ... */"), or `i`
// when none starts there. An unclosed "/*" runs to the end, as the engine reads it.
qsizetype commentEnd(const QString &sql, qsizetype i)
{
    const qsizetype n = sql.size();
    if (i + 1 >= n) return i;
    if (sql[i] == u'-' && sql[i + 1] == u'-') {
        const qsizetype eol = sql.indexOf(u'\n', i + 2);
        return eol < 0 ? n : eol;
    }
    if (sql[i] == u'/' && sql[i + 1] == u'*') {
        const qsizetype close = sql.indexOf(QLatin1String("*/"), i + 2);
        return close < 0 ? n : close + 2;
    }
    return i;
}

std::vector<Token> tokenize(const QString &sql)
{
    std::vector<Token> out;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    bool space = false;
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            space = true;
            ++i;
            continue;
        }
        if (const qsizetype end = commentEnd(sql, i); end > i) {
            // A comment separates tokens like a space; the line after "--" is still read.
            space = true;
            i = end;
            continue;
        }
        Token t;
        t.spaceBefore = space;
        space = false;
        if (c == u'\'' || c == u'"') {
            // Access accepts both quotes for text; the engine wants single quotes.
            QString content;
            ++i;
            while (i < n) {
                if (sql[i] == c) {
                    if (i + 1 < n && sql[i + 1] == c) {
                        content += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                content += sql[i++];
            }
            t.kind = Kind::String;
            t.text = quoteString(content);
        } else if (c == u'[') {
            qsizetype j = sql.indexOf(u']', i);
            if (j < 0) j = n - 1;
            t.kind = Kind::Name;
            t.text = sql.mid(i, j - i + 1);
            i = j + 1;
        } else if (c == u'#') {
            qsizetype j = sql.indexOf(u'#', i + 1);
            if (j < 0) throw DbError(QStringLiteral("Data non chiusa nella query: ") + sql.mid(i));
            const QString body = sql.mid(i + 1, j - i - 1).trimmed();
            QDateTime dt = parseMonthFirst(body);
            if (!dt.isValid()) dt = parseCanonical(body);
            if (!dt.isValid()) throw DbError(QStringLiteral("Data non valida nella query: #") + body + u'#');
            t.kind = Kind::Date;
            t.text = quoteString(canonicalDateTime(dt));
            i = j + 1;
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && sql[i + 1].isDigit())) {
            qsizetype j = i;
            while (j < n && (sql[j].isDigit() || sql[j] == u'.')) ++j;
            if (j < n && (sql[j] == u'e' || sql[j] == u'E') && j + 1 < n
                && (sql[j + 1].isDigit() || sql[j + 1] == u'-' || sql[j + 1] == u'+')) {
                j += 2;
                while (j < n && sql[j].isDigit()) ++j;
            }
            t.kind = Kind::Number;
            t.text = sql.mid(i, j - i);
            i = j;
        } else if (c == u':' && i + 1 < n && (sql[i + 1].isLetter() || sql[i + 1] == u'_')) {
            // A bound parameter ":name" goes to the engine as it is.
            qsizetype j = i + 1;
            while (j < n && (sql[j].isLetterOrNumber() || sql[j] == u'_')) ++j;
            t.kind = Kind::Param;
            t.text = sql.mid(i, j - i);
            i = j;
        } else if (isWordChar(c)) {
            qsizetype j = i;
            while (j < n && isWordChar(sql[j])) ++j;
            t.kind = Kind::Word;
            t.text = sql.mid(i, j - i);
            i = j;
        } else {
            t.kind = Kind::Punct;
            static const char *two[] = {"<=", ">=", "<>", "!=", "||", "=="};
            t.text = QString(c);
            for (const char *op : two) {
                if (i + 1 < n && sql[i] == QLatin1Char(op[0]) && sql[i + 1] == QLatin1Char(op[1])) {
                    t.text = QString::fromLatin1(op, 2);
                    break;
                }
            }
            i += t.text.size();
        }
        out.push_back(std::move(t));
    }
    return out;
}

bool isWord(const Token &t, const char *w)
{
    return t.kind == Kind::Word && t.text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
}
bool isPunct(const Token &t, const char *p) { return t.kind == Kind::Punct && t.text == QLatin1String(p); }

Token word(const QString &text, bool space = true) { return Token{Kind::Word, text, space}; }
Token punct(const QString &text, bool space = false) { return Token{Kind::Punct, text, space}; }

QString render(const std::vector<Token> &toks, size_t from = 0, size_t to = size_t(-1))
{
    QString out;
    if (to > toks.size()) to = toks.size();
    for (size_t i = from; i < to; ++i) {
        if (i > from && toks[i].spaceBefore) out += u' ';
        out += toks[i].text;
    }
    return out;
}

// Index of the parenthesis matching the one at `open` (forward) or `close` (backward).
size_t matchForward(const std::vector<Token> &t, size_t open)
{
    int depth = 0;
    for (size_t i = open; i < t.size(); ++i) {
        if (isPunct(t[i], "(")) ++depth;
        else if (isPunct(t[i], ")") && --depth == 0) return i;
    }
    throw DbError(QStringLiteral("Parentesi non bilanciate nella query"));
}
size_t matchBackward(const std::vector<Token> &t, size_t close)
{
    int depth = 0;
    for (size_t i = close + 1; i-- > 0;) {
        if (isPunct(t[i], ")")) ++depth;
        else if (isPunct(t[i], "(") && --depth == 0) return i;
    }
    throw DbError(QStringLiteral("Parentesi non bilanciate nella query"));
}

// Simple renames and literal rewrites that look at one token and its neighbour.
void rewriteWords(std::vector<Token> &t)
{
    for (size_t i = 0; i < t.size(); ++i) {
        Token &k = t[i];
        if (k.kind != Kind::Word) continue;
        const bool call = i + 1 < t.size() && isPunct(t[i + 1], "(");
        if (isWord(k, "true")) k.text = QStringLiteral("1");
        else if (isWord(k, "false")) k.text = QStringLiteral("0");
        else if (isWord(k, "@@identity")) k.text = QStringLiteral("last_insert_rowid()");
        else if (isWord(k, "distinctrow")) k.text = QStringLiteral("DISTINCT");
        else if (isWord(k, "mod")) k = punct(QStringLiteral("%"), true);
        else if (call && isWord(k, "left")) k.text = QStringLiteral("acc_left");
        else if (call && isWord(k, "right")) k.text = QStringLiteral("acc_right");
        else if (call && isWord(k, "int")) k.text = QStringLiteral("acc_int"); // a type's name on PostgreSQL
        else if (call && isWord(k, "format")) k.text = QStringLiteral("acc_format"); // a built-in on PostgreSQL
        else if (call && (isWord(k, "date") || isWord(k, "now")) && i + 2 < t.size() && isPunct(t[i + 2], ")"))
            k.text = isWord(k, "date") ? QStringLiteral("acc_date") : QStringLiteral("acc_now");
    }
}

// DELETE * FROM t, DELETE t.* FROM t -> DELETE FROM t
void rewriteDelete(std::vector<Token> &t)
{
    for (size_t i = 0; i < t.size(); ++i) {
        if (!isWord(t[i], "delete")) continue;
        size_t j = i + 1;
        while (j < t.size() && !isWord(t[j], "from") && !isPunct(t[j], ";")) ++j;
        if (j < t.size() && isWord(t[j], "from")) t.erase(t.begin() + i + 1, t.begin() + j);
    }
}

// SELECT [DISTINCT] TOP n ... -> SELECT [DISTINCT] ... LIMIT n, at the end of that SELECT.
// LIKE with an explicit escape, the same on both engines: without one SQLite reads a backslash
// as a letter and PostgreSQL as an escape, so a backslash typed in a search box would match
// differently. A pattern written as a literal has its backslashes doubled, one bound as a
// parameter goes through replace(); a LIKE that names its own ESCAPE, or whose pattern is an
// expression, is left as written.
void rewriteLike(std::vector<Token> &t)
{
    for (size_t i = 0; i + 1 < t.size(); ++i) {
        if (!isWord(t[i], "like")) continue;
        const Token &operando = t[i + 1];
        if (operando.kind != Kind::String && operando.kind != Kind::Param) continue;
        if (i + 2 < t.size()) {
            const Token &dopo = t[i + 2];
            if (isWord(dopo, "escape") || isPunct(dopo, "&") || isPunct(dopo, "+") || isPunct(dopo, "||")) continue;
        }
        const Token fuga{Kind::String, QStringLiteral("'\\'"), false};
        std::vector<Token> nuovi;
        if (operando.kind == Kind::String) {
            Token letterale = operando;
            letterale.text.replace(u'\\', QLatin1String("\\\\"));
            nuovi = {letterale};
        } else {
            nuovi = {word(QStringLiteral("replace")), punct(QStringLiteral("(")), Token{Kind::Param, operando.text, false},
                     punct(QStringLiteral(",")), Token{Kind::String, fuga.text, true}, punct(QStringLiteral(",")),
                     Token{Kind::String, QStringLiteral("'\\\\'"), true}, punct(QStringLiteral(")"))};
            nuovi[0].spaceBefore = operando.spaceBefore;
        }
        nuovi.push_back(word(QStringLiteral("ESCAPE")));
        nuovi.push_back(Token{Kind::String, fuga.text, true});
        t.erase(t.begin() + i + 1);
        t.insert(t.begin() + i + 1, nuovi.begin(), nuovi.end());
        i += nuovi.size();
    }
}

void rewriteTop(std::vector<Token> &t)
{
    for (size_t s = t.size(); s-- > 0;) {
        if (!isWord(t[s], "select")) continue;
        size_t k = s + 1;
        if (k < t.size() && (isWord(t[k], "distinct") || isWord(t[k], "all"))) ++k;
        if (k + 1 >= t.size() || !isWord(t[k], "top") || t[k + 1].kind != Kind::Number) continue;
        const QString n = t[k + 1].text;
        t.erase(t.begin() + k, t.begin() + k + 2);
        int depth = 0;
        size_t end = s + 1;
        for (; end < t.size(); ++end) {
            if (isPunct(t[end], "(")) ++depth;
            else if (isPunct(t[end], ")")) {
                if (depth == 0) break;
                --depth;
            } else if (depth == 0 && (isPunct(t[end], ";") || isWord(t[end], "union"))) break;
        }
        t.insert(t.begin() + end, {word(QStringLiteral("LIMIT")), Token{Kind::Number, n, true}});
    }
}

// Span [from, to) of the operand that ends just before `amp` or starts just after it.
std::pair<size_t, size_t> operandBefore(const std::vector<Token> &t, size_t amp)
{
    if (amp == 0) throw DbError(QStringLiteral("Operatore & senza operando"));
    size_t end = amp; // exclusive
    size_t start = amp - 1;
    if (isPunct(t[start], ")")) {
        start = matchBackward(t, start);
        // A word right before the parenthesis is the function being called.
        if (start > 0 && t[start - 1].kind == Kind::Word && !t[start].spaceBefore) --start;
    }
    while (start >= 2 && isPunct(t[start - 1], ".") && (t[start - 2].kind == Kind::Word || t[start - 2].kind == Kind::Name))
        start -= 2;
    return {start, end};
}
std::pair<size_t, size_t> operandAfter(const std::vector<Token> &t, size_t amp)
{
    size_t start = amp + 1;
    if (start >= t.size()) throw DbError(QStringLiteral("Operatore & senza operando"));
    size_t end = start;
    if (t[end].kind == Kind::Word && end + 1 < t.size() && isPunct(t[end + 1], "(")) end = matchForward(t, end + 1);
    else if (isPunct(t[end], "(")) end = matchForward(t, end);
    while (end + 2 < t.size() && isPunct(t[end + 1], ".") && (t[end + 2].kind == Kind::Word || t[end + 2].kind == Kind::Name))
        end += 2;
    return {start, end + 1};
}

bool alreadyWrapped(const std::vector<Token> &t, std::pair<size_t, size_t> span)
{
    return span.second - span.first >= 3 && isWord(t[span.first], "acc_text") && isPunct(t[span.first + 1], "(")
        && matchForward(t, span.first + 1) == span.second - 1;
}

void wrap(std::vector<Token> &t, std::pair<size_t, size_t> span)
{
    const bool sp = t[span.first].spaceBefore;
    t[span.first].spaceBefore = false;
    t.insert(t.begin() + span.second, punct(QStringLiteral(")")));
    t.insert(t.begin() + span.first, {word(QStringLiteral("acc_text"), sp), punct(QStringLiteral("("))});
}

// a & b -> acc_text(a) || acc_text(b): Access turns null into "" and shows dates day first.
void rewriteConcat(std::vector<Token> &t)
{
    for (size_t i = 0; i < t.size(); ++i) {
        if (!isPunct(t[i], "&")) continue;
        auto right = operandAfter(t, i);
        if (!alreadyWrapped(t, right)) wrap(t, right);
        auto left = operandBefore(t, i);
        if (!alreadyWrapped(t, left)) {
            wrap(t, left);
            i += 3;
        }
        t[i].text = QStringLiteral("||");
        t[i].spaceBefore = true;
    }
}

// ---------------------------------------------------------------- UPDATE with joins

struct TableRef {
    std::vector<Token> tokens; // name [AS] [alias]
    QString name;
    QString alias;
};

struct JoinParse {
    const std::vector<Token> &t;
    size_t pos;
    size_t end;
    std::vector<TableRef> tables;
    std::vector<std::vector<Token>> conditions;

    bool atJoinWord() const
    {
        return pos < end && (isWord(t[pos], "inner") || isWord(t[pos], "left") || isWord(t[pos], "right")
                             || isWord(t[pos], "join"));
    }
    void source()
    {
        if (pos < end && isPunct(t[pos], "(")) {
            ++pos;
            joinList();
            if (pos < end && isPunct(t[pos], ")")) ++pos;
            return;
        }
        TableRef r;
        if (pos >= end) throw DbError(QStringLiteral("Tabella mancante nell'aggiornamento"));
        r.tokens.push_back(t[pos]);
        r.name = t[pos].text;
        ++pos;
        if (pos < end && isWord(t[pos], "as")) ++pos;
        if (pos < end && (t[pos].kind == Kind::Word || t[pos].kind == Kind::Name) && !atJoinWord() && !isWord(t[pos], "on")) {
            r.alias = t[pos].text;
            r.tokens.push_back(word(QStringLiteral("AS")));
            r.tokens.push_back(t[pos]);
            r.tokens.back().spaceBefore = true;
            ++pos;
        }
        tables.push_back(std::move(r));
    }
    void joinList()
    {
        source();
        while (atJoinWord()) {
            while (pos < end && !isWord(t[pos], "join")) ++pos;
            ++pos;
            source();
            if (pos < end && isWord(t[pos], "on")) {
                ++pos;
                std::vector<Token> cond;
                int depth = 0;
                while (pos < end) {
                    if (depth == 0 && (atJoinWord() || isPunct(t[pos], ")"))) break;
                    if (isPunct(t[pos], "(")) ++depth;
                    if (isPunct(t[pos], ")")) --depth;
                    cond.push_back(t[pos++]);
                }
                conditions.push_back(std::move(cond));
            }
        }
    }
};

QString bare(const QString &name)
{
    return (name.startsWith(u'[') && name.endsWith(u']')) ? name.mid(1, name.size() - 2) : name;
}

void stripSetQualifiers(std::vector<Token> &set, QString *firstQualifier)
{
    // Each assignment "a.b = expr" becomes "b = expr"; the engine wants bare target columns.
    int depth = 0;
    bool atTarget = true;
    for (size_t i = 0; i < set.size(); ++i) {
        if (isPunct(set[i], "(")) ++depth;
        else if (isPunct(set[i], ")")) --depth;
        else if (depth == 0 && isPunct(set[i], ",")) atTarget = true;
        else if (atTarget && i + 2 < set.size() && isPunct(set[i + 1], ".")) {
            if (firstQualifier && firstQualifier->isEmpty()) *firstQualifier = bare(set[i].text);
            const bool sp = set[i].spaceBefore;
            set.erase(set.begin() + i, set.begin() + i + 2);
            set[i].spaceBefore = sp;
            atTarget = false;
        } else if (atTarget && (set[i].kind == Kind::Word || set[i].kind == Kind::Name)) {
            atTarget = false;
        }
    }
}

void rewriteUpdate(std::vector<Token> &t)
{
    if (t.empty() || !isWord(t[0], "update")) return;
    size_t set = 1;
    int depth = 0;
    for (; set < t.size(); ++set) {
        if (isPunct(t[set], "(")) ++depth;
        else if (isPunct(t[set], ")")) --depth;
        else if (depth == 0 && isWord(t[set], "set")) break;
    }
    if (set >= t.size()) return;
    size_t where = set + 1;
    depth = 0;
    for (; where < t.size(); ++where) {
        if (isPunct(t[where], "(")) ++depth;
        else if (isPunct(t[where], ")")) --depth;
        else if (depth == 0 && (isWord(t[where], "where") || isPunct(t[where], ";"))) break;
    }
    std::vector<Token> assignments(t.begin() + set + 1, t.begin() + where);
    QString qualifier;
    stripSetQualifiers(assignments, &qualifier);

    bool hasJoin = false;
    for (size_t i = 1; i < set; ++i) hasJoin = hasJoin || isWord(t[i], "join");
    std::vector<Token> out;
    if (!hasJoin) {
        out.assign(t.begin(), t.begin() + set + 1);
        out.insert(out.end(), assignments.begin(), assignments.end());
        out.insert(out.end(), t.begin() + where, t.end());
        t = std::move(out);
        return;
    }

    JoinParse jp{t, 1, set, {}, {}};
    jp.joinList();
    size_t target = 0;
    for (size_t i = 0; i < jp.tables.size(); ++i) {
        const TableRef &r = jp.tables[i];
        if (!qualifier.isEmpty()
            && (bare(r.alias).compare(qualifier, Qt::CaseInsensitive) == 0
                || (r.alias.isEmpty() && bare(r.name).compare(qualifier, Qt::CaseInsensitive) == 0))) {
            target = i;
            break;
        }
    }
    out.push_back(t[0]);
    for (const Token &k : jp.tables[target].tokens) out.push_back(k);
    out.back().spaceBefore = true;
    out.front().spaceBefore = false;
    out[1].spaceBefore = true;
    out.push_back(word(QStringLiteral("SET")));
    out.insert(out.end(), assignments.begin(), assignments.end());
    bool first = true;
    for (size_t i = 0; i < jp.tables.size(); ++i) {
        if (i == target) continue;
        out.push_back(first ? word(QStringLiteral("FROM")) : punct(QStringLiteral(",")));
        first = false;
        for (size_t k = 0; k < jp.tables[i].tokens.size(); ++k) {
            Token tk = jp.tables[i].tokens[k];
            if (k == 0) tk.spaceBefore = true;
            out.push_back(tk);
        }
    }
    first = true;
    auto addCondition = [&](const std::vector<Token> &cond) {
        out.push_back(word(first ? QStringLiteral("WHERE") : QStringLiteral("AND")));
        first = false;
        out.push_back(punct(QStringLiteral("("), true));
        out.insert(out.end(), cond.begin(), cond.end());
        out.push_back(punct(QStringLiteral(")")));
    };
    for (const auto &c : jp.conditions) addCondition(c);
    size_t tail = where;
    if (tail < t.size() && isWord(t[tail], "where")) {
        size_t stop = tail + 1;
        while (stop < t.size() && !isPunct(t[stop], ";")) ++stop;
        addCondition(std::vector<Token>(t.begin() + tail + 1, t.begin() + stop));
        tail = stop;
    }
    out.insert(out.end(), t.begin() + tail, t.end());
    t = std::move(out);
}

// Access column types in CREATE TABLE / ALTER TABLE, to the program's storage rules:
// text ignores case, yes/no is 0/1 never null, numbers default to 0, dates are DATETIME.
void rewriteDdl(std::vector<Token> &t)
{
    if (t.size() < 3 || !isWord(t[1], "table") || !(isWord(t[0], "create") || isWord(t[0], "alter"))) return;
    struct Map {
        const char *access;
        const char *engine;
    };
    static const Map maps[] = {
        {"text", "TEXT COLLATE UNOCASE"},   {"char", "TEXT COLLATE UNOCASE"},
        {"varchar", "TEXT COLLATE UNOCASE"}, {"memo", "TEXT COLLATE UNOCASE"},
        {"longtext", "TEXT COLLATE UNOCASE"}, {"yesno", "BOOLEAN NOT NULL DEFAULT 0"},
        {"bit", "BOOLEAN NOT NULL DEFAULT 0"}, {"logical", "BOOLEAN NOT NULL DEFAULT 0"},
        {"counter", "INTEGER PRIMARY KEY AUTOINCREMENT"}, {"autoincrement", "INTEGER PRIMARY KEY AUTOINCREMENT"},
        {"long", "INTEGER DEFAULT 0"},       {"integer", "INTEGER DEFAULT 0"},
        {"int", "INTEGER DEFAULT 0"},        {"short", "INTEGER DEFAULT 0"},
        {"byte", "INTEGER DEFAULT 0"},       {"double", "REAL DEFAULT 0"},
        {"single", "REAL DEFAULT 0"},        {"float", "REAL DEFAULT 0"},
        {"real", "REAL DEFAULT 0"},          {"currency", "REAL DEFAULT 0"},
        {"money", "REAL DEFAULT 0"},         {"numeric", "REAL DEFAULT 0"},
        {"datetime", "DATETIME"},            {"date", "DATETIME"},
    };
    for (size_t i = 2; i < t.size(); ++i) {
        // ALTER TABLE t ADD col TYPE: the engine wants ADD COLUMN.
        if (isWord(t[0], "alter") && isWord(t[i], "add") && i + 1 < t.size() && !isWord(t[i + 1], "column")
            && !isWord(t[i + 1], "constraint"))
            t.insert(t.begin() + i + 1, word(QStringLiteral("COLUMN")));
        const Token &prev = t[i - 1];
        const bool typePosition = (prev.kind == Kind::Word || prev.kind == Kind::Name) && !isWord(prev, "add")
            && !isWord(prev, "column") && !isWord(prev, "table");
        if (!typePosition || t[i].kind != Kind::Word) continue;
        for (const Map &m : maps) {
            if (!isWord(t[i], m.access)) continue;
            t[i].text = QString::fromLatin1(m.engine);
            // A size in parentheses means nothing to the engine.
            if (i + 3 < t.size() && isPunct(t[i + 1], "(") && t[i + 2].kind == Kind::Number && isPunct(t[i + 3], ")"))
                t.erase(t.begin() + i + 1, t.begin() + i + 4);
            break;
        }
    }
}

// ---------------------------------------------------------------- Month/Year of one column

bool isColumnPart(const Token &t) { return t.kind == Kind::Word || t.kind == Kind::Name; }

// "col", "[col]", "t.col", "[t].[col]" starting at `i`; the index after it, or `i` when none.
size_t columnEnd(const std::vector<Token> &t, size_t i)
{
    if (i >= t.size() || !isColumnPart(t[i])) return i;
    if (i + 2 < t.size() && isPunct(t[i + 1], ".") && isColumnPart(t[i + 2])) return i + 3;
    return i + 1;
}

bool sameTokens(const std::vector<Token> &t, size_t a, size_t b, size_t n)
{
    for (size_t k = 0; k < n; ++k)
        if (t[a + k].kind != t[b + k].kind || t[a + k].text.compare(t[b + k].text, Qt::CaseInsensitive) != 0) return false;
    return true;
}

// "Month(col) = 3" or "Year(col) = 2024" at `i`: which function, the column's span and the number.
struct DatePartTest {
    bool month = false;
    size_t colFrom = 0, colTo = 0;
    int number = 0;
    size_t end = 0; // after the number
};

bool readDatePartTest(const std::vector<Token> &t, size_t i, DatePartTest &out)
{
    if (i + 1 >= t.size() || !(isWord(t[i], "month") || isWord(t[i], "year")) || !isPunct(t[i + 1], "(")) return false;
    out.month = isWord(t[i], "month");
    out.colFrom = i + 2;
    out.colTo = columnEnd(t, out.colFrom);
    const size_t k = out.colTo;
    if (k == out.colFrom || k + 2 >= t.size() || !isPunct(t[k], ")") || !isPunct(t[k + 1], "=") || t[k + 2].kind != Kind::Number)
        return false;
    bool ok = false;
    out.number = t[k + 2].text.toInt(&ok);
    out.end = k + 3;
    return ok;
}

// True when what precedes `i` ends a condition, so that "a AND b" there means the same once
// rewritten: not after NOT or an operator, nor as the upper bound of a BETWEEN.
bool startsCondition(const std::vector<Token> &t, size_t i)
{
    if (i == 0 || isPunct(t[i - 1], "(")) return true;
    const Token &p = t[i - 1];
    if (isWord(p, "where") || isWord(p, "on") || isWord(p, "having") || isWord(p, "or")) return true;
    if (!isWord(p, "and")) return false;
    int depth = 0;
    for (size_t j = i - 1; j-- > 0;) {
        if (isPunct(t[j], ")")) ++depth;
        else if (isPunct(t[j], "(") && --depth < 0) return true;
        else if (depth == 0 && isWord(t[j], "between")) return false;
        else if (depth == 0 && (isWord(t[j], "and") || isWord(t[j], "or") || isWord(t[j], "where") || isWord(t[j], "on")
                                || isWord(t[j], "having")))
            return true;
    }
    return true;
}

bool endsCondition(const std::vector<Token> &t, size_t i)
{
    if (i >= t.size()) return true;
    const Token &k = t[i];
    return isPunct(k, ")") || isPunct(k, ";") || isWord(k, "and") || isWord(k, "or") || isWord(k, "order")
        || isWord(k, "group") || isWord(k, "having") || isWord(k, "union") || isWord(k, "limit");
}

QString monthStart(int year, int month)
{
    return QStringLiteral("%1-%2-01 00:00:00").arg(year, 4, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
}

// Month(col) = m And Year(col) = y (either order) -> col >= 'y-m-01 00:00:00' AND col < first
// day of the next month: the same rows, and an index on the column can find them.
void rewriteMonthYear(std::vector<Token> &t)
{
    for (size_t i = 0; i < t.size(); ++i) {
        DatePartTest a, b;
        if (!readDatePartTest(t, i, a) || a.end >= t.size() || !isWord(t[a.end], "and")) continue;
        if (!readDatePartTest(t, a.end + 1, b) || a.month == b.month) continue;
        const size_t n = a.colTo - a.colFrom;
        if (b.colTo - b.colFrom != n || !sameTokens(t, a.colFrom, b.colFrom, n)) continue;
        if (!startsCondition(t, i) || !endsCondition(t, b.end)) continue;
        const int month = a.month ? a.number : b.number;
        const int year = a.month ? b.number : a.number;
        if (month < 1 || month > 12 || year < 1 || year > 9998) continue;
        const std::vector<Token> column(t.begin() + a.colFrom, t.begin() + a.colTo);
        std::vector<Token> range;
        range.insert(range.end(), column.begin(), column.end());
        range.front().spaceBefore = t[i].spaceBefore;
        range.push_back(punct(QStringLiteral(">="), true));
        range.push_back(Token{Kind::String, quoteString(monthStart(year, month)), true});
        range.push_back(word(QStringLiteral("AND")));
        range.insert(range.end(), column.begin(), column.end());
        range[range.size() - n].spaceBefore = true;
        range.push_back(punct(QStringLiteral("<"), true));
        range.push_back(Token{Kind::String, quoteString(month == 12 ? monthStart(year + 1, 1) : monthStart(year, month + 1)), true});
        t.erase(t.begin() + i, t.begin() + b.end);
        t.insert(t.begin() + i, range.begin(), range.end());
        i += range.size() - 1;
    }
}

// Parentheses deeper than this are refused before any rewrite walks them (the join rewrite
// recurses per level); the engine's own parser gives up far earlier.
constexpr int kMaxNesting = 200;

void checkNesting(const std::vector<Token> &t)
{
    int depth = 0;
    for (const Token &k : t) {
        if (isPunct(k, "(") && ++depth > kMaxNesting)
            throw DbError(QStringLiteral("Query non valida: troppe parentesi una dentro l'altra (al massimo %1).")
                              .arg(kMaxNesting));
        if (isPunct(k, ")")) --depth;
    }
}

} // namespace

QString AccessSql::translate(const QString &accessSql)
{
    std::vector<Token> t = tokenize(accessSql);
    checkNesting(t);
    rewriteDdl(t);
    rewriteWords(t);
    rewriteMonthYear(t);
    rewriteDelete(t);
    rewriteTop(t);
    rewriteLike(t);
    rewriteConcat(t);
    rewriteUpdate(t);
    return render(t);
}

QString AccessSql::firstFromTable(const QString &accessSql)
{
    const std::vector<Token> t = tokenize(accessSql);
    int depth = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        if (isPunct(t[i], "(")) ++depth;
        else if (isPunct(t[i], ")")) --depth;
        else if (depth == 0 && isWord(t[i], "from")) {
            size_t j = i + 1;
            while (j < t.size() && isPunct(t[j], "(")) ++j;
            if (j < t.size() && (t[j].kind == Kind::Word || t[j].kind == Kind::Name)) return bare(t[j].text);
            return QString();
        }
    }
    return QString();
}

QStringList AccessSql::splitScript(const QString &script)
{
    QStringList out;
    QString cur;
    const auto flush = [&] {
        const QString piece = cur.trimmed();
        if (!piece.isEmpty()) out << piece;
        cur.clear();
    };
    QChar quote;
    bool inName = false;
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = script[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (inName) {
            if (c == u']') inName = false;
        } else if (const qsizetype end = commentEnd(script, i); end > i) {
            // Comments are dropped: a ";" inside one ends nothing, a piece of comment alone is blank.
            cur += u' ';
            i = end - 1;
            continue;
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'[') {
            inName = true;
        } else if (c == u';') {
            flush();
            continue;
        }
        cur += c;
    }
    flush();
    return out;
}

bool AccessSql::isTransactionStatement(const QString &statement)
{
    const qsizetype n = statement.size();
    qsizetype i = 0;
    while (i < n) {
        if (statement[i].isSpace()) ++i;
        else if (const qsizetype end = commentEnd(statement, i); end > i) i = end;
        else break;
    }
    qsizetype j = i;
    while (j < n && isWordChar(statement[j])) ++j;
    const QString first = statement.mid(i, j - i);
    for (const char *w : {"begin", "commit", "end", "rollback", "savepoint", "release"})
        if (first.compare(QLatin1String(w), Qt::CaseInsensitive) == 0) return true;
    return false;
}

} // namespace db

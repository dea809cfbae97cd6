#include "Expression.h"

#include <cmath>

namespace stampa {

class Expression::Parser {
public:
    explicit Parser(const QString &text) : m_text(text) {}

    std::shared_ptr<Node> parseAll(QString *error)
    {
        std::shared_ptr<Node> n = expr();
        skipSpace();
        if (m_error.isEmpty() && m_pos < m_text.size())
            fail(QStringLiteral("carattere inatteso '%1'").arg(m_text.at(m_pos)));
        if (!m_error.isEmpty()) {
            if (error) *error = m_error;
            return nullptr;
        }
        return n;
    }

private:
    using P = std::shared_ptr<Node>;

    P make(Node::Kind k, std::vector<P> args = {})
    {
        auto n = std::make_shared<Node>();
        n->kind = k;
        n->args = std::move(args);
        return n;
    }
    void fail(const QString &msg)
    {
        if (m_error.isEmpty()) m_error = msg;
    }
    void skipSpace()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace()) ++m_pos;
    }
    bool eat(QChar c)
    {
        skipSpace();
        if (m_pos < m_text.size() && m_text.at(m_pos) == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    P expr()
    {
        P left = term();
        while (m_error.isEmpty()) {
            if (eat(u'+')) left = make(Node::Add, {left, term()});
            else if (eat(u'-')) left = make(Node::Subtract, {left, term()});
            else break;
        }
        return left;
    }
    P term()
    {
        P left = factor();
        while (m_error.isEmpty()) {
            if (eat(u'*')) left = make(Node::Multiply, {left, factor()});
            else if (eat(u'/')) left = make(Node::Divide, {left, factor()});
            else break;
        }
        return left;
    }
    P factor()
    {
        skipSpace();
        if (m_pos >= m_text.size()) {
            fail(QStringLiteral("espressione incompleta"));
            return make(Node::Number);
        }
        if (eat(u'-')) return make(Node::Negate, {factor()});
        if (eat(u'(')) {
            P inner = expr();
            if (!eat(u')')) fail(QStringLiteral("manca ')'"));
            return inner;
        }
        const QChar c = m_text.at(m_pos);
        if (c.isDigit()) {
            const int start = m_pos;
            while (m_pos < m_text.size() && (m_text.at(m_pos).isDigit() || m_text.at(m_pos) == u'.')) ++m_pos;
            bool ok = false;
            P n = make(Node::Number);
            n->number = m_text.mid(start, m_pos - start).toDouble(&ok);
            if (!ok) fail(QStringLiteral("numero non valido"));
            return n;
        }
        if (c.isLetter() || c == u'_') {
            const int start = m_pos;
            while (m_pos < m_text.size() && (m_text.at(m_pos).isLetterOrNumber() || m_text.at(m_pos) == u'_')) ++m_pos;
            const QString word = m_text.mid(start, m_pos - start);
            if (!eat(u'(')) {
                P n = make(Node::Name);
                n->name = word;
                return n;
            }
            std::vector<P> args{expr()};
            while (eat(u',')) args.push_back(expr());
            if (!eat(u')')) fail(QStringLiteral("manca ')'"));
            const QString fn = word.toLower();
            if (fn == u"somma" && args.size() == 1) return make(Node::Sum, args);
            if (fn == u"max" && args.size() == 2) return make(Node::Max, args);
            fail(QStringLiteral("funzione sconosciuta '%1' (si usano somma(x) e max(a, b))").arg(word));
            return make(Node::Number);
        }
        fail(QStringLiteral("carattere inatteso '%1'").arg(c));
        return make(Node::Number);
    }

    const QString &m_text;
    int m_pos = 0;
    QString m_error;
};

Expression Expression::parse(const QString &text, QString *error)
{
    Expression e;
    e.m_root = Parser(text).parseAll(error);
    return e;
}

double Expression::evaluate(const Context &ctx, int row) const
{
    return m_root ? eval(*m_root, ctx, row).toDouble() : 0.0;
}

// In exact decimal, as the program computes money: a row's VAT printed here is the VAT the
// program stored for it.
common::Decimale Expression::eval(const Node &n, const Context &ctx, int row)
{
    using common::Decimale;
    switch (n.kind) {
    case Node::Number: return Decimale::daDouble(n.number);
    case Node::Name: {
        const double v = ctx.value(n.name, row);
        return std::isfinite(v) && std::fabs(v) < 1e26 ? Decimale::daDouble(v) : Decimale();
    }
    case Node::Negate: return -eval(*n.args[0], ctx, row);
    case Node::Add: return eval(*n.args[0], ctx, row) + eval(*n.args[1], ctx, row);
    case Node::Subtract: return eval(*n.args[0], ctx, row) - eval(*n.args[1], ctx, row);
    case Node::Multiply: return eval(*n.args[0], ctx, row) * eval(*n.args[1], ctx, row);
    case Node::Divide: // an empty divisor prints 0, not "inf"
        return Decimale::dividi(eval(*n.args[0], ctx, row), eval(*n.args[1], ctx, row), Decimale::ScalaMassima);
    case Node::Sum: {
        Decimale s;
        for (int r = 0; r < ctx.rows; ++r) s += eval(*n.args[0], ctx, r);
        return s;
    }
    case Node::Max: return std::max(eval(*n.args[0], ctx, row), eval(*n.args[1], ctx, row));
    }
    return {};
}

void Expression::collect(const Node &n, QStringList &out)
{
    if (n.kind == Node::Name) out << n.name;
    for (const auto &a : n.args) collect(*a, out);
}

QStringList Expression::names() const
{
    QStringList out;
    if (m_root) collect(*m_root, out);
    return out;
}

} // namespace stampa

#pragma once
// The arithmetic of a template's [calcoli]: numbers, field names, + - * /, parentheses,
// somma(x) over the rows of the document and max(a, b). Enough for row totals, VAT and
// balances without putting program logic into the report program.
#include "common/Decimale.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace stampa {

class Expression {
public:
    // Gives the value of a name at a row; `rows` is how many rows somma() adds up.
    struct Context {
        std::function<double(const QString &name, int row)> value;
        int rows = 0;
    };

    // Parses the text; on error returns an empty expression and sets `error`.
    static Expression parse(const QString &text, QString *error);

    bool isValid() const { return m_root != nullptr; }
    double evaluate(const Context &ctx, int row) const;
    QStringList names() const; // the field names it reads

private:
    struct Node {
        enum Kind { Number, Name, Negate, Add, Subtract, Multiply, Divide, Sum, Max } kind;
        double number = 0;
        QString name;
        std::vector<std::shared_ptr<Node>> args;
    };
    class Parser;
    static common::Decimale eval(const Node &n, const Context &ctx, int row);
    static void collect(const Node &n, QStringList &out);

    std::shared_ptr<Node> m_root;
};

} // namespace stampa

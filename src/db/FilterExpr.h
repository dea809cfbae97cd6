#pragma once
#include "FieldType.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace db {

// The client-side filter language of the datasets (the ADO filter):
//   Col like 'ab*'   Col = 'x'   Col <> 3   Col >= #31/12/2024#   Col = null   Flag = true
// joined by and/or with parentheses. Text literals double their apostrophes; dates between
// # are read day first; comparisons of text ignore case. Parsed once, evaluated in memory.
class FilterExpr {
public:
    FilterExpr();
    ~FilterExpr();
    FilterExpr(FilterExpr &&) noexcept;
    FilterExpr &operator=(FilterExpr &&) noexcept;

    // Throws DbError with an Italian message on a malformed filter.
    static FilterExpr parse(const QString &text);

    bool isEmpty() const;
    // Resolves column names to positions; throws DbError for an unknown column.
    void bind(const std::function<int(const QString &)> &columnIndex, const std::vector<FieldType> &types);
    bool matches(const QVariant *row) const;

    struct Node;

private:
    std::unique_ptr<Node> m_root;
};

} // namespace db

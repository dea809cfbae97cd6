#pragma once
#include <QString>

namespace db {

enum class FieldType { Unknown, Integer, Float, Text, DateTime, Boolean, Blob };

// The type a column declares in the schema ("INTEGER", "REAL", "DATETIME", "BOOLEAN" ...).
FieldType fieldTypeFromDeclared(const QString &declared);

} // namespace db

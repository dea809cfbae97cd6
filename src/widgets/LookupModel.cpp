#include "LookupModel.h"

#include <cmath>

namespace ui {

namespace {

// A key as a whole number when it is one (7, 7.0, "7"); otherwise its text.
bool numberOf(const QVariant &key, qint64 &out)
{
    switch (key.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        out = key.toLongLong();
        return true;
    default:
        break;
    }
    bool ok = false;
    const double d = key.toDouble(&ok);
    if (!ok || !std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 9.0e15) return false;
    out = qint64(d);
    return true;
}

} // namespace

LookupModel::LookupModel(QObject *parent) : QAbstractListModel(parent) {}

void LookupModel::setQuery(db::Query *query, const QString &keyField, const QString &listField)
{
    m_query = query;
    m_keyField = keyField;
    m_listField = listField;
    reset();
}

void LookupModel::reset()
{
    beginResetModel();
    const bool open = m_query && m_query->isActive() && !m_query->isArmed();
    m_keyCol = open ? m_query->fieldIndex(m_keyField) : -1;
    m_listCol = open ? m_query->fieldIndex(m_listField) : -1;
    m_rows = m_keyCol >= 0 ? m_query->recordCount() : 0;
    m_indexed = false;
    m_byNumber.clear();
    m_byText.clear();
    endResetModel();
}

int LookupModel::rowOfKey(const QVariant &key) const
{
    if (key.isNull() || m_rows == 0 || !m_query) return -1;
    if (!m_indexed) {
        m_indexed = true;
        m_byNumber.reserve(m_rows);
        // Backwards, so that of equal keys the first row wins.
        for (int row = m_rows - 1; row >= 0; --row) {
            const QVariant k = m_query->valueAt(row, m_keyCol);
            if (k.isNull()) continue;
            qint64 n = 0;
            if (numberOf(k, n)) m_byNumber.insert(n, row);
            else m_byText.insert(k.toString(), row);
        }
    }
    qint64 n = 0;
    if (numberOf(key, n)) return m_byNumber.value(n, -1);
    return m_byText.value(key.toString(), -1);
}

bool LookupModel::rowHasKey(int row, const QVariant &key) const
{
    if (key.isNull() || row < 0 || row >= m_rows || !m_query) return false;
    const QVariant k = m_query->valueAt(row, m_keyCol);
    qint64 a = 0, b = 0;
    if (numberOf(k, a) && numberOf(key, b)) return a == b;
    return !k.isNull() && k.toString() == key.toString();
}

int LookupModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows; }

QVariant LookupModel::data(const QModelIndex &index, int role) const
{
    if (!m_query || !index.isValid() || index.row() >= m_rows) return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_listCol >= 0 ? m_query->displayTextAt(index.row(), m_listCol) : QString();
    if (role == Qt::UserRole) return m_query->valueAt(index.row(), m_keyCol);
    return QVariant();
}

} // namespace ui

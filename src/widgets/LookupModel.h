#pragma once
#include "db/Query.h"

#include <QAbstractListModel>
#include <QHash>
#include <QPointer>

namespace ui {

// The rows of a lookup's list dataset as a pick list, read on demand from the dataset's view
// (no copy of the rows): the list field to show, the key field as Qt::UserRole. An armed
// dataset shows no row until it is read. Row n is the dataset's view row n.
class LookupModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LookupModel(QObject *parent = nullptr);

    void setQuery(db::Query *query, const QString &keyField, const QString &listField);
    db::Query *query() const { return m_query; }
    // The rows of the dataset's view as they are now (call after the dataset changed).
    void reset();
    // The first row holding the key, -1 when none does (or the key is null). Keys compare by
    // value whatever their type: 7, 7.0 and "7" are one key.
    int rowOfKey(const QVariant &key) const;
    // Whether that row holds the key (by value, as rowOfKey compares).
    bool rowHasKey(int row, const QVariant &key) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QPointer<db::Query> m_query;
    QString m_keyField;
    QString m_listField;
    int m_rows = 0;
    int m_keyCol = -1;
    int m_listCol = -1;
    // Built at the first search after a reset: integer keys by number, others by text.
    mutable bool m_indexed = false;
    mutable QHash<qint64, int> m_byNumber;
    mutable QHash<QString, int> m_byText;
};

} // namespace ui

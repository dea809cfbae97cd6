#pragma once
#include "db/DataSource.h"
#include "db/Query.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>

class QWidget;

namespace db {
class DbError;
}

namespace ui {

// Shows a database error to the user in the program's error box.
void reportDbError(const db::DbError &error, QWidget *parent);

// The binding every data-aware control shares: the source and field it shows, when it must
// reload, whether the user may change the value now, and how a value goes back to the row.
// A value the dataset refuses is reported to the user; the control keeps what was typed.
class FieldLink : public QObject {
    Q_OBJECT
public:
    explicit FieldLink(QWidget *control);

    void setDataSource(db::DataSource *source);
    db::DataSource *dataSource() const { return m_source; }
    void setDataField(const QString &name);
    QString dataField() const { return m_fieldName; }

    // The open dataset, else null; null too while it is armed and the control hidden.
    db::Query *dataset() const;
    db::Field field() const;    // invalid with no current row or no such column
    QString text() const;       // the field as shown: the display hook, else asString()
    bool canModify() const;     // there is a row and the user may change it now

    // The form's own read-only wish; the control is read-only as well while it cannot modify.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const;

    // The user started changing the value: the dataset goes into edit state.
    void beginEdit();
    // Writes a value at once; false, after telling the user why, when the dataset refuses it.
    bool write(const QVariant &value);
    // Writes the value the user edited, if any; on a refusal the focus goes back to the control.
    bool commit(const QVariant &value);
    // How the control reads what the user is typing, so a save started elsewhere (a toolbar
    // button that takes no focus) still writes it.
    void setPendingValue(std::function<QVariant()> pending) { m_pending = std::move(pending); }

Q_SIGNALS:
    void reload();          // the field's value may have changed: show it again
    void editableChanged(); // isReadOnly() may have changed

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reloadAll();
    int column() const;

    QWidget *m_control;
    QPointer<db::DataSource> m_source;
    QString m_fieldName;
    bool m_readOnly = false;
    bool m_edited = false;
    bool m_committing = false;
    std::function<QVariant()> m_pending;
};

// The data-source and field properties every bound control offers, over its FieldLink.
class DataBound {
public:
    void setDataSource(db::DataSource *source) { m_link->setDataSource(source); }
    db::DataSource *dataSource() const { return m_link->dataSource(); }
    void setDataField(const QString &name) { m_link->setDataField(name); }
    QString dataField() const { return m_link->dataField(); }

protected:
    explicit DataBound(QWidget *control) : m_link(new FieldLink(control)) {}
    ~DataBound() = default;
    FieldLink *const m_link; // owned by the control
};

} // namespace ui

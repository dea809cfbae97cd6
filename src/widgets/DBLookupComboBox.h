#pragma once
#include "FieldLink.h"
#include "LookupModel.h"

#include <QComboBox>

namespace ui {

// A pick list bound to a key field of the current row (such as Cliente_ID). The list comes from
// another dataset: each of its rows offers its list field and stands for its key field.
// A key that is null, 0 or not in the list shows nothing. Backspace or Delete clears the key.
// The items are the list dataset's rows themselves (LookupModel), read when the box is shown or
// dropped down; a pick puts the list dataset on the very row picked, even when another row holds
// the same key (two towns of one name).
class DBLookupComboBox : public QComboBox, public DataBound {
    Q_OBJECT
public:
    explicit DBLookupComboBox(QWidget *parent = nullptr);

    void setListSource(db::DataSource *source);
    db::DataSource *listSource() const { return m_list; }
    void setKeyField(const QString &name);
    QString keyField() const { return m_keyField; }
    void setListField(const QString &name);
    QString listField() const { return m_listField; }
    // Backspace and Delete empty the field, unless a form keeps its lookups always filled.
    void setClearable(bool clearable) { m_clearable = clearable; }

Q_SIGNALS:
    // The user chose a row: the list dataset is on it and its key is in the field.
    void picked();
    // The user emptied the field with Backspace or Delete.
    void cleared();


public:
    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // A list armed to open at its first use is read when the box is shown or dropped down.
    void leggiSeArmata();
    void fillList();
    void showValue();
    void pick(int index);

    bool m_clearable = true;
    QPointer<db::DataSource> m_list;
    QString m_keyField;
    QString m_listField;
    LookupModel *m_model;
};

} // namespace ui

#pragma once
#include "FieldLink.h"

#include <QLineEdit>

namespace ui {

// A line edit showing one field of the current row. Typing puts the dataset in edit state;
// the text is written to the field when the focus leaves or Enter is pressed (empty: null).
// A field holding a lone blank (the placeholder of a new row) has it selected on focus, and
// text written over it never keeps the blank in front.
class DBEdit : public QLineEdit, public DataBound {
    Q_OBJECT
public:
    explicit DBEdit(QWidget *parent = nullptr);
    // The form's own setting; without a row to change the edit is read-only anyway.
    void setReadOnly(bool readOnly) { m_link->setReadOnly(readOnly); }

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // What the edited text writes into the field, and how the field's value is shown.
    virtual QVariant editedValue() const;
    virtual void showValue();
};

} // namespace ui

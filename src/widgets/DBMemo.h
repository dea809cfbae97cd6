#pragma once
#include "FieldLink.h"

#include <QPlainTextEdit>

namespace ui {

// A multi-line text field of the current row; written back when the focus leaves.
class DBMemo : public QPlainTextEdit, public DataBound {
    Q_OBJECT
public:
    explicit DBMemo(QWidget *parent = nullptr);
    // The form's own setting; without a row to change the memo is read-only anyway.
    void setReadOnly(bool readOnly) { m_link->setReadOnly(readOnly); }

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    QVariant editedValue() const;
    bool m_showing = false;
};

} // namespace ui

#pragma once
#include <QObject>
#include <QSet>
#include <functional>

class QKeyEvent;
class QWidget;

namespace ui {

// The editing behaviour of a data-entry form, installed once on the form instead of handlers
// on every control. It watches the form's edits, lookups and memos as they exist when it is
// installed:
// - the focused one is painted aqua, and white again when the focus leaves;
// - in edits and lookups (not memos) Enter and Down move to the next control in tab order,
//   Up to the previous one;
// - typing in a field, a right-button press in an edit or memo, a pick in a lookup and a click
//   on a check box report the record modified (a left-button press does not);
// - in amount fields a typed "." becomes the decimal comma.
class EditingHelper : public QObject {
    Q_OBJECT
public:
    explicit EditingHelper(QWidget *form);
    static EditingHelper *install(QWidget *form);

    // Called every time the user modifies the record through a control.
    void setModifiedCallback(std::function<void()> callback) { m_modified = std::move(callback); }
    void markAmountField(QWidget *field) { m_amountFields.insert(field); }
    // Some forms keep the keys' ordinary meaning: no Enter/Down/Up navigation.
    void setNavigation(bool on) { m_navigation = on; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyPress(QWidget *field, QKeyEvent *event);
    void markModified();

    std::function<void()> m_modified;
    QSet<const QWidget *> m_amountFields;
    bool m_navigation = true;
};

} // namespace ui

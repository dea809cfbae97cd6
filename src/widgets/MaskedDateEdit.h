#pragma once
#include "DBEdit.h"

#include <QDate>

namespace ui {

// A date typed as dd/mm/yyyy into a fixed mask whose blanks show as '_'. Works alone, or bound
// to a date field through setDataSource/setDataField like a DBEdit.
class MaskedDateEdit : public DBEdit {
    Q_OBJECT
public:
    explicit MaskedDateEdit(QWidget *parent = nullptr);

    // The text with the mask's blanks as spaces: an empty edit reads "  /  /    ".
    QString text() const;
    // Invalid unless the text is a complete, real date.
    QDate date() const;
    void setDate(const QDate &date); // an invalid date empties the edit

protected:
    QVariant editedValue() const override;
    void showValue() override;
};

} // namespace ui

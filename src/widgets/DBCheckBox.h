#pragma once
#include "FieldLink.h"

#include <QCheckBox>

namespace ui {

// A yes/no field of the current row; a click writes 1 or 0 at once.
class DBCheckBox : public QCheckBox, public DataBound {
    Q_OBJECT
public:
    explicit DBCheckBox(const QString &text = QString(), QWidget *parent = nullptr);

private:
    void showValue();
};

} // namespace ui

#pragma once
#include "FieldLink.h"

#include <QLabel>

namespace ui {

// A read-only label showing one field of the current row.
class DBText : public QLabel, public DataBound {
    Q_OBJECT
public:
    explicit DBText(QWidget *parent = nullptr);
};

} // namespace ui

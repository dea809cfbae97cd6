#pragma once
// A small invoice table with a customer list, open in two queries with their sources, and a
// window to put controls in. The seams answer every dialog.
#include "db/DataSource.h"
#include "db/Query.h"
#include "support/TestSupport.h"

#include <QVBoxLayout>
#include <QWidget>

class QCheckBox;

// Clicks a check box on its square, where a user clicks.
void clickBox(QCheckBox *box);

struct WidgetFixture {
    WidgetFixture();

    // Adds a control to the window (in tab order) and returns it.
    template <typename T> T *add(T *control, const QString &name = QString())
    {
        control->setObjectName(name);
        form.layout()->addWidget(control);
        return control;
    }
    // Shows the window and makes it active, so that focus changes as for a user.
    bool showActive();
    // The stored value of a column of invoice 1, as text ("<null>" for null).
    QString stored(const QString &column, int id = 1);

    testing_support::Seams seams;
    testing_support::TestDatabase database;
    db::Query fatture{&database.conn()};
    db::DataSource fattureSource{&fatture};
    db::Query clienti{&database.conn()};
    db::DataSource clientiSource{&clienti};
    QWidget form;
};

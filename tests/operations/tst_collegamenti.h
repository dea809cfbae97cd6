#pragma once
#include <QObject>

// Paths that cross two groups of forms, through the real forms: the seizure editor's invoice and
// quote links chosen in the invoice finder, and the staff buttons of the sales-invoice editor
// and of the calendar entry reaching the real staff list and editor.
class TestCollegamenti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void fatturaDalTrova();
    void preventivoDalTrova();
    void personaleDallaFattura();
    void personaleDalCalendario();
};

#pragma once
#include <QObject>

// The appointments calendar without windows: the list's search on a real query, the entry's
// date rule, the iCalendar text of the entries and the delete of one entry by its id.
class TestServiziCalendario : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void filtroRicerca_data();
    void filtroRicerca();
    void controllaDate_data();
    void controllaDate();
    void testoICal();
    void elimina();

private:
    QByteArray m_tz;
};

#pragma once
#include <QObject>

// vCard and iCalendar texts and files, checked also with Debian's own parsers.
class TestExchange : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesCard_data();
    void writesCard();
    void cardRoundTrip();
    void readsOtherCards_data();
    void readsOtherCards();
    void findsCardsInFile_data();
    void findsCardsInFile();
    void cardReadByVobject();
    void writesEvent_data();
    void writesEvent();
    void writesUtcTime_data();
    void writesUtcTime();
    void eventReadByIcalendar();
};

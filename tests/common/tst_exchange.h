#pragma once
#include <QObject>

// vCard and iCalendar texts and files, checked also with independent parsers: the pinned npm
// packages vcard4 and ical.js (tests/common/checkers) and Debian's Python ones.
class TestExchange : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void foldsLines_data();
    void foldsLines();
    void escapesText_data();
    void escapesText();
    void writesCard_data();
    void writesCard();
    void cardsPassStrictParsers();
    void cardRoundTrip();
    void readsOtherCards_data();
    void readsOtherCards();
    void findsCardsInFile_data();
    void findsCardsInFile();
    void cardReadByVobject();
    void strictParsersRefuseOldForms_data();
    void strictParsersRefuseOldForms();
    void writesEvent_data();
    void writesEvent();
    void eventPassesStrictParser();
    void writesUtcTime_data();
    void writesUtcTime();
    void eventReadByIcalendar();
};

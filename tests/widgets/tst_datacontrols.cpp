#include "tst_datacontrols.h"
#include "WidgetFixture.h"

#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"
#include "widgets/DBText.h"
#include "widgets/MaskedDateEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

void selectAll(QWidget *w) { QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier); }

// Replaces the whole text as a user does: select everything, then type (or erase).
void retype(QWidget *w, const QString &text)
{
    w->setFocus();
    selectAll(w);
    if (text.isEmpty()) QTest::keyClick(w, Qt::Key_Backspace);
    else QTest::keyClicks(w, text);
}

} // namespace

void TestDataControls::editWritesTypedValue_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("shownBefore");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shownAfter");

    QTest::newRow("testo") << "Nome" << "Bianchi" << "Rossi" << false << "Rossi" << "Rossi";
    QTest::newRow("testo vuoto") << "Nome" << "Bianchi" << "" << false << "<null>" << "";
    QTest::newRow("intero con Invio") << "Numero" << "7" << "42" << true << "42" << "42";
    QTest::newRow("intero vuoto") << "Numero" << "7" << "" << false << "<null>" << "";
    QTest::newRow("decimale con virgola") << "Importo" << "3,25" << "12,5" << false << "12.5" << "12,5";
    QTest::newRow("data") << "Data" << "01/01/2025" << "15/03/2026" << true << "2026-03-15 00:00:00" << "15/03/2026";
}

void TestDataControls::editWritesTypedValue()
{
    QFETCH(QString, field);
    QFETCH(QString, shownBefore);
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    QFETCH(QString, stored);
    QFETCH(QString, shownAfter);

    WidgetFixture f;
    auto *edit = f.add(new ui::DBEdit);
    auto *other = f.add(new QLineEdit);
    edit->setDataSource(&f.fattureSource);
    edit->setDataField(field);
    QVERIFY(f.showActive());
    QCOMPARE(edit->text(), shownBefore);

    retype(edit, typed);
    QCOMPARE(f.fatture.state(), db::Query::State::Edit);
    QVERIFY(!f.fatture.isModified(f.fatture.fieldIndex(field))); // nothing is written while typing
    if (byEnter) QTest::keyClick(edit, Qt::Key_Return);
    else other->setFocus();
    QVERIFY(f.fatture.isModified(f.fatture.fieldIndex(field)));

    QVERIFY2(f.fatture.post(), qPrintable(f.fatture.lastError()));
    QCOMPARE(f.stored(field), stored);
    QCOMPARE(edit->text(), shownAfter);
    QVERIFY2(f.seams.dialogs.clean(), qPrintable(f.seams.dialogs.report()));
}

void TestDataControls::saveWritesTextStillBeingTyped()
{
    // A toolbar button takes no focus: the edit still holds the text when the row is saved.
    WidgetFixture f;
    auto *edit = f.add(new ui::DBEdit);
    auto *memo = f.add(new ui::DBMemo);
    edit->setDataSource(&f.fattureSource);
    edit->setDataField("Nome");
    memo->setDataSource(&f.fattureSource);
    memo->setDataField("Nome");
    QVERIFY(f.showActive());
    retype(edit, "Verdi");
    QVERIFY(edit->hasFocus());
    QVERIFY2(f.fatture.post(), qPrintable(f.fatture.lastError()));
    QCOMPARE(f.stored("Nome"), QString("Verdi"));
    // Moving to another row does the same.
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_End);
    QTest::keyClicks(memo, " Srl");
    f.fatture.next();
    QCOMPARE(f.stored("Nome"), QString("Verdi Srl"));
}

void TestDataControls::editRefusesInvalidValue_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("storedBefore");

    QTest::newRow("lettere in un intero") << "Numero" << "12a" << "non è un numero intero valido" << "7";
    QTest::newRow("decimale illeggibile") << "Importo" << "abc" << "non è un numero valido" << "3.25";
    QTest::newRow("data inesistente") << "Data" << "31/02/2026" << "non è una data valida" << "2025-01-01 00:00:00";
}

void TestDataControls::editRefusesInvalidValue()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, storedBefore);

    WidgetFixture f;
    auto *edit = f.add(new ui::DBEdit);
    auto *other = f.add(new QLineEdit);
    edit->setDataSource(&f.fattureSource);
    edit->setDataField(field);
    QVERIFY(f.showActive());

    f.seams.dialogs.expectMessage(message);
    retype(edit, typed);
    other->setFocus();

    QVERIFY2(f.seams.dialogs.clean(), qPrintable(f.seams.dialogs.report()));
    QCOMPARE(f.seams.dialogs.messages().size(), 1);
    QCOMPARE(f.seams.dialogs.messages().first().caption, QString("Messaggio di errore"));
    QCOMPARE(f.seams.dialogs.messages().first().icon, QMessageBox::Critical);
    QCOMPARE(edit->text(), typed);
    QCOMPARE(QApplication::focusWidget(), edit); // the user goes on correcting it
    QVERIFY(!f.fatture.isModified(f.fatture.fieldIndex(field)));

    // Enter tries again and is refused again; nothing reaches the table.
    f.seams.dialogs.expectMessage(message);
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY2(f.seams.dialogs.clean(), qPrintable(f.seams.dialogs.report()));
    QCOMPARE(edit->text(), typed);
    QVERIFY(f.fatture.post());
    QCOMPARE(f.stored(field), storedBefore);
}

void TestDataControls::editAndTextFollowRowAndState()
{
    WidgetFixture f;
    auto *edit = f.add(new ui::DBEdit);
    auto *label = f.add(new ui::DBText);
    for (auto *c : {static_cast<ui::DataBound *>(edit), static_cast<ui::DataBound *>(label)}) {
        c->setDataSource(&f.fattureSource);
        c->setDataField("Nome");
    }
    QCOMPARE(edit->text(), QString("Bianchi"));
    QCOMPARE(label->text(), QString("Bianchi"));
    QVERIFY(!edit->isReadOnly());

    f.fatture.next();
    QCOMPARE(edit->text(), QString("Neri"));
    QCOMPARE(label->text(), QString("Neri"));

    f.fatture.fieldByName("Nome").setAsString("Gialli"); // another control or the code writes
    QCOMPARE(edit->text(), QString("Gialli"));
    QCOMPARE(label->text(), QString("Gialli"));
    f.fatture.cancel();
    QCOMPARE(edit->text(), QString("Neri"));

    f.fatture.setDisplayHook("Nome", [](const QVariant &v) { return v.toString().toUpper(); });
    QCOMPARE(edit->text(), QString("NERI"));
    f.fatture.setDisplayHook("Nome", nullptr);

    f.fatture.setFilter("Nome = 'Nessuno'");
    QCOMPARE(edit->text(), QString());
    QCOMPARE(label->text(), QString());
    QVERIFY(edit->isReadOnly());
    f.fatture.setFilter("");
    QVERIFY(!edit->isReadOnly());
    f.fatture.close();
    QVERIFY(edit->isReadOnly());
    QCOMPARE(edit->text(), QString());

    f.fatture.open();
    f.fattureSource.setAutoEdit(false);
    f.fatture.next(); // the source tells its controls of the change with the next move
    QVERIFY(edit->isReadOnly());
    f.fatture.edit();
    QVERIFY(!edit->isReadOnly());
    f.fatture.cancel();

    // The form's own read-only setting survives the dataset's changes of state.
    f.fattureSource.setAutoEdit(true);
    edit->setReadOnly(true);
    f.fatture.edit();
    QVERIFY(edit->isReadOnly());
    edit->setReadOnly(false);
    QVERIFY(!edit->isReadOnly());
}

void TestDataControls::memoKeepsItsLines()
{
    WidgetFixture f;
    auto *memo = f.add(new ui::DBMemo);
    auto *other = f.add(new QLineEdit);
    memo->setDataSource(&f.fattureSource);
    memo->setDataField("Note");
    QVERIFY(f.showActive());
    QCOMPARE(memo->toPlainText(), QString("prima"));

    memo->setFocus();
    selectAll(memo);
    QTest::keyClicks(memo, "riga uno");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "riga due");
    QCOMPARE(QApplication::focusWidget(), memo);
    QVERIFY(!f.fatture.isModified(f.fatture.fieldIndex("Note")));
    other->setFocus();

    QVERIFY(f.fatture.post());
    QCOMPARE(f.stored("Note"), QString("riga uno\nriga due"));

    memo->setFocus();
    selectAll(memo);
    QTest::keyClick(memo, Qt::Key_Delete);
    other->setFocus();
    QVERIFY(f.fatture.post());
    QCOMPARE(f.stored("Note"), QString("<null>"));
}

void TestDataControls::checkBoxWritesAtOnce()
{
    WidgetFixture f;
    auto *box = f.add(new ui::DBCheckBox("Pagata"));
    box->setDataSource(&f.fattureSource);
    box->setDataField("Pagata");
    QVERIFY(f.showActive());
    QVERIFY(!box->isChecked());

    clickBox(box);
    QVERIFY(box->isChecked());
    QCOMPARE(f.fatture.state(), db::Query::State::Edit);
    QCOMPARE(f.fatture.fieldByName("Pagata").value(), QVariant(qint64(1)));
    clickBox(box);
    QCOMPARE(f.fatture.fieldByName("Pagata").value(), QVariant(qint64(0)));
    clickBox(box);
    QVERIFY(f.fatture.post());
    QCOMPARE(f.stored("Pagata"), QString("1"));

    f.fatture.next();
    QVERIFY(box->isChecked());

    // A source that does not let the user start editing undoes the click.
    f.fattureSource.setAutoEdit(false);
    clickBox(box);
    QVERIFY(box->isChecked());
    QCOMPARE(f.fatture.state(), db::Query::State::Browse);
    QCOMPARE(f.stored("Pagata", 2), QString("1"));
}

void TestDataControls::lookupShowsListText_data()
{
    QTest::addColumn<QVariant>("key");
    QTest::addColumn<QString>("shown");

    QTest::newRow("chiave presente") << QVariant(2) << "Verdi";
    QTest::newRow("chiave assente") << QVariant(99) << "";
    QTest::newRow("chiave nulla") << QVariant() << "";
    QTest::newRow("chiave zero, anche se in elenco") << QVariant(0) << "";
}

void TestDataControls::lookupShowsListText()
{
    QFETCH(QVariant, key);
    QFETCH(QString, shown);

    WidgetFixture f;
    auto *lookup = f.add(new ui::DBLookupComboBox);
    lookup->setListSource(&f.clientiSource);
    lookup->setKeyField("Id");
    lookup->setListField("Descrizione");
    lookup->setDataSource(&f.fattureSource);
    lookup->setDataField("Cliente_ID");
    QCOMPARE(lookup->count(), 4);
    QCOMPARE(lookup->currentText(), QString("Rossi"));
    QVERIFY(!lookup->isEditable());

    f.fatture.fieldByName("Cliente_ID").setValue(key);
    QCOMPARE(lookup->currentText(), shown);
}

void TestDataControls::lookupPickPositionsListBeforeWriting()
{
    WidgetFixture f;
    auto *lookup = f.add(new ui::DBLookupComboBox);
    lookup->setListSource(&f.clientiSource);
    lookup->setKeyField("Id");
    lookup->setListField("Descrizione");
    lookup->setDataSource(&f.fattureSource);
    lookup->setDataField("Cliente_ID");
    QVERIFY(f.showActive());
    QCOMPARE(f.clienti.fieldByName("Descrizione").asString(), QString("Bianchi"));

    const int keyCol = f.fatture.fieldIndex("Cliente_ID");
    QStringList listRowAtEachWrite;
    connect(&f.fatture, &db::Query::fieldChanged, lookup, [&](int col) {
        if (col == keyCol) listRowAtEachWrite << f.clienti.fieldByName("Descrizione").asString();
    });
    QString listRowWhenPicked;
    QVariant keyWhenPicked;
    connect(lookup, &ui::DBLookupComboBox::picked, lookup, [&] {
        listRowWhenPicked = f.clienti.fieldByName("Descrizione").asString();
        keyWhenPicked = f.fatture.fieldByName("Cliente_ID").value();
    });
    QSignalSpy picks(lookup, &ui::DBLookupComboBox::picked);

    lookup->setFocus();
    QTest::keyClicks(lookup, "V"); // the closed list finds its item by the typed letter

    QCOMPARE(picks.count(), 1);
    QCOMPARE(listRowAtEachWrite, QStringList({"Verdi"}));
    QCOMPARE(listRowWhenPicked, QString("Verdi"));
    QCOMPARE(keyWhenPicked, QVariant(qint64(2)));
    QCOMPARE(lookup->currentText(), QString("Verdi"));
    QVERIFY(f.fatture.post());
    QCOMPARE(f.stored("Cliente_ID"), QString("2"));
}

void TestDataControls::lookupClearsWithKey_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Backspace") << int(Qt::Key_Backspace);
    QTest::newRow("Canc") << int(Qt::Key_Delete);
}

void TestDataControls::lookupClearsWithKey()
{
    QFETCH(int, key);

    WidgetFixture f;
    auto *lookup = f.add(new ui::DBLookupComboBox);
    lookup->setListSource(&f.clientiSource);
    lookup->setKeyField("Id");
    lookup->setListField("Descrizione");
    lookup->setDataSource(&f.fattureSource);
    lookup->setDataField("Cliente_ID");
    QVERIFY(f.showActive());
    QSignalSpy cleared(lookup, &ui::DBLookupComboBox::cleared);
    QSignalSpy picked(lookup, &ui::DBLookupComboBox::picked);

    lookup->setFocus();
    QTest::keyClick(lookup, Qt::Key(key));

    QCOMPARE(cleared.count(), 1);
    QCOMPARE(picked.count(), 0);
    QCOMPARE(lookup->currentText(), QString());
    QCOMPARE(f.fatture.state(), db::Query::State::Edit);
    QVERIFY(f.fatture.post());
    QCOMPARE(f.stored("Cliente_ID"), QString("<null>"));
}

void TestDataControls::lookupFollowsListChanges()
{
    WidgetFixture f;
    auto *lookup = f.add(new ui::DBLookupComboBox);
    lookup->setListSource(&f.clientiSource);
    lookup->setKeyField("Id");
    lookup->setListField("Descrizione");
    lookup->setDataSource(&f.fattureSource);
    lookup->setDataField("Cliente_ID");
    f.fatture.fieldByName("Cliente_ID").setValue(4);
    QCOMPARE(lookup->currentText(), QString());

    f.database.exec("INSERT INTO Clienti (Id, Descrizione) VALUES (4, 'Gialli')");
    f.clienti.requery();
    QCOMPARE(lookup->count(), 5);
    QCOMPARE(lookup->currentText(), QString("Gialli"));

    f.clienti.setFilter("Descrizione like 'R*'");
    QCOMPARE(lookup->count(), 1);
    QCOMPARE(lookup->currentText(), QString());
    f.fatture.fieldByName("Cliente_ID").setValue(1);
    QCOMPARE(lookup->currentText(), QString("Rossi"));
}

void TestDataControls::maskedDateText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");

    QTest::newRow("vuota") << "" << "  /  /    " << QDate();
    QTest::newRow("completa") << "15032026" << "15/03/2026" << QDate(2026, 3, 15);
    QTest::newRow("giorno inesistente") << "31022026" << "31/02/2026" << QDate();
    QTest::newRow("senza anno") << "1503" << "15/03/    " << QDate();
    QTest::newRow("lettere ignorate") << "1a5b03x2026" << "15/03/2026" << QDate(2026, 3, 15);
}

void TestDataControls::maskedDateText()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(QDate, date);

    WidgetFixture f;
    auto *edit = f.add(new ui::MaskedDateEdit);
    QVERIFY(f.showActive());
    QCOMPARE(edit->text(), QString("  /  /    "));
    QVERIFY(!edit->date().isValid());

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->displayText(), QString(text).replace(' ', '_'));
    QCOMPARE(edit->date(), date);

    edit->setDate(QDate(2026, 1, 5));
    QCOMPARE(edit->text(), QString("05/01/2026"));
    QCOMPARE(edit->date(), QDate(2026, 1, 5));
    edit->setDate(QDate());
    QCOMPARE(edit->text(), QString("  /  /    "));
}

void TestDataControls::boundMaskedDateWritesDate()
{
    WidgetFixture f;
    auto *edit = f.add(new ui::MaskedDateEdit);
    auto *other = f.add(new QLineEdit);
    edit->setDataSource(&f.fattureSource);
    edit->setDataField("Data");
    QVERIFY(f.showActive());
    QCOMPARE(edit->text(), QString("01/01/2025"));

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, "15032026");
    other->setFocus();
    QVERIFY(f.fatture.post());
    QCOMPARE(f.stored("Data"), QString("2026-03-15 00:00:00"));

    retype(edit, "");
    QCOMPARE(edit->text(), QString("  /  /    "));
    other->setFocus();
    QVERIFY(f.fatture.post());
    QCOMPARE(f.stored("Data"), QString("<null>"));

    // Half a date is refused with the dataset's message and stays for the user to finish.
    f.seams.dialogs.expectMessage("non è una data valida");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, "1503");
    other->setFocus();
    QVERIFY2(f.seams.dialogs.clean(), qPrintable(f.seams.dialogs.report()));
    QCOMPARE(edit->text(), QString("15/03/    "));
    QCOMPARE(QApplication::focusWidget(), edit);
    QVERIFY(f.fatture.post());
    QCOMPARE(f.stored("Data"), QString("<null>"));
}

#include "tst_editinghelper.h"
#include "WidgetFixture.h"

#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/DBMemo.h"
#include "widgets/EditingHelper.h"
#include "widgets/MaskedDateEdit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTest>

namespace {

const QColor kAqua(0, 255, 255);

// A detail form: its fields in tab order, the helper installed once they exist.
struct DetailForm : WidgetFixture {
    DetailForm()
    {
        nome = bind(add(new ui::DBEdit, "nome"), "Nome");
        data = bind(add(new ui::MaskedDateEdit, "data"), "Data");
        cliente = bind(add(new ui::DBLookupComboBox, "cliente"), "Cliente_ID");
        cliente->setListSource(&clientiSource);
        cliente->setKeyField("Id");
        cliente->setListField("Descrizione");
        note = bind(add(new ui::DBMemo, "note"), "Note");
        pagata = bind(add(new ui::DBCheckBox("Pagata"), "pagata"), "Pagata");
        importo = bind(add(new ui::DBEdit, "importo"), "Importo");
        helper = ui::EditingHelper::install(&form);
        helper->markAmountField(importo);
        helper->setModifiedCallback([this] { ++modified; });
    }
    template <typename T> T *bind(T *control, const QString &field)
    {
        control->setDataSource(&fattureSource);
        control->setDataField(field);
        return control;
    }
    QWidget *field(const QString &name) { return form.findChild<QWidget *>(name); }

    ui::DBEdit *nome;
    ui::MaskedDateEdit *data;
    ui::DBLookupComboBox *cliente;
    ui::DBMemo *note;
    ui::DBCheckBox *pagata;
    ui::DBEdit *importo;
    ui::EditingHelper *helper;
    int modified = 0;
};

QColor base(QWidget *w) { return w->palette().color(QPalette::Base); }

} // namespace

void TestEditingHelper::focusedFieldIsAqua()
{
    DetailForm f;
    const QList<QWidget *> fields{f.nome, f.data, f.cliente, f.note, f.importo};
    for (QWidget *w : fields) QCOMPARE(base(w), QColor(Qt::white));
    QVERIFY(f.showActive()); // the first field takes the focus
    QCOMPARE(QApplication::focusWidget(), f.nome);
    QCOMPARE(base(f.nome), kAqua);

    for (QWidget *w : fields) {
        w->setFocus();
        QCOMPARE(base(w), kAqua);
    }
    QCOMPARE(base(f.note), QColor(Qt::white));
    f.nome->setFocus();
    QCOMPARE(base(f.importo), QColor(Qt::white));
    QCOMPARE(base(f.nome), kAqua);
    QCOMPARE(f.modified, 0);
}

void TestEditingHelper::keysMoveFocus_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");

    QTest::newRow("Invio in un campo") << "nome" << int(Qt::Key_Return) << "data";
    QTest::newRow("Invio del tastierino") << "data" << int(Qt::Key_Enter) << "cliente";
    QTest::newRow("Giù in un campo") << "nome" << int(Qt::Key_Down) << "data";
    QTest::newRow("Su in un campo") << "data" << int(Qt::Key_Up) << "nome";
    QTest::newRow("Giù in un elenco") << "cliente" << int(Qt::Key_Down) << "note";
    QTest::newRow("Su in un elenco") << "cliente" << int(Qt::Key_Up) << "data";
    QTest::newRow("Su verso la casella") << "importo" << int(Qt::Key_Up) << "pagata";
    QTest::newRow("Invio nel memo") << "note" << int(Qt::Key_Return) << "note";
    QTest::newRow("Giù nel memo") << "note" << int(Qt::Key_Down) << "note";
}

void TestEditingHelper::keysMoveFocus()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);

    DetailForm f;
    QVERIFY(f.showActive());
    QWidget *start = f.field(from);
    start->setFocus();
    const QString lookupText = f.cliente->currentText();
    const int memoLines = f.note->blockCount();

    QTest::keyClick(start, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

    QCOMPARE(QApplication::focusWidget(), f.field(to));
    if (f.field(to) != f.pagata) QCOMPARE(base(f.field(to)), kAqua);
    if (from != to) QCOMPARE(base(start), QColor(Qt::white));
    QCOMPARE(f.cliente->currentText(), lookupText); // arrows never change the lookup's choice
    QCOMPARE(f.note->blockCount(), memoLines + (from == "note" && key == Qt::Key_Return ? 1 : 0));
}

void TestEditingHelper::userActionsMarkModified_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("marks");

    QTest::newRow("lettera in un campo") << "nome" << "key" << true;
    QTest::newRow("lettera nel memo") << "note" << "key" << true;
    QTest::newRow("cifra nella data") << "data" << "key" << true;
    QTest::newRow("tasto destro in un campo") << "nome" << "right" << true;
    QTest::newRow("tasto destro nel memo") << "note" << "right" << true;
    QTest::newRow("tasto sinistro in un campo") << "nome" << "left" << false;
    QTest::newRow("tasto sinistro nel memo") << "note" << "left" << false;
    QTest::newRow("freccia su") << "nome" << "up" << false;
    QTest::newRow("scelta nell'elenco") << "cliente" << "pick" << true;
    QTest::newRow("Backspace nell'elenco") << "cliente" << "backspace" << true;
    QTest::newRow("Canc nell'elenco") << "cliente" << "delete" << true;
    QTest::newRow("clic sulla casella") << "pagata" << "left" << true;
}

void TestEditingHelper::userActionsMarkModified()
{
    QFETCH(QString, field);
    QFETCH(QString, action);
    QFETCH(bool, marks);

    DetailForm f;
    QVERIFY(f.showActive());
    QWidget *w = f.field(field);
    w->setFocus();
    // A memo's mouse events land on its viewport.
    QWidget *mouseTarget = w == f.note ? f.note->viewport() : w;

    if (action == "key") QTest::keyClicks(w, "7");
    else if (action == "right") QTest::mousePress(mouseTarget, Qt::RightButton);
    else if (action == "left" && w == f.pagata) clickBox(f.pagata);
    else if (action == "left") QTest::mouseClick(mouseTarget, Qt::LeftButton);
    else if (action == "up") QTest::keyClick(w, Qt::Key_Up);
    else if (action == "backspace") QTest::keyClick(w, Qt::Key_Backspace);
    else if (action == "delete") QTest::keyClick(w, Qt::Key_Delete);
    else if (action == "pick") {
        // Chosen from the open list: the keys go to the list, not to the lookup.
        f.cliente->showPopup();
        QAbstractItemView *list = f.cliente->view();
        list->setCurrentIndex(list->model()->index(f.cliente->findText("Verdi"), 0));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(f.cliente->currentText(), QString("Verdi"));
    }

    QCOMPARE(f.modified > 0, marks);
}

void TestEditingHelper::pointBecomesCommaInAmounts_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored");

    QTest::newRow("importo") << "importo" << "12.5" << "12,5" << "12.5";
    QTest::newRow("importo con virgola") << "importo" << "1,75" << "1,75" << "1.75";
    QTest::newRow("campo di testo") << "nome" << "v.le Roma" << "v.le Roma" << "v.le Roma";
}

void TestEditingHelper::pointBecomesCommaInAmounts()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, stored);

    DetailForm f;
    QVERIFY(f.showActive());
    QWidget *w = f.field(field);
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w, typed);
    QCOMPARE(static_cast<QLineEdit *>(w)->text(), shown);

    QTest::keyClick(w, Qt::Key_Return);
    QVERIFY(f.fatture.post());
    QCOMPARE(f.stored(field == "importo" ? "Importo" : "Nome"), stored);
    QVERIFY(f.modified > 0);
    QVERIFY2(f.seams.dialogs.clean(), qPrintable(f.seams.dialogs.report()));
}

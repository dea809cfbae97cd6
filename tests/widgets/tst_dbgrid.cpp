#include "tst_dbgrid.h"

#include "support/TestSupport.h"
#include "widgets/DBGrid.h"

#include "db/DataSource.h"
#include "db/Query.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace testing_support;

namespace {

struct GridFixture {
    Seams seams;
    TestDatabase database;
    std::unique_ptr<db::Query> veicoli;
    std::unique_ptr<db::DataSource> source;
    std::unique_ptr<ui::DBGrid> grid;
};
std::unique_ptr<GridFixture> g;

db::Query &veicoli() { return *g->veicoli; }
ui::DBGrid &grid() { return *g->grid; }

QString cell(int row, int column) { return grid().model()->index(row, column).data().toString(); }

QPoint centreOf(int row, int column = 0) { return grid().visualRect(grid().model()->index(row, column)).center(); }

void click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, modifiers, centreOf(row));
}

QStringList fieldNames(const QList<ui::DBGrid::Column> &columns)
{
    QStringList out;
    for (const auto &c : columns) out << c.fieldName;
    return out;
}

bool showGrid()
{
    grid().resize(500, 300);
    grid().show();
    grid().activateWindow();
    return QTest::qWaitForWindowActive(&grid());
}

} // namespace

void TestDBGrid::init()
{
    g = std::make_unique<GridFixture>();
    g->database.exec("CREATE TABLE Veicoli (Id INTEGER PRIMARY KEY AUTOINCREMENT, Targa TEXT COLLATE UNOCASE,"
                     " Modello TEXT COLLATE UNOCASE, Km INTEGER);"
                     "INSERT INTO Veicoli (Targa, Modello, Km) VALUES ('AA111AA', 'Iveco', 1000),"
                     " ('BB222BB', 'Fiat', 2000), ('CC333CC', 'Volvo', 3000), ('DD444DD', 'Iveco', 4000),"
                     " ('EE555EE', 'Scania', 5000);");
    g->veicoli = std::make_unique<db::Query>(&g->database.conn());
    veicoli().setSql("select * from Veicoli order by Id");
    veicoli().open();
    g->source = std::make_unique<db::DataSource>(g->veicoli.get());
    g->grid = std::make_unique<ui::DBGrid>();
    grid().setDataSource(g->source.get());
}

void TestDBGrid::cleanup()
{
    if (g) QVERIFY2(g->seams.dialogs.clean(), qPrintable(g->seams.dialogs.report()));
    g.reset();
}

void TestDBGrid::showsDeclaredColumns()
{
    grid().addColumn("Targa", "Targa", 90);
    grid().addColumn("Inesistente", "Colonna persa", 60);
    grid().addColumn("km", "Chilometri", 70);
    QCOMPARE(grid().model()->rowCount(), 5);
    QCOMPARE(grid().model()->columnCount(), 3);
    QCOMPARE(grid().model()->headerData(2, Qt::Horizontal).toString(), QString("Chilometri"));
    QCOMPARE(cell(1, 0), QString("BB222BB"));
    QCOMPARE(cell(1, 2), QString("2000"));
    for (int row = 0; row < 5; ++row) QCOMPARE(cell(row, 1), QString());

    const QList<ui::DBGrid::Column> cols = grid().columns();
    QCOMPARE(fieldNames(cols), QStringList({"Targa", "Inesistente", "km"}));
    QCOMPARE(cols[1].caption, QString("Colonna persa"));
    QCOMPARE(cols[0].width, 90);
    QCOMPARE(cols[2].width, 70);
    QVERIFY(cols[2].visible);

    // Columns and widths survive a requery; the user's width is what columns() reports.
    grid().setColumnWidth(0, 120);
    veicoli().requery();
    QCOMPARE(grid().columns()[0].width, 120);
    QCOMPARE(grid().columns()[2].width, 70);

    grid().removeColumn(1);
    QCOMPARE(fieldNames(grid().columns()), QStringList({"Targa", "km"}));
    QCOMPARE(grid().columns()[0].width, 120);
    QCOMPARE(cell(4, 1), QString("5000"));

    // The query's columns change under the grid: the missing one shows empty.
    veicoli().setSql("select Id, Modello from Veicoli order by Id");
    veicoli().open();
    QCOMPARE(cell(0, 0), QString());
    QCOMPARE(cell(0, 1), QString());
    veicoli().setSql("select Id, Targa from Veicoli order by Id");
    veicoli().open();
    QCOMPARE(cell(0, 0), QString("AA111AA"));
}

void TestDBGrid::showsEveryFieldWithoutColumns()
{
    QCOMPARE(fieldNames(grid().columns()), QStringList({"Id", "Targa", "Modello", "Km"}));
    QCOMPARE(grid().model()->headerData(3, Qt::Horizontal).toString(), QString("Km"));
    QCOMPARE(cell(2, 2), QString("Volvo"));

    grid().addColumn("Modello", "Modello", 80);
    QCOMPARE(fieldNames(grid().columns()), QStringList({"Modello"}));
    grid().clearColumns();
    QCOMPARE(fieldNames(grid().columns()), QStringList({"Id", "Targa", "Modello", "Km"}));

    veicoli().close();
    QCOMPARE(grid().model()->rowCount(), 0);
    QCOMPARE(grid().columns().size(), 0);
}

void TestDBGrid::currentRowFollowsBothWays()
{
    QVERIFY(showGrid());
    QCOMPARE(grid().currentIndex().row(), 0);

    click(3);
    QCOMPARE(veicoli().currentIndex(), 3);
    QCOMPARE(veicoli().fieldByName("Targa").asString(), QString("DD444DD"));
    QTest::keyClick(&grid(), Qt::Key_Up);
    QCOMPARE(veicoli().currentIndex(), 2);

    veicoli().locate("Targa", "BB222BB");
    QCOMPARE(grid().currentIndex().row(), 1);
    QVERIFY(grid().selectionModel()->isRowSelected(1, QModelIndex()));
    QCOMPARE(grid().selectionModel()->selectedRows().size(), 1);

    veicoli().last();
    QCOMPARE(grid().currentIndex().row(), 4);
    veicoli().requery();
    QCOMPARE(grid().currentIndex().row(), 0);
    QVERIFY(grid().selectionModel()->isRowSelected(0, QModelIndex()));

    // Leaving an edited row saves it; the grid stays on the row clicked.
    veicoli().fieldByName("Km").setAsInteger(1500);
    click(3);
    QCOMPARE(veicoli().currentIndex(), 3);
    QCOMPARE(grid().currentIndex().row(), 3);
    QVERIFY(grid().selectionModel()->isRowSelected(3, QModelIndex()));
    QCOMPARE(g->database.scalar("select Km from Veicoli where Id = 1").toInt(), 1500);
    QCOMPARE(cell(0, 3), QString("1500"));
    veicoli().first();

    // The row being left cannot be saved: the user is told and both stay on it.
    veicoli().fieldByName("Targa").setAsString("ZZ999ZZ");
    g->database.exec("DELETE FROM Veicoli WHERE Id = 1");
    g->seams.dialogs.expectMessage("non esiste più");
    click(2);
    QVERIFY2(g->seams.dialogs.clean(), qPrintable(g->seams.dialogs.report()));
    QCOMPARE(veicoli().currentIndex(), 0);
    QCOMPARE(grid().currentIndex().row(), 0);
    veicoli().cancel();
}

void TestDBGrid::titleClickReportsFieldWithoutSorting()
{
    grid().addColumn("Targa", "Targa", 90);
    grid().addColumn("Modello", "Modello", 90);
    QVERIFY(showGrid());
    QSignalSpy titles(&grid(), &ui::DBGrid::titleClicked);
    QHeaderView *header = grid().horizontalHeader();

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));

    QCOMPARE(titles.count(), 1);
    QCOMPARE(titles.first().first().toString(), QString("Modello"));
    QCOMPARE(veicoli().sort(), QString());
    QCOMPARE(cell(0, 1), QString("Iveco"));
    QCOMPARE(cell(1, 1), QString("Fiat"));
}

void TestDBGrid::doubleClickAndPopupMenu()
{
    QMenu menu;
    menu.addAction("Elimina Colonna");
    grid().setPopupMenu(&menu);
    QVERIFY(showGrid());
    QSignalSpy doubles(&grid(), &ui::DBGrid::doubleClicked);

    click(2);
    QTest::mouseDClick(grid().viewport(), Qt::LeftButton, {}, centreOf(2));
    QCOMPARE(doubles.count(), 1);
    QCOMPARE(veicoli().currentIndex(), 2);
    QTest::mouseDClick(grid().viewport(), Qt::LeftButton, {}, QPoint(5, grid().viewport()->height() - 5)); // below the rows
    QCOMPARE(doubles.count(), 1);

    QVERIFY(!menu.isVisible());
    const QPoint at = centreOf(1, 2);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, grid().viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid().viewport(), &rightClick);
    QVERIFY(menu.isVisible());
    menu.close();
}

void TestDBGrid::multiSelectGivesSelectedIds()
{
    grid().setMultiSelect(true);
    QVERIFY(showGrid());

    click(0);
    click(2, Qt::ControlModifier);
    click(4, Qt::ControlModifier);
    QCOMPARE(veicoli().selectedIds("Id"), QList<qint64>({1, 3, 5}));
    QCOMPARE(veicoli().currentIndex(), 4);

    click(2, Qt::ControlModifier); // a second Ctrl+click takes it out again
    QCOMPARE(veicoli().selectedIds("Id"), QList<qint64>({1, 5}));

    // Moving the query leaves the selection alone.
    veicoli().first();
    QCOMPARE(grid().currentIndex().row(), 0);
    QCOMPARE(veicoli().selectedIds("Id"), QList<qint64>({1, 5}));
    QCOMPARE(grid().selectionModel()->selectedRows().size(), 2);

    grid().selectAll();
    QCOMPARE(veicoli().selectedCount(), 5);

    // A requery replaces the rows: no selection survives it, on screen or in the query.
    veicoli().requery();
    QCOMPARE(veicoli().selectedCount(), 0);
    QCOMPARE(grid().selectionModel()->selectedRows().size(), 0);

    click(3);
    grid().setMultiSelect(false);
    QCOMPARE(veicoli().selectedCount(), 0);
    click(1);
    click(2, Qt::ControlModifier);
    QCOMPARE(grid().selectionModel()->selectedRows().size(), 1);
    QCOMPARE(veicoli().selectedCount(), 0);
}

void TestDBGrid::rowColours()
{
    grid().setRowColorCallback([](int row) { return veicoli().valueAt(row, 2).toString() == "Iveco" ? QColor(Qt::yellow) : QColor(); });
    const QAbstractItemModel *m = grid().model();
    QCOMPARE(m->index(0, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
    QCOMPARE(m->index(3, 3).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
    QVERIFY(!m->index(1, 1).data(Qt::BackgroundRole).isValid());
    QVERIFY(!(m->flags(m->index(0, 0)) & Qt::ItemIsEditable));
}

void TestDBGrid::largeQueryReadsOnlyRowsOnScreen()
{
    g->database.exec("WITH RECURSIVE n(i) AS (SELECT 6 UNION ALL SELECT i + 1 FROM n WHERE i < 200000)"
                     " INSERT INTO Veicoli (Targa, Modello, Km) SELECT 'T' || i, 'Modello', i FROM n;");
    int reads = 0;
    veicoli().setDisplayHook("Targa", [&reads](const QVariant &v) {
        ++reads;
        return v.toString();
    });
    veicoli().requery();
    QCOMPARE(grid().model()->rowCount(), 200000);
    QVERIFY(showGrid());

    grid().viewport()->repaint();
    QVERIFY(reads > 0);
    QVERIFY2(reads < 500, qPrintable(QString::number(reads)));

    reads = 0;
    veicoli().last();
    QCOMPARE(grid().currentIndex().row(), 199999);
    grid().viewport()->repaint();
    QVERIFY(reads > 0);
    QVERIFY2(reads < 500, qPrintable(QString::number(reads)));
    QCOMPARE(cell(199999, 1), QString("T200000"));
}

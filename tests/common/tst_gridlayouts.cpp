#include "tst_gridlayouts.h"

#include "common/GridLayouts.h"
#include "db/DataSource.h"
#include "db/Query.h"
#include "support/TestSupport.h"
#include "widgets/DBGrid.h"

#include <QImage>
#include <QTest>
#include <memory>

using namespace common;
using namespace testing_support;

namespace {

const QString chiave = "frmMagazzino_Griglia";

// A stock list whose form builds four columns, and the layouts table.
struct Banco {
    Seams seams;
    TestDatabase database{TestDatabase::WithSchema};
    db::Query articoli{&database.conn()};
    db::DataSource sorgente{&articoli};
    db::Query griglie{&database.conn()};
    ui::DBGrid griglia;

    Banco()
    {
        database.exec("CREATE TABLE Magazzino (Id INTEGER PRIMARY KEY AUTOINCREMENT, Codice TEXT, Descrizione TEXT,"
                      " Prezzo REAL, Giacenza REAL);"
                      "INSERT INTO Magazzino (Codice, Descrizione, Prezzo) VALUES ('A1', 'Cavo', 10), ('B2', 'Gancio', 20);");
        articoli.setSql("select * from Magazzino order by Id");
        articoli.open();
        griglia.setDataSource(&sorgente);
        colonneDelForm();
        griglie.setSql("SELECT * from griglie");
        griglie.open();
    }
    void colonneDelForm()
    {
        griglia.clearColumns();
        griglia.addColumn("Codice", "Codice", 80);
        griglia.addColumn("Descrizione", "Descrizione", 200);
        griglia.addColumn("Prezzo", "Prezzo", 70);
        griglia.addColumn("Giacenza", "Giacenza", 60);
    }
    // The grid as "field:width:caption" entries.
    QStringList colonne()
    {
        QStringList out;
        for (const ui::GridColumn &c : griglia.columns())
            out << QString("%1:%2:%3").arg(c.fieldName).arg(c.width).arg(c.caption);
        return out;
    }
    // The stored row of a workstation: user lists, default lists and default count.
    QStringList salvato(const QString &computer = "POSTAZIONE1")
    {
        db::Query q(&database.conn());
        q.setSql("select * from griglie where NomeComputer = '" + computer + "' and NomeGriglia = '" + chiave + "'");
        q.open();
        if (q.isEmpty()) return {};
        QStringList out;
        for (const char *c : {"CampiUtente", "WidthUtente", "CaptionUtente", "CampiPredefiniti", "WidthPredefiniti",
                              "CaptionPredefiniti", "TotaleCampiPredefiniti"})
            out << q.fieldByName(c).asString();
        out << QString::number(q.recordCount());
        return out;
    }
};
std::unique_ptr<Banco> b;

const QStringList colonneForm{"Codice:80:Codice", "Descrizione:200:Descrizione", "Prezzo:70:Prezzo", "Giacenza:60:Giacenza"};
const QStringList salvatoForm{"Codice|Descrizione|Prezzo|Giacenza|", "80|200|70|60|", "Codice|Descrizione|Prezzo|Giacenza|",
                              "Codice|Descrizione|Prezzo|Giacenza|", "80|200|70|60|", "Codice|Descrizione|Prezzo|Giacenza|",
                              "4", "1"};

} // namespace

void TestGridLayouts::init() { b = std::make_unique<Banco>(); }

void TestGridLayouts::cleanup()
{
    QVERIFY2(b->seams.dialogs.clean(), qPrintable(b->seams.dialogs.report()));
    b.reset();
}

void TestGridLayouts::loadsStoredLayout_data()
{
    QTest::addColumn<QStringList>("riga"); // the stored row as salvato() shows it; empty: no row
    QTest::addColumn<bool>("usaPredefinita");
    QTest::addColumn<QStringList>("griglia");
    QTest::addColumn<QStringList>("dopo");
    // The user removed a column, reordered, resized and renamed; the defaults are wider.
    const QStringList utente{"Descrizione|Codice|Giacenza|", "150|90|50|", "Descr.|Cod.|Giac.|",
                             "Codice|Descrizione|Prezzo|Giacenza|", "100|250|80|60|", "Cod|Descrizione|Prezzo|Giac|", "4"};
    QStringList vecchiaVersione = utente;
    vecchiaVersione[6] = "3";
    QStringList larghezzeCorte = utente;
    larghezzeCorte[1] = "150|90|";
    QStringList larghezzaNonNumero = utente;
    larghezzaNonNumero[1] = "150|abc|50|";

    QTest::newRow("first run stores the form's columns") << QStringList() << false << colonneForm << salvatoForm;
    QTest::newRow("user layout") << utente << false << QStringList{"Descrizione:150:Descr.", "Codice:90:Cod.", "Giacenza:50:Giac."}
                                 << (QStringList(utente) << "1");
    QTest::newRow("default layout") << utente << true
                                    << QStringList{"Codice:100:Cod", "Descrizione:250:Descrizione", "Prezzo:80:Prezzo",
                                                   "Giacenza:60:Giac"}
                                    << (QStringList(utente) << "1");
    QTest::newRow("form changed since the layout was stored") << vecchiaVersione << false << colonneForm << salvatoForm;
    QTest::newRow("width list shorter than the field list") << larghezzeCorte << false << colonneForm << salvatoForm;
    QTest::newRow("width that is not a number") << larghezzaNonNumero << false << colonneForm << salvatoForm;
}

void TestGridLayouts::loadsStoredLayout()
{
    QFETCH(QStringList, riga);
    QFETCH(bool, usaPredefinita);
    QFETCH(QStringList, griglia);
    QFETCH(QStringList, dopo);
    if (!riga.isEmpty()) {
        QStringList valori;
        for (const QString &v : riga.mid(0, 6)) valori << "'" + v + "'";
        b->database.conn().execute("insert into griglie (NomeComputer, NomeGriglia, CampiUtente, WidthUtente, CaptionUtente,"
                                   " CampiPredefiniti, WidthPredefiniti, CaptionPredefiniti, TotaleCampiPredefiniti)"
                                   " values ('POSTAZIONE1', '" + chiave + "', " + valori.join(", ") + ", " + riga[6] + ")");
        b->griglie.requery();
    }
    CaricaGriglia(chiave, b->griglia, b->griglie, usaPredefinita, false, "POSTAZIONE1");
    QCOMPARE(b->colonne(), griglia);
    QCOMPARE(b->salvato(), dopo);
    QCOMPARE(b->griglie.filter(), QString());
}

void TestGridLayouts::resetBringsDefaultBack()
{
    CaricaGriglia(chiave, b->griglia, b->griglie, false, false, "POSTAZIONE1"); // start-up, first run
    b->griglia.removeColumn(1);                                                  // "Elimina Colonna"
    b->griglia.setColumnWidth(0, 95);
    SalvaGriglia(chiave, b->griglia, b->griglie, false, "POSTAZIONE1"); // "Salva Griglia"
    QCOMPARE(b->salvato().mid(0, 3), QStringList({"Codice|Prezzo|Giacenza|", "95|70|60|", "Codice|Prezzo|Giacenza|"}));
    QCOMPARE(b->salvato().mid(3), salvatoForm.mid(3));

    b->colonneDelForm(); // the next start: the form builds its columns, the saved layout applies
    CaricaGriglia(chiave, b->griglia, b->griglie, false, false, "POSTAZIONE1");
    QCOMPARE(b->colonne(), QStringList({"Codice:95:Codice", "Prezzo:70:Prezzo", "Giacenza:60:Giacenza"}));

    // "Reset Griglia" on the three columns shown: the form's four come back and become the user's.
    CaricaGriglia(chiave, b->griglia, b->griglie, true, false, "POSTAZIONE1");
    SalvaGriglia(chiave, b->griglia, b->griglie, false, "POSTAZIONE1");
    QCOMPARE(b->colonne(), colonneForm);
    QCOMPARE(b->salvato(), salvatoForm);
}

void TestGridLayouts::savesPerWorkstation()
{
    CaricaGriglia(chiave, b->griglia, b->griglie, false, false, "POSTAZIONE1"); // first run on each workstation
    CaricaGriglia(chiave, b->griglia, b->griglie, false, false, "POSTAZIONE2");
    b->griglia.removeColumn(3);
    SalvaGriglia(chiave, b->griglia, b->griglie, false, "POSTAZIONE2");
    QCOMPARE(b->salvato("POSTAZIONE1"), salvatoForm);
    QStringList postazione2 = salvatoForm;
    postazione2[0] = postazione2[2] = "Codice|Descrizione|Prezzo|";
    postazione2[1] = "80|200|70|";
    QCOMPARE(b->salvato("POSTAZIONE2"), postazione2);
    QCOMPARE(b->database.scalar("select count(*) from griglie").toInt(), 2);
    QCOMPARE(b->griglie.filter(), QString());

    b->colonneDelForm();
    CaricaGriglia(chiave, b->griglia, b->griglie, false, false, "POSTAZIONE2");
    QCOMPARE(b->colonne(), QStringList({"Codice:80:Codice", "Descrizione:200:Descrizione", "Prezzo:70:Prezzo"}));
    b->colonneDelForm();
    CaricaGriglia(chiave, b->griglia, b->griglie, false, false, "POSTAZIONE1");
    QCOMPARE(b->colonne(), colonneForm);

    // Saving as default replaces the default layout as well.
    b->griglia.removeColumn(0);
    SalvaGriglia(chiave, b->griglia, b->griglie, true, "POSTAZIONE1");
    QCOMPARE(b->salvato("POSTAZIONE1").mid(3, 4), QStringList({"Descrizione|Prezzo|Giacenza|", "200|70|60|",
                                                               "Descrizione|Prezzo|Giacenza|", "3"}));
}

void TestGridLayouts::gridWithoutColumnsStoresNothing()
{
    ui::DBGrid vuota; // no data source, no columns
    SalvaGriglia(chiave, vuota, b->griglie, true, "POSTAZIONE1");
    CaricaGriglia(chiave, vuota, b->griglie, false, false, "POSTAZIONE1");
    QCOMPARE(b->database.scalar("select count(*) from griglie").toInt(), 0);
    QVERIFY(!b->griglie.isEditing());
}

void TestGridLayouts::paintsStockColumn()
{
    const QColor giacenza(240, 189, 15);
    // The colour of the second row's cell in each column (empty stock cells: nothing drawn over it).
    const auto colori = [] {
        b->griglia.resize(600, 200);
        const QImage img = b->griglia.viewport()->grab().toImage();
        QList<QColor> out;
        for (int c = 0; c < b->griglia.model()->columnCount(); ++c)
            out << img.pixelColor(b->griglia.visualRect(b->griglia.model()->index(1, c)).bottomRight() - QPoint(3, 3));
        return out;
    };
    CaricaGriglia(chiave, b->griglia, b->griglie, false, false, "POSTAZIONE1"); // stores the layout
    QVERIFY(!colori().contains(giacenza));
    CaricaGriglia(chiave, b->griglia, b->griglie, false, true, "POSTAZIONE1");
    QCOMPARE(colori().indexOf(giacenza), 3);
    QCOMPARE(colori().count(giacenza), 1);
    CaricaGriglia(chiave, b->griglia, b->griglie, false, false, "POSTAZIONE1");
    QVERIFY(!colori().contains(giacenza));
}

void TestGridLayouts::hidesAndShowsColumn()
{
    b->griglia.addColumn("Prezzo", "Prezzo ivato", 70); // a second column on the same field
    NascondiColonna("Prezzo", b->griglia);
    QVERIFY(b->griglia.isColumnHidden(2));
    QVERIFY(!b->griglia.isColumnHidden(4));
    NascondiColonna("prezzo", b->griglia); // names match exactly
    NascondiColonna("Inesistente", b->griglia);
    QCOMPARE(b->griglia.columns().size(), 5);
    for (int c : {0, 1, 3, 4}) QVERIFY(!b->griglia.isColumnHidden(c));
    MostraColonna("Prezzo", b->griglia);
    QVERIFY(!b->griglia.isColumnHidden(2));
}

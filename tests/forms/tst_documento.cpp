#include "tst_documento.h"

#include "Ambiente.h"
#include "Banco.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/DatiCollegati.h"
#include "forms/EditorDocumento.h"
#include "sales/services/Totali.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"

#include <QApplication>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

// An invoice editor reduced to what the frame gives: date and number checked in this order,
// the totals and instalments on the header page, the rows on their own page.
class EditorProva : public forms::EditorDocumento {
public:
    explicit EditorProva(QWidget *p) : forms::EditorDocumento(tipo(), p)
    {
        aggiungiPagina("TabTestata", "Testata");
        DBEdit1 = aggiungiEdit("DBEdit1", "Data di emissione F.", "Data");
        DBEdit2 = aggiungiEdit("DBEdit2", "Numero fattura", "Num");
        aggiungiTotali();
        aggiungiScadenze("Scadenza Pagamenti");
        aggiungiPaginaRighe("TabRighe", "Righe");
        richiesto(DBEdit1, "Attenzione manca la data");
        richiesto(DBEdit2, "Attenzione manca il numero di fattura");
    }
    ui::DBEdit *DBEdit1;
    ui::DBEdit *DBEdit2;

private:
    static Tipo tipo()
    {
        Tipo t;
        t.dettaglio.nome = "editorProva";
        t.dettaglio.titolo = "Fatturazione";
        t.dettaglio.dataset = form_DB->Table3;
        t.dettaglio.source = form_DB->Source3;
        t.dettaglio.salvaCambiandoPagina = true;
        t.righe = {"DBGrid2", form_DB->Table4, form_DB->Source4,
                   [](qint64 id) { return QString("select * from fattdett where NumFatt = %1 order by NumeroRiga").arg(id); },
                   {{"Descrizione", "Descrizione", 300}, {"Um", "Quantità", 60}}};
        t.scadenze = {"DBGrid3", form_DB->TableFatturaScadenze, form_DB->SourceFatturaScadenze,
                      [](qint64 id) {
                          return QString("select * from FatturaScadenze where Fattura_ID = %1 order by DataScadenza, Numero").arg(id);
                      },
                      {{"DataScadenza", "Scadenza", 100}, {"Importo", "Importo", 80}}};
        t.totali = {{"TotImp", "Totale Imponibile", "TotImponibile"},
                    {"TotImposta", "Totale Imposta", "TotImposta"},
                    {"TotFattura", "Totale Fattura", "TotFattura"}};
        t.calcolaTotali = [](qint64 id) {
            const vendite::Totali r = vendite::calcolaTotaliFattura(form_DB->Connessione, id);
            return QList<QPair<QString, double>>{{"TotImponibile", r.imponibile}, {"TotImposta", r.imposta}, {"TotFattura", r.totale}};
        };
        return t;
    }
};

std::unique_ptr<banco::Banco> g_banco;
EditorProva *g_editor = nullptr;

QVariant valore(const QString &sql) { return g_banco->valore(sql); }
qint64 idFattura(int num) { return valore(QString("select ID from fattura where Num = %1").arg(num)).toLongLong(); }

// Shows the editor on the current invoice and runs `azione` in it; the editor must be closed by then.
void nelEditor(const std::function<void()> &azione)
{
    ambiente::conModale([] { g_editor->mostra(); }, [&](QWidget *w) {
        QCOMPARE(w, g_editor);
        QVERIFY(QTest::qWaitForWindowActive(g_editor));
        azione();
    });
    QVERIFY(!g_editor->isVisible());
}

} // namespace

void TestDocumento::init()
{
    g_banco = std::make_unique<banco::Banco>(
        QStringList{},
        QStringList{"insert into fattura (Num, Data) values (1, #3/1/2026#), (2, #3/2/2026#)",
                    "insert into fattdett (NumFatt, Descrizione, NumeroRiga, Um, ValoreUnitario, Sconto, AliquotaIva) "
                    "select ID, 'Traino', 1, 2, 12.5, 10, 22 from fattura where Num = 1",
                    "insert into fattdett (NumFatt, Descrizione, NumeroRiga, Um, ValoreUnitario, Sconto, AliquotaIva) "
                    "select ID, 'Custodia', 2, 1, 30, 0, 10 from fattura where Num = 1",
                    "insert into fattdett (NumFatt, Descrizione, NumeroRiga, Um, ValoreUnitario) "
                    "select ID, 'Soccorso', 1, 1, 80 from fattura where Num = 2",
                    "insert into FatturaScadenze (Fattura_ID, Numero, DataScadenza, Importo) "
                    "select ID, 1, #4/30/2026#, 97.6 from fattura where Num = 2"});
    g_editor = new EditorProva(g_banco->finestra());
    form_DB->Table3->first();
}

void TestDocumento::cleanup()
{
    g_editor = nullptr;
    const bool pulito = g_banco->dialoghi().clean();
    const QString resoconto = g_banco->dialoghi().report();
    g_banco.reset();
    QVERIFY2(pulito, qPrintable(resoconto));
}

void TestDocumento::righeSeguonoLaTestata()
{
    db::Query *righe = form_DB->Table4;
    const auto descrizioni = [righe] {
        QStringList d;
        for (righe->first(); !righe->eof(); righe->next()) d << righe->fieldByName("Descrizione").asString();
        return d;
    };
    QCOMPARE(descrizioni(), QStringList({"Traino", "Custodia"}));
    QCOMPARE(g_editor->grigliaRighe->model()->rowCount(), 2);
    QCOMPARE(form_DB->TableFatturaScadenze->recordCount(), 0);
    // The header moves: the rows and the instalments are those of the other invoice.
    form_DB->Table3->next();
    QCOMPARE(g_editor->righe->chiave(), idFattura(2));
    QCOMPARE(descrizioni(), QStringList({"Soccorso"}));
    QCOMPARE(g_editor->grigliaRighe->model()->rowCount(), 1);
    QCOMPARE(form_DB->TableFatturaScadenze->recordCount(), 1);
    QCOMPARE(g_editor->grigliaScadenze->model()->rowCount(), 1);
    // A filter leaving no invoice leaves no rows.
    form_DB->Table3->setFilter("Num = 99");
    QCOMPARE(righe->recordCount(), 0);
    form_DB->Table3->setFilter(QString());
    QCOMPARE(descrizioni(), QStringList({"Traino", "Custodia"}));
    // A row written elsewhere shows once the rows are read again.
    g_banco->esegui(QString("insert into fattdett (NumFatt, Descrizione, NumeroRiga) values (%1, 'Deposito', 3)").arg(idFattura(1)));
    g_editor->righe->rileggi();
    QCOMPARE(descrizioni(), QStringList({"Traino", "Custodia", "Deposito"}));
}

void TestDocumento::paginaRaggiuntaSoloDopoIlSalvataggio()
{
    nelEditor([] {
        QTabWidget *pagine = g_editor->PageControl1;
        QCOMPARE(pagine->currentIndex(), 0);
        g_editor->DBEdit2->setFocus();
        QTest::keyClick(g_editor->DBEdit2, Qt::Key_Backspace);
        QVERIFY(g_editor->DatiModificati);
        g_banco->dialoghi().expectMessage("Attenzione manca il numero di fattura");
        pagine->setCurrentIndex(1);
        QCOMPARE(pagine->currentIndex(), 0);
        QVERIFY(g_editor->SalvataggioFallito);
        QCOMPARE(QApplication::focusWidget(), g_editor->DBEdit2);
        // Until a save gets through, every change of page comes back to the header.
        g_editor->DatiModificati = false;
        pagine->setCurrentIndex(1);
        QCOMPARE(pagine->currentIndex(), 0);
        g_editor->DatiModificati = true;
        QTest::keyClicks(g_editor->DBEdit2, "5");
        pagine->setCurrentIndex(1);
        QCOMPARE(pagine->currentIndex(), 1);
        QVERIFY(!g_editor->DatiModificati);
        g_editor->spdIndietro->click();
    });
    QCOMPARE(valore("select count(*) from fattura where Num = 5").toInt(), 1);
    QCOMPARE(valore("select count(*) from fattura where Num = 1").toInt(), 0);
    // The next showing starts on the first page.
    QCOMPARE(g_editor->PageControl1->currentIndex(), 0);
}

void TestDocumento::controlliInOrdine_data()
{
    QTest::addColumn<QString>("svuotati"); // the header's columns emptied
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<QString>("fuoco");
    QTest::newRow("both missing: the date first") << "Data = null, Num = null" << "Attenzione manca la data" << "DBEdit1";
    QTest::newRow("number missing") << "Num = null" << "Attenzione manca il numero di fattura" << "DBEdit2";
}

void TestDocumento::controlliInOrdine()
{
    QFETCH(QString, svuotati);
    QFETCH(QString, messaggio);
    QFETCH(QString, fuoco);
    g_banco->esegui(QString("update fattura set %1 where Num = 2").arg(svuotati));
    form_DB->Table3->requery();
    QVERIFY(form_DB->Table3->locate("Data", QVariant()) || form_DB->Table3->locate("Num", QVariant()));
    nelEditor([&] {
        g_editor->PageControl1->setCurrentIndex(0);
        g_editor->DatiModificati = true;
        g_banco->dialoghi().expectMessage(messaggio);
        g_editor->spdIndietro->click();
        QVERIFY(g_editor->isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), fuoco);
        g_editor->DatiModificati = false;
        g_editor->spdIndietro->click();
    });
}

void TestDocumento::salvataggioSenzaControlli()
{
    // A save the program starts stores the header as it is, numberless, and asks nothing.
    form_DB->Table3->fieldByName("Num").clear();
    form_DB->Table3->fieldByName("Targa").setAsString("AB123CD");
    g_editor->salvaSenzaControlli();
    QVERIFY(!g_editor->SalvataggioFallito);
    QVERIFY(!g_editor->SalvataggioSenzaControlli);
    QCOMPARE(valore("select Targa from fattura where Num is null").toString(), QString("AB123CD"));
}

void TestDocumento::totaliDalleRighe()
{
    g_editor->ricalcolaTotali();
    QCOMPARE(valore("select TotImponibile from fattura where Num = 1").toDouble(), 52.50);
    QCOMPARE(valore("select TotImposta from fattura where Num = 1").toDouble(), 7.95);
    QCOMPARE(valore("select TotFattura from fattura where Num = 1").toDouble(), 60.45);
    QCOMPARE(g_editor->findChild<ui::DBEdit *>("TotFattura")->text(), QString("60,45"));
    QVERIFY(!g_editor->DatiModificati);
    // The other invoice keeps its totals.
    QCOMPARE(valore("select TotFattura from fattura where Num = 2").toDouble(), 0.0);
}

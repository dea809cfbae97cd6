#include "PersonaleStipendi.h"

#include "data/DB.h"
#include "db/Query.h"
#include "forms/Registro.h"
#include "operations/services/Personale.h"
#include "widgets/DBEdit.h"
#include "widgets/DBMemo.h"
#include "widgets/EditingHelper.h"
#include "widgets/FieldLink.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

TfrmPersonaleStipendi::TfrmPersonaleStipendi(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmPersonaleStipendi");
              c.titolo = QStringLiteral("Stipendi del Personale");
              c.helpContext = 9300;
              c.dataset = form_DB->TablePersonaleStipendi;
              c.source = form_DB->SourcePersonaleStipendi;
              c.conAiuto = true;
              c.captionSalva = QStringLiteral("salva");
              return c;
          }(),
          parent)
{
    auto edit = [this](const char *nome, const char *etichetta, const char *campo) {
        return aggiungiEdit(QString::fromLatin1(nome), QString::fromUtf8(etichetta), QString::fromLatin1(campo));
    };
    auto memo = [this](const char *nome, const char *etichetta, const char *campo) {
        auto *m = new ui::DBMemo(this);
        m->setObjectName(QString::fromLatin1(nome));
        m->setDataSource(form_DB->SourcePersonaleStipendi);
        m->setDataField(QString::fromLatin1(campo));
        m->setTabChangesFocus(true);
        m->setMaximumHeight(70);
        aggiungiRiga(QString::fromUtf8(etichetta), m);
        return m;
    };
    DBEdit1 = edit("DBEdit1", "Anno", "Anno");
    // The month: one of the twelve two-digit texts, shown from the row and written when chosen.
    DBComboBox1 = new QComboBox(this);
    DBComboBox1->setObjectName(QStringLiteral("DBComboBox1"));
    for (int m = 1; m <= 12; ++m) DBComboBox1->addItem(QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0')));
    aggiungiRiga(QStringLiteral("Mese"), DBComboBox1);
    m_mese = new ui::FieldLink(DBComboBox1);
    m_mese->setDataSource(form_DB->SourcePersonaleStipendi);
    m_mese->setDataField(QStringLiteral("Mese"));
    connect(m_mese, &ui::FieldLink::reload, this, [this] {
        const QSignalBlocker quiet(DBComboBox1);
        DBComboBox1->setCurrentIndex(DBComboBox1->findText(m_mese->text()));
    });
    connect(m_mese, &ui::FieldLink::editableChanged, this, [this] { DBComboBox1->setEnabled(!m_mese->isReadOnly()); });
    connect(DBComboBox1, &QComboBox::activated, this, [this](int i) {
        if (m_mese->write(DBComboBox1->itemText(i))) DatiModificati = true;
    });
    DBEdit2 = edit("DBEdit2", "Data Pagamento", "DataPagamento");
    DBEdit3 = edit("DBEdit3", "Importo bonifico", "ImportoBonifico");
    DBEdit4 = edit("DBEdit4", "Giorni", "Giorni");
    DBEdit5 = edit("DBEdit5", "Base", "Base");
    DBEdit6 = edit("DBEdit6", "Trasferta", "Trasferta");
    DBEdit7 = edit("DBEdit7", "Assegni", "Assegni");
    DBEdit8 = edit("DBEdit8", "Addebiti", "Addebiti");
    DBMemo1 = memo("DBMemo1", "Desciz. Addebiti", "Addebiti_Descrizione");
    DBEdit9 = edit("DBEdit9", "Accrediti", "Accrediti");
    DBMemo2 = memo("DBMemo2", "Descriz.Accrediti", "Accrediti_Descrizione");
    DBEdit10 = edit("DBEdit10", "Note", "Note");
    DBEdit11 = edit("DBEdit11", "Totale", "TotaleParziale");
    DBEdit11->setReadOnly(true);
    DBEdit11->setFocusPolicy(Qt::NoFocus);
    Button1 = new QPushButton(QStringLiteral("Calcola"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFocusPolicy(Qt::NoFocus);
    aggiungiRiga(QString(), Button1);
    connect(Button1, &QPushButton::clicked, this, &TfrmPersonaleStipendi::Button1Click);
    richiesto(DBEdit1, QStringLiteral("Attenzione manca l' Anno"));
    richiesto(DBEdit3, QStringLiteral("Attenzione manca l' Importo del bonifico"));
    richiesto(DBComboBox1, QStringLiteral("Attenzione manca il Mese"));
}

void TfrmPersonaleStipendi::showEvent(QShowEvent *e)
{
    const bool prima = m_editing == nullptr;
    forms::DetailForm::showEvent(e);
    if (prima && m_editing)
        for (QWidget *w : {DBEdit3, DBEdit5, DBEdit6, DBEdit7, DBEdit8, DBEdit9}) m_editing->markAmountField(w);
}

void TfrmPersonaleStipendi::Button1Click()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    Q_EMIT q->updateRecord();
    q->edit();
    const auto valore = [q](const char *c) { return q->fieldByName(QLatin1String(c)).asFloat(); };
    q->fieldByName(QStringLiteral("TotaleParziale"))
        .setAsFloat(personale::totaleParziale(valore("Base"), valore("Trasferta"), valore("Addebiti"), valore("Accrediti")));
    DatiModificati = true;
}

// Every save writes the total again.
void TfrmPersonaleStipendi::primaDiSalvare() { Button1Click(); }

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmPersonaleStipendi, "frmPersonaleStipendi");
} // namespace

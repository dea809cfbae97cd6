#include "DB.h"

#include "db/Command.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QApplication>
#include <QStyle>

Tform_DB::Tform_DB(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("form_DB"));
    Connessione.setNow([] { return ui::Clock::instance().now(); });
#define SHARED_QUERY(q, s, text, dynamicCursor)                                                                          \
    q = new db::Query(&Connessione, this);                                                                             \
    q->setObjectName(QStringLiteral(#q));                                                                              \
    q->setSql(QString::fromUtf8(text));                                                                                 \
    q->setDynamicCursor(dynamicCursor);                                                                                \
    s = new db::DataSource(q, this);                                                                                    \
    s->setObjectName(QStringLiteral(#s));                                                                              \
    m_queries << q;
#include "SharedQueries.def"
#undef SHARED_QUERY
    FormCreate();
}

Tform_DB::~Tform_DB() = default;

void Tform_DB::FormCreate()
{
    // A machine without a name shares its per-workstation rows with every other unnamed one.
    NomeComputerLocale = ui::Workstation::instance().computerName().trimmed();
    if (NomeComputerLocale.isEmpty()) NomeComputerLocale = QStringLiteral("SenzaNome");
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        for (QStyle::StandardPixmap p : {QStyle::SP_FileIcon, QStyle::SP_FileDialogDetailedView, QStyle::SP_DialogSaveButton,
                                         QStyle::SP_FileDialogContentsView, QStyle::SP_DirIcon, QStyle::SP_DriveHDIcon})
            lstIconeDocumenti << ui::iconaTema(QString(), p);
    }
}

db::Query *Tform_DB::queryByName(const QString &name) const
{
    for (db::Query *q : m_queries)
        if (q->objectName().compare(name, Qt::CaseInsensitive) == 0) return q;
    return nullptr;
}

void Tform_DB::cmdFiltriClick()
{
    for (db::Query *q : {Table1, Table7, Table9, TablePersonale}) q->setFilter(QStringLiteral("Annullato = false"));
    for (db::Query *q : {Table2, Table3, Table4, Table5, TableIva, Table11, Table12, Table16, TableVettore, TableNotaCredito,
                         TableModPaga, TableNCRighe, TableColli, TableFatturaStorico, TableFatturaScadenze,
                         TableMovimentiCarico, TableProvince, TableRegioni, TableModelli, TableReparti,
                         TableMovimentiCaricoTestata, TableAspetto, TablePorto, TableCategoriaClienti,
                         TableCategorieFornitori, TablePersonalizzazioni, TableSerieFatturazione, TableStatoUso, TableColori,
                         TableVetture, TableVeicoli, TableUnitaMisura, TableNazioni, TableVettureSchede,
                         TableVettureScadenze, TableTipoDocumenti, TableContabilitaConti, TableContabilitaRaggruppamenti,
                         TableContabilitaClassi})
        q->setFilter(QString());
}

void Tform_DB::AggiornaBancaScadenze(int bancaId, int documentoId)
{
    db::Command::execute(&Connessione, QStringLiteral("update FatturaScadenze set Banca_ID = %1 where Fattura_ID = %2")
                                           .arg(bancaId)
                                           .arg(documentoId));
    TableFatturaScadenze->requery();
}

QString Tform_DB::ConvertiMemo(const QVariant &value) { return value.toString().left(100); }

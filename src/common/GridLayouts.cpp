#include "GridLayouts.h"
#include "DatasetFilter.h"
#include "SqlText.h"
#include "TextUtils.h"

#include "db/DbError.h"
#include "db/Query.h"
#include "widgets/DBGrid.h"

#include <QStyledItemDelegate>
#include <optional>

namespace common {

namespace {

const QChar separatore = u'|';

QString filtroGriglia(const QString &nomeComputer, const QString &nomeGriglia)
{
    return QStringLiteral("NomeComputer = '") + RaddoppiaApici(nomeComputer) + QStringLiteral("' and NomeGriglia = '")
        + RaddoppiaApici(nomeGriglia) + u'\'';
}

// Paints the stock column; one painter per grid, found again by name.
class ColoreGiacenza : public QStyledItemDelegate {
public:
    explicit ColoreGiacenza(QObject *parent) : QStyledItemDelegate(parent) { setObjectName(nome()); }
    static QString nome() { return QStringLiteral("ColoreGiacenza"); }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->backgroundBrush = QColor(240, 189, 15);
    }
};

void dipingiGiacenza(ui::DBGrid &griglia, bool colora)
{
    auto *pittore = griglia.findChild<QStyledItemDelegate *>(ColoreGiacenza::nome(), Qt::FindDirectChildrenOnly);
    const QList<ui::GridColumn> colonne = griglia.columns();
    for (int i = 0; i < colonne.size(); ++i) {
        if (colora && colonne[i].fieldName == u"Giacenza") {
            if (!pittore) pittore = new ColoreGiacenza(&griglia);
            griglia.setItemDelegateForColumn(i, pittore);
        } else if (pittore && griglia.itemDelegateForColumn(i) == pittore) {
            griglia.setItemDelegateForColumn(i, nullptr); // painted by an earlier load
        }
    }
}

// The number of columns the form defines: the grid's count when a layout is first loaded on it.
// Later loads compare with it, not with what is left after "Elimina Colonna", so that
// "Reset Griglia" still finds the default layout fitting.
int colonneDelForm(ui::DBGrid &griglia)
{
    static const char *const proprieta = "pellaColonneDelForm";
    const QVariant ricordate = griglia.property(proprieta);
    if (ricordate.isValid()) return ricordate.toInt();
    const int colonne = int(griglia.columns().size());
    if (colonne > 0) griglia.setProperty(proprieta, colonne);
    return colonne;
}

// The stored layout as columns, or nothing when it does not fit the grid or cannot be read.
std::optional<QList<ui::GridColumn>> layoutSalvato(db::Query &griglie, int colonneForm, bool usaPredefinita)
{
    if (griglie.isEmpty() || griglie.fieldByName(QStringLiteral("TotaleCampiPredefiniti")).asInteger() != colonneForm
        || griglie.fieldByName(QStringLiteral("WidthUtente")).isNull()
        || griglie.fieldByName(QStringLiteral("CampiUtente")).isNull())
        return std::nullopt;
    const QString quale = usaPredefinita ? QStringLiteral("Predefiniti") : QStringLiteral("Utente");
    const db::Field elenchi[] = {griglie.fieldByName(QStringLiteral("Campi") + quale),
                                 griglie.fieldByName(QStringLiteral("Width") + quale),
                                 griglie.fieldByName(QStringLiteral("Caption") + quale)};
    for (const db::Field &elenco : elenchi)
        if (elenco.isNull()) return std::nullopt;
    const QString campi = elenchi[0].asString(), larghezze = elenchi[1].asString(), titoli = elenchi[2].asString();
    QList<ui::GridColumn> colonne;
    for (int i = 1; i <= ContaCampi(campi, separatore); ++i) {
        bool ok = false;
        const int larghezza = EstraiCampo(larghezze, i, separatore).toInt(&ok);
        if (!ok) return std::nullopt;
        colonne << ui::GridColumn{EstraiCampo(campi, i, separatore), EstraiCampo(titoli, i, separatore), larghezza, true};
    }
    return colonne;
}

void impostaVisibile(const QString &campo, ui::DBGrid &griglia, bool visibile)
{
    const QList<ui::GridColumn> colonne = griglia.columns();
    for (int i = 0; i < colonne.size(); ++i) {
        if (colonne[i].fieldName == campo) {
            griglia.setColumnHidden(i, !visibile);
            return;
        }
    }
}

} // namespace

void SalvaGriglia(const QString &nomeGriglia, ui::DBGrid &griglia, db::Query &griglie, bool predefinita,
                  const QString &nomeComputer)
{
    colonneDelForm(griglia); // a grid first saved before any load still remembers its own columns
    const QList<ui::GridColumn> colonne = griglia.columns();
    if (colonne.isEmpty()) return;
    QString campi, larghezze, titoli;
    for (const ui::GridColumn &c : colonne) {
        campi += c.fieldName + separatore;
        larghezze += QString::number(c.width) + separatore;
        titoli += c.caption + separatore;
    }

    const FiltroTemporaneo filtro(griglie, filtroGriglia(nomeComputer, nomeGriglia));
    if (griglie.isEmpty()) griglie.append();
    const auto scrivi = [&griglie](const char *colonna, const QString &valore) {
        griglie.fieldByName(QLatin1String(colonna)).setAsString(valore);
    };
    scrivi("NomeGriglia", nomeGriglia);
    scrivi("NomeComputer", nomeComputer);
    scrivi("CampiUtente", campi);
    scrivi("WidthUtente", larghezze);
    scrivi("CaptionUtente", titoli);
    if (predefinita || griglie.fieldByName(QStringLiteral("CampiPredefiniti")).isNull()) {
        scrivi("CampiPredefiniti", campi);
        scrivi("WidthPredefiniti", larghezze);
        scrivi("CaptionPredefiniti", titoli);
        griglie.fieldByName(QStringLiteral("TotaleCampiPredefiniti")).setAsInteger(colonne.size());
    }
    if (!griglie.post()) throw db::DbError(griglie.lastError());
}

void CaricaGriglia(const QString &nomeGriglia, ui::DBGrid &griglia, db::Query &griglie, bool usaPredefinita,
                   bool coloraGiacenza, const QString &nomeComputer)
{
    std::optional<QList<ui::GridColumn>> colonne;
    {
        const FiltroTemporaneo filtro(griglie, filtroGriglia(nomeComputer, nomeGriglia));
        colonne = layoutSalvato(griglie, colonneDelForm(griglia), usaPredefinita);
    }
    if (!colonne) {
        // Nothing usable: the grid keeps the columns it has (nothing was changed yet), and they
        // are stored as both layouts.
        SalvaGriglia(nomeGriglia, griglia, griglie, true, nomeComputer);
        return;
    }
    griglia.clearColumns();
    for (const ui::GridColumn &c : *colonne) griglia.addColumn(c.fieldName, c.caption, c.width);
    dipingiGiacenza(griglia, coloraGiacenza);
}

void NascondiColonna(const QString &campo, ui::DBGrid &griglia) { impostaVisibile(campo, griglia, false); }

void MostraColonna(const QString &campo, ui::DBGrid &griglia) { impostaVisibile(campo, griglia, true); }

} // namespace common

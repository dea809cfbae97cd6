#include "EditorDocumento.h"

#include "DatiCollegati.h"
#include "common/RecordHelpers.h"
#include "db/Query.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"

namespace forms {

EditorDocumento::EditorDocumento(Tipo tipo, QWidget *parent) : DetailForm(tipo.dettaglio, parent), m_tipo(std::move(tipo))
{
    righe = new DatiCollegati(dataset(), m_tipo.campoChiave, m_tipo.righe.dataset, m_tipo.righe.sql, this);
    if (m_tipo.scadenze.dataset)
        scadenze = new DatiCollegati(dataset(), m_tipo.campoChiave, m_tipo.scadenze.dataset, m_tipo.scadenze.sql, this);
}

ui::DBGrid *EditorDocumento::griglia(const Collegate &c)
{
    auto *g = new ui::DBGrid(this);
    g->setObjectName(c.griglia);
    g->setDataSource(c.source);
    for (const ColonnaGriglia &col : c.colonne) g->addColumn(col.campo, col.titolo, col.larghezza);
    return g;
}

QWidget *EditorDocumento::aggiungiPaginaRighe(const QString &nome, const QString &titolo)
{
    QWidget *pagina = aggiungiPagina(nome, titolo);
    grigliaRighe = griglia(m_tipo.righe);
    aggiungiRiga(QString(), grigliaRighe);
    return pagina;
}

void EditorDocumento::aggiungiTotali()
{
    for (const CampoTotale &t : m_tipo.totali) aggiungiEdit(t.nome, t.etichetta, t.campo);
}

void EditorDocumento::aggiungiScadenze(const QString &etichetta)
{
    grigliaScadenze = griglia(m_tipo.scadenze);
    aggiungiRiga(etichetta, grigliaScadenze);
}

qint64 EditorDocumento::idDocumento() const
{
    return dataset()->isEmpty() ? 0 : dataset()->fieldByName(m_tipo.campoChiave).asLargeInt();
}

void EditorDocumento::ricalcolaTotali()
{
    const qint64 id = idDocumento();
    if (id <= 0 || !m_tipo.calcolaTotali) return;
    for (const auto &[campo, valore] : m_tipo.calcolaTotali(id)) dataset()->fieldByName(campo).setAsFloat(valore);
    common::SalvaRecord(*dataset(), QStringLiteral("Id"));
}

void EditorDocumento::salvaSenzaControlli()
{
    SalvataggioSenzaControlli = true;
    spdSalvaClick();
    SalvataggioSenzaControlli = false;
}

} // namespace forms

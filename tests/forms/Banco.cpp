#include "Banco.h"

#include "data/DB.h"
#include "data/services/Postazione.h"
#include "db/Command.h"
#include "forms/Registro.h"

#include <stdexcept>

namespace banco {

Banco::Banco(const QStringList &forms, const QStringList &prima)
    : m_seams(QString()), m_db(testing_support::TestDatabase::WithSchema), m_finestra(std::make_unique<QWidget>())
{
    for (const QString &sql : prima) m_db.conn().execute(sql);
    form_DB = new Tform_DB;
    if (!form_DB->Connessione.open(m_db.path())) throw std::runtime_error(form_DB->Connessione.error().toStdString());
    for (const auto &[nome, sql] : postazione::sqlPerPostazione(NomeComputerLocale)) form_DB->queryByName(nome)->setSql(sql);
    for (db::Query *q : form_DB->queries()) q->open();
    forms::Registro::istanza().crea(forms, m_finestra.get());
}

Banco::~Banco()
{
    m_finestra.reset(); // the forms go with their owner
    forms::Registro::istanza().azzeraTutte();
    delete form_DB;
    form_DB = nullptr;
}

QVariant Banco::valore(const QString &sql) { return form_DB->Connessione.scalar(sql); }

void Banco::esegui(const QString &sql) { form_DB->Connessione.execute(sql); }

} // namespace banco

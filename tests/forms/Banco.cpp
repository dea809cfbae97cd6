#include "Banco.h"

#include "data/DB.h"
#include "data/services/Postazione.h"
#include "db/Transaction.h"
#include "forms/Registro.h"

#include <stdexcept>

namespace banco {

Banco::Banco(const QStringList &forms, const QStringList &prima)
    : m_seams(QString()), m_db(testing_support::TestDatabase::WithSchema), m_finestra(std::make_unique<QWidget>())
{
    {
        db::Transaction t(m_db.conn());
        for (const QString &sql : prima) m_db.conn().execute(sql);
        t.commit();
    }
    m_db.conn().close();
    form_DB = new Tform_DB;
    if (!form_DB->Connessione.open(m_db.path())) throw std::runtime_error(form_DB->Connessione.error().toStdString());
    // A test's database is thrown away: no wait for the disk after every write.
    form_DB->Connessione.executeNative(QStringLiteral("PRAGMA synchronous = OFF"));
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

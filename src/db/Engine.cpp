#include "Engine.h"
#include "DbError.h"

#include <algorithm>

#include <QLoggingCategory>

namespace db {

namespace {

// ":id", "id" and ":ID" name the same parameter.
QStringView bareName(const QString &name)
{
    QStringView v(name);
    if (!v.isEmpty() && (v[0] == u':' || v[0] == u'@' || v[0] == u'$')) v = v.mid(1);
    return v;
}

} // namespace

void setParam(Params &params, const QString &name, const QVariant &value)
{
    for (Param &p : params) {
        if (bareName(p.name).compare(bareName(name), Qt::CaseInsensitive) == 0) {
            p.value = value;
            return;
        }
    }
    params.append({name, value});
}

void EngineStatement::bind(const QString &name, const QVariant &value)
{
    const QStringView wanted = bareName(name);
    bool found = false;
    for (int i = 1, n = parameterCount(); i <= n; ++i) {
        const QString p = parameterName(i);
        if (!p.isEmpty() && bareName(p).compare(wanted, Qt::CaseInsensitive) == 0) {
            bind(i, value);
            found = true;
        }
    }
    if (!found) throw DbError(QStringLiteral("Il parametro :%1 non compare nell'istruzione SQL").arg(wanted));
}

void EngineStatement::bindAll(const Params &params)
{
    for (const Param &p : params) bind(p.name, p.value);
    for (int i = 1, n = parameterCount(); i <= n; ++i) {
        const QString p = parameterName(i);
        if (p.isEmpty()) continue;
        const QStringView name = bareName(p);
        const bool given = std::any_of(params.begin(), params.end(), [name](const Param &g) {
            return bareName(g.name).compare(name, Qt::CaseInsensitive) == 0;
        });
        if (!given) throw DbError(QStringLiteral("Manca il valore del parametro :%1 dell'istruzione SQL").arg(name));
    }
}

Q_LOGGING_CATEGORY(registroDb, "pella.db")

void logStatement(const QString &failure, const QString &sql)
{
    qCWarning(registroDb).noquote() << failure << "\n  istruzione:" << sql;
}

QString Engine::quoteName(const QString &name) const { return u'"' + QString(name).replace(u'"', QLatin1String("\"\"")) + u'"'; }

} // namespace db

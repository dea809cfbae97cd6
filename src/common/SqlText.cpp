#include "SqlText.h"

namespace common {

QString RaddoppiaApici(const QString &testo)
{
    return QString(testo).replace(u'\'', QLatin1String("''"));
}

QString FiltroLike(const QString &testo)
{
    return RaddoppiaApici(testo).replace(u'*', u'%');
}

} // namespace common

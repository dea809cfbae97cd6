#pragma once
// The options' default VAT rate applied to the price list in one go.
#include <QList>
#include <QVariant>

namespace db {
class Connection;
}

namespace tariffe {

// Every tariff in `ids` takes the rate `aliquota` (percent) with its key `ivaId` and a complete
// price worked out again from its price and discount: price less the discount, plus the rate,
// rounded to the cent. A null `aliquota` (no default rate) clears both columns and leaves the
// complete price without VAT. One transaction: when a row is refused the error is thrown
// (DbError) and no tariff is changed. Returns the rows changed.
int cambiaIvaTariffe(db::Connection &c, const QList<qint64> &ids, const QVariant &ivaId, const QVariant &aliquota);

} // namespace tariffe

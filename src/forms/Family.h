#pragma once
// Small pieces both halves of the family share.
#include <QList>
#include <QString>
#include <utility>

class QWidget;

namespace db {
class Query;
}

namespace forms {

inline const QString kAvviso = QStringLiteral("Messaggio di avviso");

// A Yes/No question without icon, as the family asks its confirmations.
bool chiedi(QWidget *parent, const QString &domanda);
// A message with an OK button and no icon.
void avvisa(QWidget *parent, const QString &messaggio, const QString &caption);

// The values of a picked row that the row being edited takes (a town's postcode and province):
// each pair is the source column and the target column; a null or missing source changes
// nothing. Puts `riga` in edit first.
void copiaDallaScelta(db::Query *scelta, db::Query *riga, const QList<std::pair<QString, QString>> &campi);

} // namespace forms

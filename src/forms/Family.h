#pragma once
// Small pieces both halves of the family share.
#include <QString>

class QWidget;

namespace forms {

inline const QString kAvviso = QStringLiteral("Messaggio di avviso");

// A Yes/No question without icon, as the family asks its confirmations.
bool chiedi(QWidget *parent, const QString &domanda);
// A message with an OK button and no icon.
void avvisa(QWidget *parent, const QString &messaggio, const QString &caption);

} // namespace forms

#pragma once
// The program started over a fresh database in a temporary program folder, as the user finds
// it after the start-up, and the means to drive its modal forms without ever blocking.
#include "support/TestSupport.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class QComboBox;
class QToolBar;
class QWidget;

namespace ambiente {

// Creates the forms and runs the start-up (for init()); closes everything and checks that
// every message box was expected and no window had to be closed by force (for cleanup()).
void avvia();
void chiudi();

testing_support::ScriptedDialogs &dialoghi();
testing_support::ScriptedLauncher &launcher();

QVariant valore(const QString &sql);
void esegui(const QString &sql);

// Runs `apri`, which shows a modal window, and `azione` on that window once it is up. A modal
// window still open after a few seconds (a test gone wrong) is closed and counted as a failure
// by chiudi(), so no test blocks. The action must have run when `apri` returns.
void conModale(const std::function<void()> &apri, const std::function<void(QWidget *)> &azione);

// Picks in a town lookup the town of that name in that province (towns may share a name), as the
// clerk does; the town list's row of the item must be that town. False when it is not offered.
bool scegliComune(QComboBox *lookup, const QString &comune, const QString &provincia);

// The captions of a toolbar's buttons, in order; with `soloVisibili` only those shown.
QStringList didascalie(QToolBar *barra, bool soloVisibili);

// Modal windows closed by force since the program started (a test that went wrong).
int chiusureForzate();

// The address the help is opened at for a help context (0: the start page).
QString guida(int contesto);

} // namespace ambiente

#pragma once
// The program's doors to the world: dialogs, other programs, the clock and the workstation.
// Each is an interface with one installed instance; tests install scripted doubles
// (tests/support) so that nothing blocks on a modal window or depends on the machine.
#include "core/Clock.h"
#include "core/Workstation.h"

#include <QDateTime>
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

namespace ui {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box; returns the button pressed.
    virtual QMessageBox::StandardButton message(QWidget *parent, const QString &text, const QString &caption,
                                                QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton) = 0;
    // File and folder choosers: an empty text when the user cancels.
    virtual QString openFile(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) = 0;
    virtual QString saveFile(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) = 0;
    virtual QString folder(QWidget *parent, const QString &caption, const QString &dir) = 0;
    // An input box: false when cancelled; `value` holds the initial text and the answer.
    virtual bool inputText(QWidget *parent, const QString &caption, const QString &prompt, QString &value,
                           bool password = false) = 0;
    // A choice among a few options, one of them marked at first: the index chosen, -1 when
    // cancelled. The real dialog shows them as radio buttons with OK and Annulla.
    virtual int choose(QWidget *parent, const QString &caption, const QString &prompt, const QStringList &options,
                       int current);
    // A small form of text boxes, one per label: false when cancelled; `values` holds the initial
    // texts and, on OK, the answers (as many as the labels).
    virtual bool inputFields(QWidget *parent, const QString &caption, const QString &prompt, const QStringList &labels,
                             QStringList &values);

    static Dialogs &instance();
    static void setInstance(Dialogs *d); // nullptr restores the real dialogs
};

// Shorthands over Dialogs::instance().
void showInformation(const QString &text, const QString &caption, QWidget *parent = nullptr);
void showWarning(const QString &text, const QString &caption, QWidget *parent = nullptr);
void showError(const QString &text, const QString &caption, QWidget *parent = nullptr);
bool askYesNo(const QString &text, const QString &caption, QWidget *parent = nullptr);
// Opens the program's help (its pages beside the program) at a form's context, as a file
// address with the fragment "#contestoN" kept; a missing help page is reported.
void apriGuida(int contesto);
// F1 in any window opens the help at the context of that window (its "helpContext" property,
// or its nearest parent's), as its "Aiuto" button does. Installed once on the application.
void installaTastoGuida();
// Loads Qt's Italian texts (file chooser, print dialog, context menus) when installed.
void caricaTraduzioniItaliane();

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts a program; with `wait` blocks until it ends and gives its exit code.
    // False when it could not be started (or, waiting, when it crashed).
    virtual bool start(const QString &program, const QStringList &args, bool wait, int *exitCode = nullptr) = 0;
    // Opens a file, folder or web address with the desktop's handler.
    virtual bool open(const QString &pathOrUrl) = 0;

    static Launcher &instance();
    static void setInstance(Launcher *l);
};

// The clock and the workstation live in the core, so that services without widgets use them too.
using core::Clock;
using core::Workstation;

// Installs the workstation of the running program, with the printer check of the GUI libraries.
void installaPostazioneReale();

} // namespace ui

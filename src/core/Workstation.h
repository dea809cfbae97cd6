#pragma once
// The workstation the program runs on: its name, its folders and whether it can print.
#include <QString>

namespace core {

class Workstation {
public:
    virtual ~Workstation() = default;
    // The machine's name as the system gives it (may be empty).
    virtual QString computerName() const = 0;
    // True when at least one print destination is installed.
    virtual bool hasPrinter() const = 0;
    // The folder beside the program where percorso.txt and the default database live:
    // the executable's folder, or the user's data folder when that is not writable.
    virtual QString programFolder() const = 0;
    // The folder of the program's own files (report program, templates, help).
    virtual QString installFolder() const = 0;

    // The installed workstation: a test double, else the default (see setDefault).
    static Workstation &instance();
    static void setInstance(Workstation *w); // for tests; nullptr removes the double
    // The real workstation of the running program. Without one, the system's name and folders
    // are answered and no printer is known (the printer check needs the GUI libraries).
    static void setDefault(Workstation *w);
};

// The name and folders as the system gives them, without a printer check.
class SystemWorkstation : public Workstation {
public:
    QString computerName() const override;
    bool hasPrinter() const override { return false; }
    QString programFolder() const override;
    QString installFolder() const override;
};

} // namespace core

#pragma once
// The form registry. Each form unit declares its forms once, beside their classes: the global
// pointer, the class, the detail a list opens and the grids whose saved layout the start-up
// restores. The program creates every registered form in its fixed creation order; a test
// creates only the forms it drives. Nothing else lists the forms.
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace forms {

// A grid of a form whose layout, saved per workstation under `chiave`, is restored at start-up.
struct GrigliaSalvata {
    QString chiave;
    QString griglia = QStringLiteral("DBGrid1"); // the grid's component name
};

// What a form unit declares of one form beyond its pointer and class.
struct Dichiarazione {
    QString dettaglio;              // the detail form a list opens (its pointer's name)
    QList<GrigliaSalvata> griglie;
};

struct VoceForm {
    QString nome;   // the global pointer's name
    QString classe; // the class ("T" + the pointer's name)
    Dichiarazione dichiarazione;
    std::function<QWidget *(QWidget *)> crea; // creates the form, owned by the parent, and sets the pointer
    std::function<void()> azzera;             // clears the pointer
    std::function<QWidget *()> corrente;      // what the pointer holds
};

// The registered forms. A form unit registers through `registra` at static initialisation.
class Registro {
public:
    static Registro &istanza();

    void aggiungi(VoceForm voce);
    const VoceForm *voce(const QString &nome) const;
    const QList<VoceForm> &voci() const { return m_voci; }

    // The pointers of every form of the program (144 after the splash), in creation order:
    // the main window, the data module, then the dialogs. Forms not built yet are skipped.
    static const QStringList &ordineCreazione();
    // The keys of the grid layouts the start-up restores, in the order it restores them.
    static const QStringList &ordineGriglie();

    // Creates the named forms that are not there yet, with the details of the lists among them,
    // in creation order, owned by `parent`; then gives each list its detail. Throws
    // std::invalid_argument for a name no unit registered.
    void crea(const QStringList &nomi, QWidget *parent);
    // Every registered form except the main window (created by the application itself).
    void creaTutte(QWidget *parent);
    // Clears the pointers of the forms created (their owner deletes the windows).
    void azzeraTutte();

    // The grids of the forms now created, in the start-up's restoring order.
    struct Griglia {
        QString chiave;
        QWidget *form;
        QWidget *griglia;
    };
    QList<Griglia> griglieCreate() const;

private:
    QList<VoceForm> m_voci;
};

// Declares a form: its global pointer, its class (T), how it is created and what it declares.
template <class T> bool registra(T *&puntatore, const char *nome, Dichiarazione d = {})
{
    VoceForm v;
    v.nome = QString::fromLatin1(nome);
    v.classe = QString::fromLatin1(T::staticMetaObject.className());
    v.dichiarazione = std::move(d);
    v.crea = [&puntatore](QWidget *parent) -> QWidget * {
        puntatore = new T(parent);
        return puntatore;
    };
    v.azzera = [&puntatore] { puntatore = nullptr; };
    v.corrente = [&puntatore]() -> QWidget * { return puntatore; };
    Registro::istanza().aggiungi(std::move(v));
    return true;
}

// The form registered under this name once the program (or a test) has created it; nullptr
// while it is not in the program. Forms of other units are reached this way, by name.
inline QWidget *creata(const char *nome)
{
    const VoceForm *v = Registro::istanza().voce(QLatin1String(nome));
    return v && v->corrente ? v->corrente() : nullptr;
}

} // namespace forms

#pragma once
// An element of the e-invoice being built: its name, its text or its children, appended in
// document order. The tree is written out once, whole.
#include <QString>
#include <list>

namespace fatturapa {

struct Nodo {
    QString nome;
    QString testo;
    std::list<Nodo> figli; // a list keeps the references handed out valid

    // Appends a child and returns it.
    Nodo &aggiungi(const QString &n, const QString &t = QString())
    {
        figli.push_back(Nodo{n, t, {}});
        return figli.back();
    }
    // Appends a child only when its text is not empty.
    void seNonVuoto(const QString &n, const QString &t)
    {
        if (!t.isEmpty()) aggiungi(n, t);
    }
};

} // namespace fatturapa

#pragma once
// The large buttons of the main window's menu, shared by its tabs.
#include "widgets/ToolButton.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <QToolButton>

#include <functional>
#include <vector>

class QGroupBox;

// A theme icon, with Qt's own when the desktop's theme has none.
inline QIcon themeIcon(const char *name, QStyle::StandardPixmap fallback)
{
    return ui::iconaTema(QString::fromLatin1(name), fallback);
}

// A menu button: large glyph above a bold caption (wrapped on two lines when long), hand cursor.
QToolButton *bigButton(QWidget *parent, const QString &name, const QString &caption, const QIcon &icon);

// A button of a coloured group: with no action it waits, disabled, for the form it opens.
struct PulsanteGruppo {
    const char *nome;
    const char *testo;
    const char *icona;
    std::function<void()> azione;
    bool senzaArchivio = false; // works with no database open (about box, videos)
};

// A group box of menu buttons, rows top to bottom; `colore` invalid keeps the tab's colour.
QGroupBox *gruppoPulsanti(QWidget *page, const QString &titolo, const QColor &colore,
                          const std::vector<std::vector<PulsanteGruppo>> &righe);

// Marks a menu button that waits for a form not built yet (it stays disabled).
inline void segnaInAttesa(QToolButton *b)
{
    b->setEnabled(false);
    b->setProperty("inAttesa", true);
}

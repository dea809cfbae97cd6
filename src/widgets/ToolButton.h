#pragma once
#include <QStyle>
#include <QString>

class QIcon;
class QToolButton;
class QWidget;

namespace ui {

// A flat toolbar button of the forms: glyph above a bold caption, hand cursor, hint, no focus.
// The glyph comes from the desktop's icon theme, with Qt's own icon when the theme has none.
QToolButton *toolButton(QWidget *parent, const QString &name, const QString &caption, const QString &hint,
                        const char *themeIcon, QStyle::StandardPixmap fallback);

// The desktop theme's icon of that name, else Qt's own (`riserva`; an empty name: Qt's own),
// found and decoded the first time it is drawn, not when made.
QIcon iconaTema(const QString &nome, QStyle::StandardPixmap riserva, const QWidget *widget = nullptr);

// The "Indietro" button every form's toolbar ends with (component spdIndietro).
QToolButton *pulsanteIndietro(QWidget *parent, const QString &caption = QStringLiteral("Indietro"));
// The "Aiuto" button of a toolbar, `spdHelp`.
QToolButton *pulsanteAiuto(QWidget *parent);

} // namespace ui

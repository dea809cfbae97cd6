#include "ToolButton.h"

#include <QApplication>
#include <QIcon>
#include <QToolButton>

namespace ui {

QIcon iconaTema(const QString &nome, QStyle::StandardPixmap riserva, const QWidget *widget)
{
    if (QIcon::hasThemeIcon(nome)) return QIcon::fromTheme(nome);
    return (widget ? widget->style() : QApplication::style())->standardIcon(riserva);
}

QToolButton *toolButton(QWidget *parent, const QString &name, const QString &caption, const QString &hint,
                        const char *themeIcon, QStyle::StandardPixmap fallback)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(caption);
    b->setToolTip(hint);
    b->setIcon(iconaTema(QString::fromLatin1(themeIcon), fallback, parent));
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setCursor(Qt::PointingHandCursor);
    // A toolbar button is pressed with the mouse: it never takes the focus, so typing, Space and
    // Enter stay in the form's fields.
    b->setFocusPolicy(Qt::NoFocus);
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
    return b;
}

QToolButton *pulsanteIndietro(QWidget *parent, const QString &caption)
{
    return toolButton(parent, QStringLiteral("spdIndietro"), caption, QStringLiteral("Torna indietro"), "go-previous",
                      QStyle::SP_ArrowBack);
}

QToolButton *pulsanteAiuto(QWidget *parent)
{
    return toolButton(parent, QStringLiteral("spdHelp"), QStringLiteral("Aiuto"), QStringLiteral("Guida in linea del programma"),
                      "help-contents", QStyle::SP_DialogHelpButton);
}

} // namespace ui

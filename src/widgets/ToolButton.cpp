#include "ToolButton.h"

#include <QApplication>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QToolButton>

namespace ui {

namespace {

// An icon whose pictures are found and decoded the first time it is drawn: Qt's own icons
// decode every size of their PNG files when made, and a program that builds all its windows at
// start-up shows few of them.
class IconaPigra : public QIconEngine {
public:
    IconaPigra(const QString &nome, QStyle::StandardPixmap riserva) : m_nome(nome), m_riserva(riserva) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        vera().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override { return vera().pixmap(size, mode, state); }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return vera().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override { return vera().actualSize(size, mode, state); }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override { return vera().availableSizes(mode, state); }
    QString iconName() override { return m_nome; }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("IconaPigra"); }
    QIconEngine *clone() const override { return new IconaPigra(*this); }

private:
    const QIcon &vera()
    {
        if (!m_letta) {
            m_letta = true;
            m_icona = !m_nome.isEmpty() && QIcon::hasThemeIcon(m_nome) ? QIcon::fromTheme(m_nome)
                                                                       : QApplication::style()->standardIcon(m_riserva);
        }
        return m_icona;
    }

    QString m_nome;
    QStyle::StandardPixmap m_riserva;
    bool m_letta = false;
    QIcon m_icona;
};

} // namespace

QIcon iconaTema(const QString &nome, QStyle::StandardPixmap riserva, const QWidget *)
{
    return QIcon(new IconaPigra(nome, riserva));
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

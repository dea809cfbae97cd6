#include "Seams.h"

#include <QButtonGroup>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHeaderView>
#include <QSpacerItem>
#include <QTreeView>
#include <QInputDialog>
#include <QApplication>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QPrinterInfo>
#include <QProcess>
#include <QUrl>


namespace ui {

int Dialogs::choose(QWidget *parent, const QString &caption, const QString &prompt, const QStringList &options, int current)
{
    QDialog d(parent);
    d.setWindowTitle(caption);
    auto *layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel(prompt, &d));
    auto *gruppo = new QButtonGroup(&d);
    for (int i = 0; i < options.size(); ++i) {
        auto *r = new QRadioButton(options[i], &d);
        r->setChecked(i == current);
        gruppo->addButton(r, i);
        layout->addWidget(r);
    }
    auto *bottoni = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    bottoni->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    QObject::connect(bottoni, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(bottoni, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    layout->addWidget(bottoni);
    if (d.exec() != QDialog::Accepted) return -1;
    return gruppo->checkedId();
}

bool Dialogs::inputFields(QWidget *parent, const QString &caption, const QString &prompt, const QStringList &labels,
                          QStringList &values)
{
    QDialog d(parent);
    d.setWindowTitle(caption);
    auto *layout = new QVBoxLayout(&d);
    if (!prompt.isEmpty()) {
        auto *testo = new QLabel(prompt, &d);
        testo->setWordWrap(true);
        layout->addWidget(testo);
    }
    auto *campi = new QFormLayout;
    QList<QLineEdit *> edit;
    for (int i = 0; i < labels.size(); ++i) {
        auto *e = new QLineEdit(values.value(i), &d);
        e->setMinimumWidth(280);
        campi->addRow(labels[i], e);
        edit << e;
    }
    layout->addLayout(campi);
    auto *bottoni = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    bottoni->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    QObject::connect(bottoni, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(bottoni, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    layout->addWidget(bottoni);
    if (d.exec() != QDialog::Accepted) return false;
    values.clear();
    for (QLineEdit *e : edit) values << e->text();
    return true;
}

namespace {

class RealDialogs : public Dialogs {
public:
    QMessageBox::StandardButton message(QWidget *parent, const QString &text, const QString &caption,
                                        QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton def) override
    {
        QMessageBox box(icon, caption, text, buttons, parent);
        box.setDefaultButton(def);
        // A box is as wide as its text, and its title would be cut short in the title bar.
        if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
            QFont titolo = box.font();
            titolo.setBold(true);
            const int larghezza = QFontMetrics(titolo).horizontalAdvance(caption) + 120;
            grid->addItem(new QSpacerItem(larghezza, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                          grid->columnCount());
        }
        if (buttons.testFlag(QMessageBox::Yes)) {
            box.setButtonText(QMessageBox::Yes, QStringLiteral("Sì"));
            box.setButtonText(QMessageBox::No, QStringLiteral("No"));
        }
        if (buttons.testFlag(QMessageBox::Cancel)) box.setButtonText(QMessageBox::Cancel, QStringLiteral("Annulla"));
        return QMessageBox::StandardButton(box.exec());
    }
    QString openFile(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override
    {
        return scegliFile(parent, caption, dir, filter, QFileDialog::AcceptOpen);
    }
    QString saveFile(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override
    {
        return scegliFile(parent, caption, dir, filter, QFileDialog::AcceptSave);
    }

private:
    static QString scegliFile(QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                              QFileDialog::AcceptMode modo)
    {
        QFileDialog d(parent, caption, dir, filter);
        d.setAcceptMode(modo);
        d.setFileMode(modo == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        // Qt's own chooser opens small, with its detail columns cut: give them their room.
        d.resize(860, 480);
        if (auto *vista = d.findChild<QTreeView *>()) {
            vista->header()->setSectionResizeMode(0, QHeaderView::Stretch);
            for (int c = 1; c < vista->header()->count(); ++c)
                vista->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
        }
        return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().constFirst() : QString();
    }

public:
    QString folder(QWidget *parent, const QString &caption, const QString &dir) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, dir);
    }
    bool inputText(QWidget *parent, const QString &caption, const QString &prompt, QString &value, bool password) override
    {
        bool ok = false;
        const QString v = QInputDialog::getText(parent, caption, prompt, password ? QLineEdit::Password : QLineEdit::Normal,
                                                value, &ok);
        if (ok) value = v;
        return ok;
    }
};

class RealLauncher : public Launcher {
public:
    bool start(const QString &program, const QStringList &args, bool wait, int *exitCode) override
    {
        if (!wait) return QProcess::startDetached(program, args);
        QProcess p;
        p.start(program, args);
        if (!p.waitForStarted()) return false;
        p.waitForFinished(-1);
        if (exitCode) *exitCode = p.exitCode();
        return p.exitStatus() == QProcess::NormalExit;
    }
    bool open(const QString &pathOrUrl) override
    {
        // A file address keeps its fragment; a plain path is made one.
        const QUrl url = pathOrUrl.startsWith(QLatin1String("file:")) ? QUrl(pathOrUrl)
            : QFileInfo::exists(pathOrUrl)                           ? QUrl::fromLocalFile(pathOrUrl)
                                                                     : QUrl::fromUserInput(pathOrUrl);
        return QDesktopServices::openUrl(url);
    }
};

class RealWorkstation : public core::SystemWorkstation {
public:
    bool hasPrinter() const override { return !QPrinterInfo::availablePrinterNames().isEmpty(); }
};

template <typename T> T *&slot()
{
    static T *p = nullptr;
    return p;
}

} // namespace

Dialogs &Dialogs::instance()
{
    static RealDialogs real;
    return slot<Dialogs>() ? *slot<Dialogs>() : real;
}
void Dialogs::setInstance(Dialogs *d) { slot<Dialogs>() = d; }

Launcher &Launcher::instance()
{
    static RealLauncher real;
    return slot<Launcher>() ? *slot<Launcher>() : real;
}
void Launcher::setInstance(Launcher *l) { slot<Launcher>() = l; }

void installaPostazioneReale()
{
    static RealWorkstation real;
    Workstation::setDefault(&real);
}

void showInformation(const QString &text, const QString &caption, QWidget *parent)
{
    Dialogs::instance().message(parent, text, caption, QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok);
}
void showWarning(const QString &text, const QString &caption, QWidget *parent)
{
    Dialogs::instance().message(parent, text, caption, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok);
}
void showError(const QString &text, const QString &caption, QWidget *parent)
{
    Dialogs::instance().message(parent, text, caption, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok);
}
bool askYesNo(const QString &text, const QString &caption, QWidget *parent)
{
    return Dialogs::instance().message(parent, text, caption, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                                       QMessageBox::No)
        == QMessageBox::Yes;
}

void apriGuida(int contesto)
{
    const QString pagina = QDir(Workstation::instance().installFolder()).filePath(QStringLiteral("aiuto/index.html"));
    if (!QFileInfo::exists(pagina)) {
        showError(QStringLiteral("Attenzione: la guida in linea non è stata trovata (%1).\n"
                                 "Reinstallare il programma per ripristinarla.")
                      .arg(QDir::toNativeSeparators(pagina)),
                  QStringLiteral("Messaggio di errore"));
        return;
    }
    // A path with "#..." appended would name no file: the fragment belongs to a file address.
    QUrl url = QUrl::fromLocalFile(pagina);
    if (contesto > 0) url.setFragment(QStringLiteral("contesto%1").arg(contesto));
    Launcher::instance().open(url.toString());
}

namespace {
class TastoGuida : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(e)->key() != Qt::Key_F1) return false;
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || !w->isWindow()) {
            // The key reaches the focused child first; act once, on behalf of its window.
            if (!w) return false;
            w = w->window();
        }
        for (QWidget *p = w; p; p = p->parentWidget()) {
            const QVariant c = p->property("helpContext");
            if (c.isValid()) {
                apriGuida(c.toInt());
                return true;
            }
        }
        return false;
    }
};
} // namespace

void caricaTraduzioniItaliane()
{
    static QTranslator *qt = nullptr;
    if (qt || !qApp) return;
    qt = new QTranslator(qApp);
    const QString cartella = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qt->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qt"), QStringLiteral("_"), cartella))
        qApp->installTranslator(qt);
}

void installaTastoGuida()
{
    static TastoGuida *filtro = nullptr;
    if (filtro || !qApp) return;
    filtro = new TastoGuida(qApp);
    qApp->installEventFilter(filtro);
}

} // namespace ui

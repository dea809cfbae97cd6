#include "Forms.h"
#include "Frm1.h"
#include "PellaApplication.h"
#include "SingleInstance.h"
#include "Splash.h"
#include "widgets/Seams.h"

#include <QTimer>

int main(int argc, char **argv)
{
    PellaApplication app(argc, argv);
    ui::caricaTraduzioniItaliane();
    SingleInstance instance;
    if (!instance.isFirst()) {
        SingleInstance::avvisaGiaInEsecuzione();
        return 0;
    }
    TSplashForm splash;
    SplashForm = &splash;
    splash.show();
    splash.repaint();
    QCoreApplication::processEvents();
    if (!splash.FormActivate()) return 0;
    if (!CreaFormsSegnalando()) return 1;
    splash.hide();
    Form1->show();
    // The start-up runs at the main window's first activation; without a window manager that
    // never comes, so it is also asked for once the event loop runs.
    QTimer::singleShot(0, Form1, &TForm1::FormActivate);
    const int rc = app.exec();
    DistruggiForms();
    SplashForm = nullptr;
    Q_UNUSED(rc);
    return 0;
}

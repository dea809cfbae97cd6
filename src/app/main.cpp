#include "PellaApplication.h"

#include <QLabel>
#include <QMainWindow>

int main(int argc, char **argv)
{
    PellaApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Pellavantoria"));
    auto *label = new QLabel(QStringLiteral("Pellavantoria"), &w);
    label->setAlignment(Qt::AlignCenter);
    w.setCentralWidget(label);
    w.resize(800, 600);
    w.show();
    return app.exec();
}

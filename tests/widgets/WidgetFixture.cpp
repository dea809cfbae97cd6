#include "WidgetFixture.h"

#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

void clickBox(QCheckBox *box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    QTest::mouseClick(box, Qt::LeftButton, {}, box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center());
}

WidgetFixture::WidgetFixture()
{
    database.exec("CREATE TABLE Clienti (Id INTEGER PRIMARY KEY AUTOINCREMENT, Descrizione TEXT COLLATE UNOCASE);"
                  "INSERT INTO Clienti (Id, Descrizione) VALUES (0, 'Nessuno'), (1, 'Rossi'), (2, 'Verdi'), (3, 'Bianchi');"
                  "CREATE TABLE Fatture (Id INTEGER PRIMARY KEY AUTOINCREMENT, Nome TEXT COLLATE UNOCASE, Numero INTEGER,"
                  " Importo REAL, Data DATETIME, Pagata BOOLEAN NOT NULL DEFAULT 0, Note TEXT COLLATE UNOCASE,"
                  " Cliente_ID INTEGER);"
                  "INSERT INTO Fatture (Nome, Numero, Importo, Data, Pagata, Note, Cliente_ID) VALUES"
                  " ('Bianchi', 7, 3.25, '2025-01-01 00:00:00', 0, 'prima', 1),"
                  " ('Neri', 8, 10, '2025-02-01 00:00:00', 1, NULL, 2);");
    fatture.setSql("select * from Fatture order by Id");
    fatture.open();
    clienti.setSql("select * from Clienti order by Descrizione");
    clienti.open();
    form.setLayout(new QVBoxLayout);
}

bool WidgetFixture::showActive()
{
    form.show();
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}

QString WidgetFixture::stored(const QString &column, int id)
{
    const QVariant v = database.scalar(QStringLiteral("select %1 from Fatture where Id = %2").arg(column).arg(id));
    return v.isNull() ? QStringLiteral("<null>") : v.toString();
}

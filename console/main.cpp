#include "form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brevanto"));
    QApplication::setApplicationVersion(QStringLiteral(BREVANTO_VERSION));

    Form1 form;
    form.Form_Load();
    form.show();
    return QApplication::exec();
}

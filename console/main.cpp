#include "calllog.h"
#include "displaycontrol.h"
#include "form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brevanto"));
    QApplication::setApplicationVersion(QStringLiteral(BREVANTO_VERSION));

    Form1 form;
    CallLog *log = nullptr;
    if (const QString path = qEnvironmentVariable("BREVANTO_CALL_LOG"); !path.isEmpty())
        log = new CallLog(path, form.display());
    form.Form_Load();
    form.show();
    if (log) {
        log->write({QStringLiteral("Shown"), form.display()->isMovieLoaded()
                                                 ? QStringLiteral("movie")
                                                 : form.display()->notice()});
    }
    return QApplication::exec();
}

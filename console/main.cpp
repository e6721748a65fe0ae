#include "calllog.h"
#include "displaycontrol.h"
#include "form1.h"

#include <QApplication>
#include <QQuickWindow>
#include <QSGRendererInterface>

int main(int argc, char *argv[])
{
    // The board is flat shapes and text: Qt Quick's software renderer repaints only what changed
    // (the clock's digits), where OpenGL redraws and composes the whole window every time, which
    // costs a core's worth on a machine without a graphics processor. QT_QUICK_BACKEND still
    // chooses another.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brevanto"));
    QApplication::setApplicationVersion(QStringLiteral(BREVANTO_VERSION));

    Form1 form;
    LogBoardCalls(form.display());
    form.Form_Load();
    form.show();
    LogBoardCall({QStringLiteral("Shown"), form.display()->isMovieLoaded()
                                               ? QStringLiteral("movie")
                                               : form.display()->notice()});
    return QApplication::exec();
}

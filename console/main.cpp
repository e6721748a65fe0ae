// SPDX-License-Identifier: GPL-3.0-or-later
#include "calllog.h"
#include "displaycontrol.h"
#include "foreground.h"
#include "form1.h"
#include "windowsystem.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brevanto"));
    QApplication::setApplicationVersion(QStringLiteral(BREVANTO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(BREVANTO_APP_ID));

    // Before the splash: the operator window comes after it.
    KeepForegroundRight();
    Form1 form;
    DisplayControl *board = form.display();
    LogBoardCalls(board);
    form.Form_Load();
    form.show();
    RequestActivation(&form);
    // Once the board shows the movie or its notice; with what holds the movie's process.
    const auto logShown = [board] {
        LogBoardCall({QStringLiteral("Shown"),
                      board->isMovieLoaded() ? QStringLiteral("movie") : board->notice()});
        LogBoardCall(QStringList{QStringLiteral("Confinement")} + board->confinement());
    };
    if (board->isMovieLoaded() || !board->notice().isEmpty())
        logShown();
    else
        QObject::connect(board, &DisplayControl::movieChanged, &form, logShown,
                         Qt::SingleShotConnection);
    return QApplication::exec();
}

#pragma once

#include <QFile>
#include <QObject>

class DisplayControl;

// Writes every operation the program makes on the display control to a file, one JSON array a
// line (["SetVariable","points_a","007"]), for end-to-end tests that watch a running program.
// It changes nothing that the operator sees. Enabled by the environment variable
// BREVANTO_CALL_LOG naming the file.
class CallLog : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CallLog)

public:
    CallLog(const QString &path, DisplayControl *display);

    // A line of the program's own, such as the state after start-up.
    void write(const QStringList &fields);

private:
    QFile m_file;
};

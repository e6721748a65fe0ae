#pragma once

#include "gameclock.h"

#include <QHash>
#include <QQuickWidget>
#include <QString>
#include <QStringList>
#include <memory>

class ClockDriver;
class Horn;
class MovieLoader;
class QQmlPropertyMap;

// The display control: plays the scoreboard movie, a QML document read from a file, and offers
// the operations the operator window drives it with. The movie sees the variables as the
// context property `board` (board.name_a, board.points_a, ...), and the game clock's shown text
// as board.clock.
//
// The game clock runs here, on a monotonic clock, behind the movie's frame protocol: GotoFrame 0
// is the cue, Play from the cue takes s_min and s_sec and rests there, Play from rest or from
// frame 6 counts down, GotoFrame 6 holds. `min`, `sec` and `mil` read the clock's current value.
//
// Like the control it stands in for, it plays at load and scales the movie's design canvas
// uniformly to fit ("ShowAll"), centred on black.
class DisplayControl : public QQuickWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DisplayControl)
    Q_PROPERTY(QString Movie READ Movie WRITE setMovie)

public:
    // The clock counts on `clockTime`, the steady clock unless given.
    explicit DisplayControl(GameClock::TimeSource clockTime = {}, QWidget *parent = nullptr);
    ~DisplayControl() override;

    QString Movie() const { return m_moviePath; }
    // Writing the path loads the movie from that file. A file that is missing, too large or not
    // a movie leaves a plain notice in the board area; nothing is reported to the caller.
    void setMovie(const QString &path);

    void SetVariable(const QString &name, const QString &value);
    // The text last set under that name, the empty text for a name never set; `min`, `sec`
    // and `mil` give the clock's current value.
    QString GetVariable(const QString &name);

    void GotoFrame(int frame);
    void Play();

    // Whether a movie is playing (false after a failed load), and the notice shown instead.
    bool isMovieLoaded() const;
    QString notice() const;

Q_SIGNALS:
    // Every operation the program makes on the control, in order, for observers and tests.
    void called(const QString &operation, const QStringList &arguments);
    // The control received the keyboard focus; the operator window hands it on.
    void focusReceived();
    // The countdown reached zero and the horn was sounded.
    void hornSounded();

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    // Stores a variable and shows it to the movie.
    void publish(const QString &name, const QString &value);

    QString m_moviePath;
    QHash<QString, QString> m_values;
    QQmlPropertyMap *m_board;
    ClockDriver *m_clock;
    Horn *m_horn;
    std::unique_ptr<MovieLoader> m_loader;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class BoardLink;
class ClockDriver;
class ClockTime;

// What the display control takes from the world around it. Tests replace them: a time they move
// by hand (see ClockTime), a horn they count.
struct DisplayServices
{
    // The game clock's time; the steady clock when null. It outlives the control.
    ClockTime *clockTime = nullptr;
    // Sounds the horn at the end of a countdown; the system's sound output when empty.
    std::function<void()> horn;
};

// The display control: plays the scoreboard movie, a QML document read from a file, and offers
// the operations the operator window drives it with. The movie sees the variables as the
// context property `board` (board.name_a, board.points_a, ...), and the game clock's shown text
// as board.clock.
//
// The movie runs in a process of its own (BoardLink), which draws the board into memory shared
// with this control; whatever the movie does there, the control, the clock and the horn go on.
// The control shows the frames in its rectangle, or a plain notice when the movie does not
// play; a movie that has shown nothing half a second after its load was asked for is said to be
// loading until its first frame or its notice comes. Like the control it stands in for, it plays at
// load and scales the movie's design canvas uniformly to fit ("ShowAll"), centred on black.
//
// The game clock runs here, on a monotonic clock, behind the movie's frame protocol: GotoFrame 0
// is the cue, Play from the cue takes s_min and s_sec and rests there, Play from rest or from
// frame 6 counts down, GotoFrame 6 holds. `min`, `sec` and `mil` read the clock's current value.
class DisplayControl : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DisplayControl)
    Q_PROPERTY(QString Movie READ Movie WRITE setMovie)

public:
    explicit DisplayControl(DisplayServices services = {}, QWidget *parent = nullptr);
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

    // Whether the movie plays, its first frame shown; and the notice shown instead once it
    // does not (empty while a load is under way).
    bool isMovieLoaded() const;
    QString notice() const;
    // What holds the movie's process below Qt, layer by layer ("held: ...", "not held: ..."),
    // once it has loaded the movie.
    QStringList confinement() const;

Q_SIGNALS:
    // Every operation the program makes on the control, in order, for observers and tests.
    void called(const QString &operation, const QStringList &arguments);
    // The control received the keyboard focus; the operator window hands it on.
    void focusReceived();
    // The movie started to play (its first frame is on the screen), or the notice came.
    void movieChanged();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void clockTextChanged(const QString &text);
    void prepareNextClockText();
    void showFrame(const QRect &changed);
    void tellSize();

    QString m_moviePath;
    ClockDriver *m_clock;
    BoardLink *m_link;
    // Runs from the load on: a board that loads quickly shows no word of it.
    QTimer m_loadingDelay;
};

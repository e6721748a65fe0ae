#pragma once

#include <QHash>
#include <QQuickWidget>
#include <QString>
#include <QStringList>

class QQmlPropertyMap;
class QQuickItem;

// The display control: plays the scoreboard movie, a QML document read from a file, and offers
// the operations the operator window drives it with. The movie sees the variables as the
// context property `board` (board.name_a, board.points_a, ...).
//
// Like the control it stands in for, it plays at load and scales the movie's design canvas
// uniformly to fit ("ShowAll"), centred on black.
class DisplayControl : public QQuickWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DisplayControl)
    Q_PROPERTY(QString Movie READ Movie WRITE setMovie)

public:
    explicit DisplayControl(QWidget *parent = nullptr);
    ~DisplayControl() override;

    QString Movie() const { return m_moviePath; }
    // Writing the path loads the movie from that file. A file that is missing, too large or not
    // a movie leaves a plain notice in the board area; nothing is reported to the caller.
    void setMovie(const QString &path);

    void SetVariable(const QString &name, const QString &value);
    // The text last set under that name; the empty text for a name never set.
    QString GetVariable(const QString &name) const;

    // Whether a movie is playing (false after a failed load), and the notice shown instead.
    bool isMovieLoaded() const { return m_movieItem != nullptr; }
    QString notice() const { return m_notice; }

    // Largest movie file read; a scoreboard document is a few kilobytes.
    static constexpr qint64 MaxMovieBytes = 4 * 1024 * 1024;

Q_SIGNALS:
    // Every operation the program makes on the control, in order, for observers and tests.
    void called(const QString &operation, const QStringList &arguments);
    // The control received the keyboard focus; the operator window hands it on.
    void focusReceived();

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    void showNotice(const QString &text);
    void unloadMovie();

    QString m_moviePath;
    QString m_notice;
    QHash<QString, QString> m_values;
    QQmlPropertyMap *m_board = nullptr;
    QQuickItem *m_movieItem = nullptr;
};

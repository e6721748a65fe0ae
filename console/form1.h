#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <chrono>
#include <functional>

namespace Ui {
class Form1;
}
class QComboBox;
class QLineEdit;
class DisplayControl;

// The operator window: the board's fields, the clock buttons, the board itself and the key
// catcher `Teclado`. The game state is the text of its fields and the selection of `period`,
// plus `PlayState`. Handlers stay thin; the rules live in common/, input/ and display/.
class Form1 : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // The load step, run once before the window is first shown: the splash, the initial state,
    // the board's layout and the movie.
    void Form_Load();

    // Asks the desktop to open a document with its associated application; the result is
    // dropped.
    void OpenPage(const QString &Pagina);

    QString playState() const { return PlayState; }
    DisplayControl *display() const;

    // Test seams: how long the splash stays, and how the one message of the program is shown.
    void setSplashInterval(std::chrono::milliseconds interval) { m_splashInterval = interval; }
    // The size of the screen the window is on, in pixels; replaceable to stand for a change of
    // resolution.
    using ScreenSizeSource = std::function<QSize(const QWidget *window)>;
    void setScreenSizeSource(ScreenSizeSource source) { m_screenSize = std::move(source); }
    using MessageShower = std::function<void(QWidget *parent, const QString &text)>;
    void setMessageShower(MessageShower shower) { m_showMessage = std::move(shower); }

Q_SIGNALS:
    // The splash has closed and the load step goes on (observed by the start-up tests).
    void splashClosed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LayoutWindowed();
    void LayoutFullScreen();
    void LoadScoreboardMovie();
    void RefreshDisplay();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void LeaveFullScreen();
    void Picture1_MouseDown(int Button, int Shift, float X, float Y);
    void Picture1_MouseMove(int Button, int Shift, float X, float Y);
    void Teclado_KeyDown(int KeyCode, int Shift);
    void CounterStep(QLineEdit *field, int step, int limit);
    void PeriodStep(int step);
    void FilterOnKeyRelease(QObject *field);
    void PeriodEdited(const QString &text);

    void applyFonts();
    void setDisplayExtent(double heightTwips, double leftTwips, double topTwips, double widthTwips);

    Ui::Form1 *ui;
    QString PlayState;
    double DragX = 0;
    double DragY = 0;
    QRect m_windowedGeometry;
    std::chrono::milliseconds m_splashInterval;
    MessageShower m_showMessage;
    ScreenSizeSource m_screenSize;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "displaycontrol.h"
#include "frmsplash.h"
#include "scorefield.h"

#include <QHash>
#include <QRect>
#include <QString>
#include <QWidget>
#include <array>
#include <chrono>
#include <functional>

namespace Ui {
class Form1;
}
class QComboBox;
class QLineEdit;

// The size of the screen a window is on, in pixels; and the program's one message, shown modally
// in a box with an OK button. The operator window's defaults for both.
QSize ScreenSizeOf(const QWidget *window);
void ShowMessageBox(QWidget *parent, const QString &text);

// What the operator window takes from the world around it. Tests replace parts of it: a short
// splash, a screen of another size, a message that is noted rather than shown, and the board's
// clock and horn.
struct ConsoleServices
{
    std::chrono::milliseconds splashInterval = frmSplash::DefaultInterval;
    std::function<QSize(const QWidget *window)> screenSize = ScreenSizeOf;
    std::function<void(QWidget *parent, const QString &text)> showMessage = ShowMessageBox;
    DisplayServices display;
};

// The operator window: the board's fields, the clock buttons, the board itself and the key
// catcher `Teclado`. The game state is the text of its fields and the selection of `period`,
// plus `PlayState`. Handlers stay thin; the rules live in common/, input/ and display/.
class Form1 : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    explicit Form1(ConsoleServices services = {}, QWidget *parent = nullptr);
    ~Form1() override;

    // The load step, run once before the window is first shown: the splash, the initial state,
    // the board's layout and the movie.
    void Form_Load();

    // Asks the desktop to open a document with its associated application; the result is
    // dropped.
    void OpenPage(const QString &Pagina);

    DisplayControl *display() const { return ShockwaveFlash1; }

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
    void FilterOnKeyRelease(QObject *watched);
    void PeriodEdited(const QString &text);

    // PlayState and Command1's caption, which always agree.
    void SetPlayState(const QString &state);
    QLineEdit *field(ScoreField which) const;
    void applyFonts();
    void setDisplayExtent(double heightTwips, double leftTwips, double topTwips, double widthTwips);

    Ui::Form1 *ui;
    DisplayControl *ShockwaveFlash1;
    ConsoleServices m_services;
    QString PlayState;
    double DragX = 0;
    double DragY = 0;
    QRect m_windowedGeometry;
    // The fields by ScoreField, and the filtered ones with their bounds.
    std::array<QLineEdit *, std::size(ScoreFields)> m_fields{};
    QHash<const QObject *, qint16> m_entryBounds;
};

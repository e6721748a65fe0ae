// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"
#include "ui_form1.h"

#include "boardarea.h"
#include "boardmovie.h"
#include "boardvariables.h"
#include "clockcommands.h"
#include "displaycontrol.h"
#include "foreground.h"
#include "frmsplash.h"
#include "hotkeys.h"
#include "limitentry.h"
#include "movieframes.h"
#include "programfolder.h"
#include "textnumber.h"
#include "twips.h"
#include "virtualkey.h"
#include "windowmanager.h"
#include "windowsystem.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>
#include <QWindow>

namespace {

QFont SansSerif(qreal pointSize, bool bold = false)
{
    // The faces closest to the one the window was designed with, then whatever sans-serif the
    // platform has.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QSize ScreenSizeOf(const QWidget *window)
{
    const QScreen *screen = window->screen();
    return screen ? screen->geometry().size() : QSize();
}

void ShowMessageBox(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent);
    RequestActivation(&box);
    box.exec();
    // Without a window manager the focus falls back to the screen when the box closes.
    if (parent)
        RequestActivation(parent->window());
}

Form1::Form1(ConsoleServices services, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ui(new Ui::Form1),
      m_services(std::move(services))
{
    ui->setupUi(this);
    // The board is made here rather than by the form, since it takes the clock's time source.
    // Made last, it lies in front of every other control; it comes first in the tab order
    // (after the last control, from which Tab wraps around to it).
    ShockwaveFlash1 = new DisplayControl(m_services.display, this);
    ShockwaveFlash1->setObjectName(QStringLiteral("ShockwaveFlash1"));
    setDisplayExtent(BoardArea::Height, BoardArea::Left, BoardArea::Top, BoardArea::Width);
    ShockwaveFlash1->raise();
    QWidget::setTabOrder(ui->period, ShockwaveFlash1);
    setWindowIcon(QIcon(QStringLiteral(":/resources/clock-icon.png")));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    applyFonts();
    if (const QScreen *screen = this->screen())
        move(screen->geometry().center() - rect().center());

    connect(ShockwaveFlash1, &DisplayControl::focusReceived, this,
            [this] { ui->Teclado->setFocus(); });
    connect(ui->Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(ui->Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(ui->Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(ui->Command5, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->Picture1, &DragStrip::mouseDown, this, &Form1::Picture1_MouseDown);
    connect(ui->Picture1, &DragStrip::mouseMove, this, &Form1::Picture1_MouseMove);
    connect(ui->period->lineEdit(), &QLineEdit::textEdited, this, &Form1::PeriodEdited);
    // When its edit field's editing finishes (Enter, the focus leaving), an editable list
    // selects the item that matches the typed text. A typed period stays "no item selected"
    // until a hotkey step or a pick from the list, so that matching is switched off.
    disconnect(ui->period->lineEdit(), &QLineEdit::editingFinished, nullptr, nullptr);

    // The first control of the tab order takes the focus when the window is first shown; the
    // board hands it on to the key catcher at once.
    ShockwaveFlash1->setFocus();

    for (QLineEdit *edit : findChildren<QLineEdit *>())
        edit->setMaxLength(LongestEntry);
    for (const ScoreField which : ScoreFields)
        m_fields[size_t(which)] = findChild<QLineEdit *>(QLatin1String(FieldName(which)));
    ui->Teclado->installEventFilter(this);
    for (const EntryBound &entry : EntryBounds) {
        QLineEdit *edit = field(entry.field);
        m_entryBounds.insert(edit, entry.bound);
        edit->installEventFilter(this);
    }
    ui->period->installEventFilter(this);
    ui->period->lineEdit()->installEventFilter(this);
}

Form1::~Form1()
{
    delete ui;
}

QLineEdit *Form1::field(ScoreField which) const
{
    return m_fields[size_t(which)];
}

void Form1::applyFonts()
{
    setFont(SansSerif(8.25));
    ui->Command2->setFont(SansSerif(9.75, true));
    // The clock labels sit on the menu colours, like a menu bar.
    const QPalette menu = QApplication::palette("QMenu");
    for (QLabel *label : {ui->Label1, ui->Label2}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, menu.color(QPalette::Window));
        palette.setColor(QPalette::WindowText, menu.color(QPalette::WindowText));
        label->setPalette(palette);
        label->setAutoFillBackground(true);
    }
}

void Form1::Form_Load()
{
    {
        frmSplash splash(m_services.splashInterval);
        splash.exec();
    }
    SetPlayState(PlayCaption.toString());
    ui->period->setCurrentIndex(0);
    LayoutWindowed();
    LoadScoreboardMovie();
}

// --- Layouts ---------------------------------------------------------------------------------

void Form1::setDisplayExtent(double heightTwips, double leftTwips, double topTwips,
                             double widthTwips)
{
    // Height, left, top, width: the order in which the board's extent has always been set.
    DisplayControl *board = ShockwaveFlash1;
    board->resize(board->width(), TwipsToPixels(heightTwips));
    board->move(TwipsToPixels(leftTwips), board->y());
    board->move(board->x(), TwipsToPixels(topTwips));
    board->resize(TwipsToPixels(widthTwips), board->height());
}

void Form1::LayoutWindowed()
{
    setDisplayExtent(BoardArea::Height, BoardArea::Left, BoardArea::Top, BoardArea::Width);
}

void Form1::LayoutFullScreen()
{
    // The screen the window is on, read now: a changed resolution counts from the next click.
    const QSize size = m_services.screenSize(this);
    setDisplayExtent(PixelsToTwips(size.height()), 0, 0, PixelsToTwips(size.width()));
}

void Form1::Command4_Click()
{
    LayoutFullScreen();
    if (!(windowState() & Qt::WindowFullScreen))
        m_windowedGeometry = geometry();
    setWindowState(Qt::WindowFullScreen);
    // Without a window manager (a bare X server driving a projector) nothing resizes a
    // full-screen window, so it covers its screen by itself. (Through the native window:
    // QWidget::setGeometry would drop the full-screen state.)
    if (ProgramPlacesFullScreenWindow()) {
        if (QWindow *window = windowHandle(); window && screen())
            window->setGeometry(screen()->geometry());
    }
    ui->Teclado->setFocus();
}

void Form1::LeaveFullScreen()
{
    const bool wasFullScreen = windowState() & Qt::WindowFullScreen;
    setWindowState(Qt::WindowNoState);
    // And back where it was, where no window manager sees to it.
    if (wasFullScreen && m_windowedGeometry.isValid() && ProgramPlacesFullScreenWindow())
        setGeometry(m_windowedGeometry);
    LayoutWindowed();
}

// --- Dragging the window by its strip --------------------------------------------------------

void Form1::Picture1_MouseDown(int, int, float X, float Y)
{
    DragX = X;
    DragY = Y;
    // Where a program may not place its own window, the window system moves it instead.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        if (QWindow *window = windowHandle())
            window->startSystemMove();
    }
}

void Form1::Picture1_MouseMove(int Button, int, float X, float Y)
{
    if (Button != 1) {
        unsetCursor();
        return;
    }
    setCursor(Qt::ClosedHandCursor);
    // A window covering its screen stays where it is.
    if (windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized))
        return;
    const double left = PixelsToTwips(x());
    const double top = PixelsToTwips(y());
    const double newTop = Y - DragY + top;
    const double newLeft = X - DragX + left;
    move(TwipsToPixels(newLeft), TwipsToPixels(newTop));
}

// --- The help page ---------------------------------------------------------------------------

void Form1::OpenPage(const QString &Pagina)
{
    // The page opens in front of the operator window, even in a browser that was running.
    LendForegroundRight();
    QDesktopServices::openUrl(QUrl::fromLocalFile(Pagina));
}

void Form1::Command2_Click()
{
    OpenPage(ProgramFile(QStringLiteral("help.html")));
}

// --- The board -------------------------------------------------------------------------------

void Form1::LoadScoreboardMovie()
{
    ShockwaveFlash1->setMovie(ProgramFile(ProgramMovieName));
}

void Form1::RefreshDisplay()
{
    const int index = ui->period->currentIndex();
    const BoardFields fields{
        BoardPeriod(index, ui->period->itemText(index), ui->period->currentText()),
        ui->name_a->text(),
        ui->name_b->text(),
        ui->points_a->text(),
        ui->points_b->text(),
        ui->faults_a->text(),
        ui->Faults_b->text(),
    };
    for (const auto &[name, value] : BoardVariables(fields))
        ShockwaveFlash1->SetVariable(name, value);
}

// --- The clock -------------------------------------------------------------------------------

void Form1::SetPlayState(const QString &state)
{
    ui->Command1->setText(state);
    PlayState = state;
}

void Form1::Command3_Click()
{
    SetPlayState(PlayCaption.toString());
    DisplayControl *board = ShockwaveFlash1;
    for (const auto &[name, value] : ClockStartVariables(ui->Minutos->text(), ui->segundos->text()))
        board->SetVariable(name, value);
    RefreshDisplay();
    board->GotoFrame(CueFrame);
    board->Play();
}

void Form1::Command1_Click()
{
    DisplayControl *board = ShockwaveFlash1;
    const auto readClock = [board](const QString &name) { return board->GetVariable(name); };
    switch (DecidePlayPause(PlayState, ui->Minutos->text(), ui->segundos->text(), readClock)) {
    case PlayPauseStep::SetTheTime:
        m_services.showMessage(this, SetTheTimeMessage.toString());
        break;
    case PlayPauseStep::Start:
        SetPlayState(PauseCaption.toString());
        board->Play();
        break;
    case PlayPauseStep::Hold:
        SetPlayState(PlayCaption.toString());
        board->GotoFrame(HoldFrame);
        break;
    case PlayPauseStep::Nothing:
        break;
    }
}

// --- Keys ------------------------------------------------------------------------------------

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->Teclado && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        Teclado_KeyDown(VirtualKeyCode(*key, CurrentKeyPlatform()), ModifierBits(key->modifiers()));
    } else if (event->type() == QEvent::KeyRelease) {
        FilterOnKeyRelease(watched);
    }
    // Keys are never consumed: their characters still reach the field.
    return QWidget::eventFilter(watched, event);
}

void Form1::Teclado_KeyDown(int KeyCode, int Shift)
{
    ui->Teclado->clear();
    ui->Teclado->setFocus();
    const Hotkey hotkey = HotkeyFor(KeyCode, Shift);
    switch (hotkey.action) {
    case Hotkey::Action::None:
        break;
    case Hotkey::Action::LeaveFullScreen:
        LeaveFullScreen();
        break;
    case Hotkey::Action::PlayPause:
        Command1_Click();
        break;
    case Hotkey::Action::CounterStep:
        CounterStep(field(hotkey.field), hotkey.step, hotkey.limit);
        break;
    case Hotkey::Action::PeriodStep:
        PeriodStep(hotkey.step);
        break;
    case Hotkey::Action::Set:
        Command3_Click();
        break;
    }
    RefreshDisplay();
}

void Form1::CounterStep(QLineEdit *field, int step, int limit)
{
    if (const auto text = ::CounterStep(field->text(), step, limit))
        field->setText(*text);
}

void Form1::PeriodStep(int step)
{
    if (const auto index = ::PeriodStep(ui->period->currentIndex(), step, ui->period->count()))
        ui->period->setCurrentIndex(*index);
}

void Form1::FilterOnKeyRelease(QObject *watched)
{
    if (watched == ui->period || watched == ui->period->lineEdit()) {
        // The list hands its keys straight to its edit field, so the release arrives here on
        // the list; normalising is idempotent, so a release on the edit field does no harm.
        const QString normalised = NumberToText(TextToNumber(ui->period->currentText()));
        if (normalised != ui->period->currentText())
            ui->period->setEditText(normalised);
        return;
    }
    if (const auto bound = m_entryBounds.constFind(watched); bound != m_entryBounds.cend()) {
        auto *edit = static_cast<QLineEdit *>(watched);
        // Setting the same text would move the cursor to the end while the operator edits.
        const QString filtered = LimitEntry(edit->text(), *bound);
        if (filtered != edit->text())
            edit->setText(filtered);
    }
}

void Form1::PeriodEdited(const QString &text)
{
    // Typing leaves no item selected, so the board shows what was typed; dropping the
    // selection empties the edit field, so the typed text is put back.
    if (ui->period->currentIndex() == -1)
        return;
    QLineEdit *edit = ui->period->lineEdit();
    const int cursor = edit->cursorPosition();
    ui->period->setCurrentIndex(-1);
    ui->period->setEditText(text);
    edit->setCursorPosition(cursor);
}

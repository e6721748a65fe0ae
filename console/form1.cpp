#include "form1.h"
#include "ui_form1.h"

#include "boardtext.h"
#include "displaycontrol.h"
#include "frmsplash.h"
#include "hotkeys.h"
#include "limitentry.h"
#include "programfolder.h"
#include "textnumber.h"
#include "twips.h"
#include "virtualkey.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>
#include <QWindow>

namespace {

// The fields whose typed text is held within bounds after every key release, with the bound.
// Team B's points are held like team A's so that both teams' points behave alike.
struct EntryBound
{
    const char *field;
    qint16 bound;
};
// The longest text an entry field holds. A field lays out its whole text on every repaint, so a
// pasted 10 MB name would freeze the window for seconds at each blink of the cursor; at this
// length a paste is cut and the console stays responsive.
constexpr int MaxEntryLength = 32767;

constexpr EntryBound EntryBounds[] = {
    {"points_a", 1000}, {"points_b", 1000}, {"faults_a", 99},
    {"Faults_b", 99},   {"Minutos", 100},   {"segundos", 100},
};

QSize ScreenSize(const QWidget *window)
{
    const QScreen *screen = window->screen();
    return screen ? screen->geometry().size() : QSize();
}

void ShowMessageBox(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent);
    box.exec();
}

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

Form1::Form1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ui(new Ui::Form1),
      m_splashInterval(frmSplash::DefaultInterval), m_showMessage(ShowMessageBox),
      m_screenSize(ScreenSize)
{
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/resources/clock-icon.png")));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    applyFonts();
    if (const QScreen *screen = this->screen())
        move(screen->geometry().center() - rect().center());

    connect(ui->ShockwaveFlash1, &DisplayControl::focusReceived, this,
            [this] { ui->Teclado->setFocus(); });
    connect(ui->Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(ui->Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(ui->Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(ui->Command5, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->Picture1, &DragStrip::mouseDown, this, &Form1::Picture1_MouseDown);
    connect(ui->Picture1, &DragStrip::mouseMove, this, &Form1::Picture1_MouseMove);
    connect(ui->period->lineEdit(), &QLineEdit::textEdited, this, &Form1::PeriodEdited);

    // The first control of the tab order takes the focus when the window is first shown; the
    // board hands it on to the key catcher at once.
    ui->ShockwaveFlash1->setFocus();

    for (QLineEdit *field : findChildren<QLineEdit *>())
        field->setMaxLength(MaxEntryLength);
    ui->Teclado->installEventFilter(this);
    for (const EntryBound &entry : EntryBounds)
        findChild<QLineEdit *>(QLatin1String(entry.field))->installEventFilter(this);
    ui->period->installEventFilter(this);
    ui->period->lineEdit()->installEventFilter(this);
}

Form1::~Form1()
{
    delete ui;
}

DisplayControl *Form1::display() const
{
    return ui->ShockwaveFlash1;
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
        frmSplash splash(m_splashInterval);
        splash.exec();
    }
    Q_EMIT splashClosed();
    PlayState = QStringLiteral("Play");
    ui->period->setCurrentIndex(0);
    LayoutWindowed();
    LoadScoreboardMovie();
}

// --- Layouts ---------------------------------------------------------------------------------

void Form1::setDisplayExtent(double heightTwips, double leftTwips, double topTwips,
                             double widthTwips)
{
    // Height, left, top, width: the order in which the board's extent has always been set.
    DisplayControl *board = ui->ShockwaveFlash1;
    board->resize(board->width(), TwipsToPixels(heightTwips));
    board->move(TwipsToPixels(leftTwips), board->y());
    board->move(board->x(), TwipsToPixels(topTwips));
    board->resize(TwipsToPixels(widthTwips), board->height());
}

void Form1::LayoutWindowed()
{
    setDisplayExtent(2565, 2955, 450, 3430);
}

void Form1::LayoutFullScreen()
{
    // The screen the window is on, read now: a changed resolution counts from the next click.
    const QSize size = m_screenSize(this);
    setDisplayExtent(PixelsToTwips(size.height()), 0, 0, PixelsToTwips(size.width()));
}

void Form1::Command4_Click()
{
    LayoutFullScreen();
    if (!(windowState() & Qt::WindowFullScreen))
        m_windowedGeometry = geometry();
    setWindowState(Qt::WindowFullScreen);
    // Without a window manager (a bare X server driving a projector) nothing resizes a
    // full-screen window, so it covers its screen by itself; a window manager does the same.
    // (Through the native window: QWidget::setGeometry would drop the full-screen state.)
    if (QWindow *window = windowHandle(); window && screen())
        window->setGeometry(screen()->geometry());
    ui->Teclado->setFocus();
}

void Form1::LeaveFullScreen()
{
    const bool wasFullScreen = windowState() & Qt::WindowFullScreen;
    setWindowState(Qt::WindowNoState);
    // And back where it was, which a window manager would also have seen to.
    if (wasFullScreen && m_windowedGeometry.isValid())
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
    QDesktopServices::openUrl(QUrl::fromLocalFile(Pagina));
}

void Form1::Command2_Click()
{
    OpenPage(ProgramFile(QStringLiteral("help.html")));
}

// --- The board -------------------------------------------------------------------------------

void Form1::LoadScoreboardMovie()
{
    ui->ShockwaveFlash1->setMovie(ProgramFile(QStringLiteral("brevanto.dll")));
}

void Form1::RefreshDisplay()
{
    DisplayControl *board = ui->ShockwaveFlash1;
    // With no item selected the operator has typed a period: the board shows what was typed.
    const int index = ui->period->currentIndex();
    board->SetVariable(QStringLiteral("period"),
                       index >= 0 ? ui->period->itemText(index) : ui->period->currentText());
    board->SetVariable(QStringLiteral("name_a"), ui->name_a->text());
    board->SetVariable(QStringLiteral("name_b"), ui->name_b->text());
    board->SetVariable(QStringLiteral("points_a"), PaddedText(ui->points_a->text(), 3));
    board->SetVariable(QStringLiteral("points_b"), PaddedText(ui->points_b->text(), 3));
    board->SetVariable(QStringLiteral("faults_a"), PaddedText(ui->faults_a->text(), 2));
    board->SetVariable(QStringLiteral("faults_b"), PaddedText(ui->Faults_b->text(), 2));
}

// --- The clock -------------------------------------------------------------------------------

void Form1::Command3_Click()
{
    ui->Command1->setText(QStringLiteral("Play"));
    PlayState = QStringLiteral("Play");
    DisplayControl *board = ui->ShockwaveFlash1;
    board->SetVariable(QStringLiteral("s_min"), NumberToText(TextToNumber(ui->Minutos->text())));
    board->SetVariable(QStringLiteral("s_sec"), NumberToText(TextToNumber(ui->segundos->text())));
    RefreshDisplay();
    board->GotoFrame(0);
    board->Play();
}

void Form1::Command1_Click()
{
    const QString setTheTime = QStringLiteral("Set the time");
    if (!(TextToNumber(ui->segundos->text()) + TextToNumber(ui->Minutos->text()) > 0)) {
        m_showMessage(this, setTheTime);
        return;
    }
    DisplayControl *board = ui->ShockwaveFlash1;
    const double sec = TextToNumber(board->GetVariable(QStringLiteral("sec")));
    const double mil = TextToNumber(board->GetVariable(QStringLiteral("mil")));
    const double min = TextToNumber(board->GetVariable(QStringLiteral("min")));
    if (!(sec + mil + min > 0)) {
        m_showMessage(this, setTheTime);
        return;
    }
    if (PlayState == QLatin1String("Play")) {
        PlayState = QStringLiteral("Pause");
        ui->Command1->setText(QStringLiteral("Pause"));
        board->Play();
    } else if (PlayState == QLatin1String("Pause")) {
        PlayState = QStringLiteral("Play");
        ui->Command1->setText(QStringLiteral("Play"));
        board->GotoFrame(6);
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
    if (KeyCode == VirtualKey::Escape)
        LeaveFullScreen();
    if (KeyCode == VirtualKey::Space)
        Command1_Click();
    const int step = StepFor(Shift);
    if (KeyCode == VirtualKey::Digit1)
        CounterStep(ui->points_a, step, PointsLimit);
    if (KeyCode == VirtualKey::F1)
        CounterStep(ui->faults_a, step, FaultsLimit);
    if (KeyCode == VirtualKey::Digit9)
        CounterStep(ui->points_b, step, PointsLimit);
    if (KeyCode == VirtualKey::F9)
        CounterStep(ui->Faults_b, step, FaultsLimit);
    if (KeyCode == VirtualKey::P)
        PeriodStep(step);
    if (KeyCode == VirtualKey::S && Shift == ModifierBit::Shift)
        Command3_Click();
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

void Form1::FilterOnKeyRelease(QObject *field)
{
    if (field == ui->period || field == ui->period->lineEdit()) {
        // The list hands its keys straight to its edit field, so the release arrives here on
        // the list; normalising is idempotent, so a release on the edit field does no harm.
        const QString normalised = NumberToText(TextToNumber(ui->period->currentText()));
        if (normalised != ui->period->currentText())
            ui->period->setEditText(normalised);
        return;
    }
    for (const EntryBound &entry : EntryBounds) {
        if (field->objectName() == QLatin1String(entry.field)) {
            auto *edit = static_cast<QLineEdit *>(field);
            // Setting the same text would move the cursor to the end while the operator edits.
            const QString filtered = LimitEntry(edit->text(), entry.bound);
            if (filtered != edit->text())
                edit->setText(filtered);
            return;
        }
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

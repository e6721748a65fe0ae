// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "movieoutcome.h"

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <variant>

// What the display control and the board's process (which plays the movie and draws its
// frames into shared memory) say to each other, over the process's standard input and output.
// Each message is its length (4 bytes) and then its fields; a message is acted on whole.
//
//   control -> board   Load, Size, Set, Render, Ping, Inspect
//   board -> control   Loaded, Frame, Pong, Changed, Refused, Inspection
//
// The board's process runs content anyone may replace, so what comes from it is read with
// suspicion: a message longer than its kind can be, or one that cannot be read, is a fault of
// the process.
namespace BoardProtocol {

// Load the movie from this file.
struct Load
{
    QString path;
};
// The frames are this many device pixels large, at this device pixel ratio.
struct Size
{
    QSize pixels;
    double ratio = 1;
};
// A board variable.
struct Set
{
    QString name;
    QString value;
};
// Draw the board as it stands into the frame buffer and answer with a Frame of this number.
struct Render
{
    quint32 number = 0;
};
// Answer with a Pong of this number: the process still listens.
struct Ping
{
    quint32 number = 0;
};
// Look the movie over as it stands and answer with an Inspection of this number.
struct Inspect
{
    quint32 number = 0;
};

// How a Load ended: the movie plays, or why not; and what holds the board's process below Qt,
// in words (ConfinementReport): each layer the system holds it in, each the system lacks.
struct Loaded
{
    static constexpr int MaxLayers = 16;
    static constexpr int LayerLength = 240;
    MovieOutcome outcome = MovieOutcome::Broken;
    QStringList held;
    QStringList lacking;
};
// The frame of a Render is in the frame buffer; it differs from the shown one inside `changed`.
struct Frame
{
    quint32 number = 0;
    QRect changed;
};
struct Pong
{
    quint32 number = 0;
};
// The movie changed by itself (an animation, a timer of its own): a Render would show it.
struct Changed
{
};
// The movie, playing, broke a limit of the board's: it reached for a file too large or not to be
// read, or its canvas lost its size. It is not shown any more.
struct Refused
{
    MovieOutcome outcome = MovieOutcome::Broken;
};

// What a board author would want mended, one finding each: the texts whose glyphs overflow their
// box or leave the canvas, with their file and line and the mend, and those of up to WholeLength
// characters shown only in part. At most MaxFindings, each at most FindingLength characters: a
// Text's place, a quoted sample of WholeLength characters and the mend take up to about 300.
struct Inspection
{
    static constexpr int MaxFindings = 64;
    static constexpr int FindingLength = 400;
    // A text this long must be shown whole: a board has room for a name of 40 characters.
    static constexpr int WholeLength = 40;
    quint32 number = 0;
    QStringList findings;
};

using ToBoard = std::variant<Load, Size, Set, Render, Ping, Inspect>;
using FromBoard = std::variant<Loaded, Frame, Pong, Changed, Refused, Inspection>;

QByteArray Encode(const ToBoard &message);
QByteArray Encode(const FromBoard &message);

// Whether `answer` is the answer to `question`: Loaded to a Load, the Frame of a Render's number,
// the Pong of a Ping's, the Inspection of an Inspect's. Changed and Refused answer nothing;
// Size and Set ask nothing.
bool Answers(const FromBoard &answer, const ToBoard &question);
// Whether the message answers a question at all, rather than coming by itself (Changed,
// Refused).
bool IsAnswer(const FromBoard &message);

// Takes whole messages off the front of a stream of bytes as they come.
template <typename Message> class Reader
{
public:
    // The longest message accepted, its length field excluded.
    explicit Reader(qsizetype longest) : m_longest(longest) {}

    void append(const QByteArray &bytes) { m_buffer += bytes; }
    // The next whole message; nothing while it has not all come. A message that is too long or
    // cannot be read sets failed() for good.
    std::optional<Message> next();
    bool failed() const { return m_failed; }

private:
    qsizetype m_longest;
    QByteArray m_buffer;
    bool m_failed = false;
};

// A Set carries up to a field's text, far more than any other message.
inline constexpr qsizetype LongestToBoard = 64 * 1024 * 1024;
// An Inspection is the longest the board says, in UTF-16 with its lengths.
inline constexpr qsizetype LongestFromBoard =
    64 + Inspection::MaxFindings * (4 + 2 * Inspection::FindingLength);
static_assert(LongestFromBoard > 64 + 2 * Loaded::MaxLayers * (4 + 2 * Loaded::LayerLength));

extern template class Reader<ToBoard>;
extern template class Reader<FromBoard>;

} // namespace BoardProtocol

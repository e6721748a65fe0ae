// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes either process may send the other, read as the other reads them: those of a board's
// process that may run anyone's native code (read by the console), and the console's (read by
// the board's process). The input's first byte chooses the side and how the bytes are cut into
// the pieces a pipe may hand over. Whatever comes:
//   - the pieces give the same messages as the bytes all at once;
//   - each message read was sent as exactly the bytes it was read from (nothing is guessed);
//   - within the limits the reader's side holds the other to;
//   - once a fault is found, nothing more is read.

#include "boardprotocol.h"
#include "fuzzcheck.h"

#include <QList>

#include <variant>

using namespace BoardProtocol;

namespace {

template <typename Message> struct Read
{
    QList<Message> messages;
    QList<QByteArray> bytes; // the encoding of each, as sent again
    bool failed = false;
};

template <typename Message>
Read<Message> ReadAll(const QByteArray &input, qsizetype longest, qsizetype piece)
{
    Read<Message> read;
    Reader<Message> reader(longest);
    for (qsizetype at = 0; at < input.size(); at += piece) {
        reader.append(input.mid(at, piece));
        while (const std::optional<Message> message = reader.next()) {
            Check(!read.failed, "nothing is read after a fault");
            read.messages.append(*message);
            read.bytes.append(Encode(*message));
        }
        read.failed = read.failed || reader.failed();
    }
    return read;
}

bool Bounded(const QStringList &texts, int most, int longest)
{
    if (texts.size() > most)
        return false;
    for (const QString &text : texts) {
        if (text.size() > longest)
            return false;
    }
    return true;
}

bool WithinLimits(const FromBoard &message)
{
    if (const auto *inspection = std::get_if<Inspection>(&message))
        return Bounded(inspection->findings, Inspection::MaxFindings, Inspection::FindingLength);
    if (const auto *refused = std::get_if<Refused>(&message))
        return refused->outcome != MovieOutcome::Playing &&
               refused->outcome <= MovieOutcome::NoCanvas;
    if (const auto *loaded = std::get_if<Loaded>(&message))
        return loaded->outcome <= MovieOutcome::NoCanvas &&
               Bounded(loaded->held, Loaded::MaxLayers, Loaded::LayerLength) &&
               Bounded(loaded->lacking, Loaded::MaxLayers, Loaded::LayerLength);
    return true;
}

bool WithinLimits(const ToBoard &)
{
    return true;
}

template <typename Message> void Fuzz(const QByteArray &input, qsizetype longest, qsizetype piece)
{
    const Read<Message> whole = ReadAll<Message>(input, longest, input.size() + 1);
    const Read<Message> pieces = ReadAll<Message>(input, longest, piece);
    Check(pieces.bytes == whole.bytes && pieces.failed == whole.failed,
          "the same messages whatever the pieces");
    qsizetype at = 0;
    for (qsizetype i = 0; i < whole.messages.size(); ++i) {
        Check(input.mid(at, whole.bytes.at(i).size()) == whole.bytes.at(i),
              "each message read is the bytes it was read from");
        at += whole.bytes.at(i).size();
        Check(WithinLimits(whole.messages.at(i)), "within the limits of the reader's side");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray input(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const qsizetype piece = (data[0] >> 1) % 16 + 1;
    if (data[0] & 1)
        Fuzz<ToBoard>(input, LongestToBoard, piece);
    else
        Fuzz<FromBoard>(input, LongestFromBoard, piece);
    return 0;
}

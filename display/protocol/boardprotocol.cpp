// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardprotocol.h"

#include <QDataStream>
#include <QIODevice>

#include <type_traits>
#include <utility>

namespace BoardProtocol {

namespace {

// The kind of message, its first field.
enum class Kind : quint8
{
    Load = 1,
    Size,
    Set,
    Render,
    Ping,
    Inspect,
    Loaded = 101,
    Frame,
    Pong,
    Changed,
    Refused,
    Inspection,
};

constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_4;

template <typename Write> QByteArray Framed(Write write)
{
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(StreamVersion);
    out << quint32(0);
    write(out);
    const quint32 length = quint32(message.size() - sizeof(quint32));
    QDataStream(&message, QIODevice::ReadWrite) << length;
    return message;
}

// Each message's kind and fields, written and read side by side. A message without a codec here
// does not compile, so no message can be sent as another. `read` says whether what was read is a
// message the other side may send.
template <typename Message> struct Codec;

// A message that is its fields, written and read in this order.
template <typename Message, Kind messageKind, auto... fields> struct FieldsCodec
{
    static constexpr Kind kind = messageKind;
    static void write(QDataStream &out, const Message &m) { (void(out << (m.*fields)), ...); }
    static bool read(QDataStream &in, Message &m)
    {
        (void(in >> (m.*fields)), ...);
        return true;
    }
};

template <> struct Codec<Load> : FieldsCodec<Load, Kind::Load, &Load::path>
{
};
template <> struct Codec<Size> : FieldsCodec<Size, Kind::Size, &Size::pixels, &Size::ratio>
{
};
template <> struct Codec<Set> : FieldsCodec<Set, Kind::Set, &Set::name, &Set::value>
{
};
template <> struct Codec<Render> : FieldsCodec<Render, Kind::Render, &Render::number>
{
};
template <> struct Codec<Ping> : FieldsCodec<Ping, Kind::Ping, &Ping::number>
{
};
template <> struct Codec<Inspect> : FieldsCodec<Inspect, Kind::Inspect, &Inspect::number>
{
};
template <> struct Codec<Pong> : FieldsCodec<Pong, Kind::Pong, &Pong::number>
{
};
template <> struct Codec<Frame> : FieldsCodec<Frame, Kind::Frame, &Frame::number, &Frame::changed>
{
};
template <> struct Codec<Changed> : FieldsCodec<Changed, Kind::Changed>
{
};

// How a movie fared, as the board itself can tell it: no more than NoCanvas.
bool ReadOutcome(QDataStream &in, MovieOutcome &outcome)
{
    quint8 value = 0;
    in >> value;
    outcome = MovieOutcome(value);
    return value <= quint8(MovieOutcome::NoCanvas);
}

// A list of at most `most` texts of at most `longest` characters each. The count is checked
// before anything is made for it: a list reads its count and makes room for that many first, and
// a count of hundreds of millions takes gigabytes.
bool ReadList(QDataStream &in, QStringList &list, int most, int longest)
{
    quint32 count = 0;
    in >> count;
    if (count > quint32(most))
        return false;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        QString text;
        in >> text;
        if (text.size() > longest)
            return false;
        list.append(text);
    }
    return true;
}

template <> struct Codec<Loaded>
{
    static constexpr Kind kind = Kind::Loaded;
    static void write(QDataStream &out, const Loaded &m)
    {
        out << quint8(m.outcome) << m.held << m.lacking;
    }
    static bool read(QDataStream &in, Loaded &m)
    {
        return ReadOutcome(in, m.outcome) &&
               ReadList(in, m.held, Loaded::MaxLayers, Loaded::LayerLength) &&
               ReadList(in, m.lacking, Loaded::MaxLayers, Loaded::LayerLength);
    }
};

template <> struct Codec<Refused>
{
    static constexpr Kind kind = Kind::Refused;
    static void write(QDataStream &out, const Refused &m) { out << quint8(m.outcome); }
    static bool read(QDataStream &in, Refused &m)
    {
        return ReadOutcome(in, m.outcome) && m.outcome != MovieOutcome::Playing;
    }
};

template <> struct Codec<Inspection>
{
    static constexpr Kind kind = Kind::Inspection;
    static void write(QDataStream &out, const Inspection &m) { out << m.number << m.findings; }
    static bool read(QDataStream &in, Inspection &m)
    {
        in >> m.number;
        return ReadList(in, m.findings, Inspection::MaxFindings, Inspection::FindingLength);
    }
};

template <typename Variant> constexpr bool KindsDiffer()
{
    return []<std::size_t... I>(std::index_sequence<I...>)
    {
        const Kind kinds[] = {Codec<std::variant_alternative_t<I, Variant>>::kind...};
        for (std::size_t i = 0; i < sizeof...(I); ++i) {
            for (std::size_t j = i + 1; j < sizeof...(I); ++j) {
                if (kinds[i] == kinds[j])
                    return false;
            }
        }
        return true;
    }
    (std::make_index_sequence<std::variant_size_v<Variant>>());
}
static_assert(KindsDiffer<ToBoard>() && KindsDiffer<FromBoard>(), "two messages of one kind");

template <typename Variant> QByteArray EncodeAny(const Variant &message)
{
    return Framed([&message](QDataStream &out) {
        std::visit(
            [&out](const auto &m) {
                using C = Codec<std::decay_t<decltype(m)>>;
                out << quint8(C::kind);
                C::write(out, m);
            },
            message);
    });
}

// The message of this kind among the variant's, read; none for a kind of the other side's, an
// unknown one, or one whose fields the other side may not send.
template <typename Variant> std::optional<Variant> ReadAny(QDataStream &in, quint8 kind)
{
    std::optional<Variant> message;
    const auto readAs = [&]<typename M>(std::type_identity<M>) {
        if (kind != quint8(Codec<M>::kind))
            return false;
        M m;
        if (Codec<M>::read(in, m))
            message = std::move(m);
        return true;
    };
    [&]<std::size_t... I>(std::index_sequence<I...>)
    {
        (readAs(std::type_identity<std::variant_alternative_t<I, Variant>>()) || ...);
    }
    (std::make_index_sequence<std::variant_size_v<Variant>>());
    return message;
}

} // namespace

QByteArray Encode(const ToBoard &message)
{
    return EncodeAny(message);
}

QByteArray Encode(const FromBoard &message)
{
    return EncodeAny(message);
}

template <typename Message> std::optional<Message> Reader<Message>::next()
{
    if (m_failed || m_buffer.size() < qsizetype(sizeof(quint32)))
        return std::nullopt;
    quint32 length = 0;
    QDataStream(m_buffer) >> length;
    if (qint64(length) > m_longest || length == 0) {
        m_failed = true;
        return std::nullopt;
    }
    const qsizetype whole = qsizetype(sizeof(quint32)) + qsizetype(length);
    if (m_buffer.size() < whole)
        return std::nullopt;

    const QByteArray body = m_buffer.mid(sizeof(quint32), length);
    m_buffer.remove(0, whole);
    QDataStream in(body);
    in.setVersion(StreamVersion);
    quint8 kind = 0;
    in >> kind;
    std::optional<Message> message = ReadAny<Message>(in, kind);
    // Every field read, and nothing left over.
    if (!message || in.status() != QDataStream::Ok || !in.atEnd()) {
        m_failed = true;
        return std::nullopt;
    }
    return message;
}

template class Reader<ToBoard>;
template class Reader<FromBoard>;

bool Answers(const FromBoard &answer, const ToBoard &question)
{
    if (std::holds_alternative<Loaded>(answer))
        return std::holds_alternative<Load>(question);
    if (const auto *frame = std::get_if<Frame>(&answer)) {
        const auto *render = std::get_if<Render>(&question);
        return render && render->number == frame->number;
    }
    if (const auto *pong = std::get_if<Pong>(&answer)) {
        const auto *ping = std::get_if<Ping>(&question);
        return ping && ping->number == pong->number;
    }
    if (const auto *inspection = std::get_if<Inspection>(&answer)) {
        const auto *inspect = std::get_if<Inspect>(&question);
        return inspect && inspect->number == inspection->number;
    }
    return false;
}

bool IsAnswer(const FromBoard &message)
{
    return !std::holds_alternative<Changed>(message) && !std::holds_alternative<Refused>(message);
}

} // namespace BoardProtocol

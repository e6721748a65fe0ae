// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardprotocol.h"

#include <QDataStream>
#include <QIODevice>

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

std::optional<ToBoard> ReadToBoard(QDataStream &in, Kind kind)
{
    switch (kind) {
    case Kind::Load: {
        Load load;
        in >> load.path;
        return load;
    }
    case Kind::Size: {
        Size size;
        in >> size.pixels >> size.ratio;
        return size;
    }
    case Kind::Set: {
        Set set;
        in >> set.name >> set.value;
        return set;
    }
    case Kind::Render: {
        Render render;
        in >> render.number;
        return render;
    }
    case Kind::Ping: {
        Ping ping;
        in >> ping.number;
        return ping;
    }
    case Kind::Inspect: {
        Inspect inspect;
        in >> inspect.number;
        return inspect;
    }
    default:
        return std::nullopt;
    }
}

// How a movie fared, as the board itself can tell it: no more than NoCanvas.
std::optional<MovieOutcome> ReadOutcome(QDataStream &in)
{
    quint8 outcome = 0;
    in >> outcome;
    if (outcome > quint8(MovieOutcome::NoCanvas))
        return std::nullopt;
    return MovieOutcome(outcome);
}

std::optional<FromBoard> ReadFromBoard(QDataStream &in, Kind kind)
{
    switch (kind) {
    case Kind::Loaded:
        if (const auto outcome = ReadOutcome(in))
            return Loaded{*outcome};
        return std::nullopt;
    case Kind::Frame: {
        Frame frame;
        in >> frame.number >> frame.changed;
        return frame;
    }
    case Kind::Pong: {
        Pong pong;
        in >> pong.number;
        return pong;
    }
    case Kind::Changed:
        return Changed{};
    case Kind::Refused:
        if (const auto outcome = ReadOutcome(in); outcome && *outcome != MovieOutcome::Playing)
            return Refused{*outcome};
        return std::nullopt;
    case Kind::Inspection: {
        Inspection inspection;
        in >> inspection.number >> inspection.findings;
        if (inspection.findings.size() > Inspection::MaxFindings)
            return std::nullopt;
        for (const QString &finding : std::as_const(inspection.findings)) {
            if (finding.size() > Inspection::FindingLength)
                return std::nullopt;
        }
        return inspection;
    }
    default:
        return std::nullopt;
    }
}

std::optional<ToBoard> Read(QDataStream &in, Kind kind, const ToBoard *)
{
    return ReadToBoard(in, kind);
}

std::optional<FromBoard> Read(QDataStream &in, Kind kind, const FromBoard *)
{
    return ReadFromBoard(in, kind);
}

} // namespace

QByteArray Encode(const ToBoard &message)
{
    return Framed([&message](QDataStream &out) {
        std::visit(
            [&out](const auto &m) {
                using M = std::decay_t<decltype(m)>;
                if constexpr (std::is_same_v<M, Load>)
                    out << quint8(Kind::Load) << m.path;
                else if constexpr (std::is_same_v<M, Size>)
                    out << quint8(Kind::Size) << m.pixels << m.ratio;
                else if constexpr (std::is_same_v<M, Set>)
                    out << quint8(Kind::Set) << m.name << m.value;
                else if constexpr (std::is_same_v<M, Render>)
                    out << quint8(Kind::Render) << m.number;
                else if constexpr (std::is_same_v<M, Ping>)
                    out << quint8(Kind::Ping) << m.number;
                else
                    out << quint8(Kind::Inspect) << m.number;
            },
            message);
    });
}

QByteArray Encode(const FromBoard &message)
{
    return Framed([&message](QDataStream &out) {
        std::visit(
            [&out](const auto &m) {
                using M = std::decay_t<decltype(m)>;
                if constexpr (std::is_same_v<M, Loaded>)
                    out << quint8(Kind::Loaded) << quint8(m.outcome);
                else if constexpr (std::is_same_v<M, Frame>)
                    out << quint8(Kind::Frame) << m.number << m.changed;
                else if constexpr (std::is_same_v<M, Pong>)
                    out << quint8(Kind::Pong) << m.number;
                else if constexpr (std::is_same_v<M, Changed>)
                    out << quint8(Kind::Changed);
                else if constexpr (std::is_same_v<M, Refused>)
                    out << quint8(Kind::Refused) << quint8(m.outcome);
                else
                    out << quint8(Kind::Inspection) << m.number << m.findings;
            },
            message);
    });
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
    std::optional<Message> message = Read(in, Kind(kind), static_cast<const Message *>(nullptr));
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardplayer.h"

#include "moviefolder.h"
#include "textinspector.h"

#include <QPainter>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickRenderTarget>

using namespace BoardProtocol;
using namespace Qt::StringLiterals;

BoardPlayer::BoardPlayer(qintptr framesHandle, Send send)
    : m_send(std::move(send)), m_frames(framesHandle), m_window(&m_control)
{
    m_window.setColor(Qt::black);
    warmUp();
    connect(&m_control, &QQuickRenderControl::sceneChanged, this, &BoardPlayer::sceneChanged);
    connect(&m_control, &QQuickRenderControl::renderRequested, this, &BoardPlayer::sceneChanged);
}

BoardPlayer::~BoardPlayer()
{
    m_loader.reset();
    delete m_stage;
}

void BoardPlayer::warmUp()
{
    // The process starts long before the movie is loaded (the splash stands meanwhile): what
    // any board needs and no engine makes, the fonts, is made ready now rather than then.
    QImage scratch(32, 32, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    painter.drawText(scratch.rect(), u"0"_s);
}

void BoardPlayer::makeStage(const QString &moviePath)
{
    m_confinement = Confine({MovieFolder(moviePath)});
    m_engine = std::make_unique<QQmlEngine>();
    m_engine->rootContext()->setContextProperty(u"board"_s, &m_board);
    QQmlComponent stage(m_engine.get(), MovieLoader::StageUrl());
    m_stage = qobject_cast<QQuickItem *>(stage.create());
    if (!m_stage)
        qFatal("the board's stage: %s", qPrintable(stage.errorString()));
    m_stage->setParentItem(m_window.contentItem());
    m_stage->setSize(m_window.contentItem()->size());
    m_loader = std::make_unique<MovieLoader>(m_engine.get(), m_stage);
}

void BoardPlayer::handle(const ToBoard &message)
{
    if (const auto *load = std::get_if<Load>(&message)) {
        if (!m_loader)
            makeStage(load->path);
        const MovieOutcome outcome = m_loader->load(load->path);
        // Said within the protocol's bounds, which a system could exceed with its words.
        const auto bounded = [](QStringList layers) {
            layers = layers.mid(0, Loaded::MaxLayers);
            for (QString &layer : layers)
                layer.truncate(Loaded::LayerLength);
            return layers;
        };
        m_send(Loaded{outcome, bounded(m_confinement->held), bounded(m_confinement->lacking)});
    } else if (const auto *size = std::get_if<Size>(&message)) {
        resize(*size);
    } else if (const auto *set = std::get_if<Set>(&message)) {
        m_setSinceRender = true;
        m_board.insert(set->name, set->value);
    } else if (const auto *render = std::get_if<Render>(&message)) {
        this->render(render->number);
    } else if (const auto *ping = std::get_if<Ping>(&message)) {
        m_send(Pong{ping->number});
    } else if (const auto *inspect = std::get_if<Inspect>(&message)) {
        this->inspect(inspect->number);
    }
}

void BoardPlayer::resize(const Size &size)
{
    if (!m_frames.setSize(size.pixels))
        qFatal("the board's frames cannot be %dx%d", size.pixels.width(), size.pixels.height());
    m_target = m_frames.drawn();
    m_target.setDevicePixelRatio(size.ratio);
    const QSizeF logical = QSizeF(size.pixels) / size.ratio;
    m_window.resize(logical.toSize());
    m_window.contentItem()->setSize(logical);
    if (m_stage)
        m_stage->setSize(logical);
    m_window.setRenderTarget(QQuickRenderTarget::fromPaintDevice(&m_target));
    m_whole = true;
}

void BoardPlayer::render(quint32 number)
{
    if (m_target.isNull()) {
        m_send(Frame{number, {}});
        return;
    }
    m_control.polishItems();
    m_control.beginFrame();
    m_control.sync();
    m_control.render();
    m_control.endFrame();
    // What the frame reached for (a picture, a part made on demand) may have broken a limit;
    // the console then ends this process.
    if (const std::optional<MovieOutcome> breach = m_loader ? m_loader->breach() : std::nullopt)
        m_send(Refused{*breach});
    const QRect changed = m_whole ? m_target.rect() : m_frames.difference();
    m_whole = false;
    m_changeTold = false;
    m_setSinceRender = false;
    m_send(Frame{number, changed});
}

void BoardPlayer::inspect(quint32 number)
{
    // Laid out as it would be drawn.
    m_control.polishItems();
    QStringList findings =
        OverflowingTexts(m_loader ? m_loader->movie() : nullptr, Inspection::MaxFindings);
    for (QString &finding : findings)
        finding.truncate(Inspection::FindingLength);
    m_send(Inspection{number, findings});
}

void BoardPlayer::sceneChanged()
{
    if (m_changeTold || m_setSinceRender)
        return;
    m_changeTold = true;
    m_send(Changed{});
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardprocess.h"
#include "previewreport.h"
#include "previewstates.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <optional>

// Plays a board through the board's process, with the program's own sandbox and guards (a board
// that loops or grows is ended, not waited for), sets it into every PreviewState, draws each at
// every PreviewSize into PNG files and looks it over. Nothing of the console: no game, no window.
class BoardPreview : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoardPreview)

public:
    explicit BoardPreview(QObject *parent = nullptr);

    // The pictures go to `out`, which must exist; what was found comes back.
    PreviewReport run(const QString &board, const QDir &out);

private:
    // Asks and waits for the answer; none when the process ended or the board was refused
    // meanwhile (refuse() has said why).
    std::optional<BoardProtocol::FromBoard> ask(const BoardProtocol::ToBoard &question,
                                                std::chrono::milliseconds limit);
    // The frame as drawn now, and where it differs from the one drawn before.
    std::optional<QRect> render();
    void setSize(QSize pixels);
    bool showState(const PreviewState &state, const QDir &out);
    bool probeNames(const PreviewState &state);
    void refuse(const QString &notice);
    void sampleMemory();

    BoardProcess m_process{BoardProcess::Warnings::Captured};
    PreviewReport m_report;
    QString m_boardFolder;
    quint32 m_nextNumber = 1;
    double m_lastDrawnMs = 0;
    QStringList m_shownNames;
    QTimer m_memory;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardlink.h"
#include "previewreport.h"
#include "previewstates.h"

#include <QDir>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <optional>

// Plays a board as the program plays it (BoardLink: the board's process with its sandbox and
// guards, a board that loops or grows ended rather than waited for, the program's notices), sets
// it into every PreviewState, draws each at every PreviewSize into PNG files and looks it over.
// Nothing of the console: no game, no window.
class BoardPreview : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoardPreview)

public:
    explicit BoardPreview(QObject *parent = nullptr);

    // The pictures go to `out`, which must exist; what was found comes back.
    PreviewReport run(const QString &board, const QDir &out);

private:
    // Waits until the board shows every variable set so far: the part of the picture that
    // changed meanwhile, none once the board is refused (its notice is then the report's).
    std::optional<QRect> settle();
    bool setSize(QSize pixels);
    bool showState(const PreviewState &state, const QDir &out);
    bool probeNames(const PreviewState &state);
    bool inspect(const PreviewState &state);
    bool refused();
    void sampleMemory();

    BoardLink m_link{BoardLink::Audience::Author};
    PreviewReport m_report;
    QString m_boardFolder;
    double m_lastDrawnMs = 0;
    QStringList m_shownNames;
    // Whether a picture could not be written, and the pictures being written (declared after it,
    // since the pool waits for them as it goes, and they may still set it).
    std::atomic<bool> m_unsaved = false;
    QThreadPool m_saving;
    QTimer m_memory;
};

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
// it into every PreviewState, draws each at every PreviewSize into PNG files, times what the
// program redraws on a projector (a change of the clock, of a point) and looks it over: its
// texts, the names it shows, and in its files and warnings the names the program never sets and
// the files refused. Nothing of the console: no game, no window.
class BoardPreview : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoardPreview)

public:
    explicit BoardPreview(QObject *parent = nullptr);

    // The board is its movie or its folder (see BoardMovie); the pictures go to `out`, which
    // must exist. What was found comes back.
    PreviewReport run(const QString &board, const QDir &out);

private:
    // Waits until the board shows every variable set so far: the part of the picture that
    // changed meanwhile, none once the board is refused (its notice is then the report's).
    std::optional<QRect> settle();
    bool setSize(QSize pixels);
    bool showState(const PreviewState &state, const QDir &out);
    bool probeNames(const PreviewState &state);
    bool inspect(const PreviewState &state);
    bool timeChanges(const PreviewState &state, PreviewReport::Picture &picture);
    // What a change of `name` to `changed` alone costs the board's process, in milliseconds;
    // none once the board is refused.
    std::optional<double> timeChange(const QString &name, const QString &changed);
    // Back to the state's values after timeChanges().
    void restore(const PreviewState &state);
    bool refused();
    void sampleMemory();

    BoardLink m_link{BoardLink::Audience::Author};
    PreviewReport m_report;
    QString m_boardFolder;
    double m_lastDrawnMs = 0;
    QStringList m_shownNames;
    // Each text's finding as first found, with the titles of the states it was found in.
    struct Overflow
    {
        QString key;
        QString first;
        QStringList states;
    };
    QList<Overflow> m_overflows;
    // Whether a picture could not be written, and the pictures being written (declared after it,
    // since the pool waits for them as it goes, and they may still set it).
    std::atomic<bool> m_unsaved = false;
    QThreadPool m_saving;
    QTimer m_memory;
};

#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

// Keeps a benchmark of a window handler from hanging on a message box: while it
// lives, any modal box that opens is recorded and closed, so the run can fail
// instead of waiting for a click that never comes.
class ModalGuard : public QObject {
    Q_OBJECT
public:
    ModalGuard();
    // The texts of the boxes closed so far.
    const QStringList &seen() const { return seen_; }

private:
    void poll();
    QTimer timer_;
    QStringList seen_;
};

// Drops the offscreen platform's "does not support raise()" line, which every
// shown window would otherwise print once per iteration.
void QuietOffscreenRaise();

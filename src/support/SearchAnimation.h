#pragma once

#include <QTimer>
#include <QWidget>

namespace dbfquery::support {

// A small looping picture of a magnifying glass sweeping over a row of
// pages, drawn by the program itself. It advances on its own timer, so it
// keeps moving whenever the GUI thread runs its event loop (long work runs on
// a worker thread meanwhile). GUI thread only.
class SearchAnimation : public QWidget {
    Q_OBJECT
public:
    static constexpr int FrameCount = 24;
    static constexpr int StopFrame = 23;   // shown while not playing
    static constexpr int FrameIntervalMs = 60;

    explicit SearchAnimation(QWidget* parent = nullptr);

    void play();
    void stop();
    bool isPlaying() const { return m_timer.isActive(); }
    int frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void advance();

    QTimer m_timer;
    int m_frame = StopFrame;
};

} // namespace dbfquery::support

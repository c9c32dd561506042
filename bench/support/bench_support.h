#pragma once

// What the timing programs share: a median of timed runs, a large photo-like JPEG, and help
// services that do nothing.
#include "help/help_viewer.h"
#include "platform/web_browser.h"

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace tessaloom::bench {

inline double medianMilliseconds(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A JPEG with gradients and many shapes, so it compresses like a photo rather than a flat fill.
inline QString makePhoto(const QString& path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(1, QColor(240, 180, 90));
    painter.fillRect(image.rect(), sky);
    for (int i = 0; i < 400; ++i) {
        painter.setBrush(QColor::fromHsv((i * 37) % 360, 180, 220));
        painter.drawEllipse((i * 7919) % width, (i * 104729) % height, 40 + i % 300, 40 + (i * 3) % 200);
    }
    painter.end();
    image.save(path, "JPEG", 90);
    return path;
}

struct NoHelp final : HelpViewer, WebBrowser {
    void displayTopic(const std::string&, const std::string&) override {}
    void displayIndex(const std::string&, const std::string&) override {}
    void openAddress(const std::string&) override {}
};

} // namespace tessaloom::bench

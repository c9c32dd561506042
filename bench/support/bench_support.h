#pragma once

// What the timing programs share: a median of timed runs, the peak memory a piece of work adds,
// large photo-like and noise JPEGs, help services that do nothing, and the program's picture
// service.
#include "help/help_viewer.h"
#include "platform/picture_files/prepared_pictures.h"
#include "platform/picture_files/qt/qt_background_worker.h"
#include "platform/picture_files/qt/qt_picture_decoder.h"
#include "platform/web_browser.h"

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace tessaloom::bench {

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double medianMilliseconds(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return median(std::move(times));
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

// A field of this process's status, in kilobytes.
inline long statusKilobytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    return -1;
}

// Peak memory added by one run of the work, in megabytes: the kernel's peak-resident counter is
// reset first, so the peak belongs to the work.
inline double peakAddedMegabytes(const std::function<void()>& work)
{
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKilobytes("VmRSS:");
    work();
    return (statusKilobytes("VmHWM:") - before) / 1024.0;
}

// Random noise: the worst case for a JPEG decoder, every block full of coefficients.
inline QImage makeNoise(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t state = 2463534242u;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            line[x] = state | 0xff000000u;
        }
    }
    return image;
}

inline QString makeNoisePhoto(const QString& path, int width, int height, int quality = 75)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(quality);
    writer.write(makeNoise(width, height));
    return path;
}

struct NoHelp final : HelpViewer, WebBrowser {
    void displayTopic(const std::string&, const std::string&) override {}
    void displayIndex(const std::string&, const std::string&) override {}
    void openAddress(const std::string&) override {}
};

// The picture service as the program assembles it; the worker is declared last, so it stops
// before what its work refers to goes.
struct ProgramPictures {
    QtPictureDecoder decoder;
    PreparedPictures prepared{decoder, worker};
    QtBackgroundWorker worker;
};

} // namespace tessaloom::bench

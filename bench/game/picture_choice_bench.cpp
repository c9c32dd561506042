// The game window's pictures, each figure beside its baseline from the same run:
//   - the first choice of a slot once the background preparation after start-up has settled,
//     for a 6000 x 4000 and an 8000 x 6000 JPEG of random noise, against the plain decode of
//     the same file (the reader given the file's name, decoding to the box);
//   - the decode the worker makes of the larger file, and a choice made while the worker decodes
//     it with the other core busy, against the plain decode in the same conditions;
//   - the same for a 6000 x 4000 PNG and a 4032 x 3024 HEIC of a photo-like picture, against the
//     plain decode of each (the PNG reader given the file's name; libheif reading the file);
//   - the refusal of a progressive JPEG whose header claims 20000 x 20000 pixels, against the
//     plain decode of it;
//   - Form_Load with ten valid slots, and the memory the prepared pictures hold.
// Each decode whose peak memory is reported runs in a child process of its own. Set
// QT_SCALE_FACTOR=2 to measure for a 200 % screen.
#include "game/game_window.h"
#include "game/game_window_host.h"
#include "game/qt/game_window_widget.h"
#include "game/stored_settings.h"
#include "help/help_commands.h"
#include "platform/file_system.h"
#include "platform/picture_files/prepared_pictures.h"
#include "platform/picture_files/qt/heif_reader.h"
#include "platform/picture_files/qt/qt_background_worker.h"
#include "platform/picture_files/qt/qt_picture_decoder.h"
#include "platform/qt/qt_application_info.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_picture.h"
#include "platform/random_source.h"
#include "settings/reg_file_registry.h"
#include "settings/settings_store.h"
#include "support/bench_support.h"
#include "support/heif_encoding.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

using namespace tessaloom;
using namespace tessaloom::bench;

namespace {

struct NoHost final : GameWindowHost {
    bool showPictureDialog() override { return true; }
    void showAboutBox() override {}
    void endProgram() override {}
};

// The decoder the program uses, counting its decodes of each file.
class CountingDecoder final : public PictureDecoder {
public:
    std::atomic<int> decodes{0};
    PictureRef decode(const std::string& path, PixelSize box) override
    {
        ++decodes;
        return decoder_.decode(path, box);
    }
    void waitForADecode() const
    {
        while (decodes.load() == 0)
            std::this_thread::yield();
    }
    std::optional<FileStamp> stamp(const std::string& path) override { return decoder_.stamp(path); }

private:
    QtPictureDecoder decoder_;
};

// The loader before this program judged files itself: the reader given the name, or libheif
// given the whole file.
QImage plainDecode(const QString& path, PixelSize box)
{
    if (path.endsWith(QLatin1String(".heic"))) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return readHeif(file, QSize(box.width, box.height));
    }
    QImageReader reader(path);
    reader.setScaledSize(QSize(box.width, box.height));
    return reader.read();
}

// The photo-like picture of makePhoto, as a PNG or a HEIC.
QString makePhotoAs(const QString& path, int width, int height)
{
    const QImage photo(makePhoto(path, width, height));
    if (path.endsWith(QLatin1String(".png"))) {
        photo.save(path, "PNG");
    } else {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(testing::heifEncoded(photo, heif_compression_HEVC));
    }
    return path;
}

// A choice while the worker decodes its file, with the other core kept busy, against the plain
// decode under the same load: the medians of seven rounds, and the decodes a round made.
struct ChoiceWhilePrepared {
    double choice = 0;
    double plain = 0;
    int decodes = 0;
};

ChoiceWhilePrepared choiceWhilePrepared(const QString& path, PixelSize box)
{
    std::vector<double> choices;
    std::vector<double> plains;
    ChoiceWhilePrepared result;
    std::atomic<bool> busy{true};
    std::thread busyLoop([&busy] {
        while (busy.load(std::memory_order_relaxed)) {}
    });
    for (int round = 0; round < 7; ++round) {
        CountingDecoder counting;
        QtBackgroundWorker worker;
        PreparedPictures prepared(counting, worker);
        prepared.preparePictures({path.toStdString()}, box);
        counting.waitForADecode();
        QElapsedTimer timer;
        timer.start();
        prepared.loadPicture(path.toStdString(), box);
        choices.push_back(timer.nsecsElapsed() / 1e6);
        worker.waitUntilIdle();
        result.decodes = counting.decodes.load();
        timer.start();
        plainDecode(path, box);
        plains.push_back(timer.nsecsElapsed() / 1e6);
    }
    busy = false;
    busyLoop.join();
    result.choice = median(choices);
    result.plain = median(plains);
    return result;
}

// Child process: one decode of the file, printing its time and the peak memory it added.
int runCase(const char* which, const QString& path, PixelSize box)
{
    const bool plain = std::strcmp(which, "plain") == 0;
    QElapsedTimer timer;
    bool decoded = false;
    const double peak = peakAddedMegabytes([&] {
        timer.start();
        decoded = !(plain ? plainDecode(path, box) : QtPictureDecoder::decodeImage(path, box)).isNull();
    });
    std::printf("%.1f %.1f %d\n", timer.nsecsElapsed() / 1e6, peak, decoded ? 1 : 0);
    return 0;
}

struct Decode {
    double milliseconds = 0;
    double peakMegabytes = 0;
    bool decoded = false;
};

Decode decodeInChild(const char* which, const QString& path, PixelSize box)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--case"), QString::fromLatin1(which), path, QString::number(box.width),
                 QString::number(box.height)});
    child.waitForFinished(-1);
    Decode result;
    int decoded = 0;
    std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf %d", &result.milliseconds, &result.peakMegabytes,
                &decoded);
    result.decoded = decoded == 1;
    return result;
}

// A progressive JPEG of a few kilobytes whose frame header claims side x side pixels.
QString makeClaimingHeader(const QString& path, int side)
{
    QImage small = makeNoise(256, 256);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(small);
    const qsizetype frame = bytes.indexOf("\xff\xc2");
    const char size[4] = {char(side >> 8), char(side), char(side >> 8), char(side)};
    bytes.replace(frame + 5, 4, QByteArray(size, 4));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

void printRow(const char* figure, const QString& ours, const QString& baseline, const char* target)
{
    std::printf("  %-44s %-22s %-26s %s\n", figure, qPrintable(ours), qPrintable(baseline), target);
}

QString timeAndPeak(const Decode& decode)
{
    return QStringLiteral("%1 ms, %2 MB%3")
        .arg(decode.milliseconds, 0, 'f', 1)
        .arg(decode.peakMegabytes, 0, 'f', 1)
        .arg(decode.decoded ? QString() : QStringLiteral(" (refused)"));
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 6 && std::strcmp(argv[1], "--case") == 0) {
        QCoreApplication app(argc, argv);
        return runCase(argv[2], QString::fromLocal8Bit(argv[3]), {std::atoi(argv[4]), std::atoi(argv[5])});
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    std::printf("Making the pictures...\n");
    const QString medium = makeNoisePhoto(dir.filePath(QStringLiteral("noise-6000x4000.jpg")), 6000, 4000, 85);
    const QString large = makeNoisePhoto(dir.filePath(QStringLiteral("noise-8000x6000.jpg")), 8000, 6000, 85);
    const QString claiming = makeClaimingHeader(dir.filePath(QStringLiteral("claims-20000x20000.jpg")), 20000);

    // Ten valid slots in the settings file the program uses off Windows.
    RegFileRegistry registry(dir.filePath(QStringLiteral("Tessaloom.reg")).toStdString());
    SettingsStore settings(registry);
    const QString png = makePhotoAs(dir.filePath(QStringLiteral("photo-6000x4000.png")), 6000, 4000);
    const QString heic = makePhotoAs(dir.filePath(QStringLiteral("photo-4032x3024.heic")), 4032, 3024);
    std::vector<std::string> paths{medium.toStdString(), large.toStdString(), png.toStdString(), heic.toStdString()};
    for (int slot = 5; slot <= kPictureSlots; ++slot)
        paths.push_back(makePhoto(dir.filePath(QStringLiteral("slot%1.jpg").arg(slot)), 1600, 1200).toStdString());
    for (int slot = 1; slot <= kPictureSlots; ++slot) {
        settings.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, valueName(stored::PictureLabel, slot),
                                    "Slot " + std::to_string(slot));
        settings.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, valueName(stored::PicturePath, slot),
                                    paths[slot - 1]);
    }

    QtMessageBoxes boxes;
    ProgramPictures pictures;
    RealFileSystem files;
    ClockSeededRandom random;
    NoHost host;
    NoHelp noHelp;
    QtApplicationInfo applicationInfo;
    HelpCommands help(applicationInfo, noHelp, noHelp);
    GameWindow game({boxes, pictures.prepared, files, random, settings, host, help});
    const double startUp = medianMilliseconds(21, [&] { game.Form_Load(); });

    const long beforeShow = statusKilobytes("VmRSS:");
    GameWindowWidget window(game);
    window.show(); // the window reports its screen, and the slots' pictures are prepared
    const PixelSize box = devicePixels(kBoardPictureBox, window.devicePixelRatio());
    QElapsedTimer settling;
    settling.start();
    pictures.worker.waitUntilIdle();
    const double settled = settling.nsecsElapsed() / 1e6;
    const double heldRss = (statusKilobytes("VmRSS:") - beforeShow) / 1024.0;
    double heldImages = 0;
    for (const std::string& path : paths)
        heldImages += imageOf(pictures.prepared.loadPicture(path, box)).sizeInBytes() / (1024.0 * 1024.0);

    // Shown: the handler, the window copying the model, and the picture box painted.
    QWidget* pictureBox = window.findChild<QWidget*>(QStringLiteral("imgImage"));
    const auto shown = [&](int entry) {
        QElapsedTimer timer;
        timer.start();
        game.userSelectsPicture(entry);
        window.refresh();
        pictureBox->grab();
        return timer.nsecsElapsed() / 1e6;
    };
    const double firstMedium = shown(1);
    const double firstLarge = shown(2);
    const double firstPng = shown(3);
    const double firstHeic = shown(4);
    const Decode plainMedium = decodeInChild("plain", medium, box);
    const Decode plainLarge = decodeInChild("plain", large, box);
    const Decode checkedLarge = decodeInChild("checked", large, box);
    const Decode plainPng = decodeInChild("plain", png, box);
    const Decode checkedPng = decodeInChild("checked", png, box);
    const Decode plainHeic = decodeInChild("plain", heic, box);
    const Decode checkedHeic = decodeInChild("checked", heic, box);
    const ChoiceWhilePrepared jpegWhilePrepared = choiceWhilePrepared(large, box);
    const ChoiceWhilePrepared pngWhilePrepared = choiceWhilePrepared(png, box);
    const ChoiceWhilePrepared heicWhilePrepared = choiceWhilePrepared(heic, box);

    const Decode refusal = decodeInChild("checked", claiming, box);
    const Decode plainRefusal = decodeInChild("plain", claiming, box);

    std::printf("\nBox %d x %d device pixels (ratio %.2f); files %.1f MB and %.1f MB\n", box.width, box.height,
                window.devicePixelRatio(), QFileInfo(medium).size() / 1048576.0, QFileInfo(large).size() / 1048576.0);
    std::printf("  %-44s %-22s %-26s %s\n", "figure", "this program", "baseline", "target");
    printRow("first choice, 6000 x 4000 noise JPEG, shown", QStringLiteral("%1 ms").arg(firstMedium, 0, 'f', 2),
             QStringLiteral("plain decode %1").arg(timeAndPeak(plainMedium)), "< 16 ms");
    printRow("first choice, 8000 x 6000 noise JPEG, shown", QStringLiteral("%1 ms").arg(firstLarge, 0, 'f', 2),
             QStringLiteral("plain decode %1").arg(timeAndPeak(plainLarge)), "< 16 ms");
    printRow("its decode on the worker, structure checked", timeAndPeak(checkedLarge),
             QStringLiteral("plain decode %1").arg(timeAndPeak(plainLarge)), "");
    const auto printWhilePrepared = [](const char* figure, const ChoiceWhilePrepared& measured) {
        printRow(figure,
                 QStringLiteral("%1 ms (%2x), %3 decodes")
                     .arg(measured.choice, 0, 'f', 1)
                     .arg(measured.choice / measured.plain, 0, 'f', 2)
                     .arg(measured.decodes),
                 QStringLiteral("plain decode %1 ms").arg(measured.plain, 0, 'f', 1), "<= 1.1x, 2 decodes");
    };
    printWhilePrepared("choice while the worker decodes, busy core", jpegWhilePrepared);
    const auto printFormat = [&](const char* name, double first, const Decode& checked, const Decode& plain,
                                 const ChoiceWhilePrepared& whilePrepared) {
        printRow(qPrintable(QStringLiteral("first choice, %1, shown").arg(QLatin1String(name))),
                 QStringLiteral("%1 ms").arg(first, 0, 'f', 2),
                 QStringLiteral("plain decode %1").arg(timeAndPeak(plain)), "< 16 ms");
        printRow("  its decode on the worker, structure checked", timeAndPeak(checked), QString(), "");
        printWhilePrepared("  choice while the worker decodes, busy core", whilePrepared);
    };
    printFormat("6000 x 4000 PNG", firstPng, checkedPng, plainPng, pngWhilePrepared);
    printFormat("4032 x 3024 HEIC", firstHeic, checkedHeic, plainHeic, heicWhilePrepared);
    printRow("20000 x 20000 progressive header", timeAndPeak(refusal),
             QStringLiteral("plain decode %1").arg(timeAndPeak(plainRefusal)), "< 20 ms, < 16 MB");
    printRow("Form_Load with ten valid slots", QStringLiteral("%1 ms").arg(startUp, 0, 'f', 2), QString(), "< 20 ms");
    printRow("preparation of the ten slots settled after", QStringLiteral("%1 ms").arg(settled, 0, 'f', 0), QString(),
             "in the background");
    printRow("memory held by the prepared pictures", QStringLiteral("%1 MB images").arg(heldImages, 0, 'f', 1),
             QStringLiteral("%1 MB resident added").arg(heldRss, 0, 'f', 1), "");
    return 0;
}

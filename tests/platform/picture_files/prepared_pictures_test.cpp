#include "platform/picture_files/prepared_pictures.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <map>

namespace tessaloom::testing {
namespace {

// Holds posted work until the test runs it.
struct ManualWorker final : BackgroundExecutor {
    std::vector<std::function<void()>> posted;
    void post(std::function<void()> work) override { posted.push_back(std::move(work)); }
    void runAll()
    {
        for (const auto& work : std::exchange(posted, {}))
            work();
    }
};

// Files with stamps; "broken" ones exist but decode to nothing. Records every decode, and runs
// a hook once inside the next decode, where another thread would act while it runs.
struct ScriptedDecoder final : PictureDecoder {
    std::map<std::string, FileStamp> files{{"/p/a.jpg", {10, 1}}, {"/p/b.jpg", {20, 1}}, {"/p/broken.jpg", {5, 1}}};
    std::vector<std::string> decodes;
    std::function<void()> whileDecoding;

    PictureRef decode(const std::string& path, PixelSize box) override
    {
        decodes.push_back(path + " " + std::to_string(box.width));
        if (const auto meanwhile = std::exchange(whileDecoding, nullptr))
            meanwhile();
        return path.find("broken") == std::string::npos ? std::make_shared<NamedPicture>(path) : nullptr;
    }
    std::optional<FileStamp> stamp(const std::string& path) override
    {
        return files.count(path) ? std::optional(files[path]) : std::nullopt;
    }
};

class PreparedPicturesTest : public ::testing::Test {
protected:
    ScriptedDecoder decoder;
    ManualWorker worker;
    PreparedPictures pictures{decoder, worker};
    const PixelSize box{642, 480};
};

// The worker runs at low priority: a choice never waits for it. A file is decoded once for each
// box, whether the choice or the worker comes first, and twice only when chosen while the worker
// decodes it or once it has changed; a vanished file fails. A new preparation drops the work left
// of the last one.
TEST_F(PreparedPicturesTest, AChoiceNeverWaitsForTheWorkerAndEachFileIsDecodedOnceUnlessItChanges)
{
    pictures.preparePictures({"/p/a.jpg"}, {321, 240});
    pictures.preparePictures({"/p/a.jpg", "/p/b.jpg", "/p/broken.jpg"}, box);
    EXPECT_TRUE(decoder.decodes.empty()); // nothing runs on the caller's thread

    // a chosen before the worker reached it: decoded at once, and the worker finds it done; b
    // chosen while the worker decodes it: decoded at once again, the worker's copy dropped.
    const PictureRef a = pictures.loadPicture("/p/a.jpg", box);
    PictureRef b;
    decoder.whileDecoding = [&] { b = pictures.loadPicture("/p/b.jpg", box); };
    worker.runAll();
    EXPECT_EQ(pictures.loadPicture("/p/a.jpg", box), a);
    EXPECT_EQ(pictureName(b), "/p/b.jpg");
    EXPECT_EQ(pictures.loadPicture("/p/b.jpg", box), b);
    // A file that is no picture is not tried again either.
    EXPECT_EQ(pictures.loadPicture("/p/broken.jpg", box), nullptr);

    // The worker's turn comes while a choice decodes the file: it leaves the file alone.
    pictures.preparePictures({"/p/a.jpg"}, {321, 240});
    decoder.whileDecoding = [&] { worker.runAll(); };
    EXPECT_NE(pictures.loadPicture("/p/a.jpg", {321, 240}), a);

    decoder.files["/p/a.jpg"].modified = 2;
    const PictureRef changed = pictures.loadPicture("/p/a.jpg", box);
    EXPECT_NE(changed, a);
    EXPECT_EQ(pictures.loadPicture("/p/a.jpg", box), changed);
    decoder.files.erase("/p/a.jpg");
    EXPECT_EQ(pictures.loadPicture("/p/a.jpg", box), nullptr);
    EXPECT_EQ(decoder.decodes,
              (std::vector<std::string>{"/p/a.jpg 642", "/p/b.jpg 642", "/p/b.jpg 642", "/p/broken.jpg 642",
                                        "/p/a.jpg 321", "/p/a.jpg 642"}));
}

} // namespace
} // namespace tessaloom::testing

#pragma once

#include "platform/prepared_pictures.h"
#include "platform/qt/qt_background_worker.h"
#include "platform/qt/qt_picture_decoder.h"

namespace tessaloom {

// The program's picture service: pictures decoded by the toolkit's readers, prepared on a
// low-priority worker thread and kept for their box.
class QtPictureLoader final : public PictureLoader {
public:
    QtPictureLoader();

    PictureRef loadPicture(const std::string& path, PixelSize box) override;
    void preparePictures(const std::vector<std::string>& paths, PixelSize box) override;

    // Returns when the preparation posted so far is done.
    void waitUntilPrepared();

private:
    QtPictureDecoder decoder_;
    PreparedPictures prepared_;
    // Declared last so it goes first: its work refers to the prepared pictures.
    QtBackgroundWorker worker_;
};

} // namespace tessaloom

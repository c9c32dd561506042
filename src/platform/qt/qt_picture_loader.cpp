#include "platform/qt/qt_picture_loader.h"

namespace tessaloom {

QtPictureLoader::QtPictureLoader()
    : prepared_(decoder_, worker_)
{
}

PictureRef QtPictureLoader::loadPicture(const std::string& path, PixelSize box)
{
    return prepared_.loadPicture(path, box);
}

void QtPictureLoader::preparePictures(const std::vector<std::string>& paths, PixelSize box)
{
    prepared_.preparePictures(paths, box);
}

void QtPictureLoader::waitUntilPrepared()
{
    worker_.waitUntilIdle();
}

} // namespace tessaloom

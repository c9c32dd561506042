#include "pictures/qt/picture_maintenance.h"
#include "platform/qt/qt_picture.h"

#include <gtest/gtest.h>

namespace tessaloom {
namespace {

// The artwork library carries the two placeholders as resources; a link that drops them would
// leave the preview blank without any other sign.
TEST(PlaceholdersTest, ComeFromTheArtworkWhereItIsBuilt)
{
    const PicturePlaceholders placeholders = placeholdersFromResources();
#ifdef TESSALOOM_HAVE_ARTWORK
    const QImage noImageSelected = imageOf(placeholders.noImageSelected);
    const QImage imageNotFound = imageOf(placeholders.imageNotFound);
    EXPECT_EQ(noImageSelected.size(), QSize(300, 252));
    EXPECT_EQ(imageNotFound.size(), QSize(300, 252));
    EXPECT_NE(noImageSelected, imageNotFound);
#else
    EXPECT_EQ(placeholders.noImageSelected, nullptr);
    EXPECT_EQ(placeholders.imageNotFound, nullptr);
#endif
}

} // namespace
} // namespace tessaloom

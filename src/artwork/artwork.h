#pragma once

#include <QIcon>

namespace tessaloom {

// Where the program's pictures lie among its Qt resources.
inline constexpr const char* kBuiltInPictureResource = ":/artwork/built_in_picture.png";
inline constexpr const char* kProgramPictureResource = ":/artwork/program_picture.jpg";
inline constexpr const char* kNoImageSelectedResource = ":/artwork/no_image_selected.png";
inline constexpr const char* kImageNotFoundResource = ":/artwork/image_not_found.png";
// The icon's sizes; each lies at ":/artwork/icon_<size>.png".
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The program's icon with every drawn size, so the platform picks a crisp one.
QIcon programIcon();

} // namespace tessaloom

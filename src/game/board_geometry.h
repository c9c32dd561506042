#pragma once

namespace tessaloom {

// The board's fixed design geometry in twips, inside the board frame. Cards step by 1200
// across but are 1215 wide, so neighbours overlap by 15 and the last column ends at the
// picture's right edge.
inline constexpr float kPictureLeft = 120;
inline constexpr float kPictureTop = 240;
inline constexpr float kPictureWidth = 4815;
inline constexpr float kPictureHeight = 3600;
inline constexpr float kFirstColumnLeft = 120;
inline constexpr float kColumnStep = 1200;
inline constexpr float kCardWidth = 1215;
inline constexpr float kFirstRowTop = 240;

} // namespace tessaloom

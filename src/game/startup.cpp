// Bringing the game window up: settings, the picture list, the first deal; choosing a picture.
#include "game/game_window.h"
#include "platform/file_system.h"
#include "platform/random_source.h"

namespace tessaloom {

void GameWindow::Form_Load()
{
    controls_.cboRows.Clear();
    for (int rows = kMinRows; rows <= kMaxRows; ++rows)
        controls_.cboRows.AddItem(std::to_string(rows));
    LoadSettings();
    LoadPictureList();
    controls_.cboPictures.ListIndex = 0;
    state_.LabelSet = 0;
    services_.random.seedFromClock();
    cboPictures_Click();
    ResetBoard();
    cboRows_Click();
}

void GameWindow::LoadSettings()
{
    controls_.Slider1.Value = settings_.number(stored::FlipSpeed);
    controls_.Timer1.setInterval(controls_.Slider1.Value);
    for (int n = kMinRows; n <= kMaxRows; ++n)
        state_.Records[n] = static_cast<std::int16_t>(settings_.number(stored::Record, n));
    state_.NumRows = static_cast<std::int16_t>(settings_.number(stored::NumRows));
    controls_.cboRows.ListIndex = state_.NumRows - kMinRows;
}

void GameWindow::LoadPictureList()
{
    controls_.cboPictures.Clear();
    controls_.lstPaths.Clear();
    controls_.cboPictures.AddItem(kBuiltInPictureLabel);
    controls_.lstPaths.AddItem(kBuiltInPicturePath);
    for (int n = 1; n <= kPictureSlots; ++n) {
        const std::string label = settings_.value(stored::PictureLabel, n).text();
        const std::string path = settings_.value(stored::PicturePath, n).text();
        const bool exists = services_.files.fileExists(path);
        if (!label.empty() && !path.empty() && exists) {
            controls_.cboPictures.AddItem(label);
            controls_.lstPaths.AddItem(path);
        }
    }
    controls_.cboPictures.ListIndex = 0;
    // Selecting the built-in entry shows the built-in picture again, so the picture under the
    // board always agrees with the list after the list is rebuilt.
    cboPictures_Click();
}

void GameWindow::cboPictures_Click()
{
    if (controls_.cboPictures.Text() == kBuiltInPictureLabel) {
        controls_.imgImage.Picture = controls_.imgMarrowquill.Picture;
        return;
    }
    const int entry = controls_.cboPictures.ListIndex;
    if (entry < 0 || entry >= static_cast<int>(controls_.lstPaths.entries.size()))
        return;
    // A picture that cannot be read leaves the one under the board as it was.
    const PixelSize box = devicePixels(kBoardPictureBox, devicePixelRatio_);
    if (PictureRef picture = services_.pictures.loadPicture(controls_.lstPaths.entries[entry], box))
        controls_.imgImage.Picture = std::move(picture);
}

void GameWindow::shownOnScreen(double devicePixelRatio)
{
    if (shown_ && devicePixelRatio == devicePixelRatio_)
        return;
    const bool moved = shown_;
    shown_ = true;
    devicePixelRatio_ = devicePixelRatio;
    preparePictures();
    if (moved)
        cboPictures_Click(); // the picture under the board again, sharp on the new screen
}

void GameWindow::preparePictures()
{
    std::vector<std::string> files = controls_.lstPaths.entries;
    if (!files.empty())
        files.erase(files.begin()); // the built-in picture, which is no file
    services_.pictures.preparePictures(files, devicePixels(kBoardPictureBox, devicePixelRatio_));
}

void GameWindow::userSelectsPicture(int entry)
{
    if (entry < 0 || entry >= static_cast<int>(controls_.cboPictures.entries.size()))
        return;
    controls_.cboPictures.ListIndex = entry;
    cboPictures_Click();
}

} // namespace tessaloom

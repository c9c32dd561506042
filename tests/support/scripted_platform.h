#pragma once

// Stand-ins for the platform services, and for the help viewer, that tests script and inspect.
#include "help/help_viewer.h"
#include "platform/application_info.h"
#include "platform/calendar.h"
#include "platform/file_chooser.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"
#include "platform/picture.h"
#include "platform/random_source.h"
#include "platform/web_browser.h"

#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessaloom::testing {

// Records every box and gives the same answer to every Yes/No question. A hook runs while a
// box is "open", so a test can look at what the window shows at that moment or change the answer.
class ScriptedMessageBoxes final : public MessageBoxes {
public:
    std::vector<std::string> shown;
    bool answer = true;
    std::function<void(const std::string&)> whileOpen;

    void showMessage(const std::string& text) override { open(text); }
    bool askYesNo(const std::string& text) override { return open(text); }

private:
    bool open(const std::string& text)
    {
        shown.push_back(text);
        if (whileOpen)
            whileOpen(text);
        return answer; // as the hook may have changed it
    }
};

// A picture that remembers the file it came from.
struct NamedPicture final : Picture {
    explicit NamedPicture(std::string name)
        : name(std::move(name))
    {
    }
    std::string name;
};

inline std::string pictureName(const PictureRef& picture)
{
    const auto* named = dynamic_cast<const NamedPicture*>(picture.get());
    return named ? named->name : std::string();
}

// Loads the paths it was told are pictures; every other path fails. Keeps the last request
// to prepare pictures.
struct ScriptedPictures final : PictureLoader {
    std::set<std::string> readable;
    std::vector<std::string> loaded;
    PixelSize lastBox;
    std::vector<std::string> prepared;
    PixelSize preparedBox;

    PictureRef loadPicture(const std::string& path, PixelSize box) override
    {
        loaded.push_back(path);
        lastBox = box;
        return readable.count(path) ? std::make_shared<NamedPicture>(path) : nullptr;
    }
    void preparePictures(const std::vector<std::string>& paths, PixelSize box) override
    {
        prepared = paths;
        preparedBox = box;
    }
};

struct FakeFileSystem final : FileSystem {
    std::set<std::string> files;
    bool fileExists(const std::string& path) const override { return files.count(path) > 0; }
};

// Answers each open-file dialog from a queue: a path, or nothing for a cancel (also when the
// queue runs dry). Keeps the filter list of the last dialog.
struct ScriptedFileChooser final : FileChooser {
    std::deque<std::optional<std::string>> answers;
    std::string filter;

    std::optional<std::string> chooseFile(const std::string& filterList) override
    {
        filter = filterList;
        const std::optional<std::string> answer = answers.empty() ? std::nullopt : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
};

// Hands out the numbers it was given, then those of a seeded sequence, so every run deals alike.
struct ScriptedRandom final : RandomSource {
    std::deque<float> numbers;
    std::mt19937 engine{2004};
    int seeds = 0;

    void seedFromClock() override { ++seeds; }
    float next() override
    {
        if (numbers.empty())
            return static_cast<float>(engine() >> 8) / 16777216.0f; // 24 bits: exact, below 1
        const float r = numbers.front();
        numbers.pop_front();
        return r;
    }
};

// Both the help viewer and the web opener, so one list shows every request in its order:
// "topic <topic> in <file>", "index <keyword> in <file>" or "web <address>". Throws instead
// when told to, like a viewer or browser that breaks down.
class ScriptedHelpAndWeb final : public HelpViewer, public WebBrowser {
public:
    std::vector<std::string> requests;
    bool fails = false;

    void displayTopic(const std::string& helpFile, const std::string& topic) override
    {
        record("topic " + topic + " in " + helpFile);
    }
    void displayIndex(const std::string& helpFile, const std::string& keyword) override
    {
        record("index " + keyword + " in " + helpFile);
    }
    void openAddress(const std::string& address) override { record("web " + address); }

private:
    void record(std::string request)
    {
        if (fails)
            throw std::runtime_error("the help viewer or the browser cannot be started");
        requests.push_back(std::move(request));
    }
};

// The program's folder and version as a test sets them; changing the folder between commands
// shows whether a command asks for it afresh.
struct ScriptedApplicationInfo final : ApplicationInfo {
    std::string folder = "/opt/tessaloom";
    int minor = 0;
    int versionMajor() const override { return 1; }
    int versionMinor() const override { return minor; }
    std::string programFolder() const override { return folder; }
};

struct ScriptedCalendar final : Calendar {
    int year = 2004;
    int currentYear() const override { return year; }
};

} // namespace tessaloom::testing

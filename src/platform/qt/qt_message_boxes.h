#pragma once

#include "platform/message_boxes.h"

#include <functional>

class QWidget;

namespace tessaloom {

// Message boxes as QMessageBox dialogs, modal over their owner window and no other.
class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* owner = nullptr);

    void setOwner(QWidget* owner) { owner_ = owner; }

    // Runs before a box opens, so the window behind it shows the state it reports on.
    void setBeforeShow(std::function<void()> beforeShow) { beforeShow_ = std::move(beforeShow); }

    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text) override;

private:
    QWidget* owner_;
    std::function<void()> beforeShow_;
};

} // namespace tessaloom

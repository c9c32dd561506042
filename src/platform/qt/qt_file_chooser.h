#pragma once

#include "platform/file_chooser.h"

#include <QString>

class QWidget;

namespace tessaloom {

// The open-file dialog as a QFileDialog, modal over its owner window.
class QtFileChooser final : public FileChooser {
public:
    explicit QtFileChooser(QWidget* owner = nullptr);

    void setOwner(QWidget* owner) { owner_ = owner; }

    std::optional<std::string> chooseFile(const std::string& filter) override;

private:
    QWidget* owner_;
};

// A "Name|patterns|..." filter list in the form QFileDialog takes: "Name (patterns);;...",
// with the patterns separated by blanks. A name that already ends in its patterns in
// parentheses has them replaced, so Qt reads the patterns from the name it shows.
QString toQtFileFilter(const std::string& filter);

} // namespace tessaloom

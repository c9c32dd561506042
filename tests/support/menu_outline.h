#pragma once

// A menu bar as lines of text, for comparing with the design: every entry's caption with its
// access-key ampersand and its shortcut, "-" for a separator, entries indented under their menu,
// and any entry that is disabled or hidden marked so.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <string>
#include <vector>

namespace tessaloom::testing {

inline std::vector<std::string> menuOutline(const QMenuBar* bar)
{
    std::vector<std::string> lines;
    for (const QAction* menu : bar->actions()) {
        lines.push_back(menu->text().toStdString());
        for (const QAction* entry : menu->menu()->actions()) {
            std::string line = "  " + (entry->isSeparator() ? std::string("-") : entry->text().toStdString());
            if (!entry->shortcut().isEmpty())
                line += "  " + entry->shortcut().toString(QKeySequence::PortableText).toStdString();
            if (!entry->isEnabled() || !entry->isVisible())
                line += "  (unavailable)";
            lines.push_back(line);
        }
    }
    return lines;
}

} // namespace tessaloom::testing

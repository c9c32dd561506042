#pragma once

#include "help/help_menu.h"

#include <QAction>

namespace tessaloom {

// Runs the Help menu's entries from their actions, however chosen (mouse, access key,
// shortcut). They change nothing a window shows, so nothing needs refreshing afterwards.
inline void connectHelpMenu(QObject* context, const HelpMenu& menu, QAction* contents, QAction* index, QAction* web)
{
    QObject::connect(contents, &QAction::triggered, context, [&menu] { menu.mnuContents_Click(); });
    QObject::connect(index, &QAction::triggered, context, [&menu] { menu.mnuIndex_Click(); });
    QObject::connect(web, &QAction::triggered, context, [&menu] { menu.mnuMarrowquill_Click(); });
}

} // namespace tessaloom

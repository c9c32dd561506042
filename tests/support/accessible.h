#pragma once

// What assistive technology reads of a widget, through the interfaces Qt's bridges read on every
// platform.
#include <QAccessible>
#include <QStringList>
#include <QWidget>

namespace tessaloom::testing {

inline QAccessibleInterface* accessible(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

inline QString accessibleName(QWidget* widget)
{
    return accessible(widget)->text(QAccessible::Name);
}

// The names of the labels that label the widget.
inline QStringList labelsOf(QWidget* widget)
{
    QStringList names;
    for (const auto& [label, relation] : accessible(widget)->relations(QAccessible::Label))
        names << label->text(QAccessible::Name);
    return names;
}

} // namespace tessaloom::testing

#pragma once

// What assistive technology reads of a widget, through the interfaces Qt's bridges read on every
// platform.
#include <QAccessible>
#include <QStringList>
#include <QWidget>

#include <initializer_list>

namespace tessaloom::testing {

inline QAccessibleInterface* accessible(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

inline QString accessibleName(QWidget* widget)
{
    return accessible(widget)->text(QAccessible::Name);
}

// The label of each named child of the window, as a screen reader finds it through the label's
// relation; empty where not exactly one label names it.
inline QStringList labelsOf(const QWidget* window, std::initializer_list<const char*> children)
{
    QStringList labels;
    for (const char* name : children) {
        const auto related =
            accessible(window->findChild<QWidget*>(QString::fromLatin1(name)))->relations(QAccessible::Label);
        labels << (related.size() == 1 ? related[0].first->text(QAccessible::Name) : QString());
    }
    return labels;
}

} // namespace tessaloom::testing

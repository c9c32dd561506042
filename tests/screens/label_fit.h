#pragma once

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QWidget>

namespace tessaloom::testing {

// Every text of a window must show whole in its label: a clipped notice or warning would look
// broken. Measured with the label's own font, alignment and wrapping.
inline void expectEveryTextFits(const QWidget& window)
{
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        SCOPED_TRACE(label->objectName().toStdString());
        const QRect room = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = label->fontMetrics().boundingRect(room, flags, label->text());
        EXPECT_LE(needed.width(), room.width());
        EXPECT_LE(needed.height(), room.height());
    }
}

} // namespace tessaloom::testing

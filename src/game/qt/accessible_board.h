#pragma once

#include <QWidget>

namespace tessaloom {

// The container of the cards. Assistive technology sees only the cards on the board in it: a
// found pair, or a card beyond the grid, is gone for a blind player as for a sighted one.
class CardBoard final : public QWidget {
    Q_OBJECT

public:
    explicit CardBoard(QWidget* parent);

    // Tells assistive technology that cards came onto the board or left it.
    void cardsChanged();
};

// Speaks for the game without ever being seen: a notification whose name is the last thing
// announced. Screen readers speak a notification that shows, wherever the focus is.
class Announcer final : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& text);
};

} // namespace tessaloom

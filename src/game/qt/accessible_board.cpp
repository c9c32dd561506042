#include "game/qt/accessible_board.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace tessaloom {

namespace {

class CardBoardAccessible final : public QAccessibleWidget {
public:
    explicit CardBoardAccessible(QWidget* board)
        : QAccessibleWidget(board, QAccessible::Grouping)
    {
    }

    int childCount() const override { return static_cast<int>(cardsOnBoard().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> cards = cardsOnBoard();
        return index >= 0 && index < cards.size() ? QAccessible::queryAccessibleInterface(cards[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? static_cast<int>(cardsOnBoard().indexOf(child->object())) : -1;
    }

private:
    QList<QWidget*> cardsOnBoard() const
    {
        QList<QWidget*> cards;
        for (QObject* object : widget()->children())
            if (auto* card = qobject_cast<QWidget*>(object); card && !card->isHidden())
                cards.append(card);
        return cards;
    }
};

QAccessibleInterface* boardAccessibility(const QString& className, QObject* object)
{
    if (className == QLatin1String(CardBoard::staticMetaObject.className()))
        return new CardBoardAccessible(static_cast<CardBoard*>(object));
    if (className == QLatin1String(Announcer::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<Announcer*>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

CardBoard::CardBoard(QWidget* parent)
    : QWidget(parent)
{
    QAccessible::installFactory(boardAccessibility);
}

void CardBoard::cardsChanged()
{
    QAccessibleEvent event(this, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&event);
}

Announcer::Announcer(QWidget* parent)
    : QWidget(parent)
{
    QAccessible::installFactory(boardAccessibility);
    // Nothing to see: no size, no focus.
    setFixedSize(0, 0);
    setFocusPolicy(Qt::NoFocus);
}

void Announcer::announce(const QString& text)
{
    setAccessibleName(text);
    // Shown again for every announcement: that is when a screen reader speaks a notification.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace tessaloom

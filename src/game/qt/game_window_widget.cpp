#include "game/qt/game_window_widget.h"

#include "game/game_window.h"
#include "game/qt/accessible_board.h"
#include "game/spoken_texts.h"
#include "help/qt/help_menu_actions.h"
#include "platform/qt/modal_command.h"
#include "platform/qt/program_font.h"
#include "platform/qt/qt_picture.h"
#include "ui_game_window.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPixmap>
#include <QSignalBlocker>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace tessaloom {

namespace {

// 15 twips make one pixel at 96 dots per inch; Qt scales logical pixels on denser screens.
int pixels(float twips)
{
    return static_cast<int>(std::lround(twips / 15.0f));
}

void syncEntries(QComboBox* box, const ListControl& list)
{
    const QSignalBlocker blocker(box);
    bool same = box->count() == static_cast<int>(list.entries.size());
    for (int i = 0; same && i < box->count(); ++i)
        same = box->itemText(i).toStdString() == list.entries[i];
    if (!same) {
        box->clear();
        for (const std::string& entry : list.entries)
            box->addItem(QString::fromStdString(entry));
    }
    box->setCurrentIndex(list.ListIndex);
}

// Setting a name raises a name-change event, which a screen reader may speak: only a new one.
void nameFor(QWidget* widget, const QString& name)
{
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

} // namespace

GameWindowWidget::GameWindowWidget(GameWindow& logic, QWidget* parent)
    : QMainWindow(parent)
    , logic_(logic)
    , ui_(std::make_unique<Ui::frmMarrowquillMemory>())
    , flipTimer_(new QTimer(this))
{
    ui_->setupUi(this);
    for (int p = 0; p < kBoardPositions; ++p)
        cards_[p] = findChild<QPushButton*>(QStringLiteral("btnButton%1").arg(p));
    makeBoardAccessible();
    applyFonts();
    flipTimer_->setObjectName(QStringLiteral("Timer1"));
    flipTimer_->setTimerType(Qt::PreciseTimer);
    connectControls();
    connectMenus();
    refresh();
}

void GameWindowWidget::makeBoardAccessible()
{
    // The cards move into a container of their own over the whole board frame, so they keep
    // their places, their order on the screen and in the focus chain.
    board_ = new CardBoard(ui_->Frame3);
    board_->setObjectName(QStringLiteral("Cards"));
    board_->setAccessibleName(QStringLiteral("Cards"));
    board_->setGeometry(ui_->Frame3->rect());
    for (QPushButton* card : cards_) {
        card->setParent(board_);
        card->installEventFilter(this);
    }
    board_->show();
    announcer_ = new Announcer(ui_->centralwidget);
    announcer_->setObjectName(QStringLiteral("turnOutcome"));
    announcer_->setAccessibleName(QString::fromStdString(logic_.controls().turnOutcome.Text));
    announced_ = logic_.controls().turnOutcome.count;
}

void GameWindowWidget::connectControls()
{
    for (int p = 0; p < kBoardPositions; ++p)
        connect(cards_[p], &QPushButton::clicked, this, [this, p] { forward([&] { logic_.btnButton_Click(p); }); });
    connect(ui_->cboRows, &QComboBox::activated, this,
            [this](int entry) { forward([&] { logic_.userSelectsRows(entry); }); });
    connect(ui_->cboPictures, &QComboBox::activated, this,
            [this](int entry) { forward([&] { logic_.userSelectsPicture(entry); }); });
    // Dragging the thumb reports positions as it moves; keys, clicks and the release report
    // a change.
    connect(ui_->Slider1, &QSlider::valueChanged, this, [this](int value) {
        if (ui_->Slider1->isSliderDown())
            forward([&] { logic_.userScrollsSlider(value); });
        else
            forward([&] { logic_.userChangesSlider(value); });
    });
    connect(flipTimer_, &QTimer::timeout, this, &GameWindowWidget::flipTimerFired);
}

void GameWindowWidget::connectMenus()
{
    const auto menu = [this](QAction* action, void (GameWindow::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { runCommand(handler); });
    };
    const auto modalMenu = [this](QAction* action, void (GameWindow::*handler)()) {
        connectModalCommand(action, this, [this, handler] { runCommand(handler); });
    };
    menu(ui_->mnuNewGame, &GameWindow::mnuNewGame_Click);
    menu(ui_->mnuView, &GameWindow::mnuView_Click);
    modalMenu(ui_->mnuReset, &GameWindow::mnuReset_Click);
    modalMenu(ui_->mnuImages, &GameWindow::mnuImages_Click);
    menu(ui_->mnuExit, &GameWindow::mnuExit_Click);
    connectHelpMenu(this, logic_.helpMenu(), ui_->mnuContents, ui_->mnuIndex, ui_->mnuMarrowquill);
    modalMenu(ui_->mnuAbout, &GameWindow::mnuAbout_Click);
}

void GameWindowWidget::runCommand(void (GameWindow::*handler)())
{
    // Called through a member rather than inside the connected lambda: gcc 12's vptr check
    // misreads a member-function pointer called from such a lambda.
    (logic_.*handler)();
    refresh();
}

void GameWindowWidget::flipTimerFired()
{
    // The timer falls due once per pair: the logic judges the tick now, or holds it while one
    // of its handlers waits on a modal window.
    flipTimer_->stop();
    logic_.Timer1_Timer();
    refresh();
}

bool GameWindowWidget::eventFilter(QObject* watched, QEvent* event)
{
    const auto card = std::find(cards_.begin(), cards_.end(), watched);
    if (card == cards_.end() || event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const int position = static_cast<int>(card - cards_.begin());
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!key->isAutoRepeat()) // held down, it turns the card once, as Space does
            (*card)->click();
        return true;
    case Qt::Key_Left:
        return focusCardToward(position, 0, -1);
    case Qt::Key_Right:
        return focusCardToward(position, 0, 1);
    case Qt::Key_Up:
        return focusCardToward(position, -1, 0);
    case Qt::Key_Down:
        return focusCardToward(position, 1, 0);
    default:
        return false;
    }
}

bool GameWindowWidget::focusCardToward(int position, int rowStep, int columnStep)
{
    cards_[logic_.cardToward(position, rowStep, columnStep)]->setFocus(Qt::OtherFocusReason);
    return true;
}

void GameWindowWidget::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    logic_.Form_Unload();
}

void GameWindowWidget::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!watchingScreen_ && windowHandle()) {
        watchingScreen_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this,
                [this] { forward([&] { logic_.shownOnScreen(devicePixelRatio()); }); });
    }
    forward([&] { logic_.shownOnScreen(devicePixelRatio()); });
}

GameWindowWidget::~GameWindowWidget() = default;

void GameWindowWidget::applyFonts()
{
    // Designer forms hold whole point sizes only; the window's fonts are 8.25 and 9.75 points.
    setFont(comicSans(8.25, true));
    // Menus keep the desktop's own menu font.
    QFont menuFont = QApplication::font();
    menuFont.setFamily(menuFont.family()); // set explicitly, so nothing is inherited from the window
    menuFont.setPointSizeF(menuFont.pointSizeF());
    menuFont.setBold(false);
    menuBar()->setFont(menuFont);
    // The two count labels are black whatever the desktop's text colour.
    for (QLabel* count : {ui_->lblNumTries, ui_->lblNumRecord}) {
        QPalette palette = count->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        count->setPalette(palette);
    }
    for (QPushButton* card : cards_)
        card->setFont(comicSans(9.75, true));
}

void GameWindowWidget::refresh()
{
    const GameWindowControls& model = logic_.controls();
    refreshCards();
    ui_->lblNumTries->setText(QString::fromStdString(model.lblNumTries));
    ui_->lblNumRecord->setText(QString::fromStdString(model.lblNumRecord));
    // A count reads as one thing with its caption: "Tries:" and " 5" make "Tries: 5".
    nameFor(ui_->lblNumTries, ui_->lblTries->text() + ui_->lblNumTries->text());
    nameFor(ui_->lblNumRecord, ui_->lblRecord->text() + ui_->lblNumRecord->text());
    refreshLists();
    if (model.imgImage.Picture != shownPicture_) {
        shownPicture_ = model.imgImage.Picture;
        ui_->imgImage->setPixmap(QPixmap::fromImage(imageOf(shownPicture_)));
    }
    {
        const QSignalBlocker blocker(ui_->Slider1);
        ui_->Slider1->setRange(model.Slider1.Min, model.Slider1.Max);
        ui_->Slider1->setSingleStep(model.Slider1.SmallChange);
        ui_->Slider1->setPageStep(model.Slider1.LargeChange);
        ui_->Slider1->setValue(model.Slider1.Value);
    }
    ui_->mnuView->setText(QString::fromStdString(model.mnuViewCaption));
    if (model.turnOutcome.count != announced_) {
        announced_ = model.turnOutcome.count;
        announcer_->announce(QString::fromStdString(model.turnOutcome.Text));
    }
    refreshTimer();
}

void GameWindowWidget::refreshCards()
{
    const GameWindowControls& model = logic_.controls();
    bool boardChanged = false;
    for (int p = 0; p < kBoardPositions; ++p) {
        const CardButton& card = model.btnButton[p];
        QPushButton* button = cards_[p];
        button->setGeometry(pixels(card.Left), pixels(card.Top), pixels(card.Width), pixels(card.Height));
        button->setText(QString::fromStdString(card.Caption));
        nameFor(button, QString::fromStdString(spokenCardName(p, card.Caption)));
        if (button->isHidden() != card.Visible)
            continue;
        // A card off the board takes no focus, and assistive technology hears that it left.
        button->setVisible(card.Visible);
        button->setFocusPolicy(card.Visible ? Qt::StrongFocus : Qt::NoFocus);
        QAccessible::State changed;
        changed.focusable = changed.invisible = true;
        QAccessibleStateChangeEvent event(button, changed);
        QAccessible::updateAccessibility(&event);
        boardChanged = true;
    }
    if (boardChanged)
        board_->cardsChanged();
}

void GameWindowWidget::refreshLists()
{
    const GameWindowControls& model = logic_.controls();
    syncEntries(ui_->cboRows, model.cboRows);
    syncEntries(ui_->cboPictures, model.cboPictures);
    // The picture under the cards is named after the chosen entry.
    nameFor(ui_->imgImage, ui_->lblPicture->text() + QLatin1Char(' ') + ui_->cboPictures->currentText());
}

void GameWindowWidget::refreshTimer()
{
    const TimerControl& timer = logic_.controls().Timer1;
    if (!timer.running()) {
        flipTimer_->stop();
        return;
    }
    // Only a start or a new interval restarts the countdown; a tick that has fallen due and is
    // being judged, or is held, must not fire again.
    if (timer.restarts != appliedTimerRestarts_) {
        appliedTimerRestarts_ = timer.restarts;
        flipTimer_->start(timer.Interval);
    }
}

} // namespace tessaloom

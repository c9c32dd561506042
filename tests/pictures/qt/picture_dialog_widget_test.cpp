#include "picture_dialog_fixture.h"
#include "pictures/qt/picture_dialog_widget.h"
#include "platform/qt/qt_picture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace tessaloom::testing {
namespace {

class PictureDialogWidgetTest : public PictureDialogFixture {
protected:
    std::unique_ptr<PictureDialogWidget> window;
    int writesBefore = 0;  // the values stored before the dialog opened

    void SetUp() override
    {
        storeSlot(4, "Forest", "/p/forest.jpg");
        writesBefore = registry.writes;
        dialog.Form_Load();
        window = std::make_unique<PictureDialogWidget>(dialog);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    template <typename Widget>
    Widget* child(const char* name) const
    {
        return window->findChild<Widget*>(QString::fromLatin1(name));
    }
    QLineEdit* txtLabel() const { return child<QLineEdit>("txtLabel"); }
    QLineEdit* txtPath() const { return child<QLineEdit>("txtPath"); }
    QComboBox* cboImage() const { return child<QComboBox>("cboImage"); }
    void press(QKeyCombination key)
    {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }
};

TEST_F(PictureDialogWidgetTest, TheFormIsAsDesigned)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Picture Maintenance"));
    EXPECT_EQ(child<QWidget>("clientArea")->size(), QSize(400, 381));
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMaximizeButtonHint);

    const std::vector<std::pair<const char*, QRect>> places{
        {"Label3", {16, 16, 57, 17}},     {"cboImage", {80, 16, 41, 23}},   {"Label4", {144, 24, 185, 17}},
        {"Label1", {16, 48, 49, 17}},     {"txtLabel", {80, 48, 241, 22}},  {"Label2", {16, 80, 41, 17}},
        {"txtPath", {80, 80, 241, 22}},   {"btnBrowse", {328, 80, 57, 25}}, {"imgImage", {80, 112, 240, 200}},
        {"btnCancel", {80, 328, 65, 33}}, {"btnOK", {168, 328, 65, 33}},    {"btnApply", {256, 328, 65, 33}},
    };
    for (const auto& [name, place] : places)
        EXPECT_EQ(child<QWidget>(name)->geometry(), place) << name;
    EXPECT_TRUE(child<QLabel>("imgImage")->hasScaledContents());
    EXPECT_EQ(child<QLabel>("Label4")->text(), QStringLiteral("For best results, pictures should be 400 x 300."));

    EXPECT_EQ(txtLabel()->font().family(), QStringLiteral("Comic Sans MS"));
    EXPECT_EQ(txtLabel()->font().pointSizeF(), 8.25);
    EXPECT_FALSE(txtLabel()->font().bold());
    EXPECT_EQ(child<QLabel>("Label4")->font().pointSizeF(), 6.0);

    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
        EXPECT_FALSE(button->autoDefault()) << button->objectName().toStdString();
    }

    const auto* menuBar = window->findChild<QMenuBar*>();
    ASSERT_NE(menuBar, nullptr);
    QStringList menus;
    for (QAction* menu : menuBar->actions())
        menus << menu->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Help"}));
    EXPECT_EQ(child<QAction>("mnuExit")->text(), QStringLiteral("E&xit"));
    EXPECT_EQ(child<QAction>("mnuExit")->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(child<QAction>("mnuContents")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(child<QAction>("mnuMarrowquill")->text(), QStringLiteral("Marrowquill Software on the Web"));
    EXPECT_EQ(child<QAction>("mnuAbout")->text(), QStringLiteral("&About..."));
}

TEST_F(PictureDialogWidgetTest, FocusStartsInTheLabelAndTabFollowsTheDesignedOrder)
{
    EXPECT_EQ(QApplication::focusWidget(), txtLabel());
    QStringList order;
    for (int i = 0; i < 7; ++i) {
        order << QApplication::focusWidget()->objectName();
        press(Qt::Key_Tab);
    }
    EXPECT_EQ(order, (QStringList{"txtLabel", "txtPath", "btnBrowse", "cboImage", "btnOK", "btnApply", "btnCancel"}));
    EXPECT_EQ(QApplication::focusWidget(), txtLabel());
}

TEST_F(PictureDialogWidgetTest, EnterAndEscapePressNothing)
{
    QTest::keyClicks(txtLabel(), QStringLiteral("Lake"));
    for (const char* name : {"txtLabel", "btnOK", "btnCancel"}) {
        child<QWidget>(name)->setFocus();
        press(Qt::Key_Return);
        press(Qt::Key_Enter);
        press(Qt::Key_Escape);
        EXPECT_TRUE(window->isVisible()) << name;
    }
    EXPECT_TRUE(messageBoxes.shown.empty());
    EXPECT_EQ(registry.writes, writesBefore);
    EXPECT_FALSE(controls().Unloaded);
}

TEST_F(PictureDialogWidgetTest, TypingAndSelectingReachTheLogic)
{
    QTest::keyClicks(txtLabel(), QStringLiteral("Lake"));
    QTest::keyClicks(txtPath(), QStringLiteral("/p/lake.jpg"));
    cboImage()->setFocus();
    press(Qt::Key_Down);  // a key on the closed list selects the next slot
    EXPECT_EQ(storedSlot(1), std::make_pair(std::string("Lake"), std::string("/p/lake.jpg")));
    EXPECT_EQ(selectedSlot(), "2");
    EXPECT_TRUE(txtLabel()->text().isEmpty());

    cboImage()->activated(3);
    cboImage()->setCurrentIndex(3);
    EXPECT_EQ(txtLabel()->text(), QStringLiteral("Forest"));
    EXPECT_EQ(txtPath()->text(), QStringLiteral("/p/forest.jpg"));

    // A blank path returns the list to the edited slot and puts the focus in the path box.
    txtPath()->clear();
    cboImage()->setCurrentIndex(6);
    cboImage()->activated(6);
    EXPECT_EQ(messageBoxes.shown, std::vector<std::string>{kPathBlankMessage});
    EXPECT_EQ(cboImage()->currentText(), QStringLiteral("4"));
    EXPECT_EQ(txtLabel()->text(), QStringLiteral("Forest"));
    EXPECT_EQ(QApplication::focusWidget(), txtPath());
}

TEST_F(PictureDialogWidgetTest, OkClosesTheDialogOnlyAfterASuccessfulApply)
{
    QTest::keyClicks(txtPath(), QStringLiteral("/p/lake.jpg"));
    QTest::mouseClick(child<QPushButton>("btnOK"), Qt::LeftButton);
    EXPECT_EQ(messageBoxes.shown, std::vector<std::string>{kLabelBlankMessage});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), txtLabel());

    QTest::keyClicks(txtLabel(), QStringLiteral("Lake"));
    QTest::mouseClick(child<QPushButton>("btnOK"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(storedSlot(1), std::make_pair(std::string("Lake"), std::string("/p/lake.jpg")));
}

TEST_F(PictureDialogWidgetTest, ThePreviewShowsThePictureOfTheModel)
{
    QImage empty(300, 252, QImage::Format_RGB32);
    empty.fill(Qt::white);
    QImage missing(300, 252, QImage::Format_RGB32);
    missing.fill(Qt::red);
    PictureDialog qtDialog{{messageBoxes, pictures, files, chooser, settings, host, help},
                           {std::make_shared<QtPicture>(empty), std::make_shared<QtPicture>(missing)}};
    qtDialog.Form_Load();
    PictureDialogWidget qtWindow(qtDialog);
    const auto* image = qtWindow.findChild<QLabel*>(QStringLiteral("imgImage"));
    EXPECT_EQ(image->pixmap().toImage(), empty);

    qtDialog.userSelectsSlot(3);
    qtWindow.refresh();
    EXPECT_EQ(image->pixmap().toImage(), missing);
}

TEST_F(PictureDialogWidgetTest, F1AndF3AndTheHelpMenuReachHelpAndTheHost)
{
    press(Qt::Key_F1);
    EXPECT_EQ(helpTopics(), std::vector<std::string>{"Customizing_Pictures.htm"});
    child<QAction>("mnuIndex")->trigger();
    child<QAction>("mnuMarrowquill")->trigger();
    child<QAction>("mnuAbout")->trigger();
    EXPECT_EQ(helpIndexes(), 1);
    EXPECT_EQ(static_cast<int>(webBrowser.opened.size()), 1);
    EXPECT_EQ(host.aboutBoxes, 1);
    EXPECT_EQ(host.programEnds, 0);

    QTest::keyClicks(txtLabel(), QStringLiteral("Unsaved"));
    press(Qt::Key_F3);
    EXPECT_EQ(host.programEnds, 1);
    EXPECT_EQ(registry.writes, writesBefore);
}

} // namespace
} // namespace tessaloom::testing

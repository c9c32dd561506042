#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmAbout;
}

namespace tessaloom {

class AboutBox;
class Calendar;

// The About box on the screen: a fixed-size modal dialog owned by the window that opens it.
// OK is its default button; Escape and the close box close it as OK does.
class AboutDialog final : public QDialog {
    Q_OBJECT

public:
    // Loads the box: its Form_Load runs now, reading the year.
    AboutDialog(const Calendar& calendar, QWidget* owner);
    ~AboutDialog() override;

    // Opens a new About box modally over `owner` and returns when it has closed.
    static void showModal(QWidget* owner, const Calendar& calendar);

private:
    void applyFonts();
    void refresh();

    std::unique_ptr<AboutBox> logic_;
    std::unique_ptr<Ui::frmAbout> ui_;
};

} // namespace tessaloom

#pragma once

#include <QDateTime>
#include <QWidget>

#include <memory>
#include <vector>

class QLineEdit;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tessaloom {

class ChmFile;
class ChmTextBrowser;
class WebBrowser;
struct SitemapEntry;

// The help viewer's window: the file's table of contents and its index on two tabs, a
// keyword field that narrows the index, and the topic pane. A window of its own, owned by no
// other window and not modal; closing it only hides it, and it never keeps the program
// running on its own.
class HelpViewerWindow final : public QWidget {
    Q_OBJECT
public:
    // Addresses outside the help file that a topic links to go to the web browser.
    explicit HelpViewerWindow(WebBrowser& webBrowser);
    ~HelpViewerWindow() override;

    // Opens the help file, or keeps it when it is the one already open and unchanged on disk.
    // False, with the window as it was, when the path names no readable help file.
    bool openFile(const QString& path);

    // Shows a topic ("Welcome.htm", "Welcome.htm#records") on the Contents tab.
    void showTopic(const QString& topic);

    // Brings the Index tab forward with the keyword in its field.
    void showIndex(const QString& keyword);

    // The page in the topic pane, as a path inside the help file with its anchor, if any.
    QString currentTopic() const;

private:
    void buildContents(const std::vector<SitemapEntry>& entries);
    void buildIndex(const std::vector<SitemapEntry>& entries);
    void navigate(const QUrl& url);
    void displayItem(QTreeWidgetItem* item);
    void followLink(const QUrl& link);
    void filterIndex(const QString& keyword);
    void selectContentsEntry(const QUrl& url);

    WebBrowser& webBrowser_;
    std::unique_ptr<ChmFile> helpFile_;
    QString path_;
    QDateTime modified_;
    qint64 size_ = -1;
    QString defaultTopic_;
    bool reloadPending_ = false;

    QTabWidget* tabs_;
    QTreeWidget* contents_;
    QLineEdit* keyword_;
    QTreeWidget* index_;
    ChmTextBrowser* topic_;
    QToolButton* back_;
    QToolButton* forward_;
    QToolButton* home_;
};

} // namespace tessaloom

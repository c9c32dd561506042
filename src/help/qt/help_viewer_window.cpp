#include "help/qt/help_viewer_window.h"

#include "help/chm_file.h"
#include "help/qt/chm_text_browser.h"
#include "help/sitemap.h"
#include "platform/web_browser.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStringDecoder>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace tessaloom {
namespace {

constexpr int kTopicRole = Qt::UserRole;

// Texts of a help file are UTF-8 when they were written so, else in a single-byte code page.
QString fromHelpText(const std::string& text)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QByteArray bytes = QByteArray::fromStdString(text);
    QString decoded = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : decoded;
}

std::vector<SitemapEntry> readSitemap(const ChmFile& file, const std::string& name)
{
    if (name.empty())
        return {};
    const std::optional<std::string> text = file.read(name);
    return text ? parseSitemap(*text) : std::vector<SitemapEntry>();
}

void addEntries(QTreeWidget* tree, QTreeWidgetItem* parent, const std::vector<SitemapEntry>& entries)
{
    for (const SitemapEntry& entry : entries) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, fromHelpText(entry.name));
        item->setData(0, kTopicRole, fromHelpText(entry.local));
        addEntries(tree, item, entry.children);
    }
}

// The topic of an address inside the help file: its path without the leading "/" and its
// anchor, if any.
QString topicOf(const QUrl& url)
{
    QString topic = url.path().mid(1);
    if (url.hasFragment())
        topic += QLatin1Char('#') + url.fragment();
    return topic;
}

bool sameFile(const QUrl& a, const QUrl& b)
{
    return a.path().compare(b.path(), Qt::CaseInsensitive) == 0;
}

} // namespace

HelpViewerWindow::HelpViewerWindow(WebBrowser& webBrowser)
    : QWidget(nullptr, Qt::Window)
    , webBrowser_(webBrowser)
    , tabs_(new QTabWidget)
    , contents_(new QTreeWidget)
    , keyword_(new QLineEdit)
    , index_(new QTreeWidget)
    , topic_(new ChmTextBrowser)
    , back_(new QToolButton)
    , forward_(new QToolButton)
    , home_(new QToolButton)
{
    // The game window alone decides when the program ends; an open help window must not keep
    // it running after the game window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(tr("Help"));
    resize(820, 580);

    contents_->setObjectName(QStringLiteral("contents"));
    contents_->setHeaderHidden(true);
    contents_->setUniformRowHeights(true);

    keyword_->setObjectName(QStringLiteral("keyword"));
    keyword_->setClearButtonEnabled(true);
    index_->setObjectName(QStringLiteral("index"));
    index_->setHeaderHidden(true);
    index_->setUniformRowHeights(true);
    index_->setRootIsDecorated(false);
    auto* keywordLabel = new QLabel(tr("&Type in the keyword to find:"));
    keywordLabel->setBuddy(keyword_);
    auto* display = new QPushButton(tr("&Display"));
    display->setObjectName(QStringLiteral("display"));

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(keywordLabel);
    indexLayout->addWidget(keyword_);
    indexLayout->addWidget(index_);
    indexLayout->addWidget(display, 0, Qt::AlignRight);

    tabs_->setObjectName(QStringLiteral("tabs"));
    tabs_->addTab(contents_, tr("&Contents"));
    tabs_->addTab(indexPage, tr("I&ndex"));

    topic_->setObjectName(QStringLiteral("topic"));

    back_->setText(tr("Back"));
    back_->setObjectName(QStringLiteral("back"));
    back_->setArrowType(Qt::LeftArrow);
    back_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    forward_->setText(tr("Forward"));
    forward_->setObjectName(QStringLiteral("forward"));
    forward_->setArrowType(Qt::RightArrow);
    forward_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    home_->setText(tr("Home"));
    home_->setObjectName(QStringLiteral("home"));
    home_->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
    home_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    for (QToolButton* button : {back_, forward_, home_})
        button->setAutoRaise(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(home_);
    buttons->addStretch();

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(tabs_);
    splitter->addWidget(topic_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({250, 570});
    splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    connect(contents_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { displayItem(item); });
    connect(contents_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { displayItem(item); });
    connect(index_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { displayItem(item); });
    connect(display, &QPushButton::clicked, this, [this] { displayItem(index_->currentItem()); });
    connect(keyword_, &QLineEdit::textChanged, this, &HelpViewerWindow::filterIndex);
    connect(keyword_, &QLineEdit::returnPressed, this, [this] { displayItem(index_->currentItem()); });
    connect(topic_, &QTextBrowser::anchorClicked, this, &HelpViewerWindow::followLink);
    connect(topic_, &QTextBrowser::sourceChanged, this, &HelpViewerWindow::selectContentsEntry);
    connect(topic_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(topic_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(back_, &QToolButton::clicked, topic_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, topic_, &QTextBrowser::forward);
    connect(home_, &QToolButton::clicked, this, [this] { showTopic(defaultTopic_); });
}

HelpViewerWindow::~HelpViewerWindow()
{
    // The pane is torn down after the file; it must not reach for the file meanwhile.
    topic_->setHelpFile(nullptr);
}

bool HelpViewerWindow::openFile(const QString& path)
{
    const QFileInfo info(path);
    if (helpFile_ && path == path_ && info.exists() && info.lastModified() == modified_ && info.size() == size_)
        return true;
    std::unique_ptr<ChmFile> file = ChmFile::open(QFile::encodeName(path).toStdString());
    if (!file)
        return false;

    // A new or changed file: nothing of the old one may stay in view or in the history.
    topic_->setHelpFile(file.get());
    topic_->clear();
    topic_->clearHistory();
    helpFile_ = std::move(file);
    path_ = path;
    modified_ = info.lastModified();
    size_ = info.size();
    reloadPending_ = true;

    const ChmSystemInfo system = helpFile_->systemInfo();
    setWindowTitle(system.title.empty() ? info.completeBaseName() : fromHelpText(system.title));
    defaultTopic_ = fromHelpText(system.defaultTopic);
    buildContents(readSitemap(*helpFile_, system.contentsFile));
    buildIndex(readSitemap(*helpFile_, system.indexFile));
    if (defaultTopic_.isEmpty() && contents_->topLevelItemCount() > 0)
        defaultTopic_ = contents_->topLevelItem(0)->data(0, kTopicRole).toString();
    return true;
}

void HelpViewerWindow::buildContents(const std::vector<SitemapEntry>& entries)
{
    contents_->clear();
    addEntries(contents_, nullptr, entries);
    // The first level open, as a reader expects a table of contents to be.
    for (int i = 0; i < contents_->topLevelItemCount(); ++i)
        contents_->topLevelItem(i)->setExpanded(true);
}

void HelpViewerWindow::buildIndex(const std::vector<SitemapEntry>& entries)
{
    index_->clear();
    addEntries(index_, nullptr, entries);
    index_->expandAll();
    filterIndex(keyword_->text());
}

void HelpViewerWindow::showTopic(const QString& topic)
{
    tabs_->setCurrentWidget(contents_);
    navigate(ChmTextBrowser::topicUrl(topic));
}

void HelpViewerWindow::showIndex(const QString& keyword)
{
    tabs_->setCurrentIndex(1);
    keyword_->setText(keyword);
    filterIndex(keyword);
    keyword_->setFocus(Qt::OtherFocusReason);
    // The pane is not left blank beside the index: the start page shows when nothing else does.
    if (topic_->document()->isEmpty() && !defaultTopic_.isEmpty())
        navigate(ChmTextBrowser::topicUrl(defaultTopic_));
}

QString HelpViewerWindow::currentTopic() const
{
    const QUrl source = topic_->source();
    return ChmTextBrowser::isInHelpFile(source) ? topicOf(source) : QString();
}

void HelpViewerWindow::navigate(const QUrl& url)
{
    if (!helpFile_)
        return;
    if (!helpFile_->contains(url.path().toStdString())) {
        topic_->setHtml(tr("<p>The topic <b>%1</b> is not in this help file.</p>").arg(topicOf(url).toHtmlEscaped()));
        return;
    }
    topic_->setSource(url);
    if (reloadPending_) {
        // The pane skips loading when the address is the one it showed from the old file.
        topic_->reload();
        reloadPending_ = false;
    }
}

void HelpViewerWindow::displayItem(QTreeWidgetItem* item)
{
    if (!item || item->isHidden())
        return;
    const QString topic = item->data(0, kTopicRole).toString();
    if (topic.isEmpty())
        return;
    navigate(ChmTextBrowser::topicUrl(topic));
}

void HelpViewerWindow::followLink(const QUrl& link)
{
    const QUrl target = topic_->source().resolved(link);
    if (ChmTextBrowser::isInHelpFile(target)) {
        navigate(target);
        return;
    }
    // Web and mail addresses go to the desktop; anything else (local files, scripts) is
    // not followed at all.
    const QString scheme = target.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto"))
        webBrowser_.openAddress(target.toString().toStdString());
}

void HelpViewerWindow::filterIndex(const QString& keyword)
{
    const QString wanted = keyword.trimmed();
    const auto matches = [&wanted](const QTreeWidgetItem* item) {
        return item->text(0).contains(wanted, Qt::CaseInsensitive);
    };
    QTreeWidgetItem* best = nullptr; // the first keyword that starts with the text
    QTreeWidgetItem* firstShown = nullptr;
    for (int i = 0; i < index_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = index_->topLevelItem(i);
        const bool itemMatches = matches(item);
        bool childMatches = false;
        for (int c = 0; c < item->childCount(); ++c) {
            QTreeWidgetItem* child = item->child(c);
            const bool shown = itemMatches || matches(child);
            child->setHidden(!shown);
            childMatches = childMatches || shown;
        }
        const bool shown = itemMatches || childMatches;
        item->setHidden(!shown);
        if (!shown)
            continue;
        if (!firstShown)
            firstShown = item;
        if (!best && item->text(0).startsWith(wanted, Qt::CaseInsensitive))
            best = item;
    }
    QTreeWidgetItem* current = best ? best : firstShown;
    index_->setCurrentItem(current);
    if (current)
        index_->scrollToItem(current, QAbstractItemView::PositionAtTop);
}

void HelpViewerWindow::selectContentsEntry(const QUrl& url)
{
    // The entry for exactly this place in the topic, else the one for the topic as a whole.
    QTreeWidgetItem* exact = nullptr;
    QTreeWidgetItem* page = nullptr;
    for (QTreeWidgetItemIterator it(contents_); *it && !exact; ++it) {
        const QUrl entry = ChmTextBrowser::topicUrl((*it)->data(0, kTopicRole).toString());
        if (!sameFile(entry, url))
            continue;
        if (entry.fragment() == url.fragment())
            exact = *it;
        else if (!page && !entry.hasFragment())
            page = *it;
    }
    QTreeWidgetItem* item = exact ? exact : page;
    if (!item)
        return;
    contents_->setCurrentItem(item);
    contents_->scrollToItem(item);
}

} // namespace tessaloom

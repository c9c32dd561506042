#include "help/qt/chm_text_browser.h"

#include "help/chm_file.h"

namespace tessaloom {

ChmTextBrowser::ChmTextBrowser(QWidget* parent)
    : QTextBrowser(parent)
{
    // Links are followed by the viewer, which keeps addresses outside the file away from the
    // pane.
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

QString ChmTextBrowser::scheme()
{
    return QStringLiteral("chm");
}

QUrl ChmTextBrowser::topicUrl(const QString& topic)
{
    const qsizetype hash = topic.indexOf(QLatin1Char('#'));
    QString path = hash < 0 ? topic : topic.left(hash);
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    QUrl url;
    url.setScheme(scheme());
    url.setPath(QLatin1Char('/') + path);
    if (hash >= 0)
        url.setFragment(topic.mid(hash + 1));
    return url;
}

bool ChmTextBrowser::isInHelpFile(const QUrl& url)
{
    return url.scheme() == scheme();
}

void ChmTextBrowser::setHelpFile(const ChmFile* helpFile)
{
    helpFile_ = helpFile;
}

void ChmTextBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type)
{
    loading_ = name;
    QTextBrowser::doSetSource(name, type);
    loading_ = QUrl();
}

QVariant ChmTextBrowser::loadResource(int /*type*/, const QUrl& name)
{
    const QUrl base = loading_.isValid() ? loading_ : source();
    const QUrl url = name.isRelative() ? base.resolved(name) : name;
    if (!helpFile_ || !isInHelpFile(url))
        return {};
    const std::optional<std::string> bytes = helpFile_->read(url.path().toStdString());
    if (!bytes)
        return {};
    return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
}

} // namespace tessaloom

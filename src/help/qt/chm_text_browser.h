#pragma once

#include <QTextBrowser>
#include <QUrl>

namespace tessaloom {

class ChmFile;

// The topic pane: shows the pages of a help file, with their pictures and style sheets read
// from the file itself. Addresses inside the file use the scheme "chm" ("chm:/Welcome.htm");
// nothing outside the file is ever loaded into the pane.
class ChmTextBrowser final : public QTextBrowser {
    Q_OBJECT
public:
    explicit ChmTextBrowser(QWidget* parent = nullptr);

    static QString scheme();
    // The address of a topic given as a path inside the file, with an optional "#anchor".
    static QUrl topicUrl(const QString& topic);
    static bool isInHelpFile(const QUrl& url);

    // The file stays owned by the caller, who must keep it until it is replaced here.
    void setHelpFile(const ChmFile* helpFile);

    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    const ChmFile* helpFile_ = nullptr;
    // The page being loaded, which its relative links are resolved against; source() still
    // names the previous page while the new one loads.
    QUrl loading_;
};

} // namespace tessaloom

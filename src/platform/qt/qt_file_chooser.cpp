#include "platform/qt/qt_file_chooser.h"

#include "platform/qt/window_placement.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace tessaloom {

QtFileChooser::QtFileChooser(QWidget* owner)
    : owner_(owner)
{
}

QString toQtFileFilter(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        // Qt takes the patterns from the parentheses at the end of the shown name, separated by
        // blanks; the semicolons of the original list would become part of each pattern.
        const qsizetype open = name.lastIndexOf(QLatin1Char('('));
        if (name.endsWith(QLatin1Char(')')) && open >= 0)
            name = name.left(open).trimmed();
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (!pattern.trimmed().isEmpty())
                patterns << pattern.trimmed();
        }
        if (patterns.isEmpty())
            continue;
        entries << QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' ')));
    }
    return entries.join(QStringLiteral(";;"));
}

std::optional<std::string> QtFileChooser::chooseFile(const std::string& filter)
{
    PlacedDialog<QFileDialog> dialog(owner_, QString(), QString(), toQtFileFilter(filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Modal over the picture dialog only, like every modal window of the program.
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdString();
}

} // namespace tessaloom

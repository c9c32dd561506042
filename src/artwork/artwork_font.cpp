#include "artwork/artwork_font.h"

#include <QFontInfo>

namespace tessaloom::artwork {

namespace {
const QString kFamily = QStringLiteral("Comic Neue");
}

QFont artworkFont(qreal pixelSize, int weight)
{
    QFont font(kFamily);
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

bool artworkFontInstalled()
{
    return QFontInfo(QFont(kFamily)).family() == kFamily;
}

} // namespace tessaloom::artwork

#include "Fonts.h"

#include <QFont>
#include <QStringList>

namespace kandorex {

void installFontFallbacks()
{
    // Windows, then the Debian packages the set-up installs (fonts-wqy-microhei,
    // fonts-arphic-ukai), then other common CJK families.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"),
                                QStringLiteral("WenQuanYi Micro Hei"),
                                QStringLiteral("Noto Sans CJK SC"), QStringLiteral("PingFang SC"),
                                QStringLiteral("Microsoft YaHei")});
    QFont::insertSubstitutions(QStringLiteral("楷体_GB2312"),
                               {QStringLiteral("KaiTi_GB2312"), QStringLiteral("KaiTi"),
                                QStringLiteral("AR PL UKai CN"), QStringLiteral("STKaiti"),
                                QStringLiteral("WenQuanYi Micro Hei")});
}

} // namespace kandorex

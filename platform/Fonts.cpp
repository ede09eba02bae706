#include "Fonts.h"

#include <QStringList>

QFont ProgramFont(int pixels, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Zen Hei"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

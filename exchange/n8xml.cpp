#include "exchange/n8xml.h"

namespace N8Xml {

QString characterData(const QString& value)
{
    QString text;
    text.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c.isHighSurrogate() && i + 1 < value.size() && value.at(i + 1).isLowSurrogate()) {
            text += c;
            text += value.at(++i);
            continue;
        }
        const ushort u = c.unicode();
        if (u == '&')
            text += QLatin1String("&amp;");
        else if (u == '<')
            text += QLatin1String("&lt;");
        else if ((u >= 0x20 || u == 0x9 || u == 0xA || u == 0xD) && !c.isSurrogate() && u != 0xFFFE && u != 0xFFFF)
            text += c;
    }
    return text;
}

} // namespace N8Xml

#include "sheets/sheethtml.h"

#include <QUrl>

namespace SheetHtml {

QString text(const QString& value)
{
    return value.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<BR>"));
}

QString imageSource(const QString& path)
{
    return QUrl::fromLocalFile(path).toString().toHtmlEscaped();
}

} // namespace SheetHtml

#include "sheets/sheethtml.h"

#include <QDateTime>
#include <QStringList>
#include <QUrl>

namespace SheetHtml {

QString text(const QString& value)
{
    return value.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<BR>"));
}

QString lines(const QString& joined)
{
    const QString br = QStringLiteral("<BR>");
    QStringList parts = joined.split(br);
    for (QString& part : parts)
        part = text(part);
    return parts.join(br);
}

QString imageSource(const QString& path)
{
    return QUrl::fromLocalFile(path).toString().toHtmlEscaped();
}

QString pageStart()
{
    return QStringLiteral("<HTML>") + QStringLiteral("<head>")
        + QStringLiteral("<meta http-equiv=\"Content-Language\" content=\"zh-cn\">")
        + QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">")
        + QStringLiteral("<title></title>") + QStringLiteral("</head>") + QStringLiteral("<body leftmargin=\"0\">")
        + QStringLiteral("<div align=\"center\">");
}

QString sheetStyles()
{
    QString out;
    out += QStringLiteral("<style type=\"text/css\">");
    out += QStringLiteral(".style1 {\tfont-size: 24px;\tfont-weight: bold;\tfont-family: \"微软雅黑\",\"Tahoma\";}");
    out += QStringLiteral("<!--");
    out += QStringLiteral(".style2 {\tfont-size: 16px;\tfont-weight: bold;\tfont-family: \"微软雅黑\",\"Tahoma\";}");
    out += QStringLiteral(".style4 {\tfont-size: 16px;\tfont-weight: bold;\tfont-family: \"黑体\",\"Tahoma\";}");
    out += QStringLiteral(".style3 {\tfont-size: 12px;\tfont-family: \"微软雅黑\",\"Tahoma\";}");
    out += QStringLiteral(".justify1 {\tdisplay:inline-block;\twidth:100%;;   overflow:hidden;}");
    out += QStringLiteral("body,td,th {\tfont-size: 14px;\tfont-family: \"微软雅黑\",\"Tahoma\";}");
    out += QStringLiteral("p { margin: 0px; padding: 0px;}");
    out += QStringLiteral("-->");
    out += thinBorders();
    out += QStringLiteral("</style>");
    return out;
}

QString thinBorders()
{
    return QStringLiteral(
               ".thinborder{border-collapse:collapse;border-spacing:0;border-left:1px solid #888;border-top:1px solid "
               "#000;}")
        + QStringLiteral(".td_thin{border-right:1px solid #000;border-bottom:1px solid #000;padding:5px 15px;}");
}

QString now()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

} // namespace SheetHtml

#include "tests/support/sheetpage.h"

#include "core/config.h"

#include <QProcess>
#include <QTest>
#include <QWidget>
#include <QRegularExpression>
#include <QUrl>

namespace SheetPage {

bool inOrder(const QString& page, const QStringList& fragments, QString* missing)
{
    int at = 0;
    for (const QString& fragment : fragments) {
        const int found = page.indexOf(fragment, at);
        if (found < 0) {
            *missing = fragment;
            return false;
        }
        at = found + fragment.size();
    }
    return true;
}

QStringList imageFiles(const QString& page)
{
    QStringList out;
    static const QRegularExpression source(QStringLiteral("src=\"([^\"]*)\""));
    auto it = source.globalMatch(page);
    while (it.hasNext()) {
        QString value = it.next().captured(1);
        value.replace(QLatin1String("&quot;"), QLatin1String("\"")).replace(QLatin1String("&amp;"), QLatin1String("&"));
        out << QUrl(value).toLocalFile();
    }
    return out;
}

QString run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QList<PdfWord> pdfWords(const QString& pdf)
{
    QList<PdfWord> out;
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    int page = 0;
    for (const QString& line : run(QStringLiteral("pdftotext"), {"-bbox", "-enc", "UTF-8", pdf, "-"}).split('\n')) {
        if (line.trimmed().startsWith(QLatin1String("<page ")))
            ++page;
        const QRegularExpressionMatch m = word.match(line);
        if (!m.hasMatch())
            continue;
        PdfWord w;
        w.page = page;
        w.box = QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
            QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        w.text = m.captured(5)
                     .replace(QLatin1String("&lt;"), QLatin1String("<"))
                     .replace(QLatin1String("&gt;"), QLatin1String(">"))
                     .replace(QLatin1String("&quot;"), QLatin1String("\""))
                     .replace(QLatin1String("&amp;"), QLatin1String("&"));
        out << w;
    }
    return out;
}

void setOrderKeys()
{
    Config::order_id = QStringLiteral("1001");
    Config::shop_id = QStringLiteral("7");
    Config::super_id = QStringLiteral("3");
    Config::order_sample_infoid = QStringLiteral("55");
}

bool waitForTitle(QWidget* window, const QString& title)
{
    return QTest::qWaitFor([window, &title] { return window->windowTitle() == title; }, 30000);
}

} // namespace SheetPage

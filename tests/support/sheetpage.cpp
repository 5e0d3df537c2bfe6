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

void setOrderKeys()
{
    Config::order_id = QStringLiteral("1001");
    Config::shop_id = QStringLiteral("7");
    Config::super_id = QStringLiteral("3");
    Config::order_sample_infoid = QStringLiteral("55");
}

bool waitForTitle(QWidget* window, const QString& title)
{
    return QTest::qWaitFor([window, &title] { return window->windowTitle() == title; }, 20000);
}

} // namespace SheetPage

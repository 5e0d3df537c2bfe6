// Times the order search with a large result: N orders (5,000 by default) answered by an
// in-process back-end stand-in. For each of 7 runs: from the click on "检索" (shop switch,
// then order query) to the table holding every row and painted once; the longest gap between
// ticks of a 2 ms timer on the GUI thread meanwhile; and the table's rebuild alone
// (`refreshOrderList` plus one paint); and the parse of the reply's JSON alone. Prints the
// medians in ms.
// Usage: orderlistbench [N]

#include "core/config.h"
#include "bench/benchsupport.h"
#include "core/prompt.h"
#include "order/searchorder.h"
#include "standin/standinserver.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

namespace {

QJsonObject orderReply(int count)
{
    QJsonArray orders;
    for (int i = 0; i < count; ++i) {
        const QString key = QStringLiteral("K-%1").arg(i, 5, 10, QLatin1Char('0'));
        orders.append(QJsonObject {{"islock", i % 7 ? "0" : "1"}, {"order_photo_id", "p-" + key},
            {"orderid", "o-" + key}, {"servicetimes", "1"}, {"storesname", "旗舰店"}, {"bname", "李明"},
            {"wname", "王芳"}, {"mphone", "13800001001"}, {"comboid", "套系A"}, {"order_price", "6999.00"},
            {"role1", "摄影"}, {"role2", "化妆"}, {"orderpayforkey", key}, {"sampledate", "2026-03-05"},
            {"sampletime", "上午"}, {"role12", "选片师"}, {"order_sample_infoid", "s-" + key}});
    }
    return {{"code", "1"}, {"message", ""}, {"order", orders}, {"iscomboname", "1"}, {"iscomboprice", "1"},
        {"photo_sort", "1"}};
}

} // namespace

int main(int argc, char** argv)
{
    Bench::prepareProcess();
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int n = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5000;

    QTemporaryDir temporary;
    StandInServer server;
    const QString failed
        = temporary.isValid() ? Bench::startStandIn(server, temporary.path()) : QStringLiteral("no temporary folder");
    if (!failed.isEmpty()) {
        out << failed << "\n";
        return 1;
    }
    const QJsonObject reply = orderReply(n);
    const QByteArray replyBytes = QJsonDocument(reply).toJson(QJsonDocument::Compact);
    server.setReply(QStringLiteral("order"), QStringLiteral("ordermessage"), StandInReply::json(reply));
    int boxes = 0;
    Prompt::setHandler([&boxes](const PromptCall&) {
        ++boxes;
        return QVariant();
    });
    Config::uid = QStringLiteral("8001");
    Config::names = QStringList {QStringLiteral("旗舰店")};
    Config::ids = QStringList {QStringLiteral("101")};
    Config::shop_id = QStringLiteral("101");

    QVector<double> whole, stalls, rebuild, parse;
    for (int run = 0; run < 7; ++run) {
        SearchOrder window;
        window.resize(1400, 800);
        window.show();
        QTableView* table = window.findChild<QTableView*>();
        QPushButton* search = window.findChild<QPushButton*>(QStringLiteral("searchButton"));

        QElapsedTimer clock;
        qint64 last = 0;
        qint64 longest = 0;
        QTimer tick;
        tick.setInterval(2);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, now - last);
            last = now;
        });
        clock.start();
        tick.start();
        search->click();
        if (!Bench::runUntil([&] { return table->model()->rowCount() == n && search->isEnabled(); }, 60000)) {
            out << "the search did not finish (" << boxes << " boxes)\n";
            return 1;
        }
        window.repaint();
        whole.append(clock.nsecsElapsed() / 1e6);
        QCoreApplication::processEvents();
        tick.stop();
        stalls.append(longest / 1e6);

        QElapsedTimer alone;
        alone.start();
        window.refreshOrderList();
        window.repaint();
        rebuild.append(alone.nsecsElapsed() / 1e6);

        QElapsedTimer parsing;
        parsing.start();
        const bool parsed = QJsonDocument::fromJson(replyBytes).isObject();
        parse.append(parsing.nsecsElapsed() / 1e6);
        if (!parsed)
            return 1;
    }
    out << QStringLiteral("%1 orders, median of 7 runs (ms)\n").arg(n);
    out << QStringLiteral("  whole search, click to table painted  %1\n").arg(Bench::median(whole), 9, 'f', 2);
    out << QStringLiteral("  longest GUI-thread stall              %1\n").arg(Bench::median(stalls), 9, 'f', 2);
    out << QStringLiteral("  table rebuild and paint alone         %1\n").arg(Bench::median(rebuild), 9, 'f', 2);
    out << QStringLiteral("  parse of the reply alone              %1\n").arg(Bench::median(parse), 9, 'f', 2);
    return 0;
}

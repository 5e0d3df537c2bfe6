#include "core/config.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/windowposts.h"
#include "tools/addtrimdlg.h"
#include "tools/cutsizelist.h"
#include "tools/trimdlg.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(StandInReply)

namespace {

QStringList rows(const TrimDlg& chooser)
{
    QStringList out;
    const QListWidget* list = chooser.findChild<QListWidget*>(QStringLiteral("listWidget"));
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QJsonObject sizesReply(const QJsonArray& sizes)
{
    return QJsonObject {{"code", "1"}, {"message", "查询成功"}, {"cutsizes", sizes}};
}

QJsonObject size(const QJsonValue& type, const QJsonValue& width, const QJsonValue& height)
{
    QJsonObject s {{"width", width}, {"height", height}};
    if (!type.isUndefined())
        s.insert(QStringLiteral("type"), type);
    return s;
}

// The chooser's signals as one ordered log.
struct SignalLog
{
    QStringList entries;
    void watch(TrimDlg* chooser)
    {
        QObject::connect(chooser, &TrimDlg::SendSelectedrcPara, [this](int w, int h, bool t) {
            entries << QStringLiteral("size %1 %2 %3").arg(w).arg(h).arg(t ? "ellipse" : "rect");
        });
        QObject::connect(chooser, &TrimDlg::cancelEditPhoto, [this] { entries << QStringLiteral("cancel"); });
    }
};

void clickRow(TrimDlg& chooser, int row, bool twice = false)
{
    QListWidget* list = chooser.findChild<QListWidget*>(QStringLiteral("listWidget"));
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace

class TestTrimDlg : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestBackend> backend;

    // A chooser whose size request has been answered.
    std::unique_ptr<TrimDlg> openChooser(int expectedRows)
    {
        const int before = backend->server().requestsTo("systemset", "getcutsize").size();
        auto chooser = std::make_unique<TrimDlg>();
        if (!QTest::qWaitFor(
                [&] { return backend->server().requestsTo("systemset", "getcutsize").size() > before; }, 30000))
            return nullptr;
        if (!QTest::qWaitFor([&] { return rows(*chooser).size() == expectedRows; }, 30000))
            return nullptr;
        return chooser;
    }

private slots:
    void initTestCase()
    {
        backend = std::make_unique<TestBackend>();
        QVERIFY(backend->isReady());
        Config::shop_id = QStringLiteral("3");
        Config::super_id = QStringLiteral("28");
    }

    void init() { backend->reset(); }

    // Every widget of the chooser sits where its form puts it.
    void formPlacesItsWidgets_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("caption") << "label" << QRect(11, 11, 96, 16);
        QTest::newRow("list") << "listWidget" << QRect(10, 30, 181, 241);
        QTest::newRow("新增") << "AddButton" << QRect(10, 280, 75, 23);
        QTest::newRow("删除") << "DeleteButton" << QRect(120, 280, 75, 23);
        QTest::newRow("确定") << "OKSELECTEBUTTON" << QRect(200, 30, 75, 23);
        QTest::newRow("取消裁剪") << "CANCELBUTTON" << QRect(200, 60, 75, 23);
    }

    void formPlacesItsWidgets()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        TrimDlg chooser;
        const QWidget* widget = chooser.findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
    }

    void sizesFromReply_data()
    {
        QTest::addColumn<QJsonObject>("reply");
        QTest::addColumn<QList<int>>("expected"); // width, height, ellipse per size
        QTest::addColumn<QString>("error");
        QTest::newRow("numbers as strings")
            << sizesReply({size("0", "5", "7"), size("1", "8", "10")}) << QList<int> {5, 7, 0, 8, 10, 1} << QString();
        QTest::newRow("numbers as numbers")
            << sizesReply({size("0", 6, 8), size("0", 12.0, "10")}) << QList<int> {6, 8, 0, 12, 10, 0} << QString();
        QTest::newRow("type missing or unknown is an ellipse")
            << sizesReply({size(QJsonValue::Undefined, "1", "1"), size("2", "3", "4"), size(0, "3", "4")})
            << QList<int> {1, 1, 1, 3, 4, 1, 3, 4, 1} << QString();
        QTest::newRow("a side that is no number > 0 is left out") << sizesReply({size("0", "abc", "7"),
            size("0", "0", "7"), size("0", "5", -3), size("0", 2.5, "3"), size("0", "99999999999", "3"),
            size("0", 1e300, "3"), size("0", QJsonValue::Null, "3"), size("0", "4", "6")})
                                                                  << QList<int> {4, 6, 0} << QString();
        QTest::newRow("empty list") << sizesReply({}) << QList<int> {} << QString();
        QTest::newRow("no list") << QJsonObject {{"code", "1"}} << QList<int> {} << QString();
        QTest::newRow("elements not objects") << sizesReply({1, "x", QJsonArray()}) << QList<int> {} << QString();
        QTest::newRow("code 0") << QJsonObject {{"code", "0"}, {"message", "店铺不存在"}} << QList<int> {}
                                << QStringLiteral("店铺不存在");
        QTest::newRow("code as number") << QJsonObject {{"code", 1}, {"message", "x"}, {"cutsizes", QJsonArray()}}
                                        << QList<int> {} << QStringLiteral("x");
    }

    void sizesFromReply()
    {
        QFETCH(QJsonObject, reply);
        QFETCH(QList<int>, expected);
        QFETCH(QString, error);
        const CutSizeList list = CutSizeList::fromReply(reply);
        QCOMPARE(list.isError, !error.isEmpty());
        QCOMPARE(list.error, error);
        QList<int> got;
        for (const Rcpara& s : list.sizes)
            got << s.width << s.height << int(s.type);
        QCOMPARE(got, expected);
    }

    void fetchesTheShopsSizesOnce()
    {
        auto chooser = openChooser(7);
        QVERIFY(chooser);
        QCOMPARE(chooser->windowTitle(), QStringLiteral("选择裁剪框"));
        QCOMPARE(chooser->windowType(), Qt::Dialog);
        QCOMPARE(rows(*chooser).first(), QStringLiteral("矩形：宽5/高7"));
        QCOMPARE(rows(*chooser).at(5), QStringLiteral("圆形：宽1/高1"));
        const QList<StandInRequest> posts = backend->server().requestsTo("systemset", "getcutsize");
        QCOMPARE(posts.size(), 1);
        QCOMPARE(posts.first().keys(), (QStringList {"token", "shopid", "superid"}));
        QCOMPARE(posts.first().value("shopid"), QStringLiteral("3"));
        QCOMPARE(posts.first().value("superid"), QStringLiteral("28"));
        chooser->show();
        chooser->hide();
        chooser->show();
        QTest::qWait(50);
        QCOMPARE(backend->server().requestsTo("systemset", "getcutsize").size(), 1);
    }

    void failedFetchLeavesTheListEmpty_data()
    {
        QTest::addColumn<StandInReply>("reply");
        QTest::addColumn<QString>("box"); // empty: no box
        QTest::newRow("http error") << StandInReply::httpStatus(502) << QStringLiteral("网络请求错误\n502");
        QTest::newRow("code 0") << StandInReply::json(QJsonObject {{"code", "0"}, {"message", "未登录"}})
                                << QStringLiteral("查询裁剪信息错误：未登录");
        QTest::newRow("not json") << StandInReply::raw("<html>busy</html>") << QString();
        QTest::newRow("not an object") << StandInReply::json(QJsonArray {1, 2}) << QString();
    }

    void failedFetchLeavesTheListEmpty()
    {
        QFETCH(StandInReply, reply);
        QFETCH(QString, box);
        PromptRecorder prompts;
        backend->server().setReply("systemset", "getcutsize", reply);
        TrimDlg chooser;
        QVERIFY(backend.get()->waitForRequests(1));
        QVERIFY(postsAnswered(&chooser));
        if (box.isEmpty()) {
            QCOMPARE(prompts.count(), 0);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(prompts.count(), 1, 30000);
            QVERIFY(prompts.contains(QStringLiteral("警告"), box));
        }
        QVERIFY(rows(chooser).isEmpty());
    }

    void rowsSendTheirSizeAndCancelSendsBothSignalsInOrder()
    {
        auto chooser = openChooser(7);
        QVERIFY(chooser);
        SignalLog log;
        log.watch(chooser.get());
        chooser->show();
        QVERIFY(QTest::qWaitForWindowExposed(chooser.get()));

        clickRow(*chooser, 0);
        clickRow(*chooser, 3);
        clickRow(*chooser, 6);
        QCOMPARE(log.entries, (QStringList {"size 5 7 rect", "size 12 10 rect", "size 8 10 ellipse"}));
        QVERIFY(chooser->isVisible());

        // "确定" and Return only close.
        QTest::keyClick(chooser.get(), Qt::Key_Return);
        QVERIFY(!chooser->isVisible());
        chooser->show();
        chooser->findChild<QPushButton*>("OKSELECTEBUTTON")->click();
        QVERIFY(!chooser->isVisible());
        QCOMPARE(log.entries.size(), 3);

        log.entries.clear();
        chooser->show();
        chooser->findChild<QPushButton*>("CANCELBUTTON")->click();
        QCOMPARE(log.entries, (QStringList {"size 0 0 ellipse", "cancel"}));
        QVERIFY(!chooser->isVisible());

        log.entries.clear();
        chooser->show();
        QVERIFY(QTest::qWaitForWindowExposed(chooser.get()));
        clickRow(*chooser, 1, true);
        QCOMPARE(log.entries.last(), QStringLiteral("size 6 8 rect"));
        QVERIFY(!chooser->isVisible());
    }

    void addedAndDeletedSizesKeepRowsInStep()
    {
        // The reply is held so that a size is added before the shop's sizes arrive.
        backend->server().setReply("systemset", "getcutsize",
            StandInReply::json(sizesReply({size("0", "5", "7"), size("1", "8", "10"), size("0", "6", "8")})).held());
        TrimDlg chooser;
        QTRY_COMPARE_WITH_TIMEOUT(backend->server().heldCount(), 1, 30000);

        Prompt::Handler previous = Prompt::currentHandler();
        QStringList typed = {"3", "2"};
        Prompt::setHandler([&](const PromptCall& call) -> QVariant {
            AddTrimDlg* add = chooser.findChild<AddTrimDlg*>();
            if (call.kind != PromptCall::ExecDialog || !add)
                return QVariant();
            add->findChild<QComboBox*>("comboBox")->setCurrentIndex(1);
            add->findChild<QLineEdit*>("widthEdit")->setText(typed.value(0));
            add->findChild<QLineEdit*>("heightEdit")->setText(typed.value(1));
            add->findChild<QPushButton*>("AddrcButton")->click();
            return int(QDialog::Accepted);
        });
        chooser.findChild<QPushButton*>("AddButton")->click();
        Prompt::setHandler(previous);
        QCOMPARE(rows(chooser), (QStringList {"圆形：宽3/高2"}));
        QVERIFY(!chooser.findChild<AddTrimDlg*>()); // gone once its loop ended

        backend->server().releaseHeld();
        QTRY_COMPARE_WITH_TIMEOUT(rows(chooser).size(), 4, 30000);
        QCOMPARE(rows(chooser), (QStringList {"圆形：宽3/高2", "矩形：宽5/高7", "圆形：宽8/高10", "矩形：宽6/高8"}));

        QListWidget* list = chooser.findChild<QListWidget*>("listWidget");
        list->setCurrentRow(-1);
        chooser.findChild<QPushButton*>("DeleteButton")->click();
        QCOMPARE(rows(chooser).size(), 4);

        list->setCurrentRow(1);
        chooser.findChild<QPushButton*>("DeleteButton")->click();
        QCOMPARE(rows(chooser), (QStringList {"圆形：宽3/高2", "圆形：宽8/高10", "矩形：宽6/高8"}));
        QCOMPARE(chooser.sizes().size(), 3);
        SignalLog log;
        log.watch(&chooser);
        for (int row = 0; row < 3; ++row)
            emit list->clicked(list->model()->index(row, 0));
        QCOMPARE(log.entries, (QStringList {"size 3 2 ellipse", "size 8 10 ellipse", "size 6 8 rect"}));
    }

    void addDialogRefusesSidesThatAreNotPositiveNumbers_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::newRow("width empty") << ""
                                     << "7";
        QTest::newRow("height empty") << "5"
                                      << "";
        QTest::newRow("letters") << "abc"
                                 << "7";
        QTest::newRow("zero") << "5"
                              << "0";
        QTest::newRow("negative") << "-5"
                                  << "7";
        QTest::newRow("too large") << "99999999999"
                                   << "7";
    }

    void addDialogRefusesSidesThatAreNotPositiveNumbers()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        PromptRecorder prompts;
        AddTrimDlg add;
        QCOMPARE(add.windowTitle(), QStringLiteral("添加裁剪框"));
        QSignalSpy sent(&add, &AddTrimDlg::SendrcPara);
        add.show();
        add.findChild<QLineEdit*>("widthEdit")->setText(width);
        add.findChild<QLineEdit*>("heightEdit")->setText(height);
        add.findChild<QPushButton*>("AddrcButton")->click();
        QCOMPARE(sent.count(), 0);
        QVERIFY(prompts.contains(QStringLiteral("警告"), QStringLiteral("缺少参数")));
        QVERIFY(add.isVisible());
    }

    void addDialogSendsTheSizeAndCloses_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<bool>("type");
        QTest::newRow("rectangle") << 0 << false;
        QTest::newRow("ellipse") << 1 << true;
    }

    void addDialogSendsTheSizeAndCloses()
    {
        QFETCH(int, shape);
        QFETCH(bool, type);
        AddTrimDlg add;
        QSignalSpy sent(&add, &AddTrimDlg::SendrcPara);
        add.show();
        add.findChild<QComboBox*>("comboBox")->setCurrentIndex(shape);
        add.findChild<QLineEdit*>("widthEdit")->setText(" 4");
        add.findChild<QLineEdit*>("heightEdit")->setText("6");
        add.findChild<QPushButton*>("AddrcButton")->click();
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.first(), (QList<QVariant> {4, 6, type}));
        QVERIFY(!add.isVisible());

        add.show();
        add.findChild<QPushButton*>("CancelButton")->click();
        QCOMPARE(sent.count(), 1);
        QVERIFY(!add.isVisible());
    }
};

QTEST_MAIN(TestTrimDlg)
#include "tst_trimdlg.moc"

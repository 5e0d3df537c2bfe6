#include "core/config.h"
#include "productchanges/addnewproducts.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/productpanel.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/windowposts.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

namespace {

QJsonObject good(const QString& id, const QString& stock, const QJsonArray& children = QJsonArray())
{
    QJsonObject entry {{"id", id}, {"goodnumber", "N-" + id}, {"goodname", "产品" + id}, {"goodtype", "相册"},
        {"factorykeyx", "F-" + id}, {"stock", stock}, {"isexist", children.isEmpty() ? "0" : "1"}};
    if (!children.isEmpty())
        entry.insert("son_good", children);
    return entry;
}

QJsonObject searchReply(const QJsonArray& goods, const QString& isstock = QStringLiteral("1"), int totalPage = 3)
{
    return QJsonObject {{"code", "1"}, {"message", "查询成功"}, {"isstock", isstock}, {"total_page", totalPage},
        {"goodtype",
            QJsonArray {QJsonObject {{"id", "11"}, {"name", "相册"}}, QJsonObject {{"id", "12"}, {"name", "相框"}}}},
        {"goods", goods}};
}

} // namespace

class TestAddNewProducts : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    QPointer<AddNewProducts> m_window;

    // A window whose first search has been answered.
    AddNewProducts* openWindow()
    {
        m_window = new AddNewProducts(nullptr);
        m_window->show();
        [&] { QVERIFY(postsAnswered(m_window)); }();
        return m_window;
    }

    template <typename T> T* child(const char* name) { return m_window->findChild<T*>(QLatin1String(name)); }
    QTableWidget* table() { return child<QTableWidget>("tableWidget"); }
    QString status() { return child<QLabel>("lb_message")->text(); }
    QPushButton* addButton(int row) { return qobject_cast<QPushButton*>(table()->cellWidget(row, 5)); }
    QList<StandInRequest> searches() { return m_backend->requestsTo("order", "searchgood"); }
    QList<StandInRequest> adds() { return m_backend->requestsTo("order", "addgoods_post"); }

    QStringList column(int index)
    {
        QStringList out;
        for (int row = 0; row < table()->rowCount(); ++row)
            out << (table()->item(row, index) ? table()->item(row, index)->text() : QStringLiteral("-"));
        return out;
    }

    // Clicks "添加" of row and waits for the add to reach the stand-in.
    void add(int row, int postsBefore)
    {
        QVERIFY(addButton(row));
        addButton(row)->click();
        QVERIFY(m_backend.waitForRequests(m_backend->requests().size() + 1));
        QCOMPARE(adds().size(), postsBefore + 1);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        useTestOrder();
        Config::orderOneId = QStringLiteral("9001");
    }

    void init() { m_backend.reset(); }

    void cleanup()
    {
        m_backend->releaseHeld();
        delete m_window;
    }

    // The stand-in's catalogue: the package is followed by its two sub-products; the album out of stock has no
    // "添加" while the shop keeps stock.
    void firstSearchFillsTheTable()
    {
        PromptRecorder prompts;
        openWindow();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("新增产品"));
        QCOMPARE(searches().size(), 1);
        const StandInRequest search = searches().first();
        QCOMPARE(search.keys(),
            QStringList({"token", "shopid", "companyid", "page", "page_number", "goodtypeid", "order_photo_id",
                "orderid", "searchtype", "keyword"}));
        QVERIFY(search.body.startsWith("token="));
        QVERIFY(search.body.contains("&goodtypeid=&") && search.body.endsWith("&keyword="));
        QCOMPARE(search.value("page"), QStringLiteral("1"));
        QCOMPARE(search.value("page_number"), QStringLiteral("20"));
        QCOMPARE(search.value("searchtype"), QStringLiteral("1"));
        QCOMPARE(search.value("orderid"), QStringLiteral("9001"));

        QCOMPARE(column(0), QStringList({"XC-12", "XC-16", "XK-24", "TX-Q", "BT-7", "XC-10"}));
        QCOMPARE(column(3).at(2), QStringLiteral("MY-2401"));
        QCOMPARE(column(4).at(1), QStringLiteral("0"));
        QVERIFY(addButton(0) && !addButton(1) && addButton(3) && addButton(4));
        QCOMPARE(table()->horizontalHeaderItem(5)->text(), QStringLiteral("操作"));
        QCOMPARE(child<QLabel>("lb_allpage")->text(), QStringLiteral("/1"));
        QListWidget* strip = child<QListWidget>("typeListWidget");
        QCOMPARE(strip->count(), 5);
        QCOMPARE(strip->currentItem()->text(), QStringLiteral("全部"));
        QVERIFY(strip->currentItem()->isSelected());
        QCOMPARE(prompts.count(), 0);
    }

    void stockRule_data()
    {
        QTest::addColumn<QString>("isstock");
        QTest::addColumn<QString>("stock");
        QTest::addColumn<bool>("hasButton");
        QTest::newRow("stock kept, none left") << "1"
                                               << "0" << false;
        QTest::newRow("stock not kept") << "0"
                                        << "0" << true;
        QTest::newRow("double zero") << "1"
                                     << "00" << true;
        QTest::newRow("empty stock") << "1"
                                     << "" << true;
    }

    void stockRule()
    {
        QFETCH(QString, isstock);
        QFETCH(QString, stock);
        m_backend->setReply("order", "searchgood", StandInReply::json(searchReply({good("5", stock)}, isstock)));
        openWindow();
        QCOMPARE(table()->rowCount(), 1);
        QTEST(addButton(0) != nullptr, "hasButton");
    }

    // Whatever row is added, its catalogue id goes out as a one-string JSON array.
    void addPostsTheCatalogueId_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("ids");
        QTest::addColumn<QString>("name");
        QTest::newRow("catalogue product") << 0 << "[\"1201\"]"
                                           << "12寸水晶相册";
        QTest::newRow("sub-product of a package") << 5 << "[\"1203\"]"
                                                  << "10寸宝宝相册";
    }

    void addPostsTheCatalogueId()
    {
        QFETCH(int, row);
        QFETCH(QString, name);
        openWindow();
        add(row, 0);
        const StandInRequest post = adds().first();
        QCOMPARE(post.keys(),
            QStringList(
                {"token", "order_photo_id", "order_sample_infoid", "uid", "shopid", "ids", "companyid", "ispage"}));
        QTEST(post.value("ids"), "ids");
        QCOMPARE(post.value("uid"), QStringLiteral("501"));
        QCOMPARE(post.value("order_sample_infoid"), QStringLiteral("30001"));
        QCOMPARE(post.value("ispage"), QStringLiteral("1"));
        QCOMPARE(status(), QStringLiteral("提交中..."));
        QVERIFY(postsAnswered(m_window));
        QCOMPARE(status(), name + QStringLiteral(" 提交成功..."));
    }

    // An id with a quote or a backslash stays one string of the array.
    void oddIdStaysOneString()
    {
        const QString id = QStringLiteral("7\"],[\"8\\");
        m_backend->setReply("order", "searchgood", StandInReply::json(searchReply({good(id, "3")})));
        openWindow();
        add(0, 0);
        const QJsonArray ids = QJsonDocument::fromJson(adds().first().value("ids").toUtf8()).array();
        QCOMPARE(ids, QJsonArray {id});
    }

    // Every kind of reply ends the pending add: the status says how it went and the next add posts.
    void addReplyEndsThePendingAdd_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("accepted") << Failure::None << QJsonObject {{"code", "1"}, {"message", "ok"}}
                                  << "12寸水晶相册 提交成功..." << QStringList();
        QTest::newRow("refused") << Failure::None << QJsonObject {{"code", "0"}, {"message", "库存不足"}}
                                 << "12寸水晶相册  库存不足" << QStringList {"警告: 提交错误：库存不足"};
        QTest::newRow("http error") << Failure::HttpStatus << QJsonObject() << "12寸水晶相册 提交失败..."
                                    << QStringList {"警告: 网络请求错误\n500"};
        QTest::newRow("not json") << Failure::NotJson << QJsonObject() << "12寸水晶相册 提交失败..." << QStringList();
        QTest::newRow("array") << Failure::Array << QJsonObject() << "12寸水晶相册 提交失败..." << QStringList();
    }

    void addReplyEndsThePendingAdd()
    {
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(QStringList, boxes);
        PromptRecorder prompts;
        openWindow();
        scriptEndpoint(m_backend, "order", "addgoods_post", failure, answer);
        add(0, 0);
        QVERIFY(postsAnswered(m_window));
        QTEST(status(), "status");
        QStringList shown;
        for (const PromptCall& call : prompts.calls()) {
            shown << call.title + QStringLiteral(": ") + call.text;
            QCOMPARE(call.buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        }
        QCOMPARE(shown, boxes);
        m_backend->clearScripts();
        add(2, 1);
        QCOMPARE(adds().last().value("ids"), QStringLiteral("[\"1301\"]"));
        QVERIFY(postsAnswered(m_window));
        QCOMPARE(status(), QStringLiteral("24寸油画相框 提交成功..."));
    }

    void secondAddWhilePendingDoesNothing()
    {
        openWindow();
        scriptEndpoint(m_backend, "order", "addgoods_post", Failure::Held, QJsonObject {{"code", "1"}});
        add(0, 0);
        QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
        addButton(2)->click();
        addButton(0)->click();
        QTest::qWait(50);
        QCOMPARE(adds().size(), 1);
        QCOMPARE(status(), QStringLiteral("提交中..."));
        m_backend->releaseHeld();
        QVERIFY(postsAnswered(m_window));
        QCOMPARE(status(), QStringLiteral("12寸水晶相册 提交成功..."));
    }

    void paging_data()
    {
        QTest::addColumn<int>("totalPage");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("page");
        QTest::newRow("first") << 3 << "2"
                               << "pb_firstpage"
                               << "1";
        QTest::newRow("previous") << 3 << "3"
                                  << "pb_prepage"
                                  << "2";
        QTest::newRow("previous on the first") << 3 << "1"
                                               << "pb_prepage"
                                               << "1";
        QTest::newRow("next") << 3 << "2"
                              << "pb_nextpage"
                              << "3";
        QTest::newRow("next on the last wraps") << 3 << "3"
                                                << "pb_nextpage"
                                                << "1";
        QTest::newRow("last") << 3 << "1"
                              << "pb_lastpage"
                              << "3";
        QTest::newRow("next without pages") << 0 << "1"
                                            << "pb_nextpage"
                                            << "1";
        QTest::newRow("last without pages") << 0 << "1"
                                            << "pb_lastpage"
                                            << "0";
    }

    void paging()
    {
        QFETCH(int, totalPage);
        QFETCH(QString, start);
        QFETCH(QString, button);
        m_backend->setReply(
            "order", "searchgood", StandInReply::json(searchReply({good("5", "1")}, QStringLiteral("1"), totalPage)));
        openWindow();
        QCOMPARE(child<QLabel>("lb_allpage")->text(), QLatin1Char('/') + QString::number(totalPage));
        child<QLineEdit>("le_numpage")->setText(start);
        child<QPushButton>(button.toLatin1().constData())->click();
        QVERIFY(postsAnswered(m_window));
        QCOMPARE(searches().size(), 2);
        QTEST(searches().last().value("page"), "page");
        QTEST(child<QLineEdit>("le_numpage")->text(), "page");
    }

    // A type, a keyword and the number search keep the page that the pager shows.
    void typeAndKeywordFilter()
    {
        openWindow();
        child<QLineEdit>("le_numpage")->setText(QStringLiteral("2"));
        child<QComboBox>("comboBox")->setCurrentIndex(1);
        child<QLineEdit>("lineEdit")->setText(QStringLiteral("XK"));
        QListWidget* strip = child<QListWidget>("typeListWidget");
        m_window->typeItemClicked(strip->model()->index(2, 0));
        QVERIFY(postsAnswered(m_window));
        const StandInRequest search = searches().last();
        QCOMPARE(search.value("goodtypeid"), QStringLiteral("12"));
        QCOMPARE(search.value("page"), QStringLiteral("2"));
        QCOMPARE(search.value("searchtype"), QStringLiteral("2"));
        QCOMPARE(search.value("keyword"), QStringLiteral("XK"));
        QCOMPARE(strip->currentItem()->text(), QStringLiteral("相框"));
        QVERIFY(strip->currentItem()->isSelected());
    }

    void emptyResultLeavesBlankRows()
    {
        PromptRecorder prompts;
        openWindow();
        QCOMPARE(table()->rowCount(), 6);
        m_backend->setReply("order", "searchgood", StandInReply::json(searchReply({})));
        m_window->clickSearch();
        QVERIFY(postsAnswered(m_window));
        QCOMPARE(table()->rowCount(), 6);
        QCOMPARE(column(0), QStringList({"-", "-", "-", "-", "-", "-"}));
        for (int row = 0; row < 6; ++row)
            QVERIFY(!addButton(row));
        QCOMPARE(table()->horizontalHeaderItem(0)->text(), QStringLiteral("编号"));
        QVERIFY(prompts.contains(QStringLiteral("提示"), QStringLiteral("没有查询到任何产品")));
    }

    // A refused or unreadable search leaves the table as it was.
    void failedSearchKeepsTheTable_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("refused") << Failure::None << QStringList {"查询错误：页码错误"};
        QTest::newRow("http error") << Failure::HttpStatus << QStringList {"网络请求错误\n500"};
        QTest::newRow("not json") << Failure::NotJson << QStringList();
    }

    void failedSearchKeepsTheTable()
    {
        QFETCH(Failure, failure);
        PromptRecorder prompts;
        openWindow();
        scriptEndpoint(m_backend, "order", "searchgood", failure, QJsonObject {{"code", "0"}, {"message", "页码错误"}});
        m_window->clickSearch();
        QVERIFY(postsAnswered(m_window));
        QTEST(prompts.texts(), "boxes");
        QCOMPARE(table()->rowCount(), 6);
        QCOMPARE(column(1).first(), QStringLiteral("12寸水晶相册"));
        QVERIFY(addButton(0));
    }

    // A reply that is not what a search returns never crashes and reads as nothing found.
    void oddSearchReply()
    {
        PromptRecorder prompts;
        m_backend->setReply("order", "searchgood",
            StandInReply::json(QJsonObject {{"code", "1"}, {"total_page", 1e300}, {"goodtype", "x"},
                {"goods", QJsonArray {1, QJsonObject {{"id", 4}, {"isexist", "1"}, {"son_good", 7}}}}}));
        openWindow();
        QCOMPARE(child<QLabel>("lb_allpage")->text(), QStringLiteral("/0"));
        QCOMPARE(child<QListWidget>("typeListWidget")->count(), 1);
        QCOMPARE(table()->rowCount(), 2);
        QCOMPARE(prompts.count(), 0);
    }

    void closingEmitsRefresh()
    {
        openWindow();
        QSignalSpy refresh(m_window.data(), &AddNewProducts::refreshNewProducts);
        child<QPushButton>("submitButton")->click();
        QCOMPARE(refresh.size(), 1);
        QVERIFY(!m_window->isVisible());
        m_window->show();
        m_window->close();
        QCOMPARE(refresh.size(), 2);
        QVERIFY(adds().isEmpty());
    }
};

QTEST_MAIN(TestAddNewProducts)
#include "tst_addnewproducts.moc"

#include "core/config.h"
#include "photostore/productdata.h"
#include "productchanges/replaceoldproduct.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/productpanel.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/windowposts.h"

#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

class TestReplaceOldProduct : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    QPointer<ReplaceOldProduct> m_dialog;

    ReplaceOldProduct* openDialog()
    {
        m_dialog = new ReplaceOldProduct(nullptr);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        m_dialog->setModal(true);
        m_dialog->show();
        return m_dialog;
    }

    template <typename T> T* child(const char* name) { return m_dialog->findChild<T*>(QLatin1String(name)); }
    QTableWidget* table() { return child<QTableWidget>("tableWidget"); }
    QList<StandInRequest> searches() { return m_backend->requestsTo("order", "searchgood"); }
    QList<StandInRequest> replaces() { return m_backend->requestsTo("order", "replacegood"); }

    // A dialog showing the stand-in's catalogue.
    void search(const QString& keyword = QStringLiteral("相"))
    {
        child<QLineEdit>("lineEdit")->setText(keyword);
        child<QPushButton>("searchButton")->click();
        QVERIFY(postsAnswered(m_dialog));
    }

    void choose(int row)
    {
        table()->setCurrentCell(row, 1);
        table()->selectRow(row);
    }

    void submit(int postsBefore)
    {
        child<QPushButton>("submitButton")->click();
        QVERIFY(waitUntil([&] { return replaces().size() == postsBefore + 1; }));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        useTestOrder();
        Config::orderOneId = QStringLiteral("9001");
        ProductData::oid = QStringLiteral("80012");
    }

    void init() { m_backend.reset(); }

    void cleanup()
    {
        m_backend->releaseHeld();
        delete m_dialog;
    }

    // Nothing is posted until the operator searches; a package of the catalogue is one row.
    void searchFillsTheTable()
    {
        PromptRecorder prompts;
        openDialog();
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("替换产品"));
        QTest::qWait(20);
        QVERIFY(m_backend->requests().isEmpty());
        QCOMPARE(table()->columnCount(), 5);
        QCOMPARE(table()->rowCount(), 0);
        child<QComboBox>("comboBox")->setCurrentIndex(1);
        search(QStringLiteral("  "));
        const StandInRequest post = searches().first();
        QCOMPARE(post.keys(),
            QStringList({"token", "shopid", "companyid", "order_photo_id", "orderid", "searchtype", "keyword"}));
        QCOMPARE(post.value("searchtype"), QStringLiteral("2"));
        QCOMPARE(post.value("keyword"), QStringLiteral("  "));
        QCOMPARE(table()->rowCount(), 4);
        QCOMPARE(table()->item(3, 1)->text(), QStringLiteral("亲子纪念套系"));
        QCOMPARE(table()->item(2, 3)->text(), QStringLiteral("美印工厂"));
        QCOMPARE(table()->item(0, 4)->text(), QStringLiteral("12寸"));
        QCOMPARE(table()->horizontalHeaderItem(3)->text(), QStringLiteral("后期工厂"));
        QCOMPARE(prompts.count(), 0);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty keyword") << "" << -1 << "请输入搜索条件";
        QTest::newRow("no row chosen") << "相" << -1 << "请选择要替换的产品！";
    }

    void refusals()
    {
        QFETCH(QString, keyword);
        PromptRecorder prompts;
        openDialog();
        child<QLineEdit>("lineEdit")->setText(keyword);
        m_dialog->clickSearch();
        QVERIFY(postsAnswered(m_dialog));
        if (!keyword.isEmpty())
            child<QPushButton>("submitButton")->click();
        QTest::qWait(20);
        QVERIFY(replaces().isEmpty());
        QCOMPARE(searches().size(), keyword.isEmpty() ? 0 : 1);
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().title, QStringLiteral("警告"));
        QTEST(prompts.last().text, "text");
        QCOMPARE(prompts.last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
    }

    // The chosen product's catalogue id goes out, never an empty one; an accepted replacement reports and closes.
    void replacePostsTheCatalogueId()
    {
        openDialog();
        search();
        QSignalSpy refresh(m_dialog.data(), &ReplaceOldProduct::refreshNewProducts);
        choose(2);
        submit(0);
        const StandInRequest post = replaces().first();
        QCOMPARE(post.keys(),
            QStringList(
                {"token", "order_photo_id", "shopid", "goodid", "oid", "uid", "companyid", "order_sample_infoid"}));
        QCOMPARE(post.value("goodid"), QStringLiteral("1301"));
        QCOMPARE(post.value("oid"), QStringLiteral("80012"));
        QCOMPARE(post.value("uid"), QStringLiteral("501"));
        QVERIFY(waitUntil([&] { return !m_dialog; }));
        QCOMPARE(refresh.size(), 1);
    }

    // A double click posts once; after a refusal the dialog stays with its rows and a new click posts again.
    void onePendingReplacement()
    {
        PromptRecorder prompts;
        openDialog();
        search();
        choose(0);
        scriptEndpoint(m_backend, "order", "replacegood", Failure::Held,
            QJsonObject {{"code", "0"}, {"message", "该产品不可替换"}});
        QSignalSpy refresh(m_dialog.data(), &ReplaceOldProduct::refreshNewProducts);
        submit(0);
        child<QPushButton>("submitButton")->click();
        QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
        QTest::qWait(50);
        QCOMPARE(replaces().size(), 1);
        m_backend->releaseHeld();
        QVERIFY(postsAnswered(m_dialog));
        QVERIFY(prompts.contains(QStringLiteral("警告"), QStringLiteral("提交替换产品错误：该产品不可替换")));
        QVERIFY(m_dialog && m_dialog->isVisible());
        QCOMPARE(table()->rowCount(), 4);
        m_backend->clearScripts();
        submit(1);
        QCOMPARE(replaces().last().value("oid"), QStringLiteral("80012"));
        QCOMPARE(replaces().last().value("goodid"), QStringLiteral("1201"));
        QVERIFY(waitUntil([&] { return !m_dialog; }));
        QCOMPARE(refresh.size(), 1);
    }

    // A network error or an unreadable body keeps the dialog open and lets the operator submit again.
    void failedReplacementStays_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<int>("boxes");
        QTest::newRow("http error") << Failure::HttpStatus << 1;
        QTest::newRow("not json") << Failure::NotJson << 0;
        QTest::newRow("array") << Failure::Array << 0;
    }

    void failedReplacementStays()
    {
        QFETCH(Failure, failure);
        PromptRecorder prompts;
        openDialog();
        search();
        choose(1);
        scriptEndpoint(m_backend, "order", "replacegood", failure);
        QSignalSpy refresh(m_dialog.data(), &ReplaceOldProduct::refreshNewProducts);
        submit(0);
        QVERIFY(postsAnswered(m_dialog));
        QTEST(prompts.count(), "boxes");
        QVERIFY(m_dialog && m_dialog->isVisible());
        QCOMPARE(refresh.size(), 0);
        m_backend->clearScripts();
        submit(1);
        QVERIFY(waitUntil([&] { return !m_dialog; }));
    }

    // A search that finds nothing keeps the earlier rows, still submittable.
    void emptyResultKeepsTheRows()
    {
        PromptRecorder prompts;
        openDialog();
        search();
        m_backend->setReply("order", "searchgood",
            StandInReply::json(QJsonObject {{"code", "1"}, {"message", "查询成功"}, {"goods", QJsonArray()}}));
        search(QStringLiteral("无此产品"));
        QVERIFY(prompts.contains(QStringLiteral("提示"), QStringLiteral("没有查询到任何产品")));
        QCOMPARE(table()->rowCount(), 4);
        choose(3);
        submit(0);
        QCOMPARE(replaces().first().value("goodid"), QStringLiteral("3005"));
    }

    // Return searches, wherever the focus is; it never submits.
    void returnKeySearches()
    {
        openDialog();
        search();
        choose(0);
        QApplication::setActiveWindow(m_dialog);
        for (const char* name : {"lineEdit", "submitButton"}) {
            QWidget* target = child<QWidget>(name);
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Return);
            QVERIFY(postsAnswered(m_dialog));
        }
        QCOMPARE(searches().size(), 3);
        QVERIFY(replaces().isEmpty());
    }

    void closingWithoutReplacingEmitsNothing()
    {
        openDialog();
        QSignalSpy refresh(m_dialog.data(), &ReplaceOldProduct::refreshNewProducts);
        m_dialog->close();
        QVERIFY(waitUntil([&] { return !m_dialog; }));
        QCOMPARE(refresh.size(), 0);
    }
};

QTEST_MAIN(TestReplaceOldProduct)
#include "tst_replaceoldproduct.moc"

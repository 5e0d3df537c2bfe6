#include "core/config.h"
#include "delivery/seturgency.h"
#include "photostore/productdata.h"
#include "productchanges/changeproducts.h"
#include "products/consumptionremark.h"
#include "products/productdlg.h"
#include "submit/submitandprint.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/productpanel.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "upload/uploadphotolistdialog.h"
#include "widgets/droplistwidget.h"

#include <QJsonObject>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

namespace {

QPushButton* button(QWidget* window, const char* name)
{
    return window->findChild<QPushButton*>(QLatin1String(name));
}

template <typename T> void closeAll()
{
    for (T* window : topLevelWindows<T>())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList names(const QList<Product>& products)
{
    QStringList out;
    for (const Product& p : products)
        out << p.goodname;
    return out;
}

} // namespace

class TestSubmissionGate : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;

    std::unique_ptr<ProductPanel> loadedPanel()
    {
        auto panel = std::make_unique<ProductPanel>();
        [&] { QVERIFY(panel->load()); }();
        return panel;
    }

private slots:
    void init()
    {
        m_backend.reset();
        useTestOrder();
        Config::isUpOss = false;
        Config::scaleDpi = 1.0;
        ProductData::m_printProducts.clear();
    }

    void cleanup()
    {
        closeAll<SubmitandPrint>();
        closeAll<UploadPhotoListDialog>();
        closeAll<ConsumptionRemark>();
        closeAll<SetUrgency>();
        closeAll<ChangeProducts>();
        ProductData::m_products.clear();
        ProductData::m_printProducts.clear();
        Config::isLocked = false;
        Config::isUpOss = false;
        Config::scaleDpi = 1.0;
    }

    void gateBranches_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<bool>("isLocked");
        QTest::addColumn<bool>("isUpOss");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("opensUpload");
        QTest::addColumn<bool>("opensSubmit");

        const QJsonObject accepted {{"code", "1"}, {"message", "库存充足"}};
        const QJsonObject shortStock {{"code", "0"}, {"message", "6寸照片冲印库存不足，剩余 2"}};
        QTest::newRow("open order, no cloud: submission")
            << Failure::None << accepted << false << false << QString() << false << true;
        QTest::newRow("open order, cloud: upload list")
            << Failure::None << accepted << false << true << QString() << true << false;
        QTest::newRow("locked order, cloud: submission")
            << Failure::None << accepted << true << true << QString() << false << true;
        QTest::newRow("short stock: its words alone")
            << Failure::None << shortStock << false << false << QStringLiteral("6寸照片冲印库存不足，剩余 2") << false
            << false;
        QTest::newRow("refused, locked: nothing opens")
            << Failure::None << shortStock << true << false << QStringLiteral("6寸照片冲印库存不足，剩余 2") << false
            << false;
        QTest::newRow("no code: refused with an empty text")
            << Failure::None << QJsonObject {{"message", 5}} << false << false << QString("") << false << false;
        QTest::newRow("network error") << Failure::HttpStatus << QJsonObject() << false << false
                                       << QStringLiteral("网络请求错误\n500") << false << false;
        QTest::newRow("not JSON: silent")
            << Failure::NotJson << QJsonObject() << false << false << QString() << false << false;
    }

    void gateBranches()
    {
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(bool, isLocked);
        QFETCH(bool, isUpOss);
        QFETCH(QString, box);
        QFETCH(bool, opensUpload);
        QFETCH(bool, opensSubmit);

        auto p = loadedPanel();
        QVERIFY(ProductData::m_products.size() > 2);
        ProductData::m_products[1].print = false;
        const Product previous;
        ProductData::m_printProducts = {previous};
        Config::isLocked = isLocked;
        Config::isUpOss = isUpOss;
        scriptEndpoint(m_backend, "order", "checkstock", failure, answer);
        PromptRecorder prompts;

        button(p->dlg.get(), "submitButton")->click();
        QVERIFY(p->postsAnswered());

        const StandInRequest check = m_backend->requestsTo("order", "checkstock").value(0);
        QCOMPARE(check.keys(), (QStringList {"token", "order_photo_id", "shopid", "companyid", "order_sample_infoid"}));
        QCOMPARE(check.value("order_sample_infoid"), QStringLiteral("30001"));
        if (box.isNull()) {
            QCOMPARE(prompts.count(), 0);
        } else {
            QCOMPARE(prompts.count(), 1);
            QVERIFY2(prompts.contains(QStringLiteral("警告"), box), qPrintable(prompts.texts().join('|')));
        }
        QCOMPARE(topLevelWindows<UploadPhotoListDialog>().size(), opensUpload ? 1 : 0);
        QCOMPARE(topLevelWindows<SubmitandPrint>().size(), opensSubmit ? 1 : 0);

        if (opensUpload || opensSubmit) {
            QList<Product> printed = ProductData::m_products;
            printed.removeAt(1);
            QCOMPARE(names(ProductData::m_printProducts), names(printed));
        } else {
            QCOMPARE(ProductData::m_printProducts.size(), 1); // the previous set stays
        }

        if (opensUpload) {
            UploadPhotoListDialog* upload = topLevelWindows<UploadPhotoListDialog>().at(0);
            QVERIFY(upload->isModal());
            upload->findChild<QPushButton*>("btnStartUpload")->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(topLevelWindows<UploadPhotoListDialog>().size(), 0);
            QCOMPARE(topLevelWindows<SubmitandPrint>().size(), 1);
        }
    }

    void submissionDialogIsScaled_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QSize>("size");
        QTest::newRow("1.0") << 1.0 << QSize(1200, 300);
        QTest::newRow("1.5") << 1.5 << QSize(1800, 450);
        QTest::newRow("1.25 truncated") << 1.25 << QSize(1500, 375);
    }

    void submissionDialogIsScaled()
    {
        QFETCH(double, scale);
        QFETCH(QSize, size);
        auto p = loadedPanel();
        Config::scaleDpi = scale;
        button(p->dlg.get(), "submitButton")->click();
        QVERIFY(p->postsAnswered());
        QCOMPARE(topLevelWindows<SubmitandPrint>().size(), 1);
        SubmitandPrint* submit = topLevelWindows<SubmitandPrint>().at(0);
        QCOMPARE(submit->minimumSize(), size);
        QCOMPARE(submit->maximumSize(), size);
        QVERIFY(submit->isModal());

        // The dialog's lock reaches the workspace through the panel.
        QSignalSpy locked(p->dlg.get(), &ProductDlg::sendSetLocked);
        emit submit->sendSetLocked();
        QCOMPARE(locked.count(), 1);
    }

    // Presses while a check is out are ignored: one check, one dialog; once answered, a press checks again.
    void doublePressChecksOnce_data()
    {
        QTest::addColumn<bool>("isUpOss");
        QTest::newRow("submission") << false;
        QTest::newRow("upload list") << true;
    }

    void doublePressChecksOnce()
    {
        QFETCH(bool, isUpOss);
        auto p = loadedPanel();
        Config::isUpOss = isUpOss;
        scriptEndpoint(m_backend, "order", "checkstock", Failure::Held, QJsonObject {{"code", "1"}});
        QPushButton* submitButton = button(p->dlg.get(), "submitButton");

        submitButton->click();
        QVERIFY(waitUntil([this] { return m_backend->heldCount() == 1; }));
        submitButton->click();
        p->dlg->on_submitButton_clicked();
        m_backend->releaseHeld();
        QVERIFY(p->postsAnswered());

        QCOMPARE(m_backend->requestsTo("order", "checkstock").size(), 1);
        const int dialogs = topLevelWindows<UploadPhotoListDialog>().size() + topLevelWindows<SubmitandPrint>().size();
        QCOMPARE(dialogs, 1);

        submitButton->click();
        QVERIFY(waitUntil([this] { return m_backend->heldCount() == 1; }));
        m_backend->releaseHeld();
        QVERIFY(p->postsAnswered());
        QCOMPARE(m_backend->requestsTo("order", "checkstock").size(), 2);
    }

    // The stock update, the reload and the check go one after the other, so the check judges the reloaded products.
    void refreshForSubmissionRunsInSequence()
    {
        auto p = loadedPanel();
        m_backend->clearRequests();
        scriptEndpoint(m_backend, "order", "updatestock", Failure::Held, QJsonObject {{"code", "1"}});
        PromptRecorder prompts;

        p->dlg->refreshProduct(1);
        QVERIFY(waitUntil([this] { return m_backend->heldCount() == 1; }));
        QTest::qWait(50);
        QCOMPARE(m_backend->endpointsCalled(), (QStringList {"order.updatestock"}));

        // A press meanwhile is part of the same submission.
        button(p->dlg.get(), "submitButton")->click();
        ProductData::m_products.clear(); // the reload must bring them back before the check
        m_backend->releaseHeld();
        QVERIFY(p->postsAnswered());

        QCOMPARE(
            m_backend->endpointsCalled(), (QStringList {"order.updatestock", "order.ordergoods", "order.checkstock"}));
        QCOMPARE(prompts.count(), 0);
        QVERIFY(!ProductData::m_printProducts.isEmpty());
        QCOMPARE(names(ProductData::m_printProducts), names(ProductData::m_products));
        QCOMPARE(topLevelWindows<SubmitandPrint>().size(), 1);
    }

    void failedReloadStopsTheCheck()
    {
        auto p = loadedPanel();
        m_backend->clearRequests();
        scriptEndpoint(m_backend, "order", "ordergoods", Failure::HttpStatus);
        PromptRecorder prompts;

        p->dlg->refreshProduct(1);
        QVERIFY(waitUntil([this] { return m_backend->requestsTo("order", "ordergoods").size() == 1; }));
        QVERIFY(p->postsAnswered());
        QCOMPARE(m_backend->endpointsCalled(), (QStringList {"order.updatestock", "order.ordergoods"}));
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(topLevelWindows<SubmitandPrint>().size(), 0);

        // The gate is free again.
        button(p->dlg.get(), "submitButton")->click();
        QVERIFY(p->postsAnswered());
        QCOMPARE(m_backend->requestsTo("order", "checkstock").size(), 1);
    }

    void refreshWithoutSubmissionChecksNothing()
    {
        auto p = loadedPanel();
        m_backend->clearRequests();
        p->dlg->refreshProduct(0);
        QVERIFY(waitUntil([this] { return m_backend->requestsTo("order", "ordergoods").size() == 1; }));
        QVERIFY(p->postsAnswered());
        QCOMPARE(m_backend->endpointsCalled(), (QStringList {"order.updatestock", "order.ordergoods"}));
    }

    // A statement that looks like markup or carries form characters comes back exactly as written.
    void consumptionStatementRoundTrip()
    {
        QString stored = QStringLiteral("<b>加选</b> 10 张 & 相册=1 本 + 50% 定金\n第二行 &amp; 结束");
        m_backend->setHandler("order", "getconsumption_statement", [&stored](const StandInRequest&) {
            return StandInReply::json(QJsonObject {{"code", "1"}, {"consumption_statement", stored}});
        });
        m_backend->setHandler("order", "update_consumption_statement", [&stored](const StandInRequest& request) {
            stored = request.value("consumption_statement");
            return StandInReply::json(QJsonObject {{"code", "1"}, {"message", "ok"}});
        });
        auto p = loadedPanel();
        QPushButton* statementButton = button(p->dlg.get(), "pb_xfsm");

        statementButton->click();
        statementButton->click();
        QVERIFY(p->postsAnswered());
        QCOMPARE(m_backend->requestsTo("order", "getconsumption_statement").size(), 1);
        QCOMPARE(topLevelWindows<ConsumptionRemark>().size(), 1);
        ConsumptionRemark* editor = topLevelWindows<ConsumptionRemark>().at(0);
        QCOMPARE(editor->windowTitle(), QStringLiteral("Velmo云"));
        auto* te = editor->findChild<QTextEdit*>("te");
        QCOMPARE(te->toPlainText(), stored);

        const QString edited = stored + QStringLiteral("\n<i>补充</i> a=b&c=d %2B");
        te->setPlainText(edited);
        QPointer<ConsumptionRemark> guard(editor);
        button(editor, "pb_submit")->click();
        button(editor, "pb_submit")->click();
        QVERIFY(waitUntil([&guard] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return guard.isNull();
        }));
        const QList<StandInRequest> updates = m_backend->requestsTo("order", "update_consumption_statement");
        QCOMPARE(updates.size(), 1);
        QCOMPARE(updates.at(0).keys(),
            (QStringList {
                "token", "order_photo_id", "shopid", "companyid", "order_sample_infoid", "consumption_statement"}));
        QCOMPARE(stored, edited);

        statementButton->click();
        QVERIFY(p->postsAnswered());
        QCOMPARE(topLevelWindows<ConsumptionRemark>().size(), 1);
        QCOMPARE(topLevelWindows<ConsumptionRemark>().at(0)->findChild<QTextEdit*>("te")->toPlainText(), edited);
    }

    void consumptionStatementFailures_data()
    {
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<QString>("box");

        const QJsonObject refused {{"code", "0"}, {"message", "订单不存在"}};
        QTest::newRow("fetch refused") << "getconsumption_statement" << Failure::None << refused
                                       << QStringLiteral("查询总体要求错误：订单不存在");
        QTest::newRow("fetch network error") << "getconsumption_statement" << Failure::HttpStatus << QJsonObject()
                                             << QStringLiteral("网络请求错误\n500");
        QTest::newRow("fetch not JSON") << "getconsumption_statement" << Failure::NotJson << QJsonObject() << QString();
        QTest::newRow("update refused") << "update_consumption_statement" << Failure::None << refused
                                        << QStringLiteral("查询总体要求错误：订单不存在");
        QTest::newRow("update network error") << "update_consumption_statement" << Failure::HttpStatus << QJsonObject()
                                              << QStringLiteral("网络请求错误\n500");
    }

    void consumptionStatementFailures()
    {
        QFETCH(QString, endpoint);
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(QString, box);
        scriptEndpoint(m_backend, "order", endpoint, failure, answer);
        auto p = loadedPanel();
        PromptRecorder prompts;
        const bool isFetch = endpoint.startsWith("get");

        button(p->dlg.get(), "pb_xfsm")->click();
        QVERIFY(p->postsAnswered());
        QCOMPARE(topLevelWindows<ConsumptionRemark>().size(), isFetch ? 0 : 1);
        if (!isFetch) {
            ConsumptionRemark* editor = topLevelWindows<ConsumptionRemark>().at(0);
            // Taken now: the accepted post below may delete the editor before it is looked at again.
            const QPointer<ConsumptionRemark> guard(editor);
            editor->findChild<QTextEdit*>("te")->setPlainText(QStringLiteral("改过的说明"));
            button(editor, "pb_submit")->click();
            QVERIFY(waitUntil([&prompts] { return prompts.count() == 1; }));
            QVERIFY(waitUntil([editor] { return editor->findChildren<QNetworkAccessManager*>().isEmpty(); }));
            // The editor stays with the operator's text, and "提交" posts again.
            QCOMPARE(topLevelWindows<ConsumptionRemark>().size(), 1);
            QCOMPARE(editor->findChild<QTextEdit*>("te")->toPlainText(), QStringLiteral("改过的说明"));
            QVERIFY2(prompts.contains(QStringLiteral("警告"), box), qPrintable(prompts.texts().join('|')));
            prompts.clear();
            m_backend.reset();
            button(editor, "pb_submit")->click();
            QVERIFY(waitUntil(
                [this] { return m_backend->requestsTo("order", "update_consumption_statement").size() == 1; }));
            // Accepted now: the editor closes, and deletes itself on closing.
            QVERIFY(waitUntil([&guard] { return guard.isNull() || !guard->isVisible(); }));
            return;
        }
        QCOMPARE(prompts.count(), box.isNull() ? 0 : 1);
        if (!box.isNull())
            QVERIFY2(prompts.contains(QStringLiteral("警告"), box), qPrintable(prompts.texts().join('|')));

        {
            // The button works again.
            m_backend.reset();
            button(p->dlg.get(), "pb_xfsm")->click();
            QVERIFY(p->postsAnswered());
            QCOMPARE(m_backend->requestsTo("order", "getconsumption_statement").size(), 1);
        }
    }

    void missingStatementShowsThePlaceholder()
    {
        scriptEndpoint(m_backend, "order", "getconsumption_statement", Failure::None, QJsonObject {{"code", "1"}});
        auto p = loadedPanel();
        button(p->dlg.get(), "pb_xfsm")->click();
        QVERIFY(p->postsAnswered());
        QCOMPARE(topLevelWindows<ConsumptionRemark>().size(), 1);
        auto* te = topLevelWindows<ConsumptionRemark>().at(0)->findChild<QTextEdit*>("te");
        QCOMPARE(te->toPlainText(), QString());
        QCOMPARE(te->placeholderText(), QStringLiteral("请输入消费说明"));
    }

    // Both windows make the panel reload its products when they are done.
    void urgencyAndProductChangesReload()
    {
        auto p = loadedPanel();
        p->click(1);
        m_backend->clearRequests();

        button(p->dlg.get(), "urgentButton")->click();
        QCOMPARE(topLevelWindows<SetUrgency>().size(), 1);
        QVERIFY(p->postsAnswered());
        m_backend->clearRequests();
        topLevelWindows<SetUrgency>().at(0)->close();
        QVERIFY(waitUntil([this] { return m_backend->requestsTo("order", "ordergoods").size() == 1; }));
        QVERIFY(p->postsAnswered());

        QVERIFY(p->list->count() > 0 || ProductData::m_products.at(1).pics.isEmpty());
        button(p->dlg.get(), "pushButton")->click();
        QCOMPARE(topLevelWindows<ChangeProducts>().size(), 1);
        ChangeProducts* changes = topLevelWindows<ChangeProducts>().at(0);
        changes->findChild<QPushButton*>("confirmButton")->click();
        QCOMPARE(p->list->count(), 0);
        QVERIFY(waitUntil([this] { return m_backend->requestsTo("order", "ordergoods").size() == 2; }));
        QVERIFY(p->postsAnswered());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(topLevelWindows<ChangeProducts>().size(), 0);
    }
};

QTEST_MAIN(TestSubmissionGate)
#include "tst_submissiongate.moc"

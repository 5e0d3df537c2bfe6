#include "core/config.h"
#include "photostore/productdata.h"
#include "products/productdlg.h"
#include "submit/submitandprint.h"
#include "tests/support/eventwait.h"
#include "tests/support/exifjpeg.h"
#include "tests/support/failure.h"
#include "tests/support/orderfolder.h"
#include "tests/support/productpanel.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "upload/uploadphotolistdialog.h"

#include <QJsonObject>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

// The products panel's submission with cloud upload on: the selection goes up first, and the
// submission dialog opens only once all of it arrived.
class TestUploadBeforeSubmission : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;

    template <typename T> static void closeAll()
    {
        for (T* w : topLevelWindows<T>())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void initTestCase() { QVERIFY(m_backend.isReady()); }

    void init()
    {
        m_backend.reset();
        useTestOrder();
        Config::isUpOss = true;
        Config::scaleDpi = 1.0;
    }

    void cleanup()
    {
        closeAll<SubmitandPrint>();
        closeAll<UploadPhotoListDialog>();
        ProductData::m_products.clear();
        ProductData::m_printProducts.clear();
        Config::isUpOss = false;
    }

    void submissionWaitsForTheUpload_data()
    {
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<bool>("opensSubmission");
        QTest::newRow("uploaded") << QJsonObject {{"code", "1"}, {"message", "上传成功"}} << true;
        QTest::newRow("refused") << QJsonObject {{"code", "0"}, {"message", "上传失败"}} << false;
    }

    void submissionWaitsForTheUpload()
    {
        QFETCH(QJsonObject, answer);
        QFETCH(bool, opensSubmission);
        OrderFolder order;
        order.addFile("成品/IMG_0001.jpg", ExifJpeg::plain(1200, 800));
        order.addFile("成品缩略图/IMG_0001.jpg", ExifJpeg::plain(900, 600));
        scriptEndpoint(m_backend, "upload", "plupload", Failure::None, answer);
        PromptRecorder prompts;
        ProductPanel panel;
        QVERIFY(panel.load());
        panel.dlg->findChild<QPushButton*>("submitButton")->click();
        QVERIFY(panel.postsAnswered());
        QCOMPARE(topLevelWindows<UploadPhotoListDialog>().size(), 1);
        QCOMPARE(topLevelWindows<SubmitandPrint>().size(), 0);

        // Delete-on-close: the dialog may be gone once the run ends.
        QPointer<UploadPhotoListDialog> upload = topLevelWindows<UploadPhotoListDialog>().at(0);
        QPointer<QPushButton> start = upload->findChild<QPushButton*>("btnStartUpload");
        QCOMPARE(start->text(), QStringLiteral("开始上传"));
        start->click();
        QVERIFY(
            waitUntil([&] { return !start || !upload->isVisible() || start->text() != QStringLiteral("正在上传"); }));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(m_backend->requestsTo("upload", "plupload").size(), 1);
        QCOMPARE(topLevelWindows<SubmitandPrint>().size(), opensSubmission ? 1 : 0);
        QCOMPARE(topLevelWindows<UploadPhotoListDialog>().size(), opensSubmission ? 0 : 1);
    }
};

QTEST_MAIN(TestUploadBeforeSubmission)
#include "tst_uploadbeforesubmission.moc"

#include "app/login.h"
#include "core/config.h"
#include "order/searchorder.h"
#include "photostore/dirserver.h"
#include "photostore/productdata.h"
#include "products/productdlg.h"
#include "sheets/webviewwindow.h"
#include "standin/demodata.h"
#include "submit/submitandprint.h"
#include "upload/uploadphotolistdialog.h"
#include "tests/support/eventwait.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "workspace/selectphotoview.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

template <typename T> T* firstWindow()
{
    const QList<T*> windows = topLevelWindows<T>();
    return windows.isEmpty() ? nullptr : windows.first();
}

QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, "-"});
    if (!process.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

// The main road against the stand-in: sign in, find the demo order, open it, submit the
// selection from its products panel, and save the production sheet that comes back as a PDF.
class TestMainRoad : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    QTemporaryDir m_volumes;
    QTemporaryDir m_out;
    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toUtf8());
        Config::volumesRoot = m_volumes.path() + QLatin1Char('/');
        QVERIFY(DemoData::createVolumes(Config::volumesRoot));
    }

    void cleanupTestCase()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void signInToSavedSheet()
    {
        PromptRecorder prompts;

        // Sign in.
        auto* login = new Login();
        login->setAttribute(Qt::WA_DeleteOnClose);
        login->show();
        login->findChild<QLineEdit*>("username")->setText("demo");
        login->findChild<QLineEdit*>("password")->setText("demo");
        QTest::mouseClick(login->findChild<QPushButton*>("okButton"), Qt::LeftButton);
        QVERIFY(waitUntil([] { return firstWindow<SearchOrder>() != nullptr; }));

        // Find the demo order and open it.
        SearchOrder* search = firstWindow<SearchOrder>();
        auto* table = search->findChild<QTableView*>("tableView");
        QVERIFY(waitUntil([&] { return search->findChild<QPushButton*>("searchButton")->isEnabled(); }));
        search->findChild<QPushButton*>("searchButton")->click();
        QVERIFY(waitUntil([&] { return table->model()->rowCount() > 0; }));
        QVERIFY(waitUntil([&] { return search->findChild<QPushButton*>("searchButton")->isEnabled(); }));
        // The demo order is the one whose row names its id.
        int row = -1;
        for (int r = 0; r < table->model()->rowCount() && row < 0; ++r)
            for (int c = 0; c < table->model()->columnCount(); ++c)
                if (table->model()->index(r, c).data().toString().contains("1001"))
                    row = r;
        QVERIFY(row >= 0);
        emit table->doubleClicked(table->model()->index(row, 0));
        QVERIFY(waitUntil([] { return firstWindow<SelectPhotoView>() != nullptr; }));
        SelectPhotoView* workspace = firstWindow<SelectPhotoView>();
        QCOMPARE(Config::order_id, QStringLiteral("1001"));
        QVERIFY(!Config::isLocked);

        // Its products, then the submission.
        ProductDlg* products = workspace->productDlg;
        QVERIFY(products);
        QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "ordergoods").size() > 0; }));
        QVERIFY(waitUntil([&] { return !ProductData::m_products.isEmpty(); }));
        // The order's picture folder is known once the album has loaded.
        QVERIFY(waitUntil([] { return QFileInfo(DirServer::getFineImagePath()).isDir(); }));
        QTest::mouseClick(products->findChild<QPushButton*>("submitButton"), Qt::LeftButton);
        // The demo user uploads to the cloud first: the submission opens once everything arrived.
        QVERIFY(Config::isUpOss);
        QVERIFY(waitUntil([] { return firstWindow<UploadPhotoListDialog>() != nullptr; }));
        QPointer<UploadPhotoListDialog> upload = firstWindow<UploadPhotoListDialog>();
        auto* start = upload->findChild<QPushButton*>("btnStartUpload");
        auto* summary = upload->findChild<QLabel*>("labelSummary");
        QVERIFY(waitUntil([&] { return start->isEnabled(); }));
        // The finished copies the album has not written yet are made from the photos first.
        auto* generate = upload->findChild<QPushButton*>("btnGenerateThumb");
        generate->click();
        // However many the album had written meanwhile, all five are then ready.
        QVERIFY2(waitUntil(
                     [&] { return summary->text().contains(QStringLiteral("待上传：5，成功：0，失败：0，不存在：0")); },
                     60000),
            qPrintable(summary->text() + " " + DirServer::getFineImagePath()));
        QVERIFY(waitUntil([&] { return start->isEnabled(); }));
        start->click();
        // A complete upload closes the list by itself and the submission follows.
        QVERIFY2(waitUntil([&] { return upload.isNull() || !upload->isVisible(); }, 60000),
            qPrintable(upload ? summary->text() : QString()));
        QVERIFY(!m_backend->requestsTo("upload", "plupload").isEmpty());
        QVERIFY(waitUntil([] { return firstWindow<SubmitandPrint>() != nullptr; }));
        QPointer<SubmitandPrint> submit = firstWindow<SubmitandPrint>();
        QVERIFY(waitUntil([&] { return submit->isReady(); }));
        QCOMPARE(submit->windowTitle(), QStringLiteral("提交打印"));
        QCOMPARE(submit->findChild<QComboBox*>("comboBox_xps")->currentText(), QStringLiteral("李选片"));

        QTest::mouseClick(submit->findChild<QPushButton*>("pushButton_2"), Qt::LeftButton);
        QVERIFY(waitUntil([&] { return submit.isNull(); }));
        QVERIFY(Config::isLocked);
        QVERIFY(prompts.texts().isEmpty() || !prompts.texts().join("").contains("错误"));
        const StandInRequest sent = m_backend->requestsTo("order", "updategetphotodate2").value(0);
        QCOMPARE(sent.value("order_photo_id"), QStringLiteral("1001"));
        QCOMPARE(sent.value("role12"), QStringLiteral("7"));

        // The production sheet, saved as a PDF.
        WebViewWindow* sheet = firstWindow<WebViewWindow>();
        QVERIFY(sheet);
        QVERIFY(waitUntil([&] { return sheet->finishedDownloads() >= 2; }));
        const QString pdf = m_out.filePath("明细制作单.pdf");
        prompts.answer(pdf);
        sheet->findChild<QPushButton*>("saveButton")->click();
        QVERIFY(QFileInfo(pdf).size() > 0);
        const QString text = pdfText(pdf);
        if (qEnvironmentVariableIsSet("MAINROAD_TEXT"))
            qInfo().noquote() << text;
        for (const char* shown : {"光影摄影旗舰店", "DEMO-1001", "李建国", "王芳", "到店看"})
            QVERIFY2(text.contains(QString::fromUtf8(shown)), shown);
    }
};

QTEST_MAIN(TestMainRoad)
#include "tst_mainroad.moc"

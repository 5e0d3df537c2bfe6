#include "core/config.h"
#include "photostore/dirserver.h"
#include "tests/support/eventwait.h"
#include "tests/support/exifjpeg.h"
#include "tests/support/failure.h"
#include "tests/support/orderfolder.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/readrightsheld.h"
#include "tests/support/testbackend.h"
#include "upload/uploadphotolistdialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <memory>

namespace {

// The dialog as the operator sees it: its table, summary and buttons.
struct UploadList
{
    std::unique_ptr<UploadPhotoListDialog> dialog = std::make_unique<UploadPhotoListDialog>();
    std::unique_ptr<QSignalSpy> succeeded
        = std::make_unique<QSignalSpy>(dialog.get(), &UploadPhotoListDialog::upLoadSuccess);

    QTableWidget* table() const { return dialog->findChild<QTableWidget*>("tableWidget"); }
    QPushButton* button(const char* name) const { return dialog->findChild<QPushButton*>(name); }
    QString summary() const { return dialog->findChild<QLabel*>("labelSummary")->text(); }
    QString progressText() const { return dialog->findChild<QLabel*>("labelProgress")->text(); }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem* item = table()->item(row, column);
        return item ? item->text() : QStringLiteral("<none>");
    }
    QStringList column(int c) const
    {
        QStringList out;
        for (int row = 0; row < table()->rowCount(); ++row)
            out << cell(row, c);
        return out;
    }
    QString buttons() const { return button("btnStartUpload")->text() + "|" + button("btnCancel")->text(); }
    bool isIdle() const { return button("btnStartUpload")->text() != QStringLiteral("正在上传"); }
    void start() const { button("btnStartUpload")->click(); }
    // Runs until the run is over.
    bool runEnds() const
    {
        return waitUntil([this] { return isIdle(); });
    }
};

QList<QPair<QString, QString>> textParts(const StandInRequest& request)
{
    QList<QPair<QString, QString>> out;
    for (const StandInPart& part : request.parts)
        if (!part.hasFileName)
            out << qMakePair(part.name, QString::fromUtf8(part.body));
    return out;
}

const StandInPart* filePart(const StandInRequest& request)
{
    for (const StandInPart& part : request.parts)
        if (part.hasFileName)
            return &part;
    return nullptr;
}

} // namespace

class TestUploadPhotoListDialog : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    std::unique_ptr<OrderFolder> m_order;
    std::unique_ptr<PromptRecorder> m_prompts;

    // 成品 with two photos and their finished copies, one mark and one crop.
    void addSelection()
    {
        m_order->addFile("成品/A.jpg", ExifJpeg::plain(1600, 1200, Qt::red));
        m_order->addFile("成品/b.JPG", ExifJpeg::plain(1200, 1600, Qt::green));
        m_order->addFile("成品缩略图/A.jpg", ExifJpeg::plain(1000, 750, Qt::red));
        m_order->addFile("成品缩略图/b.jpg", ExifJpeg::plain(750, 1000, Qt::green));
        m_order->addFile("marks/A.jpg", ExifJpeg::plain(300, 200, Qt::blue));
        m_order->addFile("crops/b.jpg", ExifJpeg::plain(200, 300, Qt::yellow));
    }

    QList<StandInRequest> uploads() { return m_backend.server().requestsTo("upload", "plupload"); }

private slots:
    void initTestCase() { QVERIFY(m_backend.isReady()); }

    void init()
    {
        m_backend.reset();
        m_order = std::make_unique<OrderFolder>();
        QVERIFY(m_order->isValid());
        m_prompts = std::make_unique<PromptRecorder>();
        Config::scaleDpi = 1.0;
        Config::orderpayforkey = QStringLiteral("PAY-7781");
        Config::shop_id = QStringLiteral("12");
        Config::book_time = QStringLiteral("2026-03-05 10:30:00");
        Config::orderServNum = QStringLiteral("1");
        Config::order_id = QStringLiteral("40001");
        Config::order_sample_infoid = QStringLiteral("30001");
        Config::orderOneId = QStringLiteral("20001");
        Config::manager_id = QStringLiteral("88");
    }

    void cleanup()
    {
        m_prompts.reset();
        m_order.reset();
    }

    // Selected, marked and cropped photos each make a row; a missing finished copy shows as such.
    void rowsOfTheSelection()
    {
        addSelection();
        m_order->addFile("成品/c.jpg", ExifJpeg::plain(400, 300, Qt::gray)); // no finished copy
        UploadList list;
        QCOMPARE(list.column(1), (QStringList {"A.jpg", "b.jpg", "c.jpg", "A.jpg", "b.jpg"}));
        QCOMPARE(list.table()->item(3, 1)->toolTip(), m_order->path("marks/A.jpg"));
        QCOMPARE(list.table()->item(1, 1)->toolTip(), m_order->path("成品缩略图/b.jpg"));
        QCOMPARE(list.column(2), (QStringList {"待上传", "待上传", "文件不存在", "待上传", "待上传"}));
        QCOMPARE(list.column(3), (QStringList {"0%", "0%", "-", "0%", "0%"}));
        QCOMPARE(list.summary(),
            QStringLiteral(
                "照片总计：5 张，成品：3 张，标注：1 张，裁剪：1 张 | 待上传：4，成功：0，失败：0，不存在：1"));
        QCOMPARE(list.progressText(), QStringLiteral("0/5"));
        QCOMPARE(list.buttons(), QStringLiteral("开始上传|取消"));
        QVERIFY(list.button("btnGenerateThumb")->isEnabled());
        QVERIFY(!list.button("btnRetryFailed")->isEnabled());
        // Previews come from a worker; the missing copy keeps its red placeholder.
        QVERIFY(waitUntil([&] {
            const QIcon icon = list.table()->item(0, 0)->icon();
            const QRgb centre = icon.isNull() ? 0 : icon.pixmap(48, 48).toImage().pixel(24, 18);
            return qRed(centre) > 200 && qGreen(centre) < 60;
        }));
    }

    // A short list leaves the view empty below its last row: every row still gets its preview,
    // the crop in the last row its yellow picture.
    void previewsOfAShortList()
    {
        addSelection();
        UploadList list;
        list.dialog->resize(900, 700);
        list.dialog->show();
        QCOMPARE(list.table()->rowCount(), 4);
        QVERIFY(list.table()->rowAt(list.table()->viewport()->height() - 2) < 0);
        QVERIFY(waitUntil([&] {
            const QIcon icon = list.table()->item(3, 0)->icon();
            const QRgb centre = icon.isNull() ? 0 : icon.pixmap(48, 48).toImage().pixel(24, 24);
            return qRed(centre) > 200 && qGreen(centre) > 200 && qBlue(centre) < 60;
        }));
    }

    void confirmOnlyStates_data()
    {
        QTest::addColumn<bool>("hasFineFolder");
        QTest::addColumn<QString>("text");
        QTest::newRow("no 成品 folder, marks present") << false << "未找到照片存储路径，可直接确定继续提交。";
        QTest::newRow("nothing selected") << true << "订单未选择照片，确定要继续提交吗？";
    }

    void confirmOnlyStates()
    {
        QFETCH(bool, hasFineFolder);
        QFETCH(QString, text);
        if (hasFineFolder)
            QVERIFY(QDir().mkpath(m_order->path("成品")) && QDir().mkpath(m_order->path("marks")));
        else
            m_order->addFile("marks/m.jpg", ExifJpeg::plain(20, 20, Qt::blue));
        UploadList list;
        QCOMPARE(list.summary(), text);
        QCOMPARE(list.buttons(), QStringLiteral("确定|取消"));
        list.start();
        QCOMPARE(list.succeeded->count(), 1);
        QVERIFY(!list.dialog->isVisible());
        QVERIFY(uploads().isEmpty());
    }

    void unreadableSelectionIsNotUploaded_data()
    {
        QTest::addColumn<QString>("locked"); // the folder whose rights are taken away
        QTest::addColumn<int>("rights");
        const int noRead = QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        const int noSearch = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        QTest::newRow("成品 without the right to read it") << "成品" << noRead;
        QTest::newRow("an order folder that may not be searched") << "" << noSearch;
    }

    // A 成品 that is there but cannot be listed is no empty selection: one box says so, and
    // neither its photos nor the marks and crops go up, nor does the submission go on. The suite
    // runs as root, which reads every folder: root's power to pass over rights is lowered while
    // the list is built.
    void unreadableSelectionIsNotUploaded()
    {
        QFETCH(QString, locked);
        QFETCH(int, rights);
        addSelection();
        const QString folder = locked.isEmpty() ? m_order->order() : m_order->album(locked);
        const QFileDevice::Permissions before = QFile::permissions(folder);
        QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(rights)));
        std::unique_ptr<UploadList> list;
        bool isHeld = false;
        {
            ReadRightsHeld held;
            isHeld = held.isHeld();
            list = std::make_unique<UploadList>();
        }
        QFile::setPermissions(folder, before);
        if (!isHeld)
            QSKIP("the read rights cannot be held for this thread here");
        const QString text = QStringLiteral("成品文件夹无法读取，不能上传：请检查后重新打开上传窗口");
        QVERIFY(waitUntil([this] { return m_prompts->count() > 0; }));
        list->start();
        QVERIFY(list->isIdle()); // no run started
        QCOMPARE(m_prompts->texts(), QStringList {text});
        QCOMPARE(list->summary(), text);
        QVERIFY(!list->button("btnStartUpload")->isEnabled());
        QCOMPARE(list->table()->rowCount(), 0);
        QCOMPARE(list->succeeded->count(), 0);
        QVERIFY(uploads().isEmpty());
    }

    // Every file arrives as the stand-in received it: the fields, the "type" of marks and crops,
    // and the very bytes of the file; the submission goes on only then.
    void uploadsEveryFileAsAMultipartPost()
    {
        addSelection();
        UploadList list;
        list.dialog->show();
        list.start();
        QVERIFY(list.runEnds());
        QCOMPARE(list.succeeded->count(), 1);
        QVERIFY(!list.dialog->isVisible());
        QCOMPARE(m_prompts->count(), 0);

        const QList<StandInRequest> posts = uploads();
        QCOMPARE(posts.size(), 4);
        const QStringList files = {"成品缩略图/A.jpg", "成品缩略图/b.jpg", "marks/A.jpg", "crops/b.jpg"};
        const QStringList types = {"", "", "2", "3"};
        for (int i = 0; i < posts.size(); ++i) {
            const StandInRequest& post = posts.at(i);
            QCOMPARE(post.g, QStringLiteral("Publicapi"));
            QVERIFY(!post.target.contains("token"));
            QList<QPair<QString, QString>> expected;
            if (!types.at(i).isEmpty())
                expected << qMakePair(QStringLiteral("type"), types.at(i));
            expected << qMakePair(QStringLiteral("orderpayforkey"), QStringLiteral("PAY-7781"))
                     << qMakePair(QStringLiteral("application"), QStringLiteral("xuanpian"))
                     << qMakePair(QStringLiteral("shopid"), QStringLiteral("12"))
                     << qMakePair(QStringLiteral("booktime"), QStringLiteral("2026-03-05 10:30:00"))
                     << qMakePair(QStringLiteral("imageindex"), QString::number(i))
                     << qMakePair(QStringLiteral("servicetimes"), QStringLiteral("1"))
                     << qMakePair(QStringLiteral("order_photo_id"), QStringLiteral("40001"))
                     << qMakePair(QStringLiteral("order_sample_infoid"), QStringLiteral("30001"))
                     << qMakePair(QStringLiteral("orderid"), QStringLiteral("20001"))
                     << qMakePair(QStringLiteral("upload_personid"), QStringLiteral("88"));
            QCOMPARE(textParts(post), expected);
            const StandInPart* file = filePart(post);
            QVERIFY(file);
            QVERIFY(post.parts.value(types.at(i).isEmpty() ? 0 : 1).hasFileName); // after the "type"
            QCOMPARE(file->name, QFileInfo(files.at(i)).fileName());
            QCOMPARE(file->fileName, m_order->path(files.at(i)));
            QCOMPARE(file->contentType, QByteArray("image/jpg"));
            QVERIFY2(file->body == m_order->read(files.at(i)), qPrintable(files.at(i)));
        }
    }

    // An order folder whose own path holds the words "marks" and "crops": its photos stay photos.
    void folderDecidesMarkOrCrop()
    {
        const QString order = m_order->path("marks and crops/");
        QVERIFY(QDir().mkpath(order + "成品"));
        DirServer::setOrderPath(order);
        m_order->addFile(order + "成品/p.jpg", ExifJpeg::plain(100, 80, Qt::red));
        m_order->addFile(order + "成品缩略图/p.jpg", ExifJpeg::plain(100, 80, Qt::red));
        m_order->addFile(order + "crops/q.jpg", ExifJpeg::plain(100, 80, Qt::red));
        UploadList list;
        QVERIFY(list.summary().startsWith(QStringLiteral("照片总计：2 张，成品：1 张，标注：0 张，裁剪：1 张")));
        list.start();
        QVERIFY(list.runEnds());
        QCOMPARE(uploads().size(), 2);
        QCOMPARE(textParts(uploads().at(0)).value(0).first, QStringLiteral("orderpayforkey"));
        QCOMPARE(textParts(uploads().at(1)).value(0), qMakePair(QStringLiteral("type"), QStringLiteral("3")));
        QCOMPARE(textParts(uploads().at(1)).value(1).first, QStringLiteral("orderpayforkey"));
        QCOMPARE(list.succeeded->count(), 1);
    }

    void failuresAndRetry_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<bool>("uploaded");
        QTest::newRow("receipt") << Failure::None << QJsonObject {{"code", "1"}, {"message", "上传成功"}} << true;
        QTest::newRow("object without code") << Failure::None << QJsonObject {{"url", "x.jpg"}} << true;
        QTest::newRow("refusal") << Failure::None << QJsonObject {{"code", "0"}, {"message", "存储空间不足"}} << false;
        QTest::newRow("code of another type") << Failure::None << QJsonObject {{"code", QJsonValue()}} << false;
        QTest::newRow("HTTP 500") << Failure::HttpStatus << QJsonObject() << false;
        QTest::newRow("refused connection") << Failure::Refused << QJsonObject() << false;
        QTest::newRow("not JSON") << Failure::NotJson << QJsonObject() << false;
        QTest::newRow("array") << Failure::Array << QJsonObject() << false;
    }

    // A failed file is never counted as uploaded; "重传" and "重新上传" send it again.
    void failuresAndRetry()
    {
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(bool, uploaded);
        m_order->addFile("成品/A.jpg", ExifJpeg::plain(100, 80, Qt::red));
        m_order->addFile("成品/b.jpg", ExifJpeg::plain(100, 80, Qt::red));
        m_order->addFile("成品缩略图/A.jpg", ExifJpeg::plain(100, 80, Qt::red));
        m_order->addFile("成品缩略图/b.jpg", ExifJpeg::plain(100, 80, Qt::red));
        scriptEndpoint(m_backend, "upload", "plupload", failure, answer);
        UploadList list;
        list.start();
        QVERIFY(list.runEnds());
        if (uploaded) {
            QCOMPARE(list.succeeded->count(), 1);
            QCOMPARE(m_prompts->count(), 0);
            return;
        }
        QCOMPARE(list.succeeded->count(), 0);
        QCOMPARE(list.column(2), (QStringList {"失败", "失败"}));
        QCOMPARE(list.column(4), (QStringList {"重传", "重传"}));
        QCOMPARE(list.buttons(), QStringLiteral("重新上传|关闭"));
        QVERIFY(list.button("btnRetryFailed")->isEnabled());
        QVERIFY(m_prompts->contains(QStringLiteral("提示"), QStringLiteral("上传结束：成功 0，失败 2，不存在 0。")));

        // One row through its action cell: no end message, the other stays failed.
        m_backend.reset();
        m_prompts->clear();
        emit list.table()->cellClicked(1, 4);
        QVERIFY(list.runEnds());
        QCOMPARE(list.column(2), (QStringList {"失败", "成功"}));
        QCOMPARE(list.column(3).at(1), QStringLiteral("100%"));
        QCOMPARE(m_prompts->count(), 0);
        QCOMPARE(list.succeeded->count(), 0);
        QCOMPARE(list.progressText(), QStringLiteral("1/2"));

        // The rest: now everything arrived and the submission goes on.
        list.start();
        QVERIFY(list.runEnds());
        QCOMPARE(list.succeeded->count(), 1);
        QCOMPARE(uploads().size(), 2);
        QCOMPARE(uploads().at(1).value("imageindex"), QStringLiteral("0"));
    }

    // While a post is out its row reads "上传中" and counts as waiting; cancel makes it failed.
    void progressAndCancel()
    {
        addSelection();
        scriptEndpoint(m_backend, "upload", "plupload", Failure::Held, QJsonObject {{"code", "1"}});
        UploadList list;
        list.start();
        QVERIFY(waitUntil([this] { return m_backend->heldCount() == 1; }));
        QVERIFY(waitUntil([&] { return list.cell(0, 3) == QLatin1String("100%"); }));
        QCOMPARE(list.cell(0, 2), QStringLiteral("上传中"));
        QVERIFY(list.summary().endsWith(QStringLiteral("待上传：4，成功：0，失败：0，不存在：0")));
        QCOMPARE(list.buttons(), QStringLiteral("正在上传|取消上传"));
        QVERIFY(!list.button("btnStartUpload")->isEnabled());

        list.button("btnCancel")->click();
        QCOMPARE(list.cell(0, 2), QStringLiteral("失败"));
        QCOMPARE(list.buttons(), QStringLiteral("开始上传|取消"));
        m_backend->releaseHeld();
        QTest::qWait(50);
        QCOMPARE(uploads().size(), 1);
        QCOMPARE(m_prompts->count(), 0);
        QCOMPARE(list.cell(0, 2), QStringLiteral("失败"));

        // Going on sends the waiting rows only; the cancelled one stays failed.
        m_backend.reset();
        list.start();
        QVERIFY(list.runEnds());
        QCOMPARE(list.column(2), (QStringList {"失败", "成功", "成功", "成功"}));
        QCOMPARE(list.buttons(), QStringLiteral("重新上传|关闭"));
        QCOMPARE(list.succeeded->count(), 0);
    }

    // "重传" waits while a run goes on and comes back on every failed row once it is cancelled.
    void retryCellsAfterCancel()
    {
        addSelection();
        int answered = 0;
        m_backend->setHandler("upload", "plupload", [&answered](const StandInRequest&) {
            const bool isFirst = answered++ == 0;
            return isFirst ? StandInReply::json(QJsonObject {{"code", "0"}, {"message", "拒收"}})
                           : StandInReply::json(QJsonObject {{"code", "1"}}).held();
        });
        UploadList list;
        list.start();
        QVERIFY(waitUntil([this] { return m_backend->heldCount() == 1; }));
        QCOMPARE(list.column(2).mid(0, 2), (QStringList {"失败", "上传中"}));
        QCOMPARE(list.cell(0, 4), QString());
        list.button("btnCancel")->click();
        QCOMPARE(list.column(2).mid(0, 2), (QStringList {"失败", "失败"}));
        QCOMPARE(list.column(4).mid(0, 2), (QStringList {"重传", "重传"}));
        m_backend->releaseHeld();
    }

    void closingMidRunDropsTheRun_data()
    {
        QTest::addColumn<bool>("whilePosting");
        QTest::newRow("while the file is prepared") << false;
        QTest::newRow("while the post is out") << true;
    }

    // The dialog deleted mid-run (its close control, delete-on-close) takes the run with it: the
    // answer or the worker's result reaches nothing, and the submission does not start.
    void closingMidRunDropsTheRun()
    {
        QFETCH(bool, whilePosting);
        m_order->addFile("成品/p.jpg", ExifJpeg::plain(3000, 2000, Qt::red)); // regenerated first
        m_order->addFile("成品/q.jpg", ExifJpeg::plain(100, 80, Qt::red));
        m_order->addFile("成品缩略图/q.jpg", ExifJpeg::plain(100, 80, Qt::red));
        scriptEndpoint(m_backend, "upload", "plupload", Failure::Held, QJsonObject {{"code", "1"}});
        auto list = std::make_unique<UploadList>();
        list->start();
        if (whilePosting)
            QVERIFY(waitUntil([this] { return m_backend->heldCount() == 1; }));
        const int succeeded = list->succeeded->count();
        list->dialog.reset();
        m_backend->releaseHeld();
        QTest::qWait(200);
        QCOMPARE(succeeded, 0);
        QCOMPARE(uploads().size(), whilePosting ? 1 : 0);
        QCOMPARE(m_prompts->count(), 0);
    }

    // A quote or backslash in a name travels escaped; a line break cannot travel at all.
    void namesInTheHeader_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("sent");
        QTest::newRow("quote") << QStringLiteral("say \"cheese\".jpg") << true;
        QTest::newRow("backslash") << QStringLiteral("a\\b.jpg") << true;
        QTest::newRow("semicolon and name=") << QStringLiteral("x; name=\"y\".jpg") << true;
        QTest::newRow("line break") << QStringLiteral("a\r\nX-Injected: 1.jpg") << false;
    }

    void namesInTheHeader()
    {
        QFETCH(QString, name);
        QFETCH(bool, sent);
        m_order->addFile("成品/" + name, ExifJpeg::plain(50, 40, Qt::red));
        m_order->addFile("成品缩略图/" + name, ExifJpeg::plain(50, 40, Qt::red));
        UploadList list;
        QCOMPARE(list.column(1), QStringList {name});
        list.start();
        QVERIFY(list.runEnds());
        if (!sent) {
            QVERIFY(uploads().isEmpty());
            QCOMPARE(list.column(2), QStringList {"失败"});
            QCOMPARE(list.succeeded->count(), 0);
            return;
        }
        QCOMPARE(uploads().size(), 1);
        const StandInPart* file = filePart(uploads().at(0));
        QVERIFY(file);
        QCOMPARE(file->name, name);
        QCOMPARE(file->fileName, m_order->path("成品缩略图/" + name));
        QCOMPARE(file->body, m_order->read("成品缩略图/" + name));
        QCOMPARE(uploads().at(0).value("imageindex"), QStringLiteral("0"));
        QCOMPARE(list.succeeded->count(), 1);
    }

    // A missing finished copy is made again from 成品 or 汰片 before its turn and sent as written,
    // also from a camera's upper-case ".JPG" (the list names it with ".jpg").
    void regeneratesAMissingCopyBeforeSending()
    {
        m_order->addFile("成品/big.jpg", ExifJpeg::plain(2400, 1600, Qt::red));
        m_order->addFile("成品/cam.JPG", ExifJpeg::plain(1200, 800, Qt::yellow));
        m_order->addFile("成品/small.jpg", ExifJpeg::plain(600, 900, Qt::blue));
        m_order->addFile("成品/ok.jpg", ExifJpeg::plain(100, 100, Qt::green));
        m_order->addFile("成品缩略图/ok.jpg", ExifJpeg::plain(100, 100, Qt::green));
        UploadList list;
        QCOMPARE(list.column(2), (QStringList {"文件不存在", "文件不存在", "待上传", "文件不存在"}));
        list.start();
        QVERIFY(list.runEnds());
        QCOMPARE(list.column(2), (QStringList {"成功", "成功", "成功", "成功"}));
        QCOMPARE(list.succeeded->count(), 1);
        QCOMPARE(m_order->sizeOf("成品缩略图/big.jpg"), QSize(1000, 666));
        QCOMPARE(m_order->sizeOf("成品缩略图100/big.jpg"), QSize(200, 133));
        QCOMPARE(m_order->sizeOf("成品缩略图/cam.jpg"), QSize(1000, 666));
        QCOMPARE(m_order->sizeOf("成品缩略图/small.jpg"), QSize(666, 1000));
        QCOMPARE(uploads().size(), 4);
        QCOMPARE(filePart(uploads().at(0))->body, m_order->read("成品缩略图/big.jpg"));
        QCOMPARE(filePart(uploads().at(1))->body, m_order->read("成品缩略图/cam.jpg"));
        QCOMPARE(filePart(uploads().at(3))->body, m_order->read("成品缩略图/small.jpg"));
    }

    // Marks and crops that vanished are passed over without a request, never made again, and
    // named (twenty at most) when a regeneration starts.
    void vanishedMarksArePassedOver()
    {
        m_order->addFile("成品/p.jpg", ExifJpeg::plain(100, 80, Qt::red));
        m_order->addFile("成品缩略图/p.jpg", ExifJpeg::plain(100, 80, Qt::red));
        QStringList lines;
        for (int i = 0; i < 21; ++i) {
            const QString name = QStringLiteral("m%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
            m_order->addFile(i < 20 ? "marks/" + name : "crops/" + name, ExifJpeg::plain(20, 20, Qt::blue));
            lines << (i < 20 ? "标注：" : "裁剪：") + name;
        }
        UploadList list;
        QDir(m_order->path("marks")).removeRecursively();
        QDir(m_order->path("crops")).removeRecursively();
        list.start();
        QVERIFY(list.runEnds());
        QCOMPARE(uploads().size(), 1);
        QCOMPARE(list.cell(0, 2), QStringLiteral("成功"));
        QCOMPARE(list.cell(21, 2), QStringLiteral("文件不存在"));
        QVERIFY(m_prompts->contains(QStringLiteral("提示"), QStringLiteral("上传结束：成功 1，失败 0，不存在 21。")));
        // Missing rows alone do not hold the submission back.
        QCOMPARE(list.buttons(), QStringLiteral("完成|关闭"));

        m_prompts->clear();
        list.button("btnGenerateThumb")->click();
        QCOMPARE(m_prompts->calls().value(0).kind, PromptCall::Warning);
        QCOMPARE(m_prompts->calls().value(0).text,
            QStringLiteral("以下标注/裁剪照片不存在，不会自动生成：\n\n") + QStringList(lines.mid(0, 20)).join('\n')
                + QStringLiteral("\n... 等共 21 张"));
        QCOMPARE(m_prompts->count(), 1); // nothing to regenerate: no second box
        list.start();
        QCOMPARE(list.succeeded->count(), 1);
    }

    void generateButton_data()
    {
        QTest::addColumn<QStringList>("originals"); // relative paths of the full-size photos
        QTest::addColumn<QStringList>("status");
        QTest::addColumn<QString>("box");
        QTest::newRow("from 成品 and 汰片")
            << QStringList {"成品/a.jpg", "汰片/b.jpg"} << QStringList {"待上传", "待上传"}
            << "已生成 2 张成品缩略图，仍有 0 张找不到原图。";
        QTest::newRow("one original missing") << QStringList {"成品/a.jpg"} << QStringList {"待上传", "文件不存在"}
                                              << "已生成 1 张成品缩略图，仍有 1 张找不到原图。";
    }

    void generateButton()
    {
        QFETCH(QStringList, originals);
        QFETCH(QStringList, status);
        QFETCH(QString, box);
        m_order->addFile("成品/a.jpg", ExifJpeg::plain(1200, 800, Qt::red));
        m_order->addFile("成品/b.jpg", ExifJpeg::plain(120, 80, Qt::red));
        UploadList list;
        // b's full-size photo is where the row says, or nowhere.
        QFile::remove(m_order->path("成品/b.jpg"));
        for (const QString& original : originals)
            if (!m_order->exists(original))
                m_order->addFile(original, ExifJpeg::plain(120, 80, Qt::blue));
        list.button("btnGenerateThumb")->click();
        QVERIFY(waitUntil([&] { return m_prompts->count() > 0; }));
        QCOMPARE(m_prompts->last().title, QStringLiteral("提示"));
        QCOMPARE(m_prompts->last().text, box);
        QCOMPARE(list.column(2), status);
        QCOMPARE(list.column(3).at(0), QStringLiteral("0%"));
        QCOMPARE(list.button("btnGenerateThumb")->isEnabled(), status.contains("文件不存在"));
    }
};

QTEST_MAIN(TestUploadPhotoListDialog)
#include "tst_uploadphotolistdialog.moc"

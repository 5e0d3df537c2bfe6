#include "widgets/fullscreenloading.h"
#include "core/config.h"
#include "core/deployment.h"
#include "exchange/n8productfile.h"
#include "exchange/n8selection.h"
#include "exchange/n8selectionread.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <memory>

namespace {

const QString kOrder = QStringLiteral("旗舰店/DEMO-1001");
const QString kResults = QStringLiteral("选版结果");
const QString kShares = QStringLiteral("\\\\N8SERVER\\N8Share=%1;Z:=%1");

QJsonObject fixture(const char* file)
{
    QFile f(QStringLiteral(STANDIN_FIXTURES_DIR "/") + QLatin1String(file));
    return f.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(f.readAll()).object() : QJsonObject();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray lines(const QStringList& list)
{
    return (list.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

const QStringList kHead
    = {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<n8vg_prdlist version=\"1.0\" Time=\"2020-10-26 16:14:14\">"};

QStringList productLines(const QString& id, const QString& name, const QString& width, const QString& height)
{
    return {"<n8vg_product>", "<id>" + id + "</id>", "<name>" + name + "</name>", "<width>" + width + "</width>",
        "<height>" + height + "</height>", "<items/>", "</n8vg_product>"};
}

} // namespace

class TestN8Selection : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    QTemporaryDir m_dir;
    // A folder of this computer outside every share.
    QTemporaryDir m_outside;
    std::unique_ptr<PromptRecorder> m_prompts;
    std::unique_ptr<QWidget> m_panel;
    QProcess* m_process = nullptr;
    N8Selection* m_road = nullptr;
    std::unique_ptr<QSignalSpy> m_synced;
    int m_round = 0;

    // This test's copy of the share, mapped for the client and for the fake N8ViewGo.
    QString m_share;
    QString order() const { return m_share + "/" + kOrder; }
    QString results() const { return order() + "/" + kResults; }
    QString argsFile() const { return m_share + "/viewgo-args.txt"; }
    QStringList launches() const
    {
        const QByteArray bytes = readAll(argsFile());
        return bytes == "(missing)" ? QStringList() : QString::fromUtf8(bytes).split('\n', Qt::SkipEmptyParts);
    }
    int posts(const char* a) { return m_backend->requestsTo("order", a).size(); }
    bool isOverlayUp() { return FullScreenLoading::getInstance(m_panel.get()) != nullptr; }
    // The road has gone quiet: N8ViewGo ended and no read-back is on its way.
    bool isIdle() { return m_process->state() == QProcess::NotRunning && !m_road->isN8Syncing(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        QVERIFY(m_dir.isValid());
        QVERIFY(m_outside.isValid());
        Config::order_id = QStringLiteral("DEMO-1001");
        Config::shop_id = QStringLiteral("101");
        Config::super_id = QStringLiteral("7");
        Config::manager_id = QStringLiteral("3002");
    }

    void init()
    {
        m_backend.reset();
        m_prompts.reset(new PromptRecorder);
        m_share = m_dir.filePath(QString::number(++m_round));
        const QString shares = kShares.arg(m_share);
        QVERIFY(Deployment::setN8Shares(shares));
        // N8ViewGo inherits the client's environment: the fake finds the share the same way.
        qputenv("PHOTOSELECT_N8_SHARES", shares.toLocal8Bit());
        qputenv("FAKE_VIEWGO_ARGS", argsFile().toLocal8Bit());
        Deployment::setN8ViewGoProgram(QStringLiteral(STANDIN_FIXTURES_DIR "/../fakeviewgo.sh"));
        for (const char* name : {"IMG_0002.jpg", "IMG_0001.jpg", "IMG_0003.JPG"})
            QVERIFY(writeFile(order() + "/照片/" + name, "jpeg"));
        m_panel.reset(new QWidget);
        m_panel->resize(400, 300);
        m_process = new QProcess(m_panel.get());
        m_road = new N8Selection(m_panel.get(), m_process);
        m_synced.reset(new QSignalSpy(m_road, &N8Selection::synced));
    }

    void cleanup()
    {
        if (m_process->state() != QProcess::NotRunning)
            m_process->waitForFinished(30000);
        m_synced.reset();
        m_panel.reset();
        m_prompts.reset();
        Deployment::setN8Shares(QString());
        Deployment::setN8ViewGoProgram(QString());
    }

    // "N8选版" end to end: the list goes out, the fake N8ViewGo selects, its files come back
    // in the sync post, and a second hand-off keeps the list N8ViewGo has worked on.
    void handOffAndReadBack()
    {
        m_road->getN8Info();
        QVERIFY(waitUntil([&] { return m_synced->count() == 1 && isIdle(); }));
        QCOMPARE(launches(), QStringList {"n8vg://\\\\N8SERVER\\N8Share\\旗舰店\\DEMO-1001"});
        QCOMPARE(posts("getpath"), 2);
        for (const StandInRequest& request : m_backend->requestsTo("order", "getpath"))
            QCOMPARE(request.keys(), (QStringList {"token", "order_photo_id", "shopid", "superid", "uid"}));
        const QList<StandInRequest> syncs = m_backend->requestsTo("order", "syncgoods");
        QCOMPARE(syncs.size(), 1);
        const StandInRequest& sync = syncs.first();
        QCOMPARE(sync.keys(),
            (QStringList {"token", "order_photo_id", "shopid", "superid", "uid", "comments", "yqnumber", "remark",
                "n8resultdata"}));
        QCOMPARE(sync.value("order_photo_id"), QStringLiteral("DEMO-1001"));
        QCOMPARE(sync.value("uid"), QStringLiteral("3002"));
        QCOMPARE(sync.value("comments"),
            QStringLiteral("[{\"id\":\"1201\",\"picnames\":[\"IMG_0001.jpg\"]},{\"id\":\"2405\",\"picnames\":["
                           "\"IMG_0002.jpg\"]},{\"id\":\"0607\",\"picnames\":[\"IMG_0003.JPG\"]},{\"id\":\"1008\","
                           "\"picnames\":[\"IMG_0001.jpg\"]}]"));
        QCOMPARE(sync.value("yqnumber"), QStringLiteral("3"));
        QCOMPARE(sync.value("remark"), QStringLiteral("N8选版完成"));
        QCOMPARE(sync.value("n8resultdata"), QString());
        QCOMPARE(m_prompts->count(), 1);
        QCOMPARE(m_prompts->last().kind, PromptCall::Question);
        QCOMPARE(m_prompts->last().text, QStringLiteral("N8数据成功同步到Velmo系统"));
        QVERIFY(!isOverlayUp());

        // Again: the list is not rewritten, and the one end of the second run posts once.
        const QByteArray selected = readAll(results() + "/VgProduct.data");
        QVERIFY(selected.contains("<item><id>IMG_0001.jpg</id>"));
        m_road->getN8Info();
        QVERIFY(waitUntil([&] { return m_synced->count() == 2 && isIdle(); }));
        QCOMPARE(launches().size(), 2);
        QCOMPARE(posts("syncgoods"), 2);
        QVERIFY(readAll(results() + "/VgProduct.data").startsWith(selected.left(selected.indexOf("</items>"))));
        QCOMPARE(QDir(results()).entryList(QDir::Files | QDir::Hidden),
            (QStringList {"Item.data", "VgProduct.data", "选版.ok"}));
    }

    // The bytes N8ViewGo gets for the products of the path reply.
    void productListBytes_data()
    {
        QTest::addColumn<QJsonArray>("goods");
        QTest::addColumn<QByteArray>("bytes");
        QStringList all = kHead;
        for (const QStringList& p :
            {productLines("1201", "12寸水晶相册", "305", "305"), productLines("2405", "24寸油画框", "406", "610"),
                productLines("0607", "6寸迷你相册", "102", "152"), productLines("1008", "10寸水晶摆台", "203", "254")})
            all += p;
        QTest::newRow("fixture order") << fixture("order.getpath.json").value("goods").toArray()
                                       << lines(all + QStringList {"</n8vg_prdlist>"});
        QTest::newRow("no products") << QJsonArray() << lines(kHead + QStringList {"</n8vg_prdlist>"});
        QTest::newRow("markup and numbers")
            << QJsonArray {QJsonObject {
                   {"goodid", "1"}, {"goodname", "相册&框<大>\"甲\""}, {"width", 305}, {"long", QJsonValue()}}}
            << lines(kHead + productLines("1", "相册&amp;框&lt;大>\"甲\"", "", "") + QStringList {"</n8vg_prdlist>"});
    }

    void productListBytes()
    {
        QFETCH(QJsonArray, goods);
        QFETCH(QByteArray, bytes);
        const QByteArray list = N8ProductFile::productList(goods);
        QCOMPARE(list, bytes);
        // Well-formed: it reads back as many products as were written.
        bool ok = false;
        QCOMPARE(N8SelectionRead::readProducts(list, &ok).size(), goods.size());
        QVERIFY(ok);
    }

    // Which target N8ViewGo is started on, for the order paths the back end may send.
    void launchTarget_data()
    {
        QTest::addColumn<QString>("n8pathPath");
        QTest::addColumn<QString>("selected"); // made beside the order folder; empty: none
        QTest::addColumn<QString>("target");
        const QString unc = "\\\\N8SERVER\\N8Share\\旗舰店\\DEMO-1001";
        QTest::newRow("no selected folder") << unc << ""
                                            << "plain";
        QTest::newRow("selected folder") << unc << "[已选]DEMO-1001"
                                         << "selected";
        QTest::newRow("forward slashes") << "//N8SERVER/N8Share/旗舰店/DEMO-1001"
                                         << "[已选]DEMO-1001"
                                         << "selected";
        QTest::newRow("trailing separator") << unc + "\\"
                                            << "[已选]DEMO-1001"
                                            << "selected";
        QTest::newRow("drive letter") << "Z:\\旗舰店\\DEMO-1001"
                                      << "[已选]DEMO-1001"
                                      << "selected";
        QTest::newRow("other folder selected") << unc << "[已选]DEMO-1002"
                                               << "plain";
    }

    void launchTarget()
    {
        QFETCH(QString, n8pathPath);
        QFETCH(QString, selected);
        QFETCH(QString, target);
        if (!selected.isEmpty())
            QVERIFY(QDir().mkpath(m_share + "/旗舰店/" + selected));
        const QJsonObject reply {
            {"n8path_path", n8pathPath}, {"n8path", "plain"}, {"n8path2", "selected"}, {"goods", QJsonArray()}};
        const N8ProductFile::HandOff handOff = N8ProductFile::prepare(reply);
        QVERIFY2(handOff.isValid(), qPrintable(handOff.error));
        QCOMPARE(handOff.target, target);
        // The list lies where the unchanged order path leads.
        QCOMPARE(readAll(results() + "/VgProduct.data"), N8ProductFile::productList(QJsonArray()));
    }

    // A list that cannot be written is said, and N8ViewGo is not started on nothing.
    void unwritableListStopsTheLaunch_data()
    {
        QTest::addColumn<QString>("blocker"); // a file put where a folder belongs, or the reverse
        QTest::addColumn<QString>("error");
        QTest::newRow("file in place of the result folder") << "file:" + kResults << "选版结果文件夹的位置上有一个文件";
        QTest::newRow("order folder missing") << "remove:"
                                              << "选版结果文件夹无法创建";
        QTest::newRow("folder in place of the list") << "folder:" + kResults + "/VgProduct.data"
                                                     << "产品文件的位置上有一个文件夹";
    }

    void unwritableListStopsTheLaunch()
    {
        QFETCH(QString, blocker);
        QFETCH(QString, error);
        const QString kind = blocker.section(':', 0, 0);
        const QString path = order() + "/" + blocker.section(':', 1);
        if (kind == "file")
            QVERIFY(writeFile(path, "not a folder"));
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        else
            QVERIFY(QDir(order()).removeRecursively());
        m_road->getN8Info();
        QVERIFY(waitUntil([&] { return m_prompts->count() == 1; }));
        QCOMPARE(m_prompts->last().title, QStringLiteral("警告"));
        QVERIFY2(m_prompts->last().text.contains(error), qPrintable(m_prompts->last().text));
        QCOMPARE(m_prompts->last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QCOMPARE(m_process->state(), QProcess::NotRunning);
        QVERIFY(launches().isEmpty());
        QVERIFY(!isOverlayUp());
        QVERIFY(!QFile::exists(results() + "/VgProduct.data") || QFileInfo(results() + "/VgProduct.data").isDir());
    }

    // A path reply that names no folder of a share writes nothing anywhere, starts nothing
    // and says why; a missing order path would otherwise leave "\\选版结果", the disk's root.
    void handOffOutsideTheSharesIsRefused_data()
    {
        QTest::addColumn<QJsonObject>("reply");
        QTest::addColumn<QString>("why");
        const QJsonObject fixed = fixture("order.getpath.json");
        QJsonObject missing = fixed;
        missing.remove("n8path_path");
        QJsonObject empty = fixed;
        empty["n8path_path"] = "";
        QJsonObject oneBackslash = fixed;
        oneBackslash["n8path_path"] = QString(m_outside.path()).replace('/', '\\');
        QJsonObject noTarget = fixed;
        noTarget.remove("n8path");
        const QString incomplete = "N8路径信息不完整：后台没有给出 ";
        QTest::newRow("order path missing") << missing << incomplete + "n8path_path";
        QTest::newRow("order path empty") << empty << incomplete + "n8path_path";
        QTest::newRow("order path with one backslash") << oneBackslash
                                                       << "N8共享 /tmp 没有配置本机位置（PHOTOSELECT_N8_SHARES）："
                + oneBackslash["n8path_path"].toString() + "\\" + kResults;
        QTest::newRow("target missing") << noTarget << incomplete + "n8path";
    }

    void handOffOutsideTheSharesIsRefused()
    {
        QFETCH(QJsonObject, reply);
        QFETCH(QString, why);
        const QString rootResults = QStringLiteral("/") + kResults;
        const bool rootHadResults = QFileInfo::exists(rootResults);
        // Should the refusal fail, what it let through is taken away again.
        const auto cleanRoot = qScopeGuard([&] {
            if (!rootHadResults)
                QDir(rootResults).removeRecursively();
        });
        m_backend->setReply("order", "getpath", StandInReply::json(reply));
        m_road->getN8Info();
        QVERIFY(waitUntil([&] { return m_prompts->count() == 1; }));
        QCOMPARE(m_prompts->last().title, QStringLiteral("警告"));
        QVERIFY2(m_prompts->last().text.endsWith("\n" + why), qPrintable(m_prompts->last().text));
        QCOMPARE(m_prompts->last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QVERIFY(!rootHadResults && !QFileInfo::exists(rootResults));
        QCOMPARE(
            QDir(m_outside.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
        QVERIFY(!QFileInfo::exists(results()));
        QVERIFY(launches().isEmpty());
        QCOMPARE(m_process->state(), QProcess::NotRunning);
        QVERIFY(!isOverlayUp());
    }

    // The list is written whole or not at all, and only where none is yet.
    void listWrittenOnlyWhenAbsent_data()
    {
        QTest::addColumn<QByteArray>("before"); // "(missing)": no file
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("isNew");
        QTest::newRow("absent") << QByteArray("(missing)") << int(N8ProductFile::Created::Written) << true;
        QTest::newRow("empty leftover") << QByteArray() << int(N8ProductFile::Created::Written) << true;
        QTest::newRow("worked on by N8ViewGo") << QByteArray("<n8vg_prdlist><p><id>1</id></p></n8vg_prdlist>")
                                               << int(N8ProductFile::Created::Kept) << false;
    }

    void listWrittenOnlyWhenAbsent()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, status);
        QFETCH(bool, isNew);
        const QString file = results() + "/VgProduct.data";
        if (before != "(missing)")
            QVERIFY(writeFile(file, before));
        const QByteArray list = N8ProductFile::productList(fixture("order.getpath.json").value("goods").toArray());
        const N8ProductFile::Created created = N8ProductFile::createFile(results(), file, list);
        QCOMPARE(int(created.status), status);
        QCOMPARE(readAll(file), isNew ? list : before);
        // No temporary file is left beside it.
        QCOMPARE(QDir(results()).entryList(QDir::Files | QDir::Hidden), QStringList {"VgProduct.data"});
    }

    // A start that fails takes the wait down and says so; nothing is read back.
    void failedStartIsReported_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("text");
        QTest::newRow("missing program") << m_dir.filePath("nowhere/ViewGo.exe") << "N8ViewGo启动失败";
        QTest::newRow("not configured") << ""
                                        << "PHOTOSELECT_N8VIEWGO";
    }

    void failedStartIsReported()
    {
        QFETCH(QString, program);
        QFETCH(QString, text);
        Deployment::setN8ViewGoProgram(program);
        m_road->getN8Info();
        QVERIFY(waitUntil([&] { return m_prompts->count() == 1; }));
        QVERIFY2(m_prompts->last().text.contains(text), qPrintable(m_prompts->last().text));
        QCOMPARE(m_prompts->last().title, QStringLiteral("警告"));
        QVERIFY(waitUntil([&] { return !isOverlayUp(); }));
        QTest::qWait(50);
        QCOMPARE(posts("getpath"), 1);
        QCOMPARE(m_synced->count(), 0);
    }

    // What is taken of a "VgProduct.data" as N8ViewGo leaves it.
    void productsReadBack_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("comments"); // empty: not well-formed
        QTest::newRow("photos then order product")
            << QByteArray("<?xml version=\"1.0\"?><n8vg_prdlist><n8vg_product><id>1201</id><name>相册</name><items>"
                          "<item><id>a.jpg</id><page>1</page></item><pic><page>2</page><id>b.jpg</id></pic></items>"
                          "<ordergoodid>80012</ordergoodid></n8vg_product></n8vg_prdlist>")
            << "[{\"id\":\"1201\",\"ordergoodid\":\"80012\",\"picnames\":[\"a.jpg\",\"b.jpg\"]}]";
        QTest::newRow("unchanged list") << N8ProductFile::productList(
            QJsonArray {QJsonObject {{"goodid", "1201"}}, QJsonObject {{"goodid", "2405"}}})
                                        << "[{\"id\":\"1201\",\"picnames\":[]},{\"id\":\"2405\",\"picnames\":[]}]";
        QTest::newRow("text, comment and entities")
            << QByteArray("<l><p>text only</p><!-- note --><p><comment>加急&amp;&lt;12寸&gt;</comment></p></l>")
            << "[{},{\"comment\":\"加急&<12寸>\",\"picnames\":[]}]";
        QTest::newRow("not closed") << QByteArray("<l><p><id>1</id></l>") << "";
        QTest::newRow("empty file") << QByteArray() << "";
    }

    void productsReadBack()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, comments);
        bool ok = false;
        const QJsonArray products = N8SelectionRead::readProducts(xml, &ok);
        QCOMPARE(ok, !comments.isEmpty());
        if (ok)
            QCOMPARE(N8SelectionRead::commentsText(products), comments);
    }

    // Which folder is read back, and what of it.
    void selectionReadBack_data()
    {
        QTest::addColumn<QStringList>("files"); // below the order folder; "[已选]" names the selected one
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("comments");
        QTest::addColumn<int>("photos");
        QTest::addColumn<QString>("remark");
        QTest::addColumn<QString>("resultText");
        const QString list = "选版结果/VgProduct.data";
        QTest::newRow("marker in any case") << QStringList {list, "选版结果/done.OK", "选版结果/Item.data"} << ""
                                            << "[{\"id\":\"1201\",\"picnames\":[]}]" << 3 << ""
                                            << "";
        QTest::newRow("result.json wins")
            << QStringList {list, "选版结果/x.ok", "选版结果/result.json", "选版结果/Item.data:备注"} << ""
            << "[]" << 0 << ""
            << "{\"picks\":[\"a.jpg\"]}\n";
        QTest::newRow("remark") << QStringList {list, "选版结果/x.ok", "选版结果/Item.data:放大&lt;两寸&gt;"} << ""
                                << "[{\"id\":\"1201\",\"picnames\":[]}]" << 3 << "放大<两寸>"
                                << "";
        QTest::newRow("selected folder needs no marker") << QStringList {"[已选]/" + list, "[已选]/照片/x.png"} << ""
                                                         << "[{\"id\":\"1201\",\"picnames\":[]}]" << 1 << ""
                                                         << "";
        QTest::newRow("no marker") << QStringList {list} << "选版未完成，无法同步选版信息"
                                   << "" << 0 << ""
                                   << "";
        QTest::newRow("no list") << QStringList {"选版结果/a.ok"} << "N8选版结果文件VgProduct.data不能读取"
                                 << "" << 0 << ""
                                 << "";
        QTest::newRow("broken list") << QStringList {"选版结果/a.ok", "选版结果/VgProduct.data:<a><b></a>"}
                                     << "N8选版结果文件VgProduct.data读取失败"
                                     << "" << 0 << ""
                                     << "";
    }

    void selectionReadBack()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, error);
        QFETCH(QString, comments);
        QFETCH(int, photos);
        QFETCH(QString, remark);
        QFETCH(QString, resultText);
        const QString selected = m_share + "/旗舰店/[已选]DEMO-1001";
        // A photo folder as N8 may hold it: upper case counts, ".jpeg" does not, ".jpg.bak" does.
        for (const char* name : {"A.JPG", "b.png", "c.jpeg", "d.jpg.bak"})
            QVERIFY(writeFile(order() + "/照片/" + name, "x"));
        for (const char* name : {"IMG_0001.jpg", "IMG_0002.jpg", "IMG_0003.JPG"})
            QVERIFY(QFile::remove(order() + "/照片/" + name));
        for (const QString& file : files) {
            QString path = file.section(':', 0, 0);
            path = path.startsWith("[已选]/") ? selected + path.mid(4) : order() + "/" + path;
            QByteArray bytes = file.section(':', 1).toUtf8();
            if (path.endsWith("VgProduct.data") && bytes.isEmpty())
                bytes = N8ProductFile::productList(QJsonArray {QJsonObject {{"goodid", "1201"}}});
            else if (path.endsWith("Item.data"))
                bytes = "<?xml version=\"1.0\"?><n8vg_item comment=\"" + bytes + "\"/>";
            else if (path.endsWith("result.json"))
                bytes = "{\"picks\":[\"a.jpg\"]}\r\n";
            QVERIFY(writeFile(path, bytes));
        }
        const N8SelectionRead::Folder folder = N8SelectionRead::chooseFolder(selected, order());
        N8SelectionRead::Selection selection;
        selection.error = folder.error;
        if (folder.isValid())
            selection = N8SelectionRead::read(folder.path);
        QCOMPARE(selection.error, error);
        if (!error.isEmpty())
            return;
        QCOMPARE(N8SelectionRead::commentsText(selection.comments), comments);
        QCOMPARE(selection.photoCount, photos);
        QCOMPARE(selection.remark, remark);
        QCOMPARE(selection.resultText, resultText);
    }

    // Every failure of the read-back closes the wait, says why and posts nothing more.
    void readBackFailures_data()
    {
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const QJsonObject refusal {{"code", "0"}, {"message", "订单不存在"}};
        QTest::newRow("path: http 500") << "getpath" << Failure::HttpStatus << QJsonObject() << "警告"
                                        << "网络请求错误\n500";
        QTest::newRow("path: not json") << "getpath" << Failure::NotJson << QJsonObject() << "提醒"
                                        << "数据格式错误";
        QTest::newRow("path: refusal") << "getpath" << Failure::None << refusal << "警告"
                                       << "查询选版信息错误：订单不存在";
        QTest::newRow("path: unmapped share")
            << "getpath" << Failure::None
            << QJsonObject {{"code", "1"}, {"n8path_root_path", "\\\\OTHER\\n8"}, {"n8path_dir_path", "DEMO-1001"}}
            << "提醒"
            << "N8共享 \\\\OTHER\\n8 没有配置本机位置（PHOTOSELECT_N8_SHARES）：\\\\OTHER\\n8\\DEMO-1001";
        // The read-back's folders must lie in a share as well: an empty root read "\\" + folder.
        const QString incomplete = "N8路径信息不完整：后台没有给出 ";
        QTest::newRow("path: root missing")
            << "getpath" << Failure::None << QJsonObject {{"code", "1"}, {"n8path_dir_path", "DEMO-1001"}} << "提醒"
            << incomplete + "n8path_root_path";
        QTest::newRow("path: root empty")
            << "getpath" << Failure::None
            << QJsonObject {{"code", "1"}, {"n8path_root_path", ""}, {"n8path_dir_path", "DEMO-1001"}} << "提醒"
            << incomplete + "n8path_root_path";
        QTest::newRow("path: order folder missing")
            << "getpath" << Failure::None
            << QJsonObject {{"code", "1"}, {"n8path_root_path", "\\\\N8SERVER\\N8Share\\旗舰店"}} << "提醒"
            << incomplete + "n8path_dir_path";
        QTest::newRow("path: root with one backslash")
            << "getpath" << Failure::None
            << QJsonObject {{"code", "1"}, {"n8path_root_path", "\\tmp"}, {"n8path_dir_path", "DEMO-1001"}} << "提醒"
            << "N8共享 /tmp 没有配置本机位置（PHOTOSELECT_N8_SHARES）：\\tmp\\DEMO-1001";
        QTest::newRow("sync: not json") << "syncgoods" << Failure::Array << QJsonObject() << "警告"
                                        << "返回数据格式错误";
        QTest::newRow("sync: refusal") << "syncgoods" << Failure::None << refusal << "警告"
                                       << "查询选版信息错误：订单不存在";
    }

    void readBackFailures()
    {
        QFETCH(QString, endpoint);
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QVERIFY(writeFile(results() + "/VgProduct.data", N8ProductFile::productList(QJsonArray())));
        QVERIFY(writeFile(results() + "/a.ok", ""));
        scriptEndpoint(m_backend, "order", endpoint, failure, answer);
        FullScreenLoading::showCancellable(m_panel.get(), "等待N8回传数据...", "关闭");
        QVERIFY(m_road->getSynN8Info());
        QVERIFY(waitUntil([&] { return m_prompts->count() == 1; }));
        QCOMPARE(m_prompts->last().title, title);
        QCOMPARE(m_prompts->last().text, text);
        QVERIFY(!m_road->isN8Syncing());
        QVERIFY(waitUntil([&] { return !isOverlayUp(); }));
        QCOMPARE(posts("syncgoods"), endpoint == "syncgoods" ? 1 : 0);
        QCOMPARE(m_synced->count(), 0);
    }

    // N8ViewGo ending while the operator's sync is on its way posts the selection once.
    void secondSyncWhileOneRuns()
    {
        QVERIFY(writeFile(results() + "/VgProduct.data", N8ProductFile::productList(QJsonArray())));
        QVERIFY(writeFile(results() + "/done.OK", ""));
        scriptEndpoint(m_backend, "order", "syncgoods", Failure::Held, fixture("order.syncgoods.json"));
        QVERIFY(m_road->getSynN8Info());
        QVERIFY(waitUntil([&] { return posts("syncgoods") == 1; }));
        QVERIFY(!m_road->getSynN8Info());
        m_process->start(QStringLiteral("true"), QStringList()); // N8ViewGo ends meanwhile
        QVERIFY(waitUntil([&] { return m_process->state() == QProcess::NotRunning; }));
        m_backend->releaseHeld();
        QVERIFY(waitUntil([&] { return m_synced->count() == 1; }));
        QTest::qWait(50);
        QCOMPARE(posts("getpath"), 1);
        QCOMPARE(posts("syncgoods"), 1);
        QVERIFY(!m_road->isN8Syncing());
        // Once it has ended, the next end of N8ViewGo reads back again.
        scriptEndpoint(m_backend, "order", "syncgoods", Failure::None, fixture("order.syncgoods.json"));
        m_process->start(QStringLiteral("true"), QStringList());
        QVERIFY(waitUntil([&] { return m_synced->count() == 2 && isIdle(); }));
        QCOMPARE(posts("syncgoods"), 2);
    }
};

QTEST_MAIN(TestN8Selection)
#include "tst_n8selection.moc"

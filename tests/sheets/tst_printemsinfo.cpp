#include "sheets/printemsinfo.h"
#include "sheets/thumbnailviewwindow.h"

#include "core/config.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "tests/support/failure.h"
#include "tests/support/orderfolder.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/sheetpage.h"
#include "tests/support/testbackend.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

using SheetPage::inOrder;

namespace {

Product express(const QString& id, const QString& name, const QString& addressId, const QString& urgent = "0")
{
    Product p;
    p.id = id;
    p.goodname = name;
    p.goodtype = QStringLiteral("摆台");
    p.goodamount = QStringLiteral("1");
    p.isurgent = urgent;
    p.print = true;
    p.isems = true;
    p.orderaddress.id = addressId;
    p.orderaddress.name = QStringLiteral("收件人") + addressId;
    p.orderaddress.phone = QStringLiteral("1390000") + addressId;
    p.orderaddress.postcode = QStringLiteral("310012");
    p.orderaddress.province = QStringLiteral("浙江省");
    p.orderaddress.city = QStringLiteral("杭州市");
    p.orderaddress.county = QStringLiteral("西湖区");
    p.orderaddress.address = QStringLiteral("文三路 ") + addressId + QStringLiteral(" 号");
    return p;
}

} // namespace

class TestPrintEmsInfo : public QObject
{
    Q_OBJECT

    TestBackend m_backend;
    QTemporaryDir m_out;

    // An express sheet with the given pickup dates, its page shown.
    PrintEmsInfo* openSheet(const QString& pickup = "2026-12-28", const QString& urgent = "2026-12-15")
    {
        auto* window = new PrintEmsInfo;
        window->selectername = QStringLiteral("<b>小李</b>");
        window->emsdescr = QStringLiteral("到付 & 验货\n<script>x</script>");
        window->orderpayforkey = QStringLiteral("DEMO-1001");
        window->servicetimes = QStringLiteral("1");
        window->urgent_date = urgent;
        window->ems_info.customer_names = QStringLiteral("王芳 / 李\"明\"");
        window->ems_info.customer_phones = QStringLiteral("13900001001 / 13800001001");
        window->ems_info.getgooddate = pickup;
        window->setProducts(ProductData::m_printProducts);
        window->show();
        if (!SheetPage::waitForTitle(window, QStringLiteral("快递服务收费单")))
            qWarning() << "express sheet not shown";
        return window;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        SheetPage::setOrderKeys();
    }

    void init()
    {
        m_backend.reset();
        Product parented = express("2", "相册 & 册", "1", "1");
        parented.hasParent = true;
        parented.parent_goodname = QStringLiteral("套系<A>");
        parented.goodtypeid = QStringLiteral("33");
        parented.goodpnumber = QStringLiteral("20");
        Product package = express("3", "套餐", "1");
        package.isexist = true;
        Product pickup = express("5", "自取相框", "1");
        pickup.isems = false;
        Product unprinted = express("6", "不打印", "2");
        unprinted.print = false;
        Product other = express("4", "水晶<框>", "2");
        other.orderaddress.name = QStringLiteral("A&B \"公司\"");
        ProductData::m_products = {express("1", "10寸摆台", "1"), parented, package, pickup, other, unprinted};
        ProductData::m_printProducts = ProductData::m_products;
    }

    void cleanup()
    {
        ProductData::m_products.clear();
        ProductData::m_printProducts.clear();
    }

    // Products grouped by address id in list order, packages counted without a row, the urgent
    // date for the urgent group only, every value escaped.
    void pageGroupsByAddress()
    {
        QScopedPointer<PrintEmsInfo> window(openSheet());
        const QString page = window->getHTMLString();
        QString missing;
        QVERIFY2(
            inOrder(page,
                {"<span align=\"center\" class=\"style1\">快递服务收费单</span>",
                    "选片师姓名：&lt;b&gt;小李&lt;/b&gt;</td>", ">DEMO-1001-1</div></td>", "王芳 / 李&quot;明&quot;",
                    " 快递信息： 联系人: <span style=\"color: #0000FF\">收件人1</span>",
                    "浙江省杭州市西湖区文三路 1 号</span></font></td></tr>",
                    "普通件：2026-12-28取件</font>     <font color=\"#DC143C\">加急件：2026-12-15取件</font>",
                    "产品名称", "<td align=\"center\">1</td>    <td align=\"left\">10寸摆台</td>",
                    "<td align=\"center\">2026-12-28</td>  <tr>    <td align=\"center\">2</td>",
                    "<td align=\"left\">套系&lt;A&gt;-相册 &amp; 册</td>", "<td align=\"center\">20</td>",
                    "<font color=\"#DC143C\">2026-12-15</font>", "产品总数:3件</div>",
                    "</table></td></tr></table><BR><table",
                    "联系人: <span style=\"color: #0000FF\">A&amp;B &quot;公司&quot;",
                    "普通件：2026-12-28取件</font></span>", "水晶&lt;框&gt;", "产品总数:1件</div>",
                    "到付 &amp; 验货<BR>&lt;script&gt;x&lt;/script&gt;<BR>", "费用合计：", "客户签字：", "</HTML>"},
                &missing),
            qPrintable(missing));
        QCOMPARE(page.count(QStringLiteral("快递信息：")), 2);
        QCOMPARE(page.count(QStringLiteral("加急件：")), 1);
        QVERIFY(!page.contains(QStringLiteral("套餐</td>")));
        QVERIFY(!page.contains(QStringLiteral("自取相框")));
        QVERIFY(!page.contains(QStringLiteral("不打印")));
        QVERIFY(!page.contains(QStringLiteral("<b>")) && !page.contains(QStringLiteral("<script>")));

        QTextDocument document;
        document.setHtml(page);
        const QString text = document.toPlainText();
        for (const char* shown : {"<b>小李</b>", "套系<A>-相册 & 册", "A&B \"公司\"", "<script>x</script>"})
            QVERIFY2(text.contains(QString::fromUtf8(shown)), shown);
    }

    // "1970-01-01" and empty mean no date; an urgent group without an urgent date shows no
    // urgent part, its urgent product an empty red cell.
    void missingDates_data()
    {
        QTest::addColumn<QString>("pickup");
        QTest::newRow("1970-01-01") << "1970-01-01";
        QTest::newRow("empty") << "";
    }

    void missingDates()
    {
        QFETCH(QString, pickup);
        QScopedPointer<PrintEmsInfo> window(openSheet(pickup, QString()));
        const QString page = window->getHTMLString();
        QVERIFY(!page.contains(QStringLiteral("加急件：")));
        QVERIFY(!page.contains(QStringLiteral("取件")));
        QVERIFY(!page.contains(QStringLiteral("1970-01-01")));
        QCOMPARE(page.count(QStringLiteral("普通件：</font></span>&nbsp;</td></tr>")), 2);
        QVERIFY(page.contains(QStringLiteral("<font color=\"#DC143C\"></font></span></td>")));
        QVERIFY(page.contains(QStringLiteral("<td align=\"center\"></td>  <tr>")));
    }

    void noExpressProducts()
    {
        ProductData::m_products.clear();
        QScopedPointer<PrintEmsInfo> window(openSheet());
        const QString page = window->getHTMLString();
        QVERIFY(!page.contains(QStringLiteral("快递信息")));
        QString missing;
        QVERIFY2(inOrder(page, {"快递服务收费单", "客人姓名", "到付", "客户签字：", "</HTML>"}, &missing),
            qPrintable(missing));
    }

    // The barcode only paces the page: however its download ends, the sheet appears, and a
    // failed download leaves no file.
    void barcodeDownload_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::newRow("arrives") << Failure::None;
        QTest::newRow("HTTP 500") << Failure::HttpStatus;
        QTest::newRow("connection refused") << Failure::Refused;
    }

    void barcodeDownload()
    {
        QFETCH(Failure, failure);
        if (failure != Failure::None)
            scriptEndpoint(m_backend, "order", "getbarcodegen", failure);
        QScopedPointer<PrintEmsInfo> window(openSheet());
        QCOMPARE(window->windowTitle(), QStringLiteral("快递服务收费单"));
        QCOMPARE(QFileInfo(window->barcodeFile()).size() > 0, failure == Failure::None);
        if (failure != Failure::Refused) {
            const QList<StandInRequest> gets = m_backend->requestsTo("order", "getbarcodegen");
            QCOMPARE(gets.size(), 1);
            QVERIFY(
                gets.first().target.contains("&order_photo_id=1001&shopid=7&superid=3&order_sample_infoid=55&token="));
            QVERIFY(!gets.first().target.contains("serveshopid"));
        }
    }

    // No sheet writes into the working directory, not even before any production sheet has
    // named a sheet folder; each keeps its files in a folder of its own, gone with the window.
    void nothingInTheWorkingDirectory()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        QVERIFY(order.isValid());
        order.addPhoto(PHOTO_FINE, QStringLiteral("IMG_0001.jpg"), 1200, 800);
        ImageData::getInstance()->importImage(PHOTO_FINE);
        QTemporaryDir working;
        const QString previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(working.path()));
        DirServer::setWebPageThumbPath(QString());

        QScopedPointer<PrintEmsInfo> express(openSheet());
        QScopedPointer<ThumbnailViewWindow> thumbnails(new ThumbnailViewWindow);
        thumbnails->show();
        QTRY_COMPARE_WITH_TIMEOUT(thumbnails->windowTitle(), QStringLiteral("成品缩略图"), 30000);
        QDir::setCurrent(previousDir);
        ImageData::getInstance()->clearImages();

        QCOMPARE(QDir(working.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QVERIFY(DirServer::getWebPageThumbPath().isEmpty());
        QVERIFY(express->sheetFolder().startsWith(DirServer::getTempPath()));
        QVERIFY(express->sheetFolder() != thumbnails->sheetFolder());
        QVERIFY(express->barcodeFile().startsWith(express->sheetFolder()));
        QVERIFY(QFileInfo(thumbnails->sheetFolder() + "IMG_0001.jpg").isFile());
        const QString folders[] = {express->sheetFolder(), thumbnails->sheetFolder()};
        express.reset();
        thumbnails.reset();
        for (const QString& folder : folders)
            QVERIFY2(!QFileInfo::exists(folder), qPrintable(folder));
    }

    void saveAsProposesItsName()
    {
        QScopedPointer<PrintEmsInfo> window(openSheet());
        const QString path = m_out.filePath(QStringLiteral("ems.html"));
        PromptRecorder prompts;
        prompts.answer(path);
        window->findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().title, QStringLiteral("另存为"));
        QCOMPARE(prompts.last().text, QStringLiteral("./快递服务收费单"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(file.readAll()).contains(QStringLiteral("水晶&lt;框&gt;")));
    }

    // A file that cannot be written is reported in a box of the sheet's window.
    void saveFailureIsReported_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("html") << "nowhere/ems.html";
        QTest::newRow("pdf") << "nowhere/ems.pdf";
    }

    void saveFailureIsReported()
    {
        QFETCH(QString, name);
        QScopedPointer<PrintEmsInfo> window(openSheet());
        PromptRecorder prompts;
        const QString path = m_out.filePath(name);
        QVERIFY(!(name.endsWith(".pdf") ? window->saveAsPDF(path) : window->saveAsHTML(path)));
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().title, QStringLiteral("提示"));
        QVERIFY(prompts.last().text.startsWith(QStringLiteral("failed to create")));
        QCOMPARE(prompts.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(prompts.last().parent, static_cast<const QWidget*>(window.data()));
    }

    // The demo order's express sheet as a PDF, filled from the stand-in's sheet data.
    // SHEET_EMS_PDF keeps a copy to look at.
    void demoOrderAsPdf()
    {
        QFile goodsFile(QStringLiteral(STANDIN_FIXTURES_DIR "/order.ordergoods.json"));
        QVERIFY(goodsFile.open(QIODevice::ReadOnly));
        const QJsonArray goods
            = QJsonDocument::fromJson(goodsFile.readAll()).object()["order"].toObject()["ordergoods3"].toArray();
        ProductData::m_products.clear();
        for (const QJsonValue& entry : goods) {
            Product p;
            p.analysis_goods3(entry.toObject());
            ProductData::m_products << p;
        }
        QFile dataFile(QStringLiteral(STANDIN_FIXTURES_DIR "/ordernew.printems.json"));
        QVERIFY(dataFile.open(QIODevice::ReadOnly));
        const QJsonObject data = QJsonDocument::fromJson(dataFile.readAll()).object();
        const QJsonObject order = data["order"].toObject();

        QScopedPointer<PrintEmsInfo> window(openSheet(data["ordergoods"].toArray().last()["getgooddate"].toString()));
        window->selectername = data["selectername"].toString();
        window->emsdescr = data["emsdescr"].toString();
        window->orderpayforkey = order["orderpayforkey"].toString();
        window->ems_info.customer_names = order["wname"].toString() + " / " + order["mname"].toString();
        const QString pdf = qEnvironmentVariableIsSet("SHEET_EMS_PDF") ? qEnvironmentVariable("SHEET_EMS_PDF")
                                                                       : m_out.filePath("ems.pdf");
        QVERIFY(window->saveAsPDF(pdf));
        const QString text = SheetPage::run("pdftotext", {"-enc", "UTF-8", pdf, "-"});
        for (const char* shown : {"快递服务收费单", "小李", "DEMO-1001-", "王芳 / 李明", "10寸水晶摆台",
                 "文三路 188 号", "2026-12-28取件", "产品总数:1件", "客户签字"})
            QVERIFY2(text.contains(QString::fromUtf8(shown)), shown);
    }
};

QTEST_MAIN(TestPrintEmsInfo)
#include "tst_printemsinfo.moc"

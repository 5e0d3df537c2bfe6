#include "sheets/thumbnailviewwindow.h"

#include "core/config.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "tests/support/failure.h"
#include "tests/support/orderfolder.h"
#include "tests/support/sheetpage.h"
#include "tests/support/testbackend.h"

#include <QImage>
#include <QTextDocument>
#include <QtTest>

using SheetPage::inOrder;

class TestThumbnailViewWindow : public QObject
{
    Q_OBJECT

    TestBackend m_backend;
    OrderFolder* m_order = nullptr;

    ThumbnailViewWindow* openSheet(bool thumbnails = true, bool finishedArea = true)
    {
        auto* window = new ThumbnailViewWindow;
        window->shopname = QStringLiteral("星光影楼 <i>旗舰</i>");
        window->customer_title = QStringLiteral("小宝-<i>王芳</i><BR>705DEMO-1001");
        window->orderpayforkey = QStringLiteral("DEMO-1001");
        window->phones = QStringLiteral("13800001001");
        window->checktruing = QStringLiteral("2026-12-20");
        window->comparedate = QStringLiteral("2026-12-18");
        window->selectphoto = QStringLiteral("小李 & 小王");
        window->terms_of_service = QStringLiteral("取件请带单据");
        window->print_thumbnails = thumbnails;
        window->print_finished_area = finishedArea;
        window->show();
        if (!SheetPage::waitForTitle(window, QStringLiteral("成品缩略图")))
            qWarning() << "thumbnail sheet not shown";
        return window;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        SheetPage::setOrderKeys();
        Config::order_tiaose = QStringLiteral("调色<甲>");
    }

    void init()
    {
        m_backend.reset();
        m_order = new OrderFolder(OrderFolder::ThumbnailFolders);
        QVERIFY(m_order->isValid());
        for (int i = 1; i <= 7; ++i)
            m_order->addPhoto(PHOTO_FINE, QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')), 1200, 800);
        m_order->addPhoto(PHOTO_FINE, QStringLiteral("a&b.JPG"), 800, 1200);
        ImageData::getInstance()->importImage(PHOTO_FINE);
        QList<Image>& selected = ImageData::getInstance()->GetSeletedImages();
        for (Image& photo : selected)
            if (photo.GetImageName() == QLatin1String("IMG_0001.jpg"))
                photo.SetStrneed(QStringLiteral("眼睛 <提亮>"));
    }

    void cleanup()
    {
        ImageData::getInstance()->clearImages();
        delete m_order;
        m_order = nullptr;
    }

    // The customer table, the grid of six per row (the last row left open), thumbnails from the
    // window's own folder, the barcode twice, every value escaped.
    void page()
    {
        QScopedPointer<ThumbnailViewWindow> window(openSheet());
        const QString page = window->getHTMLString();
        QString missing;
        QVERIFY2(inOrder(page,
                     {"class=\"style1\">星光影楼 &lt;i&gt;旗舰&lt;/i&gt;</span>",
                         "<td class=\"td_thin\" width=\"14.2%\"><div align=\"center\">初修</div></td>",
                         "<td class=\"td_thin\" align=\"center\">小宝-&lt;i&gt;王芳&lt;/i&gt;<BR>705DEMO-1001</td>",
                         "<td class=\"td_thin\" align=\"center\">DEMO-1001-</td>", "调色&lt;甲&gt;",
                         "<td width=\"14.3%\"><div align=\"center\">精修</div></td>", "毛底", "小李 &amp; 小王",
                         "<td align=\"center\">2026-12-20</td>    <td align=\"center\">2026-12-18</td>",
                         "<td align=\"center\"></td>    <td align=\"center\"></td>  </tr>", "成品相册 （8张）",
                         "眼睛 &lt;提亮&gt;&nbsp;", "</div></td>  </tr>  <tr bgcolor=\"#FFFFFF\">",
                         "</div></td></table>", "取件请带单据<BR>", "选片人：小李 &amp; 小王", "客人确认签名",
                         "</div><BR><div align=\"center\"><img src=\"", "</HTML>"},
                     &missing),
            qPrintable(missing));
        QCOMPARE(page.count(QStringLiteral("  <tr bgcolor=\"#FFFFFF\">")), 2);
        const QStringList files = SheetPage::imageFiles(page);
        QCOMPARE(files.count(window->barcodeFile()), 2);
        QVERIFY(QImage(window->barcodeFile()).width() > 0);
        QCOMPARE(files.size(), 10);
        for (const QString& file : files)
            QVERIFY2(
                file == window->barcodeFile() || (file.startsWith(window->sheetFolder()) && QImage(file).width() == 88),
                qPrintable(file));
        QVERIFY(m_backend->requestsTo("order", "getbarcodegen").first().target.contains("&superid=3&order_sample"));

        QTextDocument document;
        document.setHtml(page);
        QVERIFY(document.toPlainText().contains(QStringLiteral("星光影楼 <i>旗舰</i>")));
    }

    void boxes_data()
    {
        QTest::addColumn<bool>("thumbnails");
        QTest::addColumn<bool>("finishedArea");
        QTest::addColumn<int>("images");
        QTest::newRow("names only") << false << true << 2;
        QTest::newRow("no finished area") << true << false << 2;
    }

    void boxes()
    {
        QFETCH(bool, thumbnails);
        QFETCH(bool, finishedArea);
        QScopedPointer<ThumbnailViewWindow> window(openSheet(thumbnails, finishedArea));
        const QString page = window->getHTMLString();
        QCOMPARE(SheetPage::imageFiles(page).size(), 2);
        QCOMPARE(page.contains(QStringLiteral("成品相册")), finishedArea);
        QCOMPARE(page.contains(QStringLiteral("<BR><BR><p align=\"center\">")), finishedArea && !thumbnails);
        if (!finishedArea)
            QVERIFY(
                page.contains(QStringLiteral("</table></td></tr></table><BR><table width=\"100%\"  border=\"0\">")));
        else
            QVERIFY(page.contains(QRegularExpression("a&amp;b\\.(jpg|JPG)<BR>&nbsp;")));
    }

    // A failed barcode leaves no file, and the sheet appears all the same.
    void failedBarcode()
    {
        scriptEndpoint(m_backend, "order", "getbarcodegen", Failure::HttpStatus);
        QScopedPointer<ThumbnailViewWindow> window(openSheet());
        QCOMPARE(window->windowTitle(), QStringLiteral("成品缩略图"));
        QVERIFY(!QFileInfo::exists(window->barcodeFile()));
    }
};

QTEST_MAIN(TestThumbnailViewWindow)
#include "tst_thumbnailviewwindow.moc"

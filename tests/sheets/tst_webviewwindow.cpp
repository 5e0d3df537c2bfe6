#include "sheets/picmarksreply.h"
#include "sheets/sheetprint.h"
#include "sheets/webviewwindow.h"

#include "core/config.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "tools/addfrontdlg.h"
#include "widgets/ordergoodsreply.h"
#include "standin/demodata.h"
#include "tests/support/orderfolder.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/sheetpage.h"
#include "tests/support/testbackend.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStyle>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QWebElement>
#include <QWebFrame>
#include <QWebPage>
#include <QWebView>
#include <QtTest>

namespace {

QByteArray jpeg(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

Product product(const QString& id, const QString& name, const QString& urgent, const QString& type = QString(),
    const QString& sheets = QString(), const QStringList& pics = {})
{
    Product p;
    p.id = id;
    p.goodname = name;
    p.isurgent = urgent;
    p.goodtypeid = type;
    p.goodpagenumber = sheets;
    p.goodamount = QStringLiteral("1");
    p.pics = pics;
    p.thumbnail = true;
    p.print = true;
    return p;
}

QJsonObject visit(const QStringList& urgent, const QStringList& normal, const QString& state = QStringLiteral("1"))
{
    QJsonArray u, n;
    for (const QString& id : urgent)
        u.append(QJsonObject {{"id", id}});
    for (const QString& id : normal)
        n.append(QJsonObject {{"id", id}});
    return QJsonObject {
        {"urgentgoods", u}, {"goods", n}, {"order_sample_infoservicetimes", state}, {"role12name", "小李"}};
}

using SheetPage::PdfWord;

// A row of a product table in the PDF: the text each column's cell starts with (a cell's text
// may wrap, so the first line found is the start of it); column 0 is 序号, 1 名称, ... 10.
using RowCells = QMap<int, QString>;

RowCells rowCells(const Product& p, int number)
{
    RowCells cells {{1, p.goodname}, {2, p.goodtype}, {6, p.goodamount}, {7, p.descr}, {8, p.remarks},
        {9, p.goodremark}, {10, p.auth_remark}};
    if (number > 0)
        cells.insert(0, QString::number(number));
    if (p.goodtypeid == QLatin1String("33")) {
        cells.insert(3, p.goodpnumber);
        cells.insert(4, p.p_num);
        cells.insert(5, p.goodpagenumber);
    }
    return cells;
}

// The rows the table of the given products shows: each product, then its sub-products as the
// product list holds them.
QList<RowCells> tableRows(const QStringList& ids, bool isUrgent)
{
    QList<RowCells> rows;
    const auto find = [](const QString& id, const Product& otherwise) {
        for (const Product& p : qAsConst(ProductData::m_products))
            if (p.id == id)
                return p;
        return otherwise;
    };
    for (int i = 0; i < ids.size(); ++i) {
        const Product p = find(ids.at(i), Product());
        rows << rowCells(p, i + 1);
        for (const Product& child : p.children)
            rows << rowCells(isUrgent ? child : find(child.id, child), 0);
    }
    return rows;
}

double key(const PdfWord& w)
{
    return w.page * 10000.0 + w.box.top();
}

// Whether each row of the table under the heading has its cells under the table's headings:
// a cell lies right of the heading before its own and left of the heading after it.
bool cellsInColumns(const QList<PdfWord>& words, const QString& heading, const QList<RowCells>& rows, QString* why)
{
    int at = 0;
    while (at < words.size() && !words.at(at).text.startsWith(heading))
        ++at;
    while (at < words.size() && !words.at(at).text.startsWith(QStringLiteral("序")))
        ++at;
    if (at == words.size()) {
        *why = heading + QStringLiteral(": no header");
        return false;
    }
    const PdfWord first = words.at(at);
    QList<PdfWord> header;
    for (const PdfWord& w : words)
        if (w.page == first.page && qAbs(w.box.top() - first.box.top()) < 1.5)
            header << w;
    std::sort(
        header.begin(), header.end(), [](const PdfWord& a, const PdfWord& b) { return a.box.left() < b.box.left(); });
    if (header.size() != 11) {
        *why = heading + QStringLiteral(": header of %1 cells").arg(header.size());
        return false;
    }
    int end = at;
    while (end < words.size() && !words.at(end).text.startsWith(QStringLiteral("总")))
        ++end;
    QList<PdfWord> table;
    for (const PdfWord& w : words)
        if (key(w) > key(first) + 1.5 && (end == words.size() || key(w) < key(words.at(end))))
            table << w;
    std::sort(table.begin(), table.end(), [](const PdfWord& a, const PdfWord& b) { return key(a) < key(b); });

    const auto inColumn = [&header](const PdfWord& w, int column) {
        return (column == 0 || w.box.left() >= header.at(column - 1).box.right() - 0.5)
            && (column == 10 || w.box.right() <= header.at(column + 1).box.left() + 0.5);
    };
    int from = 0;
    for (const RowCells& row : rows) {
        const QString name = row.value(1);
        int n = from;
        // The name's first line: the start of the name, not a number of another cell.
        const auto startsName = [&name](const PdfWord& w) {
            bool isNumber = false;
            w.text.toInt(&isNumber);
            return !isNumber && name.startsWith(w.text);
        };
        while (n < table.size() && !startsName(table.at(n)))
            ++n;
        if (n == table.size()) {
            *why = heading + QStringLiteral(": no row ") + name;
            return false;
        }
        from = n + 1;
        for (auto cell = row.begin(); cell != row.end(); ++cell) {
            if (cell.value().isEmpty())
                continue;
            bool isFound = false;
            for (const PdfWord& w : table)
                if (w.page == table.at(n).page && qAbs(w.box.top() - table.at(n).box.top()) < 1.5
                    && cell.value().startsWith(w.text) && inColumn(w, cell.key()))
                    isFound = true;
            if (!isFound) {
                *why = heading + QStringLiteral(": ") + name + QStringLiteral(" shows \"") + cell.value()
                    + QStringLiteral("\" outside column %1").arg(cell.key());
                return false;
            }
        }
    }
    return true;
}

} // namespace

using SheetPage::imageFiles;
using SheetPage::inOrder;
using SheetPage::run;

class TestWebViewWindow : public QObject
{
    Q_OBJECT

    TestBackend m_backend;
    OrderFolder* m_order = nullptr;
    QTemporaryDir m_out;

    // A production sheet of the fixture order, its downloads done.
    WebViewWindow* openSheet()
    {
        auto* window = new WebViewWindow;
        window->shopname = QStringLiteral("星光影楼 A&B <i>旗舰</i>");
        window->orderpayforkey = QStringLiteral("DEMO-1001");
        window->orderServNum = QStringLiteral("1");
        window->count = QStringLiteral("2");
        window->mname = QStringLiteral("张三");
        window->wname = QStringLiteral("李四 \"小四\"");
        window->consumption_statement = QStringLiteral("套餐 3999 元\n另购相框 <1> 个");
        window->terms_of_service = QStringLiteral("取件请带单据");
        window->selectphoto_sign = QStringLiteral("王五");
        window->getphotodate_text = QStringLiteral("2026-12-20 上午");
        window->urgent_date = QStringLiteral("2026-12-15");
        window->count_order_sample_infoservicetimes = QStringLiteral("1");
        window->setServicetimepros(QString::fromUtf8(QJsonDocument(QJsonArray {visit({"11"}, {"12", "13"})}).toJson()));
        window->show();
        if (!QTest::qWaitFor([window] { return window->finishedDownloads() == 2; }, 30000))
            qWarning() << "downloads not finished";
        return window;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        SheetPage::setOrderKeys();
        Config::manager_id = QStringLiteral("9");
        Config::user_type = QStringLiteral("1");
        Config::url_two_barpath = m_backend->baseUrl() + DemoData::payCodePath();
    }

    void init()
    {
        m_backend.reset();
        m_order = new OrderFolder(OrderFolder::ThumbnailFolders);
        QVERIFY(m_order->isValid());
        for (const char* name : {"IMG_0001.jpg", "婚纱 外景 01.jpg", "IMG_0005.JPG", "a&b\"c.jpg"})
            m_order->addPhoto(PHOTO_FINE, QString::fromUtf8(name), 1200, 800);
        m_order->addPhoto(PHOTO_DESIGN, QStringLiteral("D_0001.jpg"), 1600, 1000);
        m_order->addFile(QStringLiteral("marks/IMG_0001.jpg"), jpeg(300, 200));
        m_order->addFile(QStringLiteral("marks/婚纱 外景 01.jpg"), jpeg(200, 300));
        ImageData::getInstance()->importImage(PHOTO_FINE);
        QList<Image>& selected = ImageData::getInstance()->GetSeletedImages();
        QCOMPARE(selected.size(), 4);
        for (Image& photo : selected)
            if (photo.GetImageName() == QLatin1String("IMG_0001.jpg"))
                photo.SetStrneed(QStringLiteral("眼睛 <提亮> & \"美白\""));
        ProductData::all_product_requirement = QStringLiteral("整体偏暖\n不要<磨皮>");
        ProductData::m_printProducts = {product("11", "加急相册", "1", "33", "20", {"IMG_0001.jpg"}),
            product("12", "水晶<框>", "0", "", "", {"img_0005.JPG", "婚纱 外景 01.jpg"}),
            product("13", "相册 & 册", "0", "33", "abc")};
        ProductData::m_products = ProductData::m_printProducts;
        SheetPrint::setPdfTarget(QString());
    }

    void cleanup()
    {
        ImageData::getInstance()->clearImages();
        ProductData::m_printProducts.clear();
        ProductData::m_products.clear();
        delete m_order;
        m_order = nullptr;
    }

    // The marks request: the keys in order, the names percent-encoded once, the comma as it is.
    void marksRequestBody()
    {
        QScopedPointer<WebViewWindow> window(openSheet());
        const QList<StandInRequest> posts = m_backend->requestsTo("order", "getorderpic");
        QCOMPARE(posts.size(), 1);
        const StandInRequest& post = posts.first();
        QCOMPARE(post.keys(),
            (QStringList {"token", "order_photo_id", "shopid", "companyid", "order_sample_infoid", "imgpath",
                "qrcodepath", "cpimgs", "sjimgs", "uid"}));
        QCOMPARE(post.value("order_photo_id"), QStringLiteral("1001"));
        QCOMPARE(post.value("imgpath"), window->sheetFolder());
        QCOMPARE(post.value("qrcodepath"), window->barcodeFile());
        QStringList names;
        for (const Image& photo : ImageData::getInstance()->GetSeletedImages())
            names << photo.GetImageName();
        QCOMPARE(post.value("cpimgs"), names.join(QStringLiteral("，")));
        QCOMPARE(post.value("sjimgs"), QStringLiteral("D_0001.jpg"));
        QVERIFY(post.body.contains(
            QStringLiteral("，").toUtf8() + QUrl::toPercentEncoding(QStringLiteral("婚纱 外景 01.jpg"))));
        QVERIFY(!post.body.contains("%25"));
        // The images come by GET: the barcode with the order keys, the payment code as configured.
        const QList<StandInRequest> barcode = m_backend->requestsTo("order", "getbarcodegen");
        QCOMPARE(barcode.size(), 1);
        QCOMPARE(barcode.first().method, QByteArray("GET"));
        QVERIFY(barcode.first().target.contains("&order_photo_id=1001&shopid=7&companyid=3&serveshopid=7"));
        QCOMPARE(window->picMarks().size(), 2); // the photo without marks is left out
        QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QStringLiteral("明细制作单"), 30000);
    }

    // The page of the fixture order: its sections in order, its text, its images, nothing unescaped.
    void pageOfFixtureOrder()
    {
        QScopedPointer<WebViewWindow> window(openSheet());
        const QString page = window->getHTMLString();
        QString missing;
        QVERIFY2(
            inOrder(page,
                {"<HTML>", "class=\"style1\">星光影楼 A&amp;B &lt;i&gt;旗舰&lt;/i&gt;</span>",
                    "单号:   DEMO-1001(成长次:1/2)", "女士:   李四 &quot;小四&quot;", "总体要求",
                    "整体偏暖<BR>不要&lt;磨皮&gt;&nbsp;", "消费说明", "套餐 3999 元<BR>另购相框 &lt;1&gt; 个",
                    "调修要求", "<li>1. 眼睛提亮</li>", "<li>3. 裙摆拉长</li>", "<li>1. 天空换蓝</li>", "指定制作",
                    "加急件：", "选片次:1/1", "2026-12-15取件", "加急相册", "产品总数:1件, 选中总张数共20张",
                    "普通件：", "水晶&lt;框&gt;", "相册 &amp; 册", "产品总数:2件, 选中总张数共0张", "已选张数 （4张）",
                    "眼睛 &lt;提亮&gt; &amp; &quot;美白&quot;", "取件请带单据", "选片人：王五", "</HTML>"},
                &missing),
            qPrintable(missing));
        QVERIFY(page.contains("a&amp;b&quot;c.jpg<BR>"));
        QVERIFY(!page.contains("<i>"));
        QVERIFY(!page.contains("<框>"));

        QTextDocument document;
        document.setHtml(page);
        const QString text = document.toPlainText();
        for (const char* visible : {"星光影楼 A&B <i>旗舰</i>", "李四 \"小四\"", "不要<磨皮>", "眼睛 <提亮> & \"美白\"",
                 "水晶<框>", "a&b\"c.jpg", "客人确认签名"})
            QVERIFY2(text.contains(QString::fromUtf8(visible)), visible);

        // Barcode, payment code, marks and every thumbnail are there, the upper-case one too.
        const QStringList files = imageFiles(page);
        QVERIFY(files.contains(window->barcodeFile()));
        QVERIFY(files.contains(window->qrcodeFile()));
        QVERIFY(files.contains(window->sheetFolder() + "marks/IMG_0001.jpg"));
        QVERIFY(files.contains(window->sheetFolder() + "IMG_0005.jpg"));
        for (const QString& file : files)
            QVERIFY2(QFileInfo(file).isFile() && QImage(file).width() > 0, qPrintable(file));
        // A landscape mark image is given its width, a portrait one its height, the image's
        // attributes written without blanks between them; the print-out keeps the sizes.
        QVERIFY(page.contains("<img style=\"margin-right: 10;\" src=\"file:///"));
        QVERIFY(page.contains("marks/IMG_0001.jpg\"width=\"150\"align=\"left\">"));
        QVERIFY(page.contains(QString::fromUtf8("外景 01.jpg\"height=\"150\"align=\"left\">")));
        QHash<QString, QSizeF> printed;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextImageFormat image = it.fragment().charFormat().toImageFormat();
                if (image.isValid())
                    printed.insert(QUrl(image.name()).toLocalFile(), QSizeF(image.width(), image.height()));
            }
        QCOMPARE(printed.value(window->sheetFolder() + "marks/IMG_0001.jpg").width(), 150.0);
        QCOMPARE(printed.value(window->sheetFolder() + QString::fromUtf8("marks/婚纱 外景 01.jpg")).height(), 150.0);
    }

    // The page has no base address: its images, named by absolute addresses, load all the same,
    // each at its own size or the size its attributes give it (the marks' written without blanks).
    void pageShownWithoutBaseAddress()
    {
        QScopedPointer<WebViewWindow> window(openSheet());
        QVERIFY(SheetPage::waitForTitle(window.data(), QStringLiteral("明细制作单")));
        QWebFrame* frame = window->findChild<QWebView*>(QStringLiteral("webView"))->page()->mainFrame();
        QVERIFY(frame->baseUrl().isEmpty());
        window->resize(1000, 1400);
        const int count = imageFiles(window->getHTMLString()).size();
        QCOMPARE(count, 11);
        QString wrong;
        const auto allShown = [&] {
            window->grab(); // lays the page out
            const QWebElementCollection images = frame->findAllElements(QStringLiteral("img"));
            wrong = images.count() != count ? QStringLiteral("images: %1").arg(images.count()) : QString();
            for (const QWebElement& image : images) {
                const QString file = QUrl(image.attribute(QStringLiteral("src"))).toLocalFile();
                const QSize shown = image.geometry().size();
                QSize expected = QImage(file).size();
                const int width = image.attribute(QStringLiteral("width")).toInt();
                const int height = image.attribute(QStringLiteral("height")).toInt();
                if (!expected.isEmpty() && width > 0)
                    expected = QSize(width, expected.height() * width / expected.width());
                else if (!expected.isEmpty() && height > 0)
                    expected = QSize(expected.width() * height / expected.height(), height);
                if (expected.isEmpty() || qAbs(shown.width() - expected.width()) > 1
                    || qAbs(shown.height() - expected.height()) > 1)
                    wrong = file;
            }
            return wrong.isEmpty();
        };
        QVERIFY2(QTest::qWaitFor(allShown, 30000), qPrintable(wrong));
    }

    // A mark text holding "-" is the customer's own words: the sheet prints it whole.
    void markTextWithDashPrintsWhole()
    {
        const QJsonObject photo {{"picname", "IMG_0001.jpg"},
            {"mark",
                QJsonArray {QStringLiteral("412,188,96,64-1-3-#ff0000-取景-左"),
                    QStringLiteral("10,10,50,50-0-4-#0000ff-A-B-C")}}};
        m_backend->setReply("order", "getorderpic",
            StandInReply::json(QJsonObject {{"code", "1"}, {"html", ""}, {"orderpicdescr", QJsonArray {photo}}}));
        QScopedPointer<WebViewWindow> window(openSheet());
        const QString page = window->getHTMLString();
        QVERIFY(page.contains(QStringLiteral("<li>3. 取景-左</li><li>4. A-B-C</li>")));
        const QString pdf = m_out.filePath(QStringLiteral("marks.pdf"));
        QVERIFY(window->saveAsPDF(pdf));
        QVERIFY(run("pdftotext", {"-enc", "UTF-8", pdf, "-"}).contains(QStringLiteral("3. 取景-左")));
    }

    // Marks kept only by the back end (made on another computer, or before the order was opened
    // afresh) have no marks picture here: the row shows one drawn from the photo, its frame where
    // the mark lies, or, for a photo that cannot be read, no picture at all; never a missing file.
    void marksPictureWhereNoneIsKept_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isDrawn");
        QTest::newRow("photo without marks picture") << QStringLiteral("婚纱 外景 01.jpg") << true;
        QTest::newRow("file with upper-case extension") << QStringLiteral("IMG_0005.jpg") << true;
        QTest::newRow("photo that cannot be read") << QStringLiteral("a&b\"c.jpg") << false;
        QTest::newRow("photo not in the order") << QStringLiteral("IMG_0099.jpg") << false;
    }

    void marksPictureWhereNoneIsKept()
    {
        QFETCH(QString, name);
        QFETCH(bool, isDrawn);
        QFile::remove(m_order->path(QStringLiteral("marks/婚纱 外景 01.jpg")));
        // Not a picture, and no thumbnail level of it either.
        m_order->addFile(m_order->album(QStringLiteral("成品")) + QStringLiteral("a&b\"c.jpg"), "no picture here");
        ProductData::m_printProducts[1].pics << QStringLiteral("a&b\"c.jpg");
        ProductData::m_products = ProductData::m_printProducts;
        // A frame well inside the photo (1200 x 800) as this desktop's editor lays it out, at
        // even offsets so that the picture's colour halves see the whole line.
        const QRect area = addFrontDlg::pictureArea();
        const QRect painted = QStyle::alignedRect(
            Qt::LeftToRight, Qt::AlignCenter, QSize(1200, 800).scaled(area.size(), Qt::KeepAspectRatio), area);
        const QRect frame(painted.left() + (painted.width() / 2 & ~1), painted.top() + (painted.height() / 4 & ~1),
            painted.width() / 4, painted.height() / 3);
        const QString mark = QStringLiteral("%1,%2,%3,%4-1-1-#ff0000-去掉路人")
                                 .arg(frame.x())
                                 .arg(frame.y())
                                 .arg(frame.width())
                                 .arg(frame.height());
        const QJsonObject kept {
            {"picname", "IMG_0001.jpg"}, {"mark", QJsonArray {"412,188,96,64-0-1-#ff0000-眼睛提亮"}}};
        const QJsonObject marked {{"picname", name}, {"mark", QJsonArray {mark}}};
        m_backend->setReply("order", "getorderpic",
            StandInReply::json(
                QJsonObject {{"code", "1"}, {"html", ""}, {"orderpicdescr", QJsonArray {kept, marked}}}));

        QScopedPointer<WebViewWindow> window(openSheet());
        const QString page = window->getHTMLString();
        QVERIFY(page.contains(QStringLiteral("<li>1. 去掉路人</li>")));
        const QStringList files = imageFiles(page);
        // No picture of the page is a file that is not there: not the marks pictures, nor the
        // thumbnails of the selection and of the products (none is made for a file that is no picture).
        for (const QString& file : files)
            QVERIFY2(QFileInfo(file).isFile() && QImage(file).width() > 0, qPrintable(file));
        // The kept picture stays the one shown for its photo.
        QVERIFY(files.contains(window->sheetFolder() + "marks/IMG_0001.jpg"));
        QCOMPARE(page.count(QStringLiteral("<img style=\"margin-right: 10;\"")), isDrawn ? 2 : 1);
        if (!isDrawn)
            return;

        const QString drawn = window->sheetFolder() + "marks/" + name;
        QVERIFY2(files.contains(drawn), qPrintable(files.join('\n')));
        const QImage picture(drawn);
        QVERIFY(!picture.isNull());
        // The picture is the photo as the editor shows it; the frame is where it lies there.
        QVERIFY2(qAbs(picture.width() * painted.height() - picture.height() * painted.width()) <= picture.width(),
            qPrintable(QStringLiteral("%1x%2").arg(picture.width()).arg(picture.height())));
        const double scale = double(picture.width()) / painted.width();
        const auto inPicture = [&](const QRect& r) {
            const QRectF f = QRectF(r.translated(-painted.topLeft()));
            return QRectF(f.x() * scale, f.y() * scale, f.width() * scale, f.height() * scale).toAlignedRect();
        };
        const QRect onPicture = inPicture(frame);
        // The photo's colours are pale (no channel 80 above another); JPEG blurs a thin line's colour.
        const auto isRed = [](QRgb p) { return qRed(p) - qMax(qGreen(p), qBlue(p)) > 100; };
        const auto redNear = [&](const QPoint& at) {
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (picture.rect().contains(at + QPoint(dx, dy)) && isRed(picture.pixel(at + QPoint(dx, dy))))
                        return true;
            return false;
        };
        // The frame's top and left sides run in the mark's colour from corner to corner (the pen
        // lies on the frame's lines, so the right and bottom sides are a pixel wide, too thin to
        // keep their colour in a JPEG)...
        for (int step = 0; step <= 4; ++step) {
            const QPoint top(onPicture.left() + 3 + (onPicture.width() - 7) * step / 4, onPicture.top());
            const QPoint left(onPicture.left(), onPicture.top() + 3 + (onPicture.height() - 7) * step / 4);
            for (const QPoint& side : {top, left})
                QVERIFY2(redNear(side), qPrintable(QStringLiteral("no frame at %1,%2").arg(side.x()).arg(side.y())));
        }
        // ... and nothing of that colour lies outside it.
        const QRect around = onPicture.adjusted(-4, -4, 4, 4);
        int outside = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (!around.contains(x, y) && isRed(picture.pixel(x, y)))
                    ++outside;
        QCOMPARE(outside, 0);
        // The photo is underneath, away from the number in the frame's top-left corner.
        QVERIFY(!isRed(
            picture.pixel(onPicture.right() - onPicture.width() / 4, onPicture.bottom() - onPicture.height() / 4)));
    }

    // Sub-products of packages, visit states and the tables' own counters.
    void productTables()
    {
        Product urgentPackage = product("21", "加急套餐", "1");
        urgentPackage.children = {product("22", "子相册", "1", "33", "10"), product("23", "子摆台", "1")};
        Product normalPackage = product("31", "普通套餐", "0");
        normalPackage.children = {product("32", "子甲", "0"), product("33", "子乙", "0"), product("34", "子丙", "0")};
        Product child = product("33", "子乙", "0", "", "", {"IMG_0001.jpg"});
        child.hasParent = true;
        ProductData::m_printProducts = {urgentPackage, normalPackage, child, product("22", "子相册", "1", "33", "10")};
        ProductData::m_products = ProductData::m_printProducts;

        QScopedPointer<WebViewWindow> window(openSheet());
        window->setServicetimepros(QString::fromUtf8(
            QJsonDocument(QJsonArray {visit({"21"}, {"31", "33"}), visit({}, {"31"}, "0")}).toJson()));
        window->count_order_sample_infoservicetimes = QStringLiteral("2");
        const QString page = window->getHTMLString();
        QString missing;
        QVERIFY2(inOrder(page,
                     {"加急件：选片次:1/2", "加急套餐", "rowspan=\"4\"", "子相册", "子摆台",
                         "产品总数:1件, 选中总张数共10张", "普通件：选片次:1/2", "普通套餐", "rowspan=\"4\"", "子乙",
                         "<tr><td colspan=\"10\"> ", "产品总数:1件", "普通件：未操作产品2026-12-20 上午取件",
                         "产品总数:1件"},
                     &missing),
            qPrintable(missing));
        // The second visit has no urgent products: no urgent table at all.
        QCOMPARE(page.count(QStringLiteral("加急件：")), 1);
        // The sub-product with a parent is not listed on its own in the normal table.
        QCOMPARE(page.count(QStringLiteral("子乙")), 2);
    }

    void serverPageIsShownAsItIs()
    {
        const QString serverPage = QStringLiteral("<html><body><b>门店自定义</b></body></html>");
        QJsonObject reply {{"code", "1"}, {"html", serverPage}};
        m_backend->setReply("order", "getorderpic", StandInReply::json(reply));
        QScopedPointer<WebViewWindow> window(openSheet());
        QCOMPARE(window->getHTMLString(), serverPage);
    }

    // A failed download still gives the page, with the image that did arrive.
    void failedDownloadsStillGiveAPage_data()
    {
        QTest::addColumn<bool>("barcodeFails");
        QTest::addColumn<QString>("payCode");
        QTest::newRow("barcode HTTP 500") << true << "paycode";
        QTest::newRow("no payment code address") << false << "";
        QTest::newRow("both fail") << true << "";
    }

    void failedDownloadsStillGiveAPage()
    {
        QFETCH(bool, barcodeFails);
        QFETCH(QString, payCode);
        if (barcodeFails)
            m_backend->setReply("order", "getbarcodegen", StandInReply::httpStatus(500));
        const QString previous = Config::url_two_barpath;
        if (payCode.isEmpty())
            Config::url_two_barpath.clear();
        QScopedPointer<WebViewWindow> window(openSheet());
        Config::url_two_barpath = previous;
        QCOMPARE(window->finishedDownloads(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QStringLiteral("明细制作单"), 30000);
        QCOMPARE(QFileInfo::exists(window->barcodeFile()), !barcodeFails);
        QVERIFY(window->getHTMLString().contains(QStringLiteral("已选张数")));
    }

    // HTML as UTF-8, PDF whatever the suffix's case; an unwritable place is reported.
    void saveAs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isPdf");
        QTest::newRow("html") << "sheet.html" << false;
        QTest::newRow("pdf") << "sheet.pdf" << true;
        QTest::newRow("upper-case PDF") << "SHEET.PDF" << true;
        QTest::newRow("no extension") << "sheet" << false;
    }

    void saveAs()
    {
        QFETCH(QString, name);
        QFETCH(bool, isPdf);
        QScopedPointer<WebViewWindow> window(openSheet());
        const QString path = m_out.filePath(name);
        QFile::remove(path);
        PromptRecorder prompts;
        prompts.answer(path);
        window->findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().kind, PromptCall::SaveFile);
        QCOMPARE(prompts.last().filter, QStringLiteral("网页 (*.html);;PDF(*.pdf)"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray head = file.read(5);
        QCOMPARE(head == "%PDF-", isPdf);
        if (isPdf) {
            QVERIFY(run("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+[1-9]")));
            const QString text = run("pdftotext", {"-enc", "UTF-8", path, "-"});
            QVERIFY2(text.contains(QStringLiteral("指定制作")) && text.contains(QStringLiteral("星光影楼")),
                qPrintable(text));
        } else {
            QCOMPARE(QString::fromUtf8(head + file.readAll()).section("<td width=33%>", 2),
                window->getHTMLString().section("<td width=33%>", 2)); // past the clock
        }
    }

    void saveFailureIsReported_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("html") << "nowhere/sheet.html";
        QTest::newRow("pdf") << "nowhere/sheet.pdf";
    }

    void saveFailureIsReported()
    {
        QFETCH(QString, name);
        QScopedPointer<WebViewWindow> window(openSheet());
        PromptRecorder prompts;
        const QString path = m_out.filePath(name);
        const bool saved = name.endsWith(".pdf") ? window->saveAsPDF(path) : window->saveAsHTML(path);
        QVERIFY(!saved);
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().title, QStringLiteral("提示"));
        QVERIFY(prompts.last().text.startsWith(QStringLiteral("failed to create")));
    }

    // Printing: the print dialog through the seam, the print-out in the seam's PDF.
    void printsThroughTheSeam()
    {
        QScopedPointer<WebViewWindow> window(openSheet());
        const QString target = m_out.filePath(QStringLiteral("printed.pdf"));
        SheetPrint::setPdfTarget(target);
        {
            PromptRecorder prompts;
            prompts.answer(int(QDialog::Rejected));
            window->findChild<QPushButton*>(QStringLiteral("pushButton_print"))->click();
            QCOMPARE(prompts.last().dialogClass, QStringLiteral("QPrintDialog"));
            QVERIFY(!QFileInfo::exists(target));
        }
        PromptRecorder prompts;
        prompts.answer(int(QDialog::Accepted));
        window->findChild<QPushButton*>(QStringLiteral("pushButton_print"))->click();
        QCOMPARE(prompts.count(), 1);
        QVERIFY(run("pdfinfo", {target}).contains(QRegularExpression("Page size:\\s+595")));
        QVERIFY(run("pdftotext", {"-enc", "UTF-8", target, "-"}).contains(QStringLiteral("选片人")));
    }

    // Each window keeps its own folder while it lives; only stale folders go.
    void foldersPerWindow()
    {
        const QString stale = DirServer::getTempPath() + QStringLiteral("1234/");
        const QString other = DirServer::getTempPath() + QStringLiteral("keep/");
        QDir().mkpath(stale);
        QDir().mkpath(other);
        QScopedPointer<WebViewWindow> first(openSheet());
        QVERIFY(!QFileInfo::exists(stale));
        QVERIFY(QFileInfo::exists(other));
        QScopedPointer<WebViewWindow> second(openSheet());
        QVERIFY(first->sheetFolder() != second->sheetFolder());
        for (const QString& file : imageFiles(first->getHTMLString()))
            QVERIFY2(QFileInfo::exists(file), qPrintable(file));
        const QString folder = second->sheetFolder();
        second.reset();
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(QFileInfo::exists(first->sheetFolder() + "IMG_0001.jpg"));
        QDir(other).removeRecursively();
    }

    // The demo order's sheet as a PDF: its text, the thumbnails, a mark, the barcode and the
    // payment code all in it. SHEET_DEMO_PDF keeps a copy to look at.
    void demoOrderAsPdf()
    {
        OrderFolder demo(OrderFolder::DemoShare);
        QVERIFY(DemoData::createVolumes(demo.volumes()));
        const QString previousOrder = DirServer::getOrderPath();
        DirServer::setOrderPath(demo.order());
        QVERIFY(QDir().mkpath(demo.path("marks")));
        QVERIFY(DemoData::writePhoto(demo.path("marks/IMG_0001.jpg"), 600, 400, QStringLiteral("标记 1 2 3")));
        QVERIFY(DemoData::writePhoto(demo.path("marks/婚纱 外景 01.jpg"), 600, 400, QStringLiteral("标记 1")));
        ImageData::getInstance()->importImage(PHOTO_FINE);
        // The products as the products panel reads them: each package followed by its sub-products.
        QFile goods(QStringLiteral(STANDIN_FIXTURES_DIR "/order.ordergoods.json"));
        QVERIFY(goods.open(QIODevice::ReadOnly));
        const OrderGoodsReply reply = OrderGoodsReply::parse(QJsonDocument::fromJson(goods.readAll()).object());
        QVERIFY(reply.isAccepted);
        ProductData::m_products = reply.products;
        ProductData::m_printProducts.clear();
        for (const Product& p : reply.products)
            if (p.print)
                ProductData::m_printProducts << p;

        QScopedPointer<WebViewWindow> window(openSheet());
        window->shopname = QStringLiteral("星光影楼");
        window->setServicetimepros(
            QString::fromUtf8(QJsonDocument(QJsonArray {visit({"80015"}, {"80011", "80016", "80017"})}).toJson()));
        const QString pdf = qEnvironmentVariableIsSet("SHEET_DEMO_PDF") ? qEnvironmentVariable("SHEET_DEMO_PDF")
                                                                        : m_out.filePath("demo.pdf");
        QVERIFY(window->saveAsPDF(pdf));
        if (qEnvironmentVariableIsSet("SHEET_DEMO_PNG")) {
            window->resize(1000, 1400);
            QTest::qWait(500);
            window->grab().save(qEnvironmentVariable("SHEET_DEMO_PNG"));
        }
        DirServer::setOrderPath(previousOrder);

        const QString text = run("pdftotext", {"-enc", "UTF-8", pdf, "-"});
        for (const char* shown :
            {"星光影楼", "加急件", "普通件", "眼睛提亮", "天空换蓝", "IMG_0005.jpg", "产品总数:3件", "选片人"})
            QVERIFY2(text.contains(QString::fromUtf8(shown)), shown);
        // Five thumbnails in the grid, more on the products, two marks, the barcode, the payment code.
        const QStringList images = run("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY2(images.size() >= 14, qPrintable(QString::number(images.size())));

        // Every product row, sub-products included, shows its values under their headings.
        const QList<PdfWord> words = SheetPage::pdfWords(pdf);
        QString why;
        QVERIFY2(cellsInColumns(words, QStringLiteral("加急件"), tableRows({"80015"}, true), &why), qPrintable(why));
        QVERIFY2(cellsInColumns(words, QStringLiteral("普通件"), tableRows({"80011", "80016", "80017"}, false), &why),
            qPrintable(why));
    }

    void markTexts_data()
    {
        QTest::addColumn<QString>("mark");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << "1,2,3,4-0-3-#ff0000-取景" << 3 << "取景";
        QTest::newRow("dash in text") << "1,2,3,4-1-3-#ff0000-取景-左" << 3 << "取景-左";
        QTest::newRow("four parts") << "1,2,3,4-0-7-#ff0000" << 7 << "";
        QTest::newRow("two parts") << "1,2,3,4-0" << 0 << "";
        QTest::newRow("empty") << "" << 0 << "";
        QTest::newRow("number not decimal") << "a-b-x-c-文字" << 0 << "文字";
    }

    void markTexts()
    {
        QFETCH(QString, mark);
        const SheetMark read = SheetMark::of(mark);
        QTEST(read.number, "number");
        QTEST(read.text, "text");
    }
};

QTEST_MAIN(TestWebViewWindow)
#include "tst_webviewwindow.moc"

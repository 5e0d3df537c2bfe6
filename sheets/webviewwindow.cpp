#include "sheets/webviewwindow.h"
#include "ui_webviewwindow.h"

#include "core/config.h"
#include "core/deployment.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/jsontext.h"
#include "core/logging.h"
#include "core/worker.h"
#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "photostore/thumbnailthread.h"
#include "sheets/picmarksreply.h"
#include "sheets/sheetfolder.h"
#include "sheets/sheethtml.h"
#include "sheets/sheetprint.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QThreadPool>
#include <QUrl>

namespace {

QString esc(const QString& value)
{
    return SheetHtml::text(value);
}

QString src(const QString& path)
{
    return SheetHtml::imageSource(path);
}

// A label cell of the order table.
QString cell(const QString& label, const QString& value, bool first = false)
{
    return (first ? QString() : QStringLiteral("    "))
        + QStringLiteral("<td class=\"td_thin\" width=\"25%\"><div align=\"left\">") + label + QStringLiteral(":   ")
        + esc(value) + QStringLiteral("</div></td>");
}

const QString emptyCell = QStringLiteral("    <td class=\"td_thin\" width=\"25%\"><div align=\"left\"></div></td>");

int decimal(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

QSize imageSize(const QString& path)
{
    const QSize size = QImageReader(path).size();
    return size.isValid() ? size : QSize(0, 0);
}

} // namespace

WebViewWindow::WebViewWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::WebViewWindow)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog);
    setWindowTitle(QStringLiteral("正在生成制作单..."));
    iniData();

    SheetPrint::setUpView(ui->webView);

    barcode_url = Config::url_getbarcode + QStringLiteral("&order_photo_id=") + Config::order_id
        + QStringLiteral("&shopid=") + Config::shop_id + QStringLiteral("&companyid=") + Config::super_id
        + QStringLiteral("&serveshopid=") + Config::shop_id + QStringLiteral("&order_sample_infoid=")
        + Config::order_sample_infoid + QStringLiteral("&token=") + Config::token;
    httpPicMarks();
}

WebViewWindow::~WebViewWindow()
{
    m_barcode.release(this);
    m_qrcode.release(this);
    SheetFolder::remove(m_sheetFolder);
    delete ui;
}

void WebViewWindow::setProducts(QList<Product> list)
{
    products = list;
}

void WebViewWindow::setServicetimepros(QString json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    servicetimes = document.isArray() ? document.array() : QJsonArray();
}

void WebViewWindow::iniData()
{
    terms_of_service.clear();
    shopname.clear();
    customer_title.clear();
    orderpayforkey.clear();
    orderServNum.clear();
    phones.clear();
    s2_name.clear();
    booksuccess.clear();
    tiaose.clear();
    order_price.clear();
    selectphoto_sign.clear();
    photodate.clear();
    selectphotodate_text.clear();
    getphotodate_text.clear();
    vipphotonumber.clear();
    consumption_statement.clear();
    twosales.clear();
    sale_payfor.clear();
    twosales_unpaid.clear();
    print_thumbnails = true;
    print_finished_area = true;
    ImageData* store = ImageData::getInstance();
    photo_counts = QStringLiteral("毛底") + QString::number(store->getRawImageNum()) + QStringLiteral("/成品")
        + QString::number(store->getFinalImageNum());
    // Markup built from escaped text: the page inserts it as it is.
    all_requirement = esc(ProductData::all_product_requirement);
}

void WebViewWindow::httpPicMarks()
{
    m_sheetFolder = SheetFolder::create();
    const QString stampText = m_sheetFolder.section(QLatin1Char('/'), -2, -2);
    DirServer::setWebPageThumbPath(m_sheetFolder);
    barcode_file = m_sheetFolder + QStringLiteral("qrcode/") + QStringLiteral("/") + stampText + QStringLiteral(".jpg");
    qrcode_file = m_sheetFolder + QStringLiteral("qrcode/") + QStringLiteral("/") + stampText + QStringLiteral("vqsoft")
        + QStringLiteral(".png");

    // Names are percent-encoded one by one; the full-width comma between them goes as it is.
    auto joined = [](const QList<Image>& images) {
        QByteArray out;
        for (int i = 0; i < images.size(); ++i) {
            if (i > 0)
                out += QStringLiteral("，").toUtf8();
            out += QUrl::toPercentEncoding(images.at(i).GetImageName());
        }
        return out;
    };
    ImageData* store = ImageData::getInstance();
    const QByteArray body = FormBody::withToken()
                                .add(QStringLiteral("order_photo_id"), Config::order_id)
                                .add(QStringLiteral("shopid"), Config::shop_id)
                                .add(QStringLiteral("companyid"), Config::super_id)
                                .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
                                .addEncoded(QStringLiteral("imgpath"), QUrl::toPercentEncoding(m_sheetFolder))
                                .addEncoded(QStringLiteral("qrcodepath"), QUrl::toPercentEncoding(barcode_file))
                                .addEncoded(QStringLiteral("cpimgs"), joined(store->GetSeletedImages()))
                                .addEncoded(QStringLiteral("sjimgs"), joined(store->GetDesignImages()))
                                .add(QStringLiteral("uid"), Config::manager_id)
                                .toByteArray();
    HttpRequest* request = HttpRequest::startNetRequest(Config::url_query_picinfo, body, false);
    connect(request, &HttpRequest::netSuccessInfo, this, &WebViewWindow::replyPicMarkHttp);
}

void WebViewWindow::replyPicMarkHttp(QJsonObject jsonInfo)
{
    const PicMarksReply reply = PicMarksReply::read(jsonInfo);
    pic_marks << reply.marks;
    html = reply.html;
    // The job takes the sheet folder when it is made: this window's, whatever others set later.
    DirServer::setWebPageThumbPath(m_sheetFolder);
    QThreadPool::globalInstance()->start(
        new ThumbnailThread(QList<Image>(ImageData::getInstance()->GetSeletedImages()), this, 88));
}

void WebViewWindow::onFinishSaveThumb()
{
    // Marks kept only by the back end have no picture here: one is drawn before the page is built.
    const SheetMarkPictures::Job job = SheetMarkPictures::prepare(m_sheetFolder, pic_marks);
    Worker::run(
        this, [job] { return SheetMarkPictures::make(job); },
        [this](const SheetMarkPictures::Pictures& pictures) {
            m_markPictures = pictures;
            download(barcode_url, barcode_file);
            download1(Config::url_two_barpath, qrcode_file);
        });
}

void WebViewWindow::download(QString url, QString savePath)
{
    m_barcode.start(this, url, savePath, &WebViewWindow::replyFinished, &WebViewWindow::onDownloadProgress,
        &WebViewWindow::onReadyRead);
}

void WebViewWindow::download1(QString url, QString savePath)
{
    m_qrcode.start(this, url, savePath, &WebViewWindow::replyFinished1, &WebViewWindow::onDownloadProgress1,
        &WebViewWindow::onReadyRead1);
}

void WebViewWindow::onReadyRead()
{
    m_barcode.readAvailable();
}

void WebViewWindow::onReadyRead1()
{
    m_qrcode.readAvailable();
}

void WebViewWindow::onDownloadProgress(qint64 bytesSent, qint64 bytesTotal)
{
    qCDebug(lcSheets) << "barcode download" << bytesSent << "/" << bytesTotal;
}

void WebViewWindow::onDownloadProgress1(qint64 bytesSent, qint64 bytesTotal)
{
    qCDebug(lcSheets) << "QR download" << bytesSent << "/" << bytesTotal;
}

// Each finished download, good or failed, shows the page: the window never stays blank for
// want of an image.
void WebViewWindow::replyFinished(QNetworkReply* reply)
{
    if (m_barcode.finish(reply)) {
        ++m_finishedDownloads;
        showPage();
    }
}

void WebViewWindow::replyFinished1(QNetworkReply* reply)
{
    if (m_qrcode.finish(reply)) {
        ++m_finishedDownloads;
        showPage();
    }
}

void WebViewWindow::showPage()
{
    // No base address: every image names its file by an absolute address.
    ui->webView->setHtml(getHTMLString(), QUrl());
}

void WebViewWindow::on_webView_loadFinished(bool arg1)
{
    if (arg1)
        setWindowTitle(QStringLiteral("明细制作单"));
}

void WebViewWindow::on_pushButton_print_clicked()
{
    print(getHTMLString());
}

void WebViewWindow::print(QString page)
{
    SheetPrint::print(page, this);
}

void WebViewWindow::on_saveButton_clicked()
{
    SheetPrint::saveAsked(this, QStringLiteral("./明细制作单"));
}

bool WebViewWindow::saveAsHTML(QString fileName)
{
    return SheetPrint::saveReported(getHTMLString(), fileName, false);
}

bool WebViewWindow::saveAsPDF(QString fileName)
{
    return SheetPrint::saveReported(getHTMLString(), fileName, true);
}

QString WebViewWindow::cachedPhoto(const QString& name) const
{
    return SheetFolder::photoFile(m_sheetFolder, name);
}

QString WebViewWindow::getHTMLString()
{
    if (!html.isEmpty())
        return html;

    QString page;
    page += SheetHtml::pageStart();

    page += SheetHtml::sheetStyles();

    page += QStringLiteral("<p><table width=100%  border=0 cellspacing=0 cellpadding=1;><tr bgcolor=\"#FFFFFF\">");
    page += QStringLiteral("<td width=33%><div align=\"left\"><br><br><br><br>") + SheetHtml::now()
        + QStringLiteral("</div></td>");
    page += QStringLiteral("<td width=34%><div align=\"center\"><span align=\"center\" class=\"style1\">")
        + esc(shopname) + QStringLiteral("</span></div></td>");
    page += QStringLiteral("<td width=33%><div align=\"center\"><img  align=\"center\" src=\"") + src(barcode_file)
        + QStringLiteral("\" />");
    page += QStringLiteral("</div></td></tr></table></p>");
    page += QStringLiteral("<br>");

    appendOrderTable(page);

    auto textBlock = [&page](const QString& heading, const QString& markup) {
        page += QStringLiteral("<table width=\"100%\"  border=\"0\">");
        page += QStringLiteral("  <tr>");
        page += QStringLiteral("    <td align=\"left\"><span class=\"style2\">") + heading
            + QStringLiteral("</span></td>");
        page += QStringLiteral("  </tr>");
        page += QStringLiteral("</table>");
        page += QStringLiteral("<table class=\"thinborder\" width=\"100%\" cellspacing=\"0\" border=\"1\">");
        page += QStringLiteral("  <tr>  <td align=\"left\"><span>");
        page += markup + QStringLiteral("&nbsp;");
        page += QStringLiteral("</span></td></tr>");
        page += QStringLiteral("</table>");
        page += QStringLiteral("<BR>");
    };
    if (!all_requirement.isEmpty())
        textBlock(QStringLiteral("总体要求"), all_requirement);
    if (!consumption_statement.isEmpty())
        textBlock(QStringLiteral("消费说明"), esc(consumption_statement));

    appendMarks(page);

    page += QStringLiteral("<p><span class=\"style2\">指定制作</span></p>");
    // Keyed by id, a later product replacing an earlier one.
    QHash<QString, Product> printMap;
    for (const Product& product : qAsConst(ProductData::m_printProducts))
        printMap.insert(product.id, product);
    for (int s = 0; s < servicetimes.size(); ++s)
        if (servicetimes.at(s).isObject())
            appendServiceTime(page, servicetimes.at(s).toObject(), s, printMap);

    if (print_finished_area)
        appendFinishedGrid(page);

    page += QStringLiteral("<table width=\"100%\"  border=\"0\">");
    page += QStringLiteral("  <tr>");
    page
        += QStringLiteral("    <td align=\"left\"><span>") + esc(terms_of_service) + QStringLiteral("<BR></span></td>");
    page += QStringLiteral("  </tr>");
    page += QStringLiteral("</table>");
    page += QStringLiteral("<BR>");

    page += QStringLiteral("<table width=\"100%\"  border=\"0\" cellspacing=\"0\" cellpadding=\"1\">");
    page += QStringLiteral("  <tr>");
    page += QStringLiteral("    <td align=\"left\" class=\"style2\" width=\"18%\">选片人：") + esc(selectphoto_sign)
        + QStringLiteral("</td>");
    page += QStringLiteral("    <td align=\"left\" class=\"style2\" width=\"25%\">核单员：___________&nbsp;</td>");
    page += QStringLiteral("    <td align=\"left\" class=\"style2\" width=\"25%\">收发人：___________&nbsp;</td>");
    page
        += QStringLiteral("    <td align=\"left\" class=\"style2\" width=\"32%\">客人确认签名：___________&nbsp;</td>");
    page += QStringLiteral("  </tr>");
    page += QStringLiteral("</table>");

    page += QStringLiteral("<table width=\"100%\">");
    page += QStringLiteral("  <tr>");
    if (!Config::url_two_barpath.isEmpty()) {
        page += QStringLiteral("<BR>");
        page += QStringLiteral("<BR>");
        page += QStringLiteral("<img  align=\"center\" src=\"") + src(qrcode_file) + QStringLiteral("\"/>");
    }
    page += QStringLiteral("</tr>");
    page += QStringLiteral("</table>");
    page += QStringLiteral("</div>");
    page += QStringLiteral("<BR>");
    page += QStringLiteral("</body>");
    page += QStringLiteral("</HTML>");
    qCDebug(lcSheets).noquote() << "总的html:" << page;
    return page;
}

void WebViewWindow::appendOrderTable(QString& page) const
{
    page += QStringLiteral("<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">");
    page += QStringLiteral("<tr><td align=\"center\">");
    page += QStringLiteral("<table width=\"100%\"  border=\"1\" cellspacing=\"0\" cellpadding=\"1\">");

    const QString number = orderpayforkey + QStringLiteral("(成长次:")
        + QStringLiteral("%1/%2").arg(orderServNum, count) + QStringLiteral(")");
    page += QStringLiteral("  <tr>");
    if (Config::user_type == QLatin1String("1")) {
        page += cell(QStringLiteral("单号"), number, true);
        page += cell(QStringLiteral("宝宝姓名"), bname, true);
        page += cell(QStringLiteral("宝宝性别"), bsex, true);
        page += cell(QStringLiteral("宝宝生日"), birthday, true);
    } else {
        page += QStringLiteral("<td class=\"td_thin\" colspan=\"4\"><div align=\"center\">单号:   ") + esc(number)
            + QStringLiteral("</div></td>");
    }
    page += QStringLiteral("  </tr>");

    struct Row
    {
        const char* labels[4];
        const QString* values[4];
    };
    const Row rows[] = {
        {{"男士", "手机", "女士", "手机"}, {&mname, &mphone, &wname, &wphone}},
        {{"套系", "预约店", "服务店", "预约日期"}, {&s2_name, &mssid, &servershopid, &booktime}},
        {{"拍照日期", "选片日期", "看精修日期", "看版日期"},
            {&photodate, &selectphotodate_text, &kanjingxiu_text, &kanban_text}},
        {{"门市", "网销", "推广", "选片师"}, {&booksuccess, &wxname, &tuiguangname, &selectphoto}},
        {{"对比片选中张数", "相册P数", "套系约定精修", "已选张数"},
            {&yqnumber, &goodpnumber, &vipphotonumber, &yx_number}},
        {{"摄影师", "摄像师", "化妆师", "男士邮箱"}, {&role1, &role17, &role2, &mmail}},
        {{"摄助", "剪辑师", "化助", "女士邮箱"}, {&role3, &role16, &role4, &wmail}},
        {{"预约金额", "二销总额", "二销欠款", "支付方式"}, {&order_price, &totaltwosales, &dept, &pay_type}},
        {{"样前对比片", "样后修片师", "设计师", "发货日期"}, {&tiaose, &tiaoxiu, &sheji, &getphotodate_text}},
        {{"转档师", "精修师", nullptr, nullptr}, {&role6name, &role9name, nullptr, nullptr}},
        {{"购买毛底张数", "赠送精修张数", "购买精修张数", "设计版"},
            {&buynumber, &activenumber, &morephotonumber, &designnum}},
    };
    for (const Row& row : rows) {
        page += QStringLiteral("  <tr>");
        for (int c = 0; c < 4; ++c) {
            if (!row.labels[c]) {
                page += emptyCell;
            } else if (row.values[c] == &kanjingxiu_text) {
                page += QStringLiteral("    <td class=\"td_thin\" width=\"25%\"><div align=\"left\" "
                                       "style=\"color:#CC0000\">看精修日期:   ")
                    + esc(kanjingxiu_text) + QStringLiteral("</div></td>");
            } else {
                page += cell(QString::fromUtf8(row.labels[c]), *row.values[c]);
            }
        }
        page += QStringLiteral("  </tr>");
    }
    page += QStringLiteral("  <tr>");
    page += QStringLiteral("    <td class=\"td_thin\" colspan=\"100%\"><div align=\"left\">收件人姓名:   ")
        + esc(sjrname) + QStringLiteral("    电话: ") + esc(sjrphone) + QStringLiteral("    地址：") + esc(full_address)
        + QStringLiteral("</div></td>");
    page += QStringLiteral("  </tr>");
    page += QStringLiteral("</table></td></tr></table>");
    page += QStringLiteral("<BR>");
}

void WebViewWindow::appendMarks(QString& page) const
{
    if (pic_marks.isEmpty())
        return;
    page += QStringLiteral("<table width=\"100%\"  border=\"0\">");
    page += QStringLiteral("  <tr>");
    page += QStringLiteral("    <td align=\"left\"><span class=\"style2\">调修要求</span></td>");
    page += QStringLiteral("  </tr>");
    page += QStringLiteral("</table>");
    page += QStringLiteral(
        "<table cellspacing=\"0\" cellspacing=\"10\" cellpadding=\"10\" width=\"100%\" frame=\"box\">");
    for (int i = 0; i < pic_marks.size(); ++i) {
        const QStringList& entry = pic_marks.at(i);
        const QString name = entry.value(0);
        if (i % 2 == 0)
            page += QStringLiteral("<tr>");
        page += QStringLiteral("<td>");
        // A row without a picture (its photo cannot be read, or is not in the order) lists its marks alone.
        const auto picture = m_markPictures.constFind(name);
        if (picture != m_markPictures.constEnd()) {
            const QSize size = picture->size;
            page += QStringLiteral("<img style=\"margin-right: 10;\" src=\"") + src(picture->path)
                + QStringLiteral("\"")
                + (size.width() > size.height() ? QStringLiteral("width=\"150\"") : QStringLiteral("height=\"150\""))
                + QStringLiteral("align=\"left\">");
        }
        page += QStringLiteral("<ui style=\"list-style-type: none;\">");
        for (int m = 1; m < entry.size(); ++m) {
            const SheetMark mark = SheetMark::of(entry.at(m));
            page += QStringLiteral("<li>") + QStringLiteral("%1. %2").arg(mark.number).arg(esc(mark.text))
                + QStringLiteral("</li>");
        }
        page += QStringLiteral("</ui></td>");
        if (i % 2 == 1)
            page += QStringLiteral("</tr>");
    }
    page += QStringLiteral("</table>");
    page += QStringLiteral("<BR>");
}

void WebViewWindow::appendServiceTime(
    QString& page, const QJsonObject& visit, int index, const QHash<QString, Product>& printMap)
{
    const QJsonArray goods = visit.value(QStringLiteral("goods")).toArray();
    const QJsonArray urgentgoods = visit.value(QStringLiteral("urgentgoods")).toArray();
    const bool isUntouched
        = visit.value(QStringLiteral("order_sample_infoservicetimes")).toString() == QLatin1String("0");
    const QString selector = esc(visit.value(QStringLiteral("role12name")).toString());
    const QString visitText = QStringLiteral("选片次:") + QString::number(index + 1) + QStringLiteral("/")
        + esc(count_order_sample_infoservicetimes);
    auto printed = [&printMap](const QJsonValue& value) {
        return printMap.value(jsonText(value.toObject().value(QStringLiteral("id"))));
    };
    const QString headerRow = QStringLiteral("  <tr bgcolor=\"#CCCCCC\">")
        + QStringLiteral("    <td width=\"5%\"><div align=\"center\">序号</div></td>")
        + QStringLiteral("    <td width=\"10%\"><div align=\"center\">名称</div></td>")
        + QStringLiteral("    <td width=\"5%\"><div align=\"center\">类别</div></td>")
        + QStringLiteral("    <td width=\"5%\"><div align=\"center\">P数</div></td>")
        + QStringLiteral("    <td width=\"5%\"><div align=\"center\">加P数</div></td>")
        + QStringLiteral("    <td width=\"5%\"><div align=\"center\">张数</div></td>")
        + QStringLiteral("    <td width=\"5%\"><div align=\"center\">数量</div></td>")
        + QStringLiteral("    <td width=\"15%\"><div align=\"center\">制作要求</div></td>")
        + QStringLiteral("    <td width=\"15%\"><div align=\"center\">备注</div></td>")
        + QStringLiteral("    <td width=\"15%\"><div align=\"center\">产品说明(对内)</div></td>")
        + QStringLiteral("    <td width=\"15%\"><div align=\"center\">授权备注(对外)</div></td>")
        + QStringLiteral("  </tr>");
    auto totalRow = [&page, this](int rows) {
        page += QStringLiteral("<tr>");
        page += QStringLiteral("<td><div align=\"center\">总计</div></td>");
        page += QStringLiteral("<td colspan=\"11\"><div align=\"center\">产品总数:") + QString::number(rows)
            + QStringLiteral("件, 选中总张数共") + QString::number(sheet_total) + QStringLiteral("张</div>");
        page += QStringLiteral("</td></tr>");
        page += QStringLiteral("</table>");
        page += QStringLiteral("<BR>");
    };

    if (!urgentgoods.isEmpty()) {
        page += QStringLiteral(
            "<table class=\"thinborder\" width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"1\">");
        page += QStringLiteral("  <tr>  <td colspan=\"11\"><span class=\"style4\"><font font-weight: bold; "
                               "color=\"#FF0000\">加急件：");
        page += isUntouched ? QStringLiteral("未操作产品")
                            : visitText + QStringLiteral("  选片师: <span style=\"color: 000000\">") + selector
                + QStringLiteral("</span>  ");
        page += esc(urgent_date) + QStringLiteral("取件");
        page += QStringLiteral("</font></span>&nbsp;</td></tr>");
        page += headerRow;
        int row = 0;
        sheet_total = 0;
        for (const QJsonValue& value : urgentgoods) {
            const Product product = printed(value);
            if (product.isurgent != QLatin1String("1"))
                continue;
            appendProductRow(page, product, row + 1, true);
            if (!product.children.isEmpty()) {
                QList<Product> children = product.children;
                for (Product& child : children)
                    for (const QJsonValue& other : urgentgoods) {
                        const Product match = printed(other);
                        if (match.id == child.id)
                            child = match;
                    }
                const int rowSpan = 2 * children.size();
                qCDebug(lcSheets) << "加急的rowspan=" << rowSpan;
                for (int c = 0; c < children.size(); ++c) {
                    qCDebug(lcSheets) << "子产品名称：" << children.at(c).goodname << "  子产品照片："
                                      << children.at(c).pics.size();
                    appendSubProductRow(page, children.at(c), rowSpan, c == 0);
                    appendPhotoRow(page, children.at(c), 'C');
                }
            }
            appendPhotoRow(page, product, 'A');
            ++row;
        }
        totalRow(row);
    }

    if (!goods.isEmpty()) {
        page += QStringLiteral(
            "<table class=\"thinborder\" width=\"100%\"  border=\"1\" cellspacing=\"0\" cellpadding=\"1\">");
        page += QStringLiteral("  <tr>  <td colspan=\"11\"><span class=\"style2\"><font color=\"#000000\">普通件：");
        page += isUntouched ? QStringLiteral("未操作产品")
                            : visitText + QStringLiteral("  选片师:") + selector + QStringLiteral("  ");
        page += esc(getphotodate_text) + QStringLiteral("取件");
        page += QStringLiteral("</font></span>&nbsp;</td></tr>");
        page += headerRow;
        int row = 0;
        sheet_total = 0;
        for (const QJsonValue& value : goods) {
            const Product product = printed(value);
            if (product.isurgent != QLatin1String("0") || product.hasParent)
                continue;
            appendProductRow(page, product, row + 1, false);
            if (!product.children.isEmpty()) {
                QList<Product> children = product.children;
                int rowSpan = children.size();
                for (Product& child : children)
                    for (const Product& other : qAsConst(ProductData::m_products))
                        if (other.id == child.id) {
                            child = other;
                            if (!other.pics.isEmpty())
                                ++rowSpan;
                        }
                for (int c = 0; c < children.size(); ++c) {
                    appendSubProductRow(page, children.at(c), rowSpan, c == 0);
                    if (!children.at(c).pics.isEmpty())
                        appendPhotoRow(page, children.at(c), 'D');
                }
            }
            appendPhotoRow(page, product, 'B');
            ++row;
        }
        totalRow(row);
    }
}

// The cells of a product row from 名称 on, as the normal and sub-product rows write them
// (indent four blanks) or the urgent row (none).
static QString productCells(const Product& product, bool urgent)
{
    const QString in = urgent ? QString() : QStringLiteral("    ");
    const bool isAlbum = product.goodtypeid == QLatin1String("33");
    QString out;
    out += in + QStringLiteral("<td align=\"left\" class=\"style2\">") + esc(product.goodname)
        + QStringLiteral("</td>");
    out += in + QStringLiteral("<td align=\"left\">") + esc(product.goodtype) + QStringLiteral("</td>");
    if (isAlbum) {
        out += in + QStringLiteral("<td align=\"center\">") + esc(product.goodpnumber) + QStringLiteral("</td>");
        out += in + QStringLiteral("<td align=\"center\">") + esc(product.p_num) + QStringLiteral("</td>");
        out += in + QStringLiteral("<td align=\"center\" class=\"style2\">") + esc(product.goodpagenumber)
            + QStringLiteral("</td>");
    } else if (urgent) {
        out += QStringLiteral("<td align=\"center\"></td><td align=\"center\"></td><td align=\"center\"></td>");
    } else {
        out += QStringLiteral("    <td align=\"center\"></td>    <td align=\"center\"></td>    <td align=\"center\" "
                              "class=\"style2\"></td>");
    }
    out += in + QStringLiteral("<td align=\"center\" class=\"style2\">") + esc(product.goodamount)
        + QStringLiteral("</td>");
    for (const QString* value : {&product.descr, &product.remarks, &product.goodremark, &product.auth_remark})
        out += in + QStringLiteral("<td align=\"left\">") + esc(*value) + QStringLiteral("</td>");
    return out;
}

void WebViewWindow::appendProductRow(QString& page, const Product& product, int number, bool urgent)
{
    if (product.goodtypeid == QLatin1String("33"))
        sheet_total += decimal(product.goodpagenumber);
    page += urgent ? QStringLiteral("<tr>") : QStringLiteral("  <tr>");
    page += (urgent ? QString() : QStringLiteral("    ")) + QStringLiteral("<td align=\"center\">")
        + QString::number(number) + QStringLiteral("</td>");
    page += productCells(product, urgent);
    page += QStringLiteral("</tr>");
}

void WebViewWindow::appendSubProductRow(QString& page, const Product& product, int rowSpan, bool first)
{
    if (product.goodtypeid == QLatin1String("33"))
        sheet_total += decimal(product.goodpagenumber);
    page += QStringLiteral(" <tr>");
    if (first)
        page += QStringLiteral("    <td rowspan=\"") + QString::number(rowSpan)
            + QStringLiteral("\" style=\"height: 0px \"> </td>");
    page += productCells(product, false);
    page += QStringLiteral(" </tr>");
}

// form: 'A' an urgent product, 'B' a normal product, 'C' an urgent sub-product (as 'B'),
// 'D' a normal sub-product.
void WebViewWindow::appendPhotoRow(QString& page, const Product& product, char form) const
{
    const bool isA = form == 'A';
    const QString in = isA ? QString() : QStringLiteral("    ");
    page += form == 'D'
        ? QStringLiteral("<tr><td colspan=\"10\"> ")
        : (isA ? QStringLiteral("<tr><td colspan=\"11\">") : QStringLiteral("<tr><td colspan=\"11\"> "));
    page += QStringLiteral("<table width=100%  border=0 cellspacing=0 cellpadding=1;>");
    const bool isThumbnails = print_thumbnails && product.thumbnail;
    const bool isNames = !print_thumbnails && product.thumbnail;
    QStringList names;
    for (int i = 0; i < product.pics.size(); ++i) {
        if (i % 5 == 0)
            page += isA ? QStringLiteral("<tr bgcolor=\"#FFFFFF\">") : QStringLiteral("  <tr bgcolor=\"#FFFFFF\">");
        const QString fileName = FileOperation::getFileName(product.pics.at(i));
        if (isThumbnails) {
            const QString cached = cachedPhoto(product.pics.at(i));
            const QSize size = imageSize(cached);
            const bool isWide = size.width() == 88;
            if (!isA)
                qCDebug(lcSheets) << "imgName=" << fileName << cached;
            page += (isWide && form == 'D') ? QStringLiteral("    <td  width=5%>")
                                            : in + QStringLiteral("<td width=5%>");
            page += QStringLiteral("<div align=\"center\"><span class=\"style3\">");
            // A photo whose thumbnail could not be made (its file is no picture) is named alone.
            if (!size.isEmpty())
                page += QStringLiteral("<img ")
                    + (isWide ? QStringLiteral("width=\"83\"") : QStringLiteral("height=\"83\""))
                    + QStringLiteral(" src=\"") + src(cached) + QStringLiteral("\"><br>");
            page += esc(fileName) + QStringLiteral("</div></td>");
            if (i % 5 == 4)
                page += isA ? QStringLiteral("</tr>") : QStringLiteral("  </tr>");
        } else if (isNames) {
            names << esc(fileName);
        } else {
            page += in + QStringLiteral("<td width=5%><div align=\"center\"><span class=\"style3\"></div></td>");
        }
    }
    if (isNames && !product.pics.isEmpty())
        page += in + QStringLiteral("<td align=\"left\">") + names.join(QLatin1Char(' ')) + QStringLiteral("</td>");
    page += QStringLiteral("</table></td>");
    page += QStringLiteral(" &nbsp; </tr>");
}

void WebViewWindow::appendFinishedGrid(QString& page) const
{
    const QList<Image> selected = ImageData::getInstance()->GetSeletedImages();
    page += QStringLiteral("<BR>");
    if (!print_thumbnails)
        page += QStringLiteral("<BR>");
    page += QStringLiteral("<p align=\"center\"><span class=\"style2\">已选张数 （") + QString::number(selected.size())
        + QStringLiteral("张）&nbsp;</span></p>");
    page += QStringLiteral("<table width=\"100%\"  border=\"0\" cellspacing=\"0\" cellpadding=\"1\">");
    for (int i = 0; i < selected.size(); ++i) {
        const Image& photo = selected.at(i);
        if (i % 5 == 0)
            page += QStringLiteral("  <tr bgcolor=\"#FFFFFF\">");
        page += QStringLiteral("    <td><div align=\"center\">");
        if (print_thumbnails) {
            const QString cached = cachedPhoto(photo.GetImageName());
            if (QFileInfo(cached).isFile())
                page += QStringLiteral("<img src=\"") + src(cached) + QStringLiteral("\"><br>");
        }
        page += esc(photo.GetImageName()) + QStringLiteral("<BR>") + esc(photo.GetStrneed())
            + QStringLiteral("&nbsp;</div></td>");
        if (i % 5 == 4)
            page += QStringLiteral("  </tr>");
    }
    page += QStringLiteral("</table>");
    page += QStringLiteral("<BR>");
}

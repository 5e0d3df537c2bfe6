#include "sheets/printemsinfo.h"
#include "ui_printemsinfo.h"

#include "core/config.h"
#include "core/logging.h"
#include "photostore/productdata.h"
#include "sheets/sheetfolder.h"
#include "sheets/sheethtml.h"
#include "sheets/sheetprint.h"

#include <QDateTime>

namespace {

QString esc(const QString& value)
{
    return SheetHtml::text(value);
}

// "1970-01-01" is how the back end says "no date".
bool isDate(const QString& date)
{
    return !date.isEmpty() && date != QLatin1String("1970-01-01");
}

// A blue value of the address row.
QString blue(const QString& value)
{
    return QStringLiteral("<span style=\"color: #0000FF\">") + esc(value) + QStringLiteral("</span>");
}

} // namespace

PrintEmsInfo::PrintEmsInfo(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::PrintEmsInfo)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog);
    setWindowTitle(QStringLiteral("正在生成制作单..."));
    iniData();
    barcode_url = Config::url_getbarcode + QStringLiteral("&order_photo_id=") + Config::order_id
        + QStringLiteral("&shopid=") + Config::shop_id + QStringLiteral("&superid=") + Config::super_id
        + QStringLiteral("&order_sample_infoid=") + Config::order_sample_infoid + QStringLiteral("&token=")
        + Config::token;

    SheetPrint::setUpView(ui->webView);

    m_sheetFolder = SheetFolder::create();
    // The page shows no photo, so no sheet thumbnails are made; the barcode download starts
    // once the creator has filled the fields and control is back in the event loop.
    QMetaObject::invokeMethod(this, &PrintEmsInfo::onFinishSaveThumb, Qt::QueuedConnection);
}

PrintEmsInfo::~PrintEmsInfo()
{
    m_barcode.release(this);
    SheetFolder::remove(m_sheetFolder);
    delete ui;
}

void PrintEmsInfo::iniData()
{
    emsdescr.clear();
    selectername.clear();
    selecterphon.clear();
    orderpayforkey.clear();
    comboname.clear();
    barcode_file.clear();
}

void PrintEmsInfo::setProducts(QList<Product> list)
{
    products = list;
}

void PrintEmsInfo::onFinishSaveThumb()
{
    barcode_file = m_sheetFolder + QString::number(QDateTime::currentMSecsSinceEpoch()) + QStringLiteral(".jpg");
    download(barcode_url, barcode_file);
}

void PrintEmsInfo::download(QString url, QString path)
{
    m_barcode.start(
        this, url, path, &PrintEmsInfo::replyFinished, &PrintEmsInfo::onDownloadProgress, &PrintEmsInfo::onReadyRead);
}

void PrintEmsInfo::onReadyRead()
{
    m_barcode.readAvailable();
}

void PrintEmsInfo::onDownloadProgress(qint64 bytesSent, qint64 bytesTotal)
{
    qCDebug(lcSheets) << "barcode download" << bytesSent << "/" << bytesTotal;
}

// Good or failed, the finished download shows the page: the barcode is not on it.
void PrintEmsInfo::replyFinished(QNetworkReply* reply)
{
    if (m_barcode.finish(reply))
        ui->webView->setHtml(getHTMLString(), QUrl());
}

void PrintEmsInfo::on_webView_loadFinished(bool arg1)
{
    if (arg1)
        setWindowTitle(QStringLiteral("快递服务收费单"));
}

void PrintEmsInfo::on_pushButton_print_clicked()
{
    print(getHTMLString());
}

void PrintEmsInfo::print(QString html)
{
    SheetPrint::print(html, this);
}

void PrintEmsInfo::on_saveButton_clicked()
{
    SheetPrint::saveAsked(this, QStringLiteral("./快递服务收费单"));
}

bool PrintEmsInfo::saveAsHTML(QString fileName)
{
    // This sheet's failure box belongs to its window.
    return SheetPrint::saveReported(getHTMLString(), fileName, false, this);
}

bool PrintEmsInfo::saveAsPDF(QString fileName)
{
    return SheetPrint::saveReported(getHTMLString(), fileName, true, this);
}

bool PrintEmsInfo::hasPickupDate() const
{
    return isDate(ems_info.getgooddate);
}

QList<PrintEmsInfo::AddressGroup> PrintEmsInfo::addressGroups() const
{
    QList<AddressGroup> groups;
    for (const Product& product : qAsConst(ProductData::m_products)) {
        if (!product.print || !product.isems)
            continue;
        int at = 0;
        while (at < groups.size() && groups.at(at).address.id != product.orderaddress.id)
            ++at;
        if (at == groups.size()) {
            groups.append(AddressGroup());
            groups.last().address = product.orderaddress;
        }
        groups[at].products.append(product);
        if (product.isurgent == QLatin1String("1"))
            groups[at].isUrgent = true;
    }
    return groups;
}

void PrintEmsInfo::appendGroup(QString& page, const AddressGroup& group) const
{
    const OrderAddress& address = group.address;
    page += QStringLiteral("<table width=\"100%\"  border=\"0\" cellspacing=\"0\" cellpadding=\"0\">");
    page += QStringLiteral("<tr><td align=\"center\">");
    page += QStringLiteral("<table width=\"100%\" border=\"1\" align=\"center\" cellpadding=\"0\" cellspacing=\"0\">");
    page += QStringLiteral("<tr><td colspan=\"6\"><span class=\"style2\"><font color=\"#000000\"> 快递信息： ")
        + QStringLiteral("联系人: ") + blue(address.name) + QStringLiteral("    联系电话:  ") + blue(address.phone)
        + QStringLiteral("     邮编: ") + blue(address.postcode) + QStringLiteral("    地址： ")
        + blue(address.province + address.city + address.county + address.address)
        + QStringLiteral("</font></td></tr>");

    page += QStringLiteral("<tr><td colspan=\"6\"><span class=\"style2\"><font color=\"#000000\">普通件：");
    if (hasPickupDate())
        page += esc(ems_info.getgooddate) + QStringLiteral("取件");
    page += QStringLiteral("</font>");
    if (group.isUrgent && !urgent_date.isEmpty())
        page += QStringLiteral("     <font color=\"#DC143C\">加急件：") + esc(urgent_date)
            + QStringLiteral("取件</font>");
    page += QStringLiteral("</span>&nbsp;</td></tr>");

    page += QStringLiteral("  <tr bgcolor=\"#CCCCCC\">");
    page += QStringLiteral("    <td width=\"10%\"><div align=\"center\">序号</div></td>");
    page += QStringLiteral("    <td width=\"40%\"><div align=\"center\">产品名称</div></td>");
    page += QStringLiteral("    <td width=\"10%\"><div align=\"center\">类别</div></td>");
    page += QStringLiteral("    <td width=\"10%\"><div align=\"center\">数量</div></td>");
    page += QStringLiteral("    <td width=\"10%\"><div align=\"center\">P数</div></td>");
    page += QStringLiteral("    <td width=\"20%\"><div align=\"center\">发货日期</div></td>");
    page += QStringLiteral("  </tr>");

    const QString emptyCell = QStringLiteral("    <td align=\"center\"></td>");
    int row = 0;
    for (const Product& product : group.products) {
        // A package is counted but has no row of its own.
        if (!product.isems || product.isexist)
            continue;
        ++row;
        const QString name
            = product.hasParent ? product.parent_goodname + QLatin1Char('-') + product.goodname : product.goodname;
        page += QStringLiteral("  <tr>");
        page += QStringLiteral("    <td align=\"center\">") + QString::number(row) + QStringLiteral("</td>");
        page += QStringLiteral("    <td align=\"left\">") + esc(name) + QStringLiteral("</td>");
        page += QStringLiteral("    <td align=\"left\">") + esc(product.goodtype) + QStringLiteral("</td>");
        page += QStringLiteral("    <td align=\"center\">") + esc(product.goodamount) + QStringLiteral("</td>");
        page += product.goodtypeid == QLatin1String("33")
            ? QStringLiteral("    <td align=\"center\">") + esc(product.goodpnumber) + QStringLiteral("</td>")
            : emptyCell;
        if (product.isurgent == QLatin1String("1"))
            page += QStringLiteral("    <td align=\"center\"><span class=\"style2\"><font color=\"#DC143C\">")
                + esc(urgent_date) + QStringLiteral("</font></span></td>");
        else if (hasPickupDate())
            page += QStringLiteral("    <td align=\"center\">") + esc(ems_info.getgooddate) + QStringLiteral("</td>");
        else
            page += emptyCell;
    }

    page += QStringLiteral("<tr>");
    page += QStringLiteral("<td><div align=\"center\">总计</div></td>");
    page += QStringLiteral("<td colspan=\"5\"><div align=\"center\">产品总数:") + QString::number(group.products.size())
        + QStringLiteral("件</div>");
    page += QStringLiteral("</td></tr>");
    page += QStringLiteral("</table></td></tr></table>");
}

QString PrintEmsInfo::getHTMLString()
{
    QString page;
    page += SheetHtml::pageStart();
    page += QStringLiteral("<style type=\"text/css\">");
    page += QStringLiteral(".style1 {");
    page += QStringLiteral("\tfont-size: 24px;");
    page += QStringLiteral("\tfont-weight: bold;");
    page += QStringLiteral("\tfont-family: \"微软雅黑\",\"Tahoma\";");
    page += QStringLiteral("}");
    page += SheetHtml::thinBorders();
    page += QStringLiteral("</style>");

    page += QStringLiteral("<p><table width=100%  border=0 cellspacing=0 cellpadding=1;>");
    page += QStringLiteral("<tr bgcolor=\"#FFFFFF\"><td width=27%><div align=\"center\"></div></td>");
    page += QStringLiteral("<td width=46%><div align=\"center\">");
    page += QStringLiteral("<span align=\"center\" class=\"style1\">快递服务收费单</span>");
    page += QStringLiteral("</div></td><td width=27%><div align=\"right\">");
    page += QStringLiteral("<table width=\"100%\"   cellspacing=\"0\" cellpadding=\"1\" border=\"1\">");
    page += QStringLiteral("  <tr>");
    page += QStringLiteral("    <td align=\"left\" class=\"style2\">选片师姓名：") + esc(selectername)
        + QStringLiteral("</td>");
    page += QStringLiteral("  </tr>");
    page += QStringLiteral("</table>");
    page += QStringLiteral("</div></td></tr></table></p>");
    page += QStringLiteral("<BR>");

    const QString valueCell = QStringLiteral("    <td><div align=\"left\" >");
    page += QStringLiteral("<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">");
    page += QStringLiteral("<tr><td align=\"center\">");
    page += QStringLiteral("<table width=\"100%\" border=\"1\" align=\"center\" cellpadding=\"0\" cellspacing=\"0\">");
    page += QStringLiteral("  <tr>");
    page += valueCell + QStringLiteral("订单号</div></td>");
    page += valueCell + esc(orderpayforkey + QLatin1Char('-') + servicetimes) + QStringLiteral("</div></td>");
    page += valueCell + QStringLiteral("客人姓名</div></td>");
    page += valueCell + esc(ems_info.customer_names) + QStringLiteral("</div></td>");
    page += valueCell + QStringLiteral("客人电话</div></td>");
    page += valueCell + esc(ems_info.customer_phones) + QStringLiteral("</div></td>");
    page += QStringLiteral("  </tr>");
    page += QStringLiteral("</table></td></tr></table>");
    page += QStringLiteral("<BR>");

    const QList<AddressGroup> groups = addressGroups();
    QStringList ids;
    QStringList urgentIds;
    for (int i = 0; i < groups.size(); ++i) {
        if (i > 0)
            page += QStringLiteral("<BR>");
        appendGroup(page, groups.at(i));
        ids << groups.at(i).address.id;
        if (groups.at(i).isUrgent)
            urgentIds << groups.at(i).address.id;
    }
    qCDebug(lcSheets) << "express groups" << ids << "urgent" << urgentIds;

    page += QStringLiteral("<BR>");
    page += QStringLiteral("<table width=\"100%\"  border=\"0\">");
    page += QStringLiteral("  <tr>");
    page += QStringLiteral("    <td align=\"left\"><span>") + esc(emsdescr) + QStringLiteral("<BR></span></td>");
    page += QStringLiteral("  </tr>");
    page += QStringLiteral("</table>");
    page += QStringLiteral("<BR>");

    page += QStringLiteral("<table width=\"100%\"  border=\"0\" cellspacing=\"0\" cellpadding=\"1\">");
    page += QStringLiteral("  <tr>");
    page += QStringLiteral("    <td align=\"left\" class=\"style2\" width=\"50%\">费用合计：________________</td>");
    page += QStringLiteral("    <td align=\"left\" class=\"style2\" width=\"50%\">客户签字：________________</td>");
    page += QStringLiteral("  </tr>");
    page += QStringLiteral("</table>");

    page += QStringLiteral("<div style=\"font-size:12px\" align=\"center\"><p align=\"right\">") + SheetHtml::now()
        + QStringLiteral("</p></div>");
    page += QStringLiteral("</body>");
    page += QStringLiteral("</HTML>");
    return page;
}

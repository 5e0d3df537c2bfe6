#include "widgets/productrequirement.h"
#include "ui_productrequirement.h"

#include "core/config.h"
#include "core/logging.h"
#include "core/prompt.h"

#include <QRegExp>
#include <QRegExpValidator>

ProductRequirement::ProductRequirement(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::ProductRequirement)
    , m_kind(0)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog);
    setWindowTitle(QStringLiteral("制作要求"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* digits = new QRegExpValidator(QRegExp(QStringLiteral("[0-9][0-9]+$")), this);
    m_page = {ui->lineEdit_page, QStringLiteral("P数"), QString()};
    m_addPage = {ui->lineEdit_addpage, QStringLiteral("加P数"), QString()};
    m_number = {ui->lineEdit_number, QStringLiteral("数量"), QString()};
    m_zhangshu = {ui->lineEdit_zhangshu, QStringLiteral("张数"), QString()};
    for (const Count* count : {&m_page, &m_addPage, &m_number, &m_zhangshu})
        count->edit->setValidator(digits);
}

ProductRequirement::~ProductRequirement()
{
    delete ui;
}

void ProductRequirement::setProData(int kind, Product product)
{
    setData(kind, product.descr, product.goodpnumber, product.goodamount, product.goodpagenumber, product.goodtypeid,
        product.p_num, product.isexist, product.hasParent);
}

void ProductRequirement::setData(int kind, QString req, QString page, QString number, QString zhangshu, QString typeId,
    QString addPage, bool isPackage, bool hasParent)
{
    m_kind = kind;
    m_page.stored = page;
    m_addPage.stored = addPage;
    m_number.stored = number;
    m_zhangshu.stored = zhangshu;
    if (kind != 0) {
        delete ui->lineEdit_addpage;
        delete ui->label_5;
        delete ui->lineEdit_zhangshu;
        delete ui->lineEdit_number;
        delete ui->lineEdit_page;
        delete ui->label_3;
        delete ui->label_2;
        delete ui->label;
        m_page.edit = m_addPage.edit = m_number.edit = m_zhangshu.edit = nullptr;
    } else {
        ui->lineEdit_number->setText(number);
        ui->lineEdit_number->setEnabled(!isPackage && !hasParent);
        const bool isAlbum = typeId == QLatin1String("33");
        ui->lineEdit_addpage->setEnabled(isAlbum);
        ui->lineEdit_addpage->setText(isAlbum ? addPage : QString());
        ui->lineEdit_page->setEnabled(isAlbum && Config::isPnumEdit);
        ui->lineEdit_page->setText(isAlbum ? page : QString());
        ui->lineEdit_zhangshu->setEnabled(isAlbum);
        ui->lineEdit_zhangshu->setText(isAlbum ? zhangshu : QString());
    }
    // Plain text: a requirement that looks like markup must come back exactly as it was written.
    ui->textEdit->setPlainText(req);
}

bool ProductRequirement::hasEnabledEntries() const
{
    for (const Count* count : {&m_page, &m_addPage, &m_number, &m_zhangshu}) {
        if (count->edit->isEnabled() && count->edit->text().isEmpty()) {
            Prompt::information(nullptr, QStringLiteral("提示"), QStringLiteral("请输入") + count->label,
                QMessageBox::Yes, QMessageBox::Yes);
            return false;
        }
    }
    return true;
}

QString ProductRequirement::valueOf(const Count& count)
{
    return count.edit->isEnabled() ? count.edit->text() : count.stored;
}

void ProductRequirement::on_pushButton_clicked()
{
    if (m_kind == 0) {
        if (!hasEnabledEntries())
            return;
        qCDebug(lcProducts) << "要求收number" << ui->lineEdit_number->text();
        emit productReq(
            ui->textEdit->toPlainText(), valueOf(m_page), valueOf(m_number), valueOf(m_zhangshu), valueOf(m_addPage));
    } else if (m_kind == 1) {
        emit productReq(ui->textEdit->toPlainText(), QString(), QString(), QString(), QString());
    }
    close();
}

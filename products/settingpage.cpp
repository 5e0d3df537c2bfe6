#include "products/settingpage.h"
#include "ui_settingpage.h"

#include <QShortcut>

namespace {
const char* const AddPageMode = "加P数";
}

SettingPage::SettingPage(QWidget* parent)
    : CountDialog(parent)
    , ui(new Ui::SettingPage)
    , m_mode(QStringLiteral("P数"))
{
    ui->setupUi(this);
    setWindowTitle(m_mode);
    setUpEntry(ui->lineEdit);
    auto* confirm = new QShortcut(QKeySequence(Qt::Key_Return), this);
    connect(confirm, &QShortcut::activated, this, &SettingPage::on_pushButton_clicked);
}

SettingPage::~SettingPage()
{
    delete ui;
}

void SettingPage::setAddPageInfo()
{
    m_mode = QString::fromUtf8(AddPageMode);
    setWindowTitle(m_mode);
}

void SettingPage::on_pushButton_clicked()
{
    const QString page = ui->lineEdit->text();
    if (!hasEntry(ui->lineEdit, QStringLiteral("请输入") + m_mode))
        return;
    if (m_mode == QString::fromUtf8(AddPageMode))
        emit sendAddPage(page);
    else
        emit sendPage(page);
    close();
}

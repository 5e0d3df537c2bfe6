#include "products/productdlg.h"
#include "ui_productdlg.h"

#include "core/prompt.h"
#include "photostore/productdata.h"
#include "workspace/droplistwidget.h"

#include <QDebug>
#include <QStandardItemModel>

ProductDlg::ProductDlg(QWidget* parent)
    : QDialog(parent)
    , seleType(0)
    , ui(new Ui::ProductDlg)
    , model(new QStandardItemModel(this))
    , currentRow(-1)
{
    ui->setupUi(this);
    ui->tableView->setModel(model);
    ui->tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->tableView->setSelectionMode(QAbstractItemView::SingleSelection);

    // The table goes under "统计", the photo list under the table.
    photoList = new DropListWidget(this);
    ui->verticalLayout->addWidget(ui->tableView);
    ui->verticalLayout->addWidget(photoList);
    connect(photoList, &DropListWidget::dropMessage, this, &ProductDlg::addToProduct);
    photoList->setAcceptDrops(true);
    photoList->setDragDropMode(QAbstractItemView::DropOnly);
}

ProductDlg::~ProductDlg()
{
    delete ui;
}

void ProductDlg::setPicNames(QStringList& names)
{
    qDebug() << "准备添加到产品的照片" << names;
    picNames = names;
}

bool ProductDlg::addToProductDuge()
{
    currentRow = ui->tableView->currentIndex().row();
    if (currentRow < 0 || currentRow >= ProductData::m_products.size()) {
        Prompt::information(nullptr, QString(), QStringLiteral("请选择一项产品"), QMessageBox::Yes, QMessageBox::Yes);
        return false;
    }
    if (ProductData::m_products.at(currentRow).sentToFactory) {
        Prompt::information(nullptr, QString(), QStringLiteral("产品已发件，不可修改"), QMessageBox::Yes,
            QMessageBox::Yes);
        return false;
    }
    return true;
}

void ProductDlg::addToProduct()
{
    if (!addToProductDuge())
        return;
    emit getPicNamelist();
    addToProductStart();
}

void ProductDlg::addToProduct1()
{
    if (addToProductDuge())
        addToProductStart();
}

void ProductDlg::addToProductStart()
{
    // Assigning photos to the product comes with the products panel's own work.
}

void ProductDlg::refreshList()
{
    // The photo list's thumbnails come with the products panel's own work.
}

void ProductDlg::refreshProduct(int)
{
    // Reloading the products comes with the products panel's own work.
}

void ProductDlg::setLocked()
{
    // The panel's editing controls come with the products panel's own work.
}

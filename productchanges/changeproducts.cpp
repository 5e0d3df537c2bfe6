#include "productchanges/changeproducts.h"

#include <QPushButton>
#include <QVBoxLayout>

ChangeProducts::ChangeProducts(QWidget* parent)
    : QWidget(parent)
    , m_confirmButton(new QPushButton(tr("确定"), this))
    , m_isConfirmed(false)
{
    setWindowTitle(tr("修改产品"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_confirmButton);
    connect(m_confirmButton, &QPushButton::clicked, this, &ChangeProducts::confirm);
}

void ChangeProducts::confirm()
{
    // Once: a second click before the window has gone must not reload the panel again.
    if (m_isConfirmed)
        return;
    m_isConfirmed = true;
    emit changeAllProducts(QList<Product>());
    close();
}

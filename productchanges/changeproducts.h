#ifndef CHANGEPRODUCTS_H
#define CHANGEPRODUCTS_H

#include "photostore/product.h"

#include <QList>
#include <QWidget>

class QPushButton;

// The product changes window of the open order. Until product changes are built it offers its confirm button only,
// which emits changeAllProducts() once, with the (unchanged, empty) list, and closes the window.
//
// Opened without parent and not modal; the opener sets Qt::WA_DeleteOnClose. GUI thread only.
class ChangeProducts : public QWidget
{
    Q_OBJECT
public:
    explicit ChangeProducts(QWidget* parent = nullptr);

signals:
    void changeAllProducts(QList<Product> products);

private:
    void confirm();

    QPushButton* m_confirmButton;
    bool m_isConfirmed;
};

#endif // CHANGEPRODUCTS_H

#ifndef PRODUCTDLG_H
#define PRODUCTDLG_H

#include <QDialog>
#include <QStringList>

class DropListWidget;
class QStandardItemModel;
namespace Ui {
class ProductDlg;
}

// The products panel of the selection workspace: the order's products in a table and the
// photos of the chosen product in a list that takes drops from the album panel.
//
// So far the panel holds its table, its photo list with the drop road and the checks that
// come before adding photos; loading the products and assigning photos come with the
// products panel's own work.
class ProductDlg : public QDialog
{
    Q_OBJECT
public:
    explicit ProductDlg(QWidget* parent = nullptr);
    ~ProductDlg() override;

    // The filter of the album shown (a SELETYPE value); only the workspace writes it.
    int seleType;

    // The photos to add with the following addToProduct1().
    void setPicNames(QStringList& names);
    void addToProduct1();
    void refreshList();
    void refreshProduct(int type);
    void setLocked();

signals:
    void getPicNamelist();
    void showImage();
    void updateImage(QStringList imgNameList);
    void updateImage();
    void sendSetLocked();
    void changeView();
    void getProducetFinish();

public slots:
    // A drop on the photo list: the checks, then the album panel's selection is asked for.
    void addToProduct();

private:
    bool addToProductDuge();
    void addToProductStart();

    Ui::ProductDlg* ui;
    QStandardItemModel* model;
    DropListWidget* photoList;
    QStringList picNames;
    int currentRow;
};

#endif // PRODUCTDLG_H

#ifndef PRODUCTREQUIREMENT_H
#define PRODUCTREQUIREMENT_H

#include "photostore/product.h"

#include <QString>
#include <QWidget>

class QLineEdit;
namespace Ui {
class ProductRequirement;
}

// The requirement editor: one product's requirement text with its P number, added P number, quantity and sheet
// count (kind 0), or a text alone (kind 1, the order's overall requirement).
//
// Built anew for every opening, filled once by setProData() or setData(), shown without modality. On confirmation it
// emits productReq() once and closes; closing it otherwise emits nothing. It deletes itself on close. It posts nothing:
// the receiver does.
class ProductRequirement : public QWidget
{
    Q_OBJECT
public:
    explicit ProductRequirement(QWidget* parent = nullptr);
    ~ProductRequirement() override;

    void setProData(int kind, Product product);
    // kind, requirement, P number, quantity, sheet count, product type id, added P number; either flag locks the
    // quantity (a package, a child product).
    void setData(int kind, QString req, QString page, QString number, QString zhangshu, QString typeId, QString addPage,
        bool isPackage, bool hasParent);

signals:
    void productReq(QString req, QString page, QString number, QString zhangshu, QString addPage);

private slots:
    void on_pushButton_clicked();

private:
    struct Count
    {
        QLineEdit* edit;
        QString label;
        QString stored;
    };
    // A field that is open for typing must hold a value; a greyed-out one sends the product's stored value.
    bool hasEnabledEntries() const;
    static QString valueOf(const Count& count);

    Ui::ProductRequirement* ui;
    int m_kind;
    Count m_page;
    Count m_addPage;
    Count m_number;
    Count m_zhangshu;
};

#endif // PRODUCTREQUIREMENT_H

#ifndef ORDER_H
#define ORDER_H

#include <QString>

// One order of an order query's result. A plain value: the search window keeps a list
// of them and hands it to the workspace and back.
class order
{
public:
    order();
    order(const order& other);
    order& operator=(const order& other);
    ~order();

    bool islock;
    QString order_photo_id;
    QString orderid;
    QString servicetimes;
    QString storesname;
    QString name;
    QString phone;
    QString combotypeid;
    QString comboid;
    QString order_price;
    QString role1;
    QString dresser;
    QString shotdate;
    QString otherdate;
    QString orderpayforkey;
    QString ishavepinguan;
    QString pinguanfinish;
    QString role8;
    QString role9;
    QString role7;
    QString role10;
    QString phototype;
    QString samplingTile;
    QString imagebooktime;
    QString selectphotodate;
    QString sampletime;
    QString ordersampleinfoservicetimes;
    QString sampledate;
    QString role12finish;
    QString role12;
    QString order_sample_infoid;
    QString photo_sort;
};

#endif // ORDER_H

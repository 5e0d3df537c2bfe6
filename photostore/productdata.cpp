#include "photostore/productdata.h"

QList<Product> ProductData::m_products;
QList<Product> ProductData::m_printProducts;
QString ProductData::all_product_requirement;
QString ProductData::product_urgentdate;
QString ProductData::product_urgentTime;
QStringList ProductData::m_changedPhotos;
QString ProductData::oid;
int ProductData::replaceType = 0;
QString ProductData::localOrderPath;
QSet<QString> ProductData::useImages;

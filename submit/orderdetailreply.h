#ifndef ORDERDETAILREPLY_H
#define ORDERDETAILREPLY_H

#include <QJsonObject>
#include <QString>
#include <QStringList>

// The order detail ("&m=order&a=orderdetail") as the submission dialog's first load reads it.
// Texts are read as JSON strings (a missing key or any other type reads as empty); the edit
// switches and the retouch-viewing limits as JSON numbers (otherwise 0).
struct OrderDetail
{
    // 0: a date of that kind whose period is already set may no longer be changed.
    int editfahuo = 0;
    int editkanban = 0;
    int editkanjingxiu = 0;

    // Seconds since 1970; 0 when the order gives none or a number out of range.
    qint64 min_kjxts = 0;
    qint64 max_kjxts = 0;
    QString kjx_msg;

    QString checktruing;
    QString kanjingxiuTime; // "kanjinxiuarea" period text and id
    QString kanjingxiuId;
    QString isurgenttime;
    QString comparedate;
    QString kanbanTime;
    QString kanbanId;
    QString t_movie_time;

    QString activenumber;
    QString freephotonumber1;
    QString freephotonumber2;
    QString freephotonumber3;
    QString designnum;
    QString buynumber;
    QString yqnumber;
    QString morephotonumber;

    QString iswyx;
    QString is_two_buy;

    QString one_price;
    QString two_price;
    QString twosales;
    QString totaltwosales;

    QString pickuptime;
    QString getphotoTime;
    QString getphotoId;

    QString isurgentphoto;
    QString isprintdelwarn;
    QString kjxway;
    QString islook_effect;
    QString good_type;
    QString pickuptype;
    QString type;

    // The 选片师 list: "请选择" first, then "role12data" in order; selected is the position of
    // the order's own "role12" (a later match wins), 0 without one.
    bool isxps = false;
    QStringList xpsNames;
    QStringList xpsIds;
    int xpsSelected = 0;

    static OrderDetail parse(const QJsonObject& reply);
};

// Reading of reply values with their defaults.
namespace DetailValue {
// A JSON string, else "".
QString text(const QJsonObject& object, const QString& key);
// A JSON number within the range of qint64, else 0.
qint64 number(const QJsonObject& object, const QString& key);
// An integer from a decimal text, fractions truncated; text that is no number reads 0.
qint64 integer(const QString& text);
} // namespace DetailValue

#endif // ORDERDETAILREPLY_H

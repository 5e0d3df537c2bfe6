#ifndef SUBMISSIONBODY_H
#define SUBMISSIONBODY_H

#include "core/formbody.h"

#include <QByteArray>
#include <QString>

// What a submission of the selection result posts, read off the submission dialog once.
// The radio groups hold the index of the checked button (0 first, 1, 2) or -1 for none.
struct SubmissionFields
{
    // The counts of the form, as typed.
    QString morephotonumber;
    QString activenumber;
    QString freephotonumber1;
    QString freephotonumber2;
    QString freephotonumber3;
    QString buynumber;
    QString yqnumber;
    QString designnum;

    bool isLocked = false;
    int lastpic = 0;
    int lastrepairpic = 0;

    bool isAllUrgent = false;
    QString getphotodate;
    QString getphotoareaName;
    QString getphotoareaid;
    QString t_movie_time; // the micro-video date button's text

    QString comparedate;
    QString kanbanareaid;
    QString checktruing;
    QString kanjingxiuareaid;
    // The two date buttons' texts, which the thumbnail road posts as well.
    QString checkBoardText;
    QString preciseRepairText;

    bool isPart = false;
    bool isUrgentPhoto = false;
    int goodType = -1;
    int lookEffect = -1;
    int kjxWay = -1;
    bool isEms = false;

    QString finalpicpaths;
    int finalpicnum = 0;
    QString deletepicpaths;
    int deletepicnum = 0;

    QString twosales;
    QString one_price;
    QString two_price;
    QString role12;
    int fwqlc_num = 0;
};

// The submission bodies ("&m=order&a=updategetphotodate2"). The main body is built here; the
// side roads compose theirs from the same pieces.
namespace SubmissionBody {

// Keys "token" to "t_movie_time": the part every road sends alike.
FormBody head(const SubmissionFields& f);
// "finalpicpaths", "finalpicnum", "deletepicpaths", "deletepicnum".
void addPhotoLists(FormBody& body, const SubmissionFields& f);
// The value of a radio group: the first button's value, "1", "2", or empty for none.
QString radioValue(int index, const QString& first);
// The main submission body, keys in the back end's order.
QByteArray mainBody(const SubmissionFields& f);

// Whether the first-purchase and repurchase amounts add up to the selection amount, compared
// in cents (a text that is no number counts 0).
bool amountsAddUp(const QString& first, const QString& second, const QString& total);

} // namespace SubmissionBody

#endif // SUBMISSIONBODY_H

#ifndef CONSUMPTIONREMARK_H
#define CONSUMPTIONREMARK_H

#include <QMap>
#include <QString>
#include <QWidget>

struct BackendReply;
namespace Ui {
class ConsumptionRemark;
}

// The editor of the order's consumption statement: shows the statement the panel fetched, as plain text, and posts
// the edited text back; it closes itself once the back end has accepted it, and stays open with the operator's text
// otherwise. At most one post is on its way.
//
// Opened without parent and not modal; it deletes itself on close. GUI thread only.
class ConsumptionRemark : public QWidget
{
    Q_OBJECT
public:
    explicit ConsumptionRemark(QWidget* parent = nullptr);
    ~ConsumptionRemark() override;

    void refreshRemark(QMap<QString, QString> remarkInfo);

public slots:
    void on_pb_submit_clicked();

private:
    void queryConsumRemarkCallBack(const BackendReply& reply);

    Ui::ConsumptionRemark* ui;
    QMap<QString, QString> m_remarkInfo;
    bool m_isSubmitting;
};

#endif // CONSUMPTIONREMARK_H

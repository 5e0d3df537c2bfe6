#ifndef WEBLOGIN_H
#define WEBLOGIN_H

#include "app/shops.h"
#include "app/windowdrag.h"

#include <QJsonObject>
#include <QList>
#include <QUrl>
#include <QWidget>

class QMouseEvent;

namespace Ui {
class WebLogin;
}

// Sign-in on a web page of the back end (a scanned QR code): the page reports the
// outcome in its title, as the JSON object of the sign-in reply.
class WebLogin : public QWidget
{
    Q_OBJECT
public:
    explicit WebLogin(QWidget* parent = nullptr);
    ~WebLogin() override;

    void checkUpdate();
    // The sign-in page on the back end's web host.
    static QUrl signInPage();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

public slots:
    void getUrl(const QUrl& url);
    void getTile(QString title);
    void webloadProgress(int progress);
    void refreshWeb();
    void on_pushButton_clicked();
    void httpCheckUpdateJson(QJsonObject jsonInfo);

private:
    QList<Shops> m_shops;
    Ui::WebLogin* ui;
    WindowDrag m_drag;
};

#endif // WEBLOGIN_H

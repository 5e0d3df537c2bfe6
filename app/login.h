#ifndef LOGIN_H
#define LOGIN_H

#include "app/shops.h"
#include "app/windowdrag.h"

#include <QDialog>
#include <QJsonObject>
#include <QList>

class HttpRequest;
class QMouseEvent;
struct BackendReply;

namespace Ui {
class Login;
}

// The first window: signs a member of staff in, remembers the user name (and the
// password when asked) in a file on the Desktop, checks once for a newer client,
// and hands over to the order search.
class Login : public QDialog
{
    Q_OBJECT
public:
    explicit Login(QWidget* parent = nullptr);
    ~Login() override;

    void loginPost();
    // Fills the fields from the login file.
    void writeUserInfo();
    static QString returnAccountPath();
    void checkUpdate();
    // Posts the version check and returns the request to connect to; the web sign-in
    // sends no "systemtype".
    static HttpRequest* postVersionCheck(bool withSystemType);

    // After a successful sign-in: records the shops in Config and opens the order search.
    static void openSearchOrder(const QList<Shops>& shops);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

public slots:
    void clickLogin();
    void finishedSlot(const BackendReply& reply);
    void on_pushButton_clicked();
    void httpCheckUpdateJson(QJsonObject jsonInfo);

private:
    void saveUserInfo();
    void setIdle();

    QList<Shops> m_shops;
    Ui::Login* ui;
    WindowDrag m_drag;
};

#endif // LOGIN_H

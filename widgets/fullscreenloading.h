#ifndef FULLSCREENLOADING_H
#define FULLSCREENLOADING_H

#include <QMap>
#include <QWidget>

class QGraphicsOpacityEffect;
class QLabel;
class QPropertyAnimation;
class QPushButton;
class QTimer;

// Busy indicator covering a whole window: a translucent layer with a small white card
// (icon, message, optional cancel button). One overlay per parent at most; code that only
// holds the parent finds it again with getInstance(). It deletes itself after fading out.
class FullScreenLoading : public QWidget
{
    Q_OBJECT
public:
    enum LoadingState { Loading = 0, Success = 1, Failed = 2 };

    explicit FullScreenLoading(QWidget* parent = nullptr);
    ~FullScreenLoading() override;

    using QWidget::show;
    static FullScreenLoading* show(QWidget* parent, const QString& message);
    static FullScreenLoading* showCancellable(QWidget* parent, const QString& message, const QString& cancelText);
    static FullScreenLoading* getInstance(QWidget* parent);

    void setMessage(const QString& message);
    void changeState(LoadingState state, const QString& message);
    void showSuccess(const QString& message, int autoCloseDelay);
    void showFailed(const QString& message, int autoCloseDelay);
    void dismiss();
    void setCancelButtonText(const QString& text);
    void setCancelButtonVisible(bool visible);

signals:
    void cancelled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setupUI();
    void centerContent();
    void startLoadingAnimation();
    void stopLoadingAnimation();
    void updateIcon();
    void playShowAnimation();
    void playStateChangeAnimation();
    void playDismissAnimation();
    void showOrFinish(LoadingState state, const QString& message, int autoCloseDelay);
    void paintIcon();
    QRect cardRestRect() const;

    LoadingState m_state = Loading;
    QLabel* m_iconLabel = nullptr;
    QLabel* m_messageLabel = nullptr;
    QWidget* m_card = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QTimer* m_spinnerTimer = nullptr;
    int m_angle = 0;
    QTimer* m_dismissTimer = nullptr;
    QPropertyAnimation* m_opacityAnimation = nullptr;
    QPropertyAnimation* m_geometryAnimation = nullptr;
    QGraphicsOpacityEffect* m_opacityEffect = nullptr;

    static QMap<QWidget*, FullScreenLoading*> s_instances;
};

#endif // FULLSCREENLOADING_H

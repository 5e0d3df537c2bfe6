#include "widgets/fullscreenloading.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestFullScreenLoading : public QObject
{
    Q_OBJECT
private:
    QWidget* m_window = nullptr;

    static QWidget* card(FullScreenLoading* o) { return o->findChild<QWidget*>(QStringLiteral("card")); }
    static QString message(FullScreenLoading* o)
    {
        return o->findChild<QLabel*>(QStringLiteral("messageLabel"))->text();
    }
    static QPushButton* cancelButton(FullScreenLoading* o)
    {
        return o->findChild<QPushButton*>(QStringLiteral("cancelButton"));
    }
    // Pixels of the drawn icon close to the given colour.
    static int iconPixels(FullScreenLoading* o, const QColor& colour)
    {
        const QImage icon = o->findChild<QLabel*>(QStringLiteral("iconLabel"))->grab().toImage();
        int n = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x) {
                const QColor c = icon.pixelColor(x, y);
                if (qAbs(c.red() - colour.red()) < 12 && qAbs(c.green() - colour.green()) < 12
                    && qAbs(c.blue() - colour.blue()) < 12)
                    ++n;
            }
        return n;
    }
    static QRect restRect(FullScreenLoading* o, int height = 120)
    {
        return QRect((o->width() - 120) / 2, (o->height() - height) / 2, 120, height);
    }

private slots:
    void init()
    {
        m_window = new QWidget;
        m_window->resize(400, 300);
        m_window->show();
    }
    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
    }

    void oneOverlayPerParent()
    {
        QCOMPARE(FullScreenLoading::getInstance(m_window), nullptr);
        FullScreenLoading* first = FullScreenLoading::show(m_window, QStringLiteral("正在读取"));
        QVERIFY(first);
        QCOMPARE(first->parentWidget(), m_window);
        QCOMPARE(first->geometry(), m_window->rect());
        QCOMPARE(FullScreenLoading::getInstance(m_window), first);
        QCOMPARE(message(first), QStringLiteral("正在读取"));
        QVERIFY(!cancelButton(first)->isVisible());

        FullScreenLoading* second = FullScreenLoading::show(m_window, QStringLiteral("第二次"));
        QCOMPARE(second, first);
        QCOMPARE(m_window->findChildren<FullScreenLoading*>().size(), 1);
        QCOMPARE(message(first), QStringLiteral("第二次"));
        QTRY_COMPARE_WITH_TIMEOUT(card(first)->geometry(), restRect(first), 30000);

        QCOMPARE(FullScreenLoading::getInstance(nullptr), nullptr);
    }

    void cancellableCardAndClick()
    {
        FullScreenLoading* overlay
            = FullScreenLoading::showCancellable(m_window, QStringLiteral("上传中"), QStringLiteral("停止"));
        QCOMPARE(cancelButton(overlay)->text(), QStringLiteral("停止"));
        QVERIFY(cancelButton(overlay)->isVisible());
        QCOMPARE(card(overlay)->size(), QSize(120, 150));
        QCOMPARE(card(overlay)->pos(), restRect(overlay, 150).topLeft());

        // Someone listens: the click only reports.
        QSignalSpy spy(overlay, &FullScreenLoading::cancelled);
        QTest::mouseClick(cancelButton(overlay), Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QTest::qWait(300);
        QCOMPARE(FullScreenLoading::getInstance(m_window), overlay);

        // A repeated show keeps the button as it was.
        QCOMPARE(FullScreenLoading::show(m_window, QStringLiteral("继续")), overlay);
        QVERIFY(cancelButton(overlay)->isVisible());
        overlay->setCancelButtonVisible(false);
        QCOMPARE(card(overlay)->size(), QSize(120, 120));
    }

    void cancelWithoutListenerGoesAway()
    {
        QPointer<FullScreenLoading> overlay
            = FullScreenLoading::showCancellable(m_window, QStringLiteral("上传中"), QStringLiteral("取消"));
        QTest::mouseClick(cancelButton(overlay), Qt::LeftButton);
        QCOMPARE(FullScreenLoading::getInstance(m_window), nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(overlay.isNull(), 30000);
    }

    void dismissLeavesMapAtOnce()
    {
        QPointer<FullScreenLoading> old = FullScreenLoading::show(m_window, QStringLiteral("a"));
        old->dismiss();
        QCOMPARE(FullScreenLoading::getInstance(m_window), nullptr);
        QVERIFY(!old.isNull()); // still fading

        // A show during the fade makes a new overlay whose entry survives the old one's end.
        FullScreenLoading* fresh = FullScreenLoading::show(m_window, QStringLiteral("b"));
        QVERIFY(fresh != old);
        QTRY_VERIFY_WITH_TIMEOUT(old.isNull(), 30000);
        QCOMPARE(FullScreenLoading::getInstance(m_window), fresh);
    }

    void successDrawsTickAndFades()
    {
        QPointer<FullScreenLoading> overlay = FullScreenLoading::show(m_window, QStringLiteral("保存中"));
        QVERIFY(iconPixels(overlay, QColor("#409EFF")) > 20);
        overlay->showSuccess(QStringLiteral("保存成功"), 150);
        QCOMPARE(message(overlay), QStringLiteral("保存成功"));
        QVERIFY(iconPixels(overlay, QColor("#67C23A")) > 20);
        QCOMPARE(iconPixels(overlay, QColor("#409EFF")), 0);
        // The timer's fade leaves the entry until the overlay is gone.
        QCOMPARE(FullScreenLoading::getInstance(m_window), overlay.data());
        QTRY_VERIFY_WITH_TIMEOUT(overlay.isNull(), 30000);
        QCOMPARE(FullScreenLoading::getInstance(m_window), nullptr);
    }

    void failedStaysAndShowReturnsToLoading()
    {
        FullScreenLoading* overlay = FullScreenLoading::show(m_window, QStringLiteral("提交中"));
        overlay->showFailed(QStringLiteral("提交失败"), 0);
        QVERIFY(iconPixels(overlay, QColor("#F56C6C")) > 20);
        QTest::qWait(500);
        QCOMPARE(FullScreenLoading::getInstance(m_window), overlay);
        QVERIFY(overlay->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(card(overlay)->geometry(), restRect(overlay), 30000);

        QCOMPARE(FullScreenLoading::show(m_window, QStringLiteral("重试中")), overlay);
        QVERIFY(iconPixels(overlay, QColor("#409EFF")) > 20);
        QCOMPARE(iconPixels(overlay, QColor("#F56C6C")), 0);
    }

    void resizeKeepsCardCentred()
    {
        FullScreenLoading* overlay = FullScreenLoading::show(m_window, QString());
        QTRY_COMPARE_WITH_TIMEOUT(card(overlay)->geometry(), restRect(overlay), 30000);
        overlay->resize(700, 500);
        QCOMPARE(card(overlay)->pos(), QPoint(290, 190));
        m_window->resize(900, 900); // the overlay does not follow its parent
        QCOMPARE(overlay->size(), QSize(700, 500));
    }

    void withoutParentIsUntracked()
    {
        QPointer<FullScreenLoading> overlay = FullScreenLoading::show(nullptr, QStringLiteral("x"));
        QVERIFY(overlay);
        QVERIFY(overlay->isWindow());
        overlay->showSuccess(QStringLiteral("done"), 10); // nothing happens without a parent
        QCOMPARE(message(overlay), QStringLiteral("x"));
        QTest::qWait(100);
        QVERIFY(!overlay.isNull());
        delete overlay.data();
    }

    void parentDestroyedTakesOverlay()
    {
        auto* window = new QWidget;
        window->resize(200, 200);
        window->show();
        QPointer<FullScreenLoading> overlay = FullScreenLoading::show(window, QStringLiteral("x"));
        delete window;
        QVERIFY(overlay.isNull());
        QCOMPARE(FullScreenLoading::getInstance(window), nullptr);
    }
};

QTEST_MAIN(TestFullScreenLoading)
#include "tst_fullscreenloading.moc"

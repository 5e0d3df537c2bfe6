#include "core/config.h"
#include "viewer/playspeeddialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

class TestPlaySpeedDialog : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Config::play_speed = 2500; }

    void opensOnTheStoredIntervalClamped_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("label");
        QTest::newRow("start-up value") << 2500 << 2500 << "2.50s  ";
        QTest::newRow("lowest") << 300 << 300 << "0.30s  ";
        QTest::newRow("below the range") << 100 << 300 << "0.30s  ";
        QTest::newRow("above the range") << 20000 << 10000 << "10.00s  ";
    }

    void opensOnTheStoredIntervalClamped()
    {
        QFETCH(int, stored);
        QFETCH(int, shown);
        QFETCH(QString, label);
        Config::play_speed = stored;
        PlaySpeedDialog dialog;
        QSlider* slider = dialog.findChild<QSlider*>(QStringLiteral("horizontalSlider"));
        QCOMPARE(slider->minimum(), 300);
        QCOMPARE(slider->maximum(), 10000);
        QCOMPARE(slider->value(), shown);
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("speedLabel"))->text(), label);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("自动播放速度"));
        QCOMPARE(dialog.windowType(), Qt::Dialog);
        // Confirming stores what the slider shows.
        dialog.show();
        dialog.findChild<QPushButton*>(QStringLiteral("pushButton"))->click();
        QCOMPARE(Config::play_speed, shown);
        QVERIFY(!dialog.isVisible());
    }

    void onlyTheButtonStores()
    {
        PlaySpeedDialog dialog;
        dialog.show();
        QSlider* slider = dialog.findChild<QSlider*>(QStringLiteral("horizontalSlider"));
        slider->setValue(4321);
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("speedLabel"))->text(), QStringLiteral("4.32s  "));
        dialog.close();
        QCOMPARE(Config::play_speed, 2500);
    }
};

QTEST_MAIN(TestPlaySpeedDialog)
#include "tst_playspeeddialog.moc"

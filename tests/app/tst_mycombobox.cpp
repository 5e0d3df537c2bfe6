#include "app/mycombobox.h"

#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

class TestMyComboBox : public QObject
{
    Q_OBJECT
private slots:
    // Scrolling a table over its combo boxes changes neither the box nor the table.
    void wheelIsSwallowed()
    {
        QTableWidget table(60, 1);
        table.resize(300, 200);
        auto* box = new myComboBox;
        box->addItems({QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三")});
        box->setCurrentIndex(1);
        table.setCellWidget(2, 0, box);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QVERIFY(table.verticalScrollBar()->maximum() > 0);
        const int scroll = table.verticalScrollBar()->value();

        for (const int delta : {-120, 120}) {
            const QPoint at = box->rect().center();
            QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
            QApplication::sendEvent(box, &wheel);
            QVERIFY(wheel.isAccepted());
        }
        QCOMPARE(box->currentIndex(), 1);
        QCOMPARE(table.verticalScrollBar()->value(), scroll);

        // A plain combo box in the same place would have moved.
        QComboBox plain;
        plain.addItems({QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三")});
        plain.setCurrentIndex(1);
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
            Qt::NoScrollPhase, false);
        QApplication::sendEvent(&plain, &wheel);
        QVERIFY(plain.currentIndex() != 1);
    }
};

QTEST_MAIN(TestMyComboBox)
#include "tst_mycombobox.moc"

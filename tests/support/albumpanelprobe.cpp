#include "tests/support/albumpanelprobe.h"

#include "tests/support/toplevel.h"
#include "viewer/progresswindow.h"
#include "workspace/photooperation.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QThreadPool>

QStandardItemModel* AlbumPanelProbe::table(PhotoOperation& panel)
{
    return qobject_cast<QStandardItemModel*>(panel.findChild<QTableView*>()->model());
}

QListWidget* AlbumPanelProbe::icons(PhotoOperation& panel)
{
    return panel.findChild<QListWidget*>();
}

QStringList AlbumPanelProbe::column(PhotoOperation& panel, int column)
{
    QStringList texts;
    QStandardItemModel* model = table(panel);
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->item(row, column)->text();
    return texts;
}

QString AlbumPanelProbe::albumLabel(PhotoOperation& panel)
{
    for (QLabel* label : panel.findChildren<QLabel*>())
        if (label->text().startsWith(QStringLiteral("当前相册：")))
            return label->text();
    return QString();
}

QPushButton* AlbumPanelProbe::button(PhotoOperation& panel, const QString& text)
{
    for (QPushButton* b : panel.findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

ProgressWindow* AlbumPanelProbe::progress()
{
    return topLevelWindows<ProgressWindow>().value(0);
}

void AlbumPanelProbe::settle()
{
    for (int i = 0; i < 3; ++i) {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

#include "tools/familydlg.h"
#include "ui_familydlg.h"

#include "core/prompt.h"
#include "core/worker.h"
#include "photostore/fileoperation.h"
#include "photostore/thumbnailthread.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QThreadPool>

namespace {

// What the worker found in a template folder.
struct TemplateListing
{
    bool exists = false;
    QStringList paths;
};

} // namespace

FamilyDlg::FamilyDlg(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::FamilyDlg)
{
    ui->setupUi(this);
    ui->listWidget->setIconSize(QSize(1000, 1000));
    ui->listWidget->setResizeMode(QListView::Adjust);
    ui->listWidget->setViewMode(QListView::IconMode);
    ui->listWidget->setSpacing(10);
    ui->listWidget->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(ui->listWidget, &QListWidget::itemDoubleClicked, this, &FamilyDlg::selectItem);
}

FamilyDlg::~FamilyDlg()
{
    delete ui;
}

void FamilyDlg::importFamilyPic(QString dir)
{
    ui->listWidget->clear();
    m_picPaths.clear();
    const int call = ++m_listing;
    // Ahead of any thumbnail jobs waiting on the pool: the operator waits for this list.
    Worker::run(
        this,
        [dir] {
            TemplateListing listing;
            QDir folder(dir);
            listing.exists = folder.exists();
            if (listing.exists) {
                folder.setNameFilters({QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.png"),
                    QStringLiteral("*.bmp")});
                const QFileInfoList entries = folder.entryInfoList();
                for (const QFileInfo& entry : entries) {
                    if (entry.fileName() == QLatin1String(".") || entry.fileName() == QLatin1String(".."))
                        continue;
                    listing.paths.append(entry.absoluteFilePath());
                }
            }
            return listing;
        },
        [this, call, dir](const TemplateListing& listing) {
            if (call == m_listing)
                showTemplates(dir, listing.exists, listing.paths);
        },
        1);
}

void FamilyDlg::showTemplates(const QString& dir, bool exists, const QStringList& paths)
{
    if (!exists) {
        Prompt::information(nullptr, QStringLiteral("警告"), QStringLiteral("家具效果模板目录不存在!\n") + dir);
        return;
    }
    m_picPaths = paths;
    if (m_picPaths.isEmpty())
        return;
    showDefaultThumb(m_picPaths);
    for (int i = 0; i < m_picPaths.size(); ++i)
        QThreadPool::globalInstance()->start(new ThumbnailThread(m_picPaths.at(i), i, this, m_listing));
}

void FamilyDlg::showDefaultThumb(QStringList paths)
{
    ui->listWidget->clear();
    for (const QString& path : paths) {
        QListWidgetItem* item = new QListWidgetItem;
        const QString name = FileOperation::getFileName(path);
        item->setText(name);
        item->setToolTip(name);
        item->setSizeHint(QSize(100, 130));
        item->setTextAlignment(Qt::AlignBottom);
        ui->listWidget->addItem(item);
    }
}

void FamilyDlg::updateThumbIcon(int index, QPixmap pic)
{
    if (QListWidgetItem* item = ui->listWidget->item(index))
        item->setIcon(QIcon(pic));
}

void FamilyDlg::updateListingThumbIcon(int listing, int index, QPixmap pic)
{
    if (listing == m_listing)
        updateThumbIcon(index, pic);
}

void FamilyDlg::selectItem(QListWidgetItem* item)
{
    const int row = ui->listWidget->row(item);
    if (row < 0 || row >= m_picPaths.size())
        return;
    QString path = m_picPaths.at(row);
    emit sendFamilyBigPicPath(path);
}

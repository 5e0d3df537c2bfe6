#include "upload/uploadphotolistdialog.h"

#include <QPushButton>
#include <QVBoxLayout>

UploadPhotoListDialog::UploadPhotoListDialog(QWidget* parent)
    : QDialog(parent)
    , m_startButton(new QPushButton(tr("完成"), this))
    , m_isDone(false)
{
    setWindowTitle(tr("上传照片"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_startButton);
    connect(m_startButton, &QPushButton::clicked, this, &UploadPhotoListDialog::start);
}

void UploadPhotoListDialog::start()
{
    // Once: the submission dialog opens on the signal, and must not open twice.
    if (m_isDone)
        return;
    m_isDone = true;
    emit upLoadSuccess();
    close();
}

#include "viewer/drawnturn.h"

#include "core/backendpost.h"
#include "core/backendreply.h"
#include "core/config.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "core/worker.h"
#include "photostore/croprect.h"
#include "photostore/imagedata.h"
#include "photostore/quarterturn.h"
#include "photostore/thumbnailthread.h"
#include "tools/cropremarkpost.h"
#include "tools/markturn.h"

#include <memory>

DrawnTurn::DrawnTurn(const SavedTurn& turn, QObject* parent)
    : QObject(parent)
    , m_turn(turn)
{
}

void DrawnTurn::start()
{
    const QString name = m_turn.photo.GetImageName();
    // A photo set aside keeps its crop in the records of moved photos, by its name.
    const Image info = ImageData::getInstance()->pictureInfo(name);
    if (CropRect::isCrop(info.GetTrimrc())) {
        m_turnedCrop = QuarterTurn::turnedThousandRect(info.GetTrimrc(), m_turn.photoSize, m_turn.turns);
        m_isEllipse = info.isEllipse();
        ++m_pending;
        BackendPost::post(Config::url_post_picinfo,
            CropRemarkPost::body(name, info.GetStrneed(), m_turnedCrop, m_isEllipse), this, &DrawnTurn::replyPostCrop);
    }
    ++m_pending;
    MarkTurn* marks = new MarkTurn(name, m_turn.turns, m_turn.photoSize, this);
    connect(marks, &MarkTurn::finished, this, &DrawnTurn::marksTurned);
    marks->start();
}

void DrawnTurn::replyPostCrop(const BackendReply& reply)
{
    const QString name = m_turn.photo.GetImageName();
    const CropRemarkPost::Result result = CropRemarkPost::readReply(reply);
    m_isCropStored = result.ok;
    ImageData* images = ImageData::getInstance();
    if (m_isCropStored)
        images->setClipRectOf(name, m_turnedCrop, m_isEllipse);
    else
        qCDebug(lcViewer).noquote() << "crop not turned:" << name << result.errorText;
    Image photo = m_turn.photo;
    const Image info = images->pictureInfo(name);
    photo.setClipRect(info.GetTrimrc(), info.isEllipse());
    emit cropSettled(photo);
    if (CropRect::isCrop(photo.GetTrimrc())) {
        // The crop's thumbnail is made again from the turned file with the crop kept. The turn
        // ends once it is written, so that the thumbnail of a later save is never overwritten
        // by this one.
        ++m_pending;
        const auto thumbnail = std::make_shared<ThumbnailThread>(photo, nullptr, 88);
        Worker::run(
            this, [thumbnail] { thumbnail->run(); }, [this] { endPart(); });
    }
    endPart();
}

void DrawnTurn::marksTurned(bool isStored)
{
    m_areMarksStored = isStored;
    endPart();
}

void DrawnTurn::endPart()
{
    if (--m_pending > 0)
        return;
    QString text;
    if (!m_isCropStored && !m_areMarksStored)
        text = QStringLiteral("照片已旋转保存，裁剪和标注未能随之旋转：请重新裁剪，并打开调修要求重新标注");
    else if (!m_isCropStored)
        text = QStringLiteral("照片已旋转保存，裁剪未能随之旋转：请重新裁剪");
    else if (!m_areMarksStored)
        text = QStringLiteral("照片已旋转保存，标注未能随之旋转：请打开调修要求重新标注");
    if (!text.isEmpty())
        Prompt::information(nullptr, QStringLiteral("提示"), text, QMessageBox::Yes, QMessageBox::Yes);
    emit finished();
    deleteLater();
}

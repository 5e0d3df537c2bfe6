#include "tests/support/albumpanelsession.h"

#include "core/config.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "tests/support/albumpanelprobe.h"
#include "tests/support/eventwait.h"
#include "workspace/photooperation.h"

AlbumPanelSession::AlbumPanelSession()
{
    Config::order_id = QStringLiteral("1001");
    Config::shop_id = QStringLiteral("7");
    Config::super_id = QStringLiteral("3");
    Config::order_sample_infoid = QStringLiteral("30001");
}

AlbumPanelSession::~AlbumPanelSession()
{
    end();
}

bool AlbumPanelSession::begin()
{
    prompts.reset(new PromptRecorder);
    order.reset(new OrderFolderFixture);
    backend->clearRequests();
    return backend.isReady() && order->isValid();
}

void AlbumPanelSession::end()
{
    close();
    backend->clearScripts();
    prompts.reset();
    order.reset();
    ProductData::m_products.clear();
    ProductData::useImages.clear();
    ProductData::localOrderPath.clear();
    Config::orderMode = 0;
    Config::isLocked = false;
    ImageData::changedImages.clear();
    ImageData::getInstance()->clearImages();
}

void AlbumPanelSession::close()
{
    AlbumPanelProbe::settle();
    shown.reset();
    panel.reset();
}

PhotoOperation& AlbumPanelSession::open(int shows, bool settle)
{
    close();
    panel.reset(new PhotoOperation);
    shown.reset(new QSignalSpy(panel.get(), &PhotoOperation::sendPhotoModel));
    waitUntil([&] { return shown->count() >= shows || prompts->count() > 0; });
    if (settle)
        AlbumPanelProbe::settle();
    return *panel;
}

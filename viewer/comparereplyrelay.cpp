#include "viewer/comparereplyrelay.h"

CompareReplyRelay::CompareReplyRelay(QWidget* parent)
    : QWidget(parent)
{
    hide();
}

void CompareReplyRelay::onFinishLoadCmpImage(QImage img, int index)
{
    emit replied(img, index);
}

#include "workspace/thumbreplyrelay.h"

ThumbReplyRelay::ThumbReplyRelay(bool isCounted)
    : QWidget(nullptr)
    , counted(isCounted)
{
}

void ThumbReplyRelay::noteDropped()
{
    emit dropped();
}

void ThumbReplyRelay::updateThumbIcon(int index, QPixmap icon, int album)
{
    emit replied(index, icon, album);
}

void ThumbReplyRelay::thumbFilesReady(int index, int album)
{
    emit filesReplied(index, album);
}

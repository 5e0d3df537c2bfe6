#include "photostore/thumb.h"

#include <utility>

Thumb::Thumb() = default;

Thumb::Thumb(QObject* parent)
{
    setParent(parent);
}

Thumb::Thumb(QString path, int width, int height, bool keepFullSize)
    : ThumbThread(std::move(path), width, height, keepFullSize)
{
}

void Thumb::run()
{
    emit finishScale(loadForShowMode(m_path, m_keepFullSize), m_path, true);
}

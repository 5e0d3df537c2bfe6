#include "productchanges/productbox.h"

#include "core/prompt.h"
#include "productchanges/searchgoodsreply.h"

namespace ProductBox {

void show(const QString& title, const QString& text)
{
    Prompt::information(nullptr, title, text, QMessageBox::Yes, QMessageBox::Yes);
}

void showSearchFailure(const SearchGoodsReply& result)
{
    if (!result.errorText.isEmpty())
        show(QStringLiteral("警告"), result.errorText);
}

void showNothingFound()
{
    show(QStringLiteral("提示"), QStringLiteral("没有查询到任何产品"));
}

} // namespace ProductBox

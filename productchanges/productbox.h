#ifndef PRODUCTBOX_H
#define PRODUCTBOX_H

#include <QString>

struct SearchGoodsReply;

// The boxes of the product change windows: information boxes without a parent whose only
// button, also the default, is Yes. They pass through the Prompt seam.
namespace ProductBox {

void show(const QString& title, const QString& text);
// The "警告" box of a search that brought no products list (nothing for a body that is no
// JSON object, which is dropped silently).
void showSearchFailure(const SearchGoodsReply& result);
// The "提示" box of a search that found nothing.
void showNothingFound();

} // namespace ProductBox

#endif // PRODUCTBOX_H

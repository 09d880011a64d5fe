#include "app/core/tagged_item_delegate.h"

namespace trelvane {
namespace {

constexpr int kTagRunLength = 10;

} // namespace

QString TaggedItemDelegate::visiblePart(const QString& text) {
    const int run = text.indexOf(QString(kTagRunLength, QLatin1Char(' ')));
    return run < 0 ? text : text.left(run);
}

void TaggedItemDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = visiblePart(option->text);
}

} // namespace trelvane

#pragma once
// Shows the entries of a list whose texts carry a machine-readable tag at the
// end, pushed out of view by a long run of blanks: only the part before the
// run is drawn, so the tag stays out of sight however wide the list is. The
// item's text itself is unchanged for the code that parses it.

#include <QStyledItemDelegate>

namespace trelvane {

class TaggedItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The text before the first run of ten or more blanks.
    static QString visiblePart(const QString& text);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace trelvane

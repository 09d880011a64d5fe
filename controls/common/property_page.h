#pragma once
// A property page of a control, as a form designer shows it: the designer
// hands it the selected controls (SelectionChanged follows, and the page loads
// its fields from them), every edit marks the page changed, and applying asks
// the page to write its fields back (ApplyChanges). A page reaches its control
// only late, by member name. A failed apply raises its failed status
// (BasicError) and leaves the page changed.

#include "controls/common/dispatchable.h"

#include <QString>
#include <QWidget>

#include <vector>

namespace vsq::controls {

class PropertyPage : public QWidget {
    Q_OBJECT
public:
    // A page of the given size in twips.
    PropertyPage(const QString& caption, int widthTwips, int heightTwips,
                 QWidget* parent = nullptr);

    QString caption() const { return caption_; }

    // New selection; the page then loads its fields (SelectionChanged).
    void setSelectedControls(std::vector<Dispatchable*> controls);
    const std::vector<Dispatchable*>& SelectedControls() const { return selected_; }

    bool Changed() const { return changed_; }
    void setChanged(bool changed);

    // Writes the fields back (ApplyChanges) and clears the changed flag.
    void apply();

signals:
    void changedChanged(bool changed);

protected:
    virtual void SelectionChanged() = 0;
    virtual void ApplyChanges() = 0;

    // The first selected control (the one a page reads and writes).
    Dispatchable& firstSelected() const;
    // Places a child at a position in twips.
    static void place(QWidget& child, int left, int top, int width, int height);

private:
    QString caption_;
    std::vector<Dispatchable*> selected_;
    bool changed_ = false;
};

} // namespace vsq::controls

#pragma once
// The strip chart the register panel plots on, made for it.

#include "controls/common/dispatchable.h"

#include <QWidget>

namespace mirelda {

struct SideStrip {
    QWidget* widget;                    // owned by its Qt parent
    vsq::controls::Dispatchable* calls; // the same object, reached by dispatch number
};

SideStrip makeSideStrip(QWidget* parent);

} // namespace mirelda

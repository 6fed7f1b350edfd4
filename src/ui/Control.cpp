#include "ui/Control.h"

#include "ui/Controls.h"
#include "ui/Form.h"

namespace qz::ui {

Control::Control(Form& form, Control* parent, std::string name, ControlKind kind)
    : form_(form), parent_(parent), name_(std::move(name)), kind_(kind) {
    form_.controls_.push_back(this);
}

void Control::setBounds(int l, int t, int w, int h) {
    left = l;
    top = t;
    width = w;
    height = h;
}

const Font& Control::effectiveFont() const {
    for (const Control* c = this; c; c = c->parent_)
        if (c->font)
            return *c->font;
    return form_.font;
}

bool Control::showing() const {
    for (const Control* c = this; c; c = c->parent_) {
        if (!c->visible)
            return false;
        if (c->kind_ == ControlKind::TabSheet) {
            auto* page = static_cast<const TabSheet*>(c);
            if (page->pageControl().activePage != page)
                return false;
        }
    }
    return true;
}

bool Control::usable() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->enabled)
            return false;
    return showing();
}

void Control::click() {
    if (usable() && onClick)
        onClick();
}

void Control::doubleClick() {
    if (usable() && onDblClick)
        onDblClick();
}

void Control::focus() {
    form_.activeControl = this;
}

} // namespace qz::ui

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "platform/controls/StdCtrls.h"
#include "platform/services/Application.h"

namespace lumvex {

TUpDown::TUpDown(TWinControl* parent) : TWinControl(parent, new QWidget) {
    auto* layout = new QVBoxLayout(Widget());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (bool upward : {true, false}) {
        auto* button = new QToolButton(Widget());
        button->setArrowType(upward ? Qt::UpArrow : Qt::DownArrow);
        button->setAutoRepeat(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
        QObject::connect(button, &QToolButton::clicked, [this, upward] {
            Application.Dispatch([this, upward] { upward ? StepUp() : StepDown(); });
        });
    }
    SetBounds(0, 0, 17, 21);
}

void TUpDown::SetMin(int value) {
    min_ = value;
    SetPosition(position_);
}

void TUpDown::SetMax(int value) {
    max_ = value;
    SetPosition(position_);
}

// The position stays between Min and Max and shows in the associated edit box.
void TUpDown::SetPosition(int value) {
    const int clamped = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    const bool changed = clamped != position_;
    position_ = clamped;
    if (associate_) associate_->SetText(std::to_string(position_));
    if (changed && OnChange) OnChange(this);
}

void TUpDown::SetAssociate(TEdit* edit) {
    associate_ = edit;
    if (associate_) associate_->SetText(std::to_string(position_));
}

void TUpDown::StepUp() { SetPosition(position_ + increment_); }
void TUpDown::StepDown() { SetPosition(position_ - increment_); }

}  // namespace lumvex

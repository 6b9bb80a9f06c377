#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>
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

// A step starts from the number typed into the associated box, as the box
// shows it; text that is no number leaves the position as it was.
int TUpDown::TypedPosition() const {
    if (!associate_) return position_;
    const std::string text = associate_->Text();
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return position_;
    return std::clamp(value, std::min(min_, max_), std::max(min_, max_));
}

void TUpDown::StepUp() { SetPosition(TypedPosition() + increment_); }
void TUpDown::StepDown() { SetPosition(TypedPosition() - increment_); }

}  // namespace lumvex

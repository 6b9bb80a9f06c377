#include "platform/controls/ScrollBox.h"

#include <QChildEvent>
#include <QScrollArea>
#include <QScrollBar>

#include "platform/graphics/QtBridge.h"
#include "platform/services/Application.h"

namespace lumvex {

namespace {
// The surface the children stand on; it grows and shrinks to hold them all.
class ScrollSurface : public QWidget {
protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ChildAdded)
            static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
        if (event->type() == QEvent::ChildRemoved) Fit();
        return QWidget::event(event);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show || type == QEvent::Hide) Fit();
        return false;
    }

private:
    void Fit() {
        QRect extent = childrenRect();
        resize(std::max(extent.right() + 1, 1), std::max(extent.bottom() + 1, 1));
    }
};

// Reports the size changes of the visible part.
class ViewportWatch : public QObject {
public:
    explicit ViewportWatch(TScrollBox& box) : box_(box) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize && box_.OnClientResize)
            Application.Dispatch([this] { box_.OnClientResize(&box_); });
        return false;
    }

private:
    TScrollBox& box_;
};
}  // namespace

struct TScrollBox::Impl {
    QScrollArea* area;
    ScrollSurface* surface;
    std::unique_ptr<ViewportWatch> watch;
};

TScrollBox::TScrollBox(TWinControl* parent) : TWinControl(parent, new QScrollArea), impl_(std::make_unique<Impl>()) {
    impl_->area = static_cast<QScrollArea*>(Widget());
    impl_->surface = new ScrollSurface;
    // Growing shows only new room: what stands on it already is not drawn again.
    impl_->surface->setAttribute(Qt::WA_StaticContents);
    impl_->area->setWidget(impl_->surface);
    impl_->area->setWidgetResizable(false);
    impl_->watch = std::make_unique<ViewportWatch>(*this);
    impl_->area->viewport()->installEventFilter(impl_->watch.get());
}

TScrollBox::~TScrollBox() { impl_->area->viewport()->removeEventFilter(impl_->watch.get()); }

QWidget* TScrollBox::ClientWidget() const { return impl_->surface; }
int TScrollBox::ClientWidth() const { return impl_->area->viewport()->width(); }
int TScrollBox::ClientHeight() const { return impl_->area->viewport()->height(); }

void TScrollBox::SetColor(TColor color) {
    TWinControl::SetColor(color);
    QPalette palette = impl_->area->viewport()->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    impl_->area->viewport()->setPalette(palette);
    impl_->area->viewport()->setAutoFillBackground(true);
    impl_->surface->setPalette(palette);
}

void TScrollBox::ScrollInView(TControl* control) {
    if (control) impl_->area->ensureWidgetVisible(control->Widget(), 0, 0);
}

void TScrollBox::ApplyScrollBarColors() {
    for (QScrollBar* bar : {impl_->area->horizontalScrollBar(), impl_->area->verticalScrollBar()}) {
        const TControlScrollBar& model = bar->orientation() == Qt::Vertical ? vert_ : horz_;
        QPalette palette = bar->palette();
        palette.setColor(QPalette::Button, ToQColor(model.Color()));
        palette.setColor(QPalette::Window, ToQColor(model.Color()));
        bar->setPalette(palette);
    }
}

static QScrollBar* Bar(QScrollArea* area, bool vertical) {
    return vertical ? area->verticalScrollBar() : area->horizontalScrollBar();
}

int TControlScrollBar::Position() const { return Bar(box_.impl_->area, vertical_)->value(); }
void TControlScrollBar::SetPosition(int position) { Bar(box_.impl_->area, vertical_)->setValue(position); }
int TControlScrollBar::Range() const { return Bar(box_.impl_->area, vertical_)->maximum(); }

bool TControlScrollBar::Visible() const {
    QScrollArea* area = box_.impl_->area;
    return (vertical_ ? area->verticalScrollBarPolicy() : area->horizontalScrollBarPolicy()) != Qt::ScrollBarAlwaysOff;
}

void TControlScrollBar::SetVisible(bool visible) {
    const Qt::ScrollBarPolicy policy = visible ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    if (vertical_)
        box_.impl_->area->setVerticalScrollBarPolicy(policy);
    else
        box_.impl_->area->setHorizontalScrollBarPolicy(policy);
}

void TControlScrollBar::SetColor(TColor color) {
    color_ = color;
    box_.ApplyScrollBarColors();
}

}  // namespace lumvex

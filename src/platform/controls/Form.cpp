#include "platform/controls/Form.h"

#include <utility>

#include <QApplication>
#include <QBuffer>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "platform/SysUtils.h"
#include "platform/graphics/QtBridge.h"
#include "platform/services/Application.h"
#include "platform/services/Screen.h"
#include "platform/threads/WorkerPool.h"

namespace lumvex {

namespace {
class FormWidget : public QWidget {
public:
    FormWidget() {
        setAttribute(Qt::WA_DeleteOnClose, false);
        setFocusPolicy(Qt::StrongFocus);
    }
    // The native window goes at once; the widget stays and can be shown again.
    void DestroyNative() {
        hide();
        destroy(true, true);
    }
};

// Watches every event of the application until a widget of one window gets a
// paint event. The window's paints and their flush to the screen are done in
// one go, so a call queued from there runs after the picture is on screen.
class PaintWatch : public QObject {
public:
    PaintWatch(QWidget* window, std::function<void()> done) : QObject(window), window_(window), done_(std::move(done)) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    bool eventFilter(QObject* object, QEvent* event) override {
        if (done_ && event->type() == QEvent::Paint && object->isWidgetType() &&
            static_cast<QWidget*>(object)->window() == window_) {
            QCoreApplication::instance()->removeEventFilter(this);
            QueueOnUiThread(std::exchange(done_, nullptr));
            deleteLater();
        }
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> done_;
};
}  // namespace

TForm::TForm() : TWinControl(nullptr, new FormWidget) {
    Screen.AddForm(this);
    if (!Application.MainForm()) Application.SetMainForm(this);
    Widget()->setAutoFillBackground(true);
    SetColor(Color());
    ApplyWindowFlags();
}

TForm::~TForm() {
    Screen.RemoveForm(this);
    if (Application.MainForm() == this) Application.SetMainForm(nullptr);
}

void TForm::SetCaption(const std::string& caption) {
    caption_ = caption;
    Widget()->setWindowTitle(QString::fromStdString(caption));
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    borderStyle_ = style;
    ApplyWindowFlags();
}

void TForm::SetFormStyle(TFormStyle style) {
    formStyle_ = style;
    ApplyWindowFlags();
}

// The stay-on-top hint changes on the native window in place: making a new
// one would leave the window manager's active window and the program's own
// idea of it apart, and the window would no longer get its keys. Other
// changes of the flags recreate a shown window, which is shown again.
void TForm::ApplyWindowFlags() {
    Qt::WindowFlags flags = Qt::Window;
    if (borderStyle_ == bsNone) flags |= Qt::FramelessWindowHint;
    if (formStyle_ == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
    const Qt::WindowFlags old = Widget()->windowFlags();
    if (old == flags) return;
    QWindow* native = Widget()->windowHandle();
    if (native && (old ^ flags) == Qt::WindowStaysOnTopHint) {
        Widget()->overrideWindowFlags(flags);
        native->setFlags(flags);
        return;
    }
    const bool shown = Widget()->isVisible();
    Widget()->setWindowFlags(flags);
    if (shown) Widget()->show();
}

TWindowState TForm::WindowState() const {
    Qt::WindowStates state = Widget()->windowState();
    if (state & Qt::WindowMinimized) return wsMinimized;
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) return wsMaximized;
    return wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
    Qt::WindowStates qtState = state == wsMinimized   ? Qt::WindowMinimized
                               : state == wsMaximized ? Qt::WindowMaximized
                                                      : Qt::WindowNoState;
    Widget()->setWindowState(qtState);
}

void TForm::SetColor(TColor color) {
    TWinControl::SetColor(color);
    QPalette palette = Widget()->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    Widget()->setPalette(palette);
}

void TForm::SetAlphaBlend(bool on) {
    alphaBlend_ = on;
    Widget()->setWindowOpacity(alphaBlend_ ? alphaBlendValue_ / 255.0 : 1.0);
}

void TForm::SetAlphaBlendValue(int value) {
    alphaBlendValue_ = std::clamp(value, 0, 255);
    SetAlphaBlend(alphaBlend_);
}

bool TForm::Active() const { return Widget()->isActiveWindow(); }

void TForm::Activate() {
    if (!Widget()->isVisible()) Show();
    BringToFront();
    Widget()->activateWindow();
    // A window made anew by a change of its flags is not always given the
    // focus by the platform's activation request alone.
    if (!Widget()->isActiveWindow()) QApplication::setActiveWindow(Widget());
}

void TForm::SetVisible(bool visible) {
    if (visible && !visible_ && position_ == poScreenCenter)
        SetBounds((Screen.Width() - Width()) / 2, (Screen.Height() - Height()) / 2, Width(), Height());
    visible_ = visible;
    Widget()->setVisible(visible);
    if (visible) BringToFront();
}

void TForm::Close() { Widget()->close(); }

void TForm::DestroyHandle() { static_cast<FormWidget*>(Widget())->DestroyNative(); }

bool TForm::HandleAllocated() const { return Widget()->windowHandle() && Widget()->windowHandle()->handle(); }

TBitmap TForm::GetFormImage() {
    Widget()->ensurePolished();
    return BitmapFromQImage(Widget()->grab().toImage());
}

void TForm::SaveScreenshot(const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!Widget()->grab().toImage().save(&buffer, "PNG")) throw EWriteError("Cannot encode the screenshot of " + Name);
    WriteFileAtomically(path, std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
}

void TForm::AfterNextPaint(std::function<void()> done) {
    if (QCoreApplication::instance()) new PaintWatch(Widget(), std::move(done));
}

void TForm::HandleActivation(bool active) {
    if (active && OnActivate) OnActivate(this);
    if (!active && OnDeactivate) OnDeactivate(this);
}

void TForm::HandleShown(bool shown) {
    visible_ = shown;
    if (shown && OnShow) OnShow(this);
    if (!shown && OnHide) OnHide(this);
}

// Runs OnClose; true lets the window close (hide). A handler that fails is
// shown and the window closes all the same, so that closing the main form
// always ends the program.
bool TForm::HandleCloseRequest() {
    TCloseAction action = caHide;
    if (OnClose) Application.Dispatch([&] { OnClose(this, action); });
    switch (action) {
    case caNone: return false;
    case caMinimize: Widget()->showMinimized(); return false;
    case caFree: QTimer::singleShot(0, Widget(), [this] { delete this; }); break;
    case caHide: break;
    }
    if (Application.MainForm() == this) Application.Terminate();
    return true;
}

}  // namespace lumvex

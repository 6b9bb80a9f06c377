#include "platform/services/Application.h"

#include <algorithm>

#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include "platform/SysUtils.h"
#include "platform/controls/ControlBridge.h"
#include "platform/controls/Form.h"
#include "platform/services/Screen.h"

namespace lumvex {

TApplication Application;

namespace {

// Paint and timer events being delivered. An error raised in one is shown
// from the message loop after it: a box opened inside a paint would paint
// again beneath itself, and one opened inside a timer's tick would hold that
// timer until it closes, so every tick would bring a box of its own.
int deferringDepth = 0;

// The toolkit's application: brackets the delivery of input events (see
// ControlBridge) and keeps exceptions from crossing the event loop.
class LumvexApp : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        const bool input = IsInputEvent(event);
        if (input) BeginInputDelivery(receiver);
        const bool deferring = event->type() == QEvent::Paint || event->type() == QEvent::Timer;
        deferringDepth += deferring;
        bool result = false;
        try {
            result = QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            Application.ShowException(error);
        } catch (...) {
            Application.ShowException(Exception("Unknown error"));
        }
        deferringDepth -= deferring;
        if (input) EndInputDelivery();
        return result;
    }
};

}  // namespace

void TApplication::Initialize(int& argc, char** argv) {
    if (QApplication::instance()) return;
    // Lives until the process ends: tearing it down among the static
    // destructors would outlive parts of the toolkit it needs.
    new LumvexApp(argc, argv);
    ExeName = QCoreApplication::applicationFilePath().toStdString();
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive && OnActivate) Dispatch([this] { OnActivate(nullptr); });
        if (state != Qt::ApplicationActive && OnDeactivate) Dispatch([this] { OnDeactivate(nullptr); });
    });
}

bool TApplication::Initialized() const { return QApplication::instance() != nullptr; }

int TApplication::Run() {
    terminated_ = false;
    if (mainForm_ && !mainForm_->Visible()) mainForm_->Show();
    const int code = QApplication::exec();
    // An error raised as the loop ended, a failed save while closing from a
    // timer's tick say, still reaches the user before the program ends.
    if (!pendingErrors_.empty() && !errorBoxOpen_) ShowPendingErrors();
    return code;
}

void TApplication::Terminate() {
    terminated_ = true;
    QApplication::quit();
}

void TApplication::ProcessMessages() { QApplication::processEvents(); }

void TApplication::Minimize() {
    for (TForm* form : Screen.Forms())
        if (form->Visible()) form->Widget()->showMinimized();
}

void TApplication::Restore() {
    for (TForm* form : Screen.Forms())
        if (form->Visible() && form->WindowState() == wsMinimized) form->Widget()->showNormal();
}

bool TApplication::Active() const { return QApplication::activeWindow() != nullptr; }

void TApplication::Dispatch(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowException(error);
    } catch (...) {
        ShowException(Exception("Unknown error"));
    }
}

void TApplication::ShowException(const std::exception& error) {
    std::string message = error.what();
    if (errorBoxOpen_ && message == openError_) return;
    if (std::find(pendingErrors_.begin(), pendingErrors_.end(), message) != pendingErrors_.end()) return;
    pendingErrors_.push_back(std::move(message));
    if (errorBoxOpen_) return;
    if (deferringDepth > 0 && QApplication::instance()) {
        if (!errorsQueued_)
            QTimer::singleShot(0, qApp, [this] {
                errorsQueued_ = false;
                if (!errorBoxOpen_) ShowPendingErrors();
            });
        errorsQueued_ = true;
        return;
    }
    ShowPendingErrors();
}

void TApplication::ShowPendingErrors() {
    errorBoxOpen_ = true;
    struct Closed {
        TApplication& app;
        ~Closed() {
            app.errorBoxOpen_ = false;
            app.openError_.clear();
        }
    } closed{*this};
    while (!pendingErrors_.empty()) {
        openError_ = std::move(pendingErrors_.front());
        pendingErrors_.pop_front();
        if (ErrorBox) {
            ErrorBox(openError_);
            continue;
        }
        QMessageBox box(QMessageBox::Critical, QString::fromStdString(Title), QString::fromStdString(openError_),
                        QMessageBox::Ok);
        box.exec();
    }
}

RecordedErrors::RecordedErrors() : previous_(std::move(Application.ErrorBox)) {
    Application.ErrorBox = [this](const std::string& message) { Messages.push_back(message); };
}

RecordedErrors::~RecordedErrors() { Application.ErrorBox = std::move(previous_); }

}  // namespace lumvex

#include "platform/services/Application.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include "platform/SysUtils.h"
#include "platform/controls/ControlBridge.h"
#include "platform/controls/Form.h"
#include "platform/services/Screen.h"

namespace lumvex {

TApplication Application;

namespace {

// The toolkit's application: brackets the delivery of input events (see
// ControlBridge) and keeps exceptions from crossing the event loop.
class LumvexApp : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        const bool input = IsInputEvent(event);
        if (input) BeginInputDelivery(receiver);
        bool result = false;
        try {
            result = QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            Application.ShowException(error);
        } catch (...) {
            Application.ShowException(Exception("Unknown error"));
        }
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
    return QApplication::exec();
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
    if (ErrorBox) {
        ErrorBox(message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(Title), QString::fromStdString(message),
                    QMessageBox::Ok);
    box.exec();
}

RecordedErrors::RecordedErrors() : previous_(std::move(Application.ErrorBox)) {
    Application.ErrorBox = [this](const std::string& message) { Messages.push_back(message); };
}

RecordedErrors::~RecordedErrors() { Application.ErrorBox = std::move(previous_); }

}  // namespace lumvex
